#pragma once
// Download to a TDK/VC5 machine, whose command prompt is ".". The job first
// leads the machine to its prompt ("EX", or ETX when it runs a program and
// shows "$"), then opens the program with "RE name", whose echo must come back
// exactly and without a line end. The program's lines follow with CR, each
// behind five NULs, paced by the drained transmit queue; only lines that begin
// with 'N' are sent, and the line holding "EX" ends the program ("EX" is added
// when the file has none). The machine's prompt confirms the end.

#include <cstdint>

#include "download/DownloadJob.h"

class TdkVc5DownloadJob : public DownloadJob {
public:
    TdkVc5DownloadJob(Terminal& terminal, DownloadDispatcher& dispatcher);
    int Run(uint32_t event) override;

    static constexpr uint32_t kQuietMs = 500;
    static constexpr uint32_t kEchoWaitMs = 500;
    static constexpr uint32_t kReplyWaitMs = 10000;
    static constexpr int kLeaderNuls = 10;
    static constexpr int kLineNuls = 5;

private:
    // State 40 once the echo has had its time.
    int CheckCommandEcho();
    // State 50 with the queue drained: the next 'N' line, or "EX".
    int SendNextLine();
};
