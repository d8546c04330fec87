#pragma once
// The clock the simulated devices run on. In-process tests drive it with the
// virtual event loop (VirtualClockScheduler), kova-sim with the wall clock
// (RealTimeScheduler), so the same device model serves both.
//
// Contract: tasks run on the one thread that drives the scheduler, never inside
// Schedule itself; tasks due at the same time run in the order they were scheduled.

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

class SimScheduler {
public:
    virtual ~SimScheduler() = default;

    // Milliseconds since an arbitrary start.
    virtual uint64_t Now() const = 0;
    // Runs `task` delayMs from now.
    virtual void Schedule(uint32_t delayMs, std::function<void()> task) = 0;

    // As Schedule, but the task does nothing once `owner` is gone: a device
    // destroyed while its answers are still on the clock must not be touched.
    void ScheduleFor(const std::shared_ptr<void>& owner, uint32_t delayMs,
                     std::function<void()> task) {
        std::weak_ptr<void> weak = owner;
        Schedule(delayMs, [weak, task = std::move(task)] {
            if (weak.lock()) task();
        });
    }
};
