#include "sim/VirtualEventLoop.h"

#include <limits>

void VirtualEventLoop::SetTimer(int timerId, uint32_t intervalMs) {
    // A zero interval would fire forever without time passing; a window timer
    // of 0 ms behaves as the shortest possible interval.
    uint32_t interval = intervalMs == 0 ? 1 : intervalMs;
    timers_[timerId] = Timer{interval, now_ + interval};
}

void VirtualEventLoop::KillTimer(int timerId) { timers_.erase(timerId); }

uint32_t VirtualEventLoop::TimerInterval(int timerId) const {
    auto it = timers_.find(timerId);
    return it == timers_.end() ? 0 : it->second.interval;
}

void VirtualEventLoop::Post(std::function<void()> task) {
    std::lock_guard<std::mutex> lock(postMutex_);
    posted_.push_back(std::move(task));
}

void VirtualEventLoop::Schedule(uint32_t delayMs, std::function<void()> task) {
    scheduled_.emplace(std::make_pair(now_ + delayMs, sequence_++), std::move(task));
}

bool VirtualEventLoop::RunPosted() {
    bool ran = false;
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard<std::mutex> lock(postMutex_);
            if (posted_.empty()) break;
            task = std::move(posted_.front());
            posted_.pop_front();
        }
        task();
        ran = true;
    }
    return ran;
}

uint64_t VirtualEventLoop::NextDue() const {
    uint64_t next = std::numeric_limits<uint64_t>::max();
    for (const auto& [id, timer] : timers_) next = std::min(next, timer.due);
    if (!scheduled_.empty()) next = std::min(next, scheduled_.begin()->first.first);
    return next;
}

void VirtualEventLoop::RunDueAt(uint64_t time) {
    // Scheduled device work first (it models bytes already on the wire), then timers.
    while (!scheduled_.empty() && scheduled_.begin()->first.first <= time) {
        auto node = scheduled_.extract(scheduled_.begin());
        node.mapped()();
        RunPosted();
    }
    for (auto it = timers_.begin(); it != timers_.end();) {
        int id = it->first;
        if (it->second.due <= time) {
            it->second.due = time + it->second.interval;
            FireTimer(id);
            RunPosted();
            it = timers_.upper_bound(id);   // the handler may have changed the map
        } else {
            ++it;
        }
    }
}

void VirtualEventLoop::RunPending() {
    do {
        RunPosted();
        RunDueAt(now_);
    } while (RunPosted() || NextDue() <= now_);
}

void VirtualEventLoop::RunFor(uint64_t ms) {
    uint64_t end = now_ + ms;
    RunPending();
    for (uint64_t next = NextDue(); next <= end; next = NextDue()) {
        now_ = std::max(now_, next);
        RunPending();
    }
    now_ = end;
    RunPending();
}

bool VirtualEventLoop::RunUntil(const std::function<bool()>& done, uint64_t maxMs) {
    uint64_t end = now_ + maxMs;
    RunPending();
    while (!done()) {
        uint64_t next = NextDue();
        if (next > end) {
            now_ = end;
            RunPending();
            return done();
        }
        now_ = std::max(now_, next);
        RunPending();
    }
    return true;
}
