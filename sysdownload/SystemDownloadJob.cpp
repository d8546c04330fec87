#include "sysdownload/SystemDownloadJob.h"

#include <algorithm>

#include "engine/EventLoop.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/SubModuleCommands.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"
#include "sysdownload/SystemDownloadDispatcher.h"

SystemDownloadJob::SystemDownloadJob(Terminal& terminal, uint32_t bit, SystemDownloadDispatcher& dispatcher)
    : Job(terminal, bit), Dispatcher(dispatcher) {}

int SystemDownloadJob::SendEchoedAndWait(uint8_t byte, uint32_t waitMs, int next) {
    State = next;
    ArmTimeout(waitMs);
    if (T.QueueByte(T.ExpectEcho(byte), false)) return 0;
    return FailWithState(Msg::SystemProgramDownloadFailed);
}

bool SystemDownloadJob::EchoArrived() const { return (T.StatusFlags & Status::EchoArrived) != 0; }

void SystemDownloadJob::SwitchSubModuleTransparent() {
    T.QueueByte(SubModuleCommand::Transparent, false);
    // From now on command bytes would reach the machine as data.
    T.SubTransparent = true;
}

bool SystemDownloadJob::SendRaw(const uint8_t* data, uint32_t count) {
    if (T.QueueBlock(data, static_cast<int>(count))) return true;
    FailWithState(Msg::SystemProgramDownloadFailed);
    return false;
}

void SystemDownloadJob::ShowProgress(int64_t done) {
    TransferProgress& p = T.Progress;
    p.FileDone = done;
    p.TotalDone = done;
    T.View.SetFileProgress(BarValue(p.FileDone), BarValue(p.FileBytes));
    T.View.SetTotalProgress(BarValue(p.TotalDone), BarValue(p.TotalBytes));
    T.ShowDownloadTime();
}

int SystemDownloadJob::SendNextBlock(int next) {
    uint32_t count = std::min(kBlockSize, T.FileSize - std::min(T.FileOffset, T.FileSize));
    if (count == 0 || !T.FileBuffer) {
        State = JobState::Completed;
        return 1;
    }
    if (!SendRaw(T.FileBuffer.get() + T.FileOffset, count)) return 1;
    T.FileOffset += count;
    // The bars count what has gone out before the program (a preamble) too.
    ShowProgress(T.Progress.FileBytes - T.FileSize + T.FileOffset);
    State = next;
    ArmTimeout(kBlockWaitMs);
    return 0;
}

void SystemDownloadJob::StartTimeDisplay() {
    T.Progress.StartClockMs = T.Loop.NowMs();
    T.Progress.LastShownSecond = -1;
    T.StatusFlags |= Status::DownloadTime;
    T.ShowDownloadTime();
}

int SystemDownloadJob::FailWithState(Msg message) {
    FailText = T.Text(message) + " (" + std::to_string(State) + ")";
    FailRow = static_cast<int>(message);
    State = JobState::Failed;
    return 1;
}

int SystemDownloadJob::CancelToDispatcher() {
    KillTimeout();
    endState_ = JobState::Cancelled;
    EndRecord(TransferResult::Cancelled, static_cast<int>(Msg::SystemProgramDownloadCanceled),
              T.Text(Msg::SystemProgramDownloadCanceled));
    // The dispatcher only records the cancel; it ends once this job's bit is clear.
    Dispatcher.Run(EV_CANCEL);
    State = JobState::Finish;
    return 1;
}

int SystemDownloadJob::FinishSystemJob() {
    KillTimeout();
    // Ready reports are left on: the sub module passes everything to the
    // machine now, so the byte that turns them off would reach it as data.
    T.Engine.EventMask &= ~(EV_RESUME | EV_TX_EMPTY);
    Dispatcher.TransferEnded(endState_ != 0 ? endState_ : JobState::Unknown);
    endState_ = 0;
    FailText.clear();
    FailRow = -1;
    return FinishTransferJob();
}

void SystemDownloadJob::EndRecord(TransferResult result, int row, const std::string& text) {
    const uint32_t done = result == TransferResult::Completed ? T.FileSize : std::min(T.FileOffset, T.FileSize);
    T.Journal.EndWith(result, row, text, T.FileBuffer.get(), T.FileBuffer ? T.FileSize : 0, done);
}

void SystemDownloadJob::ShowFailure() { T.ShowStatus(FailText, 1); }

int SystemDownloadJob::RunEndState() {
    switch (State) {
        case JobState::Completed:
        case JobState::Failed:
            KillTimeout();
            endState_ = State;
            if (State == JobState::Completed) {
                ShowCompleted();
                EndRecord(TransferResult::Completed, static_cast<int>(Msg::SystemProgramDownloadCompleted),
                          T.Text(Msg::SystemProgramDownloadCompleted));
            } else {
                ShowFailure();
                EndRecord(TransferResult::Failed, FailRow, FailText);
            }
            State = JobState::Finish;
            return 1;

        case JobState::Finish:
            return FinishSystemJob();

        default:
            return LeaveUnknownState();
    }
}
