#include "sim/TdkVc5aMachine.h"

#include "sim/SimScheduler.h"

namespace {
constexpr uint8_t kEtx = 0x03;
constexpr uint8_t kCr = 0x0D;
// Longer lines than this are noise.
constexpr std::size_t kLineLimit = 512;
}  // namespace

void TdkVc5aMachine::OnAttached() { SetStartIntervalMs(startIntervalMs_); }

void TdkVc5aMachine::OnLinkChanged(bool up) {
    linkUp_ = up;
    linkUpMs_ = Scheduler().Now();
}

void TdkVc5aMachine::SetStartIntervalMs(uint32_t ms) {
    startIntervalMs_ = ms;
    uint64_t round = ++startRound_;
    if (ms > 0 && IsAttached()) After(ms, [this, round] { PressStart(round); });
}

void TdkVc5aMachine::PressStart(uint64_t round) {
    if (round != startRound_) return;
    // Pressed only while the machine waits for a program.
    if (answering_ && reading_.empty() && linkUp_ && Scheduler().Now() - linkUpMs_ >= kFirstStartMs) {
        ++starts_;
        SetBusyLine(true);
        After(kStartPulseMs, [this] { SetBusyLine(false); });
    }
    After(startIntervalMs_, [this, round] { PressStart(round); });
}

void TdkVc5aMachine::OnLineByte(uint8_t byte) {
    received_.push_back(byte);
    if (!answering_) return;
    if (byte == kEtx) {
        if (!reading_.empty() || !line_.empty()) ++aborts_;
        reading_.clear();
        line_.clear();
    } else if (byte == kCr) {
        TakeLine();
    } else if (byte >= 0x20 && byte < 0x80 && line_.size() < kLineLimit) {
        line_ += static_cast<char>(byte);
    }
}

void TdkVc5aMachine::TakeLine() {
    if (line_.empty()) return;
    reading_.push_back(line_);
    bool end = line_.find("EX") != std::string::npos;
    line_.clear();
    if (end) {
        programs_.push_back(reading_);
        reading_.clear();
    }
}

TdkVc5aMachine::Program TdkVc5aMachine::SampleProgram() {
    return {"VC5A-SAMPLE", "N1 X100 Y200 P1 M0", "N2 X150 Y200", "N3 X200 Y250", "EX"};
}

void TdkVc5aMachine::OnOperatorStart() {
    if (!answering_) return;
    ++outputs_;
    std::string text;
    for (const std::string& line : programs_.empty() ? SampleProgram() : programs_.back()) text += line + "\r\n";
    SendToLine(text);
}
