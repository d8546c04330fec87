#pragma once
// Download to a DYNA/PERT machine. ETX wakes the machine, which answers with
// its ready mark "*" ('~' asks for another ETX, '?' for an "N"). "L" starts
// loading; the machine echoes it and every line that follows, and each echo
// must match the line sent before the next one goes. After the last line the
// machine shows "*" again.

#include <cstddef>
#include <cstdint>

#include "download/DownloadJob.h"

class DynaPertDownloadJob : public DownloadJob {
public:
    DynaPertDownloadJob(Terminal& terminal, DownloadDispatcher& dispatcher);
    int Run(uint32_t event) override;

    static constexpr uint32_t kReplyWaitMs = 10000;
    static constexpr uint32_t kEchoWaitMs = 500;
    // Quiet time after the ready mark before loading starts.
    static constexpr uint32_t kSettleMs = 500;
    // Echo waits of 500 ms, each followed by a 0x00 nudge, before giving up.
    static constexpr int kMaxEchoWaits = 20;

private:
    // The longest a line and its echo may take on the slowest machine line.
    static constexpr double kMaxLineMs = 600000.0;
    // The wait for a line's echo before the first nudge: kEchoWaitMs once the
    // `sent` characters and their echo have had their time on the machine's line.
    uint32_t FirstEchoWaitMs(std::size_t sent) const;
    // State 50 once a complete line has arrived.
    int CheckEcho();
};
