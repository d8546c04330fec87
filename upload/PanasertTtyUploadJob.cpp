#include "upload/PanasertTtyUploadJob.h"

#include "engine/ControlBytes.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"

namespace {
constexpr const char* kReadCommand = "RA,";
}  // namespace

PanasertTtyUploadJob::PanasertTtyUploadJob(Terminal& terminal, UploadDispatcher& dispatcher)
    : UploadJob(terminal, JobBit::UploadPanasertTty, dispatcher) {}

bool PanasertTtyUploadJob::TakeProgramLines(const ReceivedLineList& lines, std::size_t from) {
    for (std::size_t i = from; i < lines.size(); ++i) {
        const std::string& line = lines[i].Text;
        if (lines[i].Mark != 0) continue;
        if (line.find('*') != std::string::npos) {
            AppendLine(line);
            return true;
        }
        if (line[0] == 'N') AppendLine(line);
    }
    return false;
}

int PanasertTtyUploadJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    switch (State) {
        case 0:
            T.Engine.EventMask = kDefaultEventMask;
            T.RefreshPages();
            return Begin(10);

        case 10:
            if (!QuietLineEnded(event)) return 0;
            State = 20;
            ArmTimeout(kReplyWaitMs);
            T.QueueByte(T.ExpectEcho(ControlByte::Cr), false);
            return 0;

        case 20:
            if (T.StatusFlags & Status::EchoArrived) {
                KillTimeout();
                State = 30;
                return 1;
            }
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            return 0;

        case 30:
            T.ClearReply();
            T.ReceivedText.clear();
            CollectLines();
            State = 40;
            ArmTimeout(kReplyWaitMs);
            T.QueueText(kReadCommand, false);
            return 0;

        case 40: {
            ReceivedLineList lines = TakeLines();
            std::size_t echo = lines.size();
            for (std::size_t i = 0; i < lines.size(); ++i) {
                if (lines[i].Mark == 0 && lines[i].Text == kReadCommand) {
                    echo = i;
                    break;
                }
            }
            if (echo == lines.size() && T.PartialLine != kReadCommand) {
                if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
                return 0;
            }
            KillTimeout();
            ShowUploading();
            State = 50;
            // Program lines that came with the echo.
            if (echo < lines.size() && TakeProgramLines(lines, echo + 1)) {
                State = JobState::Completed;
                return 1;
            }
            ArmTimeout(kReplyWaitMs);
            return 0;
        }

        case 50:
            ShowTime(Status::UploadTime);
            if (TakeProgramLines(TakeLines(), 0)) {
                KillTimeout();
                State = JobState::Completed;
                return 1;
            }
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            if (event & EV_DATA) ArmTimeout(kReplyWaitMs);
            return 0;

        case JobState::Cancelled:
            return CancelUpload();

        default:
            return RunEndState();
    }
}
