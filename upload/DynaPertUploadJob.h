#pragma once
// Upload from a DYNA/PERT machine. ETX wakes the machine, which shows its
// ready mark "*" ('~' asks for another ETX, '?' for an "N"); "E" opens its
// output menu, answered "*E". The machine then shows a line ending in "E*"
// (or asks for a program with "PROG", which the operator answers at the
// keyboard). The operator presses 'P' or 'T'; the machine echoes the key,
// sends the program and shows the menu line again. The program is what came
// between the echo and that line.

#include <cstdint>
#include <string>

#include "upload/UploadJob.h"

class DynaPertUploadJob : public UploadJob {
public:
    DynaPertUploadJob(Terminal& terminal, UploadDispatcher& dispatcher);
    int Run(uint32_t event) override;

    // The partial line the machine showed when the key was chosen.
    const std::string& ListPrefix() const { return listPrefix_; }

private:
    static constexpr int kPromptOpen = 81;

    int AskKey();
    // 9000: the received text without the echoed key and the closing menu line.
    void TakeProgram();

    std::string listPrefix_;
};
