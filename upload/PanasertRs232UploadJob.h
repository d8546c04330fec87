#pragma once
// Upload from a PANASERT/RS232 machine in checksummed frames: an abort frame
// "A2" clears the machine, "C1" asks for a program by name (empty: the one
// the machine holds), and the machine sends one "D0" frame per line, each
// acknowledged with "A0", then "A2". "A3" says the machine has no such
// program. A damaged frame is asked for again with "A1" and its error code;
// the sixth in a row aborts.

#include <cstdint>
#include <string>

#include "upload/UploadJob.h"

class PanasertRs232UploadJob : public UploadJob {
public:
    PanasertRs232UploadJob(Terminal& terminal, UploadDispatcher& dispatcher);
    int Run(uint32_t event) override;

    static constexpr int kMaxFailures = 6;

private:
    static constexpr int kPromptOpen = 1;

    uint8_t EndByte() const;
    void SendFrame(const std::string& command, const std::string& data = {});
    int Begin();
    // State 30 once a complete frame has arrived.
    int CheckFrame();
};
