#pragma once

#include <QString>
#include <QStringList>

class QProcess;

// The files Vellora makes hold the collection (the store, its backups, its exports): they are
// made readable by the collector only, whatever file mode mask the program was started with.
// Programs it starts get that mask back, so what they make is as the desktop would make it.
namespace FilePrivacy {

// Makes every file and folder made from now on the collector's only (mask 077), remembering the
// mask the process was started with. Called first in main(), before anything makes a file.
void keepNewFilesPrivate();

// Gives the program `process` starts the mask this process was started with.
void giveStartingMask(QProcess& process);

// Starts `program` apart from this process, with the mask this process was started with; false
// when it could not be started.
bool startDetached(const QString& program, const QStringList& arguments);

// Puts the starting mask back for the length of a call that starts programs out of our reach
// (the desktop's own way of opening an address), on the main thread: no other thread makes
// files meanwhile.
class StartingMaskScope final
{
public:
    StartingMaskScope();
    ~StartingMaskScope();
    StartingMaskScope(const StartingMaskScope&) = delete;
    StartingMaskScope& operator=(const StartingMaskScope&) = delete;

private:
    bool m_restored = false;
};

} // namespace FilePrivacy
