#include "platform/core/MainQueue.h"

#include "platform/core/Console.h"

#include <QPointer>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// A call that queues itself again forever would keep drain() from returning.
constexpr int maximumDrainedCalls = 1'000'000;
} // namespace

MainQueue::MainQueue(QObject* parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &MainQueue::runDue);
}

MainQueue::~MainQueue() = default;

void MainQueue::async(std::function<void()> call)
{
    enqueue(Clock::now(), std::move(call));
}

void MainQueue::asyncAfter(double seconds, std::function<void()> call)
{
    if (!std::isfinite(seconds) || seconds < 0) {
        Console::printLine(QStringLiteral("MainQueue: delay %1 s is not a duration; running the "
                                          "call without delay")
                               .arg(seconds));
        seconds = 0;
    }
    const auto delay = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(std::min(seconds, 1.0e7)));
    enqueue(Clock::now() + delay, std::move(call));
}

void MainQueue::async(QObject* context, std::function<void()> call)
{
    async(whileAlive(context, std::move(call)));
}

void MainQueue::asyncAfter(double seconds, QObject* context, std::function<void()> call)
{
    asyncAfter(seconds, whileAlive(context, std::move(call)));
}

std::function<void()> MainQueue::whileAlive(QObject* context, std::function<void()> call)
{
    if (!call)
        return call; // told as an empty call when it is queued
    if (!context) {
        // A call that can never run would vanish without a trace.
        Console::printLine(QStringLiteral("MainQueue: a call was queued for no object; it runs "
                                          "without one"));
        return call;
    }
    return [guard = QPointer<QObject>(context), call = std::move(call)] {
        if (guard)
            call();
    };
}

void MainQueue::enqueue(Clock::time_point due, std::function<void()> call)
{
    if (!call) {
        Console::printLine(QStringLiteral("MainQueue: an empty call was queued; ignored"));
        return;
    }
    m_calls.emplace(Key{due, m_nextSequence++}, std::move(call));
    rearm();
}

void MainQueue::runFront()
{
    // Taken out before it runs, so a call it queues lands behind it and pendingCount is exact.
    auto node = m_calls.extract(m_calls.begin());
    node.mapped()();
}

void MainQueue::runDue()
{
    // Only the calls already queued when this turn started: a call that keeps queueing itself
    // must not starve the rest of the event loop.
    const quint64 lastSequence = m_nextSequence;
    const auto now = Clock::now();
    while (!m_calls.empty()) {
        const Key& front = m_calls.begin()->first;
        if (front.first > now || front.second >= lastSequence)
            break;
        runFront();
    }
    rearm();
}

void MainQueue::rearm()
{
    if (m_calls.empty()) {
        m_timer.stop();
        return;
    }
    const auto wait = m_calls.begin()->first.first - Clock::now();
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
    m_timer.start(static_cast<int>(std::clamp<qint64>(ms, 0, std::numeric_limits<int>::max())));
}

void MainQueue::drain()
{
    int ran = 0;
    while (!m_calls.empty()) {
        if (++ran > maximumDrainedCalls) {
            Console::printLine(QStringLiteral("MainQueue: drain stopped after %1 calls; %2 still "
                                              "queued (a call keeps queueing itself)")
                                   .arg(maximumDrainedCalls)
                                   .arg(m_calls.size()));
            break;
        }
        runFront();
    }
    rearm();
}
