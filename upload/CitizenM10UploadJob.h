#pragma once
// Upload from a CITIZEN/M10 machine: the sub module's command dialogue is
// closed (0x81) and the operator starts the punch output at the machine,
// which begins with DC2 and ends with DC4 or '%'. Every line in between is the
// program; the wait for the start has no time-out.

#include <cstdint>

#include "engine/ReceivedLine.h"
#include "upload/UploadJob.h"

class CitizenM10UploadJob : public UploadJob {
public:
    CitizenM10UploadJob(Terminal& terminal, UploadDispatcher& dispatcher);
    int Run(uint32_t event) override;

private:
    // Walks the lines and marks received since the last call: before the
    // start code they are dropped, after it taken. True once the end arrived.
    bool TakeReceived();

    bool started_ = false;
};
