#pragma once

#include "platform/core/Result.h"
#include "platform/core/WorkProgress.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class ObjectContext;
class PersistentContainer;

// What an import did, for the collector: appended to the import screen's text and printed by the
// command line.
struct ImportSummary
{
    qsizetype added = 0;
    qsizetype updated = 0;
    qsizetype skipped = 0;       // lines that matched two or more stamps
    qsizetype fieldsNotRead = 0; // numbers or pictures that did not parse; the attribute kept
    qsizetype failedLines = 0;   // lines the store refused: the save (rolled back) or look-up
    qsizetype linesDone = 0;     // record lines merged (empty and marker lines are no records)
    qsizetype linesTotal = 0;
    int lastLine = 0; // the file's line number of the last record line merged
    bool cancelled = false;
    QString backupFile;   // the copy of the store made before anything changed
    QStringList problems; // the first few problems, each with its line number
    qsizetype problemsNotListed = 0;
    QString text() const; // the summary as lines of text
};

namespace ImportFile {

// The largest export file read, far above any collection's: 100,000 stamps, a tenth with a
// picture, make a file of 443 MB.
inline constexpr qint64 LargestFile = qint64(2) * 1024 * 1024 * 1024;

// The bytes of a picked file as text: UTF-8, or UTF-16 / UTF-8 as a byte-order mark says.
QString decode(const QByteArray& bytes);

// Whether the text holds the marker line "[VELLORA]" on some line; without it nothing is
// imported ("... Is The Incorrect Import File").
bool hasMarker(const QString& text);

// Merges the text's records into the store, each line its own look-up (country, denomination
// and year of issue, one indexed query) and save: no match adds a stamp, one match updates it,
// two or more skip the line. A save the store refuses is rolled back, counted, and the import
// goes on. `progress` is told per line; false stops between lines (what was imported stays).
// The caller makes the backup first (StoreBackup).
ImportSummary merge(ObjectContext& context, const QString& text, const WorkProgress& progress = {});

} // namespace ImportFile
