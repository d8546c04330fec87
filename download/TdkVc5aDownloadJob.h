#pragma once
// Download to a TDK/VC5A machine. The machine has no command line: once the
// line has been quiet the job has the sub module report the machine's busy
// line and opens the wait-for-start dialog; a change of the busy line (the
// operator started the machine's input) or "Start downloading" begins the
// transfer. After the sub-module options for the transfer and a leader of
// NULs, every line goes out with CR LF behind four NULs, paced by the drained
// transmit queue or the sub module's ready report. The line holding "EX" ends
// the program ("EX" is added when the file has none). A file without a
// program header line (N, X, Y, P and M in that order) is refused as empty
// once it has been sent.

#include <cstdint>
#include <string>

#include "download/DownloadJob.h"

class TdkVc5aDownloadJob : public DownloadJob {
public:
    TdkVc5aDownloadJob(Terminal& terminal, DownloadDispatcher& dispatcher);
    int Run(uint32_t event) override;

    // True for a line that marks a program's header: 'N', 'X', 'Y', 'P' and
    // 'M' appear with N at or before X, X at or before Y, and P and M both at
    // or after Y.
    static bool IsHeaderLine(const std::string& line);

    static constexpr uint32_t kQuietMs = 500;
    static constexpr uint32_t kReplyWaitMs = 10000;
    static constexpr int kLeaderNuls = 20;
    static constexpr int kLineNuls = 4;

private:
    // The pacing event of this transfer.
    uint32_t PacingEvent() const;
    // State 120: the next line, "EX" at the end of a file without one.
    int SendNextLine();
    // Queues `count` NULs and starts the pump; false when the queue refused them.
    bool SendNuls(int count);
    void CloseStartDialog();
    // The file had no header line: "Empty file." naming it.
    int RefuseHeaderless();

    bool headerSeen_ = false;
    bool dialogOpen_ = false;
};
