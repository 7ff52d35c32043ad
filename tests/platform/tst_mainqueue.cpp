#include "ConsoleCapture.h"
#include "platform/core/MainQueue.h"

#include <QElapsedTimer>
#include <QTest>
#include <memory>

class MainQueueTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runsOnTheEventLoopInDueOrder();
    void drainRunsEverythingWithoutWaiting();
    void badDelaysAreReported();
    void callsOfAGoneObjectAreDropped();
};

void MainQueueTest::runsOnTheEventLoopInDueOrder()
{
    MainQueue queue;
    QStringList log;
    // Queued latest-first, so arrival order and due order differ.
    queue.asyncAfter(0.4, [&log] { log.append(QStringLiteral("late")); });
    queue.asyncAfter(0.2, [&log] { log.append(QStringLiteral("soon")); });
    queue.async([&log] { log.append(QStringLiteral("first")); });
    queue.async([&] {
        log.append(QStringLiteral("second"));
        // Queued while a call runs: after it, and after what was already due.
        queue.async([&log] { log.append(QStringLiteral("nested")); });
        QCOMPARE(queue.pendingCount(), 4);
    });
    queue.async([&log] { log.append(QStringLiteral("third")); });

    QVERIFY(log.isEmpty()); // nothing runs before the event loop does
    QCOMPARE(queue.pendingCount(), 5);

    QTRY_COMPARE_WITH_TIMEOUT(log.size(), 4, 150);
    QCOMPARE(log, QStringList({QStringLiteral("first"), QStringLiteral("second"),
                               QStringLiteral("third"), QStringLiteral("nested")}));
    QCOMPARE(queue.pendingCount(), 2);

    QTRY_COMPARE_WITH_TIMEOUT(log.size(), 6, 5000);
    QCOMPARE(log, QStringList({QStringLiteral("first"), QStringLiteral("second"),
                               QStringLiteral("third"), QStringLiteral("nested"),
                               QStringLiteral("soon"), QStringLiteral("late")}));
    QCOMPARE(queue.pendingCount(), 0);

    // A call that queues itself again does not keep the rest of the loop waiting.
    int repeats = 0;
    std::function<void()> again = [&] {
        if (++repeats < 1000)
            queue.async(again);
    };
    queue.async(again);
    bool other = false;
    queue.asyncAfter(0.01, [&other] { other = true; });
    QTRY_VERIFY_WITH_TIMEOUT(other, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(repeats, 1000, 5000);
}

void MainQueueTest::drainRunsEverythingWithoutWaiting()
{
    MainQueue queue;
    QStringList log;
    queue.asyncAfter(3600, [&log] { log.append(QStringLiteral("in an hour")); });
    queue.asyncAfter(60, [&] {
        log.append(QStringLiteral("in a minute"));
        queue.asyncAfter(10, [&log] { log.append(QStringLiteral("ten seconds after")); });
        queue.async([&log] { log.append(QStringLiteral("right after")); });
    });
    queue.async([&log] { log.append(QStringLiteral("now")); });

    QElapsedTimer clock;
    clock.start();
    queue.drain();
    QVERIFY(clock.elapsed() < 1000);
    QCOMPARE(log, QStringList({QStringLiteral("now"), QStringLiteral("in a minute"),
                               QStringLiteral("right after"), QStringLiteral("ten seconds after"),
                               QStringLiteral("in an hour")}));
    QCOMPARE(queue.pendingCount(), 0);

    // Nothing is left to run a second time from the event loop.
    QTest::qWait(20);
    QCOMPARE(log.size(), 5);
}

void MainQueueTest::badDelaysAreReported()
{
    ConsoleCapture console;
    MainQueue queue;
    bool ran = false;
    queue.asyncAfter(-1, [&ran] { ran = true; });
    QCOMPARE(console.lines().size(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(ran, 1000);

    queue.async({});
    QCOMPARE(queue.pendingCount(), 0);
    QCOMPARE(console.lines().size(), 2);
}

void MainQueueTest::callsOfAGoneObjectAreDropped()
{
    MainQueue queue;
    QStringList log;
    auto screen = std::make_unique<QObject>();
    QObject stays;
    // The screen goes after its calls are queued and before their turn.
    queue.async([&] {
        screen.reset();
        log.append(QStringLiteral("plain"));
    });
    queue.async(screen.get(), [&log] { log.append(QStringLiteral("gone")); });
    queue.asyncAfter(60, screen.get(), [&log] { log.append(QStringLiteral("gone, later")); });
    queue.async(&stays, [&log] { log.append(QStringLiteral("stays")); });
    queue.asyncAfter(60, &stays, [&log] { log.append(QStringLiteral("stays, later")); });
    queue.drain();
    QCOMPARE(log, QStringList({QStringLiteral("plain"), QStringLiteral("stays"),
                               QStringLiteral("stays, later")}));
    QCOMPARE(queue.pendingCount(), 0);
}

QTEST_GUILESS_MAIN(MainQueueTest)
#include "tst_mainqueue.moc"
