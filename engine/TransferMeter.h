#pragma once
// The live figures of a running transfer, beside its bars and time label:
// bytes and lines done of the file and of the whole selection, the
// characters per second on the line over the last few seconds, retries and
// nudges, and the time left at the recent pace. The terminal feeds it from
// the transfer progress, the file being sent and its byte and line counters,
// so every job that moves the bars feeds it too.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

struct TransferFigures {
    int64_t FileDone = 0;
    int64_t FileBytes = 0;
    int64_t FileLinesDone = 0;
    int64_t FileLines = 0;          // 0 when not known (a file being received)
    int64_t TotalDone = 0;
    int64_t TotalBytes = 0;
    int64_t TotalLinesDone = 0;
    double CharsPerSecond = -1;     // on the line; -1 until there is a pace to show
    int Retries = 0;
    int Nudges = 0;
    int64_t SecondsLeft = -1;       // -1 when not known
    uint64_t ElapsedMs = 0;
    bool Upload = false;

    // One line for a label or a console: the size and lines words come from
    // the text table, the rest are numbers and signs.
    std::string Text(const std::string& sizeWord, const std::string& linesWord) const;
    // The same in its groups: the file, the selection, the pace, retries and
    // nudges, the time left.
    std::vector<std::string> Parts(const std::string& sizeWord, const std::string& linesWord) const;
};

// What the terminal knows at one moment of a transfer.
struct TransferSample {
    uint64_t NowMs = 0;
    uint64_t StartMs = 0;
    uint64_t LineBytes = 0;         // bytes on the line so far in the transfer's direction
    uint64_t ReceivedLines = 0;     // lines the receive path completed so far
    bool Upload = false;
    // The file being sent (null while receiving) and how far it has been read.
    const uint8_t* Buffer = nullptr;
    uint32_t Size = 0;
    uint32_t Offset = 0;
    std::string_view FileName;
    int64_t FileDone = 0;
    int64_t FileBytes = 0;
    int64_t TotalDone = 0;
    int64_t TotalBytes = 0;
    int Retries = 0;
    int Nudges = 0;
};

class TransferMeter {
public:
    // The pace is averaged over this much of the recent past.
    static constexpr uint64_t kWindowMs = 5000;

    // A new transfer starts with these counters.
    void Begin(const TransferSample& sample);
    void Sample(const TransferSample& sample);
    const TransferFigures& Figures() const { return figures_; }

private:
    struct Mark {
        uint64_t Ms;
        uint64_t LineBytes;
        int64_t TotalDone;
    };
    void CountFileLines(const TransferSample& sample);

    TransferFigures figures_;
    std::deque<Mark> marks_;
    uint64_t startLineBytes_ = 0;
    uint64_t startReceivedLines_ = 0;
    // The file whose lines are being counted, and the lines of earlier files.
    const uint8_t* buffer_ = nullptr;
    uint32_t size_ = 0;
    std::string fileName_;
    uint32_t countedTo_ = 0;
    bool inLine_ = false;
    int64_t linesBefore_ = 0;
    uint64_t fileStartReceivedLines_ = 0;
};
