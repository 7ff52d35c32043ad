#pragma once

#include "exchange/ExportFile.h"
#include "platform/core/Result.h"
#include "platform/core/WorkProgress.h"

#include <QString>

class ObjectContext;
class QIODevice;

// The collection as a spreadsheet opens it: CSV as RFC 4180 has it, in UTF-8 with a byte order
// mark (which spreadsheet programs take as "this is UTF-8"), a header row of readable column
// names, then one row per stamp in the export file's order, lines ended by CRLF. A field with a
// comma, a quote or a line break is quoted, its quotes doubled. Numbers are written with a point
// and no grouping, whatever the locale. Pictures are left out.
//
// A text that a spreadsheet would take for a formula (starting with "=", "+", "-", "@", a tab or
// a carriage return) gets a leading apostrophe, so opening the file never runs what a field holds.
namespace SpreadsheetFile {

inline constexpr char FileName[] = "Vellora-Spreadsheet.csv";

// The header row's names, in the order of the columns.
QStringList columnNames();

// Writes every stamp to the device as it goes; `progress` is told per stamp, false cancels.
Result<ExportFile::Written> write(ObjectContext& context, QIODevice& device,
                                  const WorkProgress& progress = {});
// The same into the file at path, atomically: a failed or cancelled export leaves an earlier file
// as it was.
Result<ExportFile::Written> writeFile(ObjectContext& context, const QString& path,
                                      const WorkProgress& progress = {});

} // namespace SpreadsheetFile
