#include "AppOnScreen.h"
#include "TestEnvironment.h"
#include "browse/GroupBreakdownViewController.h"
#include "browse/GroupSummaryViewController.h"
#include "browse/ListTableViewController.h"
#include "browse/StampRowModel.h"
#include "main/MainMenuViewController.h"
#include "main/Storyboard.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Storyboard.h"
#include "platform/gui/TabBarController.h"
#include "reference/AddReferenceEntryViewController.h"
#include "reference/EditReferenceEntryViewController.h"
#include "reference/ReferenceListTableViewController.h"
#include "stamps/AddViewController.h"
#include "stamps/EditViewController.h"
#include "stamps/NotesViewController.h"
#include "store/ObjectContext.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

// The application's own table of segues, driven as the collector would.
class StoryboardTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theMenuOpensTheAddFormWhichReturnsToIt()
    {
        TestEnvironment test;
        AppOnScreen app(test);
        NavigationController& navigation = *app.navigation;
        MainMenuViewController* menu = app.menu;
        QVERIFY(menu);
        QVERIFY(menu->AddButton && menu->ListButton && menu->GroupedButton);
        menu->HandleButtonClick();
        QTest::mouseClick(menu->AddButton, Qt::LeftButton);
        auto* form = qobject_cast<AddViewController*>(navigation.topViewController());
        QVERIFY(form);
        QCOMPARE(form->title(), QStringLiteral("Add Stamp"));
        form->DenominationTextField->setText(QStringLiteral("5c"));
        form->YearOfIssueTextField->setText(QStringLiteral("1962"));
        form->CountryTextField->setText(QStringLiteral("Malta"));
        form->SaveNewStampButtonClicked();

        QCOMPARE(navigation.topViewController(), menu);
        QCOMPARE(test.context().fetch<Stamps>().value().size(), 1);
        QVERIFY(menu->AddButton->isHidden());
    }

    void everyMenuButtonOpensItsScreen_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("screen");
        QTest::newRow("valuation") << "ValuationButton"
                                   << "ValuationViewController";
        QTest::newRow("statistics") << "StatisticsButton"
                                    << "StatisticsViewController";
        QTest::newRow("overview") << "OverviewButton"
                                  << "OverviewViewController";
        QTest::newRow("rate and share") << "RateShareButton"
                                        << "RateShareTableViewController";
        QTest::newRow("reference lists") << "ReferenceListsButton"
                                         << "ReferenceListsViewController";
        QTest::newRow("print") << "PrintAllButton"
                               << "PrintStampsViewController";
        QTest::newRow("export and import") << "ImportExportButton"
                                           << "ExportImportViewController";
    }

    void everyMenuButtonOpensItsScreen()
    {
        QFETCH(QString, button);
        QFETCH(QString, screen);
        TestEnvironment test;
        AppOnScreen app(test);
        auto* menuButton = app.menu->view()->findChild<QPushButton*>(button);
        QVERIFY(menuButton);
        // Its title is shown as written: no letter is taken for a shortcut ("Rate & Share").
        QVERIFY(QKeySequence::mnemonic(menuButton->text()).isEmpty());
        app.menu->HandleButtonClick();
        QTest::mouseClick(menuButton, Qt::LeftButton);
        QCOMPARE(app.navigation->topViewController()->objectName(), screen);
        // Back is the way home.
        app.navigation->popViewController(false);
        QCOMPARE(app.navigation->topViewController(), app.menu);
    }

    void theGroupTabsOpenBreakdownsAndCloseBackToTheMenu()
    {
        TestEnvironment test;
        for (qint16 year : {1962, 1962, 1975}) {
            auto* stamp = test.context().insertNewObject<Stamps>();
            stamp->setDenomination(QStringLiteral("5c"));
            stamp->setYearOfIssue(year);
        }
        QVERIFY(test.context().save());
        AppOnScreen app(test);
        NavigationController& navigation = *app.navigation;
        MainMenuViewController* menu = app.menu;
        menu->HandleButtonClick();
        QTest::mouseClick(menu->GroupedButton, Qt::LeftButton);
        auto* tabs = qobject_cast<TabBarController*>(navigation.topViewController());
        QVERIFY(tabs);
        QVERIFY(navigation.isNavigationBarHidden());
        QStringList names;
        for (const ViewController* root : tabs->viewControllers())
            names << root->objectName();
        QCOMPARE(names, (QStringList{QStringLiteral("YearGroupTableViewController"),
                                     QStringLiteral("ScottNumberGroupTableViewController"),
                                     QStringLiteral("StatusGroupTableViewController"),
                                     QStringLiteral("DenominationGroupTableViewController"),
                                     QStringLiteral("CountryGroupTableViewController")}));

        auto* years = qobject_cast<GroupSummaryViewController*>(tabs->viewControllers().first());
        QCOMPARE(years->KeyList, (QStringList{QStringLiteral("1962"), QStringLiteral("1975")}));
        years->tableView->clicked(years->tableView->model()->index(0, 0));
        NavigationController* tab = tabs->tabNavigationControllers().first();
        auto* breakdown = qobject_cast<GroupBreakdownViewController*>(tab->topViewController());
        QVERIFY(breakdown);
        QCOMPARE(breakdown->objectName(), QStringLiteral("YearBreakdownTableViewController"));
        QCOMPARE(breakdown->StampList.size(), 2);

        // A stamp of the breakdown opens in the edit form and comes back to the breakdown.
        breakdown->tableView->clicked(breakdown->tableView->model()->index(1, 0));
        auto* form = qobject_cast<EditViewController*>(tab->topViewController());
        QVERIFY(form);
        QCOMPARE(test.shared().marker, QStringLiteral("YearBreakdown"));
        form->SaveButtonClicked();
        QCOMPARE(tab->topViewController(), breakdown);

        // A changed form in one tab asks before the keys back leave the tabs from another.
        breakdown->tableView->clicked(breakdown->tableView->model()->index(1, 0));
        form = qobject_cast<EditViewController*>(tab->topViewController());
        QVERIFY(form);
        form->DenominationTextField->setText(QStringLiteral("6c"));
        QVERIFY(app.show());
        tabs->setSelectedIndex(4);
        auto* countries = tabs->tabNavigationControllers().at(4)->topViewController();
        QTest::keyClick(countries->view(), Qt::Key_Escape);
        QTRY_COMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Discard changes?"));
        QVERIFY(test.alerts.tap(QStringLiteral("Keep Editing")));
        QCOMPARE(navigation.topViewController(), tabs);
        QCOMPARE(tab->topViewController(), form);

        QVERIFY(tab->popViewController(false));
        QVERIFY(tab->popViewController(false));
        years->UnwindSegue();
        QCOMPARE(navigation.topViewController(), menu);
        QVERIFY(!navigation.isNavigationBarHidden());
    }

    void theListOpensStampsAndTheAddFormAndBothReturnToIt()
    {
        TestEnvironment test;
        auto* stamp = test.context().insertNewObject<Stamps>();
        stamp->setDenomination(QStringLiteral("5c"));
        QVERIFY(test.context().save());
        AppOnScreen app(test);
        NavigationController& navigation = *app.navigation;
        MainMenuViewController* menu = app.menu;
        menu->HandleButtonClick();
        QTest::mouseClick(menu->ListButton, Qt::LeftButton);
        auto* list = qobject_cast<ListTableViewController*>(navigation.topViewController());
        QVERIFY(list);
        test.mainQueue.drain();
        QCOMPARE(list->StampList.size(), 1);

        list->tableView->clicked(list->tableView->model()->index(0, 0));
        auto* form = qobject_cast<EditViewController*>(navigation.topViewController());
        QVERIFY(form);
        QCOMPARE(form->detailItem(), stamp);
        form->DenominationTextField->setText(QStringLiteral("6c"));
        form->SaveButtonClicked();
        QCOMPARE(navigation.topViewController(), list);
        QCOMPARE(list->rowModel()->data(list->rowModel()->index(0, 0), Qt::DisplayRole).toString(),
                 QStringLiteral("6c"));

        navigation.buttonForItem(list->AddButton)->click();
        auto* add = qobject_cast<AddViewController*>(navigation.topViewController());
        QVERIFY(add);
        add->DenominationTextField->setText(QStringLiteral("7c"));
        add->YearOfIssueTextField->setText(QStringLiteral("1990"));
        add->CountryTextField->setText(QStringLiteral("Malta"));
        add->SaveNewStampButtonClicked();
        QCOMPARE(navigation.topViewController(), list);
        QCOMPARE(list->StampList.size(), 2);
    }

    void theEditFormOpensNotesAndZoom()
    {
        TestEnvironment test;
        auto* stamp = test.context().insertNewObject<Stamps>();
        stamp->setDenomination(QStringLiteral("5c"));
        stamp->setNotes(QStringLiteral("old notes"));
        QVERIFY(test.context().save());
        test.shared().selectedStamp.notes = QStringLiteral("old notes");

        Storyboard storyboard;
        AppStoryboard::populate(storyboard, test.environment());
        NavigationController navigation(std::make_unique<ViewController>(QStringLiteral("Root")));
        auto made = std::make_unique<EditViewController>(test.environment());
        EditViewController* form = made.get();
        form->setStoryboard(&storyboard);
        form->setDetailItem(stamp);
        navigation.pushViewController(std::move(made), false);

        QTest::mouseClick(form->NotesButton, Qt::LeftButton);
        auto* notes = qobject_cast<NotesViewController*>(navigation.topViewController());
        QVERIFY(notes);
        QCOMPARE(notes->NotesTextView->toPlainText(), QStringLiteral("old notes"));
        notes->NotesTextView->setPlainText(QStringLiteral("new notes"));
        notes->SaveButtonClicked();

        QCOMPARE(navigation.topViewController(), form);
        QCOMPARE(stamp->notes(), std::optional<QString>(QStringLiteral("new notes")));
        QCOMPARE(form->NotesTextView->toPlainText(), QStringLiteral("new notes"));

        form->TapFrontImage();
        QCOMPARE(navigation.topViewController()->objectName(),
                 QStringLiteral("ZoomViewController"));
    }

    void theKeysFindTheirWayThroughTheScreens()
    {
        TestEnvironment test;
        auto* stamp = test.context().insertNewObject<Stamps>();
        stamp->setDenomination(QStringLiteral("5c"));
        QVERIFY(test.context().save());
        AppOnScreen app(test);
        QVERIFY(app.show());
        NavigationController& navigation = *app.navigation;

        // Return presses the menu button that has the keyboard.
        app.menu->HandleButtonClick();
        app.menu->ListButton->setFocus();
        QTest::keyClick(app.menu->ListButton, Qt::Key_Return);
        auto* list = qobject_cast<ListTableViewController*>(navigation.topViewController());
        QVERIFY(list);
        test.mainQueue.drain();

        QTest::keyClick(list->tableView, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), list->searchBar);

        // Ctrl+N on the list opens the add form, which opens with its first field ready.
        QCOMPARE(list->AddButton->toolTip(), list->AddButton->text() + QStringLiteral(" (Ctrl+N)"));
        QTest::keyClick(list->searchBar, Qt::Key_N, Qt::ControlModifier);
        auto* add = qobject_cast<AddViewController*>(navigation.topViewController());
        QVERIFY(add);
        QTRY_COMPARE(QApplication::focusWidget(), add->DenominationTextField);
        QCOMPARE(test.shared().marker, QStringLiteral("Master"));

        // Untouched, Escape simply goes back; typed into, it asks first.
        QTest::keyClick(add->DenominationTextField, Qt::Key_Escape);
        QTRY_COMPARE(navigation.topViewController(), list);
        QVERIFY(test.alerts.alerts().isEmpty());
        QTest::keyClick(list->searchBar, Qt::Key_N, Qt::ControlModifier);
        add = qobject_cast<AddViewController*>(navigation.topViewController());
        QVERIFY(add);
        QTest::keyClicks(add->DenominationTextField, QStringLiteral("6c"));
        QTest::keyClick(add->DenominationTextField, Qt::Key_Left, Qt::AltModifier);
        QTRY_COMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(navigation.topViewController(), add);
        QVERIFY(test.alerts.tap(QStringLiteral("Discard")));
        QCOMPARE(navigation.topViewController(), list);
        QCOMPARE(test.context().fetch<Stamps>().value().size(), 1);
    }

    // The summaries' tabs show no back button of their own, yet the keys back leave them.
    void keysBackLeaveEverySummaryTab_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        const Qt::KeyboardModifiers none;
        QTest::newRow("year, Escape") << 0 << int(Qt::Key_Escape) << none;
        QTest::newRow("Scott #, Escape") << 1 << int(Qt::Key_Escape) << none;
        QTest::newRow("status, Escape") << 2 << int(Qt::Key_Escape) << none;
        QTest::newRow("denomination, Escape") << 3 << int(Qt::Key_Escape) << none;
        QTest::newRow("country, Alt+Left")
            << 4 << int(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::AltModifier);
    }

    void keysBackLeaveEverySummaryTab()
    {
        QFETCH(int, tab);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        TestEnvironment test;
        AppOnScreen app(test);
        QVERIFY(app.show());
        app.menu->HandleButtonClick();
        QTest::mouseClick(app.menu->GroupedButton, Qt::LeftButton);
        auto* tabs = qobject_cast<TabBarController*>(app.navigation->topViewController());
        QVERIFY(tabs);
        tabs->setSelectedIndex(tab);
        auto* summary = qobject_cast<GroupSummaryViewController*>(
            tabs->tabNavigationControllers().at(tab)->topViewController());
        QVERIFY(summary);
        QTest::keyClick(summary->tableView, Qt::Key(key), modifiers);
        QTRY_COMPARE(app.navigation->topViewController(), app.menu);
        QVERIFY(!app.navigation->isNavigationBarHidden());
    }

    void referenceFormsSaveOnceWithReturnAndAskBeforeDiscarding()
    {
        TestEnvironment test;
        AppOnScreen app(test);
        QVERIFY(app.show());
        NavigationController& navigation = *app.navigation;
        app.menu->HandleButtonClick();
        QTest::mouseClick(app.menu->ReferenceListsButton, Qt::LeftButton);
        auto* gumButton = navigation.topViewController()->view()->findChild<QPushButton*>(
            QStringLiteral("GumButton"));
        QVERIFY(gumButton);
        QTest::mouseClick(gumButton, Qt::LeftButton);
        auto* browser =
            qobject_cast<ReferenceListTableViewController*>(navigation.topViewController());
        QVERIFY(browser);
        const qsizetype gums = test.context().fetch<GumList>().value().size();
        auto* addAction = browser->findChild<QAction*>(QStringLiteral("AddButton"));
        QVERIFY(addAction);

        addAction->trigger();
        auto* add = qobject_cast<AddReferenceEntryViewController*>(navigation.topViewController());
        QVERIFY(add);
        QCOMPARE(add->SaveButton->toolTip(), QStringLiteral("Save (Ctrl+S)"));
        QTRY_COMPARE(QApplication::focusWidget(), add->textField());
        QTest::keyClicks(add->textField(), QStringLiteral("Blue gum"));
        QTest::keyClick(add->textField(), Qt::Key_Return);
        QCOMPARE(navigation.topViewController(), browser);
        QVERIFY(test.alerts.alerts().isEmpty());
        const QList<GumList*> stored = test.context().fetch<GumList>().value();
        QCOMPARE(stored.size(), gums + 1);
        QCOMPARE(std::count_if(
                     stored.cbegin(), stored.cend(),
                     [](const GumList* gum) { return gum->gum() == QStringLiteral("Blue gum"); }),
                 1);

        addAction->trigger();
        add = qobject_cast<AddReferenceEntryViewController*>(navigation.topViewController());
        QVERIFY(add);
        QTest::keyClicks(add->textField(), QStringLiteral("Red"));
        QTest::keyClick(add->textField(), Qt::Key_Escape);
        QTRY_COMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Discard changes?"));
        QVERIFY(test.alerts.tap(QStringLiteral("Discard")));
        QCOMPARE(navigation.topViewController(), browser);
        QCOMPARE(test.context().fetch<GumList>().value().size(), gums + 1);
    }
};

QTEST_MAIN(StoryboardTest)
#include "tst_storyboard.moc"
