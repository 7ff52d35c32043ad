#include "ConsoleCapture.h"
#include "TestEnvironment.h"
#include "main/MainMenuViewController.h"
#include "main/Storyboard.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Storyboard.h"

#include <QPushButton>
#include <QTest>

namespace {

// A stand-in for a screen the menu opens: it writes the marker as the real ones do.
class OpenedScreen final : public ViewController
{
public:
    OpenedScreen(SharedState& shared, const QString& marker)
        : ViewController(QStringLiteral("OpenedScreen")), m_shared(shared), m_marker(marker)
    {}
    void viewDidLoad() override { m_shared.marker = m_marker; }

private:
    SharedState& m_shared;
    QString m_marker;
};

struct MenuFixture
{
    explicit MenuFixture(TestEnvironment& test)
    {
        storyboard.addSegue(
            QStringLiteral("MainMenuViewController"), QStringLiteral("showList"), [&test] {
                return std::make_unique<OpenedScreen>(test.shared(), QStringLiteral("Master"));
            });
        storyboard.addTrigger(QStringLiteral("MainMenuViewController"),
                              QStringLiteral("ListButton"), QStringLiteral("showList"));
        storyboard.addSegue(
            QStringLiteral("MainMenuViewController"), QStringLiteral("TabBarController"), [&test] {
                return std::make_unique<OpenedScreen>(test.shared(), QStringLiteral("Tabs"));
            });
        storyboard.addTrigger(QStringLiteral("MainMenuViewController"),
                              QStringLiteral("GroupedButton"), QStringLiteral("TabBarController"));
        // A trigger without a screen behind it must not give the menu a button.
        storyboard.addTrigger(QStringLiteral("MainMenuViewController"), QStringLiteral("AddButton"),
                              QStringLiteral("showAdd"));
        auto root = AppStoryboard::instantiateInitialViewController(storyboard, test.environment());
        menu = static_cast<MainMenuViewController*>(root.get());
        navigation = std::make_unique<NavigationController>(std::move(root));
        navigation->show();
    }

    QList<bool> hidden() const
    {
        QList<bool> states;
        for (const QPushButton* button : menu->MenuButton)
            states << button->isHidden();
        return states;
    }

    Storyboard storyboard;
    MainMenuViewController* menu = nullptr;
    std::unique_ptr<NavigationController> navigation;
};

} // namespace

class MainMenuTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void menuOffersOnlyScreensThatExistAndTogglesThemTogether()
    {
        TestEnvironment test;
        ConsoleCapture console;
        MenuFixture fixture(test);
        MainMenuViewController* menu = fixture.menu;

        QCOMPARE(menu->MenuButton.size(), 2);
        QVERIFY(menu->ListButton && menu->GroupedButton);
        QCOMPARE(menu->AddButton, nullptr);
        QCOMPARE(menu->view()->findChild<QPushButton*>(QStringLiteral("AddButton")), nullptr);
        QCOMPARE(test.shared().marker, QStringLiteral("Menu"));
        QCOMPARE(fixture.hidden(), (QList<bool>{true, true}));

        menu->HandleButtonClick();
        QCOMPARE(fixture.hidden(), (QList<bool>{false, false}));
        menu->HandleButtonClick();
        QCOMPARE(fixture.hidden(), (QList<bool>{true, true}));
        QTest::mouseClick(menu->MenuToggleButton, Qt::LeftButton);
        QCOMPARE(fixture.hidden(), (QList<bool>{false, false}));
    }

    void everyReturnHidesTheButtonsAndResetsTheMarker()
    {
        TestEnvironment test;
        MenuFixture fixture(test);
        MainMenuViewController* menu = fixture.menu;

        menu->HandleButtonClick();
        QTest::mouseClick(menu->ListButton, Qt::LeftButton);
        QCOMPARE(fixture.navigation->topViewController()->objectName(),
                 QStringLiteral("OpenedScreen"));
        QCOMPARE(test.shared().marker, QStringLiteral("Master"));

        QVERIFY(
            fixture.navigation->topViewController()->performSegue(QStringLiteral("unwindToMenu")));
        QCOMPARE(fixture.navigation->topViewController(), menu);
        QCOMPARE(test.shared().marker, QStringLiteral("Menu"));
        QCOMPARE(fixture.hidden(), (QList<bool>{true, true}));
        QVERIFY(!fixture.navigation->isNavigationBarHidden());

        // The back button returns the same way.
        menu->HandleButtonClick();
        QTest::mouseClick(menu->ListButton, Qt::LeftButton);
        QVERIFY(fixture.navigation->popViewController(false));
        QCOMPARE(test.shared().marker, QStringLiteral("Menu"));
        QCOMPARE(fixture.hidden(), (QList<bool>{true, true}));
    }

    void theGroupedScreensHideTheNavigationBarUntilTheMenuReturns()
    {
        TestEnvironment test;
        MenuFixture fixture(test);
        fixture.menu->HandleButtonClick();
        QTest::mouseClick(fixture.menu->GroupedButton, Qt::LeftButton);
        QVERIFY(fixture.navigation->isNavigationBarHidden());
        QCOMPARE(test.shared().marker, QStringLiteral("Tabs"));

        QVERIFY(
            fixture.navigation->topViewController()->performSegue(QStringLiteral("unwindToMenu")));
        QVERIFY(!fixture.navigation->isNavigationBarHidden());
        QCOMPARE(test.shared().marker, QStringLiteral("Menu"));

        // Other segues leave the bar alone.
        fixture.menu->HandleButtonClick();
        QTest::mouseClick(fixture.menu->ListButton, Qt::LeftButton);
        QVERIFY(!fixture.navigation->isNavigationBarHidden());
    }
};

QTEST_MAIN(MainMenuTest)
#include "tst_mainmenu.moc"
