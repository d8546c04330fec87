#include "engine/TransferMeter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
// A byte that ends a line when files are read for sending: control bytes and
// everything above 0x7F.
bool IsSeparator(uint8_t byte) { return byte < 0x20 || byte >= 0x80; }

std::string MinutesSeconds(int64_t seconds) {
    char text[24];
    if (seconds >= 3600) {
        std::snprintf(text, sizeof text, "%d:%02d:%02d", static_cast<int>(seconds / 3600),
                      static_cast<int>((seconds / 60) % 60), static_cast<int>(seconds % 60));
    } else {
        std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(seconds / 60), static_cast<int>(seconds % 60));
    }
    return text;
}

// The pace is not shown before the transfer has run this long: the first
// burst into an empty line would read as a pace the line never keeps.
constexpr uint64_t kFirstPaceMs = 1000;
constexpr uint64_t kStallMs = 1000;
}  // namespace

std::vector<std::string> TransferFigures::Parts(const std::string& sizeWord, const std::string& linesWord) const {
    std::vector<std::string> parts;
    std::string file = sizeWord + " " + std::to_string(FileDone) + "/" + std::to_string(FileBytes) + "  " + linesWord +
                       " " + std::to_string(FileLinesDone);
    if (FileLines > 0) file += "/" + std::to_string(FileLines);
    parts.push_back(file);
    std::string total = "\u03A3 " + std::to_string(TotalDone);
    if (TotalBytes > 0) total += "/" + std::to_string(TotalBytes);
    parts.push_back(total + "  " + std::to_string(TotalLinesDone));
    char pace[32];
    if (CharsPerSecond >= 0) {
        std::snprintf(pace, sizeof pace, "%.0f cps", CharsPerSecond);
    } else {
        std::snprintf(pace, sizeof pace, "- cps");
    }
    parts.push_back(pace);
    parts.push_back("\u21BB" + std::to_string(Retries) + " \u21AF" + std::to_string(Nudges));
    parts.push_back("-" + (SecondsLeft >= 0 ? MinutesSeconds(SecondsLeft) : std::string("--:--")));
    return parts;
}

std::string TransferFigures::Text(const std::string& sizeWord, const std::string& linesWord) const {
    std::string text;
    for (const std::string& part : Parts(sizeWord, linesWord)) text += (text.empty() ? "" : "  |  ") + part;
    return text;
}

void TransferMeter::Begin(const TransferSample& sample) {
    figures_ = TransferFigures{};
    marks_.clear();
    startLineBytes_ = sample.LineBytes;
    startReceivedLines_ = sample.ReceivedLines;
    buffer_ = nullptr;
    size_ = 0;
    fileName_.clear();
    countedTo_ = 0;
    inLine_ = false;
    linesBefore_ = 0;
    fileStartReceivedLines_ = sample.ReceivedLines;
    Sample(sample);
}

void TransferMeter::CountFileLines(const TransferSample& s) {
    bool sameFile = s.Buffer == buffer_ && s.Size == size_ && s.FileName == fileName_ && s.Offset >= countedTo_;
    if (!sameFile) {
        linesBefore_ += figures_.FileLinesDone;
        figures_.FileLinesDone = 0;
        figures_.FileLines = 0;
        buffer_ = s.Buffer;
        size_ = s.Size;
        fileName_ = std::string(s.FileName);
        countedTo_ = 0;
        inLine_ = false;
        fileStartReceivedLines_ = s.ReceivedLines;
        if (buffer_ != nullptr) {
            bool in = false;
            for (uint32_t i = 0; i < size_; ++i) {
                bool text = !IsSeparator(buffer_[i]);
                if (text && !in) ++figures_.FileLines;
                in = text;
            }
        }
    }
    if (buffer_ == nullptr) {
        // Receiving: the lines are those the receive path completed.
        figures_.FileLinesDone = static_cast<int64_t>(s.ReceivedLines - fileStartReceivedLines_);
        return;
    }
    // A line counts as done once the reader has passed its first byte.
    uint32_t end = std::min(s.Offset, size_);
    for (; countedTo_ < end; ++countedTo_) {
        bool text = !IsSeparator(buffer_[countedTo_]);
        if (text && !inLine_) ++figures_.FileLinesDone;
        inLine_ = text;
    }
}

void TransferMeter::Sample(const TransferSample& s) {
    TransferFigures& f = figures_;
    CountFileLines(s);
    f.Upload = s.Upload;
    f.FileDone = std::max<int64_t>(0, s.FileDone);
    f.FileBytes = std::max<int64_t>(0, s.FileBytes);
    f.TotalDone = std::max<int64_t>(0, s.TotalDone);
    f.TotalBytes = std::max<int64_t>(0, s.TotalBytes);
    f.TotalLinesDone = linesBefore_ + f.FileLinesDone;
    f.Retries = s.Retries;
    f.Nudges = s.Nudges;
    f.ElapsedMs = s.NowMs >= s.StartMs ? s.NowMs - s.StartMs : 0;

    // Marks are taken where bytes moved: the pace between two of them counts
    // whole bursts over whole pauses, however the line groups its bytes.
    uint64_t lineBytes = s.LineBytes - startLineBytes_;
    if (marks_.empty() || marks_.back().LineBytes != lineBytes) {
        marks_.push_back({s.NowMs, lineBytes, f.TotalDone});
    } else {
        marks_.back().TotalDone = f.TotalDone;
    }
    // A line that stops moving shows a falling pace after a second.
    uint64_t end = std::max(marks_.back().Ms, s.NowMs > kStallMs ? s.NowMs - kStallMs : 0);
    // Keep one mark at or before the window's start as the base.
    while (marks_.size() > 2 && marks_[1].Ms + kWindowMs <= end) marks_.pop_front();

    const Mark& base = marks_.front();
    uint64_t span = end > base.Ms ? end - base.Ms : 0;
    if (span < kFirstPaceMs) {
        f.CharsPerSecond = -1;
        f.SecondsLeft = -1;
        return;
    }
    lineBytes = marks_.back().LineBytes;
    f.CharsPerSecond = static_cast<double>(lineBytes - base.LineBytes) * 1000.0 / static_cast<double>(span);
    double donePerSecond = static_cast<double>(f.TotalDone - base.TotalDone) * 1000.0 / static_cast<double>(span);
    if (f.TotalBytes > 0 && donePerSecond > 0) {
        f.SecondsLeft = static_cast<int64_t>(std::ceil(static_cast<double>(std::max<int64_t>(0, f.TotalBytes - f.TotalDone)) /
                                                       donePerSecond));
    } else {
        f.SecondsLeft = f.TotalBytes > 0 && f.TotalDone >= f.TotalBytes ? 0 : -1;
    }
}
