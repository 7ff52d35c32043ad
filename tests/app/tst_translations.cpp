#include "TestEnvironment.h"
#include "main/MainMenuViewController.h"
#include "main/Translations.h"
#include "platform/gui/Alert.h"

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

// The contexts and source texts of a .ts file, as "context|source".
QSet<QString> messagesOf(const QString& path)
{
    QSet<QString> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            messages.insert(context + u'|' + xml.readElementText());
    }
    return messages;
}

// Writes `language`'s translation file of a few of Vellora's own texts into `folder` and compiles
// it as the build does; whether it worked.
bool writeTranslation(const QString& folder, const QString& language)
{
    const QString ts = folder + QStringLiteral("/vellora_%1.ts").arg(language);
    QFile file(ts);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QStringLiteral(R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="%1">
<context><name>MainMenuViewController</name>
<message><source>Main Menu</source><translation>Hauptmen&#xfc;</translation></message>
</context>
<context><name>Alert</name>
<message><source>OK</source><translation>Gut</translation></message>
</context>
</TS>
)")
                   .arg(language)
                   .toUtf8());
    file.close();
    return QProcess::execute(QStringLiteral(VELLORA_LRELEASE),
                             {QStringLiteral("-silent"), ts, QStringLiteral("-qm"),
                              folder + QStringLiteral("/vellora_%1.qm").arg(language)}) == 0;
}

} // namespace

class TranslationsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Texts that fall out of tr() fall out of the translation file at its next update.
    void sourceFileHoldsCollectorTexts_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        const auto row = [](const char* context, const char* source) {
            QTest::addRow("%s: %s", context, source)
                << QString::fromUtf8(context) << QString::fromUtf8(source);
        };
        row("MainMenuViewController", "Main Menu");
        row("MainMenuViewController", "Stamp List");
        row("StampFormViewController", "Year of Issue");
        row("EditViewController", "Remove Stamp Image");
        row("ListTableViewController", "# Stamps = %1 of %2");
        row("GroupSummaryViewController", "Search By Country");
        row("ValuationViewController", "Find Value on Web");
        row("ImportViewController", "Data Import File");
        row("ReferenceLists", "Search by Perforation");
        row("StampReport", "Stamps Filtered by Year: ");
        row("Saving", "Record not Saved!");
        row("ShareSheet", "Copy");
        row("Alert", "OK");
        row("CommandLine", "No stamps in the collection");
    }
    void sourceFileHoldsCollectorTexts()
    {
        QFETCH(QString, context);
        QFETCH(QString, source);
        static const QSet<QString> messages = messagesOf(QStringLiteral(VELLORA_TS_FILE));
        QVERIFY2(!messages.isEmpty(), VELLORA_TS_FILE " could not be read");
        QVERIFY(messages.contains(context + u'|' + source));
    }

    void englishIsBuiltIn()
    {
        QVERIFY(QFile::exists(Translations::BuiltInFolder + QStringLiteral("/vellora_en.qm")));
    }

    // Last: what it installs stays for the rest of the program.
    void localeTranslatesScreens()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QVERIFY(writeTranslation(folder.path(), QStringLiteral("de")));
        TestEnvironment test;

        // No file for the locale: the English texts stay.
        Translations::install(*QCoreApplication::instance(), QLocale(QLocale::Dutch),
                              folder.path());
        QCOMPARE(MainMenuViewController(test.environment()).title(), QStringLiteral("Main Menu"));

        QVERIFY(Translations::install(*QCoreApplication::instance(), QLocale(QLocale::German),
                                      folder.path()) >= 1);
        QCOMPARE(MainMenuViewController(test.environment()).title(),
                 QStringLiteral("Hauptmen\u00fc"));
        const Alert alert = Alert::withOk(QStringLiteral("Title"), QStringLiteral("Message"));
        QCOMPARE(alert.actions.constFirst().title, QStringLiteral("Gut"));
    }
};

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
