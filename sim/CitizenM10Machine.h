#pragma once
// A simulated CITIZEN/M10 machine with a tape-reader style input and DC1/DC3
// flow control.
//
// Receiving a program (the PC sends):
//   asking     while the reader is armed and nothing has come yet, the
//              machine sends DC1 every kAskIntervalMs ("send me the tape")
//   leader     blanks, NUL, CR and LF before the first program text are
//              skipped
//   program    every byte from the first program text on is kept as it
//              came; a '%' that is the tape's first text opens the tape,
//              the next '%' closes it and the program is stored. A tape that
//              stops for kQuietEndMs (not counting a DC3 pause) is through: kept when it ends in '%'
//              (a tape of a lone '%'), else dropped. ETX drops the program
//              being read.
//   flow       after every PauseEvery() bytes taken the reader sends DC3 and,
//              PauseMs() later, DC1 again (a pause of -1 never ends)
//
// Knobs for tests: a machine that never asks, pauses of any length, and
// a reader that stops answering.
//
// Sending a program (the machine punches to the PC): when the operator
// starts the output, DC2, the program read last (a sample before any) as it
// was read, then DC4.

#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimulatedMachine.h"

class CitizenM10Machine : public SimulatedMachine {
public:
    static constexpr uint32_t kAskIntervalMs = 1000;
    static constexpr uint32_t kQuietEndMs = 3000;

    std::string TypeName() const override { return "CITIZEN/M10"; }
    void OnLineByte(uint8_t byte) override;
    void OnAttached() override;

    // The programs read completely, oldest first: the bytes from the first
    // program text up to and including the closing '%'.
    const std::vector<std::string>& Programs() const { return programs_; }
    // The program's lines as the reader splits them (CR, LF and NUL end a
    // line; empty lines are dropped).
    static std::vector<std::string> Lines(const std::string& program);
    const std::string& Reading() const { return reading_; }
    int Aborts() const { return aborts_; }
    // DC3 pauses the reader has made.
    int Pauses() const { return pauses_; }
    const std::vector<uint8_t>& Received() const { return received_; }

    // The reader asks for a tape (DC1) on its own; off: it never does.
    void SetAsking(bool asking);
    // DC3 after every `bytes` program bytes (0: never), DC1 `ms` later (-1: never).
    // Setting it ends a pause under way.
    void SetPause(int bytes, int ms) {
        pauseEvery_ = bytes;
        pauseMs_ = ms;
        ++pauseRound_;
        paused_ = false;
    }
    void SetAnswering(bool answering) { answering_ = answering; }

    static std::string SampleProgram();
    // Stores a program as if it had been read.
    void AddProgram(std::string program) { programs_.push_back(std::move(program)); }
    // Punches exactly these bytes (DC2 and DC4 not added) at the next start.
    void SetPunchBytes(std::string bytes) { punchBytes_ = std::move(bytes); }
    int Punches() const { return punches_; }

protected:
    void OnOperatorStart() override;

private:
    void Ask(uint64_t round);
    void TakeReceivedByte(uint8_t byte);
    void TakeProgramByte(uint8_t byte);
    void Resume(uint64_t pause);
    void CheckQuiet();
    void Keep();

    bool asking_ = true;
    bool answering_ = true;
    int pauseEvery_ = 0;
    int pauseMs_ = 0;

    uint64_t askRound_ = 0;
    bool started_ = false;         // program text has come
    int sincePause_ = 0;
    uint64_t pauseRound_ = 0;
    bool paused_ = false;
    uint64_t lastByteMs_ = 0;
    bool quietCheckPending_ = false;

    std::string reading_;
    std::vector<std::string> programs_;
    int aborts_ = 0;
    int pauses_ = 0;
    std::vector<uint8_t> received_;
    std::string punchBytes_;
    int punches_ = 0;
};
