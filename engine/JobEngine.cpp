#include "engine/JobEngine.h"

#include <bit>

#include "engine/Job.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"

JobEngine::JobEngine() : EventMask(kDefaultEventMask) {}

void JobEngine::Register(Job& job) {
    if (std::has_single_bit(job.Bit)) jobs_[std::countr_zero(job.Bit)] = &job;
}

uint32_t JobEngine::RegisteredJobs() const {
    uint32_t bits = 0;
    for (std::size_t i = 0; i < jobs_.size(); ++i) {
        if (jobs_[i] != nullptr) bits |= 1u << i;
    }
    return bits;
}

Job* JobEngine::JobFor(uint32_t bit) const {
    if (!std::has_single_bit(bit)) return nullptr;
    return jobs_[std::countr_zero(bit)];
}

bool JobEngine::StartJob(uint32_t bit) {
    Job* job = JobFor(bit);
    if (job == nullptr) return false;
    ActiveJobs |= bit;
    // A dispatch tells of the end itself (the outermost one, when this start is nested).
    if (job->Run(EV_START) != 0) {
        DispatchJobs(EV_CONTINUE);
    } else if (DispatchDepth == 0) {
        NotifyIfAllEnded();
    }
    return true;
}

void JobEngine::NotifyIfAllEnded() {
    if (ActiveJobs == 0 && OnAllJobsEnded) OnAllJobsEnded();
}

void JobEngine::PostJobEvent(uint32_t code) {
    uint32_t allowed = code & EventMask;
    if (allowed != 0) DispatchJobs(allowed);
}

int JobEngine::CallHighestActive(uint32_t code) {
    for (uint32_t bit : JobBit::kDispatchPriority) {
        if ((ActiveJobs & bit) == 0) continue;
        Job* job = JobFor(bit);
        return job != nullptr ? job->Run(code) : 0;
    }
    return 0;
}

int JobEngine::DispatchJobs(uint32_t code) {
    if (DispatchDepth != 0) {
        // A dispatch runs further up the stack: queue the event for it.
        if (DispatchDepth >= kRingSize) return 0;
        ++DispatchDepth;
        EventRing[ringWrite_] = code;
        ringWrite_ = (ringWrite_ + 1) % kRingSize;
        return 0;
    }
    DispatchDepth = 1;
    int result = 0;
    for (;;) {
        result = CallHighestActive(code);
        code = EV_CONTINUE;
        if (result != 0) continue;
        --DispatchDepth;
        if (DispatchDepth == 0) {
            NotifyIfAllEnded();
            return result;
        }
        code = EventRing[ringRead_];
        ringRead_ = (ringRead_ + 1) % kRingSize;
    }
}
