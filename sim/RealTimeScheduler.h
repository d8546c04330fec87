#pragma once
// The wall-clock scheduler of kova-sim. Single-threaded: the program's loop asks
// how long it may wait (MsUntilNext), waits for input at most that long, and
// then runs what is due (RunDue).

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "sim/SimScheduler.h"

class RealTimeScheduler : public SimScheduler {
public:
    RealTimeScheduler();

    uint64_t Now() const override;
    void Schedule(uint32_t delayMs, std::function<void()> task) override;

    // Runs every task that is due now, including tasks that those schedule with
    // no delay. Returns the number of tasks run.
    int RunDue();
    // Milliseconds until the next task is due (0 when one is due now), or -1
    // when nothing is scheduled.
    int MsUntilNext() const;
    bool Empty() const { return tasks_.empty(); }

private:
    std::chrono::steady_clock::time_point start_;
    uint64_t sequence_ = 0;
    std::multimap<std::pair<uint64_t, uint64_t>, std::function<void()>> tasks_;
};
