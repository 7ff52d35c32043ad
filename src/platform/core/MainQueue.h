#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <map>
#include <utility>

// Calls run later on the Qt event loop, like a phone toolkit's main dispatch queue: in order of
// their due time, first come first served among equal due times. Tests call drain() instead of
// waiting in real time.
class MainQueue final : public QObject
{
    Q_OBJECT

public:
    explicit MainQueue(QObject* parent = nullptr);
    ~MainQueue() override;
    Q_DISABLE_COPY_MOVE(MainQueue)

    void async(std::function<void()> call);
    void asyncAfter(double seconds, std::function<void()> call);
    // The same for work of one object, a screen typically: the call is dropped when the context
    // is destroyed before its turn, so a screen that is gone never runs its queued work.
    void async(QObject* context, std::function<void()> call);
    void asyncAfter(double seconds, QObject* context, std::function<void()> call);

    int pendingCount() const { return static_cast<int>(m_calls.size()); }

    // Runs every queued call now, delayed ones too, in due order, including calls queued by the
    // calls it runs.
    void drain();

private:
    using Clock = std::chrono::steady_clock;
    using Key = std::pair<Clock::time_point, quint64>; // due time, then arrival order

    void enqueue(Clock::time_point due, std::function<void()> call);
    static std::function<void()> whileAlive(QObject* context, std::function<void()> call);
    void runDue();
    void rearm();
    void runFront();

    std::map<Key, std::function<void()>> m_calls;
    quint64 m_nextSequence = 0;
    QTimer m_timer;
};
