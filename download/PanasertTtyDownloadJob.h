#pragma once
// Download to a PANASERT/TTY machine, which reads a program like a tape: once
// the line has been quiet, a CR and the command "RF," (both echoed) start the
// reader; a leader of ten NULs and a CR follows, then every line with CR LF,
// paced by the drained transmit queue or, on sub modules that report it, by
// their ready report. A line holding '*' ends the program ("*" is added when
// the file has none).

#include <cstdint>

#include "download/DownloadJob.h"

class PanasertTtyDownloadJob : public DownloadJob {
public:
    PanasertTtyDownloadJob(Terminal& terminal, DownloadDispatcher& dispatcher);
    int Run(uint32_t event) override;

    static constexpr uint32_t kQuietMs = 500;
    static constexpr uint32_t kReplyWaitMs = 10000;
    static constexpr uint32_t kEchoWaitMs = 1000;
    static constexpr int kLeaderNuls = 10;
};
