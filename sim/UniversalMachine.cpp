#include "sim/UniversalMachine.h"

#include <cctype>
#include <cstdio>

namespace {
constexpr uint8_t kEtx = 0x03;
constexpr uint8_t kBackspace = 0x08;
constexpr uint8_t kCr = 0x0D;
constexpr uint8_t kDel = 0x7F;
}  // namespace

UniversalMachine::UniversalMachine() : UniversalMachine(SamplePrograms()) {}

UniversalMachine::UniversalMachine(std::vector<Program> programs) : programs_(std::move(programs)) {}

std::vector<UniversalMachine::Program> UniversalMachine::SamplePrograms() {
    return {{"PCB-MAIN-A1.NCD", 1250}, {"PCB-POWER.NCD", 342}, {"TEST_JIG", 17}};
}

void UniversalMachine::ShowPrompt() { SendToLine("\r\n" + prompt_); }

std::string UniversalMachine::NamesListing() const {
    if (programs_.empty()) return "NO PROGRAM\r\n";
    std::string text;
    int number = 1;
    for (const Program& program : programs_) {
        char head[32];
        std::snprintf(head, sizeof head, "%04d>  +%05d  ", number++, program.steps % 100000);
        text += head + program.name + "\r\n";
    }
    return text;
}

bool UniversalMachine::RunCommand(const std::string& command) {
    if (command == "NAMES") {
        SendToLine(NamesListing() + prompt_);
        return true;
    }
    return false;
}

void UniversalMachine::OnLineByte(uint8_t byte) {
    if (!answering_) return;
    if (byte == kEtx) {
        typed_.clear();
        ShowPrompt();
        return;
    }
    if (byte == kCr) {
        std::string command = typed_;
        typed_.clear();
        SendToLine("\r\n");
        while (!command.empty() && command.back() == ' ') command.pop_back();
        while (!command.empty() && command.front() == ' ') command.erase(0, 1);
        if (command.empty()) {
            SendToLine(prompt_);
            return;
        }
        commands_.push_back(command);
        if (!RunCommand(command)) SendToLine("?\r\n" + prompt_);
        return;
    }
    if (byte == kDel || byte == kBackspace) {
        if (!typed_.empty()) {
            typed_.pop_back();
            SendToLine(std::vector<uint8_t>{kBackspace});
        }
        return;
    }
    if (byte < 0x20 || byte > 0x7E) return;
    char c = static_cast<char>(std::toupper(byte));
    typed_.push_back(c);
    SendToLine(std::string(1, c));
}
