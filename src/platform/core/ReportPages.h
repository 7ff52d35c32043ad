#pragma once

#include "platform/core/Result.h"
#include "platform/core/WorkProgress.h"

#include <QSizeF>
#include <QString>

class QPagedPaintDevice;
class QTextDocument;

// Reports on paper: laid out on A4 pages of 595.2 x 841.8 points, each laid-out page one page
// of the PDF file or of the print job, so nothing is cut off the bottom.
namespace ReportPages {

inline constexpr QSizeF PageSize(595.2, 841.8);
// The view width a report is built for when no screen builds it (the command line): the width
// of the application's window.
inline constexpr double DefaultViewWidth = 430.0;

// Lays the report out on the page size and paints every page on the device (a PDF writer or a
// printer), one device page per laid-out page. False when cancelled or when the device cannot
// be painted on.
bool paint(QTextDocument& report, QPagedPaintDevice& device, const WorkProgress& progress = {});

// Writes the report as a PDF file at path, atomically: a report that cannot be written, or is
// cancelled, leaves any earlier file as it was. A failure is also printed, for the log.
Result<WorkEnd> writePdf(QTextDocument& report, const QString& path,
                         const WorkProgress& progress = {});

} // namespace ReportPages
