#include "sim/UniversalMachine.h"

#include <cstdio>

UniversalMachine::UniversalMachine() : UniversalMachine(SamplePrograms()) {}

UniversalMachine::UniversalMachine(std::vector<Program> programs)
    : CommandLineMachine(std::move(programs)) {}

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

void UniversalMachine::OnLine(const std::string& line) {
    SendToLine("\r\n");
    if (line.empty()) {
        SendToLine(prompt_);
        return;
    }
    TakeCommand(line, "?\r\n" + prompt_);
}
