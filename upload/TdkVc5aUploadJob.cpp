#include "upload/TdkVc5aUploadJob.h"

#include "engine/ControlBytes.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/SubModuleCommands.h"
#include "engine/Terminal.h"

TdkVc5aUploadJob::TdkVc5aUploadJob(Terminal& terminal, UploadDispatcher& dispatcher)
    : UploadJob(terminal, JobBit::UploadTdkVc5a, dispatcher) {}

bool TdkVc5aUploadJob::TakeReceived() {
    for (const ReceivedLine& entry : TakeLines()) {
        if (entry.Mark != 0) continue;
        if (UploadText.empty()) ShowUploading(entry.Text);
        AppendLine(entry.Text);
        if (entry.Text.find("EX") != std::string::npos) return true;
    }
    return false;
}

int TdkVc5aUploadJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    switch (State) {
        case 0:
            return Begin(10);

        case 10:
            if (!QuietLineEnded(event)) return 0;
            T.ShowStatus(Msg::WaitingToUpload, 1);
            UploadText.clear();
            T.StatusFlags &= ~Status::LineAvailable;
            CollectLines();
            T.Engine.EventMask |= EV_LINE;
            State = 20;
            T.QueueByte(SubModuleCommand::CloseDialogue, false);
            return 0;

        case 20:
        case 30: {
            // State 20 waits for the operator, without a time-out.
            T.StatusFlags &= ~Status::LineAvailable;
            std::size_t before = UploadText.size();
            if (TakeReceived()) {
                KillTimeout();
                State = JobState::Completed;
                return 1;
            }
            if (UploadText.size() != before) {
                ShowTime(Status::UploadTime);
                ArmTimeout(kReplyWaitMs);
                State = 30;
                return 0;
            }
            if (State == 30 && event == EV_TIMEOUT) return FailWith(Msg::CanceledByTimeout);
            return 0;
        }

        case JobState::Cancelled:
            return CancelUpload();

        default:
            return RunEndState();
    }
}
