#pragma once
// Waiting in real time for something another thread or process brings about:
// looks again every few milliseconds and gives up only at `limit`, which is a
// ceiling for a machine under heavy load, never the time the thing should take.

#include <chrono>
#include <thread>

template <typename Condition>
bool PollUntil(Condition done, std::chrono::milliseconds limit = std::chrono::seconds(60)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return done();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}
