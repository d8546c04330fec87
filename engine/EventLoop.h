#pragma once
// The engine's view of the UI thread's event loop: the three window timers,
// a thread-safe post, and a millisecond clock. The Qt adapter uses QTimer and
// queued calls; the virtual loop of the simulator runs on a virtual clock.

#include <cstdint>
#include <functional>

inline constexpr int kTimerJob = 500;        // every job's time-out
inline constexpr int kTimerIdle = 501;       // idle disconnect
inline constexpr int kTimerPacing = 502;     // transmit pacing and modem-status poll

class EventLoop {
public:
    virtual ~EventLoop() = default;

    // Called on the UI thread when a timer expires. A timer repeats with its
    // interval until it is killed or armed again (arming restarts it).
    void SetTimerHandler(std::function<void(int timerId)> handler) { timerHandler_ = std::move(handler); }

    virtual void SetTimer(int timerId, uint32_t intervalMs) = 0;
    virtual void KillTimer(int timerId) = 0;
    // Runs `task` later on the UI thread. Safe from any thread.
    virtual void Post(std::function<void()> task) = 0;
    // Milliseconds of a monotonic clock.
    virtual uint64_t NowMs() const = 0;
    // Blocks the UI thread for a short, bounded time (used once, before closing the port).
    virtual void Sleep(uint32_t ms) = 0;

protected:
    void FireTimer(int timerId) {
        if (timerHandler_) timerHandler_(timerId);
    }

private:
    std::function<void(int)> timerHandler_;
};
