#include "upload/UploadDispatcher.h"

#include "app/CKOVAApp.h"
#include "app/PathRules.h"
#include "app/TransferRecord.h"
#include "engine/EventLoop.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/SubModuleCommands.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"
#include "engine/TransferJobBits.h"
#include "engine/UploadRequest.h"

UploadDispatcher::UploadDispatcher(Terminal& terminal) : Job(terminal, JobBit::UploadDispatcher) {}

uint32_t UploadDispatcher::JobBitFor(const std::string& type) { return TransferJobBitsFor(type).Upload; }

int UploadDispatcher::ShowDialog() {
    UploadRequest request;
    request.ShowMachineList = T.CurrentTypeIs("TDK/VC5") || T.CurrentTypeIs("UNIVERSAL");
    // While the modal dialog is open, events that reach this job find it in
    // a state that ignores them.
    State = kDialogOpen;
    bool chosen = T.View.RunUploadDialog(request);
    if (State != kDialogOpen) return 0;   // ended meanwhile
    if (!chosen || request.Files.empty()) {
        State = JobState::Cancelled;
        return 1;
    }
    BeginRun(request.Files, request.TransferFolder);
    State = 50;
    return 1;
}

int UploadDispatcher::StartNextItem() {
    if (T.PcFileList.empty()) {
        State = JobState::Completed;
        return 1;
    }
    T.CurrentItem = T.PcFileList.back();
    T.PcFileList.pop_back();
    TransferProgress& p = T.Progress;
    p.FileBytes = static_cast<int64_t>(T.CurrentItem.Length);
    T.View.SetFileProgress(0, BarValue(p.FileBytes));
    p.FileDone = 1;
    T.Journal.Begin(T, TransferDirection::Upload, JoinPath(T.TransferFolder, T.CurrentItem.FileName),
                    T.CurrentItem.McProgramName);
    uint32_t bit = JobBitFor(T.CurrentMcType());
    if (bit == 0 || !T.Engine.HasJob(bit)) {
        ++result_.FilesNotCompleted;
        FailText = T.Text(Msg::InvalidEquipmentType);
        FailRow = static_cast<int>(Msg::InvalidEquipmentType);
        State = JobState::Failed;
        return 1;
    }
    // The job may end within StartJob (a declined prompt); state 50 then goes
    // on with the next item, so nothing here may follow the start.
    T.StartJob(bit);
    return 0;
}

int UploadDispatcher::Run(uint32_t event) {
    if (event == EV_START) State = 0;
    if (event & EV_CANCEL) {
        // A per-type job hands its cancel down while its own bit is still set:
        // the end states run on the next call, when only this job is left.
        if (State != JobState::Finish) State = JobState::Cancelled;
        return 1;
    }

    switch (State) {
        case 0:
            T.RefreshPages();
            T.StatusFlags &= ~Status::LinkIdle;
            T.Engine.EventMask = kDefaultEventMask;
            result_ = RunResult{};
            if (T.StatusFlags & Status::SubConnected) {
                State = 20;
                return 1;
            }
            State = 10;
            T.StartJob(JobBit::Connect);
            return 0;

        case 10:
            if (T.StatusFlags & Status::SubConnected) {
                State = 20;
                return 1;
            }
            FailText = T.Text(Msg::UploadCanceledSubNotConnected);
            State = JobState::Failed;
            return 1;

        case 20: {
            bool lineTypes = T.CurrentTypeIs("PANASERT/TTY") || T.CurrentTypeIs("TDK/VC5") ||
                             T.CurrentTypeIs("TDK/VC5A");
            ArmTimeout(kEchoWaitMs);
            T.QueueByte(SubModuleCommand::CloseDialogue, false);
            T.QueueByte(T.ExpectEcho(lineTypes ? SubModuleCommand::FirstOptionTtyAndVc5
                                               : SubModuleCommand::FirstOptionOthers),
                        false);
            State = 22;
            return 0;
        }

        case 22:
            if (T.StatusFlags & Status::EchoArrived) {
                KillTimeout();
                State = 30;
                return 1;
            }
            if (event & EV_TIMEOUT) return FailWith(Msg::FailedToSetupModule);
            return 0;

        case 30: {
            State = 40;
            uint32_t listJob = T.CurrentTypeIs("UNIVERSAL") ? JobBit::ListUniversal
                               : T.CurrentTypeIs("TDK/VC5") ? JobBit::ListTdkVc5
                                                            : 0;
            if (listJob != 0 && T.Engine.HasJob(listJob)) {
                T.StartJob(listJob);
                return 0;
            }
            return 1;
        }

        case 40:
            return ShowDialog();

        case kDialogOpen:
            return 0;

        case 50:
            return StartNextItem();

        case JobState::Completed: {
            TransferProgress& p = T.Progress;
            p.TotalDone = p.TotalBytes;
            p.FileDone = p.FileBytes;
            T.View.SetFileProgress(BarValue(p.FileBytes), BarValue(p.FileBytes));
            T.View.SetTotalProgress(BarValue(p.TotalBytes), BarValue(p.TotalBytes));
            result_.EndState = JobState::Completed;
            State = JobState::Finish;
            return 1;
        }

        case JobState::Cancelled:
        case JobState::Failed:
            return EndRun(result_, Msg::UploadingCanceled);

        case JobState::Finish:
            KillTimeout();
            // An item whose job did not get to end its record ends with the run.
            if (result_.EndState == JobState::Cancelled) {
                T.Journal.End(TransferResult::Cancelled, static_cast<int>(Msg::UploadingCanceled),
                              T.Text(Msg::UploadingCanceled));
            } else {
                T.Journal.End(TransferResult::Failed, FailRow, FailText);
            }
            // Items that were chosen but never reached their turn.
            result_.FilesNotCompleted += static_cast<int>(T.PcFileList.size());
            if (T.StatusFlags & (Status::DownloadTime | Status::UploadTime)) T.ShowUploadTime();
            T.StatusFlags &= ~(Status::DownloadTime | Status::UploadTime);
            T.PcFileList.clear();
            T.TransferFolder.clear();
            T.LineSink = nullptr;
            return FinishJob();

        default:
            result_.EndState = JobState::Unknown;
            State = JobState::Finish;
            return 1;
    }
}
