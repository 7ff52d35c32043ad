#include "ConsoleCapture.h"
#include "LoggingScreen.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/SegmentedControl.h"
#include "platform/gui/Storyboard.h"
#include "platform/gui/TabBarController.h"

#include <QAbstractButton>
#include <QPointer>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <memory>
#include <vector>

namespace {

void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A tab bar "Tabs" with the tabs "One" and "Two" around the given roots.
std::unique_ptr<TabBarController> makeTabs(std::unique_ptr<ViewController> first,
                                           std::unique_ptr<ViewController> second)
{
    std::vector<TabBarController::Tab> tabs;
    tabs.push_back({QStringLiteral("One"), std::move(first)});
    tabs.push_back({QStringLiteral("Two"), std::move(second)});
    return std::make_unique<TabBarController>(QStringLiteral("Tabs"), std::move(tabs));
}

} // namespace

class ContainersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unwindLeavesContainerForOuterTarget();
    void seguesInsideTabStayInTab();
    void switchingTabsMovesAppearance();
    void segmentedControlReportsSelection();
};

void ContainersTest::unwindLeavesContainerForOuterTarget()
{
    QStringList log;
    auto menuOwner = std::make_unique<Screen>(QStringLiteral("Menu"), &log);
    Screen* menu = menuOwner.get();
    menu->registerLoggedUnwind(QStringLiteral("unwindToMenu"));
    NavigationController nav(std::move(menuOwner));

    auto oneOwner = std::make_unique<Screen>(QStringLiteral("TabOne"), &log);
    Screen* one = oneOwner.get();
    auto tabsOwner =
        makeTabs(std::move(oneOwner), std::make_unique<Screen>(QStringLiteral("TabTwo"), &log));
    QPointer<TabBarController> tabs = tabsOwner.get();
    QPointer<ViewController> two = tabs->viewControllers().at(1);
    QPointer<ViewController> oneGuard = one;
    log.clear();
    nav.pushViewController(std::move(tabsOwner), false);
    // Both tabs are built, only the selected one appears.
    QCOMPARE(log, QStringList({QStringLiteral("TabOne:load"), QStringLiteral("TabTwo:load"),
                               QStringLiteral("Menu:willDisappear shown"),
                               QStringLiteral("TabOne:willAppear shown"),
                               QStringLiteral("Menu:didDisappear hidden"),
                               QStringLiteral("TabOne:didAppear shown")}));
    QCOMPARE(one->parentViewController(), tabs.data());
    QCOMPARE(one->navigationController()->containerViewController(), tabs.data());
    QVERIFY(!menu->parentViewController());

    // Nothing in the tab registered it: the search goes on below the container, which is popped
    // with the screens inside it, and those are told they disappear.
    log.clear();
    QVERIFY(one->performSegue(QStringLiteral("unwindToMenu")));
    QCOMPARE(log, QStringList({QStringLiteral("TabOne:prepare unwindToMenu to Menu (unwind)"),
                               QStringLiteral("Menu:unwind unwindToMenu from TabOne"),
                               QStringLiteral("TabOne:willDisappear shown"),
                               QStringLiteral("Menu:willAppear hidden"),
                               QStringLiteral("TabOne:didDisappear shown"),
                               QStringLiteral("Menu:didAppear shown")}));
    QCOMPARE(nav.viewControllers(), QList<ViewController*>({menu}));
    QVERIFY(tabs && oneGuard && two); // the unwind may have come from a slot inside the tab
    runDeferredDeletes();
    QVERIFY(!tabs);
    QVERIFY(!oneGuard);
    QVERIFY(!two);
}

void ContainersTest::seguesInsideTabStayInTab()
{
    QStringList log;
    Storyboard storyboard;
    storyboard.addSegue(QStringLiteral("List"), QStringLiteral("showDetail"), [&log] {
        return std::make_unique<Screen>(QStringLiteral("Detail"), &log);
    });

    auto menuOwner = std::make_unique<Screen>(QStringLiteral("Menu"), &log);
    menuOwner->registerLoggedUnwind(QStringLiteral("unwindToList"));
    NavigationController nav(std::move(menuOwner));

    auto listOwner = std::make_unique<Screen>(QStringLiteral("List"), &log);
    Screen* list = listOwner.get();
    list->registerLoggedUnwind(QStringLiteral("unwindToList"));
    auto tabsOwner =
        makeTabs(std::move(listOwner), std::make_unique<Screen>(QStringLiteral("Other"), &log));
    TabBarController* tabs = tabsOwner.get();
    tabs->setStoryboard(&storyboard);
    nav.pushViewController(std::move(tabsOwner), false);
    QCOMPARE(list->storyboard(), &storyboard);

    // A forward segue from a tab's root pushes inside the tab.
    NavigationController* tabStack = tabs->tabNavigationControllers().at(0);
    QVERIFY(list->performSegue(QStringLiteral("showDetail")));
    QCOMPARE(tabStack->viewControllers().size(), 2);
    ViewController* detail = tabStack->topViewController();
    QCOMPARE(detail->objectName(), QStringLiteral("Detail"));
    QCOMPARE(detail->storyboard(), &storyboard);
    QCOMPARE(nav.topViewController(), tabs);

    // The nearest target wins: List in the same tab, not Menu outside, and the container stays.
    log.clear();
    QVERIFY(detail->performSegue(QStringLiteral("unwindToList")));
    QCOMPARE(log, QStringList({QStringLiteral("Detail:prepare unwindToList to List (unwind)"),
                               QStringLiteral("List:unwind unwindToList from Detail"),
                               QStringLiteral("Detail:willDisappear shown"),
                               QStringLiteral("List:willAppear hidden"),
                               QStringLiteral("Detail:didDisappear hidden"),
                               QStringLiteral("List:didAppear shown")}));
    QCOMPARE(tabStack->viewControllers(), QList<ViewController*>({list}));
    QCOMPARE(nav.topViewController(), tabs);
    runDeferredDeletes();
}

void ContainersTest::switchingTabsMovesAppearance()
{
    ConsoleCapture console;
    QStringList log;
    auto tabsOwner = makeTabs(std::make_unique<Screen>(QStringLiteral("TabOne"), &log),
                              std::make_unique<Screen>(QStringLiteral("TabTwo"), &log));
    TabBarController* tabs = tabsOwner.get();
    QSignalSpy selected(tabs, &TabBarController::selectedIndexChanged);
    NavigationController nav(std::move(tabsOwner));
    QCOMPARE(tabs->tabWidget()->tabText(1), QStringLiteral("Two"));
    QCOMPARE(tabs->selectedIndex(), 0);

    log.clear();
    tabs->setSelectedIndex(1);
    QCOMPARE(log, QStringList({QStringLiteral("TabOne:willDisappear shown"),
                               QStringLiteral("TabTwo:willAppear shown"),
                               QStringLiteral("TabOne:didDisappear shown"),
                               QStringLiteral("TabTwo:didAppear shown")}));
    QCOMPARE(tabs->tabWidget()->currentIndex(), 1);
    QCOMPARE(selected.count(), 1);

    // A tab picked on the tab bar itself works the same.
    log.clear();
    tabs->tabWidget()->setCurrentIndex(0);
    QCOMPARE(log, QStringList({QStringLiteral("TabTwo:willDisappear shown"),
                               QStringLiteral("TabOne:willAppear shown"),
                               QStringLiteral("TabTwo:didDisappear shown"),
                               QStringLiteral("TabOne:didAppear shown")}));
    QCOMPARE(tabs->selectedIndex(), 0);

    // While something covers the container, a switch calls nothing; the tab then selected appears
    // with the container.
    nav.pushViewController(std::make_unique<Screen>(QStringLiteral("Cover"), &log), false);
    log.clear();
    tabs->setSelectedIndex(1);
    QVERIFY(log.isEmpty());
    QVERIFY(nav.popViewController(false));
    QCOMPARE(log, QStringList({QStringLiteral("Cover:willDisappear shown"),
                               QStringLiteral("TabTwo:willAppear shown"),
                               QStringLiteral("Cover:didDisappear hidden"),
                               QStringLiteral("TabTwo:didAppear shown")}));

    // A tab that is not there is refused and said so.
    log.clear();
    tabs->setSelectedIndex(2);
    QCOMPARE(tabs->selectedIndex(), 1);
    QVERIFY(log.isEmpty());
    QCOMPARE(console.lines(),
             QStringList({QStringLiteral("Tabs: no tab 2 to select (there are 2)")}));
    runDeferredDeletes();
}

void ContainersTest::segmentedControlReportsSelection()
{
    ConsoleCapture console;
    SegmentedControl control(
        {QStringLiteral("Country"), QStringLiteral("Year"), QStringLiteral("Value")});
    QSignalSpy changed(&control, &SegmentedControl::valueChanged);
    QCOMPARE(control.numberOfSegments(), 3);
    QCOMPARE(control.titleForSegment(1), QStringLiteral("Year"));
    QCOMPARE(control.selectedSegmentIndex(), SegmentedControl::noSegment);

    // Once per change, by code or by a click; choosing the selected segment again is no change.
    control.setSelectedSegmentIndex(1);
    control.setSelectedSegmentIndex(1);
    control.buttonForSegment(2)->click();
    control.buttonForSegment(2)->click();
    QCOMPARE(control.selectedSegmentIndex(), 2);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(0).at(0).toInt(), 1);
    QCOMPARE(changed.at(1).at(0).toInt(), 2);
    QVERIFY(!control.buttonForSegment(1)->isChecked());

    // The keyboard moves the selection from the focused segment.
    control.show();
    QVERIFY(QTest::qWaitForWindowActive(&control));
    control.buttonForSegment(2)->setFocus();
    QTest::keyClick(control.buttonForSegment(2), Qt::Key_Left);
    QCOMPARE(control.selectedSegmentIndex(), 1);
    QCOMPARE(changed.count(), 3);

    // The selected segment is filled with the tint, the others are not.
    control.setTintColor(QColor(200, 0, 0));
    const auto fill = [&control](int segment) {
        QAbstractButton* button = control.buttonForSegment(segment);
        return button->grab().toImage().pixelColor(button->width() / 2, 3);
    };
    QCOMPARE(fill(1), QColor(200, 0, 0));
    QVERIFY(fill(0) != QColor(200, 0, 0));

    control.setSelectedSegmentIndex(SegmentedControl::noSegment);
    QCOMPARE(changed.count(), 4);
    QCOMPARE(changed.last().at(0).toInt(), SegmentedControl::noSegment);
    QVERIFY(!control.buttonForSegment(1)->isChecked());

    QVERIFY(console.lines().isEmpty());
    control.setSelectedSegmentIndex(3);
    QVERIFY(control.titleForSegment(-1).isEmpty());
    QCOMPARE(control.selectedSegmentIndex(), SegmentedControl::noSegment);
    QCOMPARE(changed.count(), 4);
    QCOMPARE(console.lines().size(), 2);
}

QTEST_MAIN(ContainersTest)
#include "tst_containers.moc"
