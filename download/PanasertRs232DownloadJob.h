#pragma once
// Download to a PANASERT/RS232 machine in checksummed frames: an abort frame
// "A2" clears the machine, "C0" carries the program name, one "D0" frame per
// line follows, each acknowledged with "A0"; a line holding '*' ends the
// program ("*" is added when the file has none) and a final "A2" closes it.
// The machine asks for a frame again with "A1"; a damaged answer is asked for
// again with "A1" and its error code. Five failures in a row abort.

#include <cstdint>
#include <string>

#include "download/DownloadJob.h"

class PanasertRs232DownloadJob : public DownloadJob {
public:
    PanasertRs232DownloadJob(Terminal& terminal, DownloadDispatcher& dispatcher);
    int Run(uint32_t event) override;

    static constexpr uint32_t kSettleMs = 500;
    static constexpr uint32_t kReplyWaitMs = 10000;
    static constexpr int kMaxFailures = 5;

private:
    static constexpr int kPromptOpen = 1;

    uint8_t EndByte() const;
    // Sends a frame that carries the transfer ("C0", "D0"); kept for a repeat.
    bool SendDataFrame(const std::string& command, const std::string& data);
    // Sends a control frame ("A1", "A2").
    bool SendControlFrame(const std::string& command, const std::string& data = {});
    // State 50 once a complete frame has arrived.
    int CheckAnswer();

    std::string lastFrame_;
};
