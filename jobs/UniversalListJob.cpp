#include "jobs/UniversalListJob.h"

#include "jobs/JobBits.h"
#include "jobs/JobEvents.h"
#include "jobs/StatusBits.h"
#include "jobs/Terminal.h"
#include "jobs/UniversalListingParser.h"
#include "serial/ControlBytes.h"

namespace {
constexpr const char* kPromptEnd = ">  ";
}  // namespace

UniversalListJob::UniversalListJob(Terminal& terminal) : Job(terminal, JobBit::ListUniversal) {}

UniversalListJob::~UniversalListJob() { StopCollecting(); }

void UniversalListJob::StopCollecting() {
    if (T.UnlimitedText == &listing_) T.UnlimitedText = nullptr;
}

// The job below (a dispatcher) ends too: it gets the cancel next. Alone, the
// job finishes normally so the link turns idle again.
int UniversalListJob::Cancel() {
    KillTimeout();
    StopCollecting();
    listing_.clear();
    T.Engine.ActiveJobs &= ~Bit;
    State = JobState::Begin;
    if (T.Engine.ActiveJobs != 0) {
        T.PostJobEvent(EV_CANCEL);
        return 0;
    }
    T.Engine.ActiveJobs |= Bit;
    return FinishJob();
}

int UniversalListJob::Run(uint32_t event) {
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
            // Started on its own the job finds the mask of the last job's
            // finish (nothing); it needs replies, time-outs and cancel.
            T.Engine.EventMask |= kDefaultEventMask;
            T.ShowStatus(Msg::ReadingMcProgramList, 1);
            T.McProgramList.clear();
            T.PartialLine.clear();
            T.QueueByte(ControlByte::Etx, false);
            ArmTimeout(kReplyTimeoutMs);
            State = 10;
            return 0;

        case 10:
            if (T.PartialLine.find(kPromptEnd) != std::string::npos) {
                KillTimeout();
                prompt_ = T.PartialLine;
                T.PartialLine.clear();
                T.ReceivedText.clear();
                listing_.clear();
                T.UnlimitedText = &listing_;
                T.QueueText("NAMES\r", false);
                ArmTimeout(kReplyTimeoutMs);
                State = 20;
                return 0;
            }
            if (event & EV_TIMEOUT) {
                T.ShowStatus(Msg::NoResponseFromMc, 0);
                State = JobState::Failed;
                return 1;
            }
            ArmTimeout(kReplyTimeoutMs);
            return 0;

        case 20:
            if (T.PartialLine == prompt_) {
                KillTimeout();
                StopCollecting();
                T.McProgramList = UniversalListingParser::Parse(listing_);
                listing_.clear();
                State = JobState::Completed;
                return 1;
            }
            if ((event & EV_TIMEOUT) || listing_.size() > kListingLimit) {
                KillTimeout();
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
            T.ShowStatus(Msg::FailedToListMcPrograms, 0);
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
