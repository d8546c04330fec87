#pragma once
// Loads the machine's line parameters into the sub module just dialled. The
// sub module takes single bytes with the top bit set: after a preamble and
// 0x88 it answers its version (0x83) and type (0x84) and echoes every set-up
// byte; 0x81 closes the dialogue. A missing echo or answer fails the set-up.

#include <cstdint>
#include <string>

#include "engine/Job.h"
#include "lang/Msg.h"

struct ChannelConfig;

class ModuleSetupJob : public Job {
public:
    explicit ModuleSetupJob(Terminal& terminal);
    int Run(uint32_t event) override;

    // The line parameter byte: bit 7 always, the baud code in bits 0..2,
    // odd parity bit 3, even parity bit 4, 8 data bits bit 5.
    static uint8_t LineParameterByte(const ChannelConfig& channel);
    // The inter-character delay in bit times, as the sub module takes it (0..200).
    static int DelayBits(const ChannelConfig& channel);
    // Milliseconds of one character on the machine's line; 0 when the baud
    // rate is not a positive number.
    static float CharTime(const ChannelConfig& channel);

private:
    // Queues a set-up byte that the sub module echoes, and waits for the echo
    // in state `next` (returns 0).
    int SendEchoed(uint8_t byte, int next, uint32_t waitMs = 2000);
    // Queues a command answered by one byte, and waits for the answer in
    // state `next` (returns 0).
    int SendAsking(uint8_t byte, int next);
    // For a waiting state: 1 and `next` once the echo came, 0 while waiting,
    // 1 and the failure on the time-out.
    int AwaitEcho(uint32_t event, int next, Msg failure = Msg::FailedToSetupModule);
    int AwaitReply(uint32_t event, int next, Msg failure, uint8_t& reply);
    void Fail(Msg failure);
    // Hands the caller back the event mask it had when the set-up started.
    void RestoreCallersMask();

    // The set-up listens only for its echoes and replies while it runs; the
    // job that started it (a connect under a download) gets its own mask,
    // Cancel included, back when the set-up ends.
    uint32_t callersMask_ = 0;
};
