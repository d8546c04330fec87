#pragma once
// Base of every job: a state machine called with an event code. Run returns 0
// to wait for the next event and non-zero to be called again at once with
// EV_CONTINUE (a finished child hands control back to its parent that way).
//
// State numbers: 0 begin; 10, 20, 30 ... working steps (a waiting state often
// two above its step); 9000 completed, 9001 cancelled, 9002 failed, 9004 a
// state the job does not know, 9010 finish.

#include <cstdint>
#include <string>

#include "app/TransferItem.h"
#include "lang/Msg.h"

class Terminal;

namespace JobState {
inline constexpr int Begin = 0;
inline constexpr int Completed = 9000;
inline constexpr int Cancelled = 9001;
inline constexpr int Failed = 9002;
inline constexpr int Unknown = 9004;
inline constexpr int Finish = 9010;
}  // namespace JobState

struct TransferRunResult;

class Job {
public:
    Job(Terminal& terminal, uint32_t bit) : Bit(bit), T(terminal) {}
    virtual ~Job() = default;
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;

    virtual int Run(uint32_t event) = 0;

    int State = 0;
    std::string FailText;   // what state 9002 shows
    int FailRow = -1;       // the text table row of FailText, -1 when it has none
    const uint32_t Bit;

protected:
    // Sets the state from the two events every job treats alike: EV_START
    // begins at state 0, EV_CANCEL goes to 9001.
    void ApplyStartAndCancel(uint32_t event);
    // Records "%s(%d)": the message and the state that failed, and moves to
    // 9002; returns 1 so that the failure is shown next.
    int FailWith(Msg message);
    // "%s(%d)": the message and the current state.
    std::string WithState(const std::string& message) const;

    // 9002 of a transfer job: kills the time-out, shows FailText and moves to
    // 9010; returns 1.
    int ShowFailText();
    // 9001 of a transfer job once it has stopped the machine its own way:
    // hands the cancel to `dispatcher` (which only records it and ends once
    // this job's bit is clear) and moves to 9010; returns 1.
    int CancelThrough(Job& dispatcher);
    // The start of a dispatcher that needs the sub module: takes the link
    // over (refreshes the pages, the default event mask, the link no longer
    // idle), then goes on in `connectedState` (1) when connected, else starts
    // the connect job and waits in `connectingState` (0).
    int TakeOverLink(int connectedState, int connectingState);
    // Once the connect job has ended: `connectedState` when it connected,
    // else 9002 with `notConnected`. Returns 1.
    int AfterConnect(int connectedState, Msg notConnected);
    // A state the job does not know leads to 9004, and 9004 to the finish
    // (9010). Returns 1.
    int LeaveUnknownState();

    // Finish of a top-level job (links, lists, dispatchers): clears the job's bit;
    // with no job left the link turns idle and received text is shown again;
    // refreshes the pages and returns 1 so that a parent gets EV_CONTINUE.
    int FinishJob();
    // 9001 and 9002 of a dispatcher: shows `cancelText` or the failure text,
    // records the end state in `result` and moves to 9010; returns 1.
    int EndRun(TransferRunResult& result, Msg cancelText);
    // After the transfer dialog's OK: the chosen files and their folder (the
    // channel's folder when the dialog named none), the run's bar at zero and
    // its clock started.
    void BeginRun(const TransferItemList& files, const std::string& folder);
    // The same for the host check and the connect: with no job left the link
    // is idle even without a sub module, so that a typed key offers a
    // connection ("Do you want connection?"). Keys reach the machine only
    // while a sub module is connected as well.
    int FinishJobOfferingConnection();
    // Finish of a per-type transfer job: its dispatcher does the rest.
    int FinishTransferJob();

    void ArmTimeout(uint32_t ms);
    void KillTimeout();

    // A wait for one answer that every received byte extends must still end:
    // a line that talks on (noise, a wrong baud rate) without ever giving the
    // answer would hold the job for good. BeginWait arms the time-out and
    // notes when the wait began; WaitOutlasted is true once it has gone on
    // for `limitMs`.
    static constexpr uint32_t kTalkingLineLimitMs = 30000;
    void BeginWait(uint32_t ms);
    bool WaitOutlasted(uint32_t limitMs = kTalkingLineLimitMs) const;

    Terminal& T;

private:
    uint64_t waitStartMs_ = 0;
};
