#pragma once
// Lets go of the PC port: hangs up a connected sub module first, closes the
// port and, when the window is closing, ends the program. A dial, set-up or
// hang-up already under way is let finish first: the decision to hang up is
// taken from the link as it is then, so a dial that answers late is still hung
// up and a running disconnect is not started over.

#include <cstdint>

#include "engine/Job.h"

class ClosePortJob : public Job {
public:
    explicit ClosePortJob(Terminal& terminal);
    int Run(uint32_t event) override;

private:
    static constexpr int kAwaitLinkJobs = 5;
};
