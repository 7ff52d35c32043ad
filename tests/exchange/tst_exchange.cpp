#include "FailureText.h"
#include "StoreSurgery.h"
#include "TemporaryStore.h"
#include "VelloraProcess.h"
#include "exchange/ExportFile.h"
#include "exchange/ImportFile.h"
#include "exchange/LineReader.h"
#include "platform/core/Pictures.h"
#include "store/Entities.h"
#include "store/ObjectContext.h"
#include "store/StoreBackup.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlQuery>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QtPictures Coding;

QByteArray jpeg(QColor colour = QColor(20, 30, 140))
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(colour);
    QPainter painter(&image);
    painter.fillRect(10, 10, 30, 12, Qt::white);
    painter.end();
    return Coding.encodeJpeg(image, 0.9).value();
}

Stamps* addStamp(ObjectContext& context, const QString& denomination, qint16 year,
                 const std::optional<QString>& country)
{
    Stamps* stamp = context.insertNewObject<Stamps>();
    stamp->setDenomination(denomination);
    stamp->setYearOfIssue(year);
    stamp->setCountry(country);
    return stamp;
}

QByteArray exported(ObjectContext& context)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const Result<ExportFile::Written> result = ExportFile::write(context, Coding, buffer);
    if (!result)
        qWarning("export failed: %s", qPrintable(result.error()));
    return buffer.data();
}

// The record lines of an export, the marker line left out.
QList<QByteArray> recordLines(const QByteArray& file)
{
    QList<QByteArray> lines = file.split('\n');
    lines.removeFirst(); // the marker
    lines.removeLast();  // after the last line feed
    return lines;
}

QString field(const QByteArray& line, int position)
{
    return QString::fromUtf8(line.split('^').at(position - 1));
}

// Merges the bytes of an export file as the import reads a file.
ImportSummary merged(ObjectContext& context, const QByteArray& file,
                     const WorkProgress& progress = {})
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    return ImportFile::merge(context, buffer, progress);
}

ImportSummary merged(ObjectContext& context, const QString& text, const WorkProgress& progress = {})
{
    return merged(context, text.toUtf8(), progress);
}

QList<Stamps*> allStamps(ObjectContext& context)
{
    return context.fetch<Stamps>({}, {{QStringLiteral("denomination"), true}}).value();
}

// Each attribute's value as the store gives it, for comparing two stamps.
QVariantList attributes(Stamps& stamp)
{
    QVariantList values;
    for (const AttributeDescription& attribute : stamp.entity().attributes())
        values.append(stamp.value(attribute.name));
    return values;
}

VelloraRun vellora(const QStringList& arguments)
{
    return runVellora(QStringLiteral(VELLORA_EXECUTABLE), arguments);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A file's or folder's rights, in octal: "600".
QString modeOf(const QString& path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return QStringLiteral("missing");
    return QString::number(status.st_mode & 07777, 8);
}

// Starts vellora as a desktop usually starts programs: with umask 022, so files are made
// readable by everyone unless the program says otherwise.
void startUnderUmask022(QProcess& child, const QStringList& arguments)
{
    child.start(QStringLiteral("/bin/sh"),
                QStringList{QStringLiteral("-c"), QStringLiteral("umask 022; exec \"$@\""),
                            QStringLiteral("sh"), QStringLiteral(VELLORA_EXECUTABLE)} +
                    arguments);
}

} // namespace

class ExchangeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writerWritesNumbersAndOrder()
    {
        TemporaryStore store;
        QCOMPARE(exported(store.context()), QByteArray("[VELLORA]\n"));

        // Only the numbers set: 21 separators, numbers at 5, 16, 20 and 21.
        store.context().insertNewObject<Stamps>();
        const QList<std::pair<float, QString>> amounts = {
            {1.1f, QStringLiteral("1.1")},
            {1000.0f, QStringLiteral("1000.0")},
            {0.0001f, QStringLiteral("0.0001")},
            {0.00001f, QStringLiteral("1e-05")},
            {16777216.0f, QStringLiteral("16777216.0")},
            {33554432.0f, QStringLiteral("3.3554432e+07")},
            {-2.5f, QStringLiteral("-2.5")},
            {-0.00001f, QStringLiteral("-1e-05")}};
        for (int i = 0; i < amounts.size(); ++i) {
            Stamps* stamp = addStamp(store.context(), QStringLiteral("a%1").arg(i), 1962, {});
            stamp->setCost(amounts.at(i).first);
            stamp->setValue(amounts.at(i).first);
            stamp->setQuantity(qint16(-3 + i));
        }
        // Equal denomination and year: ordered by country.
        addStamp(store.context(), QStringLiteral("z"), 1900, QStringLiteral("Peru"));
        addStamp(store.context(), QStringLiteral("z"), 1900, QStringLiteral("Chile"));
        addStamp(store.context(), QStringLiteral("z"), 1899, QStringLiteral("Togo"));
        QVERIFY(store.context().save());

        const QList<QByteArray> lines = recordLines(exported(store.context()));
        QCOMPARE(lines.size(), amounts.size() + 4);
        QStringList empty(22);
        empty[4] = QStringLiteral("0.0");
        empty[15] = QStringLiteral("0");
        empty[19] = QStringLiteral("0.0");
        empty[20] = QStringLiteral("0");
        QCOMPARE(QString::fromUtf8(lines.at(0)), empty.join(u'^'));
        QCOMPARE(lines.at(0).count('^'), 21);
        for (int i = 0; i < amounts.size(); ++i) {
            const QByteArray& line = lines.at(i + 1);
            QCOMPARE(field(line, 7), QStringLiteral("a%1").arg(i));
            QCOMPARE(field(line, 5), amounts.at(i).second);
            QCOMPARE(field(line, 20), amounts.at(i).second);
            QCOMPARE(field(line, 16), QString::number(-3 + i));
            QCOMPARE(field(line, 21), QStringLiteral("1962"));
        }
        const qsizetype z = amounts.size() + 1;
        QCOMPARE(field(lines.at(z), 6), QStringLiteral("Togo"));
        QCOMPARE(field(lines.at(z + 1), 6), QStringLiteral("Chile"));
        QCOMPARE(field(lines.at(z + 2), 6), QStringLiteral("Peru"));
    }

    void writerReportsFailuresAndEmptiesUndecodablePictures()
    {
        TemporaryStore store;
        Stamps* broken = addStamp(store.context(), QStringLiteral("1c"), 1950, {});
        broken->setStampImage(QByteArray("not a picture"));
        QVERIFY(store.context().save());
        QCOMPARE(field(recordLines(exported(store.context())).at(0), 22), QString());

        // A device that refuses writing is a failure, never a success.
        QBuffer readOnly;
        readOnly.open(QIODevice::ReadOnly);
        const Result<ExportFile::Written> refused =
            ExportFile::write(store.context(), Coding, readOnly);
        QVERIFY(!refused);
        QVERIFY(!refused.error().isEmpty());

        const QString missingFolder = store.directory() + QStringLiteral("/no/such/Vellora.csv");
        QFile(store.directory()).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const Result<ExportFile::Written> unwritable = ExportFile::writeFile(
            store.context(), Coding, store.directory() + QStringLiteral("/Vellora.csv"));
        QFile(store.directory())
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner);
        if (geteuid() != 0) {
            QVERIFY(!unwritable);
            QVERIFY(!QFileInfo::exists(store.directory() + QStringLiteral("/Vellora.csv")));
        }
        QVERIFY(!ExportFile::writeFile(store.context(), Coding, missingFolder));

        // A cancelled export leaves the earlier file as it was.
        const QString path = store.directory() + QStringLiteral("/Vellora.csv");
        QVERIFY(writeBytes(path, "earlier"));
        addStamp(store.context(), QStringLiteral("2c"), 1950, {});
        QVERIFY(store.context().save());
        const Result<ExportFile::Written> cancelled = ExportFile::writeFile(
            store.context(), Coding, path, [](qsizetype, qsizetype) { return false; });
        QVERIFY(cancelled);
        QVERIFY(cancelled->cancelled);
        QCOMPARE(cancelled->written, 1);
        QCOMPARE(fileBytes(path), QByteArray("earlier"));

        // Pictures the store cannot hand over stop the export: the file must not lose them.
        broken->releaseAttribute(QStringLiteral("stampImage"));
        QVERIFY(alterStoreFile(store.container().storeFilePath(),
                               {QStringLiteral("ALTER TABLE Stamps DROP COLUMN stampImage")}));
        const Result<ExportFile::Written> unreadable =
            ExportFile::writeFile(store.context(), Coding, path);
        QVERIFY(!unreadable);
        QVERIFY2(unreadable.error().startsWith(QStringLiteral("The pictures could not be read: ")),
                 qPrintable(unreadable.error()));
        QCOMPARE(fileBytes(path), QByteArray("earlier"));
    }

    void roundTripKeepsEveryAttribute()
    {
        TemporaryStore source;
        const QString tricky = QStringLiteral("King's \"Head\" ^ a\\b \\n\nline\r\nend ^\\ ü€𝄞 \\");
        Stamps* stamp = addStamp(source.context(), QStringLiteral("5^c\\"), -1962,
                                 QStringLiteral("Côte d'Ivoire\n"));
        int i = 0;
        for (const AttributeDescription& attribute : stamp->entity().attributes()) {
            if (attribute.type == AttributeType::Text &&
                attribute.name != QLatin1String("denomination") &&
                attribute.name != QLatin1String("country"))
                stamp->setValue(attribute.name, tricky + QString::number(++i));
        }
        stamp->setCost(0.1f);
        stamp->setValue(3.3554432e7f);
        stamp->setQuantity(-7);
        stamp->setStampImage(jpeg());
        Stamps* plain = addStamp(source.context(), QStringLiteral("6c"), 1970, {});
        plain->setNotes(QString());
        QVERIFY(source.context().save());

        const QByteArray file = exported(source.context());
        QCOMPARE(file.count('\n'), 3); // no line end inside a record
        const QByteArray picture =
            QByteArray::fromBase64(recordLines(file).at(0).split('^').constLast(),
                                   QByteArray::AbortOnBase64DecodingErrors);
        QCOMPARE(Coding.decode(picture).size(), QSize(64, 48));

        TemporaryStore target;
        const ImportSummary summary = merged(target.context(), file);
        QCOMPARE(summary.added, 2);
        QCOMPARE(summary.fieldsNotRead, 0);
        target.reopen();
        const QList<Stamps*> imported = allStamps(target.context());
        QCOMPARE(imported.size(), 2);
        stamp->setStampImage(picture); // the export holds the picture encoded again
        QCOMPARE(attributes(*imported.at(0)), attributes(*stamp));
        // An empty text and an absent one are written alike and read as absent.
        QVERIFY(!imported.at(1)->notes());
        QVERIFY(!imported.at(1)->country());

        // The same file again updates each stamp with the same values, writing no row.
        const auto changes = [&target] {
            QSqlQuery query(target.context().database());
            query.exec(QStringLiteral("SELECT total_changes()"));
            return query.next() ? query.value(0).toLongLong() : -1;
        };
        const qint64 changesBefore = changes();
        const ImportSummary again = merged(target.context(), file);
        QCOMPARE(again.updated, 1);
        QCOMPARE(again.added, 1); // the absent country matches no empty key
        QCOMPARE(changes(), changesBefore + 1);
        QCOMPARE(attributes(*allStamps(target.context()).at(0)), attributes(*stamp));
    }

    void readerSplitsLinesAndMatchesKeys()
    {
        TemporaryStore store;
        Stamps* pictured =
            addStamp(store.context(), QStringLiteral("1c"), 1900, QStringLiteral("Peru"));
        pictured->setStampImage(jpeg());
        pictured->setDescrip(QStringLiteral("old"));
        addStamp(store.context(), QStringLiteral("2c"), 1901, QStringLiteral("Peru"));
        addStamp(store.context(), QStringLiteral("2c"), 1901, QStringLiteral("Peru"));
        QVERIFY(store.context().save());

        const auto line = [](const QString& country, const QString& denomination,
                             const QString& year, const QString& descrip) {
            QStringList fields(22);
            fields[5] = country;
            fields[6] = denomination;
            fields[7] = descrip;
            fields[20] = year;
            return fields.join(u'^');
        };
        // Lines before the marker are records; CRLF and CR end lines; empty lines are dropped.
        const QString text = line(QStringLiteral("Chile"), QStringLiteral("3c"),
                                  QStringLiteral("1950"), QStringLiteral("first")) +
                             QStringLiteral("\r\n\r\n") +
                             line(QStringLiteral("Chile"), QStringLiteral("4c"),
                                  QStringLiteral("1950"), QStringLiteral("a\\qb it's")) +
                             QStringLiteral("\r\n[VELLORA]\r\n") +
                             line(QStringLiteral("Peru"), QStringLiteral("1c"),
                                  QStringLiteral("1900"), QStringLiteral("new")) +
                             QStringLiteral("\r") +
                             line(QStringLiteral("Peru"), QStringLiteral("2c"),
                                  QStringLiteral("1901"), QStringLiteral("ambiguous")) +
                             QStringLiteral("\n") +
                             line(QStringLiteral(""), QStringLiteral("5c"), QStringLiteral("1960"),
                                  QStringLiteral("no country")) +
                             QStringLiteral("\n") +
                             line(QStringLiteral("Peru"), QStringLiteral("6c"),
                                  QStringLiteral("19x2"), QStringLiteral("bad year")) +
                             QStringLiteral("\n") +
                             QStringLiteral("Togo^^7c"); // fewer fields fill the leading positions
        ImportSummary summary = merged(store.context(), text);
        QCOMPARE(summary.linesDone, 7);
        QCOMPARE(summary.added, 5);
        QCOMPARE(summary.updated, 1);
        QCOMPARE(summary.skipped, 1);
        QCOMPARE(summary.fieldsNotRead, 1);
        QCOMPARE(summary.problems,
                 QStringList{QStringLiteral("line 8: yearOfIssue \"19x2\" is not a whole number")});

        const auto find = [&store](const QString& denomination) {
            return store.context()
                .fetch<Stamps>(
                    Predicate::format(QStringLiteral("denomination == %@"), denomination))
                .value();
        };
        QCOMPARE(find(QStringLiteral("4c")).at(0)->descrip(), QStringLiteral("a\\qb it's"));
        QCOMPARE(pictured->descrip(), QStringLiteral("new"));
        QCOMPARE(pictured->stampImage(), jpeg()); // the empty picture field keeps it
        for (Stamps* twin : find(QStringLiteral("2c")))
            QVERIFY(!twin->descrip());
        QCOMPARE(find(QStringLiteral("6c")).at(0)->yearOfIssue(), 0);
        QVERIFY(!find(QStringLiteral("5c")).at(0)->country());
        QCOMPARE(find(QStringLiteral("Togo")).size(), 0);
        QCOMPARE(store.context()
                     .fetch<Stamps>(Predicate::format(QStringLiteral("cancellation == %@"),
                                                      QStringLiteral("Togo")))
                     .value()
                     .at(0)
                     ->color(),
                 QStringLiteral("7c"));

        // An empty country inserts again; a year that is not a whole number of the field
        // matches no stored year, not even one it reads as a number, and inserts again.
        addStamp(store.context(), QStringLiteral("6c"), 1000, QStringLiteral("Peru"));
        QVERIFY(store.context().save());
        QString again = line(QString(), QStringLiteral("5c"), QStringLiteral("1960"), QString());
        const QStringList badYears = {QStringLiteral("19x2"), QStringLiteral("1e3"),
                                      QStringLiteral("1e300"), QStringLiteral("-196e64"),
                                      QStringLiteral("inf")};
        for (const QString& year : badYears)
            again += u'\n' + line(QStringLiteral("Peru"), QStringLiteral("6c"), year, year);
        summary = merged(store.context(), again);
        QCOMPARE(summary.added, 1 + badYears.size());
        QCOMPARE(summary.updated, 0);
        QCOMPARE(summary.fieldsNotRead, badYears.size());
        QCOMPARE(find(QStringLiteral("5c")).size(), 2);
        QCOMPARE(find(QStringLiteral("6c")).size(), 2 + badYears.size());
    }

    void badFieldsLeaveAttributesAsTheyWere()
    {
        TemporaryStore store;
        Stamps* stamp =
            addStamp(store.context(), QStringLiteral("1c"), 1900, QStringLiteral("Peru"));
        stamp->setQuantity(5);
        stamp->setCost(2.5f);
        stamp->setValue(9.0f);
        stamp->setStampImage(jpeg());
        QVERIFY(store.context().save());

        QStringList fields(22);
        fields[5] = QStringLiteral("Peru");
        fields[6] = QStringLiteral("1c");
        fields[20] = QStringLiteral("1900");
        fields[4] = QStringLiteral(" 1.5"); // strtof would skip the space; the field does not
        fields[15] = QStringLiteral("2x");
        fields[19] = QStringLiteral("1.5e");
        fields[21] = QStringLiteral("AAAA$");
        const QString bad = fields.join(u'^');
        fields[4] = QStringLiteral("0x1p3");
        fields[15] = QStringLiteral("+40000");
        fields[19] = QStringLiteral("-INF");
        fields[21] = QString::fromLatin1(jpeg(Qt::red).toBase64().insert(8, ' '));
        const QString worse = fields.join(u'^');
        fields[4] = QStringLiteral("1e-3");
        fields[15] = QStringLiteral("-12");
        fields[19] = QStringLiteral("nan");
        fields[21] = QStringLiteral("É");
        const QString mixed = fields.join(u'^');

        const ImportSummary summary = merged(store.context(), QStringLiteral("[VELLORA]\n") + bad +
                                                                  QStringLiteral("\n") + mixed);
        QCOMPARE(summary.updated, 2);
        QCOMPARE(summary.fieldsNotRead, 6);
        QCOMPARE(summary.problems.at(0), QStringLiteral("line 2: cost \" 1.5\" is not a number"));
        QCOMPARE(summary.problems.at(1),
                 QStringLiteral("line 2: quantity \"2x\" is not a whole number"));
        QCOMPARE(summary.problems.at(2), QStringLiteral("line 2: value \"1.5e\" is not a number"));
        QCOMPARE(summary.problems.at(3), QStringLiteral("line 2: picture \"AAAA$\" is not Base64"));
        // Not a number cannot be stored: refused, so the rest of the line is saved.
        QCOMPARE(summary.problems.at(4), QStringLiteral("line 3: value \"nan\" is not a number"));
        QCOMPARE(summary.problems.at(5), QStringLiteral("line 3: picture \"É\" is not Base64"));
        QCOMPARE(stamp->cost(), 0.001f);
        QCOMPARE(stamp->quantity(), -12);
        QCOMPARE(stamp->value(), 9.0f);
        QCOMPARE(stamp->stampImage(), jpeg());
        QVERIFY(summary.text().contains(QStringLiteral("Fields not read: 6\n")));

        // Hexadecimal and infinity read as strtof reads them; a quantity beyond 16 bits and
        // Base64 with a space do not.
        const ImportSummary second = merged(store.context(), worse);
        QCOMPARE(stamp->cost(), 8.0f);
        QCOMPARE(stamp->value(), -std::numeric_limits<float>::infinity());
        QCOMPARE(stamp->quantity(), -12);
        QCOMPARE(second.fieldsNotRead, 2);
        QVERIFY(second.problems.at(0).startsWith(QStringLiteral("line 1: quantity \"+40000\"")));
        QCOMPARE(stamp->stampImage(), jpeg());

        // A picture cut short, if only by its end marker, would be kept half grey.
        fields[21] = QString::fromLatin1(jpeg(Qt::red).chopped(2).toBase64());
        const ImportSummary third = merged(store.context(), fields.join(u'^'));
        QCOMPARE(third.fieldsNotRead, 2);
        QVERIFY(third.problems.at(1).endsWith(QStringLiteral("is an incomplete picture")));
        QCOMPARE(stamp->stampImage(), jpeg());
    }

    void readerReadsAnyEncodingAndLineEnd_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("marked");
        const QString text = QStringLiteral("[VELLORA]\nPéru^1c");
        const QStringList lines{QStringLiteral("[VELLORA]"), QStringLiteral("Péru^1c")};
        QTest::newRow("UTF-8") << text.toUtf8() << lines << true;
        QTest::newRow("UTF-8 with a byte-order mark")
            << QByteArray("\xEF\xBB\xBF" + text.toUtf8()) << lines << true;
        QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        QTest::newRow("UTF-16") << QByteArray(utf16.encode(text)) << lines << true;
        QStringEncoder utf16be(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom);
        QTest::newRow("UTF-16 big-endian") << QByteArray(utf16be.encode(text)) << lines << true;
        QTest::newRow("CRLF, CR, no end")
            << QByteArray("x\r\ny\r\r[VELLORA]")
            << QString::fromLatin1("x y  [VELLORA]").split(u' ') << true;
        QTest::newRow("empty") << QByteArray() << QStringList() << false;
        QTest::newRow("line ends only") << QByteArray("\n\n") << QStringList(2, QString()) << false;
        QTest::newRow("near misses")
            << QByteArray("[VELLORA] \n[vellora]\nx[VELLORA]\n")
            << QString::fromLatin1("[VELLORA] |[vellora]|x[VELLORA]").split(u'|') << false;
        // The reader takes the file in pieces: a CRLF, a character and a line across their edges.
        const QByteArray longLine(600 * 1024, 'a');
        QByteArray edges = QByteArray(256 * 1024 - 1, 'b') + "\r\n" + longLine + "\xC3\xA9\n";
        edges.insert(512 * 1024 - 1, "\xC3\xA9");
        QStringList edgeLines{QString(256 * 1024 - 1, u'b'), QString::fromUtf8(longLine) + u'é'};
        edgeLines[1].insert(512 * 1024 - 256 * 1024 - 2, u'é');
        QTest::newRow("pieces") << edges << edgeLines << false;
    }

    void readerReadsAnyEncodingAndLineEnd()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, lines);
        QFETCH(bool, marked);
        QBuffer buffer(&file);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        LineReader reader(buffer);
        QStringList read;
        while (const std::optional<QString> line = reader.next())
            read << *line;
        QCOMPARE(read, lines);
        QCOMPARE(reader.lineNumber(), lines.size());
        QCOMPARE(reader.bytesRead(), file.size());
        QCOMPARE(ImportFile::hasMarker(buffer), marked);
    }

    void refusedSaveIsRolledBackAndTheImportGoesOn_data()
    {
        QTest::addColumn<QString>("refusal");
        // The line alone is refused, as a store changed by another program may refuse it.
        QTest::newRow("one line") << QStringLiteral("ABORT");
        // The store ends the whole transaction itself, as after a full disk.
        QTest::newRow("the whole import") << QStringLiteral("ROLLBACK");
    }

    void refusedSaveIsRolledBackAndTheImportGoesOn()
    {
        QFETCH(QString, refusal);
        const bool whole = refusal == QLatin1String("ROLLBACK");
        TemporaryStore store;
        Stamps* stamp =
            addStamp(store.context(), QStringLiteral("1c"), 1900, QStringLiteral("Peru"));
        stamp->setNotes(QStringLiteral("kept"));
        QVERIFY(store.context().save());

        QSqlQuery(store.context().database())
            .exec(QStringLiteral("CREATE TRIGGER Refuse BEFORE UPDATE ON Stamps WHEN "
                                 "NEW.notes = 'changed' BEGIN SELECT RAISE(%1, 'disk full'); END")
                      .arg(refusal));
        const ImportSummary summary =
            merged(store.context(), QStringLiteral("[VELLORA]\n^^^^^Chile^3c^^^^^^^^^^^^^^1901^\n"
                                                   "^^^^^Peru^1c^^^^^^changed^^^^^^^^1900^\n"
                                                   "^^^^^Chile^2c^^^^^^^^^^^^^^1901^\n"));
        QCOMPARE(summary.saved(), !whole);
        if (whole) {
            QCOMPARE(summary.failure,
                     QStringLiteral("line 3: A changed Stamps could not be saved: disk full"));
            QVERIFY(summary.text().startsWith(QStringLiteral("The import could not be saved")));
        } else {
            QCOMPARE(summary.failedLines, 1);
            QCOMPARE(summary.updated, 0);
            QCOMPARE(summary.added, 2);
            QCOMPARE(summary.problems.size(), 1);
            QVERIFY(summary.problems.at(0).startsWith(QStringLiteral("line 3: not saved: ")));
            QVERIFY(summary.text().contains(
                QStringLiteral("Lines not imported (refused by the store): 1\n")));
        }
        QCOMPARE(stamp->notes(), QStringLiteral("kept"));
        QVERIFY(!store.context().hasChanges());
        store.reopen();
        QCOMPARE(allStamps(store.context()).size(), whole ? 1 : 3);
        QCOMPARE(allStamps(store.context()).at(0)->notes(), QStringLiteral("kept"));
    }

    void cancelLeavesTheStoreAsItWas()
    {
        TemporaryStore store;
        addStamp(store.context(), QStringLiteral("1c"), 2000, {})->setNotes(QStringLiteral("kept"));
        QVERIFY(store.context().save());
        QString text = QStringLiteral("[VELLORA]\n");
        for (int i = 1; i <= 4; ++i)
            text += QStringLiteral("^^^^^^%1c^^^^^^new^^^^^^^^2000^\n").arg(i);
        QList<qsizetype> told;
        ImportSummary summary =
            merged(store.context(), text, [&told, &text](qsizetype done, qsizetype total) {
                told.append(done);
                return !(told.size() == 2 && total == text.size());
            });
        QVERIFY(summary.cancelled);
        QCOMPARE(told.size(), 2);
        QCOMPARE(summary.text(),
                 QStringLiteral(
                     "Import cancelled: nothing was imported, the collection is as it was.\n"));
        const QList<Stamps*> stamps = allStamps(store.context());
        QCOMPARE(stamps.size(), 1);
        QCOMPARE(stamps.at(0)->notes(), QStringLiteral("kept"));
        store.reopen();
        QCOMPARE(allStamps(store.context()).size(), 1);
        // Stopping after the last line is no stop.
        summary = merged(store.context(), text, [](qsizetype, qsizetype) { return false; });
        QVERIFY(summary.cancelled);
        summary = merged(store.context(), QStringLiteral("^^^^^^9c^^^^^^^^^^^^^^2000^"),
                         [](qsizetype, qsizetype) { return false; });
        QVERIFY(summary.saved());
        QCOMPARE(allStamps(store.context()).size(), 2);
    }

    void anImportKilledHalfwayLeavesTheStoreAsItWas()
    {
        TemporaryStore store;
        addStamp(store.context(), QStringLiteral("1c"), 2000, {})->setNotes(QStringLiteral("kept"));
        QVERIFY(store.context().save());
        QTemporaryDir folder;
        const QString input = folder.filePath(QStringLiteral("in.csv"));
        QByteArray file = "[VELLORA]\n";
        for (int i = 1; i <= 200000; ++i)
            file += "^^^^^^" + QByteArray::number(i) + "c^^^^^^new^^^^^^^^2000^\n";
        QVERIFY(writeBytes(input, file));
        const QString wal = store.directory() + QStringLiteral("/Vellora.sqlite-wal");
        const qint64 walBefore = QFileInfo(wal).size();

        QProcess child;
        child.start(
            QStringLiteral(VELLORA_EXECUTABLE),
            {QStringLiteral("--data-dir"), store.directory(), QStringLiteral("--import"), input});
        QVERIFY(child.waitForStarted());
        // Killed once the import has written well into its transaction.
        while (QFileInfo(wal).size() < walBefore + 512 * 1024 && child.state() == QProcess::Running)
            QTest::qWait(2);
        QVERIFY2(child.state() == QProcess::Running, "the import ended before it was killed");
        child.kill();
        QVERIFY(child.waitForFinished());

        store.reopen();
        const QList<Stamps*> stamps = allStamps(store.context());
        QCOMPARE(stamps.size(), 1);
        QCOMPARE(stamps.at(0)->notes(), QStringLiteral("kept"));
    }

    void backupHoldsTheStoreBeforeTheImportAndKeepsTheChosenCount()
    {
        TemporaryStore store;
        addStamp(store.context(), QStringLiteral("1c"), 1900, QStringLiteral("Peru"))
            ->setNotes(QStringLiteral("before"));
        QVERIFY(store.context().save());

        const QString first = StoreBackup::make(store.container(), 5).value();
        QVERIFY(QFileInfo(first).fileName().contains(
            QRegularExpression(QStringLiteral("^Vellora-\\d{8}-\\d{6}\\.sqlite$"))));
        QCOMPARE(QFileInfo(first).dir().dirName(), QStringLiteral("Backups"));
        merged(store.context(), QStringLiteral("^^^^^Peru^1c^^^^^^after^^^^^^^^1900^\n"
                                               "^^^^^Peru^2c^^^^^^^^^^^^^^1900^\n"));
        QCOMPARE(allStamps(store.context()).size(), 2);
        {
            PersistentContainer backup(QStringLiteral("Vellora"), QFileInfo(first).absolutePath());
            // The backup is opened under the store's name: copy it beside as such.
            QTemporaryDir folder;
            QVERIFY(QFile::copy(first, folder.filePath(QStringLiteral("Vellora.sqlite"))));
            PersistentContainer copy(QStringLiteral("Vellora"), folder.path());
            QVERIFY(copy.loadPersistentStores().ok());
            const QList<Stamps*> stamps = allStamps(copy.viewContext());
            QCOMPARE(stamps.size(), 1);
            QCOMPARE(stamps.at(0)->notes(), QStringLiteral("before"));
        }

        QStringList made{first};
        for (int i = 0; i < 6; ++i)
            made.append(StoreBackup::make(store.container(), 5).value());
        QCOMPARE(QSet<QString>(made.cbegin(), made.cend()).size(), 7);
        const QStringList kept = QDir(QFileInfo(first).absolutePath())
                                     .entryList({QStringLiteral("*.sqlite")}, QDir::Files);
        QCOMPARE(kept.size(), 5);
        for (const QString& path : made.mid(2))
            QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        // A smaller count chosen since removes the oldest of the rest.
        const QString latest = StoreBackup::make(store.container(), 2).value();
        QCOMPARE(QDir(QFileInfo(first).absolutePath())
                     .entryList({QStringLiteral("*.sqlite")}, QDir::Files)
                     .size(),
                 2);
        QVERIFY(QFileInfo::exists(latest) && QFileInfo::exists(made.constLast()));

        // A Backups folder that cannot be made refuses.
        TemporaryStore blocked;
        QVERIFY(writeBytes(blocked.directory() + QStringLiteral("/Backups"), "a file"));
        const Result<QString> refused = StoreBackup::make(blocked.container(), 5);
        QVERIFY(!refused);
        QVERIFY(refused.error().contains(QStringLiteral("Backups")));
    }

    void aBackupCutShortNeverCountsNorPushesOutAGoodOne()
    {
        TemporaryStore store;
        // Pictures of noise, so the copy is larger than the file size a child may write.
        QImage noise(400, 400, QImage::Format_RGB32);
        for (int i = 0; i < 12; ++i) {
            for (int y = 0; y < noise.height(); ++y)
                for (int x = 0; x < noise.width(); ++x)
                    noise.setPixel(x, y, uint(std::rand()));
            addStamp(store.context(), QStringLiteral("%1c").arg(i), 1900, QStringLiteral("Peru"))
                ->setStampImage(Coding.encodeJpeg(noise, 0.9).value());
        }
        QVERIFY(store.context().save());
        const QString older = StoreBackup::make(store.container(), 2).value();
        QVERIFY(QFileInfo(older).size() > 1024 * 1024);
        const QString good = StoreBackup::make(store.container(), 2).value();
        const QDir backups = QFileInfo(good).dir();
        // What failed backups of an earlier version left, named as the newest: counted, they
        // would push out every good one.
        const QString empty = backups.filePath(QStringLiteral("Vellora-29991231-235958.sqlite"));
        const QString cut = backups.filePath(QStringLiteral("Vellora-29991231-235959.sqlite"));
        QVERIFY(writeBytes(empty, {}));
        QVERIFY(writeBytes(cut, fileBytes(good).left(600 * 1024)));
        const QStringList before = backups.entryList(QDir::Files | QDir::Hidden);

        // An import whose backup meets a full disk (writes past 512 KB refused), then one whose
        // backup is killed halfway: neither imports, neither leaves a backup.
        QTemporaryDir folder;
        const QString input = folder.filePath(QStringLiteral("in.csv"));
        QVERIFY(writeBytes(input, "[VELLORA]\n^^^^^Peru^99c^^^^^^^^^^^^^^1900^\n"));
        for (const QString& signal : {QStringLiteral("trap '' XFSZ; "), QString()}) {
            QProcess child;
            child.start(QStringLiteral("/bin/sh"),
                        {QStringLiteral("-c"),
                         signal + QStringLiteral("ulimit -f 1024; exec \"$@\""),
                         QStringLiteral("sh"), QStringLiteral(VELLORA_EXECUTABLE),
                         QStringLiteral("--data-dir"), store.directory(),
                         QStringLiteral("--import"), input});
            QVERIFY(child.waitForFinished(60000));
            QVERIFY(child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0);
            QCOMPARE(QDir(backups.path()).entryList(QDir::Files), before);
            if (!signal.isEmpty()) {
                QVERIFY(QString::fromUtf8(child.readAllStandardError())
                            .contains(QStringLiteral("nothing was imported")));
                QCOMPARE(QDir(backups.path()).entryList(QDir::Files | QDir::Hidden), before);
            }
        }
        QCOMPARE(allStamps(store.context()).size(), 12);

        // The next backup clears what the killed one left; the look-alikes neither count nor go,
        // nor does a hidden file of the collector's own named like the store.
        const QString own = backups.filePath(QStringLiteral(".Vellora-notes.txt"));
        QVERIFY(writeBytes(own, "kept"));
        const QString latest = StoreBackup::make(store.container(), 2).value();
        QStringList kept{QFileInfo(good).fileName(), QFileInfo(latest).fileName(),
                         QFileInfo(empty).fileName(), QFileInfo(cut).fileName(),
                         QFileInfo(own).fileName()};
        kept.sort();
        QCOMPARE(QDir(backups.path()).entryList(QDir::Files | QDir::Hidden), kept);
        QVERIFY(!QFileInfo::exists(older));
    }

    void restoreTakesOnlyASoundBackup_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a backup") << QStringLiteral("backup") << QString();
        QTest::newRow("cut short") << QStringLiteral("cut") << QStringLiteral("copy");
        QTest::newRow("not SQLite") << QStringLiteral("text") << QStringLiteral("not a database");
        QTest::newRow("no stamps table")
            << QStringLiteral("foreign") << QStringLiteral("no table Stamps");
        QTest::newRow("a newer version")
            << QStringLiteral("newer") << QStringLiteral("newer version");
        QTest::newRow("a folder") << QStringLiteral("folder") << QStringLiteral("not a file");
    }

    void restoreTakesOnlyASoundBackup()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        TemporaryStore store;
        addStamp(store.context(), QStringLiteral("1c"), 1900, QStringLiteral("Peru"));
        QVERIFY(store.context().save());
        const QString backupOfA = StoreBackup::make(store.container(), 5).value();
        // B is saved, in the store's log until the store is closed.
        for (Stamps* stamp : allStamps(store.context()))
            store.context().deleteObject(stamp);
        addStamp(store.context(), QStringLiteral("2c"), 1901, QStringLiteral("Chile"));
        QVERIFY(store.context().save());

        QTemporaryDir elsewhere;
        QString chosen = elsewhere.filePath(QStringLiteral("chosen.sqlite"));
        QVERIFY(QFile::copy(backupOfA, chosen));
        if (kind == u"cut")
            QVERIFY(writeBytes(chosen, fileBytes(backupOfA).left(QFileInfo(backupOfA).size() / 2)));
        if (kind == u"text")
            QVERIFY(writeBytes(chosen, QByteArray("[VELLORA]\n").repeated(1000)));
        if (kind == u"foreign") {
            QVERIFY(QFile::remove(chosen));
            QVERIFY(alterStoreFile(chosen, {QStringLiteral("CREATE TABLE Other (x)")}));
        }
        if (kind == u"newer")
            QVERIFY(alterStoreFile(chosen, {QStringLiteral("PRAGMA user_version = 9999")}));
        if (kind == u"folder")
            chosen = elsewhere.path();
        const QByteArray chosenBytes = fileBytes(chosen);
        const QStringList backupsBefore = QFileInfo(backupOfA).dir().entryList(QDir::Files);

        const Result<QString> restored = StoreBackup::restore(store.container(), chosen, 5);
        QCOMPARE(fileBytes(chosen), chosenBytes);
        QCOMPARE(
            QDir(store.directory())
                .entryList({QStringLiteral(".Vellora-restoring*")}, QDir::Files | QDir::Hidden),
            QStringList());
        if (reason.isEmpty()) {
            QVERIFY2(restored, qPrintable(failureText(restored)));
            QCOMPARE(allStamps(store.context()).size(), 1);
            QCOMPARE(allStamps(store.context()).at(0)->denomination(), QStringLiteral("1c"));
            // B is kept in the backup made first.
            QCOMPARE(QFileInfo(*restored).absolutePath(), QFileInfo(backupOfA).absolutePath());
            QVERIFY(!backupsBefore.contains(QFileInfo(*restored).fileName()));
            QTemporaryDir copyOfB;
            QVERIFY(QFile::copy(*restored, copyOfB.filePath(QStringLiteral("Vellora.sqlite"))));
            PersistentContainer b(QStringLiteral("Vellora"), copyOfB.path());
            QVERIFY(b.loadPersistentStores().ok());
            QCOMPARE(allStamps(b.viewContext()).at(0)->denomination(), QStringLiteral("2c"));
        } else {
            QVERIFY(!restored);
            QVERIFY2(restored.error().contains(QFileInfo(chosen).fileName()) &&
                         restored.error().contains(reason),
                     qPrintable(restored.error()));
            QCOMPARE(QFileInfo(backupOfA).dir().entryList(QDir::Files), backupsBefore);
            QCOMPARE(allStamps(store.context()).at(0)->denomination(), QStringLiteral("2c"));
        }
        // As the next launch finds it.
        const QString expected = reason.isEmpty() ? QStringLiteral("1c") : QStringLiteral("2c");
        store.reopen();
        QCOMPARE(allStamps(store.context()).size(), 1);
        QCOMPARE(allStamps(store.context()).at(0)->denomination(), expected);
    }

    // The collection's files are the collector's only, whatever mask Vellora was started with;
    // a file that was there before keeps the rights the collector gave it.
    void theCollectionsFilesAreTheCollectorsOnly()
    {
        QTemporaryDir top;
        const QString data = top.filePath(QStringLiteral("data"));
        const QString store = data + QStringLiteral("/Vellora.sqlite");
        QProcess window;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        for (const char* name : {"XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            environment.insert(QString::fromLatin1(name), top.filePath(QString::fromLatin1(name)));
        window.setProcessEnvironment(environment);
        startUnderUmask022(window, {QStringLiteral("--data-dir"), data});
        // The first launch fills the reference lists and notes that it was: the journal is there
        // while it runs.
        const QStringList made{store, store + QStringLiteral("-wal"),
                               store + QStringLiteral("-shm"),
                               data + QStringLiteral("/UserDefaults.ini")};
        QTRY_VERIFY_WITH_TIMEOUT(
            std::all_of(made.cbegin(), made.cend(),
                        [](const QString& path) { return QFileInfo::exists(path); }),
            30000);
        QCOMPARE(modeOf(data), QStringLiteral("700"));
        for (const QString& path : made)
            QCOMPARE(modeOf(path), QStringLiteral("600"));
        window.kill();
        QVERIFY(window.waitForFinished());

        const QString replaced = top.filePath(QStringLiteral("replaced.csv"));
        QVERIFY(writeBytes(replaced, "old"));
        QVERIFY(QFile::setPermissions(replaced, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ReadGroup));
        const QString file = top.filePath(QStringLiteral("out.csv"));
        for (const QStringList& arguments : {QStringList{QStringLiteral("--export"), file},
                                             QStringList{QStringLiteral("--export"), replaced},
                                             QStringList{QStringLiteral("--import"), file}}) {
            QProcess child;
            startUnderUmask022(child, QStringList{QStringLiteral("--data-dir"), data} + arguments);
            QVERIFY(child.waitForFinished(60000));
            QVERIFY2(child.exitCode() == 0, child.readAllStandardError().constData());
        }
        QCOMPARE(modeOf(file), QStringLiteral("600"));
        QCOMPARE(modeOf(replaced), QStringLiteral("640"));
        QCOMPARE(modeOf(data + QStringLiteral("/Backups")), QStringLiteral("700"));
        const QStringList backups =
            QDir(data + QStringLiteral("/Backups")).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(backups.size(), 1);
        QCOMPARE(modeOf(data + QStringLiteral("/Backups/") + backups.first()),
                 QStringLiteral("600"));
    }

    void commandLineExportsAndImports()
    {
        QTemporaryDir empty;
        VelloraRun run =
            vellora({QStringLiteral("--data-dir"), empty.path(), QStringLiteral("--export"),
                     empty.filePath(QStringLiteral("out.csv"))});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("There is no collection")), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(empty.filePath(QStringLiteral("out.csv"))));

        TemporaryStore source;
        addStamp(source.context(), QStringLiteral("1c"), 1900, QStringLiteral("Peru"))
            ->setStampImage(jpeg());
        QVERIFY(source.context().save());
        const QString file = source.directory() + QStringLiteral("/out.csv");
        run = vellora(
            {QStringLiteral("--data-dir"), source.directory(), QStringLiteral("--export"), file});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(fileBytes(file), exported(source.context()));
        run = vellora({QStringLiteral("--data-dir"), source.directory(), QStringLiteral("--export"),
                       empty.filePath(QStringLiteral("no/out.csv"))});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(QStringLiteral("could not be")));

        TemporaryStore target;
        const QString wrong = target.directory() + QStringLiteral("/notes.txt");
        QVERIFY(writeBytes(wrong, "^^^^^Peru^1c^^^^^^^^^^^^^^1900^\n"));
        run = vellora(
            {QStringLiteral("--data-dir"), target.directory(), QStringLiteral("--import"), wrong});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.endsWith(QStringLiteral("\nnotes.txt Is The Incorrect Import File\n")) ||
                     run.err == QStringLiteral("notes.txt Is The Incorrect Import File\n"),
                 qPrintable(run.err));
        // Missing, a folder, a pipe no one writes to, a device that never ends: refused at once.
        const QString pipe = target.directory() + QStringLiteral("/pipe");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QList<std::pair<QString, QString>> unread = {
            {wrong + QStringLiteral("x"), QStringLiteral("it does not exist")},
            {target.directory(), QStringLiteral("it is a folder")},
            {pipe, QStringLiteral("it is not a regular file")},
            {QStringLiteral("/dev/zero"), QStringLiteral("it is not a regular file")}};
        for (const auto& [path, reason] : unread) {
            run = vellora({QStringLiteral("--data-dir"), target.directory(),
                           QStringLiteral("--import"), path});
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.err.contains(QStringLiteral("Could not read ") + path +
                                      QStringLiteral(": ") + reason),
                     qPrintable(run.err));
        }
        QVERIFY(QFile::remove(pipe));
        QVERIFY(!QFileInfo::exists(target.directory() + QStringLiteral("/Backups")));

        run = vellora(
            {QStringLiteral("--data-dir"), target.directory(), QStringLiteral("--import"), file});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.startsWith(QStringLiteral("Stamps added: 1\nStamps updated: 0\n")),
                 qPrintable(run.out));
        QVERIFY(run.out.contains(QStringLiteral("Backup of the collection before the import: ") +
                                 target.directory() + QStringLiteral("/Backups/Vellora-")));
        target.reopen();
        QCOMPARE(allStamps(target.context()).size(), 1);

        // A failed backup refuses the import.
        QTemporaryDir blocked;
        {
            PersistentContainer made(QStringLiteral("Vellora"), blocked.path());
            QVERIFY(made.loadPersistentStores().ok());
        }
        QVERIFY(writeBytes(blocked.filePath(QStringLiteral("Backups")), "a file"));
        run = vellora(
            {QStringLiteral("--data-dir"), blocked.path(), QStringLiteral("--import"), file});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(QStringLiteral("nothing was imported")));
        PersistentContainer unchanged(QStringLiteral("Vellora"), blocked.path());
        QVERIFY(unchanged.loadPersistentStores().ok());
        QCOMPARE(allStamps(unchanged.viewContext()).size(), 0);

        run = vellora({QStringLiteral("--import"), file, QStringLiteral("--export"), file});
        QCOMPARE(run.exitCode, 2);

        // The backup made before the import, restored; then a file that is no backup, refused.
        const QString before = QDir(target.directory() + QStringLiteral("/Backups"))
                                   .entryInfoList({QStringLiteral("*.sqlite")})
                                   .constFirst()
                                   .absoluteFilePath();
        target.container().close();
        run = vellora({QStringLiteral("--data-dir"), target.directory(),
                       QStringLiteral("--restore"), before});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains(QStringLiteral("The collection was restored from ") + before) &&
                     run.out.contains(QStringLiteral("before the restore: ") + target.directory() +
                                      QStringLiteral("/Backups/Vellora-")),
                 qPrintable(run.out));
        target.reopen();
        QCOMPARE(allStamps(target.context()).size(), 0);
        target.container().close();
        run = vellora(
            {QStringLiteral("--data-dir"), target.directory(), QStringLiteral("--restore"), wrong});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("notes.txt was not restored: ")),
                 qPrintable(run.err));
        run = vellora({QStringLiteral("--restore"), before, QStringLiteral("--import"), file});
        QCOMPARE(run.exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(ExchangeTest)
#include "tst_exchange.moc"
