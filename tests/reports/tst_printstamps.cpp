#include "AppOnScreen.h"
#include "BluePixels.h"
#include "ConsoleCapture.h"
#include "LocaleScope.h"
#include "ModelTexts.h"
#include "TestEnvironment.h"
#include "browse/GroupBreakdownViewController.h"
#include "browse/GroupSummaryViewController.h"
#include "main/MainMenuViewController.h"
#include "main/Storyboard.h"
#include "platform/core/ReportPages.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/PrintPanel.h"
#include "platform/gui/ProgressDialog.h"
#include "platform/gui/Storyboard.h"
#include "platform/gui/TabBarController.h"
#include "reports/PrintStampsViewController.h"
#include "reports/StampReport.h"
#include "store/ObjectContext.h"

#include <QLineEdit>
#include <QListView>
#include <QPdfDocument>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <optional>

namespace {

// The application's window, shown at once.
struct ShownApp : AppOnScreen
{
    explicit ShownApp(TestEnvironment& test) : AppOnScreen(test) { navigation->show(); }
};

void addStamp(TestEnvironment& test, const QString& denomination, qint16 year,
              const QString& scottNumber = {})
{
    auto* stamp = test.context().insertNewObject<Stamps>();
    stamp->setDenomination(denomination);
    stamp->setYearOfIssue(year);
    if (!scottNumber.isEmpty())
        stamp->setScottNumber(scottNumber);
    stamp->setQuantity(1);
}

// 1962's stamps out of denomination order, and one of another year.
void addYears(TestEnvironment& test)
{
    addStamp(test, QStringLiteral("Gamma"), 1962, QStringLiteral("A1"));
    addStamp(test, QStringLiteral("Alpha"), 1962, QStringLiteral("C3"));
    addStamp(test, QStringLiteral("Beta"), 1962, QStringLiteral("B2"));
    addStamp(test, QStringLiteral("Other"), 1963);
    QVERIFY(test.context().save());
}

const QStringList Ascending = {QStringLiteral("Alpha"), QStringLiteral("Beta"),
                               QStringLiteral("Gamma")};
const QStringList Descending = {QStringLiteral("Gamma"), QStringLiteral("Beta"),
                                QStringLiteral("Alpha")};

} // namespace

class PrintStampsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_locale.emplace(Locales::unitedStates()); }
    void cleanup() { m_locale.reset(); }

    void fromTheMenuAnEmptyCollectionHasNothingToPrint()
    {
        TestEnvironment test;
        ShownApp app(test);
        QVERIFY(app.menu->PrintAllButton);
        app.menu->HandleButtonClick();
        QTest::mouseClick(app.menu->PrintAllButton, Qt::LeftButton);
        auto* print = qobject_cast<PrintStampsViewController*>(app.navigation->topViewController());
        QVERIFY(print);
        QCOMPARE(QString::fromLatin1(print->report()->marker), QStringLiteral("Menu"));

        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Empty Data Set!"));
        QCOMPARE(test.alerts.last().message, QStringLiteral("No Stamps to Print!"));
        QCOMPARE(RecordingAlertPresenter::buttonTitles(test.alerts.last()),
                 QStringList{QStringLiteral("OK")});
        QVERIFY(print->PrintButton->isHidden());
        QVERIFY(test.printPanel.texts().isEmpty());

        // Once hidden, the print button stays hidden, even when there is something to print.
        addStamp(test, QStringLiteral("Alpha"), 1962);
        QVERIFY(test.context().save());
        print->SortButtonTapped();
        QCOMPARE(test.printPanel.texts().size(), 1);
        QVERIFY(test.printPanel.texts().first().startsWith(
            QStringLiteral("All Stamps Sorted by Scott #: ")));
        QVERIFY(print->PrintButton->isHidden());
    }

    void fromAYearBreakdownOnlyThatYearSortedByDenomination()
    {
        TestEnvironment test;
        addYears(test);
        QImage blue(120, 90, QImage::Format_RGB32);
        blue.fill(QColor(20, 30, 140));
        for (Stamps* stamp : test.context().fetch<Stamps>().value()) {
            if (stamp->denomination() == QStringLiteral("Alpha"))
                stamp->setStampImage(test.pictures.encodeJpeg(blue, 0.9).value());
        }
        QVERIFY(test.context().save());
        ShownApp app(test);
        app.menu->HandleButtonClick();
        QTest::mouseClick(app.menu->GroupedButton, Qt::LeftButton);
        auto* tabs = qobject_cast<TabBarController*>(app.navigation->topViewController());
        QVERIFY(tabs);
        auto* years = qobject_cast<GroupSummaryViewController*>(tabs->viewControllers().first());
        QCOMPARE(years->KeyList.first(), QStringLiteral("1962"));
        years->tableView->clicked(years->tableView->model()->index(0, 0));
        NavigationController* tab = tabs->tabNavigationControllers().first();
        auto* breakdown = qobject_cast<GroupBreakdownViewController*>(tab->topViewController());
        QVERIFY(breakdown);

        // The breakdown's own bar button opens print-all for its group.
        breakdown->PrintAllButton->trigger();
        auto* print = qobject_cast<PrintStampsViewController*>(tab->topViewController());
        QVERIFY(print);
        QCOMPARE(test.shared().marker, QStringLiteral("YearBreakdown"));
        QCOMPARE(QString::fromLatin1(print->report()->marker), QStringLiteral("YearBreakdown"));
        QCOMPARE(test.printPanel.texts().size(), 1);
        const QString report = test.printPanel.texts().first();
        QVERIFY2(report.startsWith(QStringLiteral("Stamps Filtered by Year: 1962")),
                 qPrintable(report));
        QCOMPARE(denominationsIn(report), Ascending);
        QVERIFY(!report.contains(QStringLiteral("Other")));
        QCOMPARE(print->FileTextView->toPlainText(), report);
        // The first stamp's picture is shown with its lines.
        QVERIFY(!bluePixels(print->FileTextView->viewport()->grab().toImage()).isNull());
        QVERIFY(print->FileTextView->isReadOnly());
        QVERIFY(!print->PrintButton->isHidden());
        QVERIFY(test.alerts.alerts().isEmpty());
    }

    void theSortToggleWritesTheSharedDirectionAndFetchesAgain()
    {
        TestEnvironment test;
        addYears(test);
        test.shared().marker = QStringLiteral("YearBreakdown");
        test.shared().selectedStamp.yearOfIssue = 1962;

        PrintStampsViewController print(test.environment());
        print.view();
        QCOMPARE(denominationsIn(test.printPanel.texts().value(0)), Ascending);
        print.SortButtonTapped();
        QVERIFY(!test.shared().sortAscending);
        QCOMPARE(test.printPanel.texts().size(), 2);
        QCOMPARE(denominationsIn(test.printPanel.texts().value(1)), Descending);
        QCOMPARE(print.FileTextView->toPlainText(), test.printPanel.texts().value(1));
        print.SortButtonTapped();
        QVERIFY(test.shared().sortAscending);
        QCOMPARE(denominationsIn(test.printPanel.texts().value(2)), Ascending);

        // A breakdown left descending is printed descending; the screen's own direction still
        // starts ascending, so its first toggle asks for descending again.
        test.shared().sortAscending = false;
        PrintStampsViewController again(test.environment());
        again.view();
        QCOMPARE(denominationsIn(test.printPanel.texts().value(3)), Descending);
        again.SortButtonTapped();
        QVERIFY(!test.shared().sortAscending);
        QCOMPARE(denominationsIn(test.printPanel.texts().value(4)), Descending);
    }

    void theReportIsBuiltAgainOrPrintedAgainOnRequest()
    {
        TestEnvironment test;
        addYears(test);
        test.shared().marker = QStringLiteral("Menu");
        ConsoleCapture console;
        PrintStampsViewController print(test.environment());
        print.view();
        QCOMPARE(test.printPanel.texts().size(), 1);
        const QString report = test.printPanel.texts().first();
        // The whole collection, by Scott number; the stamp without one first.
        QCOMPARE(denominationsIn(report),
                 (QStringList{QStringLiteral("Other"), QStringLiteral("Gamma"),
                              QStringLiteral("Beta"), QStringLiteral("Alpha")}));
        QVERIFY(!console.lines().contains(QStringLiteral("Image is Printed")));

        QTest::mouseClick(print.CreateFileButton, Qt::LeftButton);
        print.CreateFileClick();
        QCOMPARE(test.printPanel.texts(), QStringList(3, report));
        QCOMPARE(print.FileTextView->toPlainText(), report);

        // Printing again hands on the report shown, without building it again.
        QTextDocument* shown = print.StampString;
        test.printPanel.setPrintsJobs(true);
        print.EmailFileClick();
        print.PrintButton->click();
        QCOMPARE(test.printPanel.texts(), QStringList(5, report));
        QCOMPARE(print.StampString, shown);
        QCOMPARE(console.lines().count(QStringLiteral("Image is Printed")), 2);
    }

    void aMarkerThatNamesNoReportBuildsNothing()
    {
        TestEnvironment test;
        addYears(test);
        test.shared().marker = QStringLiteral("Master");
        PrintStampsViewController print(test.environment());
        print.view();
        print.CreateFileClick();
        print.SortButtonTapped();
        QCOMPARE(print.report(), nullptr);
        QVERIFY(print.StampList.isEmpty());
        QCOMPARE(print.StampString, nullptr);
        QVERIFY(print.FileTextView->toPlainText().isEmpty());
        QVERIFY(test.alerts.alerts().isEmpty());
        QVERIFY(test.printPanel.texts().isEmpty());
    }

    void thePrintDialogPrintsTheReportAsLaidOutOnA4()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QWidget screen;
        screen.show();
        RecordingAlertPresenter alerts;
        DialogPrintPanel panel(alerts, folder.path());
        QTextDocument report;
        report.setPlainText(QStringLiteral("Stamps Filtered by Year: 1962\nDenomination: Alpha"));
        std::optional<bool> printed;
        const auto answer = [&printed](bool done) { printed = done; };
        const auto proposedFile = [](QPrintDialog* dialog) {
            return dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->text();
        };

        report.setMetaInformation(QTextDocument::DocumentTitle,
                                  QStringLiteral("Stamps Filtered by Country: France"));
        ReportPages::setMadeOn(report, QDate(2026, 12, 7));
        QPointer<QPrintDialog> dialog = panel.openDialog(&screen, report, answer);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowModality(), Qt::WindowModal);
        QCOMPARE(dialog->printer()->docName(), QStringLiteral("Stamps Filtered by Country France"));
        // The file proposed is the report's own, with the day it was made.
        const QString output =
            folder.filePath(QStringLiteral("Stamps Filtered by Country France 2026-12-07.pdf"));
        QCOMPARE(proposedFile(dialog), output);
        // What was handed over is printed, whatever happens to the report meanwhile.
        report.setPlainText(QStringLiteral("Changed"));
        dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog->accept();
        QCOMPARE(printed, std::optional<bool>(true));
        QPdfDocument pdf;
        QCOMPARE(pdf.load(output), QPdfDocument::Error::None);
        QCOMPARE(pdf.pageCount(), 1);
        const QString text = pdf.getAllText(0).text();
        QVERIFY2(text.contains(QStringLiteral("Stamps Filtered by Year: 1962")), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("Changed")));
        const QSizeF page = pdf.pagePointSize(0);
        QVERIFY2(qAbs(page.width() - 595.3) < 1 && qAbs(page.height() - 841.9) < 1,
                 qPrintable(QStringLiteral("%1 x %2").arg(page.width()).arg(page.height())));
        QTRY_VERIFY(!dialog);

        // The next report is proposed under its own name, to a file again, and the same report
        // again under a name no file has yet.
        printed.reset();
        report.setMetaInformation(QTextDocument::DocumentTitle,
                                  QStringLiteral("Stamps Filtered by Year: 1962"));
        // The text was replaced above, and the day it was made with it.
        ReportPages::setMadeOn(report, QDate(2026, 12, 7));
        dialog = panel.openDialog(&screen, report, answer);
        QCOMPARE(dialog->printer()->outputFormat(), QPrinter::PdfFormat);
        QCOMPARE(proposedFile(dialog),
                 folder.filePath(QStringLiteral("Stamps Filtered by Year 1962 2026-12-07.pdf")));
        dialog->reject();
        QCOMPARE(printed, std::optional<bool>(false));
        QVERIFY(alerts.alerts().isEmpty());
        QTRY_VERIFY(!dialog);
        report.setMetaInformation(QTextDocument::DocumentTitle,
                                  QStringLiteral("Stamps Filtered by Country: France"));
        dialog = panel.openDialog(&screen, report, answer);
        QCOMPARE(proposedFile(dialog),
                 folder.filePath(QStringLiteral("Stamps Filtered by Country France 2026-12-07 "
                                                "(2).pdf")));
        dialog->reject();
        QTRY_VERIFY(!dialog);

        // A job that cannot be started is said, and counts as not printed.
        printed.reset();
        dialog = panel.openDialog(&screen, report, answer);
        dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog->printer()->setOutputFileName(folder.filePath(QStringLiteral("gone/printed.pdf")));
        dialog->done(QDialog::Accepted);
        QCOMPARE(printed, std::optional<bool>(false));
        QCOMPARE(alerts.alerts().size(), 1);
        QCOMPARE(alerts.last().title, QStringLiteral("Not Printed"));
    }

    void onlyLongWorkShowsACancellableProgressDialog()
    {
        QWidget screen;
        screen.show();
        {
            ProgressDialog shortWork(&screen, QStringLiteral("Making the report…"));
            for (int step = 0; step <= ProgressDialog::ShownAbove; ++step)
                QVERIFY(shortWork.advance(step, ProgressDialog::ShownAbove));
            QCOMPARE(shortWork.dialog(), nullptr);
        }
        QPointer<QProgressDialog> dialog;
        {
            ProgressDialog longWork(&screen, QStringLiteral("Making the report…"));
            const auto progress = longWork.callback();
            QVERIFY(progress(0, 1000));
            QVERIFY(progress(1, 1000));
            dialog = longWork.dialog();
            QVERIFY(dialog);
            QCOMPARE(dialog->windowModality(), Qt::WindowModal);
            QCOMPARE(dialog->maximum(), 1000);
            dialog->cancel();
            QVERIFY(!progress(2, 1000));
            // A later phase of the same work is cancelled too.
            QVERIFY(!progress(0, 500));
            QVERIFY(longWork.wasCanceled());
        }
        QVERIFY(!dialog);
    }

private:
    TestLocale m_locale;
};

QTEST_MAIN(PrintStampsTest)
#include "tst_printstamps.moc"
