#include "sysdownload/SystemDownloadDispatcher.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <string_view>

#include "app/CKOVAApp.h"
#include "app/PathRules.h"
#include "app/TransferRecord.h"
#include "download/NcFileRules.h"
#include "engine/DownloadRequest.h"
#include "engine/EventLoop.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"
#include "sysdownload/SystemPreamble.h"

namespace {
constexpr long kMaxDelayByte = 200;

struct TypeJob {
    std::string_view Type;
    uint32_t Bit;
};
constexpr std::array<TypeJob, 2> kTypeJobs{{
    {"UNIVERSAL", JobBit::SystemFirstProtocol},
    {"TDK/VC5", JobBit::SystemSecondProtocol},
}};
}  // namespace

SystemDownloadDispatcher::SystemDownloadDispatcher(Terminal& terminal) : Job(terminal, JobBit::SystemDispatcher) {}

uint32_t SystemDownloadDispatcher::JobBitFor(const std::string& type) {
    for (const TypeJob& entry : kTypeJobs) {
        if (entry.Type == type) return entry.Bit;
    }
    return 0;
}

uint8_t SystemDownloadDispatcher::DelayByte(const std::string& delayBits) {
    long value = std::strtol(delayBits.c_str(), nullptr, 10);
    return static_cast<uint8_t>(std::clamp(value, 0L, kMaxDelayByte));
}

void SystemDownloadDispatcher::TransferEnded(int endState) { endState_ = endState; }

bool SystemDownloadDispatcher::LoadFile(const std::string& folder, const TransferItem& item) {
    NcFileContent content;
    NcFileStatus status = ReadNcFile(folder, item.FileName, content);
    T.Journal.Begin(T, TransferDirection::SystemDownload, JoinPath(folder, item.FileName), item.McProgramName);
    if (status != NcFileStatus::Loaded) {
        // Only a file that was read whole goes out; anything else lets the
        // operator choose again.
        const Msg row = status == NcFileStatus::Empty ? Msg::EmptyFile : Msg::FileNotOpen;
        T.ShowStatus(row, 1);
        T.Journal.End(TransferResult::Failed, static_cast<int>(row), T.Text(row));
        return false;
    }
    T.FileBuffer = std::move(content.Bytes);
    T.FileSize = content.Size;
    T.FileOffset = 0;
    T.StatusFlags |= Status::FileBufferLoaded;
    T.Journal.SetContent(T.FileBuffer.get(), T.FileSize, 0);
    return true;
}

int SystemDownloadDispatcher::ChooseFile() {
    DownloadRequest request;
    request.ShowProgramNames = T.CurrentTypeIs("TDK/VC5") || T.CurrentTypeIs("UNIVERSAL");
    request.SystemProgram = true;
    cancelWhileDialogOpen_ = false;
    State = kDialogOpen;
    bool chosen = T.View.RunDownloadDialog(request);
    if (State != kDialogOpen) return 0;   // ended meanwhile
    if (cancelWhileDialogOpen_ || !chosen || request.Files.empty()) {
        State = JobState::Cancelled;
        return 1;
    }
    T.App.CurrentChannel.McDelayBit_sys = request.SysDelayBits;
    T.CurrentItem = request.Files.front();
    const std::string& folder =
        request.TransferFolder.empty() ? T.App.CurrentChannel.NcdFileFolder : request.TransferFolder;
    if (!LoadFile(folder, T.CurrentItem)) {
        State = 20;   // the dialog opens again
        return 1;
    }

    uint32_t bit = JobBitFor(T.CurrentMcType());
    if (bit == 0 || !T.Engine.HasJob(bit)) {
        FailText = T.Text(Msg::InvalidEquipmentType);
        FailRow = static_cast<int>(Msg::InvalidEquipmentType);
        State = JobState::Failed;
        return 1;
    }
    // The bars count the bytes read, which may differ from the listed length.
    TransferProgress& p = T.Progress;
    p.FileBytes = static_cast<int64_t>(T.FileSize) + (bit == JobBit::SystemFirstProtocol ? kSystemPreambleSize : 0);
    p.TotalBytes = p.FileBytes;
    T.View.SetFileProgress(0, BarValue(p.FileBytes));
    T.View.SetTotalProgress(0, BarValue(p.TotalBytes));
    p.FileDone = 1;
    p.TotalDone = 1;
    p.StartClockMs = T.Loop.NowMs();
    p.LastShownSecond = -1;
    // The job may end within StartJob (a declined question): 9000 must be set first.
    State = JobState::Completed;
    T.StartJob(bit);
    return 0;
}

int SystemDownloadDispatcher::Run(uint32_t event) {
    if (event == EV_START) State = 0;
    if (event & EV_CANCEL) {
        if (State == kDialogOpen) {
            cancelWhileDialogOpen_ = true;
            return 0;
        }
        // A per-type job hands its cancel down while its own bit is still set:
        // the end states run on the next call, when only this job is left.
        if (State != JobState::Finish) State = JobState::Cancelled;
        return 1;
    }

    switch (State) {
        case 0:
            if (T.Engine.ActiveJobs & ~Bit) {
                // Refused without touching the link or the shared state.
                T.Engine.ActiveJobs &= ~Bit;
                T.ShowStatus(Msg::SystemProgramDownloadCanceled, 1);
                endState_ = JobState::Cancelled;
                T.RefreshPages();
                return 0;
            }
            endState_ = 0;
            return TakeOverLink(20, 10);

        case 10:
            return AfterConnect(20, Msg::DownloadCanceledSubNotConnected);

        case 20:
            return ChooseFile();

        case kDialogOpen:
            return 0;

        case JobState::Completed:
            if (endState_ == JobState::Completed) {
                T.Progress.TotalDone = T.Progress.TotalBytes;
                T.Progress.FileDone = T.Progress.FileBytes;
                T.View.SetFileProgress(BarValue(T.Progress.FileDone), BarValue(T.Progress.FileBytes));
                T.View.SetTotalProgress(BarValue(T.Progress.TotalDone), BarValue(T.Progress.TotalBytes));
            }
            State = JobState::Finish;
            return 1;

        case JobState::Cancelled:
            T.ShowStatus(Msg::SystemProgramDownloadCanceled, 1);
            if (endState_ == 0) endState_ = JobState::Cancelled;
            State = JobState::Finish;
            return 1;

        case JobState::Failed:
            T.ShowStatus(FailText, 1);
            endState_ = JobState::Failed;
            State = JobState::Finish;
            return 1;

        case JobState::Finish: {
            if (T.StatusFlags & (Status::DownloadTime | Status::UploadTime)) T.ShowDownloadTime();
            T.StatusFlags &= ~(Status::DownloadTime | Status::UploadTime | Status::FileBufferLoaded);
            if (endState_ == 0) endState_ = JobState::Unknown;
            // A program whose job did not get to end its record ends with the run.
            if (endState_ == JobState::Cancelled) {
                T.Journal.End(TransferResult::Cancelled, static_cast<int>(Msg::SystemProgramDownloadCanceled),
                              T.Text(Msg::SystemProgramDownloadCanceled));
            } else {
                T.Journal.End(TransferResult::Failed, FailRow, FailText);
            }
            int result = FinishJob();
            // The machine restarts after a system download: the link must be made again.
            T.ShowStatus(Msg::KeepDisconnectingReconnect, 1);
            T.FileBuffer.reset();
            T.FileSize = 0;
            T.FileOffset = 0;
            return result;
        }

        default:
            return LeaveUnknownState();
    }
}
