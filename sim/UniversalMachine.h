#pragma once
// A simulated UNIVERSAL machine: a command line behind the prompt "MC>  ".
//
//   ETX (0x03)   abandons what was typed and shows the prompt on a new line
//   NAMES CR     lists the stored programs, one line each, then the prompt:
//                    nnnn>  +SSSSS  NAME
//                (nnnn the entry number, SSSSS the step count); an empty
//                directory answers "NO PROGRAM"
//   other CR     "?" and the prompt; an empty line just the prompt
//
// Typed characters are echoed; DEL (0x7F) and backspace take the last one
// back.
//
// Receiving a program (the PC sends):
//   IN name CR   opens the program `name` for input: CR LF and the step
//                prompt "nnnn>  " (nnnn the number of the next line)
//   input        each line is echoed once it is complete, then CR LF and the next step
//                prompt; a line that is "." or ends in '.' closes the input:
//                the program (a lone "." is not kept) replaces any program of
//                that name and the main prompt follows on a new line. ETX
//                drops the program and shows the main prompt.
//
// Knobs for tests: one line echoed differently, one line refused with "?"
// (the machine leaves input and shows the main prompt), and a machine that
// stops answering (SetAnswering).
//
// Sending a program:
//   OU name CR   lists the program, one line each as "nnnn>  line" (nnnn the
//                line number), then the prompt; a program the machine does
//                not have is answered "?" and the prompt. A sample program
//                without lines lists made-up lines for its step count.

#include <string>
#include <utility>
#include <vector>

#include "sim/CommandLineMachine.h"

struct UniversalProgram {
    std::string name;
    int steps = 0;
    std::vector<std::string> lines;   // as received
};

class UniversalMachine : public CommandLineMachine<UniversalProgram> {
public:
    static constexpr const char* kDefaultPrompt = "MC>  ";

    UniversalMachine();
    explicit UniversalMachine(std::vector<Program> programs);

    std::string TypeName() const override { return "UNIVERSAL"; }

    const std::string& Prompt() const { return prompt_; }
    void SetPrompt(std::string prompt) { prompt_ = std::move(prompt); }

    // The listing "NAMES" prints (without the prompt after it).
    std::string NamesListing() const;

    // A few programs so that kova-sim has something to list.
    static std::vector<Program> SamplePrograms();

    bool InInput() const { return input_; }
    // Programs that ETX or a refused line broke off.
    int Aborts() const { return aborts_; }
    // Input line `line` (1 = the first after "IN") is echoed altered / refused with "?".
    void SetWrongEchoAtLine(int line) { wrongEchoLine_ = line; }
    void SetRefuseLine(int line) { refuseLine_ = line; }

protected:
    bool RunCommand(const std::string& command) override;
    void ShowPrompt() override;
    void OnLine(const std::string& line) override;
    void OnEtx() override;
    bool EchoesTyping() const override { return !input_; }

private:
    // Receiving side.
    void StartInput(const std::string& name);
    void InputLine(const std::string& line);
    void ShowStepPrompt();
    // Sending side.
    void SendProgram(const std::string& name);

    std::string prompt_ = kDefaultPrompt;
    bool input_ = false;
    Program receiving_;
    int aborts_ = 0;
    int wrongEchoLine_ = -1;
    int refuseLine_ = -1;
};
