#pragma once
// System program download to a TDK/VC5 machine. The operator presses the
// machine's system download start switch and confirms; the sub module takes
// the machine's option and is switched to pass bytes through unread, and the
// program follows in blocks, each once the transmit queue has drained.

#include <cstdint>

#include "sysdownload/SystemDownloadJob.h"

class TdkVc5SystemDownloadJob : public SystemDownloadJob {
public:
    TdkVc5SystemDownloadJob(Terminal& terminal, SystemDownloadDispatcher& dispatcher);
    int Run(uint32_t event) override;

    static constexpr uint32_t kStepWaitMs = 500;
    // How often the end of the last block's pacing is looked for.
    static constexpr uint32_t kDrainPollMs = 100;

private:
    // While the question is open, events that reach this job find it here.
    static constexpr int kQuestionOpen = 11;
    bool cancelWhileQuestionOpen_ = false;
};
