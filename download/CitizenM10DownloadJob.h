#pragma once
// Download to a CITIZEN/M10 machine. Once the line has been quiet the job
// waits, without a time limit, for the machine to ask for the program with
// DC1; the machine then paces the transfer with DC3 (stop) and DC1 (go on),
// which the transmit pump obeys while this job runs. After a leader of blanks
// the file goes out unchanged in chunks of at most 256 bytes, each ending
// after a line's terminator; the chunk holding '%' ends the program (a chunk
// "%" is added when the file has none).
//
// A '%' on a line of its own before any program text opens the tape, as
// standard tapes begin; it does not end the program.

#include <cstdint>
#include <string>

#include "download/DownloadJob.h"

class CitizenM10DownloadJob : public DownloadJob {
public:
    CitizenM10DownloadJob(Terminal& terminal, DownloadDispatcher& dispatcher);
    int Run(uint32_t event) override;

    static constexpr uint32_t kQuietMs = 500;
    static constexpr uint32_t kReplyWaitMs = 10000;
    static constexpr std::size_t kChunkLimit = 256;
    static constexpr int kLeaderBlanks = 20;

private:
    // State 40 once the queue has drained and the machine lets data flow.
    int SendNextChunk();
    // The next chunk of the file from FileOffset, or "%" at its end.
    std::string TakeChunk();

    bool textSent_ = false;   // program text (more than a lone '%') has gone out
    bool endSent_ = false;    // the chunk with the program's end mark has gone out
};
