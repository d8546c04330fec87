#include "download/DownloadDispatcher.h"

#include <algorithm>

#include "app/CKOVAApp.h"
#include "app/PathRules.h"
#include "app/TransferRecord.h"
#include "engine/DownloadRequest.h"
#include "engine/EventLoop.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "download/NcFileRules.h"
#include "download/ProgramCompare.h"
#include "lang/TextPair.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"
#include "engine/TransferJobBits.h"
#include "engine/SubModuleCommands.h"

namespace {
constexpr uint32_t kEchoWaitMs = 1000;

constexpr TextPair kVerified{"Verified", "검증 완료"};
constexpr TextPair kNotVerified{"Verify failed", "검증 실패"};
constexpr TextPair kNotReadBack{"Not verified: the machine did not send the program back",
                                "검증 못함: 설비가 프로그램을 보내지 않았습니다"};
}  // namespace

DownloadDispatcher::DownloadDispatcher(Terminal& terminal) : Job(terminal, JobBit::DownloadDispatcher) {}

uint32_t DownloadDispatcher::JobBitFor(const std::string& type) { return TransferJobBitsFor(type).Download; }

void DownloadDispatcher::FileEnded(bool completed) {
    if (completed && T.ReceiveLossCount != receiveLossesAtStart_) {
        // The machine's answers that decide the protocol may be among the lost bytes.
        T.ShowStatus(Terminal::kReceiveLostText, 0);
        completed = false;
    }
    result_.Count(completed);
    readBackDue_ = completed && verify_ && ProgramCompare::CanVerify(T.CurrentMcType());
}

int DownloadDispatcher::StartReadBack() {
    readBackDue_ = false;
    const uint32_t bit = TransferJobBitsFor(T.CurrentMcType()).Upload;
    readBack_ = ProgramReadBack{};
    if (bit == 0 || !T.Engine.HasJob(bit)) {
        State = kReadingBack;
        return 1;
    }
    progressBeforeReadBack_ = T.Progress;
    T.ReadBack = &readBack_;
    State = kReadingBack;
    T.StartJob(bit);
    return 0;
}

int DownloadDispatcher::CheckReadBack() {
    if (T.Engine.IsActive(TransferJobBitsFor(T.CurrentMcType()).Upload)) return 0;
    T.ReadBack = nullptr;
    // The read-back moved the bars as an upload would; they show the download again.
    T.Progress = progressBeforeReadBack_;
    T.View.SetFileProgress(BarValue(T.Progress.FileDone), BarValue(T.Progress.FileBytes));
    ShowTotalProgress();
    const int language = T.App._nLanguage;
    const std::string file = " (" + T.CurrentItem.FileName + ")";
    State = 40;
    if (readBack_.Cancelled) {
        T.Journal.EndHeld("not verified: cancelled");
        ++result_.FilesNotVerified;
        State = JobState::Cancelled;
        return 1;
    }
    if (!readBack_.Completed) {
        T.ShowStatus(kNotReadBack.For(language) + file, 0);
        // The read-back's own failure has been shown already; the record keeps it.
        T.Journal.EndHeld("not verified: " + (readBack_.FailText.empty() ? std::string(kNotReadBack.English)
                                                                           : readBack_.FailText));
        ++result_.FilesNotVerified;
        return 1;
    }
    const std::string sent(reinterpret_cast<const char*>(T.FileBuffer.get()), T.FileBuffer ? T.FileSize : 0);
    const ProgramDifference difference = ProgramCompare::Compare(T.CurrentMcType(), sent, readBack_.Text);
    T.Journal.EndHeld(difference.Describe());
    if (difference.Equal) {
        T.ShowStatus(kVerified.For(language) + file, 0);
        return 1;
    }
    T.ShowStatus(kNotVerified.For(language) + file + ": " + difference.Describe(), 0);
    ++result_.FilesNotVerified;
    return 1;
}

void DownloadDispatcher::ShowTotalProgress() {
    T.View.SetTotalProgress(BarValue(T.Progress.TotalDone), BarValue(T.Progress.TotalBytes));
}

void DownloadDispatcher::CloseFile() {
    if (!fileOpen_) return;
    fileOpen_ = false;
    uint32_t sent = std::min(T.FileOffset, T.FileSize);
    sentBefore_ += sent;
    if (sent != T.FileSize) {
        // What was not sent no longer counts towards the whole selection.
        T.Progress.TotalBytes -= T.FileSize - sent;
        T.Progress.TotalDone = sentBefore_;
        ShowTotalProgress();
        T.ShowDownloadTime();
    }
}

bool DownloadDispatcher::StartNextFile(int& result) {
    TransferProgress& p = T.Progress;
    while (!T.PcFileList.empty()) {
        T.CurrentItem = T.PcFileList.back();
        T.PcFileList.pop_back();
        const std::string& name = T.CurrentItem.FileName;

        NcFileContent content;
        NcFileStatus status = ReadNcFile(T.TransferFolder, name, content);
        T.Journal.Begin(T, TransferDirection::Download, JoinPath(T.TransferFolder, name),
                        T.CurrentItem.McProgramName);
        if (status != NcFileStatus::Loaded) {
            const Msg row = status == NcFileStatus::Empty ? Msg::EmptyFile : Msg::FileNotOpen;
            T.ShowStatus(row, 1);
            T.Journal.End(TransferResult::Failed, static_cast<int>(row), T.Text(row));
            ++result_.FilesNotCompleted;
            p.TotalBytes -= static_cast<int64_t>(T.CurrentItem.Length);
            ShowTotalProgress();
            continue;
        }

        T.FileBuffer = std::move(content.Bytes);
        T.FileSize = content.Size;
        T.FileOffset = 0;
        T.StatusFlags |= Status::FileBufferLoaded;
        // The file may have changed since the dialog listed it: count what is sent.
        p.TotalBytes += static_cast<int64_t>(T.FileSize) - static_cast<int64_t>(T.CurrentItem.Length);
        p.FileBytes = T.FileSize;
        p.FileDone = 1;
        T.View.SetFileProgress(0, BarValue(p.FileBytes));
        fileOpen_ = true;

        // The type is looked at only once a file is ready to go: files that
        // cannot be read are reported as such whatever the machine.
        T.Journal.SetContent(T.FileBuffer.get(), T.FileSize, 0);
        if (verify_ && ProgramCompare::CanVerify(T.CurrentMcType())) T.Journal.HoldIfCompleted();
        readBackDue_ = false;
        uint32_t bit = JobBitFor(T.CurrentMcType());
        if (bit == 0 || !T.Engine.HasJob(bit)) {
            ++result_.FilesNotCompleted;
            FailText = T.Text(Msg::InvalidEquipmentType);
            FailRow = static_cast<int>(Msg::InvalidEquipmentType);
            State = JobState::Failed;
            result = 1;
            return true;
        }
        // The job may end within StartJob (a declined prompt); state 40 then
        // goes on with the next file, so nothing here may follow the start.
        State = 40;
        receiveLossesAtStart_ = T.ReceiveLossCount;
        T.StartJob(bit);
        result = 0;
        return true;
    }
    return false;
}

int DownloadDispatcher::Run(uint32_t event) {
    if (event == EV_START) State = 0;
    if (event & EV_CANCEL) {
        // A per-type job hands its cancel down while its own bit is still set:
        // the end states run on the next call, when only this job is left.
        if (State != JobState::Finish) State = JobState::Cancelled;
        return 1;
    }

    switch (State) {
        case 0:
            result_ = RunResult{};
            return TakeOverLink(20, 10);

        case 10:
            return AfterConnect(20, Msg::DownloadCanceledSubNotConnected);

        case 20: {
            State = 30;
            uint32_t listJob = T.CurrentTypeIs("UNIVERSAL") ? JobBit::ListUniversal
                               : T.CurrentTypeIs("TDK/VC5") ? JobBit::ListTdkVc5
                                                            : 0;
            if (listJob != 0 && T.Engine.HasJob(listJob)) {
                T.StartJob(listJob);
                return 0;
            }
            return 1;
        }

        case 30: {
            DownloadRequest request;
            request.ShowProgramNames = T.CurrentTypeIs("TDK/VC5") || T.CurrentTypeIs("UNIVERSAL");
            // While the modal dialog is open, events that reach this job find
            // it in a state that ignores them.
            State = kDialogOpen;
            bool chosen = T.View.RunDownloadDialog(request);
            if (State != kDialogOpen) return 0;   // ended meanwhile
            if (!chosen || request.Files.empty()) {
                State = JobState::Cancelled;
                return 1;
            }
            BeginRun(request.Files, request.TransferFolder);
            T.FileOffset = 0;
            T.FileSize = 0;
            sentBefore_ = 0;
            fileOpen_ = false;
            readBackDue_ = false;
            verify_ = request.Verify || T.App.CurrentChannel.VerifyAfterDownload == 1;
            State = 40;
            return 1;
        }

        case kDialogOpen:
            return 0;

        case kReadingBack:
            return CheckReadBack();

        case 40: {
            if (readBackDue_) return StartReadBack();
            CloseFile();
            int result = 1;
            if (StartNextFile(result)) return result;
            State = 50;
            return 1;
        }

        case 50:
            if (T.Engine.EventMask & EV_RESUME) {
                State = 52;
                ArmTimeout(kEchoWaitMs);
                T.QueueByte(T.ExpectEcho(SubModuleCommand::ReadyReportsOff), false);
                return 0;
            }
            State = JobState::Completed;
            return 1;

        case 52:
            if (event & EV_TIMEOUT) {
                T.ShowStatus(WithState(T.Text(Msg::FailedToSetupModule)), 0);
                State = JobState::Completed;
                return 1;
            }
            if (T.StatusFlags & Status::EchoArrived) {
                KillTimeout();
                T.Engine.EventMask &= ~EV_RESUME;
                State = JobState::Completed;
                return 1;
            }
            return 0;

        case JobState::Completed:
            T.View.SetFileProgress(BarValue(T.Progress.FileBytes), BarValue(T.Progress.FileBytes));
            T.View.SetTotalProgress(BarValue(T.Progress.TotalBytes), BarValue(T.Progress.TotalBytes));
            result_.EndState = JobState::Completed;
            State = JobState::Finish;
            return 1;

        case JobState::Cancelled:
        case JobState::Failed:
            return EndRun(result_, Msg::DownloadingCanceled);

        case JobState::Finish:
            KillTimeout();
            T.ReadBack = nullptr;
            readBackDue_ = false;
            T.Journal.EndHeld("not verified");
            // A file whose job did not get to end its record ends with the run.
            if (T.Journal.Open()) {
                const bool cancelled = result_.EndState == JobState::Cancelled;
                T.Journal.End(cancelled ? TransferResult::Cancelled : TransferResult::Failed,
                              cancelled ? static_cast<int>(Msg::DownloadingCanceled) : FailRow,
                              cancelled ? T.Text(Msg::DownloadingCanceled) : FailText);
            }
            CloseFile();
            // Files that were chosen but never reached their turn.
            result_.FilesNotCompleted += static_cast<int>(T.PcFileList.size());
            if (T.StatusFlags & (Status::DownloadTime | Status::UploadTime)) T.ShowDownloadTime();
            T.StatusFlags &= ~(Status::DownloadTime | Status::UploadTime | Status::FileBufferLoaded);
            T.FileBuffer.reset();
            T.FileSize = 0;
            T.FileOffset = 0;
            T.PcFileList.clear();
            T.TransferFolder.clear();
            return FinishJob();

        default:
            result_.EndState = JobState::Unknown;
            State = JobState::Finish;
            return 1;
    }
}
