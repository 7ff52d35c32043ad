// Times the export file's writer and reader against the same work done bare: the export against
// decoding and encoding the same pictures on every core (plus the rows read and written with raw
// SQLite), the import against raw SQLite statements with the same look-ups and one commit per line.
//
//   bench_exchange [stamps-with-pictures] [stamps-without]     (defaults: 10000 100000)

#include "exchange/ExchangeFormat.h"
#include "exchange/ExportFile.h"
#include "exchange/ImportFile.h"
#include "platform/core/Pictures.h"
#include "store/Entities.h"
#include "store/Model.h"
#include "store/NumberText.h"
#include "store/ObjectContext.h"
#include "store/PersistentContainer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThreadPool>
#include <cstdio>
#include <cstdlib>
#include <future>

namespace {

constexpr QSize PictureSize(1155, 866);
constexpr int DistinctPictures = 12;

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Shading, shapes and grain, so the JPEG is of a photograph's size (about 130 KB).
QByteArray stampPicture(QRandomGenerator& random)
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
        painter.drawEllipse(
            QPoint(random.bounded(PictureSize.width()), random.bounded(PictureSize.height())),
            random.bounded(10, 200), random.bounded(10, 200));
    }
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
    return QtPictures().encodeJpeg(image, 0.6).value();
}

std::unique_ptr<PersistentContainer> openStore(const QString& folder)
{
    auto container =
        std::make_unique<PersistentContainer>(QString::fromLatin1(Model::Name), folder);
    if (!container->loadPersistentStores())
        qFatal("The store could not be opened");
    return container;
}

// `count` stamps, every `pictureEvery`th with a picture (0: none), saved in
// batches of 1,000.
void fillStore(const QString& folder, int count, int pictureEvery,
               const QList<QByteArray>& pictures)
{
    const auto container = openStore(folder);
    ObjectContext& context = container->viewContext();
    QRandomGenerator random(1962);
    QList<Stamps*> batch;
    for (int i = 0; i < count; ++i) {
        auto* stamp = context.insertNewObject<Stamps>();
        // Keys unique to each stamp, so the import adds every line.
        stamp->setDenomination(QStringLiteral("%1c").arg(i % 500 + 1));
        stamp->setYearOfIssue(qint16(1840 + (i / 500) % 184));
        stamp->setCountry(QStringLiteral("Country %1").arg(i / (500 * 184)));
        stamp->setScottNumber(QString::number(random.bounded(1, 5000)));
        stamp->setDescrip(QStringLiteral("A stamp of the issue, number %1").arg(i));
        stamp->setStatus(QStringLiteral("Have"));
        stamp->setCondition(QStringLiteral("Mint"));
        stamp->setNotes(QStringLiteral("Bought at the autumn fair"));
        stamp->setQuantity(qint16(random.bounded(1, 5)));
        stamp->setValue(float(random.bounded(1, 100000)) / 100.0f);
        stamp->setCost(float(random.bounded(1, 10000)) / 100.0f);
        if (pictureEvery > 0 && i % pictureEvery == 0)
            stamp->setStampImage(pictures.at((i / pictureEvery) % pictures.size()));
        batch << stamp;
        if (batch.size() == 1000 || i == count - 1) {
            if (!context.save())
                qFatal("The generated collection could not be saved");
            for (Stamps* saved : std::as_const(batch))
                saved->releaseAttribute(QStringLiteral("stampImage"));
            batch.clear();
        }
    }
}

QSqlDatabase rawDatabase(const QString& path, const QString& name)
{
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    database.setDatabaseName(path);
    if (!database.open())
        qFatal("raw open failed");
    QSqlQuery pragma(database);
    pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    pragma.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    return database;
}

QString columnList()
{
    QStringList names;
    for (const ExchangeFormat::Field& field : ExchangeFormat::Fields)
        names << QString::fromLatin1(field.attribute);
    return names.join(u',');
}

// The export done bare: the rows read in export order with one raw statement and written as
// lines, the pictures left out (timed apart, as the codec work).
double rawExport(const QString& storePath, const QString& output)
{
    QElapsedTimer timer;
    timer.start();
    {
        QSqlDatabase database = rawDatabase(storePath, QStringLiteral("rawExport"));
        QSqlQuery query(database);
        query.setForwardOnly(true);
        query.exec(QStringLiteral("SELECT %1 FROM Stamps ORDER BY denomination, yearOfIssue, "
                                  "country")
                       .arg(columnList().replace(QLatin1String("stampImage"), QLatin1String("0"))));
        QFile file(output);
        file.open(QIODevice::WriteOnly);
        file.write("[VELLORA]\n");
        while (query.next()) {
            QString line;
            for (int i = 0; i < ExchangeFormat::FieldCount - 1; ++i) {
                const QVariant value = query.value(i);
                switch (ExchangeFormat::Fields[i].type) {
                case AttributeType::Float:
                    line += NumberText::floatText(value.toFloat());
                    break;
                case AttributeType::Int16:
                    line += QString::number(value.toInt());
                    break;
                default:
                    ExchangeFormat::appendEscaped(line, value.toString());
                }
                line += u'^';
            }
            line += u'\n';
            file.write(line.toUtf8());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("rawExport"));
    return milliseconds(timer);
}

// The pictures of the collection decoded, encoded at quality 60 and put in Base64, on every core.
double bareCodec(const QList<QByteArray>& stored, bool parallel)
{
    const QtPictures coding;
    const auto work = [&coding](const QByteArray& bytes) {
        return coding.encodeJpeg(coding.decode(bytes), 0.6).value().toBase64().size();
    };
    QElapsedTimer timer;
    timer.start();
    if (parallel) {
        QThreadPool pool;
        for (const QByteArray& bytes : stored)
            pool.start([&work, bytes] { work(bytes); });
        pool.waitForDone();
    } else {
        for (const QByteArray& bytes : stored)
            work(bytes);
    }
    return milliseconds(timer);
}

// The import done bare into a fresh store: each line split, its picture decoded, the same look-up
// and an insert, one commit per line.
double rawImport(const QString& storePath, const QString& text)
{
    QElapsedTimer timer;
    timer.start();
    {
        QSqlDatabase database = rawDatabase(storePath, QStringLiteral("rawImport"));
        QSqlQuery find(database);
        find.prepare(QStringLiteral(
            "SELECT id FROM Stamps WHERE country = ? AND denomination = ? AND yearOfIssue = ?"));
        QSqlQuery insert(database);
        QString marks = QStringLiteral("?");
        for (int i = 1; i < ExchangeFormat::FieldCount; ++i)
            marks += QStringLiteral(",?");
        insert.prepare(
            QStringLiteral("INSERT INTO Stamps (%1) VALUES (%2)").arg(columnList(), marks));
        for (const QString& line : text.split(u'\n')) {
            if (line.isEmpty() || line == QLatin1String(ExportFile::Marker))
                continue;
            const QStringList fields = ExchangeFormat::splitFields(line);
            find.addBindValue(fields.at(ExchangeFormat::CountryField));
            find.addBindValue(fields.at(ExchangeFormat::DenominationField));
            find.addBindValue(fields.at(ExchangeFormat::YearField).toInt());
            find.exec();
            while (find.next()) {
            }
            database.transaction();
            for (int i = 0; i < ExchangeFormat::FieldCount; ++i) {
                const QString& field = fields.at(i);
                switch (ExchangeFormat::Fields[i].type) {
                case AttributeType::Float:
                    insert.addBindValue(double(std::strtof(field.toLatin1().constData(), nullptr)));
                    break;
                case AttributeType::Int16:
                    insert.addBindValue(field.toInt());
                    break;
                case AttributeType::Bytes:
                    insert.addBindValue(field.isEmpty()
                                            ? QVariant(QMetaType(QMetaType::QByteArray))
                                            : QVariant(QByteArray::fromBase64(field.toLatin1())));
                    break;
                default:
                    insert.addBindValue(field.isEmpty()
                                            ? QVariant(QMetaType(QMetaType::QString))
                                            : QVariant(ExchangeFormat::unescaped(field)));
                }
            }
            if (!insert.exec())
                qFatal("raw insert failed: %s", qPrintable(insert.lastError().text()));
            database.commit();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("rawImport"));
    return milliseconds(timer);
}

void run(int count, int pictureEvery, const QList<QByteArray>& pictures)
{
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("source"));
    QElapsedTimer timer;
    timer.start();
    fillStore(source, count, pictureEvery, pictures);
    std::printf("\n%d stamps, %s: generated in %.0f ms\n", count,
                pictureEvery ? "one in ten with a 1-megapixel picture" : "no pictures",
                milliseconds(timer));

    const QString exportPath = folder.filePath(QStringLiteral("Vellora.csv"));
    QList<QByteArray> stored;
    double exported = 0;
    {
        const auto container = openStore(source);
        const QtPictures coding;
        timer.restart();
        const Result<ExportFile::Written> result =
            ExportFile::writeFile(container->viewContext(), coding, exportPath);
        exported = milliseconds(timer);
        if (!result)
            qFatal("export failed: %s", qPrintable(result.error()));
        for (Stamps* stamp : container->viewContext().fetch<Stamps>().value())
            if (const std::optional<QByteArray> bytes = stamp->stampImage())
                stored << *bytes;
    }
    const double raw = rawExport(source + QStringLiteral("/Vellora.sqlite"),
                                 folder.filePath(QStringLiteral("raw.csv")));
    const double codec = stored.isEmpty() ? 0 : bareCodec(stored, true);
    const double serialCodec = stored.isEmpty() ? 0 : bareCodec(stored, false);
    QFile file(exportPath);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    std::printf("export: %.0f ms (file %.1f MB); raw SQLite rows %.0f ms", exported,
                double(bytes.size()) / 1e6, raw);
    if (!stored.isEmpty())
        std::printf(" + bare codec on all cores %.0f ms (one core %.0f ms)", codec, serialCodec);
    std::printf("; export / bare = %.2f\n", exported / (raw + codec));

    const QString text = ImportFile::decode(bytes);
    double imported = 0;
    {
        const auto container = openStore(folder.filePath(QStringLiteral("target")));
        timer.restart();
        const ImportSummary summary = ImportFile::merge(container->viewContext(), text);
        imported = milliseconds(timer);
        if (summary.added != count)
            qFatal("import added %lld", static_cast<long long>(summary.added));
    }
    openStore(folder.filePath(QStringLiteral("raw"))).reset();
    const double rawImported =
        rawImport(folder.filePath(QStringLiteral("raw/Vellora.sqlite")), text);
    std::printf("import into an empty store: %.0f ms; raw SQLite (same look-ups, one commit a "
                "line) %.0f ms; import / raw = %.2f\n",
                imported, rawImported, imported / rawImported);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const int withPictures = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int without = argc > 2 ? std::atoi(argv[2]) : 100000;
    QRandomGenerator random(24);
    QList<QByteArray> pictures;
    for (int i = 0; i < DistinctPictures; ++i)
        pictures << stampPicture(random);
    std::printf("cores: %d\n", QThread::idealThreadCount());
    if (withPictures > 0)
        run(withPictures, 10, pictures);
    if (without > 0)
        run(without, 0, pictures);
    return 0;
}
