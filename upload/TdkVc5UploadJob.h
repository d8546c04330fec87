#pragma once
// Upload from a TDK/VC5 machine by program name. The machine is brought to
// its prompt "." (ETX, or "EX" when it waits for input at "*"); "WR name"
// makes it echo the command and list the program, ending with the line "EX".
// A line beginning with '?' instead of the program means it has no such
// program.

#include <cstdint>

#include "upload/UploadJob.h"

class TdkVc5UploadJob : public UploadJob {
public:
    TdkVc5UploadJob(Terminal& terminal, UploadDispatcher& dispatcher);
    int Run(uint32_t event) override;

private:
    // States 40 to 60 on the lines received since the last call: the echo,
    // the first line, then the rest. Returns what Run returns.
    int TakeReceived(uint32_t event);
};
