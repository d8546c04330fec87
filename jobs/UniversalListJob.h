#pragma once
// Reads the program directory of a UNIVERSAL machine into McProgramList:
// ETX brings the machine to its prompt (a line ending in ">  "), "NAMES"
// makes it list its programs, and the listing is complete when the prompt
// shows again. Started by the transfer dispatchers before their dialogs, and
// on its own by window message 0x40C.
//
// The listing collects in a buffer of the job's own (Terminal::UnlimitedText),
// so a large directory is not cut at the receive text's limit.

#include <cstdint>
#include <string>

#include "jobs/Job.h"

class UniversalListJob : public Job {
public:
    explicit UniversalListJob(Terminal& terminal);
    ~UniversalListJob() override;
    int Run(uint32_t event) override;

    // Whether the last run read the whole listing (an empty one included).
    bool Completed = false;

    // The prompt line the machine showed before "NAMES".
    const std::string& UniversalPrompt() const { return prompt_; }

    static constexpr uint32_t kReplyTimeoutMs = 10000;
    // A listing beyond this is noise on the line, not a directory.
    static constexpr std::size_t kListingLimit = 4u << 20;

private:
    int Cancel();
    void StopCollecting();

    std::string prompt_;
    std::string listing_;
};
