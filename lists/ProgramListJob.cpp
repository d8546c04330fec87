#include "lists/ProgramListJob.h"

#include "app/TransferRecord.h"
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
        FailRow = -1;
    }
    if (event & EV_CANCEL) return Cancel();
    if (!(T.StatusFlags & Status::SubConnected) && State != JobState::Finish) {
        KillTimeout();
        T.ShowStatus(Msg::TrxNotConnectedToMc, 1);
        FailRow = static_cast<int>(Msg::TrxNotConnectedToMc);
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
    T.Journal.Begin(T, TransferDirection::List, std::string(), std::string());
    T.McProgramList.clear();
    T.PartialLine.clear();
    T.QueueByte(wakeByte, false);
    BeginWait(answerWaitMs);
    State = next;
    return 0;
}

int ProgramListJob::WaitForAnswer(uint32_t event) {
    if ((event & EV_TIMEOUT) || WaitOutlasted()) {
        KillTimeout();
        T.ShowStatus(Msg::NoResponseFromMc, 0);
        FailRow = static_cast<int>(Msg::NoResponseFromMc);
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
    const auto* bytes = reinterpret_cast<const uint8_t*>(listing_.data());
    T.Journal.SetContent(bytes, listing_.size(), listing_.size());
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
    T.Journal.End(TransferResult::Cancelled, -1, std::string());
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
    if (FailRow < 0) FailRow = static_cast<int>(Msg::FailedToListMcPrograms);
    EndRecord(TransferResult::Failed);
    State = JobState::Finish;
    return 1;
}

void ProgramListJob::EndRecord(TransferResult result) {
    T.Journal.End(result, FailRow, FailRow < 0 ? std::string() : T.Text(static_cast<Msg>(FailRow)));
}

int ProgramListJob::RunEndState() {
    switch (State) {
        case JobState::Completed:
            Completed = true;
            FailRow = -1;
            EndRecord(TransferResult::Completed);
            State = JobState::Finish;
            return 1;

        case JobState::Failed:
            return FailListing();

        case JobState::Finish:
            // Ended without reaching 9000 or 9002 (the link dropped).
            EndRecord(TransferResult::Failed);
            StopCollecting();
            listing_.clear();
            return FinishJob();

        default:
            State = JobState::Finish;
            return 1;
    }
}
