#include "AppOnScreen.h"
#include "TestEnvironment.h"
#include "exchange/ExportImportViewController.h"
#include "exchange/ExportViewController.h"
#include "exchange/ImportViewController.h"
#include "exchange/TextPreview.h"
#include "main/MainMenuViewController.h"
#include "main/Storyboard.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Storyboard.h"
#include "store/ObjectContext.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <map>

namespace {

const QString Marker = QStringLiteral("[VELLORA]");
const QString ProcessComplete =
    QStringLiteral("Process Complete - File Ready to Save to Files or Email");

// The application's window, shown with the menu's buttons out, and the ways to the export and
// import screens.
struct ExchangeApp : AppOnScreen
{
    explicit ExchangeApp(TestEnvironment& test) : AppOnScreen(test)
    {
        navigation->show();
        menu->HandleButtonClick();
    }

    ExportImportViewController* openExportImport()
    {
        if (!menu->ImportExportButton)
            return nullptr;
        QTest::mouseClick(menu->ImportExportButton, Qt::LeftButton);
        return qobject_cast<ExportImportViewController*>(navigation->topViewController());
    }

    template <class Screen> Screen* open(QPushButton* ExportImportViewController::*button)
    {
        ExportImportViewController* chooser = openExportImport();
        if (!chooser)
            return nullptr;
        chooser->view();
        QTest::mouseClick(chooser->*button, Qt::LeftButton);
        return qobject_cast<Screen*>(navigation->topViewController());
    }

    ExportViewController* openExport()
    {
        return open<ExportViewController>(&ExportImportViewController::ExportStampsButton);
    }
    ImportViewController* openImport()
    {
        return open<ImportViewController>(&ExportImportViewController::ImportStampsButton);
    }
};

Stamps* addStamp(TestEnvironment& test, const QString& country, const QString& denomination,
                 qint16 year, const QString& notes = {})
{
    auto* stamp = test.context().insertNewObject<Stamps>();
    stamp->setCountry(country);
    stamp->setDenomination(denomination);
    stamp->setYearOfIssue(year);
    stamp->setQuantity(1);
    if (!notes.isEmpty())
        stamp->setNotes(notes);
    return stamp;
}

QList<Stamps*> allStamps(TestEnvironment& test)
{
    return test.context().fetch<Stamps>({}, {{QStringLiteral("denomination"), true}}).value();
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A record line of the export file: the given fields by position (1 to 22), the rest empty.
QString recordLine(const std::map<int, QString>& fields)
{
    QStringList line(22);
    for (const auto& [position, text] : fields)
        line[position - 1] = text;
    return line.join(u'^');
}

QList<int> sortedTypes(const QList<ActivityType>& types)
{
    QList<int> numbers;
    for (ActivityType type : types)
        numbers << int(type);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// The export screen just after exporting a collection of one stamp (its completion alert still
// queued).
void exportOneStamp(TestEnvironment& test, ExportViewController& screen)
{
    addStamp(test, QStringLiteral("France"), QStringLiteral("1F"), 1960);
    if (!test.context().save())
        qFatal("The test stamp could not be saved");
    screen.view();
    screen.CreateUpdateFile();
}

// Whether the widget is enabled at each of those times on the main queue, drained.
QList<bool> enabledAt(TestEnvironment& test, const QWidget& widget, const QList<double>& seconds)
{
    QList<bool> enabled;
    for (const double at : seconds)
        test.mainQueue.asyncAfter(at, [&] { enabled << widget.isEnabled(); });
    test.mainQueue.drain();
    return enabled;
}

int backupCount(TestEnvironment& test)
{
    return int(QDir(QDir(test.dataDirectory()).filePath(QStringLiteral("Backups")))
                   .entryList(QDir::Files)
                   .size());
}

} // namespace

class ExchangeScreensTest : public QObject
{
    Q_OBJECT

private:
    QString exportPath(TestEnvironment& test)
    {
        return QDir(test.temporaryDirectory()).filePath(QStringLiteral("Vellora.csv"));
    }

private Q_SLOTS:
    void theMenuLeadsToExportAndImport()
    {
        TestEnvironment test;
        ExchangeApp app(test);
        QVERIFY(app.menu->ImportExportButton);
        QCOMPARE(app.menu->ImportExportButton->text(), QStringLiteral("Export / Import"));
        ExportImportViewController* chooser = app.openExportImport();
        QVERIFY(chooser);
        QCOMPARE(chooser->ExportStampsButton->text(), QStringLiteral("Export Stamps"));
        QCOMPARE(chooser->ImportStampsButton->text(), QStringLiteral("Import Stamps"));

        QTest::mouseClick(chooser->ExportStampsButton, Qt::LeftButton);
        auto* exporter = qobject_cast<ExportViewController*>(app.navigation->topViewController());
        QVERIFY(exporter);
        QCOMPARE(exporter->title(), QStringLiteral("Export Stamps"));
        QVERIFY(app.navigation->popViewController(false));
        QTest::mouseClick(chooser->ImportStampsButton, Qt::LeftButton);
        auto* importer = qobject_cast<ImportViewController*>(app.navigation->topViewController());
        QVERIFY(importer);
        QCOMPARE(importer->title(), QStringLiteral("Import Stamps"));
    }

    // Export

    void exportWritesTheCollectionAndOffersIt()
    {
        TestEnvironment test;
        addStamp(test, QStringLiteral("France"), QStringLiteral("1F"), 1960);
        addStamp(test, QStringLiteral("Italy"), QStringLiteral("2L"), 1950);
        QVERIFY(test.context().save());
        ExchangeApp app(test);
        ExportViewController* screen = app.openExport();
        QVERIFY(screen);

        // At load only the export can be started.
        QVERIFY(screen->ExportButton->isEnabled());
        QVERIFY(!screen->SaveButton->isEnabled());
        QVERIFY(!screen->EmailButton->isEnabled());
        QVERIFY(screen->ExportTextView->isReadOnly());
        QCOMPARE(screen->HelpTextView->toPlainText(),
                 QStringLiteral("Step 1: Create the Export File\n"
                                "Step 2: Option 1: Click 'Save To Files' button and save "
                                "Vellora.csv to a folder on this computer or a synced folder\n"
                                "             Option 2: Click the Email File button to email the "
                                "file to yourself and then from your email save Vellora.csv to a "
                                "folder on this computer or a synced folder. There are size limits "
                                "to email attachments for most mail providers."));
        QCOMPARE(screen->ProgressView->value(), 0);

        QTest::mouseClick(screen->ExportButton, Qt::LeftButton);
        const QString written = QString::fromUtf8(readAll(exportPath(test)));
        const QStringList lines = written.split(u'\n');
        QCOMPARE(lines.size(), 4); // marker, two stamps, and the final line feed
        QCOMPARE(lines.first(), Marker);
        QVERIFY(lines.at(1).contains(QStringLiteral("France^1F")));
        QVERIFY(lines.at(2).contains(QStringLiteral("Italy^2L")));
        QCOMPARE(screen->ExportTextView->toPlainText(), written);
        QCOMPARE(screen->ProgressView->maximum(), 2);
        QCOMPARE(screen->ProgressView->value(), 2);
        QVERIFY(screen->ProgressView->text().contains(QStringLiteral("2 of 2")));

        QVERIFY(!screen->ExportButton->isEnabled());
        QVERIFY(screen->SaveButton->isEnabled());
        QVERIFY(screen->EmailButton->isEnabled());
        // The completion is told from the main queue, once the export has returned.
        QVERIFY(test.alerts.alerts().isEmpty());
        QVERIFY(!screen->activityIndicator->isHidden());
        test.mainQueue.drain();
        QVERIFY(screen->activityIndicator->isHidden());
        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Data Export File"));
        QCOMPARE(test.alerts.last().message, ProcessComplete);
        QCOMPARE(RecordingAlertPresenter::buttonTitles(test.alerts.last()),
                 QStringList{QStringLiteral("OK")});
    }

    void theExportIsOfferedAgainOnceOutOfDate_data()
    {
        // Seconds after the export at which the button is looked at: still greyed, then offered.
        QTest::addColumn<bool>("changed");
        QTest::addColumn<double>("greyed");
        QTest::addColumn<double>("offered");
        QTest::newRow("the collection changed") << true << 0.5 << 1.5;
        QTest::newRow("a minute passed") << false << 59.5 << 60.5;
    }

    void theExportIsOfferedAgainOnceOutOfDate()
    {
        QFETCH(bool, changed);
        QFETCH(double, greyed);
        QFETCH(double, offered);
        TestEnvironment test;
        ExportViewController screen(test.environment());
        exportOneStamp(test, screen);
        // Up to date: pressing the button again makes nothing.
        QVERIFY(!screen.ExportButton->isEnabled());
        QVERIFY(QFile::remove(exportPath(test)));
        screen.CreateUpdateFile();
        QVERIFY(!QFile::exists(exportPath(test)));
        if (changed) {
            addStamp(test, QStringLiteral("Italy"), QStringLiteral("2L"), 1950);
            QVERIFY(test.context().save());
        }
        QCOMPARE(enabledAt(test, *screen.ExportButton, {greyed, offered}),
                 (QList<bool>{false, true}));

        QTest::mouseClick(screen.ExportButton, Qt::LeftButton);
        QCOMPARE(QString::fromUtf8(readAll(exportPath(test))).count(u'\n'), changed ? 3 : 2);
        QVERIFY(!screen.ExportButton->isEnabled());
        // Made while the export is up to date, a spreadsheet file leaves it so.
        screen.SpreadsheetButton->click();
        QVERIFY(!screen.ExportButton->isEnabled());
        QCOMPARE(enabledAt(test, *screen.ExportButton, {1.5, 59.5, 60.5}),
                 (QList<bool>{false, false, true}));
    }

    void anEmptyCollectionExportsTheMarkerOnly()
    {
        TestEnvironment test;
        ExportViewController screen(test.environment());
        screen.view();
        screen.CreateUpdateFile();
        QCOMPARE(readAll(exportPath(test)), QByteArray("[VELLORA]\n"));
        QCOMPARE(screen.ProgressView->value(), screen.ProgressView->maximum());
        QVERIFY(screen.ProgressView->text().contains(QStringLiteral("0 of 0")));
        test.mainQueue.drain();
        QCOMPARE(test.alerts.last().message, ProcessComplete);
    }

    void anExportThatCannotBeWrittenSaysWhyAndOffersNothing()
    {
        TestEnvironment test;
        addStamp(test, QStringLiteral("France"), QStringLiteral("1F"), 1960);
        QVERIFY(test.context().save());
        // A folder that cannot be made (a file holds its name), and a file name a folder holds.
        const QString blockedFolder = QDir(test.dataDirectory()).filePath(QStringLiteral("file"));
        QVERIFY(writeFile(blockedFolder, "not a folder"));
        QVERIFY(QDir().mkpath(exportPath(test)));
        for (const QString& folder :
             {QDir(blockedFolder).filePath(QStringLiteral("tmp")), test.temporaryDirectory()}) {
            test.environment().temporaryDirectory = folder;
            test.alerts.clear();
            ExportViewController screen(test.environment());
            screen.view();
            screen.CreateUpdateFile();
            test.mainQueue.drain();
            QCOMPARE(test.alerts.alerts().size(), 1);
            QCOMPARE(test.alerts.last().title, QStringLiteral("Data Export File"));
            QVERIFY2(test.alerts.last().message.startsWith(
                         QStringLiteral("The export file could not be made: ")),
                     qPrintable(test.alerts.last().message));
            QVERIFY(test.alerts.last().message.size() >
                    QStringLiteral("The export file could not be made: ").size());
            QVERIFY(!screen.SaveButton->isEnabled());
            QVERIFY(!screen.EmailButton->isEnabled());
            QVERIFY(screen.ExportTextView->toPlainText().isEmpty());
            // It may be tried again once the folder is right.
            QVERIFY(screen.ExportButton->isEnabled());
        }

        QVERIFY(QDir(exportPath(test)).removeRecursively());
        test.alerts.clear();
        ExportViewController screen(test.environment());
        screen.view();
        screen.CreateUpdateFile();
        test.mainQueue.drain();
        QCOMPARE(test.alerts.last().message, ProcessComplete);
        QVERIFY(readAll(exportPath(test)).startsWith("[VELLORA]\n"));
    }

    void saveToFilesOffersTheFileInTheShareSheet()
    {
        TestEnvironment test;
        ExportViewController screen(test.environment());
        exportOneStamp(test, screen);

        screen.SaveToFiles();
        QCOMPARE(test.shareSheet.requests().size(), 1);
        const ShareRequest& request = test.shareSheet.requests().first();
        QCOMPARE(request.items.size(), 1);
        QCOMPARE(request.items.first().kind(), ShareItem::Kind::File);
        QCOMPARE(request.items.first().fileUrl(), QUrl::fromLocalFile(exportPath(test)));
        QCOMPARE(
            sortedTypes(request.excludedActivityTypes),
            sortedTypes({ActivityType::AirDrop, ActivityType::AddToReadingList, ActivityType::Mail,
                         ActivityType::Message, ActivityType::PostToFacebook,
                         ActivityType::PostToTwitter, ActivityType::MarkupAsPDF,
                         ActivityType::CopyToPasteboard, ActivityType::Print}));
        QVERIFY(test.alerts.alerts().isEmpty());

        // A file removed behind the screen's back is not offered; a new export is.
        QVERIFY(QFile::remove(exportPath(test)));
        screen.SaveToFiles();
        QCOMPARE(test.shareSheet.requests().size(), 1);
        QCOMPARE(test.alerts.alerts().size(), 1);
        QVERIFY(!screen.SaveButton->isEnabled());
        QVERIFY(screen.ExportButton->isEnabled());
    }

    void writeTextFileMailsTheFileWhenMailIsThere()
    {
        TestEnvironment test;
        ExportViewController screen(test.environment());
        exportOneStamp(test, screen);

        screen.WriteTextFile();
        QCOMPARE(test.mail.messages().size(), 1);
        const MailMessage& mail = test.mail.messages().first();
        QCOMPARE(mail.subject, QStringLiteral("Vellora Update Text File"));
        QCOMPARE(mail.body, QStringLiteral("Attachment: Vellora Text File"));
        QVERIFY(!mail.bodyIsHtml);
        QVERIFY(mail.toRecipients.isEmpty());
        QCOMPARE(mail.attachments.size(), 1);
        QCOMPARE(mail.attachments.first().fileName, QStringLiteral("Vellora.csv"));
        QCOMPARE(mail.attachments.first().data, readAll(exportPath(test)));
        QVERIFY(test.alerts.alerts().isEmpty());

        // A mail program that refuses the mail is told.
        test.mail.setFailure(QStringLiteral("no mail program"));
        screen.WriteTextFile();
        QCOMPARE(test.alerts.last().message, QStringLiteral("no mail program"));

        test.alerts.clear();
        test.mail.setFailure({});
        test.mail.setCanSendMail(false);
        screen.WriteTextFile();
        QCOMPARE(test.mail.messages().size(), 1);
        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Sending Email"));
        QCOMPARE(test.alerts.last().message, QStringLiteral("Email not Setup or Unavailable"));
    }

    void theSpreadsheetFileIsShownSavedAndMailedLikeTheExportFile()
    {
        TestEnvironment test;
        ExportViewController screen(test.environment());
        exportOneStamp(test, screen);
        const QString path =
            QDir(test.temporaryDirectory()).filePath(QStringLiteral("Vellora-Spreadsheet.csv"));

        screen.SpreadsheetButton->click();
        test.mainQueue.drain();
        QCOMPARE(test.alerts.last().message,
                 QStringLiteral("Process Complete - File Ready to Save to Files or Email"));
        QVERIFY(screen.ExportTextView->toPlainText().startsWith(
            QStringLiteral("Country,Scott #,Denomination,")));
        QVERIFY(screen.ExportTextView->toPlainText().contains(QStringLiteral("France,")));
        // Another spreadsheet file may be made.
        QVERIFY(screen.SpreadsheetButton->isEnabled());
        QVERIFY(screen.SaveButton->isEnabled() && screen.EmailButton->isEnabled());

        // The buttons hand on the file made last.
        screen.SaveToFiles();
        QCOMPARE(test.shareSheet.requests().constLast().items.first().fileUrl(),
                 QUrl::fromLocalFile(path));
        screen.WriteTextFile();
        const MailMessage& mail = test.mail.messages().constLast();
        QCOMPARE(mail.subject, QStringLiteral("Vellora Spreadsheet File"));
        QCOMPARE(mail.attachments.first().fileName, QStringLiteral("Vellora-Spreadsheet.csv"));
        QCOMPARE(mail.attachments.first().data, readAll(path));
    }

    void aLongExportShowsItsFirstMegabyteOnly()
    {
        TestEnvironment test;
        // Three stamps whose notes make a file of about 1.5 megabytes, with multi-byte text.
        const QString notes = QString(250'000, QChar(u'é'));
        for (const char* country : {"A", "B", "C"})
            addStamp(test, QString::fromLatin1(country), QStringLiteral("1F"), 1960, notes);
        QVERIFY(test.context().save());
        ExportViewController screen(test.environment());
        screen.view();
        screen.CreateUpdateFile();
        const QByteArray file = readAll(exportPath(test));
        QVERIFY(file.size() > TextPreview::Limit);

        const QString shown = screen.ExportTextView->toPlainText();
        const QString head = QString::fromUtf8(file.left(TextPreview::Limit));
        QVERIFY(shown.size() < head.size() + 200);
        // The text shown is the file's own beginning, no character cut in two.
        const qsizetype cut = shown.indexOf(QStringLiteral("\n… only the first megabyte"));
        QVERIFY(cut > 0);
        QVERIFY(head.startsWith(shown.left(cut)));
        QVERIFY(!shown.left(cut).contains(QChar::ReplacementCharacter));
        QVERIFY(
            shown.mid(cut).contains(QLocale().formattedDataSize(file.size() - TextPreview::Limit)));
        // The file itself holds everything: the marker and three whole stamps.
        const QStringList lines = QString::fromUtf8(file).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        for (const QString& line : lines.mid(1))
            QCOMPARE(line.split(u'^').at(12), notes);
    }

    // Import

    void importLoadsThenMergesAndKeepsItsSummary()
    {
        TestEnvironment test;
        addStamp(test, QStringLiteral("France"), QStringLiteral("1F"), 1960,
                 QStringLiteral("old notes"));
        QVERIFY(test.context().save());
        QTemporaryDir files;
        const QString path = files.filePath(QStringLiteral("Vellora.csv"));
        const QString text = Marker + u'\n' +
                             recordLine({{6, QStringLiteral("France")},
                                         {7, QStringLiteral("1F")},
                                         {13, QStringLiteral("new notes")},
                                         {16, QStringLiteral("4")},
                                         {21, QStringLiteral("1960")}}) +
                             u'\n' +
                             recordLine({{6, QStringLiteral("Italy")},
                                         {7, QStringLiteral("2L")},
                                         {16, QStringLiteral("2x")},
                                         {21, QStringLiteral("1950")}}) +
                             u'\n';
        QVERIFY(writeFile(path, text.toUtf8()));

        ExchangeApp app(test);
        ImportViewController* screen = app.openImport();
        QVERIFY(screen);
        QVERIFY(screen->LoadFileButton->isEnabled());
        QVERIFY(!screen->ImportButton->isEnabled());
        QVERIFY(!screen->SaveSummaryButton->isEnabled());
        QVERIFY(screen->SummaryTextView->isHidden());
        QCOMPARE(screen->HelpTextView->toPlainText(),
                 QStringLiteral("YOU CAN ONLY IMPORT THE FILE CREATED BY THIS APP.\n"
                                "1: Select the file Vellora.csv you saved to a folder on this "
                                "computer or a synced folder\n"
                                "2: Import the file into your collection"));

        // A cancelled dialog changes nothing.
        test.documentPicker.setNextCancel();
        QTest::mouseClick(screen->LoadFileButton, Qt::LeftButton);
        QCOMPARE(test.documentPicker.pickCount(), 1);
        QVERIFY(test.alerts.alerts().isEmpty());
        QVERIFY(!screen->ImportButton->isEnabled());

        test.documentPicker.setNextFile(path);
        QTest::mouseClick(screen->LoadFileButton, Qt::LeftButton);
        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Data Import File"));
        QCOMPARE(test.alerts.last().message, QStringLiteral("File Loaded and Ready to Import"));
        QVERIFY(test.alerts.tap(QStringLiteral("OK")));
        QCOMPARE(app.navigation->topViewController(), screen);
        QVERIFY(!screen->LoadFileButton->isEnabled());
        QVERIFY(screen->ImportButton->isEnabled());
        QCOMPARE(screen->ImportTextView->toPlainText(), text);
        QCOMPARE(screen->filename, QStringLiteral("Vellora.csv"));
        // Loading alone changes nothing.
        QCOMPARE(allStamps(test).size(), 1);
        QCOMPARE(backupCount(test), 0);

        QTest::mouseClick(screen->ImportButton, Qt::LeftButton);
        const QList<Stamps*> stamps = allStamps(test);
        QCOMPARE(stamps.size(), 2);
        QCOMPARE(stamps.at(0)->notes(), QStringLiteral("new notes"));
        QCOMPARE(stamps.at(0)->quantity(), 4);
        QCOMPARE(stamps.at(1)->country(), QStringLiteral("Italy"));
        QCOMPARE(stamps.at(1)->yearOfIssue(), 1950);
        QCOMPARE(backupCount(test), 1);
        QCOMPARE(test.alerts.alerts().size(), 2);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Data Import File"));
        QCOMPARE(test.alerts.last().message, QStringLiteral("Data File Import Completed"));

        // Its OK leaves the summary on the screen: the counts and the refused field's line.
        QVERIFY(test.alerts.tap(QStringLiteral("OK")));
        QCOMPARE(app.navigation->topViewController(), screen);
        QVERIFY(!screen->SummaryTextView->isHidden());
        const QString summary = screen->SummaryTextView->toPlainText();
        QVERIFY2(summary.startsWith(QStringLiteral("Stamps added: 1\nStamps updated: 1\n")),
                 qPrintable(summary));
        QVERIFY(summary.contains(QStringLiteral("line 3: quantity \"2x\" is not a whole number")));
        QCOMPARE(screen->ImportTextView->toPlainText(), text);
        // Copied as any text is, and never typed over.
        QVERIFY(app.show());
        screen->SummaryTextView->setFocus();
        QTest::keyClick(screen->SummaryTextView, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(screen->SummaryTextView, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), summary);
        QTest::keyClick(screen->SummaryTextView, Qt::Key_Delete);
        QCOMPARE(screen->SummaryTextView->toPlainText(), summary);
        // Done once: the screen stays, but the import is not made again.
        QVERIFY(!screen->ImportButton->isEnabled());
        screen->ImportTextFile();
        QCOMPARE(backupCount(test), 1);
        QCOMPARE(test.alerts.alerts().size(), 2);

        // Saved where the collector says; a cancelled dialog or a folder that is not there
        // writes nothing, the latter told.
        const QString saved = files.filePath(QStringLiteral("summary.txt"));
        QVERIFY(writeFile(saved, "an older summary"));
        test.documentPicker.setNextCancel();
        QTest::mouseClick(screen->SaveSummaryButton, Qt::LeftButton);
        QCOMPARE(test.documentPicker.suggestedNames().last(),
                 QStringLiteral("Vellora Import Summary.txt"));
        QCOMPARE(readAll(saved), QByteArray("an older summary"));
        test.documentPicker.setNextFile(saved);
        QTest::mouseClick(screen->SaveSummaryButton, Qt::LeftButton);
        QCOMPARE(QString::fromUtf8(readAll(saved)), summary);
        QCOMPARE(test.alerts.alerts().size(), 2);
        const QString nowhere = files.filePath(QStringLiteral("gone/summary.txt"));
        test.documentPicker.setNextFile(nowhere);
        QTest::mouseClick(screen->SaveSummaryButton, Qt::LeftButton);
        QCOMPARE(test.alerts.alerts().size(), 3);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Summary not Saved"));
        QVERIFY(test.alerts.last().message.contains(QDir::toNativeSeparators(nowhere)));
        QVERIFY(!QFile::exists(nowhere));
        QCOMPARE(app.navigation->topViewController(), screen);
    }

    void aFileWithoutTheMarkerChangesNothing()
    {
        TestEnvironment test;
        addStamp(test, QStringLiteral("France"), QStringLiteral("1F"), 1960,
                 QStringLiteral("old notes"));
        QVERIFY(test.context().save());
        QTemporaryDir files;
        const QString path = files.filePath(QStringLiteral("shopping.txt"));
        QVERIFY(writeFile(path, recordLine({{6, QStringLiteral("France")},
                                            {7, QStringLiteral("1F")},
                                            {13, QStringLiteral("new")},
                                            {21, QStringLiteral("1960")}})
                                    .toUtf8()));

        ExchangeApp app(test);
        ImportViewController* screen = app.openImport();
        QVERIFY(screen);
        test.documentPicker.setNextFile(path);
        screen->LoadFile();
        QVERIFY(test.alerts.tap(QStringLiteral("OK")));
        screen->ImportTextFile();
        QCOMPARE(screen->wrongFile, true);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Data Import"));
        QCOMPARE(test.alerts.last().message,
                 QStringLiteral("shopping.txt Is The Incorrect Import File"));
        QCOMPARE(allStamps(test).size(), 1);
        QCOMPARE(allStamps(test).first()->notes(), QStringLiteral("old notes"));
        QCOMPARE(backupCount(test), 0);
        QVERIFY(test.alerts.tap(QStringLiteral("OK")));
        QCOMPARE(app.navigation->topViewController(), app.menu);
    }

    void aFileThatCannotBeReadIsToldAndChangesNothing()
    {
        TestEnvironment test;
        QTemporaryDir files;
        ImportViewController screen(test.environment());
        screen.view();
        for (const QString& path : {files.filePath(QStringLiteral("gone.csv")), files.path()}) {
            test.alerts.clear();
            test.documentPicker.setNextFile(path);
            screen.LoadFile();
            QCOMPARE(test.alerts.alerts().size(), 1);
            QVERIFY2(test.alerts.last().message.startsWith(QStringLiteral("The file ")) &&
                         test.alerts.last().message.contains(QStringLiteral("could not be read: ")),
                     qPrintable(test.alerts.last().message));
            QVERIFY(screen.LoadFileButton->isEnabled());
            QVERIFY(!screen.ImportButton->isEnabled());
            QVERIFY(!screen.document);
            QVERIFY(screen.ImportTextView->toPlainText().isEmpty());
        }
    }

    void withoutABackupNothingIsImported()
    {
        TestEnvironment test;
        QTemporaryDir files;
        const QString path = files.filePath(QStringLiteral("Vellora.csv"));
        QVERIFY(writeFile(path, (Marker + u'\n' +
                                 recordLine({{6, QStringLiteral("Italy")},
                                             {7, QStringLiteral("2L")},
                                             {21, QStringLiteral("1950")}}))
                                    .toUtf8()));
        // The backups' folder cannot be made: a file holds its name.
        QVERIFY(writeFile(QDir(test.dataDirectory()).filePath(QStringLiteral("Backups")), "x"));
        ImportViewController screen(test.environment());
        screen.view();
        test.documentPicker.setNextFile(path);
        screen.LoadFile();
        test.alerts.clear();
        screen.ImportTextFile();
        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Data Import"));
        QVERIFY(test.alerts.last().message.startsWith(
            QStringLiteral("The import was not done, because no backup")));
        QVERIFY(allStamps(test).isEmpty());
        // Once the folder is right, the same file imports.
        QVERIFY(QFile::remove(QDir(test.dataDirectory()).filePath(QStringLiteral("Backups"))));
        screen.ImportTextFile();
        QCOMPARE(allStamps(test).size(), 1);
        QCOMPARE(test.alerts.last().message, QStringLiteral("Data File Import Completed"));
    }

    void aLongFileShowsItsFirstMegabyteAndImportsWhole()
    {
        TestEnvironment test;
        QTemporaryDir files;
        const QString path = files.filePath(QStringLiteral("Vellora.csv"));
        const QString notes(1'200'000, u'n');
        QVERIFY(writeFile(path, (Marker + u'\n' +
                                 recordLine({{6, QStringLiteral("Italy")},
                                             {7, QStringLiteral("2L")},
                                             {13, notes},
                                             {21, QStringLiteral("1950")}}) +
                                 u'\n')
                                    .toUtf8()));
        ImportViewController screen(test.environment());
        screen.view();
        test.documentPicker.setNextFile(path);
        screen.LoadFile();
        const QString shown = screen.ImportTextView->toPlainText();
        QVERIFY(shown.size() < TextPreview::Limit + 200);
        QVERIFY(shown.startsWith(Marker + QStringLiteral("\n^^^^^")));
        QVERIFY(shown.contains(QStringLiteral("only the first megabyte is shown")));
        screen.ImportTextFile();
        const QList<Stamps*> stamps = allStamps(test);
        QCOMPARE(stamps.size(), 1);
        QCOMPARE(stamps.first()->notes(), notes);
    }
};

QTEST_MAIN(ExchangeScreensTest)
#include "tst_exchangescreens.moc"
