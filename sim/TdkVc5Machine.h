#pragma once
// A simulated TDK/VC5 machine. Its command prompt is "." at the start of a
// line; it can also sit in two other states the PC must lead it out of:
//
//   Prompt   typed characters are echoed; CR runs the line:
//              LO     lists the stored programs, then the prompt:
//                         *P-NAME = NAME       STEP =   nnn DATE: yy/mm/dd
//                     an empty directory answers "NO PROGRAM"
//              EX     the prompt again; an empty line too
//              other  "?" and the prompt
//   Running  ("$") CR answers "$"; ETX returns to the prompt
//   Input    ("*") CR answers "*"; the line "EX" returns to the prompt
//   Deaf     CR brings no answer at all; the line "EX" returns to the prompt
//
// The program store is open for the transfer commands that come with the
// download side.

#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimulatedMachine.h"

class TdkVc5Machine : public SimulatedMachine {
public:
    enum class Mode { Prompt, Running, Input, Deaf };

    struct Program {
        std::string name;
        int steps = 0;
        std::string date = "24/01/15";
    };

    TdkVc5Machine();
    explicit TdkVc5Machine(std::vector<Program> programs);

    std::string TypeName() const override { return "TDK/VC5"; }
    void OnLineByte(uint8_t byte) override;

    const std::vector<Program>& Programs() const { return programs_; }
    void SetPrograms(std::vector<Program> programs) { programs_ = std::move(programs); }
    Mode CurrentMode() const { return mode_; }
    void SetMode(Mode mode) { mode_ = mode; }
    void SetAnswering(bool answering) { answering_ = answering; }
    const std::vector<std::string>& Commands() const { return commands_; }

    // The listing "LO" prints (without the prompt after it).
    std::string ProgramListing() const;

    static std::vector<Program> SamplePrograms();

protected:
    virtual bool RunCommand(const std::string& command);
    void ShowPrompt();

    std::vector<Program> programs_;

private:
    void TakeLine();

    Mode mode_ = Mode::Prompt;
    std::string typed_;
    bool answering_ = true;
    std::vector<std::string> commands_;
};
