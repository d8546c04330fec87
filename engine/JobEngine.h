#pragma once
// Runs jobs: one event at a time reaches the highest-priority active job;
// events that arrive while a job runs wait in a 256-slot ring.

#include <array>
#include <cstdint>
#include <functional>

class Job;

class JobEngine {
public:
    JobEngine();

    // Registers the job that owns `bit` (one of JobBit).
    void Register(Job& job);

    // Sets the bit and calls that job with EV_START at once, even inside a
    // dispatch. A non-zero result is followed by a dispatch of EV_CONTINUE.
    // A bit without a registered job is refused (returns false, sets nothing):
    // an active bit that no job serves would swallow every event, Cancel too.
    bool StartJob(uint32_t bit);
    // Filters the code through EventMask and dispatches what is left.
    void PostJobEvent(uint32_t code);
    // Runs or queues one event; returns the last job result.
    int DispatchJobs(uint32_t code);

    bool IsActive(uint32_t bits) const { return (ActiveJobs & bits) != 0; }
    // Whether a job has been registered for `bit`.
    bool HasJob(uint32_t bit) const { return JobFor(bit) != nullptr; }
    // The bits that have a registered job.
    uint32_t RegisteredJobs() const;

    uint32_t ActiveJobs = 0;
    uint32_t EventMask;
    // Called when a start or an outermost dispatch ends with no job active, so a
    // front end can wait for the work's end without looking on a timer.
    std::function<void()> OnAllJobsEnded;
    int DispatchDepth = 0;

    static constexpr int kRingSize = 256;

private:
    int CallHighestActive(uint32_t code);
    void NotifyIfAllEnded();
    Job* JobFor(uint32_t bit) const;

    std::array<Job*, 32> jobs_{};
    std::array<uint32_t, kRingSize> EventRing{};
    uint32_t ringRead_ = 0;
    uint32_t ringWrite_ = 0;
};
