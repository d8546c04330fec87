#include "sim/TdkVc5Machine.h"

#include <cstdio>

TdkVc5Machine::TdkVc5Machine() : TdkVc5Machine(SamplePrograms()) {}

TdkVc5Machine::TdkVc5Machine(std::vector<Program> programs) : CommandLineMachine(std::move(programs)) {}

std::vector<TdkVc5Machine::Program> TdkVc5Machine::SamplePrograms() {
    return {{"VC5-BOARD1", 820, "24/01/15", {}}, {"VC5-BOARD2", 77, "24/02/03", {}}};
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
    if (!garbledWord_.empty() && command.rfind(garbledWord_, 0) == 0) {
        garbledWord_.clear();
        SendToLine("#");
    }
    if (command.rfind("RE ", 0) == 0 && command.size() > 3) {
        StartReceiving(command.substr(3));
        return true;
    }
    if (command.rfind("WR ", 0) == 0 && command.size() > 3) {
        SendProgram(command.substr(3));
        return true;
    }
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

void TdkVc5Machine::OnLine(const std::string& line) {
    switch (mode_) {
        case Mode::Prompt: TakeCommand(line, "\r\n?\r\n."); break;
        case Mode::Running: SendToLine("\r\n$"); break;
        case Mode::Input:
            if (line == "EX") {
                ShowPrompt();
            } else {
                SendToLine("\r\n*");
            }
            break;
        case Mode::Deaf:
            if (line == "EX") ShowPrompt();
            break;
        case Mode::Receiving: ReceiveLine(line); break;
    }
}

void TdkVc5Machine::OnEtx() {
    if (mode_ == Mode::Receiving) {
        ++aborts_;
        receiving_ = Program{};
    }
    if (mode_ == Mode::Prompt || mode_ == Mode::Running || mode_ == Mode::Receiving) ShowPrompt();
}

void TdkVc5Machine::StartReceiving(const std::string& name) {
    mode_ = Mode::Receiving;
    receiving_ = Program{};
    receiving_.name = name;
}

void TdkVc5Machine::ReceiveLine(const std::string& line) {
    if (line.empty()) return;
    receiving_.lines.push_back(line);
    if (line[0] == 'N') ++receiving_.steps;
    if (line.find("EX") == std::string::npos) return;
    Keep(std::move(receiving_));
    receiving_ = Program{};
    ShowPrompt();
}

void TdkVc5Machine::SendProgram(const std::string& name) {
    const Program* program = Find(name);
    if (program == nullptr) {
        SendToLine("\r\n?\r\n.");
        return;
    }
    std::vector<std::string> lines = program->lines;
    if (lines.empty()) {
        for (int step = 1; step <= program->steps; ++step) {
            char line[48];
            std::snprintf(line, sizeof line, "N%04d X%05d Y%05d", step, 1000 + step * 10, 2000 + step * 5);
            lines.push_back(line);
        }
    }
    if (lines.empty() || lines.back().find("EX") == std::string::npos) lines.push_back("EX");
    std::string text = "\r\n";
    for (const std::string& line : lines) text += line + "\r\n";
    SendToLine(text + ".");
}
