#include "upload/TdkVc5UploadJob.h"

#include "engine/ControlBytes.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"

TdkVc5UploadJob::TdkVc5UploadJob(Terminal& terminal, UploadDispatcher& dispatcher)
    : UploadJob(terminal, JobBit::UploadTdkVc5, dispatcher) {}

int TdkVc5UploadJob::TakeReceived(uint32_t event) {
    T.StatusFlags &= ~Status::LineAvailable;
    bool taken = false;
    for (const ReceivedLine& entry : TakeLines()) {
        if (entry.Mark != 0) continue;
        const std::string& line = entry.Text;
        taken = true;
        ArmTimeout(kReplyWaitMs);
        switch (State) {
            case 40:   // the echo of the command
                State = 50;
                break;
            case 50:
                if (line[0] == '?') {
                    TransferProgress& p = T.Progress;
                    p.TotalDone += static_cast<int64_t>(T.CurrentItem.Length);
                    T.View.SetTotalProgress(BarValue(p.TotalDone), BarValue(p.TotalBytes));
                    return FailShowing(Msg::UploadingFailed);
                }
                CountLine();
                ShowUploading(T.SendLine);
                UploadText = line + "\r\n";
                State = 60;
                break;
            default:   // 60
                AppendLine(line);
                if (line == "EX") {
                    KillTimeout();
                    State = JobState::Completed;
                    return 1;
                }
                CountLine();
                break;
        }
    }
    if (State >= 50) ShowTime(Status::DownloadTime);
    if (!taken && (event & EV_TIMEOUT)) return FailWith(Msg::NoResponseFromMc);
    return 0;
}

int TdkVc5UploadJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    switch (State) {
        case 0:
            return Begin(10);

        case 10:
            if (!(event & EV_TIMEOUT)) return 0;
            if (T.PartialLine == ".") {
                State = 30;
                return 1;
            }
            State = 20;
            ArmTimeout(kReplyWaitMs);
            if (T.PartialLine == "*") {
                T.PartialLine.clear();
                T.QueueText("EX\r", false);
            } else {
                T.PartialLine.clear();
                T.QueueByte(ControlByte::Etx, false);
            }
            return 0;

        case 20:
            if (T.PartialLine == ".") {
                KillTimeout();
                State = 30;
                return 1;
            }
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            return 0;

        case 30:
            T.StatusFlags &= ~Status::LineAvailable;
            T.ClearReply();
            CollectLines();
            T.SendLine = "WR " + T.CurrentItem.McProgramName;
            State = 40;
            ArmTimeout(kReplyWaitMs);
            T.QueueText(T.SendLine, false);
            T.QueueByte(ControlByte::Cr, false);
            return 0;

        case 40:
        case 50:
        case 60:
            return TakeReceived(event);

        case JobState::Cancelled:
            return CancelUpload();

        default:
            return RunEndState();
    }
}
