#pragma once
// Upload from a TDK/VC5A machine: the sub module's command dialogue is closed
// (0x81) and the operator starts the output at the machine. Every line is the
// program, up to and including the line holding "EX"; the wait for the first
// line has no time-out.

#include <cstdint>

#include "upload/UploadJob.h"

class TdkVc5aUploadJob : public UploadJob {
public:
    TdkVc5aUploadJob(Terminal& terminal, UploadDispatcher& dispatcher);
    int Run(uint32_t event) override;

private:
    // Takes the lines received since the last call; true once "EX" was taken.
    bool TakeReceived();
};
