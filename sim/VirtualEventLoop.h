#pragma once
// An event loop on a virtual clock for tests and the in-process simulator: time
// moves only when a test advances it, so a 23 s dial or a 60 s machine wait runs
// in microseconds and every run is the same.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "engine/EventLoop.h"

class VirtualEventLoop : public EventLoop {
public:
    void SetTimer(int timerId, uint32_t intervalMs) override;
    void KillTimer(int timerId) override;
    void Post(std::function<void()> task) override;
    uint64_t NowMs() const override { return now_; }
    void Sleep(uint32_t ms) override { AdvanceClockOnly(ms); }

    bool IsTimerArmed(int timerId) const { return timers_.count(timerId) != 0; }
    uint32_t TimerInterval(int timerId) const;

    // Runs `task` at now + delayMs on the loop (simulated devices answer this way).
    void Schedule(uint32_t delayMs, std::function<void()> task);

    // Runs posted tasks, then everything due up to now; returns when idle.
    void RunPending();
    // Advances the clock by `ms`, running every posted task, scheduled task and
    // timer in time order.
    void RunFor(uint64_t ms);
    // Advances until `done()` is true or `maxMs` have passed; returns done().
    bool RunUntil(const std::function<bool()>& done, uint64_t maxMs);

private:
    struct Timer {
        uint32_t interval;
        uint64_t due;
    };
    void AdvanceClockOnly(uint64_t ms) { now_ += ms; }
    bool RunPosted();
    // Earliest pending due time among timers and scheduled tasks, or UINT64_MAX.
    uint64_t NextDue() const;
    void RunDueAt(uint64_t time);

    uint64_t now_ = 0;
    uint64_t sequence_ = 0;
    std::map<int, Timer> timers_;
    std::multimap<std::pair<uint64_t, uint64_t>, std::function<void()>> scheduled_;
    mutable std::mutex postMutex_;
    std::deque<std::function<void()>> posted_;
};
