#pragma once
// System program download to a UNIVERSAL machine. The sub module is loaded
// with the system delay byte and the machine's option, ETX brings the
// machine's console prompt "@", "77773000G" starts its loader, and once the
// sub module passes bytes through unread the fixed preamble and then the
// program follow in blocks, each after the previous one has drained.

#include <cstdint>

#include "sysdownload/SystemDownloadJob.h"

class UniversalSystemDownloadJob : public SystemDownloadJob {
public:
    UniversalSystemDownloadJob(Terminal& terminal, SystemDownloadDispatcher& dispatcher);
    int Run(uint32_t event) override;

    // The command that starts the machine's loader; it is echoed.
    static constexpr const char* kLoaderCommand = "77773000G";
    static constexpr uint32_t kPromptWaitMs = 60000;
    static constexpr uint32_t kReplyWaitMs = 10000;
    static constexpr uint32_t kSettleMs = 1000;
    static constexpr uint32_t kPauseMs = 500;

private:
    void ShowCompleted() override;
    void ShowFailure() override;
    // The event that says a block has drained: the sub module's ready report
    // once it takes them, else the empty transmit queue.
    bool IsPacingEvent(uint32_t event) const;
};
