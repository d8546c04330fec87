#include "sim/DynaPertMachine.h"

namespace {
constexpr uint8_t kEtx = 0x03;
constexpr uint8_t kCr = 0x0D;
}  // namespace

DynaPertMachine::Program DynaPertMachine::SampleProgram() {
    return {"N001 X1000 Y2000 T01", "N002 X1100 Y2000 T01", "N003 X1200 Y2150 T02", "M02"};
}

void DynaPertMachine::Ready() {
    mode_ = Mode::Idle;
    SendToLine("*");
}

void DynaPertMachine::OnLineByte(uint8_t byte) {
    received_.push_back(byte);
    ++activity_;
    if (!answering_) return;

    if (byte == kEtx) {
        if (mode_ == Mode::Loading) {
            ++aborts_;
            loading_.clear();
        }
        line_.clear();
        if (mode_ == Mode::Question && pendingQuestion_ == '~') {
            Ready();
        } else if (wakeQuestion_ != 0) {
            pendingQuestion_ = wakeQuestion_;
            wakeQuestion_ = 0;
            mode_ = Mode::Question;
            SendToLine(std::string(1, pendingQuestion_));
        } else {
            Ready();
        }
        return;
    }

    switch (mode_) {
        case Mode::Question:
            if (pendingQuestion_ == '?' && byte == 'N') Ready();
            return;
        case Mode::Menu:
            if (byte == 'P' || byte == 'T') SendProgram(static_cast<char>(byte));
            return;
        case Mode::Idle:
            if (byte == 'E') {
                OpenMenu();
                return;
            }
            if (byte == 'L') {
                mode_ = Mode::Loading;
                loading_.clear();
                line_.clear();
                SendToLine("L\r\n");
                uint64_t activity = activity_;
                After(kEndQuietMs, [this, activity] { CheckEnd(activity); });
            }
            return;
        case Mode::Loading:
            if (byte == kCr) {
                TakeLine();
            } else if (byte >= 0x20 && byte < 0x80) {
                line_ += static_cast<char>(byte);
            }
            // Every byte, a nudge included, starts the end-of-program wait
            // again: the program ends after a quiet spell whatever came last.
            if (byte != kCr) {
                uint64_t activity = activity_;
                After(kEndQuietMs, [this, activity] { CheckEnd(activity); });
            }
            return;
    }
}

void DynaPertMachine::TakeLine() {
    if (line_.empty()) return;
    std::string line = line_;
    line_.clear();
    loading_.push_back(line);
    int number = static_cast<int>(loading_.size());
    if (stopAfterLines_ >= 0 && number > stopAfterLines_) {
        answering_ = false;
        return;
    }
    std::string echo = line;
    if (number == wrongEchoLine_) echo.back() = echo.back() == '0' ? '1' : '0';
    SendToLine(echo + "\r\n");
    // The quiet spell starts when the echo has left: on a slow line the PC
    // cannot send the next line before it has seen the whole echo.
    uint64_t echoMs = (echo.size() + 2) * LineParameters().CharTimeUs(false) / 1000;
    uint64_t activity = activity_;
    After(kEndQuietMs + static_cast<uint32_t>(echoMs), [this, activity] { CheckEnd(activity); });
}

void DynaPertMachine::CheckEnd(uint64_t activity) {
    if (mode_ != Mode::Loading || activity != activity_ || !answering_) return;
    programs_.push_back(loading_);
    loading_.clear();
    Ready();
}

void DynaPertMachine::OpenMenu() {
    SendToLine("*E\r\n");
    if (programs_.empty() && !samples_) {
        After(kMenuDelayMs, [this] { SendToLine("NO PROGRAM"); });
        return;
    }
    mode_ = Mode::Menu;
    After(kMenuDelayMs, [this] { SendToLine(kMenuLine); });
}

void DynaPertMachine::SendProgram(char key) {
    const Program program = programs_.empty() ? SampleProgram() : programs_.back();
    std::string text(1, key);
    // The echo stands on a line of its own when no program line follows it.
    if (program.empty()) text += "\r\n";
    int sent = 0;
    for (const std::string& line : program) {
        if (outputStopAfterLines_ >= 0 && sent >= outputStopAfterLines_) {
            SendToLine(text);
            return;   // stays in the menu, silent
        }
        text += line + "\r\n";
        ++sent;
    }
    SendToLine(text + kMenuLine);
}
