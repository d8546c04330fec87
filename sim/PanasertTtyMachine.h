#pragma once
// A simulated PANASERT/TTY machine with a tape-reader style input.
//
//   command mode   every character is echoed (CR as CR LF); "RF," starts the
//                  reader
//   reader         NUL leader and LF are ignored; each line that ends in CR
//                  is stored; the line holding '*' ends the program, which
//                  is kept, and the machine returns to command mode. ETX
//                  drops the program being read.
//
// Knobs for tests: no echo at all, and a reader that stops after some lines.

#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimulatedMachine.h"

class PanasertTtyMachine : public SimulatedMachine {
public:
    using Program = std::vector<std::string>;

    static constexpr uint32_t kPunchDelayMs = 200;
    static Program SampleProgram();
    // Stores a program as if it had been read.
    void AddProgram(Program program) { programs_.push_back(std::move(program)); }

    std::string TypeName() const override { return "PANASERT/TTY"; }
    void OnLineByte(uint8_t byte) override;

    const std::vector<Program>& Programs() const { return programs_; }
    const Program& Reading() const { return reading_; }
    bool IsReading() const { return reading_mode_; }
    int Aborts() const { return aborts_; }
    const std::vector<uint8_t>& Received() const { return received_; }

    void SetEchoing(bool echoing) { echoing_ = echoing; }
    // The reader takes no more than `lines` lines of a program; -1: no limit.
    void SetStopAfterLines(int lines) { stopAfterLines_ = lines; }

private:
    void TakeLine();
    void Punch();

    bool echoing_ = true;
    int stopAfterLines_ = -1;
    bool reading_mode_ = false;
    std::string command_;
    std::string line_;
    Program reading_;
    std::vector<Program> programs_;
    int aborts_ = 0;
    std::vector<uint8_t> received_;
};
