#pragma once
// A job that only waits: stands in for a real job where a test needs a bit to
// be startable without running that job's protocol.

#include "engine/Job.h"

class WaitingJob : public Job {
public:
    using Job::Job;
    int Run(uint32_t) override { return 0; }
};
