#include "TestEnvironment.h"
#include "main/Application.h"
#include "platform/gui/MailComposer.h"
#include "sharing/OverviewViewController.h"
#include "sharing/RateShareTableViewController.h"
#include "sharing/VelloraAddresses.h"

#include <QFile>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPdfView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

namespace {

using Row = RateShareTableViewController::Row;

// The whole text of the document, page after page.
QStringList pageTexts(QPdfDocument& document)
{
    QStringList pages;
    for (int page = 0; page < document.pageCount(); ++page)
        pages << document.getAllText(page).text();
    return pages;
}

// The screen's view shown in a window of its own, at a size a collector might give it.
QWidget* shown(ViewController& screen, QSize size = {430, 700})
{
    QWidget* view = screen.view();
    view->resize(size);
    view->show();
    return QTest::qWaitForWindowExposed(view) ? view : nullptr;
}

// The page in the middle of the view: when the document is drawn, much of it is dark type.
int inkedPixels(QPdfView& pdfView)
{
    const QImage picture = pdfView.viewport()->grab().toImage();
    int inked = 0;
    for (int y = 0; y < picture.height(); y += 2)
        for (int x = 0; x < picture.width(); x += 2)
            inked += qGray(picture.pixel(x, y)) < 100 ? 1 : 0;
    return inked;
}

} // namespace

class SharingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void overviewDocumentIsDeliveredInSectionsOnA4()
    {
        QFile file;
        QPdfDocument document;
        const QString error = OverviewViewController::openDocument(
            OverviewViewController::DocumentLocation, file, document);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY2(document.pageCount() >= 3, qPrintable(QString::number(document.pageCount())));
        QCOMPARE(document.metaData(QPdfDocument::MetaDataField::Title).toString(),
                 QStringLiteral("Vellora Overview"));
        for (int page = 0; page < document.pageCount(); ++page) {
            const QSizeF size = document.pagePointSize(page);
            QVERIFY2(qAbs(size.width() - 595.3) < 1 && qAbs(size.height() - 841.9) < 1,
                     qPrintable(QStringLiteral("page %1 is not A4").arg(page)));
        }

        // Each section starts a page of its own.
        const QStringList pages = pageTexts(document);
        QVERIFY(pages.first().trimmed().startsWith(QStringLiteral("Welcome to Vellora")));
        for (const QString& section :
             {QStringLiteral("Looking at your stamps"), QStringLiteral("Recording your stamps"),
              QStringLiteral("Exchange and sharing"), QStringLiteral("Your collection on disk")}) {
            const bool opensAPage = std::any_of(pages.begin(), pages.end(), [&](const QString& t) {
                return t.trimmed().startsWith(section);
            });
            QVERIFY2(opensAPage, qPrintable(section));
        }
    }

    void overviewDocumentTellsWhatTheCollectorNeeds_data()
    {
        QTest::addColumn<QString>("fact");
        for (const char* fact : {"Stamp List",
                                 "Grouped Stamps",
                                 "Notes",
                                 "Zoom",
                                 "Valuation",
                                 "Reference Lists",
                                 "StampsFilteredByYear.pdf",
                                 "Print Stamps",
                                 "Vellora.sqlite",
                                 "UserDefaults.ini",
                                 "~/.local/share/Vellora",
                                 "Vellora.csv",
                                 "[VELLORA]",
                                 "Backups",
                                 "--data-dir",
                                 "--report",
                                 "--output",
                                 "--export",
                                 "--import",
                                 "--version",
                                 "--help",
                                 "Rate & Share"})
            QTest::newRow(fact) << QString::fromUtf8(fact);
    }

    void overviewDocumentTellsWhatTheCollectorNeeds()
    {
        QFETCH(QString, fact);
        QFile file;
        QPdfDocument document;
        QVERIFY(OverviewViewController::openDocument(OverviewViewController::DocumentLocation, file,
                                                     document)
                    .isEmpty());
        // Words broken over a line are found as well.
        const QString text = pageTexts(document).join(QLatin1Char(' ')).simplified();
        QVERIFY2(text.contains(fact), qPrintable(fact));
    }

    void overviewScreenShowsTheDocumentAtTheWindowsWidth()
    {
        TestEnvironment test;
        OverviewViewController screen(test.environment());
        QCOMPARE(screen.objectName(), QStringLiteral("OverviewViewController"));
        QCOMPARE(screen.title(), QStringLiteral("Vellora Overview"));
        QWidget* view = shown(screen);
        QVERIFY(view);

        QVERIFY(screen.documentError().isEmpty());
        QPdfView* pdfView = view->findChild<QPdfView*>(QStringLiteral("PdfView"));
        QVERIFY(pdfView && pdfView == screen.PdfView);
        QCOMPARE(pdfView->document(), screen.document());
        QVERIFY(screen.document()->pageCount() >= 3);
        QCOMPARE(pdfView->pageMode(), QPdfView::PageMode::MultiPage);
        QCOMPARE(pdfView->zoomMode(), QPdfView::ZoomMode::FitToWidth);
        QVERIFY(pdfView->isVisible());
        QVERIFY(!screen.TextView->isVisible());
        QTRY_VERIFY2(inkedPixels(*pdfView) > 200, "the first page is drawn");
        // A document of several pages scrolls.
        QVERIFY(pdfView->verticalScrollBar()->maximum() > 0);

        // It follows the window.
        const int narrow = pdfView->width();
        view->resize(900, 700);
        QTRY_VERIFY(pdfView->width() > narrow + 400);
        QVERIFY(pdfView->height() > 600);
    }

    void overviewThatCannotBeShownIsSaid_data()
    {
        QTest::addColumn<QString>("fileName");   // empty: the folder itself
        QTest::addColumn<QByteArray>("content"); // null: no file at all
        QTest::addColumn<QString>("reason");
        const QString name = QStringLiteral("overview.pdf");
        const QString damaged = QStringLiteral("damaged");
        QTest::newRow("a folder") << QString() << QByteArray()
                                  << QStringLiteral("could not be read");
        QTest::newRow("missing") << name << QByteArray() << QStringLiteral("could not be found");
        QTest::newRow("empty") << name << QByteArray("") << damaged;
        QTest::newRow("not a PDF") << name << QByteArray("<html>Overview</html>") << damaged;
        QTest::newRow("cut short") << name << QByteArray("%PDF-1.4\n1 0 obj\n<<") << damaged;
    }

    void overviewThatCannotBeShownIsSaid()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        const QString path = fileName.isEmpty() ? folder.path() : folder.filePath(fileName);
        if (!content.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }

        TestEnvironment test;
        OverviewViewController screen(test.environment(), path);
        QWidget* view = shown(screen);
        QVERIFY(view);
        QVERIFY2(screen.documentError().contains(reason), qPrintable(screen.documentError()));
        QVERIFY(screen.TextView->isVisible());
        QVERIFY(!screen.PdfView->isVisible());
        QCOMPARE(screen.TextView->text(), screen.documentError());
        QVERIFY(screen.TextView->text().contains(path));
        QVERIFY(!screen.PdfView->document());
        // The message has the room of the document.
        QVERIFY(screen.TextView->width() > view->width() / 2);
    }

    void rateShareRowsHaveTitlesAndSymbols()
    {
        TestEnvironment test;
        RateShareTableViewController screen(test.environment());
        QCOMPARE(screen.objectName(), QStringLiteral("RateShareTableViewController"));
        QStandardItemModel* model = screen.tableModel();
        QCOMPARE(model->rowCount(), int(Row::RowCount));
        QStringList titles;
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex index = model->index(row, 0);
            titles << index.data(Qt::DisplayRole).toString();
            QVERIFY2(!index.data(Qt::DecorationRole).value<QIcon>().isNull(),
                     qPrintable(titles.last()));
            QVERIFY(!index.data(Qt::ToolTipRole).toString().isEmpty());
        }
        QCOMPARE(titles.removeDuplicates(), 0);
        QVERIFY(!titles.contains(QString()));
    }

    void rateShareRowDoesWhatItOffers_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("rate") << int(Row::RateRow);
        QTest::newRow("recommend by link") << int(Row::RecommendByLinkRow);
        QTest::newRow("recommend with the website") << int(Row::RecommendWithWebsiteRow);
        QTest::newRow("visit the website") << int(Row::VisitWebsiteRow);
        QTest::newRow("feedback") << int(Row::FeedbackRow);
    }

    // Each row by a click and by Enter: one action each time, nothing else.
    void rateShareRowDoesWhatItOffers()
    {
        QFETCH(int, row);
        TestEnvironment test;
        RateShareTableViewController screen(test.environment());
        QVERIFY(shown(screen));
        const QModelIndex index = screen.tableModel()->index(row, 0);
        QTest::mouseClick(screen.tableView->viewport(), Qt::LeftButton, {},
                          screen.tableView->visualRect(index).center());
        QVERIFY2(!screen.tableView->selectionModel()->hasSelection(),
                 "the row does not stay chosen");
        screen.tableView->setCurrentIndex(index);
        QTest::keyClick(screen.tableView, Qt::Key_Return);

        QList<QUrl> opened;
        QList<QList<ShareItem>> shared;
        int mails = 0;
        switch (Row(row)) {
        case Row::RateRow: {
            // How the query is replaced, reviewAddressReplacesTheWholeQuery shows.
            QUrl review = VelloraAddresses::productPage();
            review.setQuery(QStringLiteral("action=write-review"));
            opened = {review};
            break;
        }
        case Row::RecommendByLinkRow:
            shared = {{ShareItem::fromAddress(VelloraAddresses::productPage())}};
            break;
        case Row::RecommendWithWebsiteRow:
            shared = {{ShareItem::fromText(QStringLiteral(
                           "Click the following link to visit the Vellora App website")),
                       ShareItem::fromAddress(VelloraAddresses::website())}};
            break;
        case Row::VisitWebsiteRow:
            opened = {VelloraAddresses::website()};
            break;
        case Row::FeedbackRow:
            mails = 1;
            break;
        case Row::RowCount:
            break;
        }
        QCOMPARE(test.urls.urls(), opened + opened);
        QCOMPARE(test.shareSheet.requests().size(), 2 * shared.size());
        for (const ShareRequest& request : test.shareSheet.requests()) {
            QCOMPARE(request.items, shared.first());
            QVERIFY(request.excludedActivityTypes.isEmpty());
            QCOMPARE(request.sourceView, screen.view());
        }
        QCOMPARE(test.mail.messages().size(), 2 * mails);
        for (const MailMessage& message : test.mail.messages()) {
            QCOMPARE(message.toRecipients, QStringList{VelloraAddresses::feedbackMailbox()});
            QVERIFY(message.subject.isEmpty());
            QCOMPARE(message.body,
                     QStringLiteral("<p>Enter your comments about Vellora app below: </p>"));
            QVERIFY(message.bodyIsHtml);
            QVERIFY(message.attachments.isEmpty());
        }
        QVERIFY(test.alerts.alerts().isEmpty());
    }

    void rowsPastTheLastDoNothing()
    {
        TestEnvironment test;
        RateShareTableViewController screen(test.environment());
        QVERIFY(shown(screen));
        for (int row : {int(Row::RowCount), Row::RowCount + 1, 100, -1})
            screen.didSelectRowAtIndexPath(row);
        QVERIFY(test.urls.urls().isEmpty());
        QVERIFY(test.shareSheet.requests().isEmpty());
        QVERIFY(test.mail.messages().isEmpty());
        QVERIFY(test.alerts.alerts().isEmpty());
    }

    void reviewAddressReplacesTheWholeQuery_data()
    {
        QTest::addColumn<QUrl>("storePage");
        QTest::addColumn<QUrl>("reviewPage");
        QTest::newRow("no query")
            << QUrl(QStringLiteral("https://apps.example.org/app/vellora"))
            << QUrl(QStringLiteral("https://apps.example.org/app/vellora?action=write-review"));
        QTest::newRow("a query of its own")
            << QUrl(QStringLiteral("https://apps.example.org/app/vellora?ref=menu&action=open"))
            << QUrl(QStringLiteral("https://apps.example.org/app/vellora?action=write-review"));
        QTest::newRow("a fragment stays")
            << QUrl(QStringLiteral("https://apps.example.org/app?id=vellora#reviews"))
            << QUrl(QStringLiteral("https://apps.example.org/app?action=write-review#reviews"));
    }

    void reviewAddressReplacesTheWholeQuery()
    {
        QFETCH(QUrl, storePage);
        QFETCH(QUrl, reviewPage);
        TestEnvironment test;
        RateShareTableViewController screen(test.environment());
        screen.productURL = storePage;
        screen.didSelectRowAtIndexPath(Row::RateRow);
        QCOMPARE(test.urls.urls(), QList<QUrl>{reviewPage});
    }

    void withoutMessagesOrMailTheCollectorIsTold_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        const QString text = QStringLiteral("Can't Send Text Message");
        const QString textMessage =
            QStringLiteral("Your Device is not able to send text messages.");
        QTest::newRow("recommend by link") << int(Row::RecommendByLinkRow) << text << textMessage;
        QTest::newRow("recommend with the website")
            << int(Row::RecommendWithWebsiteRow) << text << textMessage;
        QTest::newRow("feedback") << int(Row::FeedbackRow) << QStringLiteral("Can't Send Email")
                                  << QStringLiteral("Your Device is not able to send Email.");
    }

    void withoutMessagesOrMailTheCollectorIsTold()
    {
        QFETCH(int, row);
        QFETCH(QString, title);
        QFETCH(QString, message);
        TestEnvironment test;
        test.messages.setCanSendText(false);
        test.mail.setCanSendMail(false);
        RateShareTableViewController screen(test.environment());
        screen.view();
        screen.didSelectRowAtIndexPath(row);

        QCOMPARE(test.alerts.alerts().size(), 1);
        const Alert& alert = test.alerts.last();
        QCOMPARE(alert.title, title);
        QCOMPARE(alert.message, message);
        QCOMPARE(alert.actions.size(), 1);
        QCOMPARE(alert.actions.first().title, QStringLiteral("OK"));
        QCOMPARE(alert.actions.first().style, AlertAction::Style::Cancel);
        QVERIFY(test.alerts.tap(QStringLiteral("OK")));
        QVERIFY(test.shareSheet.requests().isEmpty());
        QVERIFY(test.mail.messages().isEmpty());
        QVERIFY(test.urls.urls().isEmpty());
    }

    void feedbackReachesTheMailProgramOrIsSaid()
    {
        TestEnvironment test;
        RateShareTableViewController screen(test.environment());
        screen.didSelectRowAtIndexPath(Row::FeedbackRow);
        QCOMPARE(test.mail.messages().size(), 1);

        // xdg-email gets the body as text, no subject and the one recipient.
        const MailMessage& message = test.mail.messages().first();
        const QString body = XdgMailComposer::plainBody(message);
        QCOMPARE(body.trimmed(), QStringLiteral("Enter your comments about Vellora app below:"));
        const QStringList arguments = XdgMailComposer::arguments(message, {});
        QVERIFY(!arguments.contains(QStringLiteral("--subject")));
        QCOMPARE(arguments.at(arguments.indexOf(QStringLiteral("--body")) + 1), body);
        QCOMPARE(arguments.last(), VelloraAddresses::feedbackMailbox());

        // A mail program that cannot be started is said, with where to write instead.
        test.mail.setFailure(QStringLiteral("The mail program could not be started (xdg-email)."));
        screen.didSelectRowAtIndexPath(Row::FeedbackRow);
        QCOMPARE(test.alerts.alerts().size(), 1);
        QVERIFY(test.alerts.last().message.contains(QStringLiteral("could not be started")));
        QVERIFY(test.alerts.last().message.contains(VelloraAddresses::feedbackMailbox()));
        QCOMPARE(RecordingAlertPresenter::buttonTitles(test.alerts.last()),
                 QStringList{QStringLiteral("OK")});
    }

    void applicationIconIsDrawn()
    {
        const QIcon icon(Application::IconLocation);
        const QImage picture = icon.pixmap(QSize(128, 128)).toImage();
        QVERIFY2(!picture.isNull(), "Qt's SVG plugins read the icon");
        // The stamp fills the middle; the corners, outside its perforated edge, are clear.
        QCOMPARE(qAlpha(picture.pixel(picture.width() / 2, picture.height() / 2)), 255);
        QCOMPARE(qAlpha(picture.pixel(0, 0)), 0);
    }
};

QTEST_MAIN(SharingTest)
#include "tst_sharing.moc"
