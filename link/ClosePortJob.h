#pragma once
// Lets go of the PC port: hangs up a connected sub module first, closes the
// port and, when the window is closing, ends the program.

#include <cstdint>

#include "engine/Job.h"

class ClosePortJob : public Job {
public:
    explicit ClosePortJob(Terminal& terminal);
    int Run(uint32_t event) override;
};
