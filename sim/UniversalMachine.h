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

#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimulatedMachine.h"

class UniversalMachine : public SimulatedMachine {
public:
    struct Program {
        std::string name;
        int steps = 0;
    };

    static constexpr const char* kDefaultPrompt = "MC>  ";

    UniversalMachine();
    explicit UniversalMachine(std::vector<Program> programs);

    std::string TypeName() const override { return "UNIVERSAL"; }
    void OnLineByte(uint8_t byte) override;

    const std::vector<Program>& Programs() const { return programs_; }
    void SetPrograms(std::vector<Program> programs) { programs_ = std::move(programs); }
    const std::string& Prompt() const { return prompt_; }
    void SetPrompt(std::string prompt) { prompt_ = std::move(prompt); }
    // A machine that takes everything and answers nothing.
    void SetAnswering(bool answering) { answering_ = answering; }
    // Every command line taken, as typed (upper-cased), for tests.
    const std::vector<std::string>& Commands() const { return commands_; }

    // The listing "NAMES" prints (without the prompt after it).
    std::string NamesListing() const;

    // A few programs so that kova-sim has something to list.
    static std::vector<Program> SamplePrograms();

protected:
    // Runs one command line; false when the machine does not know it.
    virtual bool RunCommand(const std::string& command);
    void ShowPrompt();

    std::vector<Program> programs_;

private:
    std::string prompt_ = kDefaultPrompt;
    std::string typed_;
    bool answering_ = true;
    std::vector<std::string> commands_;
};
