// Times the export file's writer and reader against the same work done bare: the export against
// decoding and encoding the same pictures on every core (plus the rows read and written with raw
// SQLite); the import against raw SQLite inserting the same rows in one transaction, and the same
// import again against the raw look-ups of its keys, both parsing the file alike. Then the peak
// memory of `vellora --import`, and what an import that changes nothing writes.
//
//   bench_exchange [stamps] [one-in-N-with-a-picture] [picture-width]   (defaults: 100000 10 480)

#include "exchange/ExchangeFormat.h"
#include "exchange/ExportFile.h"
#include "exchange/ImportFile.h"
#include "platform/core/Pictures.h"
#include "store/Entities.h"
#include "store/Model.h"
#include "store/NumberText.h"
#include "store/ObjectContext.h"
#include "store/PersistentContainer.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThreadPool>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <future>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>

namespace {

constexpr int DistinctPictures = 12;

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Shading, shapes and grain, so the JPEG is of a photograph's size: about 130 KB at 1155 pixels
// wide, 32 KB at 480.
QByteArray stampPicture(QRandomGenerator& random, int width)
{
    const QSize PictureSize(width, width * 3 / 4);
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

// The lines of the export file with their fields, parsed as bare as can be: split, unescaped,
// numbers read, pictures decoded from Base64. `row` is given each line's values in field order.
template <class Row> void parseLines(const QString& path, Row row)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the export file could not be read");
    std::vector<QVariant> values(ExchangeFormat::FieldCount);
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).chopped(1);
        if (line.isEmpty() || line == QLatin1String(ExportFile::Marker))
            continue;
        const QStringList fields = ExchangeFormat::splitFields(line);
        for (int i = 0; i < ExchangeFormat::FieldCount; ++i) {
            const QString& field = fields.at(i);
            switch (ExchangeFormat::Fields[i].type) {
            case AttributeType::Float:
                values[i] = double(std::strtof(field.toLatin1().constData(), nullptr));
                break;
            case AttributeType::Int16:
                values[i] = qint64(field.toInt());
                break;
            case AttributeType::Bytes:
                values[i] = field.isEmpty() ? QVariant()
                                            : QVariant(QByteArray::fromBase64(field.toLatin1()));
                break;
            default:
                values[i] =
                    field.isEmpty() ? QVariant() : QVariant(ExchangeFormat::unescaped(field));
            }
        }
        row(values);
    }
}

sqlite3* rawConnection(const QString& path)
{
    sqlite3* connection = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &connection) != SQLITE_OK)
        qFatal("raw open failed");
    sqlite3_exec(connection, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL", nullptr, nullptr,
                 nullptr);
    return connection;
}

sqlite3_stmt* rawStatement(sqlite3* connection, const QString& sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection, sql.toUtf8().constData(), -1, &statement, nullptr) !=
        SQLITE_OK)
        qFatal("raw prepare failed: %s", sqlite3_errmsg(connection));
    return statement;
}

void rawBind(sqlite3_stmt* statement, int mark, const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString: {
        const QString text = value.toString();
        sqlite3_bind_text16(statement, mark, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
        break;
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        sqlite3_bind_blob(statement, mark, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        break;
    }
    case QMetaType::LongLong:
        sqlite3_bind_int64(statement, mark, value.toLongLong());
        break;
    case QMetaType::Double:
        sqlite3_bind_double(statement, mark, value.toDouble());
        break;
    default:
        sqlite3_bind_null(statement, mark);
    }
}

// The rows of the file inserted bare into a fresh store (with Vellora's tables and indexes): the
// file parsed, one prepared statement, one transaction.
double rawInsert(const QString& storePath, const QString& input)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3* connection = rawConnection(storePath);
    QString marks = QStringLiteral("?");
    for (int i = 1; i < ExchangeFormat::FieldCount; ++i)
        marks += QStringLiteral(",?");
    sqlite3_stmt* insert = rawStatement(
        connection, QStringLiteral("INSERT INTO Stamps (%1) VALUES (%2)").arg(columnList(), marks));
    sqlite3_exec(connection, "BEGIN", nullptr, nullptr, nullptr);
    parseLines(input, [&](const std::vector<QVariant>& values) {
        for (int i = 0; i < ExchangeFormat::FieldCount; ++i)
            rawBind(insert, i + 1, values[i]);
        if (sqlite3_step(insert) != SQLITE_DONE)
            qFatal("raw insert failed: %s", sqlite3_errmsg(connection));
        sqlite3_reset(insert);
    });
    sqlite3_exec(connection, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_finalize(insert);
    sqlite3_close(connection);
    return milliseconds(timer);
}

// The file parsed and each line's key looked up bare, as an import that changes nothing must.
double rawLookUps(const QString& storePath, const QString& input)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3* connection = rawConnection(storePath);
    sqlite3_stmt* find = rawStatement(
        connection,
        QStringLiteral(
            "SELECT id FROM Stamps WHERE country = ? AND denomination = ? AND yearOfIssue = ?"));
    qint64 found = 0;
    parseLines(input, [&](const std::vector<QVariant>& values) {
        rawBind(find, 1, values[ExchangeFormat::CountryField]);
        rawBind(find, 2, values[ExchangeFormat::DenominationField]);
        rawBind(find, 3, values[ExchangeFormat::YearField]);
        while (sqlite3_step(find) == SQLITE_ROW)
            ++found;
        sqlite3_reset(find);
    });
    sqlite3_finalize(find);
    sqlite3_close(connection);
    if (found == 0)
        qFatal("the raw look-ups found nothing");
    return milliseconds(timer);
}

// The file imported into the store in the folder, and how long it took.
std::pair<ImportSummary, double> timedImport(const QString& folder, const QString& path)
{
    const auto container = openStore(folder);
    QFile input(path);
    input.open(QIODevice::ReadOnly);
    QElapsedTimer timer;
    timer.start();
    ImportSummary summary = ImportFile::merge(container->viewContext(), input);
    return {summary, milliseconds(timer)};
}

// Runs `vellora --import` on the file, as the collector's command line does, through this program
// started again as a small process (--peak-memory-of): a child forked straight from this one
// would count the pages it shares with it. The import's peak memory in kilobytes.
long importByCommandLine(const QString& folder, const QString& input)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--peak-memory-of"), QStringLiteral(VELLORA_EXECUTABLE),
                 QStringLiteral("--data-dir"), folder, QStringLiteral("--import"), input});
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        qFatal("vellora --import failed: %s", child.readAllStandardError().constData());
    return child.readAllStandardOutput().trimmed().split('\n').constLast().toLong();
}

// Runs the program with its arguments and prints its peak memory (kilobytes); its exit status.
int peakMemoryOf(char* arguments[])
{
    pid_t pid = 0;
    if (posix_spawn(&pid, arguments[0], nullptr, nullptr, arguments, environ) != 0)
        return 127;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return 127;
    std::printf("%ld\n", usage.ru_maxrss);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

qint64 fileSize(const QString& path)
{
    return QFileInfo(path).size();
}

QByteArray fileDigest(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex().left(16);
}

void run(int count, int pictureEvery, const QList<QByteArray>& pictures)
{
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("source"));
    QElapsedTimer timer;
    timer.start();
    fillStore(source, count, pictureEvery, pictures);
    std::printf("\n%d stamps, one in %d with a picture: generated in %.0f ms\n", count,
                pictureEvery, milliseconds(timer));

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

    // The import in this process against the rows inserted bare, both from the file.
    const QString target = folder.filePath(QStringLiteral("target"));
    const auto [added, imported] = timedImport(target, exportPath);
    if (added.added != count)
        qFatal("import added %lld", static_cast<long long>(added.added));
    openStore(folder.filePath(QStringLiteral("raw"))).reset();
    const double inserted =
        rawInsert(folder.filePath(QStringLiteral("raw/Vellora.sqlite")), exportPath);
    std::printf("import into an empty store: %.0f ms; raw SQLite (one statement, one "
                "transaction, same parsing) %.0f ms; import / raw = %.2f\n",
                imported, inserted, imported / inserted);

    // The same file again: every line matches its stamp and nothing differs.
    const auto [updated, again] = timedImport(target, exportPath);
    if (updated.updated != count)
        qFatal("import again updated %lld", static_cast<long long>(updated.updated));
    const double lookUps =
        rawLookUps(folder.filePath(QStringLiteral("target/Vellora.sqlite")), exportPath);
    std::printf("the same import again: %.0f ms; raw look-ups of the keys with the same parsing "
                "%.0f ms; again / raw = %.2f\n",
                again, lookUps, again / lookUps);

    // The command line: peak memory of a whole import, then what an import that changes nothing
    // writes, seen with a connection held open so that closing does not fold the log away.
    const QString cli = folder.filePath(QStringLiteral("cli"));
    openStore(cli).reset();
    const long peak = importByCommandLine(cli, exportPath);
    const QString store = cli + QStringLiteral("/Vellora.sqlite");
    sqlite3* watcher = rawConnection(store);
    sqlite3_exec(watcher, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
    const qint64 walBefore = fileSize(store + QStringLiteral("-wal"));
    const QByteArray digestBefore = fileDigest(store);
    importByCommandLine(cli, exportPath);
    const qint64 walAfter = fileSize(store + QStringLiteral("-wal"));
    const bool unchanged = fileDigest(store) == digestBefore;
    sqlite3_close(watcher);
    std::printf("vellora --import: peak memory %.0f MB; again: %lld bytes written to the log, "
                "store file %s\n",
                double(peak) / 1024.0, static_cast<long long>(walAfter - walBefore),
                unchanged ? "unchanged" : "CHANGED");
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 2 && std::strcmp(argv[1], "--peak-memory-of") == 0)
        return peakMemoryOf(argv + 2);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QGuiApplication application(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int pictureEvery = argc > 2 ? std::atoi(argv[2]) : 10;
    const int pictureWidth = argc > 3 ? std::atoi(argv[3]) : 480;
    QRandomGenerator random(24);
    QList<QByteArray> pictures;
    for (int i = 0; i < DistinctPictures; ++i)
        pictures << stampPicture(random, pictureWidth);
    std::printf("cores: %d; pictures of about %lld KB\n", QThread::idealThreadCount(),
                static_cast<long long>(pictures.first().size() / 1024));
    run(count, pictureEvery, pictures);
    return 0;
}
