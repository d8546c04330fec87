#pragma once
// A simulated DYNA/PERT machine.
//
//   ETX (0x03)   stops whatever runs (a program being loaded is dropped) and
//                shows the ready mark "*" (no line end)
//   "L"          at the ready mark: starts loading, echoed as "L" CR LF
//   loading      every line that ends in CR is stored and echoed with CR LF;
//                NUL and LF are ignored. When the line has been quiet for
//                kEndQuietMs after an echo has gone out, the program is complete: it is
//                kept and the ready mark shown again.
//   "E"          at the ready mark: opens the output menu, answered "*E" CR LF,
//                then the menu line (no line end, ends in "E*"); with no
//                program to give, "NO PROGRAM" and the machine is idle again
//   'P' or 'T'   at the menu: echoed, then the program that was loaded last
//                (a sample before any), every line ending in CR LF, then the
//                menu line again (an empty program: the echo, CR LF, the menu)
//
// Knobs for tests: a question before the ready mark ('~' wants another ETX,
// '?' wants an "N"), a wrong echo of one line, and a machine that stops
// answering after some lines.

#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimulatedMachine.h"

class DynaPertMachine : public SimulatedMachine {
public:
    using Program = std::vector<std::string>;

    static constexpr uint32_t kEndQuietMs = 1500;
    // The pause before the menu line, as the machine's screen changes.
    static constexpr uint32_t kMenuDelayMs = 100;
    static constexpr const char* kMenuLine = "VCD-1 E*";

    // What the machine gives before any program was loaded.
    static Program SampleProgram();

    std::string TypeName() const override { return "DYNA/PERT"; }
    void OnLineByte(uint8_t byte) override;

    // The programs loaded completely, oldest first.
    const std::vector<Program>& Programs() const { return programs_; }
    // The lines of the program being loaded.
    const Program& Loading() const { return loading_; }
    bool IsLoading() const { return mode_ == Mode::Loading; }
    // Loads that an ETX broke off.
    int Aborts() const { return aborts_; }
    // Every byte that reached the machine.
    const std::vector<uint8_t>& Received() const { return received_; }

    // The next ETX is answered with `question` ('~' or '?') instead of the ready mark.
    void SetWakeQuestion(char question) { wakeQuestion_ = question; }
    // The echo of program line `line` (1 = the first after "L") comes back altered.
    void SetWrongEchoAtLine(int line) { wrongEchoLine_ = line; }
    // After `lines` program lines the machine answers nothing more; -1: never.
    void SetStopAfterLines(int lines) { stopAfterLines_ = lines; }
    void SetAnswering(bool answering) { answering_ = answering; }
    // The program that the menu gives next (as if loaded last).
    void AddProgram(Program program) { programs_.push_back(std::move(program)); }
    // No program to give: "E" is answered "NO PROGRAM".
    void ClearPrograms() {
        programs_.clear();
        samples_ = false;
    }
    // The menu's output stops after `lines` program lines; -1: never.
    void SetOutputStopAfterLines(int lines) { outputStopAfterLines_ = lines; }

private:
    enum class Mode { Idle, Question, Loading, Menu };

    void Ready();
    void TakeLine();
    void CheckEnd(uint64_t activity);
    void OpenMenu();
    void SendProgram(char key);

    Mode mode_ = Mode::Idle;
    char wakeQuestion_ = 0;
    char pendingQuestion_ = 0;
    int wrongEchoLine_ = -1;
    int stopAfterLines_ = -1;
    int outputStopAfterLines_ = -1;
    bool samples_ = true;
    bool answering_ = true;

    std::string line_;
    Program loading_;
    std::vector<Program> programs_;
    int aborts_ = 0;
    uint64_t activity_ = 0;
    std::vector<uint8_t> received_;
};
