#pragma once

#include "platform/core/Result.h"
#include "platform/core/WorkProgress.h"

#include <QDate>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <memory>

class QPagedPaintDevice;
class QTextCursor;
class QTextDocument;

// Reports on paper: a title, then entries (one stamp's lines and picture each) laid out on A4
// pages of 595.2 x 841.8 points with half-inch margins and a footer of the page number and the
// date the report was made. An entry is never split across pages: one that does not fit the rest
// of a page starts the next, and only an entry taller than a whole page breaks, between lines.
namespace ReportPages {

inline constexpr QSizeF PageSize(595.2, 841.8);
// The view width a report is built for when no screen builds it (the command line): the width
// of the application's window.
inline constexpr double DefaultViewWidth = 430.0;

// A picture of a report, kept as a way to load it rather than as pixels, so a report of
// thousands of stamps holds none of them and each is decoded once, when it is drawn.
class Picture
{
public:
    virtual ~Picture() = default;
    // The picture decoded to fit in `pixels`, its aspect ratio kept and never enlarged; a null
    // image when it cannot be read.
    virtual QImage load(const QSize& pixels) const = 0;
};

// The size in points a picture of `pixels` is laid out at when asked for `width` points wide:
// its aspect ratio kept, never wider than the text column nor taller than a third of what a page
// holds, so an entry with its picture fits on one page.
QSizeF pictureSize(const QSize& pixels, double width);

// Inserts the picture at the cursor, laid out `size` points large (pictureSize).
void insertPicture(QTextCursor& cursor, std::shared_ptr<const Picture> picture, const QSizeF& size);

// Makes the (empty) block at the cursor the first of a new entry.
void startEntry(QTextCursor& cursor);

// The date a report was made, shown in its footer; today for a report that does not say.
void setMadeOn(QTextDocument& report, const QDate& date);
QDate madeOn(const QTextDocument& report);

// Lets a text view show the report's pictures: each is loaded when it is first shown, at the
// size shown, and a few hundred are kept.
void showPictures(QTextDocument& report);

// Lays the report out in pages of the device's paper and paints every page on the device (a PDF
// writer or a printer), with its footer. False when cancelled or when the device cannot be
// painted on. progress is told of each page painted, out of all.
bool paint(const QTextDocument& report, QPagedPaintDevice& device,
           const WorkProgress& progress = {});

// Writes the report as a PDF file at path, atomically: a report that cannot be written, or is
// cancelled, leaves any earlier file as it was. A failure is also printed, for the log.
Result<WorkEnd> writePdf(const QTextDocument& report, const QString& path,
                         const WorkProgress& progress = {});

} // namespace ReportPages
