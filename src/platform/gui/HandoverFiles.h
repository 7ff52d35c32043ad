#pragma once

#include "platform/core/Result.h"

#include <QByteArray>
#include <QString>

// Files handed to another program (a mail attachment, a text opened in an editor). They stay after
// we return, because the other program reads them later; each hand-over gets its own folder inside
// one private folder of this process under the temp location, which goes when Vellora exits.
namespace HandoverFiles {

// A name that stays inside its folder: no path separators, no leading dot, never empty.
QString sanitisedFileName(const QString& name, const QString& fallback);

// A fresh, empty folder.
Result<QString> newFolder();

// Removes the private folders that earlier runs could not remove (killed, crashed): only ours by
// name and owner, and only of a process that is no longer running. Called at start.
void removeLeftByEarlierRuns();

// Removes this process's private folder with everything handed over from it. Called at exit.
void removeOwn();

// Writes data as folder/fileName (sanitised; " (2)" etc. added when the name is taken) and returns
// the path.
Result<QString> write(const QString& folder, const QString& fileName, const QByteArray& data);

} // namespace HandoverFiles
