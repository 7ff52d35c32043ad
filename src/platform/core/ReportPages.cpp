#include "platform/core/ReportPages.h"

#include "platform/core/Console.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextObjectInterface>
#include <memory>

namespace {

constexpr double PointsPerInch = 72.0;
// Half an inch keeps the text off the edge of the paper and clear of what printers cannot reach.
constexpr double MarginPoints = 36.0;

// Lays a picture out at its format's size in points on the device. Qt's own handler reads that
// size as pixels of the screen, which would shrink or grow the picture with the screen's
// resolution.
class PictureInPoints final : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    PictureInPoints(double unitsPerPoint, QObject* parent)
        : QObject(parent), m_unitsPerPoint(unitsPerPoint)
    {}

    QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat& format) override
    {
        const QTextImageFormat picture = format.toImageFormat();
        QSizeF size(picture.width(), picture.height());
        if (size.width() <= 0 || size.height() <= 0)
            size = image(document, picture).size();
        return size * m_unitsPerPoint;
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                    const QTextFormat& format) override
    {
        painter->drawImage(rect, image(document, format.toImageFormat()));
    }

private:
    // A report keeps its pictures encoded; an image resource works as well.
    static QImage image(QTextDocument* document, const QTextImageFormat& format)
    {
        const QVariant resource =
            document->resource(QTextDocument::ImageResource, QUrl(format.name()));
        if (resource.typeId() == QMetaType::QByteArray)
            return QImage::fromData(resource.toByteArray());
        return resource.value<QImage>();
    }

    double m_unitsPerPoint;
};

// How many device units the layout makes of one unit of a frame's margin on the device. Qt
// reads margins as pixels of the screen and scales them to the device; asked of the layout
// itself, as the screen's resolution is Qt's own business.
double marginScale(QPaintDevice& device)
{
    constexpr double Probe = 100.0;
    QTextDocument probe;
    probe.documentLayout()->setPaintDevice(&device);
    probe.setDocumentMargin(Probe);
    const double left = probe.documentLayout()->blockBoundingRect(probe.begin()).left();
    return left > 0 ? left / Probe : 1.0;
}

} // namespace

namespace ReportPages {

bool paint(QTextDocument& report, QPagedPaintDevice& device, const WorkProgress& progress)
{
    // Laid out on a copy, so a report shown on screen keeps its own layout.
    const std::unique_ptr<QTextDocument> pages(report.clone());
    const double perPointX = device.logicalDpiX() / PointsPerInch;
    const double perPointY = device.logicalDpiY() / PointsPerInch;
    // Fonts are measured for the device itself, so the text lands where it was laid out.
    QAbstractTextDocumentLayout* layout = pages->documentLayout();
    layout->setPaintDevice(&device);
    layout->registerHandler(QTextFormat::ImageObject, new PictureInPoints(perPointY, pages.get()));
    pages->setDocumentMargin(MarginPoints * perPointY / marginScale(device));
    const QSizeF page(PageSize.width() * perPointX, PageSize.height() * perPointY);
    pages->setPageSize(page);
    const int count = pages->pageCount();

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    for (int index = 0; index < count; ++index) {
        if (index > 0 && !device.newPage())
            return false;
        const QRectF shown(0, index * page.height(), page.width(), page.height());
        painter.save();
        painter.translate(0, -shown.top());
        painter.setClipRect(shown);
        context.clip = shown;
        layout->draw(&painter, context);
        painter.restore();
        if (progress && !progress(index + 1, count))
            return false;
    }
    return painter.end();
}

Result<WorkEnd> writePdf(QTextDocument& report, const QString& path, const WorkProgress& progress)
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
