#pragma once
// Upload from a UNIVERSAL machine by program name. ETX brings the machine to
// its prompt (a line holding ">  "), which is kept; "OU name" makes it list
// the program, one line each with ">  " after the four-digit line number, and
// show the prompt again. The prompt without any listing line means the
// machine did not give the program.

#include <cstdint>
#include <string>

#include "upload/UploadJob.h"

class UniversalUploadJob : public UploadJob {
public:
    UniversalUploadJob(Terminal& terminal, UploadDispatcher& dispatcher);
    int Run(uint32_t event) override;

    const std::string& MachinePrompt() const { return machinePrompt_; }

    // The machine's own report, not a row of the text table.
    static constexpr const char* kUploadingFailed = "Uploading Failed.";

private:
    // States 20 and 30 on what was received since the last call.
    int TakeReceived(uint32_t event);

    std::string machinePrompt_;
};
