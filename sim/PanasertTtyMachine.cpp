#include "sim/PanasertTtyMachine.h"

namespace {
constexpr uint8_t kEtx = 0x03;
constexpr uint8_t kCr = 0x0D;
// Longer command or tape lines than this are noise.
constexpr std::size_t kLineLimit = 512;
}  // namespace

void PanasertTtyMachine::OnLineByte(uint8_t byte) {
    received_.push_back(byte);
    if (reading_mode_) {
        if (byte == kEtx) {
            ++aborts_;
            reading_.clear();
            line_.clear();
            reading_mode_ = false;
        } else if (byte == kCr) {
            TakeLine();
        } else if (byte >= 0x20 && byte < 0x80 && line_.size() < kLineLimit) {
            line_ += static_cast<char>(byte);
        }
        return;
    }
    if (byte == kCr) {
        command_.clear();
        if (echoing_) SendToLine("\r\n");
        return;
    }
    if (byte < 0x20 || byte >= 0x80) return;
    if (echoing_) SendToLine(std::string(1, static_cast<char>(byte)));
    if (command_.size() < kLineLimit) command_ += static_cast<char>(byte);
    if (command_ == "RA,") {
        command_.clear();
        After(kPunchDelayMs, [this] { Punch(); });
        return;
    }
    if (command_ == "RF,") {
        command_.clear();
        reading_mode_ = true;
        reading_.clear();
        line_.clear();
    }
}

PanasertTtyMachine::Program PanasertTtyMachine::SampleProgram() {
    return {"N001 X1000 Y2000", "N002 X1100 Y2000", "N003 X1200 Y2150", "*"};
}

void PanasertTtyMachine::Punch() {
    std::string text = "\r\n";
    for (const std::string& line : programs_.empty() ? SampleProgram() : programs_.back()) text += line + "\r\n";
    SendToLine(text);
}

void PanasertTtyMachine::TakeLine() {
    if (line_.empty()) return;
    if (stopAfterLines_ >= 0 && static_cast<int>(reading_.size()) >= stopAfterLines_) {
        line_.clear();
        return;
    }
    reading_.push_back(line_);
    bool end = line_.find('*') != std::string::npos;
    line_.clear();
    if (end) {
        programs_.push_back(reading_);
        reading_.clear();
        reading_mode_ = false;
    }
}
