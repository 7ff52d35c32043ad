#pragma once

#include "platform/core/Result.h"
#include "platform/core/WorkProgress.h"

#include <QString>
#include <QStringList>

class ObjectContext;
class QIODevice;

// What an import did, for the collector: shown on the import screen and printed by the command
// line.
struct ImportSummary
{
    qsizetype added = 0;
    qsizetype updated = 0;
    qsizetype skipped = 0;       // lines that matched two or more stamps
    qsizetype fieldsNotRead = 0; // numbers or pictures that did not parse; the attribute kept
    qsizetype failedLines = 0;   // lines the store refused, each undone alone
    qsizetype linesDone = 0;     // record lines merged (empty and marker lines are no records)
    // Stopped by the collector: nothing was imported.
    bool cancelled = false;
    // Why nothing could be imported (the store refused the whole import, the file could not be
    // read to its end); empty when the import was saved.
    QString failure;
    QString backupFile;   // the copy of the store made before anything changed
    QStringList problems; // the first few problems, each with its line number
    qsizetype problemsNotListed = 0;
    // Whether the collection was changed: the import ran to its end and was saved.
    bool saved() const { return !cancelled && failure.isEmpty(); }
    QString text() const; // the summary as lines of text
};

namespace ImportFile {

// The largest export file read, far above any collection's: 100,000 stamps, a tenth with a
// picture, make a file of 443 MB.
inline constexpr qint64 LargestFile = qint64(2) * 1024 * 1024 * 1024;

// Whether the file holds the marker line "[VELLORA]" on some line; without it nothing is
// imported ("... Is The Incorrect Import File"). Reads from the device's start up to the marker
// and leaves the device there.
bool hasMarker(QIODevice& file);

// Merges the file's records into the store, read a line at a time from the device's start. Each
// line is looked up by country, denomination and year of issue (one indexed query): no match
// adds a stamp, one match updates it, two or more skip the line. The whole import is one
// transaction, each line written by one statement: a line the store refuses is undone, counted,
// and the import goes on, while a cancel, a kill or a failure to save the whole leaves the store
// exactly as it was. `progress` is told the bytes read of the file's size after each line; false
// cancels. The caller makes the backup first (StoreBackup).
ImportSummary merge(ObjectContext& context, QIODevice& file, const WorkProgress& progress = {});

} // namespace ImportFile
