#include "lists/ProgramListJob.h"

#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"

ProgramListJob::ProgramListJob(Terminal& terminal, uint32_t bit) : Job(terminal, bit) {}

ProgramListJob::~ProgramListJob() { StopCollecting(); }

void ProgramListJob::StopCollecting() {
    if (T.UnlimitedText == &listing_) T.UnlimitedText = nullptr;
}

int ProgramListJob::Run(uint32_t event) {
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
    return RunState(event);
}

int ProgramListJob::BeginListing(uint8_t wakeByte, uint32_t answerWaitMs, int next) {
    T.RefreshPages();
    T.StatusFlags &= ~Status::LinkIdle;
    // Started on its own the job finds the mask of the last job's finish
    // (nothing); it needs replies, time-outs and cancel.
    T.Engine.EventMask |= kDefaultEventMask;
    T.ShowStatus(Msg::ReadingMcProgramList, 1);
    T.McProgramList.clear();
    T.PartialLine.clear();
    T.QueueByte(wakeByte, false);
    ArmTimeout(answerWaitMs);
    State = next;
    return 0;
}

int ProgramListJob::WaitForAnswer(uint32_t event) {
    if (event & EV_TIMEOUT) {
        T.ShowStatus(Msg::NoResponseFromMc, 0);
        State = JobState::Failed;
        return 1;
    }
    ArmTimeout(kReplyTimeoutMs);
    return 0;
}

void ProgramListJob::RequestListing(const std::string& command) {
    T.PartialLine.clear();
    T.ReceivedText.clear();
    listing_.clear();
    T.UnlimitedText = &listing_;
    T.QueueText(command, false);
    ArmTimeout(kReplyTimeoutMs);
}

bool ProgramListJob::ListingStalled(uint32_t event) const {
    return (event & EV_TIMEOUT) || listing_.size() > kListingLimit;
}

int ProgramListJob::TakeListing(ListingParser parse) {
    KillTimeout();
    StopCollecting();
    T.McProgramList = parse(listing_);
    listing_.clear();
    State = JobState::Completed;
    return 1;
}

void ProgramListJob::DropListing() {
    KillTimeout();
    StopCollecting();
    listing_.clear();
}

int ProgramListJob::EndOnCancel(uint32_t keptEvents) {
    T.Engine.ActiveJobs &= ~Bit;
    State = JobState::Begin;
    if (T.Engine.ActiveJobs != 0) {
        T.PostJobEvent(EV_CANCEL);
        T.Engine.EventMask &= keptEvents;
        return 0;
    }
    T.Engine.ActiveJobs |= Bit;
    return FinishJob();
}

int ProgramListJob::FailListing() {
    // The list was emptied at the start; a failure leaves it so.
    T.McProgramList.clear();
    State = JobState::Finish;
    return 1;
}

int ProgramListJob::RunEndState() {
    switch (State) {
        case JobState::Completed:
            Completed = true;
            State = JobState::Finish;
            return 1;

        case JobState::Failed:
            return FailListing();

        case JobState::Finish:
            StopCollecting();
            listing_.clear();
            return FinishJob();

        default:
            State = JobState::Finish;
            return 1;
    }
}
