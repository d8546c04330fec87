#pragma once
// Download to a UNIVERSAL machine. ETX brings the machine's prompt (a line
// ending in ">  "), which the job keeps; "IN name" opens the program, and the
// machine then asks for every line with a step prompt after echoing the line
// before, which must match what was sent. ".\r" closes the input after the
// last line. A machine that falls back to its kept prompt has left input: a
// last line beginning with '?' is its error report.
//
// Lines sent: file lines that hold '.' or '>'; of a '>' line only the text
// after its first '>'; blanks trimmed at both ends; the last line of the file,
// when it is a '>' line, gets '.' appended.

#include <cstdint>
#include <string>

#include "download/DownloadJob.h"

class UniversalDownloadJob : public DownloadJob {
public:
    UniversalDownloadJob(Terminal& terminal, DownloadDispatcher& dispatcher);
    int Run(uint32_t event) override;

    // Forms the line a file line becomes, or "" when the machine gets none of
    // it; `last`: no further line follows in the file.
    static std::string MachineLine(const std::string& fileLine, bool last);

    static constexpr uint32_t kReplyWaitMs = 10000;

private:
    // State 30 with a fresh step prompt: checks the echo, sends the next line.
    int AnswerStepPrompt();
    // The next line to send into SendLine; false at the end of the file.
    bool NextMachineLine();

    std::string prompt_;   // the machine's prompt outside input
};
