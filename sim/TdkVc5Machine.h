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
// Receiving a program (the PC sends):
//   RE name  at the prompt: the command is echoed as typed, CR brings no
//            answer, and the machine takes program lines (Receiving)
//   Receiving  nothing is echoed; NUL is ignored; each line that ends in CR
//            is kept; the line that contains "EX" ends the program, which
//            replaces any program of that name, and the prompt follows.
//            ETX drops the program and shows the prompt.
//
// Knobs for tests: a garbled echo of a command, and a machine that
// stops answering (SetAnswering).
//
// Sending a program:
//   WR name  at the prompt: the command is echoed as typed, then every line of
//            the program with CR LF, ending with "EX", then the prompt; a
//            program the machine does not have is answered "?" and the
//            prompt. A sample program without lines sends made-up lines for
//            its step count.

#include <string>
#include <vector>

#include "sim/CommandLineMachine.h"

struct TdkVc5Program {
    std::string name;
    int steps = 0;
    std::string date = "24/01/15";
    std::vector<std::string> lines;   // as received, "EX" line included
};

class TdkVc5Machine : public CommandLineMachine<TdkVc5Program> {
public:
    enum class Mode { Prompt, Running, Input, Deaf, Receiving };

    TdkVc5Machine();
    explicit TdkVc5Machine(std::vector<Program> programs);

    std::string TypeName() const override { return "TDK/VC5"; }

    Mode CurrentMode() const { return mode_; }
    void SetMode(Mode mode) { mode_ = mode; }

    // The listing "LO" prints (without the prompt after it).
    std::string ProgramListing() const;

    static std::vector<Program> SamplePrograms();

    // The echo of the next command that begins with `word` ("RE", "LO" ...)
    // gets a stray character after it; "" for none.
    void SetGarbledEchoOf(std::string word) { garbledWord_ = std::move(word); }
    // Programs that ETX broke off while they came in.
    int Aborts() const { return aborts_; }

protected:
    bool RunCommand(const std::string& command) override;
    void ShowPrompt() override;
    void OnLine(const std::string& line) override;
    void OnEtx() override;
    bool EchoesTyping() const override { return mode_ == Mode::Prompt || mode_ == Mode::Input; }
    bool EchoesErasing() const override { return mode_ == Mode::Prompt; }

private:
    // Receiving side.
    void StartReceiving(const std::string& name);
    // Sending side.
    void SendProgram(const std::string& name);
    void ReceiveLine(const std::string& line);

    Mode mode_ = Mode::Prompt;
    std::string garbledWord_;
    Program receiving_;
    int aborts_ = 0;
};
