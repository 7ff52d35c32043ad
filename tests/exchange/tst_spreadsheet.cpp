#include "LocaleScope.h"
#include "TemporaryStore.h"
#include "VelloraProcess.h"
#include "exchange/SpreadsheetFile.h"
#include "store/Entities.h"
#include "store/ObjectContext.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Reads a CSV file the way a spreadsheet program's own library does: Python's csv module,
// which knows nothing of how Vellora writes it. Every row as its fields.
QList<QStringList> readWithPython(const QByteArray& csv)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) {
        qWarning("python3 is not installed (scripts/setup installs it)");
        return {};
    }
    QProcess process;
    process.start(python,
                  {QStringLiteral("-c"),
                   QStringLiteral("import csv, io, json, sys\n"
                                  "text = io.TextIOWrapper(sys.stdin.buffer, encoding='utf-8-sig',"
                                  " newline='')\n"
                                  "json.dump(list(csv.reader(text, strict=True)), sys.stdout)\n")});
    process.write(csv);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        qWarning("%s", process.readAllStandardError().constData());
        return {};
    }
    QList<QStringList> rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(process.readAllStandardOutput()).array()) {
        QStringList fields;
        for (const QJsonValue& field : row.toArray())
            fields << field.toString();
        rows << fields;
    }
    return rows;
}

Stamps* addStamp(ObjectContext& context, const QString& denomination, qint16 year,
                 const QString& country)
{
    auto* stamp = context.insertNewObject<Stamps>();
    stamp->setDenomination(denomination);
    stamp->setYearOfIssue(year);
    if (!country.isNull())
        stamp->setCountry(country);
    return stamp;
}

QByteArray written(ObjectContext& context)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const Result<ExportFile::Written> result = SpreadsheetFile::write(context, buffer);
    return result ? buffer.data() : QByteArray();
}

const QStringList Header = {
    QStringLiteral("Country"),       QStringLiteral("Scott #"),      QStringLiteral("Denomination"),
    QStringLiteral("Year of Issue"), QStringLiteral("Description"),  QStringLiteral("Color"),
    QStringLiteral("Series"),        QStringLiteral("Quantity"),     QStringLiteral("Condition"),
    QStringLiteral("Grade"),         QStringLiteral("Centering"),    QStringLiteral("Gum"),
    QStringLiteral("Margins"),       QStringLiteral("Perforations"), QStringLiteral("Paper"),
    QStringLiteral("Faults"),        QStringLiteral("Cancellation"), QStringLiteral("Status"),
    QStringLiteral("Cost"),          QStringLiteral("Value"),        QStringLiteral("Notes"),
};

} // namespace

class SpreadsheetTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aSpreadsheetReadsBackTheSameRows()
    {
        // Numbers keep their point in a locale that writes a comma.
        const LocaleScope german(Locales::germany());
        TemporaryStore store;
        Stamps* awkward = addStamp(store.context(), QStringLiteral("5c, red"), -12,
                                   QStringLiteral("C\u00F4te d'Ivoire \u65E5\u672C"));
        awkward->setNotes(QStringLiteral("said \"mint\",\r\nthen\nhinged"));
        awkward->setDescrip(QStringLiteral("=HYPERLINK(\"x\")"));
        awkward->setScottNumber(QStringLiteral("-1"));
        // Starts a spreadsheet program may read as a formula's, or fold to one.
        const QStringList formulas = {
            QStringLiteral("@SUM(1)"), QStringLiteral("+1"),      QStringLiteral("\t=1"),
            QStringLiteral("\r=1"),    QStringLiteral("\n=1"),    QStringLiteral("\uFF1D1+1"),
            QStringLiteral("\uFF0B1"), QStringLiteral("\uFF0D1"), QStringLiteral("\uFF20x")};
        const QStringList formulaColumns = {
            QStringLiteral("Color"),   QStringLiteral("Series"),       QStringLiteral("Condition"),
            QStringLiteral("Grade"),   QStringLiteral("Centering"),    QStringLiteral("Gum"),
            QStringLiteral("Margins"), QStringLiteral("Perforations"), QStringLiteral("Paper")};
        for (qsizetype i = 0; i < formulas.size(); ++i)
            awkward->setValue(formulaColumns.at(i).toLower(), formulas.at(i));
        awkward->setFaults(QString(QChar(0)) + QStringLiteral("=1"));
        awkward->setCost(1234.5f);
        awkward->setValue(0.1f);
        awkward->setQuantity(3);
        // Written in the export file's order: denomination, year, country.
        addStamp(store.context(), QStringLiteral("1c"), 1900, QStringLiteral("Peru"));
        addStamp(store.context(), QStringLiteral("1c"), 1900, QString());
        addStamp(store.context(), QStringLiteral("1c"), 1899, QStringLiteral("Togo"))
            ->setStampImage(QByteArray("not shown", 9));
        QVERIFY(store.context().save());

        const QByteArray csv = written(store.context());
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"
                               "Country,Scott #,Denomination,"));
        QVERIFY(csv.endsWith("\r\n"));
        QVERIFY(!csv.contains("not shown"));
        QCOMPARE(SpreadsheetFile::columnNames(), Header);

        const QList<QStringList> rows = readWithPython(csv);
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows.at(0), Header);
        const auto field = [&rows](int row, const QString& column) {
            return rows.at(row).value(Header.indexOf(column));
        };
        for (int row = 0; row < rows.size(); ++row)
            QCOMPARE(rows.at(row).size(), Header.size());
        QCOMPARE(field(1, QStringLiteral("Country")), QStringLiteral("Togo"));
        QCOMPARE(field(1, QStringLiteral("Year of Issue")), QStringLiteral("1899"));
        QCOMPARE(field(2, QStringLiteral("Country")), QString());
        QCOMPARE(field(3, QStringLiteral("Country")), QStringLiteral("Peru"));
        QCOMPARE(field(3, QStringLiteral("Quantity")), QStringLiteral("0"));
        QCOMPARE(field(3, QStringLiteral("Value")), QStringLiteral("0.0"));

        QCOMPARE(field(4, QStringLiteral("Denomination")), QStringLiteral("5c, red"));
        QCOMPARE(field(4, QStringLiteral("Country")),
                 QStringLiteral("C\u00F4te d'Ivoire \u65E5\u672C"));
        QCOMPARE(field(4, QStringLiteral("Notes")),
                 QStringLiteral("said \"mint\",\r\nthen\nhinged"));
        QCOMPARE(field(4, QStringLiteral("Year of Issue")), QStringLiteral("-12"));
        QCOMPARE(field(4, QStringLiteral("Cost")), QStringLiteral("1234.5"));
        QCOMPARE(field(4, QStringLiteral("Value")), QStringLiteral("0.1"));
        QCOMPARE(field(4, QStringLiteral("Quantity")), QStringLiteral("3"));
        // What a spreadsheet would run as a formula is kept as text.
        QCOMPARE(field(4, QStringLiteral("Description")), QStringLiteral("'=HYPERLINK(\"x\")"));
        QCOMPARE(field(4, QStringLiteral("Scott #")), QStringLiteral("'-1"));
        for (qsizetype i = 0; i < formulas.size(); ++i)
            QCOMPARE(field(4, formulaColumns.at(i)), u'\'' + formulas.at(i));
        QVERIFY(csv.contains(QByteArray("'\0=1", 4)));

        // An empty collection is the header alone.
        TemporaryStore empty;
        QCOMPARE(readWithPython(written(empty.context())), QList<QStringList>{Header});
    }

    void theCommandLineWritesTheSpreadsheetFile()
    {
        TemporaryStore store;
        addStamp(store.context(), QStringLiteral("1c"), 1900, QStringLiteral("Peru"));
        QVERIFY(store.context().save());
        const QString file = store.directory() + QStringLiteral("/stamps.csv");
        VelloraRun run = runVellora(QStringLiteral(VELLORA_EXECUTABLE),
                                    {QStringLiteral("--data-dir"), store.directory(),
                                     QStringLiteral("--export-csv"), file});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("Stamps exported: 1\n"));
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(readWithPython(written.readAll()).value(1).value(0), QStringLiteral("Peru"));

        run = runVellora(QStringLiteral(VELLORA_EXECUTABLE),
                         {QStringLiteral("--data-dir"), store.directory(),
                          QStringLiteral("--export-csv"), file, QStringLiteral("--export"), file});
        QCOMPARE(run.exitCode, 2);
        QTemporaryDir none;
        run = runVellora(QStringLiteral(VELLORA_EXECUTABLE),
                         {QStringLiteral("--data-dir"), none.path(), QStringLiteral("--export-csv"),
                          none.filePath(QStringLiteral("out.csv"))});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(QStringLiteral("There is no collection")));
    }
};

QTEST_GUILESS_MAIN(SpreadsheetTest)
#include "tst_spreadsheet.moc"
