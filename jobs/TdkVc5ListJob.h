#pragma once
// Reads the program directory of a TDK/VC5 machine into McProgramList. The
// machine's prompt is "."; from its "$" state ETX leads back to the prompt,
// from its "*" state (and when CR brings no answer) "EX". "LO" lists the
// programs, and the listing is complete when the prompt shows again. Started
// by the transfer dispatchers before their dialogs.

#include <cstdint>
#include <string>

#include "jobs/Job.h"

class TdkVc5ListJob : public Job {
public:
    explicit TdkVc5ListJob(Terminal& terminal);
    ~TdkVc5ListJob() override;
    int Run(uint32_t event) override;

    // Whether the last run read the whole listing (an empty one included).
    bool Completed = false;

    static constexpr uint32_t kFirstReplyTimeoutMs = 5000;
    static constexpr uint32_t kReplyTimeoutMs = 10000;
    static constexpr std::size_t kListingLimit = 4u << 20;

private:
    int Cancel();
    // States 10 and 12: the machine's answer to CR or to "EX".
    int AwaitPrompt(uint32_t event, bool lastTry);
    void StopCollecting();

    std::string listing_;
};
