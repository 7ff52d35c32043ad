#include "platform/core/ReportPages.h"

#include "platform/core/Console.h"

#include <QAbstractTextDocumentLayout>
#include <QCache>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextObjectInterface>
#include <cmath>
#include <vector>

using PictureHandle = std::shared_ptr<const ReportPages::Picture>;
Q_DECLARE_METATYPE(PictureHandle)

namespace {

constexpr double PointsPerInch = 72.0;
// Half an inch keeps the text off the edge of the paper and clear of what printers cannot reach.
constexpr double MarginPoints = 36.0;
// The footer's line at the foot of the text column, and the space above it.
constexpr double FooterPoints = 10.0;
constexpr double FooterGapPoints = 8.0;
constexpr double FooterFontPoints = 8.0;
// The room of the text on an A4 page.
constexpr double ColumnWidth = ReportPages::PageSize.width() - 2 * MarginPoints;
constexpr double ColumnHeight =
    ReportPages::PageSize.height() - 2 * MarginPoints - FooterPoints - FooterGapPoints;
// Pictures are decoded no finer than a printer shows them.
constexpr double PrintDotsPerInch = 300.0;
// The first block of each entry, and the day a report was made (in its root frame).
constexpr int EntryStartProperty = QTextFormat::UserProperty + 1;
constexpr int MadeOnProperty = QTextFormat::UserProperty + 2;
// What a text view keeps of the pictures it has shown.
constexpr qsizetype ShownPictureKilobytes = qsizetype(32) * 1024;

PictureHandle pictureOf(const QTextDocument* document, const QTextFormat& format)
{
    return document->resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()))
        .value<PictureHandle>();
}

QSizeF laidOutSize(const QTextFormat& format)
{
    const QTextImageFormat picture = format.toImageFormat();
    return {picture.width(), picture.height()};
}

// Lays a picture out at its format's size in points on the device, and decodes it when its page
// is painted, at no more dots than print shows; the PDF engine keeps the pixels, not the image.
class PictureOnPaper final : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    PictureOnPaper(double unitsPerPoint, QObject* parent)
        : QObject(parent), m_unitsPerPoint(unitsPerPoint)
    {}

    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat& format) override
    {
        return laidOutSize(format) * m_unitsPerPoint;
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                    const QTextFormat& format) override
    {
        const PictureHandle picture = pictureOf(document, format);
        if (!picture)
            return;
        const double dotsPerUnit =
            std::min(1.0, PrintDotsPerInch / (m_unitsPerPoint * PointsPerInch));
        const QSize dots(int(std::ceil(rect.width() * dotsPerUnit)),
                         int(std::ceil(rect.height() * dotsPerUnit)));
        const QImage image = picture->load(dots);
        if (!image.isNull())
            painter->drawImage(rect, image);
    }

private:
    double m_unitsPerPoint;
};

// Shows a picture in a text view at its format's size, decoded for the screen when first shown.
class PictureOnScreen final : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    explicit PictureOnScreen(QObject* parent) : QObject(parent), m_shown(ShownPictureKilobytes) {}

    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat& format) override
    {
        return laidOutSize(format);
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                    const QTextFormat& format) override
    {
        const QSize pixels = (rect.size() * painter->device()->devicePixelRatioF()).toSize();
        const QString key = format.toImageFormat().name() +
                            QStringLiteral("@%1x%2").arg(pixels.width()).arg(pixels.height());
        if (const QImage* shown = m_shown.object(key)) {
            painter->drawImage(rect, *shown);
            return;
        }
        const PictureHandle picture = pictureOf(document, format);
        auto image = std::make_unique<QImage>(picture ? picture->load(pixels) : QImage());
        painter->drawImage(rect, *image);
        const qsizetype kilobytes = image->sizeInBytes() / 1024 + 1;
        m_shown.insert(key, image.release(), kilobytes);
    }

private:
    QCache<QString, QImage> m_shown;
};

// The room of the text and of the footer on each page of the device, in its units from its
// origin. The paper is the device's: A4 for a PDF file, the one chosen for a printer.
struct Sheet
{
    explicit Sheet(const QPagedPaintDevice& device)
        : perPointX(device.logicalDpiX() / PointsPerInch),
          perPointY(device.logicalDpiY() / PointsPerInch)
    {
        const QPageLayout page = device.pageLayout();
        const QRectF paper = page.fullRectPoints();
        const QPointF origin = page.paintRectPoints().topLeft();
        const QRectF text(MarginPoints - origin.x(), MarginPoints - origin.y(),
                          paper.width() - 2 * MarginPoints,
                          paper.height() - 2 * MarginPoints - FooterPoints - FooterGapPoints);
        column = inUnits(text);
        footer = inUnits(
            QRectF(text.left(), text.bottom() + FooterGapPoints, text.width(), FooterPoints));
    }

    QRectF inUnits(const QRectF& points) const
    {
        return {points.left() * perPointX, points.top() * perPointY, points.width() * perPointX,
                points.height() * perPointY};
    }

    double perPointX;
    double perPointY;
    QRectF column;
    QRectF footer;
};

// An entry as laid out: from the top of its first block to the bottom of its last line that
// shows anything (the blank lines that close it may run off a page).
struct Entry
{
    QTextBlock first;
    QTextBlock end;
    double top;
    double inkBottom;
};

std::vector<Entry> entriesOf(const QTextDocument& document)
{
    const QAbstractTextDocumentLayout* layout = document.documentLayout();
    std::vector<Entry> entries;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QRectF box = layout->blockBoundingRect(block);
        if (entries.empty() || block.blockFormat().boolProperty(EntryStartProperty)) {
            if (!entries.empty())
                entries.back().end = block;
            entries.push_back({block, QTextBlock(), box.top(), box.top()});
        }
        // An empty block holds its end alone.
        if (block.length() > 1)
            entries.back().inkBottom = box.bottom();
    }
    return entries;
}

// Where each page starts: at an entry that does not fit the rest of the page before, and inside
// an entry taller than a page, at the first line that does not fit.
QList<double> pageTops(const QTextDocument& document, double pageHeight)
{
    const QAbstractTextDocumentLayout* layout = document.documentLayout();
    QList<double> tops{0.0};
    for (const Entry& entry : entriesOf(document)) {
        if (entry.inkBottom - tops.last() <= pageHeight)
            continue;
        if (entry.top > tops.last())
            tops << entry.top;
        if (entry.inkBottom - tops.last() <= pageHeight)
            continue;
        for (QTextBlock block = entry.first; block.isValid() && block != entry.end;
             block = block.next()) {
            const QPointF origin = layout->blockBoundingRect(block).topLeft();
            const QTextLayout* lines = block.layout();
            for (int index = 0; index < lines->lineCount(); ++index) {
                const QRectF line = lines->lineAt(index).rect().translated(origin);
                // The blank lines that close the entry start no page of their own.
                if (line.top() >= entry.inkBottom)
                    break;
                if (line.bottom() - tops.last() > pageHeight && line.top() > tops.last())
                    tops << line.top();
            }
        }
    }
    return tops;
}

void paintFooter(QPainter& painter, const Sheet& sheet, const QFont& font, const QString& date,
                 int page, int pages)
{
    const QLocale locale;
    painter.save();
    QFont small = font;
    small.setPointSizeF(FooterFontPoints);
    painter.setFont(small);
    painter.setPen(QColor(64, 64, 64));
    painter.drawText(sheet.footer, Qt::AlignLeft | Qt::AlignVCenter, date);
    painter.drawText(sheet.footer, Qt::AlignRight | Qt::AlignVCenter,
                     QCoreApplication::translate("ReportPages", "Page %1 of %2")
                         .arg(locale.toString(page), locale.toString(pages)));
    painter.restore();
}

} // namespace

namespace ReportPages {

QSizeF pictureSize(const QSize& pixels, double width)
{
    QSizeF size(width, width * pixels.height() / pixels.width());
    const QSizeF room(ColumnWidth, ColumnHeight / 3);
    if (size.width() > room.width() || size.height() > room.height())
        size.scale(room, Qt::KeepAspectRatio);
    return size;
}

void insertPicture(QTextCursor& cursor, std::shared_ptr<const Picture> picture, const QSizeF& size)
{
    // Named by the loader itself, which the report keeps as long as the name.
    const QUrl name(QStringLiteral("vellora-picture:%1").arg(quintptr(picture.get()), 0, 16));
    cursor.document()->addResource(QTextDocument::ImageResource, name,
                                   QVariant::fromValue(PictureHandle(std::move(picture))));
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(size.width());
    format.setHeight(size.height());
    cursor.insertImage(format);
}

void startEntry(QTextCursor& cursor)
{
    QTextBlockFormat format = cursor.blockFormat();
    format.setProperty(EntryStartProperty, true);
    cursor.setBlockFormat(format);
}

void setMadeOn(QTextDocument& report, const QDate& date)
{
    QTextFrameFormat format = report.rootFrame()->frameFormat();
    format.setProperty(MadeOnProperty, date.toJulianDay());
    report.rootFrame()->setFrameFormat(format);
}

QDate madeOn(const QTextDocument& report)
{
    const QVariant day = report.rootFrame()->frameFormat().property(MadeOnProperty);
    return day.isValid() ? QDate::fromJulianDay(day.toLongLong()) : QDate::currentDate();
}

void showPictures(QTextDocument& report)
{
    report.documentLayout()->registerHandler(QTextFormat::ImageObject,
                                             new PictureOnScreen(&report));
}

bool paint(const QTextDocument& report, QPagedPaintDevice& device, const WorkProgress& progress)
{
    // Laid out on a copy, so a report shown on screen keeps its own layout.
    const std::unique_ptr<QTextDocument> pages(report.clone());
    const Sheet sheet(device);
    // Fonts are measured for the device itself, so the text lands where it was laid out. The
    // document is laid out once, in one long column, and cut into pages here.
    QAbstractTextDocumentLayout* layout = pages->documentLayout();
    layout->setPaintDevice(&device);
    layout->registerHandler(QTextFormat::ImageObject,
                            new PictureOnPaper(sheet.perPointY, pages.get()));
    pages->setDocumentMargin(0);
    pages->setTextWidth(sheet.column.width());
    const QList<double> tops = pageTops(*pages, sheet.column.height());
    const double end = layout->documentSize().height();
    const auto count = int(tops.size());
    const QString date = QLocale().toString(madeOn(report), QLocale::LongFormat);
    // A line that only touches a page is not drawn on it: drawn and clipped away, it would still
    // be in the page's text.
    const double touching = 0.1 * sheet.perPointY;

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    for (int index = 0; index < count; ++index) {
        if (index > 0 && !device.newPage())
            return false;
        const double top = tops.at(index);
        const double bottom = index + 1 < count ? tops.at(index + 1) : end;
        painter.save();
        painter.translate(sheet.column.left(), sheet.column.top() - top);
        painter.setClipRect(QRectF(0, top, sheet.column.width(), bottom - top));
        context.clip = QRectF(0, top + touching, sheet.column.width(), bottom - top - 2 * touching);
        layout->draw(&painter, context);
        painter.restore();
        paintFooter(painter, sheet, pages->defaultFont(), date, index + 1, count);
        if (progress && !progress(index + 1, count))
            return false;
    }
    return painter.end();
}

Result<WorkEnd> writePdf(const QTextDocument& report, const QString& path,
                         const WorkProgress& progress)
{
    const auto failed = [&](const QString& reason) {
        const QString text = QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
        Console::printLine(QStringLiteral("Could not create PDF file: ") + text);
        return Failure{text};
    };
    if (path.isEmpty())
        return failed(QCoreApplication::translate("ReportPages", "no file name was given"));
    // The folder is the collector's to choose: a missing one is said, not made.
    const QDir folder = QFileInfo(path).dir();
    if (!folder.exists())
        return failed(QCoreApplication::translate("ReportPages", "the folder %1 does not exist")
                          .arg(QDir::toNativeSeparators(folder.path())));

    // Written beside the file and renamed over it at the end, so a failure or a cancel leaves
    // the earlier report as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    bool cancelled = false;
    WorkProgress watched;
    if (progress)
        watched = [&](qsizetype done, qsizetype total) {
            cancelled = !progress(done, total);
            return !cancelled;
        };
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setPageSize(
            QPageSize(PageSize, QPageSize::Point, QStringLiteral("A4"), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(), QPageLayout::Point);
        writer.setCreator(QStringLiteral("Vellora"));
        writer.setTitle(report.metaInformation(QTextDocument::DocumentTitle));
        painted = paint(report, writer, watched);
    }
    if (cancelled) {
        file.cancelWriting();
        return WorkEnd::Cancelled;
    }
    if (!painted) {
        file.cancelWriting();
        return failed(QCoreApplication::translate("ReportPages", "the pages could not be drawn"));
    }
    if (!file.commit())
        return failed(file.errorString());
    Console::printLine(QStringLiteral("wrote PDF file with multiple pages to: ") + path);
    return WorkEnd::Finished;
}

} // namespace ReportPages

#include "ReportPages.moc"
