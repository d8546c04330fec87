#include "upload/CitizenM10UploadJob.h"

#include "engine/ControlBytes.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/SubModuleCommands.h"
#include "engine/Terminal.h"

CitizenM10UploadJob::CitizenM10UploadJob(Terminal& terminal, UploadDispatcher& dispatcher)
    : UploadJob(terminal, JobBit::UploadCitizenM10, dispatcher) {}

bool CitizenM10UploadJob::TakeReceived() {
    for (const ReceivedLine& entry : TakeLines()) {
        if (!started_) {
            started_ = entry.Mark == ControlByte::Dc2;
            continue;
        }
        if (entry.Mark == 0) {
            AppendLine(entry.Text);
        } else if (entry.Mark == ControlByte::Dc4) {
            if (!entry.Text.empty()) AppendLine(entry.Text);
            return true;
        } else if (entry.Mark == '%') {
            // A tape may open with '%' as well: one before any program text
            // is its leading mark, which stays in its line, not the end.
            if (UploadText.empty() && entry.Text.empty()) continue;
            AppendLine(entry.Text + "%");
            return true;
        }
    }
    return false;
}

int CitizenM10UploadJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    switch (State) {
        case 0:
            started_ = false;
            return Begin(10);

        case 10:
            if (!QuietLineEnded(event)) return 0;
            T.LastControlByte = 0;
            T.StatusFlags &= ~Status::LineAvailable;
            UploadText.clear();
            CollectLines();
            T.QueueByte(SubModuleCommand::CloseDialogue, false);
            T.ShowStatus(T.Text(Msg::WaitingToUpload) + " (" + T.CurrentItem.FileName + ")", 1);
            State = 20;
            return 0;

        case 20: {
            // Waits for the operator, without a time-out.
            bool ended = TakeReceived();
            if (!started_) return 0;
            ShowUploading();
            if (ended) {
                State = JobState::Completed;
                return 1;
            }
            State = 30;
            ArmTimeout(kReplyWaitMs);
            return 0;
        }

        case 30:
            ShowTime(Status::UploadTime);
            if (TakeReceived()) {
                KillTimeout();
                State = JobState::Completed;
                return 1;
            }
            if (event & EV_TIMEOUT) return FailWith(Msg::CanceledByTimeout);
            ArmTimeout(kReplyWaitMs);
            return 0;

        case JobState::Cancelled:
            // The punch is the operator's; nothing to stop from here.
            return CancelUpload(false);

        default:
            return RunEndState();
    }
}
