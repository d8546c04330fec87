#include "sim/TdkVc5Machine.h"

#include <cctype>
#include <cstdio>

namespace {
constexpr uint8_t kEtx = 0x03;
constexpr uint8_t kBackspace = 0x08;
constexpr uint8_t kCr = 0x0D;
constexpr uint8_t kDel = 0x7F;

std::string Trimmed(const std::string& text) {
    std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) return {};
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}
}  // namespace

TdkVc5Machine::TdkVc5Machine() : TdkVc5Machine(SamplePrograms()) {}

TdkVc5Machine::TdkVc5Machine(std::vector<Program> programs) : programs_(std::move(programs)) {}

std::vector<TdkVc5Machine::Program> TdkVc5Machine::SamplePrograms() {
    return {{"VC5-BOARD1", 820, "24/01/15"}, {"VC5-BOARD2", 77, "24/02/03"}};
}

void TdkVc5Machine::ShowPrompt() {
    mode_ = Mode::Prompt;
    SendToLine("\r\n.");
}

std::string TdkVc5Machine::ProgramListing() const {
    if (programs_.empty()) return "NO PROGRAM\r\n";
    std::string text;
    for (const Program& program : programs_) {
        char line[128];
        std::snprintf(line, sizeof line, "*P-NAME = %-10s STEP =%6d DATE: %s\r\n", program.name.c_str(),
                      program.steps, program.date.c_str());
        text += line;
    }
    return text;
}

bool TdkVc5Machine::RunCommand(const std::string& command) {
    if (command == "LO") {
        SendToLine("\r\n" + ProgramListing() + ".");
        return true;
    }
    if (command == "EX" || command.empty()) {
        ShowPrompt();
        return true;
    }
    return false;
}

void TdkVc5Machine::TakeLine() {
    std::string command = Trimmed(typed_);
    typed_.clear();
    switch (mode_) {
        case Mode::Prompt:
            if (!command.empty()) commands_.push_back(command);
            if (!RunCommand(command)) SendToLine("\r\n?\r\n.");
            break;
        case Mode::Running: SendToLine("\r\n$"); break;
        case Mode::Input:
            if (command == "EX") {
                ShowPrompt();
            } else {
                SendToLine("\r\n*");
            }
            break;
        case Mode::Deaf:
            if (command == "EX") ShowPrompt();
            break;
    }
}

void TdkVc5Machine::OnLineByte(uint8_t byte) {
    if (!answering_) return;
    switch (byte) {
        case kCr: TakeLine(); return;
        case kEtx:
            typed_.clear();
            if (mode_ == Mode::Prompt || mode_ == Mode::Running) ShowPrompt();
            return;
        case kDel:
        case kBackspace:
            if (!typed_.empty()) {
                typed_.pop_back();
                if (mode_ == Mode::Prompt) SendToLine(std::vector<uint8_t>{kBackspace});
            }
            return;
        default: break;
    }
    if (byte < 0x20 || byte > 0x7E) return;
    char c = static_cast<char>(std::toupper(byte));
    typed_.push_back(c);
    if (mode_ == Mode::Prompt || mode_ == Mode::Input) SendToLine(std::string(1, c));
}
