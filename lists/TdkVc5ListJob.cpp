#include "lists/TdkVc5ListJob.h"

#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "lists/TdkVc5ListingParser.h"
#include "engine/Terminal.h"
#include "engine/ControlBytes.h"

TdkVc5ListJob::TdkVc5ListJob(Terminal& terminal) : ProgramListJob(terminal, JobBit::ListTdkVc5) {}

// The machine is sent back to its prompt and the job below (a dispatcher) is
// cancelled too. The cancel is passed on before the mask is narrowed, or the
// narrowed mask would swallow it; and the job returns 0 so that the
// dispatcher sees the cancel before anything else (a continue would open its
// dialog).
int TdkVc5ListJob::Cancel() {
    DropListing();
    T.QueueByte(ControlByte::Etx, false);
    return EndOnCancel(EV_DATA | EV_TIMEOUT);
}

int TdkVc5ListJob::AwaitPrompt(uint32_t event, bool lastTry) {
    if (T.PartialLine == ".") {
        KillTimeout();
        State = 30;
        return 1;
    }
    if (T.PartialLine == "$") {
        T.PartialLine.clear();
        T.QueueByte(ControlByte::Etx, false);
        BeginWait(kReplyTimeoutMs);
        State = 20;
        return 0;
    }
    if (T.PartialLine == "*") {
        T.PartialLine.clear();
        T.QueueText("EX\r", false);
        BeginWait(kReplyTimeoutMs);
        State = 20;
        return 0;
    }
    if ((event & EV_TIMEOUT) && !lastTry) {
        T.PartialLine.clear();
        T.QueueText("EX\r", false);
        BeginWait(kReplyTimeoutMs);
        State = 12;
        return 0;
    }
    return WaitForAnswer(event);
}

int TdkVc5ListJob::RunState(uint32_t event) {
    switch (State) {
        case JobState::Begin: return BeginListing(ControlByte::Cr, kFirstReplyTimeoutMs, 10);
        case 10: return AwaitPrompt(event, false);
        case 12: return AwaitPrompt(event, true);

        case 20:
            if (T.PartialLine == ".") {
                KillTimeout();
                State = 30;
                return 1;
            }
            return WaitForAnswer(event);

        case 30:
            RequestListing("LO\r");
            State = 40;
            return 0;

        case 40:
            if (T.PartialLine == ".") return TakeListing(TdkVc5ListingParser::Parse);
            if (ListingStalled(event)) {
                KillTimeout();
                if (event & EV_TIMEOUT) T.ShowStatus(Msg::NoResponseFromMc, 0);
                State = JobState::Failed;
                return 1;
            }
            ArmTimeout(kReplyTimeoutMs);
            return 0;

        default:
            return RunEndState();
    }
}
