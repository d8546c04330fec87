#include "jobs/TdkVc5ListJob.h"

#include "jobs/JobBits.h"
#include "jobs/JobEvents.h"
#include "jobs/StatusBits.h"
#include "jobs/TdkVc5ListingParser.h"
#include "jobs/Terminal.h"
#include "serial/ControlBytes.h"

TdkVc5ListJob::TdkVc5ListJob(Terminal& terminal) : Job(terminal, JobBit::ListTdkVc5) {}

TdkVc5ListJob::~TdkVc5ListJob() { StopCollecting(); }

void TdkVc5ListJob::StopCollecting() {
    if (T.UnlimitedText == &listing_) T.UnlimitedText = nullptr;
}

// The machine is sent back to its prompt and the job below (a dispatcher) is
// cancelled too. The cancel is passed on before the mask is narrowed, or the
// narrowed mask would swallow it; and the job returns 0 so that the
// dispatcher sees the cancel before anything else (a continue would open its
// dialog). Alone, the job finishes normally so the link turns idle again.
int TdkVc5ListJob::Cancel() {
    KillTimeout();
    StopCollecting();
    listing_.clear();
    T.QueueByte(ControlByte::Etx, false);
    T.Engine.ActiveJobs &= ~Bit;
    State = JobState::Begin;
    if (T.Engine.ActiveJobs != 0) {
        T.PostJobEvent(EV_CANCEL);
        T.Engine.EventMask &= EV_DATA | EV_TIMEOUT;
        return 0;
    }
    T.Engine.ActiveJobs |= Bit;
    return FinishJob();
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
        ArmTimeout(kReplyTimeoutMs);
        State = 20;
        return 0;
    }
    if (T.PartialLine == "*") {
        T.PartialLine.clear();
        T.QueueText("EX\r", false);
        ArmTimeout(kReplyTimeoutMs);
        State = 20;
        return 0;
    }
    if (event & EV_TIMEOUT) {
        if (lastTry) {
            T.ShowStatus(Msg::NoResponseFromMc, 0);
            State = JobState::Failed;
            return 1;
        }
        T.PartialLine.clear();
        T.QueueText("EX\r", false);
        ArmTimeout(kReplyTimeoutMs);
        State = 12;
        return 0;
    }
    ArmTimeout(kReplyTimeoutMs);
    return 0;
}

int TdkVc5ListJob::Run(uint32_t event) {
    if (event == EV_START) {
        State = JobState::Begin;
        Completed = false;
    }
    if (event & EV_CANCEL) return Cancel();
    if (!(T.StatusFlags & Status::SubConnected) && State != JobState::Finish) {
        KillTimeout();
        T.ShowStatus(Msg::TrxNotConnectedToMc, 1);
        State = JobState::Finish;
    }

    switch (State) {
        case JobState::Begin:
            T.RefreshPages();
            T.StatusFlags &= ~Status::LinkIdle;
            T.Engine.EventMask |= kDefaultEventMask;
            T.ShowStatus(Msg::ReadingMcProgramList, 1);
            T.McProgramList.clear();
            T.PartialLine.clear();
            T.QueueByte(ControlByte::Cr, false);
            ArmTimeout(kFirstReplyTimeoutMs);
            State = 10;
            return 0;

        case 10: return AwaitPrompt(event, false);
        case 12: return AwaitPrompt(event, true);

        case 20:
            if (T.PartialLine == ".") {
                KillTimeout();
                State = 30;
                return 1;
            }
            if (event & EV_TIMEOUT) {
                T.ShowStatus(Msg::NoResponseFromMc, 0);
                State = JobState::Failed;
                return 1;
            }
            ArmTimeout(kReplyTimeoutMs);
            return 0;

        case 30:
            T.PartialLine.clear();
            T.ReceivedText.clear();
            listing_.clear();
            T.UnlimitedText = &listing_;
            T.QueueText("LO\r", false);
            ArmTimeout(kReplyTimeoutMs);
            State = 40;
            return 0;

        case 40:
            if (T.PartialLine == ".") {
                KillTimeout();
                StopCollecting();
                T.McProgramList = TdkVc5ListingParser::Parse(listing_);
                listing_.clear();
                State = JobState::Completed;
                return 1;
            }
            if ((event & EV_TIMEOUT) || listing_.size() > kListingLimit) {
                KillTimeout();
                if (event & EV_TIMEOUT) T.ShowStatus(Msg::NoResponseFromMc, 0);
                State = JobState::Failed;
                return 1;
            }
            ArmTimeout(kReplyTimeoutMs);
            return 0;

        case JobState::Completed:
            Completed = true;
            State = JobState::Finish;
            return 1;

        case JobState::Failed:
            // The list was emptied at the start; a failure leaves it so.
            T.McProgramList.clear();
            State = JobState::Finish;
            return 1;

        case JobState::Finish:
            StopCollecting();
            listing_.clear();
            return FinishJob();

        default:
            State = JobState::Finish;
            return 1;
    }
}
