#include "sim/UniversalMachine.h"

#include <cstdio>

UniversalMachine::UniversalMachine() : UniversalMachine(SamplePrograms()) {}

UniversalMachine::UniversalMachine(std::vector<Program> programs)
    : CommandLineMachine(std::move(programs)) {}

std::vector<UniversalMachine::Program> UniversalMachine::SamplePrograms() {
    return {{"PCB-MAIN-A1.NCD", 1250, {}}, {"PCB-POWER.NCD", 342, {}}, {"TEST_JIG", 17, {}}};
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
    if (command.rfind("OU ", 0) == 0 && command.size() > 3) {
        SendProgram(command.substr(3));
        return true;
    }
    if (command.rfind("IN ", 0) == 0 && command.size() > 3) {
        StartInput(command.substr(3));
        return true;
    }
    return false;
}

void UniversalMachine::OnEtx() {
    if (input_) {
        ++aborts_;
        input_ = false;
        receiving_ = Program{};
    }
    ShowPrompt();
}

void UniversalMachine::StartInput(const std::string& name) {
    input_ = true;
    receiving_ = Program{};
    receiving_.name = name;
    ShowStepPrompt();
}

void UniversalMachine::ShowStepPrompt() {
    char prompt[16];
    std::snprintf(prompt, sizeof prompt, "%04d>  ", static_cast<int>(receiving_.lines.size() + 1) % 10000);
    SendToLine(prompt);
}

void UniversalMachine::InputLine(const std::string& line) {
    const int number = static_cast<int>(receiving_.lines.size()) + 1;
    std::string echo = line;
    if (number == wrongEchoLine_) echo += "#";
    SendToLine(echo + "\r\n");
    if (number == refuseLine_) {
        ++aborts_;
        input_ = false;
        receiving_ = Program{};
        SendToLine("?\r\n" + prompt_);
        return;
    }
    if (line.empty()) {
        ShowStepPrompt();
        return;
    }
    if (line != ".") receiving_.lines.push_back(line);
    if (line.back() != '.') {
        ShowStepPrompt();
        return;
    }
    input_ = false;
    receiving_.steps = static_cast<int>(receiving_.lines.size());
    Keep(std::move(receiving_));
    receiving_ = Program{};
    ShowPrompt();
}

void UniversalMachine::OnLine(const std::string& line) {
    if (input_) {
        InputLine(line);
        return;
    }
    SendToLine("\r\n");
    if (line.empty()) {
        SendToLine(prompt_);
        return;
    }
    TakeCommand(line, "?\r\n" + prompt_);
}

void UniversalMachine::SendProgram(const std::string& name) {
    const Program* program = Find(name);
    if (program == nullptr) {
        SendToLine("?\r\n" + prompt_);
        return;
    }
    std::vector<std::string> lines = program->lines;
    if (lines.empty()) {
        for (int step = 1; step <= program->steps; ++step) {
            char line[48];
            std::snprintf(line, sizeof line, "X%05d Y%05d", 1000 + step * 10, 2000 + step * 5);
            lines.push_back(line);
        }
    }
    std::string text;
    int number = 1;
    for (const std::string& line : lines) {
        char head[16];
        std::snprintf(head, sizeof head, "%04d>  ", number++ % 10000);
        text += head + line + "\r\n";
    }
    SendToLine(text + prompt_);
}
