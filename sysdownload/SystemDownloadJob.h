#pragma once
// What the two system program jobs share: single-byte commands to the sub
// module with their echo, the switch of the sub module to carry raw bytes,
// the program sent in blocks with the bars and the time display, the failure
// text with its state, the cancel handed down to the dispatcher and the
// finish. Each machine type's state table stays in its own file.

#include <cstdint>
#include <string>

#include "app/TransferRecord.h"
#include "engine/Job.h"

class SystemDownloadDispatcher;

class SystemDownloadJob : public Job {
public:
    SystemDownloadJob(Terminal& terminal, uint32_t bit, SystemDownloadDispatcher& dispatcher);

    // A block of the program goes out at most this large.
    static constexpr uint32_t kBlockSize = 256;
    static constexpr uint32_t kEchoWaitMs = 1000;
    // A block, or the preamble, that does not drain within this fails the job.
    static constexpr uint32_t kBlockWaitMs = 10000;

protected:
    // Queues `byte` for the sub module, expecting its echo, and waits up to
    // `waitMs` in state `next`; 1 when the transmit queue refused it (failed).
    int SendEchoedAndWait(uint8_t byte, uint32_t waitMs, int next);
    bool EchoArrived() const;
    // Tells the sub module to pass every following byte to the machine
    // unread, until the link drops.
    void SwitchSubModuleTransparent();

    // Queues raw bytes (every '+' followed by 0x00 on the link); false, with
    // the job failed, when the transmit queue cannot take them.
    bool SendRaw(const uint8_t* data, uint32_t count);
    // Queues the next block of the program (at most kBlockSize bytes),
    // moves FileOffset on, shows the progress and waits kBlockWaitMs in
    // state `next`; 1 when the job failed instead.
    int SendNextBlock(int next);
    // Both bars: `done` of the current range.
    void ShowProgress(int64_t done);
    // Starts the elapsed / remaining display from now.
    void StartTimeDisplay();

    // "%s (%d)": the message and the state that failed; moves to 9002.
    int FailWithState(Msg message);

    // 9001 after the job has stopped the machine its own way: the dispatcher
    // ends too.
    int CancelToDispatcher();
    // The end states both types run alike: 9000, 9002, 9010, and states the
    // job does not know (9004, then 9010). 9001 is each type's own.
    int RunEndState();
    // What 9000 and 9002 show.
    virtual void ShowCompleted() {}
    virtual void ShowFailure();

    SystemDownloadDispatcher& Dispatcher;

private:
    // Ends the journal record of the program: its bytes, how far it got, and how it ended.
    void EndRecord(TransferResult result, int row, const std::string& text);
    // 9010: tells the dispatcher how the transfer ended and clears the bit.
    int FinishSystemJob();

    int endState_ = 0;
};
