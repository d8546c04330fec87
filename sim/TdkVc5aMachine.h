#pragma once
// A simulated TDK/VC5A machine. It has no command line: its operator starts
// the tape input at the machine, which the machine shows on its busy line.
//
// Receiving a program (the PC sends):
//   start      while no program is coming in, the operator presses start
//              every StartIntervalMs(), the first time kFirstStartMs after
//              the radio link came up (the operator walks over to the
//              machine): the busy line goes on, and off again kStartPulseMs
//              later (each change is a start signal the sub module can
//              report)
//   lines      NUL and LF are ignored; CR ends a line; empty lines are
//              dropped; every line is kept as it came
//   end        the line that contains "EX" ends the program, which is
//              stored; ETX drops the program being read
//
// Knobs for tests: a machine whose operator never presses start (its busy
// line never changes), a start interval of any length, and a machine that
// stops taking lines.
//
// Sending a program: when the operator starts the output, the program read
// last (a sample before any), every line with CR LF, "EX" line included.

#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimulatedMachine.h"

class TdkVc5aMachine : public SimulatedMachine {
public:
    using Program = std::vector<std::string>;

    static constexpr uint32_t kDefaultStartIntervalMs = 3000;
    static constexpr uint32_t kStartPulseMs = 200;
    static constexpr uint32_t kFirstStartMs = 12000;

    std::string TypeName() const override { return "TDK/VC5A"; }
    void OnLineByte(uint8_t byte) override;
    void OnAttached() override;
    void OnLinkChanged(bool up) override;

    const std::vector<Program>& Programs() const { return programs_; }
    const Program& Reading() const { return reading_; }
    int Aborts() const { return aborts_; }
    // Start signals given so far.
    int Starts() const { return starts_; }
    const std::vector<uint8_t>& Received() const { return received_; }

    // 0: the operator never presses start.
    void SetStartIntervalMs(uint32_t ms);
    uint32_t StartIntervalMs() const { return startIntervalMs_; }
    void SetAnswering(bool answering) { answering_ = answering; }

    static Program SampleProgram();
    // Stores a program as if it had been read.
    void AddProgram(Program program) { programs_.push_back(std::move(program)); }
    int Outputs() const { return outputs_; }

protected:
    void OnOperatorStart() override;

private:
    void PressStart(uint64_t round);
    void TakeLine();

    uint32_t startIntervalMs_ = kDefaultStartIntervalMs;
    uint64_t startRound_ = 0;
    bool answering_ = true;
    bool linkUp_ = false;
    uint64_t linkUpMs_ = 0;

    std::string line_;
    Program reading_;
    std::vector<Program> programs_;
    int aborts_ = 0;
    int starts_ = 0;
    int outputs_ = 0;
    std::vector<uint8_t> received_;
};
