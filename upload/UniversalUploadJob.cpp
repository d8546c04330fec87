#include "upload/UniversalUploadJob.h"

#include "engine/ControlBytes.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"

namespace {
constexpr const char* kListingMark = ">  ";

bool IsListingLine(const std::string& line) { return line.size() >= 7 && line.compare(4, 3, kListingMark) == 0; }
}  // namespace

UniversalUploadJob::UniversalUploadJob(Terminal& terminal, UploadDispatcher& dispatcher)
    : UploadJob(terminal, JobBit::UploadUniversal, dispatcher) {}

int UniversalUploadJob::TakeReceived(uint32_t event) {
    ShowTime(Status::DownloadTime);
    bool taken = false;
    for (const ReceivedLine& entry : TakeLines()) {
        if (entry.Mark != 0 || !IsListingLine(entry.Text)) continue;
        taken = true;
        AppendLine(entry.Text);
        CountLine();
        ArmTimeout(kReplyWaitMs);
        if (State == 20) {
            ShowUploading(T.CurrentItem.McProgramName);
            State = 30;
        }
    }
    // Every line before the prompt has been taken above.
    if (T.PartialLine.rfind(machinePrompt_, 0) == 0) {
        KillTimeout();
        if (State == 30) {
            State = JobState::Completed;
            return 1;
        }
        // Back at the prompt without a listing.
        if (!T.LastReplyLine.empty() && T.LastReplyLine[0] == '?') {
            TransferProgress& p = T.Progress;
            p.TotalDone += p.FileBytes;
            T.View.SetTotalProgress(BarValue(p.TotalDone), BarValue(p.TotalBytes));
            T.QueueByte(ControlByte::Etx, false);
        }
        FailText = kUploadingFailed;
        State = JobState::Failed;
        return 1;
    }
    if (!taken && (event & EV_TIMEOUT)) return FailWith(Msg::NoResponseFromMc);
    return 0;
}

int UniversalUploadJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    switch (State) {
        case 0:
            T.StatusFlags &= ~Status::LinkIdle;
            T.PartialLine.clear();
            UploadText.clear();
            State = 10;
            ArmTimeout(kReplyWaitMs);
            T.QueueByte(ControlByte::Etx, false);
            return 0;

        case 10:
            if (T.PartialLine.find(kListingMark) != std::string::npos) {
                machinePrompt_ = T.PartialLine;
                T.ClearReply();
                UploadText.clear();
                T.StatusFlags &= ~Status::LineAvailable;
                CollectLines();
                State = 20;
                ArmTimeout(kReplyWaitMs);
                T.QueueText("OU " + T.CurrentItem.McProgramName + "\r", false);
                return 0;
            }
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            return 0;

        case 20:
        case 30:
            return TakeReceived(event);

        case JobState::Cancelled:
            return CancelUpload();

        default:
            return RunEndState();
    }
}
