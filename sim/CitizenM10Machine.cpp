#include "sim/CitizenM10Machine.h"

#include "sim/SimScheduler.h"

namespace {
constexpr uint8_t kEtx = 0x03;
constexpr uint8_t kDc1 = 0x11;
constexpr uint8_t kDc2 = 0x12;
constexpr uint8_t kDc3 = 0x13;
constexpr uint8_t kDc4 = 0x14;
// A tape longer than this is noise; the reader drops it.
constexpr std::size_t kProgramLimit = 4u << 20;
}  // namespace

void CitizenM10Machine::OnAttached() { Ask(askRound_); }

void CitizenM10Machine::SetAsking(bool asking) {
    asking_ = asking;
    ++askRound_;
    if (asking_ && IsAttached()) Ask(askRound_);
}

void CitizenM10Machine::Ask(uint64_t round) {
    if (round != askRound_ || !asking_) return;
    if (!started_ && answering_) SendToLine(std::vector<uint8_t>{kDc1});
    After(kAskIntervalMs, [this, round] { Ask(round); });
}

void CitizenM10Machine::OnLineByte(uint8_t byte) {
    received_.push_back(byte);
    if (!answering_) return;
    TakeReceivedByte(byte);
}

void CitizenM10Machine::TakeReceivedByte(uint8_t byte) {
    if (byte == kEtx) {
        if (started_) ++aborts_;
        reading_.clear();
        started_ = false;
        return;
    }
    if (!started_) {
        // The leader: blanks and line ends before the program's first text.
        if (byte <= 0x20 || byte >= 0x7F) return;
        started_ = true;
        sincePause_ = 0;
        reading_.assign(1, static_cast<char>(byte));
    } else {
        TakeProgramByte(byte);
    }
    lastByteMs_ = Scheduler().Now();
    if (!quietCheckPending_) {
        quietCheckPending_ = true;
        After(kQuietEndMs, [this] { CheckQuiet(); });
    }
}

void CitizenM10Machine::Keep() {
    programs_.push_back(reading_);
    reading_.clear();
    started_ = false;   // asks for the next tape
}

void CitizenM10Machine::CheckQuiet() {
    quietCheckPending_ = false;
    if (!started_) return;
    // A reader that holds the tape with DC3 waits for it.
    uint64_t quietMs = paused_ ? 0 : Scheduler().Now() - lastByteMs_;
    if (quietMs < kQuietEndMs) {
        quietCheckPending_ = true;
        After(static_cast<uint32_t>(kQuietEndMs - quietMs), [this] { CheckQuiet(); });
        return;
    }
    std::size_t end = reading_.find_last_not_of(std::string("\r\n\0 ", 4));
    if (end != std::string::npos && reading_[end] == '%') {
        reading_.resize(end + 1);
        Keep();
        return;
    }
    ++aborts_;
    reading_.clear();
    started_ = false;
}

void CitizenM10Machine::TakeProgramByte(uint8_t byte) {
    reading_ += static_cast<char>(byte);
    if (byte == '%') {
        Keep();
        return;
    }
    if (reading_.size() > kProgramLimit) {
        ++aborts_;
        reading_.clear();
        started_ = false;
        return;
    }
    if (pauseEvery_ > 0 && !paused_ && ++sincePause_ >= pauseEvery_) {
        sincePause_ = 0;
        paused_ = true;
        ++pauses_;
        SendToLine(std::vector<uint8_t>{kDc3});
        uint64_t pause = ++pauseRound_;
        if (pauseMs_ >= 0) After(static_cast<uint32_t>(pauseMs_), [this, pause] { Resume(pause); });
    }
}

void CitizenM10Machine::Resume(uint64_t pause) {
    if (pause != pauseRound_ || !paused_) return;
    paused_ = false;
    lastByteMs_ = Scheduler().Now();
    SendToLine(std::vector<uint8_t>{kDc1});
}

std::vector<std::string> CitizenM10Machine::Lines(const std::string& program) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : program) {
        auto byte = static_cast<uint8_t>(c);
        if (byte == '\r' || byte == '\n' || byte == 0) {
            if (!line.empty()) lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::string CitizenM10Machine::SampleProgram() {
    return "%\r\nN001 G01 X1000 Y2000\r\nN002 X1100 Y2000\r\nN003 X1200 Y2150\r\nM30\r\n%";
}

void CitizenM10Machine::OnOperatorStart() {
    if (!answering_) return;
    ++punches_;
    std::string bytes = punchBytes_;
    punchBytes_.clear();
    if (bytes.empty()) {
        bytes = std::string(1, static_cast<char>(kDc2)) + (programs_.empty() ? SampleProgram() : programs_.back()) +
                static_cast<char>(kDc4);
    }
    SendToLine(bytes);
}
