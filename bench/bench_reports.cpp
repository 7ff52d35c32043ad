// Times the breakdown report of collections whose every stamp has a 1-megapixel picture: the
// report text with its pictures, then its A4 pages written as a PDF file, against the cost of
// decoding the same pictures at full size (the codec alone). Each size runs in a fresh process,
// so its peak memory is its own.
//
//   bench_reports [stamps...]     (defaults: 100 500 2000)

#include "platform/core/Pictures.h"
#include "platform/core/ReportPages.h"
#include "reports/StampReport.h"
#include "store/Entities.h"
#include "store/Model.h"
#include "store/ObjectContext.h"
#include "store/PersistentContainer.h"
#include "store/StampGroups.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextDocument>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr QSize PictureSize(1155, 866);
// Distinct pictures, shared round the collection: encoding thousands would only slow the set-up.
constexpr int DistinctPictures = 24;

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
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

// The measured run, in a process of its own: open the store, build and write the report, then
// decode the same pictures at full size.
int measure(const QString& folder, const QString& pdf)
{
    PersistentContainer container(QString::fromLatin1(Model::Name), folder);
    if (!container.loadPersistentStores())
        qFatal("The store could not be opened");
    QElapsedTimer timer;
    timer.start();
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
    const double peak = peakMegabytes();

    double codec = 0;
    for (Stamps* stamp : stamps) {
        const QByteArray bytes = stamp->stampImage().value_or(QByteArray());
        stamp->releaseAttribute(QStringLiteral("stampImage"));
        timer.restart();
        if (QImage::fromData(bytes).isNull())
            qFatal("A picture did not decode");
        codec += milliseconds(timer);
    }
    std::printf("%lld %.1f %.1f %.1f %.1f %.1f\n", QFileInfo(pdf).size(), fetched, built, written,
                peak, codec);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*.info=false");
    QGuiApplication application(argc, argv);
    QStringList arguments = application.arguments();
    if (arguments.size() == 4 && arguments.at(1) == QLatin1String("--measure"))
        return measure(arguments.at(2), arguments.at(3));

    QList<int> sizes;
    for (const QString& argument : arguments.mid(1))
        sizes << argument.toInt();
    if (sizes.isEmpty())
        sizes = {100, 500, 2000};

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
    std::printf("%7s %10s %10s %10s %10s %10s %10s %10s %12s\n", "stamps", "fetch ms", "build ms",
                "write ms", "total ms", "PDF MB", "peak MB", "codec ms", "total/codec");
    std::fflush(stdout);

    for (const int size : std::as_const(sizes)) {
        QTemporaryDir folder;
        fillStore(folder.path(), size, pictures);
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--measure"), folder.path(),
                     folder.filePath(QStringLiteral("StampsFilteredByYear.pdf"))});
        if (!child.waitForFinished(-1) || child.exitCode() != 0)
            qFatal("The measuring run failed");
        const QStringList figures =
            QString::fromLatin1(child.readAllStandardOutput()).simplified().split(QLatin1Char(' '));
        if (figures.size() != 6)
            qFatal("The measuring run said something unexpected");
        const double pdfMegabytes = figures.at(0).toDouble() / 1024.0 / 1024.0;
        const double fetched = figures.at(1).toDouble();
        const double built = figures.at(2).toDouble();
        const double written = figures.at(3).toDouble();
        const double all = fetched + built + written;
        const double codec = figures.at(5).toDouble();
        std::printf("%7d %10.0f %10.0f %10.0f %10.0f %10.1f %10.0f %10.0f %12.2f\n", size, fetched,
                    built, written, all, pdfMegabytes, figures.at(4).toDouble(), codec,
                    all / codec);
        std::fflush(stdout);
    }
    return 0;
}
