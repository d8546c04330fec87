#pragma once
// Runs the simulated devices on the virtual event loop: device work is scheduled
// on the same clock as the engine's timers, so a test advances both together.

#include "sim/SimScheduler.h"
#include "sim/VirtualEventLoop.h"

class VirtualClockScheduler : public SimScheduler {
public:
    explicit VirtualClockScheduler(VirtualEventLoop& loop) : loop_(loop) {}

    uint64_t Now() const override { return loop_.NowMs(); }
    void Schedule(uint32_t delayMs, std::function<void()> task) override {
        loop_.Schedule(delayMs, std::move(task));
    }

private:
    VirtualEventLoop& loop_;
};
