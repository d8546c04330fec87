#include "upload/DynaPertUploadJob.h"

#include "engine/ControlBytes.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"

namespace {
// The machine's menu line: "E*" after at least one character.
bool ShowsMenuEnd(const std::string& line) {
    std::size_t at = line.find("E*");
    return at != std::string::npos && at >= 1;
}
}  // namespace

DynaPertUploadJob::DynaPertUploadJob(Terminal& terminal, UploadDispatcher& dispatcher)
    : UploadJob(terminal, JobBit::UploadDynaPert, dispatcher) {}

int DynaPertUploadJob::AskKey() {
    char key = 0;
    State = kPromptOpen;
    bool chosen = T.View.AskPOrTKey(key);
    if (State != kPromptOpen) return 0;   // ended meanwhile
    if (!chosen || (key != 'P' && key != 'T')) {
        State = JobState::Cancelled;
        return 1;
    }
    T.StatusFlags &= ~Status::LineAvailable;
    listPrefix_ = T.PartialLine;
    T.ReceivedText.clear();
    CollectText();
    T.SendLine.clear();
    State = 90;
    ArmTimeout(kReplyWaitMs);
    T.QueueByte(static_cast<uint8_t>(key), false);
    return 0;
}

void DynaPertUploadJob::TakeProgram() {
    const std::string& received = CollectedText();
    auto n = static_cast<int64_t>(received.size()) - static_cast<int64_t>(listPrefix_.size());
    UploadText.clear();
    if (n <= 0) return;
    std::string text = received.substr(1, static_cast<std::size_t>(n - 1));
    std::size_t end = text.find_last_not_of(" \r\n");
    if (end == std::string::npos) return;
    UploadText = text.substr(0, end + 1) + "\r\n";
}

int DynaPertUploadJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    switch (State) {
        case 0:
            T.RefreshPages();
            T.StatusFlags &= ~Status::LinkIdle;
            T.PartialLine.clear();
            T.ReceivedByte = 0;
            UploadText.clear();
            listPrefix_.clear();
            State = 20;
            BeginWait(kReplyWaitMs);
            T.QueueByte(ControlByte::Etx, false);
            return 0;

        case 20:
        case 30:
            if (T.PartialLine == "*") {
                State = 40;
                return 1;
            }
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            if (!(event & EV_DATA)) return 0;
            if (WaitOutlasted()) return FailWith(Msg::NoResponseFromMc);
            ArmTimeout(kReplyWaitMs);
            if (State == 20 && T.ReceivedByte == '~') {
                T.PartialLine.clear();
                State = 30;
                T.QueueByte(ControlByte::Etx, false);
            } else if (State == 20 && T.ReceivedByte == '?') {
                T.PartialLine.clear();
                State = 30;
                T.QueueText("N", false);
            }
            return 0;

        case 40:
            T.ClearReply();
            State = 50;
            BeginWait(kReplyWaitMs);
            T.QueueText("E", false);
            return 0;

        case 50:
            if (T.LastReplyLine == "*E") {
                // The menu line follows; a machine that stops here must not
                // hold the job for good.
                State = 60;
                BeginWait(kReplyWaitMs);
                return 1;
            }
            if ((event & EV_TIMEOUT) || WaitOutlasted()) return FailWith(Msg::NoResponseFromMc);
            if (event & EV_DATA) ArmTimeout(kReplyWaitMs);
            return 0;

        case 60: {
            const std::string& line = T.PartialLine;
            if (line.rfind("PROG", 0) == 0) {
                // The machine asks which program: the operator's keys go to it.
                KillTimeout();
                T.StatusFlags |= Status::LinkIdle;
                State = 70;
                return 0;
            }
            if (line.find("E*") != std::string::npos) {
                KillTimeout();
                if (std::string("VSHDM").find(line[0]) != std::string::npos) {
                    State = 80;
                    return 1;
                }
                return FailShowing(Msg::NoProgramInMachine);
            }
            if (line.rfind("NO ", 0) == 0) {
                KillTimeout();
                return FailShowing(Msg::NoProgramInMachine);
            }
            if ((event & EV_TIMEOUT) || WaitOutlasted()) return FailWith(Msg::NoResponseFromMc);
            if (event & EV_DATA) ArmTimeout(kReplyWaitMs);
            return 0;
        }

        case 70:
            // Waits for the operator, without a time-out.
            if (!ShowsMenuEnd(T.PartialLine)) return 0;
            T.StatusFlags &= ~Status::LinkIdle;
            State = 80;
            return 1;

        case 80:
            return AskKey();

        case kPromptOpen:
            return 0;

        case 90:
            if (T.StatusFlags & Status::LineAvailable) {
                T.StatusFlags &= ~Status::LineAvailable;
                ShowUploading();
                State = 100;
                return 1;
            }
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            return 0;

        case 100:
            ShowTime(Status::UploadTime);
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            ArmTimeout(kReplyWaitMs);
            if (ShowsMenuEnd(T.PartialLine)) {
                KillTimeout();
                TakeProgram();
                State = JobState::Completed;
                return 1;
            }
            return 0;

        case JobState::Cancelled:
            T.StatusFlags &= ~Status::LinkIdle;
            return CancelUpload();

        default:
            return RunEndState();
    }
}
