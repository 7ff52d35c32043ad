// Times both reports on collections whose every stamp has a 1-megapixel picture, against the
// raw work of their pictures: each decoded once, scaled to the size it is printed at (300 dots
// per inch at its width on paper) and encoded as the PDF engine encodes it (JPEG at quality 94).
// - the print-all report of the whole collection as the command line makes it, `vellora --report
//   all --output FILE.pdf`, timed from outside, start to exit;
// - the breakdown report as its screen makes it: the fetch, the report text, its A4 pages written
//   as a PDF file.
// Each run is a process of its own, so its peak memory is its own.
//
//   bench_reports [stamps...]     (defaults: 500 5000)

#include "platform/core/Pictures.h"
#include "platform/core/ReportPages.h"
#include "reports/StampReport.h"
#include "store/Entities.h"
#include "store/Model.h"
#include "store/ObjectContext.h"
#include "store/PersistentContainer.h"
#include "store/StampGroups.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextDocument>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace {

constexpr QSize PictureSize(1155, 866);
// Distinct pictures, shared round the collection: encoding thousands would only slow the set-up.
constexpr int DistinctPictures = 24;
// How the PDF engine keeps a picture, and how finely a report decodes one.
constexpr int PdfJpegQuality = 94;
constexpr double PrintDotsPerInch = 300.0;
constexpr double PointsPerInch = 72.0;

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// The processor time of this process, all its threads, in milliseconds: the machine is shared,
// and time spent waiting for another program's turn is no work of the report's.
double processorMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double milliseconds(const timeval& time)
{
    return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

// A picture with what a photograph of a stamp has: shading, shapes, lettering and grain, so the
// JPEG is of a realistic size.
QImage stampPicture(QRandomGenerator& random, int number)
{
    QImage image(PictureSize, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient paper(0, 0, PictureSize.width(), PictureSize.height());
    paper.setColorAt(0, QColor::fromHsv(random.bounded(360), 60, 230));
    paper.setColorAt(1, QColor::fromHsv(random.bounded(360), 120, 140));
    painter.fillRect(image.rect(), paper);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 80; ++i) {
        painter.setBrush(QColor::fromHsv(random.bounded(360), random.bounded(40, 255),
                                         random.bounded(60, 255), random.bounded(60, 200)));
        painter.setPen(QPen(QColor::fromHsv(random.bounded(360), 200, 80), random.bounded(1, 6)));
        painter.drawEllipse(
            QPoint(random.bounded(PictureSize.width()), random.bounded(PictureSize.height())),
            random.bounded(10, 200), random.bounded(10, 200));
    }
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(150);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("%1c").arg(number));
    painter.end();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = random.bounded(-12, 13);
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + grain, 255), qBound(0, qGreen(c) + grain, 255),
                           qBound(0, qBlue(c) + grain, 255));
        }
    }
    return image;
}

// A store of `count` stamps of 1962, each with a picture, saved in batches as a collector's
// store would have been filled.
qint64 fillStore(const QString& folder, int count, const QList<QByteArray>& pictures)
{
    PersistentContainer container(QString::fromLatin1(Model::Name), folder);
    if (!container.loadPersistentStores())
        qFatal("The store could not be made");
    ObjectContext& context = container.viewContext();
    QRandomGenerator random(1962);
    qint64 pictureBytes = 0;
    QList<Stamps*> batch;
    for (int i = 0; i < count; ++i) {
        auto* stamp = context.insertNewObject<Stamps>();
        stamp->setDenomination(QStringLiteral("%1c").arg(random.bounded(1, 500)));
        stamp->setYearOfIssue(1962);
        stamp->setCountry(QStringLiteral("Country %1").arg(random.bounded(40)));
        stamp->setScottNumber(QString::number(random.bounded(1, 5000)));
        stamp->setDescrip(QStringLiteral("A stamp of the 1962 issue, number %1").arg(i));
        stamp->setStatus(QStringLiteral("Have"));
        stamp->setCondition(QStringLiteral("Mint"));
        stamp->setNotes(QStringLiteral("Bought at the autumn fair"));
        stamp->setQuantity(qint16(random.bounded(1, 5)));
        stamp->setValue(float(random.bounded(1, 100000)) / 100.0f);
        stamp->setCost(float(random.bounded(1, 10000)) / 100.0f);
        const QByteArray& picture = pictures.at(i % pictures.size());
        stamp->setStampImage(picture);
        pictureBytes += picture.size();
        batch << stamp;
        if (batch.size() == 100 || i == count - 1) {
            if (!context.save())
                qFatal("The generated collection could not be saved");
            for (Stamps* saved : std::as_const(batch))
                saved->releaseAttribute(QStringLiteral("stampImage"));
            batch.clear();
        }
    }
    return pictureBytes;
}

// The breakdown report as its screen makes it, in a process of its own: open the store, fetch,
// build the report text and write its PDF file.
int measureBreakdown(const QString& folder, const QString& pdf)
{
    PersistentContainer container(QString::fromLatin1(Model::Name), folder);
    if (!container.loadPersistentStores())
        qFatal("The store could not be opened");
    QElapsedTimer timer;
    timer.start();
    const double processorStart = processorMilliseconds();
    const StampGroup& year = StampGroups::Year;
    const QList<Stamps*> stamps =
        container.viewContext()
            .fetch<Stamps>(year.predicate(QStringLiteral("1962")), year.order(true))
            .value();
    const double fetched = milliseconds(timer);
    const QtPictures pictures;
    timer.restart();
    const std::unique_ptr<QTextDocument> report = StampReports::buildBreakdown(
        StampReports::breakdown(year), stamps, ReportPages::DefaultViewWidth, pictures);
    const double built = milliseconds(timer);
    timer.restart();
    if (!ReportPages::writePdf(*report, pdf))
        qFatal("The report could not be written");
    const double written = milliseconds(timer);
    const double processor = processorMilliseconds() - processorStart;
    std::printf("%.1f %.1f %.1f %.1f %.1f\n", fetched, built, written, processor, peakMegabytes());
    return 0;
}

// The raw work of the reports' pictures, in a process of its own: each picture, read from the
// store untimed, decoded straight to its printed size and encoded as the PDF engine does.
int measureRaw(const QString& folder)
{
    PersistentContainer container(QString::fromLatin1(Model::Name), folder);
    if (!container.loadPersistentStores())
        qFatal("The store could not be opened");
    const QList<Stamps*> stamps = container.viewContext().fetch<Stamps>().value();
    const QtPictures pictures;
    QElapsedTimer timer;
    double raw = 0;
    double processor = 0;
    for (Stamps* stamp : stamps) {
        const QByteArray bytes = stamp->stampImage().value_or(QByteArray());
        stamp->releaseAttribute(QStringLiteral("stampImage"));
        const QSizeF points =
            ReportPages::pictureSize(pictures.sizeOf(bytes), ReportPages::DefaultViewWidth / 6.0);
        const double dotsPerPoint = PrintDotsPerInch / PointsPerInch;
        const QSize dots(int(std::ceil(points.width() * dotsPerPoint)),
                         int(std::ceil(points.height() * dotsPerPoint)));
        timer.restart();
        const double processorStart = processorMilliseconds();
        const QImage image = pictures.decodeScaled(bytes, dots);
        QByteArray encoded;
        QBuffer buffer(&encoded);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(PdfJpegQuality);
        if (image.isNull() || !writer.write(image))
            qFatal("A picture did not decode or encode");
        raw += milliseconds(timer);
        processor += processorMilliseconds() - processorStart;
    }
    std::printf("%.1f %.1f\n", raw, processor);
    return 0;
}

// `vellora --report all`, in a process of this one's own, so that its peak memory is the only
// child's: its time from start to exit, as a script would see it.
int measureCommandLine(const QString& folder, const QString& pdf)
{
    QProcess vellora;
    vellora.setProcessChannelMode(QProcess::ForwardedChannels);
    QElapsedTimer timer;
    timer.start();
    vellora.start(QStringLiteral(VELLORA_EXECUTABLE),
                  {QStringLiteral("--data-dir"), folder, QStringLiteral("--report"),
                   QStringLiteral("all"), QStringLiteral("--output"), pdf});
    if (!vellora.waitForFinished(-1) || vellora.exitCode() != 0)
        qFatal("vellora --report all failed");
    const double elapsed = milliseconds(timer);
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    std::printf("%.1f %.1f %.1f\n", elapsed,
                milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime),
                double(usage.ru_maxrss) / 1024.0);
    return 0;
}

// Runs this program again with `arguments` and returns the figures it printed.
QList<double> figuresOf(const QStringList& arguments, qsizetype count)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        qFatal("A measuring run failed");
    const QStringList words =
        QString::fromLatin1(child.readAllStandardOutput()).simplified().split(QLatin1Char(' '));
    if (words.size() != count)
        qFatal("A measuring run said something unexpected");
    QList<double> figures;
    for (const QString& word : words)
        figures << word.toDouble();
    return figures;
}

double fileMegabytes(const QString& path)
{
    return double(QFileInfo(path).size()) / 1024.0 / 1024.0;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*.info=false");
    QGuiApplication application(argc, argv);
    QStringList arguments = application.arguments();
    if (arguments.size() == 4 && arguments.at(1) == QLatin1String("--breakdown"))
        return measureBreakdown(arguments.at(2), arguments.at(3));
    if (arguments.size() == 3 && arguments.at(1) == QLatin1String("--raw"))
        return measureRaw(arguments.at(2));
    if (arguments.size() == 4 && arguments.at(1) == QLatin1String("--all"))
        return measureCommandLine(arguments.at(2), arguments.at(3));

    QList<int> sizes;
    for (const QString& argument : arguments.mid(1))
        sizes << argument.toInt();
    if (sizes.isEmpty())
        sizes = {500, 5000};

    QRandomGenerator random(20261206);
    QList<QByteArray> pictures;
    const QtPictures coding;
    for (int i = 0; i < DistinctPictures; ++i)
        pictures << coding.encodeJpeg(stampPicture(random, i + 1), 0.6).value();
    qint64 total = 0;
    for (const QByteArray& picture : std::as_const(pictures))
        total += picture.size();
    std::printf("Pictures: %d x %d, JPEG at quality 60, %lld KB on average\n\n",
                PictureSize.width(), PictureSize.height(), total / pictures.size() / 1024);
    // Times as a clock on the wall shows them, then the processor time the work took.
    std::printf("%7s | %-33s | %-49s | %-15s | %s\n", "", "vellora --report all",
                "breakdown report (fetch, build, write)", "raw work", "report / raw");
    std::printf("%7s | %8s %8s %7s %7s | %8s %8s %8s %8s %7s %7s | %7s %7s | %5s %5s %5s %5s\n",
                "stamps", "wall ms", "cpu ms", "PDF MB", "peak MB", "fetch", "build", "write",
                "cpu ms", "PDF MB", "peak MB", "wall ms", "cpu ms", "all", "cpu", "bd", "cpu");
    std::fflush(stdout);

    for (const int size : std::as_const(sizes)) {
        QTemporaryDir folder;
        fillStore(folder.path(), size, pictures);
        const QString allFile = folder.filePath(QStringLiteral("AllStamps.pdf"));
        const QString breakdownFile = folder.filePath(QStringLiteral("StampsFilteredByYear.pdf"));
        const QList<double> all = figuresOf({QStringLiteral("--all"), folder.path(), allFile}, 3);
        const QList<double> breakdown =
            figuresOf({QStringLiteral("--breakdown"), folder.path(), breakdownFile}, 5);
        const QList<double> raw = figuresOf({QStringLiteral("--raw"), folder.path()}, 2);
        const double breakdownWall = breakdown.at(0) + breakdown.at(1) + breakdown.at(2);
        std::printf("%7d | %8.0f %8.0f %7.1f %7.0f | %8.0f %8.0f %8.0f %8.0f %7.1f %7.0f | %7.0f "
                    "%7.0f | %5.2f %5.2f %5.2f %5.2f\n",
                    size, all.at(0), all.at(1), fileMegabytes(allFile), all.at(2), breakdown.at(0),
                    breakdown.at(1), breakdown.at(2), breakdown.at(3), fileMegabytes(breakdownFile),
                    breakdown.at(4), raw.at(0), raw.at(1), all.at(0) / raw.at(0),
                    all.at(1) / raw.at(1), breakdownWall / raw.at(0), breakdown.at(3) / raw.at(1));
        std::fflush(stdout);
    }
    return 0;
}
