#pragma once
// Opens the PC port and confirms the host radio module behind it: escape to
// command mode ("+++\r"), hang up a link left over ("ATH\r"), read the
// module's information line ("AT+BTINFO?\r") and, when the module is not in
// its expected configuration, restore the factory settings ("AT&F\r").
// With "Auto" the ports are tried from the last one of the list to the first.

#include <cstdint>
#include <string>

#include "engine/Job.h"

class HostCheckJob : public Job {
public:
    explicit HostCheckJob(Terminal& terminal);
    int Run(uint32_t event) override;

    // How often a fixed port that answers but is never confirmed may be
    // opened before the search is cancelled; 0 = until the operator cancels.
    int FixedPortTryLimit = 0;

private:
    bool IsAuto() const;
    void Send(const std::string& command, bool raw);
    // Another event than the awaited reply: the module gets more time, but
    // never more than a bounded total for one command.
    void WaitMore();
    void CloseIfOpen();
    // A later step found no host module: shown, then the same fixed port
    // again, or the next entry.
    int HostModuleMissing();
    // For a later step: `next` once the module answered `expected`; the
    // time-out means no host module is there.
    int AwaitAnswer(bool timeout, const char* expected, int next);

    int tryIndex_ = 0;
    int fixedPortTries_ = 0;
    uint64_t commandSentMs_ = 0;
};
