#include "sim/RealTimeScheduler.h"

#include <algorithm>
#include <limits>

RealTimeScheduler::RealTimeScheduler() : start_(std::chrono::steady_clock::now()) {}

uint64_t RealTimeScheduler::Now() const {
    auto elapsed = std::chrono::steady_clock::now() - start_;
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void RealTimeScheduler::Schedule(uint32_t delayMs, std::function<void()> task) {
    tasks_.emplace(std::make_pair(Now() + delayMs, sequence_++), std::move(task));
}

int RealTimeScheduler::RunDue() {
    int ran = 0;
    // Read the clock once per task: a long task must not starve the ones it schedules.
    while (!tasks_.empty() && tasks_.begin()->first.first <= Now()) {
        auto node = tasks_.extract(tasks_.begin());
        node.mapped()();
        ++ran;
    }
    return ran;
}

int RealTimeScheduler::MsUntilNext() const {
    if (tasks_.empty()) return -1;
    uint64_t due = tasks_.begin()->first.first;
    uint64_t now = Now();
    if (due <= now) return 0;
    return static_cast<int>(std::min<uint64_t>(due - now, std::numeric_limits<int>::max()));
}
