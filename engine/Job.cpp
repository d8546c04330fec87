#include "engine/Job.h"

#include "app/CKOVAApp.h"
#include "engine/EventLoop.h"

#include "engine/TransferJobBits.h"

#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"

void Job::ApplyStartAndCancel(uint32_t event) {
    if (event == EV_START) State = JobState::Begin;
    if (event & EV_CANCEL) State = JobState::Cancelled;
}

int Job::FailWith(Msg message) {
    FailText = WithState(T.Text(message));
    FailRow = static_cast<int>(message);
    State = JobState::Failed;
    return 1;
}

std::string Job::WithState(const std::string& message) const {
    return message + "(" + std::to_string(State) + ")";
}

int Job::ShowFailText() {
    KillTimeout();
    T.ShowStatus(FailText, 0);
    State = JobState::Finish;
    return 1;
}

int Job::CancelThrough(Job& dispatcher) {
    KillTimeout();
    dispatcher.Run(EV_CANCEL);
    State = JobState::Finish;
    return 1;
}

int Job::TakeOverLink(int connectedState, int connectingState) {
    T.RefreshPages();
    T.StatusFlags &= ~Status::LinkIdle;
    T.Engine.EventMask = kDefaultEventMask;
    if (T.StatusFlags & Status::SubConnected) {
        State = connectedState;
        return 1;
    }
    State = connectingState;
    T.StartJob(JobBit::Connect);
    return 0;
}

int Job::AfterConnect(int connectedState, Msg notConnected) {
    if (T.StatusFlags & Status::SubConnected) {
        State = connectedState;
        return 1;
    }
    FailText = T.Text(notConnected);
    State = JobState::Failed;
    return 1;
}

int Job::LeaveUnknownState() {
    State = State == JobState::Unknown ? JobState::Finish : JobState::Unknown;
    return 1;
}

int Job::FinishJob() {
    JobEngine& engine = T.Engine;
    engine.ActiveJobs &= ~Bit;
    if (engine.ActiveJobs == 0) {
        engine.EventMask = 0;
        T.StatusFlags |= Status::ShowReceived;
        if (T.StatusFlags & Status::SubConnected) T.StatusFlags |= Status::LinkIdle;
    }
    T.RefreshPages();
    FailText.clear();
    FailRow = -1;
    State = JobState::Begin;
    T.View.FocusCommWindow();
    return 1;
}

int Job::EndRun(TransferRunResult& result, Msg cancelText) {
    T.ShowStatus(State == JobState::Cancelled ? T.Text(cancelText) : FailText, 1);
    result.EndState = State;
    State = JobState::Finish;
    return 1;
}

void Job::BeginRun(const TransferItemList& files, const std::string& folder) {
    T.PcFileList = files;
    T.TransferFolder = folder.empty() ? T.App.CurrentChannel.NcdFileFolder : folder;
    TransferProgress& p = T.Progress;
    p.TotalBytes = 0;
    for (const TransferItem& item : T.PcFileList) p.TotalBytes += static_cast<int64_t>(item.Length);
    p.TotalDone = 1;
    p.StartClockMs = T.Loop.NowMs();
    p.LastShownSecond = -1;
    T.View.SetTotalProgress(0, BarValue(p.TotalBytes));
}

int Job::FinishJobOfferingConnection() {
    const bool lastJob = (T.Engine.ActiveJobs & ~Bit) == 0;
    FinishJob();
    if (lastJob) T.StatusFlags |= Status::LinkIdle;
    return 1;
}

int Job::FinishTransferJob() {
    JobEngine& engine = T.Engine;
    engine.ActiveJobs &= ~Bit;
    if (engine.ActiveJobs == 0) engine.EventMask = 0;
    State = JobState::Begin;
    return 1;
}

void Job::ArmTimeout(uint32_t ms) { T.ArmJobTimer(ms); }
void Job::KillTimeout() { T.KillJobTimer(); }

void Job::BeginWait(uint32_t ms) {
    waitStartMs_ = T.Loop.NowMs();
    ArmTimeout(ms);
}

bool Job::WaitOutlasted(uint32_t limitMs) const { return T.Loop.NowMs() - waitStartMs_ >= limitMs; }
