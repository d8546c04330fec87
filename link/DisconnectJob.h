#pragma once
// Hangs up the connected sub module: waits for the machine line to fall
// quiet (stopping a DYNA/PERT or UNIVERSAL machine that still sends with
// ETX), resets the sub module with its single-byte commands, escapes the
// host module to command mode ("+++") and hangs up ("ATH\r"). The reset
// steps go on without their echo, so a module that no longer answers is
// still hung up. It has no cancel: once begun, the link is always dropped.

#include <cstdint>

#include "engine/Job.h"

class DisconnectJob : public Job {
public:
    explicit DisconnectJob(Terminal& terminal);
    int Run(uint32_t event) override;

private:
    // Queues a reset byte the sub module echoes; its echo or the time-out
    // is awaited in state `next` (returns 0).
    int SendEchoed(uint8_t byte, int next);
    // Waits `ms` more, but not beyond `limitMs` after `sinceMs`.
    void WaitBounded(uint32_t ms, uint64_t sinceMs, uint64_t limitMs);

    uint64_t quietWaitStartMs_ = 0;
    uint64_t escapeSentMs_ = 0;
};
