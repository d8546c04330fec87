#pragma once
// What the list jobs share. A run reads the program directory of the machine
// into McProgramList: it starts with an empty list, ends when the sub module
// is no longer connected, and collects the machine's listing in a buffer of
// its own (Terminal::UnlimitedText), so that a large directory is not cut at
// the receive text's limit, until the listing is parsed. How to wake the
// machine and ask for the listing is each machine type's own state table.

#include <cstdint>
#include <string>
#include <string_view>

#include "app/TransferRecord.h"
#include "engine/Job.h"
#include "engine/McProgramEntry.h"

class ProgramListJob : public Job {
public:
    ~ProgramListJob() override;
    // A cancel, a new start and a dropped link are handled alike for every
    // machine type; then the job's own state table runs.
    int Run(uint32_t event) final;

    // Whether the last run read the whole listing (an empty one included).
    bool Completed = false;

    static constexpr uint32_t kReplyTimeoutMs = 10000;
    // A listing beyond this is noise on the line, not a directory.
    static constexpr std::size_t kListingLimit = 4u << 20;

protected:
    using ListingParser = McProgramEntryList (*)(std::string_view);

    ProgramListJob(Terminal& terminal, uint32_t bit);

    // The job's states, from state 0 on.
    virtual int RunState(uint32_t event) = 0;
    // EV_CANCEL, in any state.
    virtual int Cancel() = 0;

    // State 0: the link is busy, replies, time-outs and cancel reach the job,
    // the status says the list is being read, the list and the received line
    // are empty; `wakeByte` wakes the machine, and the job waits up to
    // `answerWaitMs` for its answer in state `next`.
    int BeginListing(uint8_t wakeByte, uint32_t answerWaitMs, int next);
    // The rest of a state that waits for the machine: every event extends the
    // wait (0), a time-out shows that the machine did not answer and fails the
    // run (1); so does a line that talks on for kTalkingLineLimitMs since the
    // last BeginWait without giving the answer.
    int WaitForAnswer(uint32_t event);
    // From here on the machine's text collects in the listing; `command` asks
    // the machine for it.
    void RequestListing(const std::string& command);
    // The machine stopped answering, or the listing grew beyond kListingLimit.
    bool ListingStalled(uint32_t event) const;
    // The listing is complete: it becomes McProgramList, and the job goes on
    // to 9000.
    int TakeListing(ListingParser parse);

    // A cancel drops the listing first, then ends the job: with a job below
    // it (a dispatcher) the cancel is passed on and 0 returned, so that job
    // sees it before anything else; the event mask then keeps `keptEvents`
    // only. Alone, the job finishes normally so the link turns idle again.
    void DropListing();
    int EndOnCancel(uint32_t keptEvents = ~0u);

    // 9002: the list stays empty.
    int FailListing();
    // The end states every list job runs alike: 9000, 9002, 9010, and any
    // state the job does not know (on to 9010).
    int RunEndState();

private:
    void StopCollecting();
    // Ends the journal record of the run, with the message of FailRow.
    void EndRecord(TransferResult result);

    std::string listing_;
};
