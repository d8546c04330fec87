#pragma once
// Reads the program directory of a UNIVERSAL machine into McProgramList:
// ETX brings the machine to its prompt (a line ending in ">  "), "NAMES"
// makes it list its programs, and the listing is complete when the prompt
// shows again. Started by the transfer dispatchers before their dialogs, and
// on its own by window message 0x40C.

#include <cstdint>
#include <string>

#include "lists/ProgramListJob.h"

class UniversalListJob : public ProgramListJob {
public:
    explicit UniversalListJob(Terminal& terminal);

    // The prompt line the machine showed before "NAMES".
    const std::string& UniversalPrompt() const { return prompt_; }

private:
    int RunState(uint32_t event) override;
    int Cancel() override;

    std::string prompt_;
};
