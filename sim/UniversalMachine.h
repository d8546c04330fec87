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
// back. The program store is open for the transfer commands that come with
// the download side.

#include <string>
#include <utility>
#include <vector>

#include "sim/CommandLineMachine.h"

struct UniversalProgram {
    std::string name;
    int steps = 0;
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

protected:
    bool RunCommand(const std::string& command) override;
    void ShowPrompt() override;
    void OnLine(const std::string& line) override;

private:
    std::string prompt_ = kDefaultPrompt;
};
