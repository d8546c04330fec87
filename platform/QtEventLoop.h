#pragma once
// The engine's event loop on Qt: the window timers 500, 501 and 502 as
// repeating QTimers (arming restarts a timer, killing stops it), a post that
// any thread may call and that runs the task on the UI thread, and a monotonic
// millisecond clock.

#include <QElapsedTimer>
#include <QObject>
#include <map>

#include "engine/EventLoop.h"

class QTimer;

class QtEventLoop : public QObject, public EventLoop {
public:
    explicit QtEventLoop(QObject* parent = nullptr);
    ~QtEventLoop() override;

    void SetTimer(int timerId, uint32_t intervalMs) override;
    void KillTimer(int timerId) override;
    void Post(std::function<void()> task) override;
    uint64_t NowMs() const override;
    void Sleep(uint32_t ms) override;

    bool IsTimerArmed(int timerId) const;
    // Interval of an armed timer in milliseconds, 0 when it is not armed.
    uint32_t TimerInterval(int timerId) const;

private:
    std::map<int, QTimer*> timers_;
    QElapsedTimer clock_;
};
