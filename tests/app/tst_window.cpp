#include "AppOnScreen.h"
#include "ConsoleCapture.h"
#include "TestEnvironment.h"
#include "main/MainMenuViewController.h"
#include "main/Storyboard.h"
#include "platform/core/UserDefaults.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Storyboard.h"
#include "platform/gui/WindowGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace {

const QSize PhoneShape(430, 860);
// A title bar above the window.
const QMargins Frame(0, 30, 0, 0);

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
        const QRect second(1920, 0, 1280, 1000);
        QTest::newRow("first launch on a laptop: as tall as it can be")
            << QRect() << QList<QRect>{laptop} << QRect(468, 30, 430, 710);
        QTest::newRow("first launch on a desktop: the phone shape, centred")
            << QRect() << QList<QRect>{desktop} << QRect(745, 110, 430, 860);
        QTest::newRow("where it was left")
            << QRect(100, 100, 800, 600) << QList<QRect>{desktop} << QRect(100, 100, 800, 600);
        QTest::newRow("on the second screen")
            << QRect(2000, 50, 900, 700) << QList<QRect>{desktop, second}
            << QRect(2000, 50, 900, 700);
        QTest::newRow("on a screen that is gone: the first launch's place")
            << QRect(2500, 100, 800, 600) << QList<QRect>{desktop} << QRect(745, 110, 430, 860);
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
        const QRect place =
            WindowGeometry::placement(saved, PhoneShape, screens, screens.first(), Frame);
        QCOMPARE(place, expected);
        // With its frame, the window lies within one screen's room for windows.
        QVERIFY(std::any_of(screens.cbegin(), screens.cend(), [&](const QRect& screen) {
            return screen.contains(place.marginsAdded(Frame));
        }));
    }

    void theWindowFitsItsScreenAndOpensWhereItWasLeft()
    {
        TestEnvironment test;
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(available.height() < PhoneShape.height());
        QRect left;
        {
            AppOnScreen app(test);
            NavigationController& window = *app.navigation;
            QVERIFY(!WindowGeometry::restore(window, test.environment().services.userDefaults,
                                             PhoneShape));
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QVERIFY(available.contains(window.frameGeometry()));
            QCOMPARE(window.width(), PhoneShape.width());

            // The collector moves and resizes it; the place outlives the launch.
            left = QRect(available.topLeft() + QPoint(20, 60), QSize(500, 400));
            window.setGeometry(left);
            QTRY_COMPARE(window.geometry(), left);
            QVERIFY(WindowGeometry::save(window, test.environment().services.userDefaults));
        }
        test.relaunch();
        {
            AppOnScreen app(test);
            NavigationController& window = *app.navigation;
            QVERIFY(!WindowGeometry::restore(window, test.environment().services.userDefaults,
                                             PhoneShape));
            QCOMPARE(window.geometry(), left);
            window.showMaximized();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QTRY_VERIFY(window.isMaximized());
            QVERIFY(WindowGeometry::save(window, test.environment().services.userDefaults));
        }
        test.relaunch();
        {
            // Maximised again, and back to the same place when no longer maximised.
            AppOnScreen app(test);
            NavigationController& window = *app.navigation;
            QVERIFY(WindowGeometry::restore(window, test.environment().services.userDefaults,
                                            PhoneShape));
            QCOMPARE(window.geometry(), left);
        }

        // A place that cannot be read is said, and the window opens at its starting shape.
        UserDefaults& defaults = test.environment().services.userDefaults;
        defaults.setObject(WindowGeometry::PlaceKey, QStringLiteral("somewhere"));
        AppOnScreen app(test);
        ConsoleCapture console;
        QVERIFY(!WindowGeometry::restore(*app.navigation, defaults, PhoneShape));
        QCOMPARE(console.lines().size(), 1);
        QVERIFY(console.lines().first().contains(QStringLiteral("somewhere")));
        QCOMPARE(app.navigation->width(), PhoneShape.width());
        QVERIFY(available.contains(app.navigation->geometry()));
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
