#pragma once
// Reads the program directory of a TDK/VC5 machine into McProgramList. The
// machine's prompt is "."; from its "$" state ETX leads back to the prompt,
// from its "*" state (and when CR brings no answer) "EX". "LO" lists the
// programs, and the listing is complete when the prompt shows again. Started
// by the transfer dispatchers before their dialogs.

#include <cstdint>

#include "lists/ProgramListJob.h"

class TdkVc5ListJob : public ProgramListJob {
public:
    explicit TdkVc5ListJob(Terminal& terminal);

    static constexpr uint32_t kFirstReplyTimeoutMs = 5000;

private:
    int RunState(uint32_t event) override;
    int Cancel() override;
    // States 10 and 12: the machine's answer to CR or to "EX".
    int AwaitPrompt(uint32_t event, bool lastTry);
};
