#include "AsCollector.h"
#include "BrowseFixture.h"
#include "LocaleScope.h"
#include "browse/GroupBreakdownViewController.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPdfDocument>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

using namespace BrowseFixture;
using Breakdown = GroupBreakdownViewController;

namespace {

const QString YearReportFile = QStringLiteral("StampsFilteredByYear.pdf");

// The text of every page, as a reader of the file would find it.
QString pdfText(const QString& path)
{
    QPdfDocument pdf;
    if (pdf.load(path) != QPdfDocument::Error::None)
        return {};
    QStringList pages;
    for (int page = 0; page < pdf.pageCount(); ++page)
        pages << pdf.getAllText(page).text();
    return pages.join(QLatin1Char('\n'));
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// The stamps of 1962 (and one of another year), shown on the year breakdown.
void addYear1962(TestEnvironment& test)
{
    for (const char* denomination : {"Blue Cross", "Red Cross", "Green Leaf"})
        add(test.context(), {QString::fromLatin1(denomination), 1962, {}, 2.5f, 1});
    add(test.context(), {QStringLiteral("Other Year"), 1963});
    QVERIFY(test.context().save());
    test.shared().selectedStamp.yearOfIssue = 1962;
}

} // namespace

class BreakdownReportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_locale.emplace(Locales::unitedStates()); }
    void cleanup() { m_locale.reset(); }

    void noReportWithoutTextMessagesOrWithoutStamps()
    {
        TestEnvironment test;
        addYear1962(test);
        Breakdown years(Breakdown::YearBreakdownTableViewController, test.environment());
        years.view();

        test.messages.setCanSendText(false);
        years.PrintButton->trigger();
        // Told on the next turn of the main queue.
        QCOMPARE(test.alerts.alerts().size(), 0);
        test.mainQueue.drain();
        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Can't Send Text Message"));
        QCOMPARE(test.alerts.last().message,
                 QStringLiteral("Your device is not able to send text messages."));
        QCOMPARE(RecordingAlertPresenter::buttonTitles(test.alerts.last()),
                 QStringList{QStringLiteral("OK")});
        QVERIFY(filesIn(test.documentsDirectory()).isEmpty());

        // A search that shows nothing has nothing to report.
        test.messages.setCanSendText(true);
        test.alerts.clear();
        years.searchBar->setText(QStringLiteral("nothing like it"));
        years.ShareBrandButtonClicked();
        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Empty Data Set!"));
        QCOMPARE(test.alerts.last().message, QStringLiteral("No Stamps to Print!"));

        // Nor has a group without stamps.
        test.shared().selectedStamp.yearOfIssue = 1999;
        Breakdown empty(Breakdown::YearBreakdownTableViewController, test.environment());
        empty.view();
        empty.ShareBrandButtonClicked();
        QCOMPARE(test.alerts.alerts().size(), 2);
        QCOMPARE(test.alerts.last().message, QStringLiteral("No Stamps to Print!"));

        QVERIFY(filesIn(test.documentsDirectory()).isEmpty());
        QVERIFY(test.shareSheet.requests().isEmpty());
        QCOMPARE(years.StampString, nullptr);
    }

    void theReportListsTheShownStampsAndReplacesTheLastOne()
    {
        TestEnvironment test;
        addYear1962(test);
        Breakdown years(Breakdown::YearBreakdownTableViewController, test.environment());
        years.view();
        years.SortButtonTapped();
        years.searchBar->setText(QStringLiteral("cross"));
        years.ShareBrandButtonClicked();

        const QString path = QDir(test.documentsDirectory()).filePath(YearReportFile);
        QCOMPARE(years.outputFileURL, QUrl::fromLocalFile(path));
        QVERIFY(test.alerts.alerts().isEmpty());
        QCOMPARE(test.shareSheet.requests().size(), 1);
        QCOMPARE(test.shareSheet.requests().first().items,
                 QList<ShareItem>{ShareItem::fromFile(years.outputFileURL)});
        QString text = pdfText(path);
        QVERIFY2(text.contains(QStringLiteral("Stamps Filtered by Year: 1962")), qPrintable(text));
        // The shown stamps in the shown (descending) order, and no other.
        const qsizetype red = text.indexOf(QStringLiteral("Denomination: Red Cross"));
        const qsizetype blue = text.indexOf(QStringLiteral("Denomination: Blue Cross"));
        QVERIFY2(red >= 0 && blue > red, qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("Green Leaf")));
        QVERIFY(!text.contains(QStringLiteral("Other Year")));
        QCOMPARE(years.StampString->toPlainText().count(QStringLiteral("Denomination: ")), 2);

        // The next report takes the place of the last: one file, holding the new report.
        years.searchBar->setText(QStringLiteral("leaf"));
        years.ShareBrandButtonClicked();
        QCOMPARE(filesIn(test.documentsDirectory()), QStringList{YearReportFile});
        text = pdfText(path);
        QVERIFY2(text.contains(QStringLiteral("Denomination: Green Leaf")), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("Cross")));
        QCOMPARE(test.shareSheet.requests().size(), 2);
    }

    void aReportThatCannotBeWrittenIsToldAndNeverShared()
    {
        TestEnvironment test;
        addYear1962(test);
        Breakdown years(Breakdown::YearBreakdownTableViewController, test.environment());
        years.view();
        // The pictures are read now: the collector's process below must not use the store.
        for (Stamps* stamp : years.StampList.objects<Stamps>())
            stamp->stampImage();

        // A documents folder that is missing is made; one that cannot be made is said.
        test.environment().documentsDirectory =
            QDir(test.dataDirectory()).filePath(QStringLiteral("New Documents"));
        years.ShareBrandButtonClicked();
        QCOMPARE(filesIn(test.environment().documentsDirectory), QStringList{YearReportFile});
        QCOMPARE(test.shareSheet.requests().size(), 1);
        test.shareSheet.clear();
        QFile notAFolder(QDir(test.dataDirectory()).filePath(QStringLiteral("NotAFolder")));
        QVERIFY(notAFolder.open(QIODevice::WriteOnly));
        notAFolder.close();
        test.environment().documentsDirectory =
            notAFolder.fileName() + QStringLiteral("/Documents");
        years.ShareBrandButtonClicked();
        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Could not create PDF file"));
        QVERIFY(!test.alerts.last().message.isEmpty());
        QVERIFY(test.shareSheet.requests().isEmpty());
        QVERIFY(!QFileInfo::exists(test.environment().documentsDirectory));

        // A folder that has become read-only keeps the last report, which is not offered again.
        QTemporaryDir documents;
        QVERIFY(documents.isValid());
        test.environment().documentsDirectory = documents.path();
        years.searchBar->setText(QStringLiteral("cross"));
        years.ShareBrandButtonClicked();
        QCOMPARE(test.shareSheet.requests().size(), 1);
        QVERIFY(setWritableByCollector(documents.path(), false));
        years.searchBar->setText(QStringLiteral("leaf"));
        const QString problem = runAsCollector([&test, &years]() -> QString {
            years.ShareBrandButtonClicked();
            if (test.alerts.last().title != QLatin1String("Could not create PDF file") ||
                test.alerts.last().message.isEmpty())
                return QStringLiteral("not told: ") + test.alerts.last().title;
            if (test.shareSheet.requests().size() != 1)
                return QStringLiteral("the old file was shared");
            return {};
        });
        QVERIFY(setWritableByCollector(documents.path(), true));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(filesIn(documents.path()), QStringList{YearReportFile});
        const QString text = pdfText(QDir(documents.path()).filePath(YearReportFile));
        QVERIFY2(text.contains(QStringLiteral("Blue Cross")), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("Green Leaf")));
    }

    void aCancelledReportWritesAndSaysNothing()
    {
        TestEnvironment test;
        for (int i = 0; i < 300; ++i)
            add(test.context(), {QStringLiteral("Stamp %1").arg(i), 1962});
        QVERIFY(test.context().save());
        test.shared().selectedStamp.yearOfIssue = 1962;
        Breakdown years(Breakdown::YearBreakdownTableViewController, test.environment());
        years.view();

        // The collector cancels as soon as the progress dialog is there.
        bool cancelled = false;
        QTimer canceller;
        connect(&canceller, &QTimer::timeout, &years, [&] {
            if (auto* progress = years.view()->findChild<QProgressDialog*>()) {
                progress->cancel();
                cancelled = true;
                canceller.stop();
            }
        });
        canceller.start(0);
        years.ShareBrandButtonClicked();
        canceller.stop();
        QVERIFY(cancelled);
        QVERIFY(test.alerts.alerts().isEmpty());
        QVERIFY(test.shareSheet.requests().isEmpty());
        QVERIFY(filesIn(test.documentsDirectory()).isEmpty());
        // The progress dialog goes with the work.
        QCOMPARE(years.view()->findChild<QProgressDialog*>(), nullptr);
    }

private:
    TestLocale m_locale;
};

QTEST_MAIN(BreakdownReportTest)
#include "tst_breakdownreport.moc"
