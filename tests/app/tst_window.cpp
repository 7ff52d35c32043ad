#include "FailureText.h"
#include "ModelTexts.h"
#include "TestEnvironment.h"
#include "browse/GroupBreakdownViewController.h"
#include "browse/GroupSummaryViewController.h"
#include "browse/ListTableViewController.h"
#include "exchange/ExportFile.h"
#include "exchange/ImportFile.h"
#include "main/CollectionGlance.h"
#include "main/MainMenuViewController.h"
#include "main/MainWindow.h"
#include "main/Storyboard.h"
#include "platform/core/UserDefaults.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Storyboard.h"
#include "platform/gui/TabBarController.h"
#include "platform/gui/WindowGeometry.h"
#include "stamps/AddViewController.h"
#include "stamps/EditViewController.h"
#include "store/Entities.h"
#include "store/StoreBackup.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace {

// A title bar above the window.
const QMargins Frame(0, 30, 0, 0);

// The application's window around a test's store, as main() makes it.
struct WindowOnScreen
{
    explicit WindowOnScreen(TestEnvironment& test)
    {
        AppStoryboard::populate(storyboard, test.environment());
        window = std::make_unique<MainWindow>(storyboard, test.environment());
    }
    bool show()
    {
        window->show();
        return QTest::qWaitForWindowActive(window.get());
    }
    QAction* action(const char* name) const
    {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }
    QString shownName() const { return window->shownScreen()->objectName(); }
    QString sectionName() const
    {
        return window->sectionStack(window->currentSection())->objectName();
    }

    Storyboard storyboard;
    std::unique_ptr<MainWindow> window;
};

void addStamp(TestEnvironment& test, const QString& denomination, qint16 year, float value)
{
    auto* stamp = test.context().insertNewObject<Stamps>();
    stamp->setDenomination(denomination);
    stamp->setYearOfIssue(year);
    stamp->setQuantity(1);
    stamp->setValue(value);
    QVERIFY(test.context().save());
}

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placement_data()
    {
        QTest::addColumn<QRect>("saved");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QRect>("expected");
        const QRect laptop(0, 0, 1366, 740);
        const QRect desktop(0, 0, 1920, 1050);
        const QRect large(0, 0, 3840, 2130);
        const QRect second(1920, 0, 1280, 1000);
        QTest::newRow("first launch on a 1366x768 laptop: all its room")
            << QRect() << QList<QRect>{laptop} << QRect(0, 30, 1366, 710);
        QTest::newRow("first launch on a 1920x1080 desktop: 85%, at most 1440 wide, centred")
            << QRect() << QList<QRect>{desktop} << QRect(240, 94, 1440, 892);
        QTest::newRow("first launch on a 3840x2160 screen: 1440x960, centred")
            << QRect() << QList<QRect>{large} << QRect(1200, 600, 1440, 960);
        QTest::newRow("where it was left")
            << QRect(100, 100, 800, 600) << QList<QRect>{desktop} << QRect(100, 100, 800, 600);
        QTest::newRow("on the second screen")
            << QRect(2000, 50, 900, 700) << QList<QRect>{desktop, second}
            << QRect(2000, 50, 900, 700);
        QTest::newRow("on a screen that is gone: the first launch's place")
            << QRect(2500, 100, 800, 600) << QList<QRect>{desktop} << QRect(240, 94, 1440, 892);
        QTest::newRow("larger than its screen is now")
            << QRect(0, 0, 2500, 1400) << QList<QRect>{laptop} << QRect(0, 30, 1366, 710);
        QTest::newRow("hanging over the corner")
            << QRect(1500, 800, 600, 400) << QList<QRect>{desktop} << QRect(1320, 650, 600, 400);
        QTest::newRow("under a panel on the left")
            << QRect(0, 100, 600, 400) << QList<QRect>{QRect(64, 0, 1302, 740)}
            << QRect(64, 100, 600, 400);
    }

    void placement()
    {
        QFETCH(QRect, saved);
        QFETCH(QList<QRect>, screens);
        QFETCH(QRect, expected);
        const QSize starting = WindowGeometry::startingSize(screens.first().size());
        const QRect place =
            WindowGeometry::placement(saved, starting, screens, screens.first(), Frame);
        QCOMPARE(place, expected);
        // With its frame, the window lies within one screen's room for windows.
        QVERIFY(std::any_of(screens.cbegin(), screens.cend(), [&](const QRect& screen) {
            return screen.contains(place.marginsAdded(Frame));
        }));
    }

    void theWindowRemembersItsPlaceBarsAndSidebar()
    {
        TestEnvironment test;
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QRect left;
        QList<int> sidebarSizes;
        {
            WindowOnScreen app(test);
            MainWindow& window = *app.window;
            QVERIFY(!window.restorePlace());
            QVERIFY(app.show());
            QVERIFY(available.contains(window.frameGeometry()));
            // On a 1024x600 screen nothing scrolls sideways, in any section or in the add form.
            window.resize(1024, 540);
            QTRY_COMPARE(window.width(), 1024);
            for (int section = 0; section <= window.sectionCount(); ++section) {
                if (section < window.sectionCount())
                    window.showSection(section);
                else
                    app.action("NewStampAction")->trigger();
                QCoreApplication::processEvents();
                for (const QAbstractScrollArea* area :
                     window.shownScreen()->view()->findChildren<QAbstractScrollArea*>()) {
                    QVERIFY2(!area->horizontalScrollBar()->isVisible(),
                             qPrintable(window.shownScreen()->objectName()));
                }
            }

            left = QRect(available.topLeft() + QPoint(40, 40), QSize(720, 520));
            window.setGeometry(left);
            QTRY_COMPARE(window.geometry(), left);
            app.action("ShowToolbarAction")->trigger();
            auto* splitter = window.findChild<QSplitter*>(QStringLiteral("SidebarSplitter"));
            splitter->setSizes({260, 460});
            sidebarSizes = splitter->sizes();
            QVERIFY(window.close());
        }
        test.relaunch();
        {
            WindowOnScreen app(test);
            MainWindow& window = *app.window;
            QVERIFY(!window.restorePlace());
            QVERIFY(app.show());
            QCOMPARE(window.geometry(), left);
            QVERIFY(window.findChild<QToolBar*>(QStringLiteral("MainToolBar"))->isHidden());
            QCOMPARE(window.findChild<QSplitter*>(QStringLiteral("SidebarSplitter"))->sizes(),
                     sidebarSizes);
            app.action("ShowSidebarAction")->trigger();
            QVERIFY(window.sidebar()->isHidden());
            window.showMaximized();
            QTRY_VERIFY(window.isMaximized());
            QVERIFY(window.close());
        }
        test.relaunch();
        WindowOnScreen app(test);
        QVERIFY(app.window->restorePlace());
        QCOMPARE(app.window->geometry(), left);
        QVERIFY(!app.action("ShowSidebarAction")->isChecked());
    }

    void eachSectionKeepsItsPlaceAndClosingAsksForEachChangedForm()
    {
        TestEnvironment test;
        addStamp(test, QStringLiteral("5c"), 1962, 2);
        addStamp(test, QStringLiteral("8c"), 1962, 3);
        WindowOnScreen app(test);
        MainWindow& window = *app.window;
        QVERIFY(app.show());

        // The sidebar goes by the arrow keys, over the line before Overview and back.
        QListWidget* sidebar = window.sidebar();
        QCOMPARE(sidebar->count(), window.sectionCount() + 1);
        window.showSection(window.sectionIndex(QStringLiteral("ExportImportSection")));
        sidebar->setFocus();
        QTest::keyClick(sidebar, Qt::Key_Down);
        QCOMPARE(app.sectionName(), QStringLiteral("OverviewSection"));
        QTest::keyClick(sidebar, Qt::Key_Up);
        QCOMPARE(app.sectionName(), QStringLiteral("ExportImportSection"));

        // A breakdown opened under Groups, a stamp opened from it and changed.
        QTest::keySequence(&window, QKeySequence(Qt::CTRL | Qt::Key_3));
        QCOMPARE(app.sectionName(), QStringLiteral("GroupsSection"));
        auto* years = qobject_cast<GroupSummaryViewController*>(window.shownScreen());
        QVERIFY(years);
        years->tableView->clicked(years->tableView->model()->index(0, 0));
        auto* breakdown = qobject_cast<GroupBreakdownViewController*>(window.shownScreen());
        QVERIFY(breakdown);
        breakdown->tableView->clicked(breakdown->tableView->model()->index(1, 0));
        auto* edit = qobject_cast<EditViewController*>(window.shownScreen());
        QVERIFY(edit);
        QCOMPARE(edit->DenominationTextField->text(), QStringLiteral("8c"));
        edit->DenominationTextField->setText(QStringLiteral("8c blue"));

        // A new stamp begun under Stamps; the list's own marker holds there.
        app.action("NewStampAction")->trigger();
        QCOMPARE(app.sectionName(), QStringLiteral("StampsSection"));
        auto* add = qobject_cast<AddViewController*>(window.shownScreen());
        QVERIFY(add);
        add->DenominationTextField->setText(QStringLiteral("10c"));
        QCOMPARE(test.shared().marker, QStringLiteral("Master"));

        // A visit elsewhere changes neither.
        window.showSection(window.sectionIndex(QStringLiteral("StatisticsSection")));
        window.showSection(window.sectionIndex(QStringLiteral("GroupsSection")));
        QCOMPARE(window.shownScreen(), edit);
        QCOMPARE(edit->DenominationTextField->text(), QStringLiteral("8c blue"));
        // The shared state is this section's again: the breakdown opened the form.
        QCOMPARE(test.shared().marker, QStringLiteral("YearBreakdown"));
        QCOMPARE(test.shared().selectedStampRecord, edit->detailItem());
        window.showSection(window.sectionIndex(QStringLiteral("StampsSection")));
        QCOMPARE(window.shownScreen(), add);
        QCOMPARE(add->DenominationTextField->text(), QStringLiteral("10c"));

        // A screen that returns to the main menu from its section's root leaves it for Home.
        window.showSection(window.sectionIndex(QStringLiteral("ReferenceListsSection")));
        QVERIFY(window.shownScreen()->performSegue(QStringLiteral("unwindToMenu")));
        QCOMPARE(app.sectionName(), QStringLiteral("HomeSection"));

        // Closing asks for each changed form, where it can be seen; keeping one keeps the window.
        QVERIFY(!window.close());
        QCOMPARE(test.alerts.unansweredCount(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Discard changes?"));
        QCOMPARE(app.sectionName(), QStringLiteral("StampsSection"));
        QVERIFY(test.alerts.tap(QStringLiteral("Discard")));
        QCOMPARE(test.alerts.unansweredCount(), 1);
        QCOMPARE(app.sectionName(), QStringLiteral("GroupsSection"));
        QVERIFY(test.alerts.tap(QStringLiteral("Keep Editing")));
        QVERIFY(window.isVisible());
        QCOMPARE(window.shownScreen(), edit);

        QVERIFY(!window.close());
        QVERIFY(test.alerts.tap(QStringLiteral("Discard")));
        QVERIFY(test.alerts.tap(QStringLiteral("Discard")));
        QVERIFY(!window.isVisible());
        // Nothing was saved on the way out.
        QCOMPARE(test.context().fetch<Stamps>({})->size(), 2);
    }

    void menuEntriesReachTheirScreens_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("screen");
        const auto row = [](const char* action, const char* section, const char* screen) {
            QTest::newRow(action) << QString::fromLatin1(action) << QString::fromLatin1(section)
                                  << QString::fromLatin1(screen);
        };
        row("NewStampAction", "StampsSection", "AddViewController");
        row("ImportAction", "ExportImportSection", "ImportViewController");
        row("ExportAction", "ExportImportSection", "ExportViewController");
        row("PrintAction", "ReportsSection", "PrintStampsViewController");
        row("SettingsAction", "SettingsSection", "SettingsViewController");
        row("OverviewAction", "OverviewSection", "OverviewViewController");
        row("RateShareAction", "HomeSection", "RateShareTableViewController");
        row("CountryListAction", "ReferenceListsSection",
            "CountryReferenceListTableViewController");
        row("GumListAction", "ReferenceListsSection", "GumReferenceListTableViewController");
        row("ValuationSectionAction", "ValuationSection", "ValuationViewController");
        row("GroupsSectionAction", "GroupsSection", "YearGroupTableViewController");
    }

    void menuEntriesReachTheirScreens()
    {
        QFETCH(QString, action);
        QFETCH(QString, section);
        QFETCH(QString, screen);
        TestEnvironment test;
        WindowOnScreen app(test);
        QAction* entry = app.action(action.toLatin1().constData());
        QVERIFY(entry);
        entry->trigger();
        QCOMPARE(app.sectionName(), section);
        QCOMPARE(app.shownName(), screen);
        // Asked again, the screen shown is not opened a second time.
        const int depth = app.window->currentStack()->viewControllers().size();
        entry->trigger();
        QCOMPARE(app.window->currentStack()->viewControllers().size(), depth);
    }

    void entriesFollowTheScreenAndTheFiguresFollowTheStore()
    {
        TestEnvironment test;
        addStamp(test, QStringLiteral("5c"), 1962, 2.5F);
        WindowOnScreen app(test);
        MainWindow& window = *app.window;
        QVERIFY(app.show());
        QVERIFY(window.figuresLabel()->text().contains(QStringLiteral("Stamps held: 1")));

        app.action("FullScreenAction")->trigger();
        QTRY_VERIFY(window.isFullScreen());
        app.action("FullScreenAction")->trigger();
        QTRY_VERIFY(!window.isFullScreen());

        // Home has nothing to find or delete, and nothing to undo yet.
        window.updateActions();
        for (const char* name : {"FindAction", "DeleteAction", "UndoDeleteAction"})
            QVERIFY2(!app.action(name)->isEnabled(), name);

        window.showSection(window.sectionIndex(QStringLiteral("StampsSection")));
        auto* list = qobject_cast<ListTableViewController*>(window.shownScreen());
        QVERIFY(list);
        test.mainQueue.drain();
        QCOMPARE(list->tableView->model()->rowCount(), 1);
        QVERIFY(app.action("FindAction")->isEnabled());
        QVERIFY(app.action("DeleteAction")->isEnabled());
        QTest::keySequence(&window, QKeySequence(Qt::CTRL | Qt::Key_F));
        QVERIFY(list->searchBar->hasFocus());

        // Delete in the list, undo from the Edit menu's keys; the figures follow each.
        list->tableView->setFocus();
        list->tableView->setCurrentIndex(list->tableView->model()->index(0, 0));
        QTest::keyClick(list->tableView, Qt::Key_Delete);
        QCOMPARE(test.context().fetch<Stamps>({})->size(), 0);
        QVERIFY(window.figuresLabel()->text().contains(QStringLiteral("Stamps held: 0")));
        QVERIFY(app.action("UndoDeleteAction")->isEnabled());
        QTest::keySequence(&window, QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(test.context().fetch<Stamps>({})->size(), 1);
        QVERIFY(window.figuresLabel()->text().contains(QStringLiteral("Stamps held: 1")));
        QVERIFY(!app.action("UndoDeleteAction")->isEnabled());

        // A new stamp leaves an edit form at once, and a changed one after asking.
        list->tableView->clicked(list->tableView->model()->index(0, 0));
        QVERIFY(qobject_cast<EditViewController*>(window.shownScreen()));
        app.action("NewStampAction")->trigger();
        QVERIFY(qobject_cast<AddViewController*>(window.shownScreen()));
        QCOMPARE(test.alerts.unansweredCount(), 0);
        QVERIFY(window.currentStack()->popViewController(false));
        list->tableView->clicked(list->tableView->model()->index(0, 0));
        auto* edit = qobject_cast<EditViewController*>(window.shownScreen());
        QVERIFY(edit);
        edit->ColorTextField->setText(QStringLiteral("red"));
        app.action("NewStampAction")->trigger();
        QVERIFY(test.alerts.tap(QStringLiteral("Keep Editing")));
        QCOMPARE(window.shownScreen(), edit);
        app.action("NewStampAction")->trigger();
        QVERIFY(test.alerts.tap(QStringLiteral("Discard")));

        // A stamp saved in the add form counts at once.
        auto* add = qobject_cast<AddViewController*>(window.shownScreen());
        QVERIFY(add);
        add->DenominationTextField->setText(QStringLiteral("8c"));
        add->YearOfIssueTextField->setText(QStringLiteral("1970"));
        add->CountryTextField->setText(QStringLiteral("Canada"));
        add->QuantityTextField->setText(QStringLiteral("3"));
        QTest::keySequence(&window, QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(window.shownScreen(), list);
        QVERIFY(window.figuresLabel()->text().contains(QStringLiteral("Stamps held: 4")));
        QCOMPARE(test.status.messages, QStringList{QStringLiteral("Saved 8c Canada 1970")});

        // An import counts once it is saved.
        TestEnvironment other;
        addStamp(other, QStringLiteral("20c"), 1980, 1);
        QBuffer file;
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(ExportFile::write(other.context(), other.pictures, file));
        QVERIFY(file.seek(0));
        QVERIFY(ImportFile::merge(test.context(), file).saved());
        QVERIFY(window.figuresLabel()->text().contains(QStringLiteral("Stamps held: 5")));
    }

    void theShortcutsDialogListsEveryEntryWithKeys()
    {
        TestEnvironment test;
        WindowOnScreen app(test);
        QStringList listed;
        QTimer::singleShot(0, [&listed] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("ShortcutsTable"));
            for (int row = 0; row < table->rowCount(); ++row)
                listed.append(table->item(row, 1)->text());
            dialog->close();
        });
        app.window->showShortcuts();
        int withKeys = 0;
        for (const QAction* action : app.window->findChildren<QAction*>()) {
            if (action->shortcut().isEmpty() || action->objectName().isEmpty() ||
                !action->associatedObjects().size())
                continue;
            ++withKeys;
            QVERIFY2(listed.contains(action->shortcut().toString(QKeySequence::NativeText)),
                     qPrintable(action->objectName()));
        }
        QVERIFY(withKeys >= 15);

        QString about;
        QTimer::singleShot(0, [&about] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            about = box->text();
            box->close();
        });
        app.window->showAbout();
        QVERIFY(about.contains(QDir::toNativeSeparators(test.dataDirectory())));
        QVERIFY(about.contains(QStringLiteral("SQLite 3.")));
        QVERIFY(about.contains(QStringLiteral("Qt ") + QString::fromLatin1(qVersion())));
    }

    void homeShowsTheCollectionAtAGlance()
    {
        TestEnvironment test;
        for (int stamp = 1; stamp <= 6; ++stamp)
            addStamp(test, QStringLiteral("%1c").arg(stamp), qint16(1960 + stamp), 1);
        WindowOnScreen app(test);
        MainWindow& window = *app.window;
        auto* menu = qobject_cast<MainMenuViewController*>(window.shownScreen());
        QVERIFY(menu);
        QListWidget* recent = menu->Glance->recentList();
        QCOMPARE(column(recent->model()),
                 (QStringList{QStringLiteral("6c 1966"), QStringLiteral("5c 1965"),
                              QStringLiteral("4c 1964"), QStringLiteral("3c 1963"),
                              QStringLiteral("2c 1962")}));
        QVERIFY(menu->Glance->figures()->text().startsWith(QStringLiteral("6 stamps held")));

        // The newest opens in the edit form, whose save comes back to Home, told anew.
        Q_EMIT recent->itemActivated(recent->item(0));
        auto* edit = qobject_cast<EditViewController*>(window.shownScreen());
        QVERIFY(edit);
        QCOMPARE(edit->DenominationTextField->text(), QStringLiteral("6c"));
        window.showSection(window.sectionIndex(QStringLiteral("StampsSection")));
        window.showSection(0);
        QCOMPARE(test.shared().selectedStampRecord, edit->detailItem());
        edit->DenominationTextField->setText(QStringLiteral("7c"));
        edit->CountryTextField->setText(QStringLiteral("Canada"));
        edit->SaveButtonClicked();
        QCOMPARE(window.shownScreen(), menu);
        QCOMPARE(recent->item(0)->text(), QStringLiteral("7c Canada 1966"));
    }

    void aRestoreStartsEverySectionAgain()
    {
        TestEnvironment test;
        addStamp(test, QStringLiteral("5c"), 1962, 1);
        const Result<QString> backup =
            StoreBackup::make(test.environment().appDelegate.persistentContainer(), 3);
        QVERIFY2(backup, qPrintable(failureText(backup)));
        addStamp(test, QStringLiteral("8c"), 1963, 1);
        WindowOnScreen app(test);
        MainWindow& window = *app.window;
        app.action("NewStampAction")->trigger();
        test.mainQueue.drain();
        const int stamps = window.currentSection();
        QVERIFY(window.figuresLabel()->text().contains(QStringLiteral("Stamps held: 2")));

        QVERIFY(test.environment().appDelegate.restoreStore(*backup, 3));
        test.mainQueue.drain();
        // No screen holds a record of the store that went: Home is shown, made anew.
        QCOMPARE(window.currentSection(), 0);
        QVERIFY(!window.sectionStack(stamps));
        QVERIFY(window.figuresLabel()->text().contains(QStringLiteral("Stamps held: 1")));
        QCOMPARE(test.shared().marker, QStringLiteral("Menu"));
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
