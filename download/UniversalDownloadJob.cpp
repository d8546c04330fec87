#include "download/UniversalDownloadJob.h"

#include "download/NcFileRules.h"
#include "engine/ControlBytes.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"

namespace {
constexpr const char* kPromptMark = ">  ";

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t";
    std::size_t begin = text.find_first_not_of(blanks);
    if (begin == std::string::npos) return {};
    return text.substr(begin, text.find_last_not_of(blanks) - begin + 1);
}
}  // namespace

UniversalDownloadJob::UniversalDownloadJob(Terminal& terminal, DownloadDispatcher& dispatcher)
    : DownloadJob(terminal, JobBit::DownloadUniversal, dispatcher) {}

std::string UniversalDownloadJob::MachineLine(const std::string& fileLine, bool last) {
    std::size_t mark = fileLine.find('>');
    if (mark == std::string::npos) {
        return fileLine.find('.') != std::string::npos ? Trimmed(fileLine) : std::string();
    }
    // The '.' that closes the input goes behind the text, not behind blanks.
    std::string text = Trimmed(fileLine.substr(mark + 1));
    if (last) text += '.';
    return text;
}

bool UniversalDownloadJob::NextMachineLine() {
    while (ReadLine()) {
        // Only looks at the next line; it is read again in its turn.
        std::string following;
        ReadNextLine(T.FileBuffer.get(), T.FileSize, T.FileOffset, following);
        std::string line = MachineLine(T.SendLine, following.empty());
        if (!line.empty()) {
            T.SendLine = line;
            return true;
        }
    }
    return false;
}

int UniversalDownloadJob::AnswerStepPrompt() {
    KillTimeout();
    if (T.LastReplyLine != T.SendLine) {
        T.ShowStatus(Msg::ReceiveDataInvalid, 1);
        ShowSentAndReceived();
        T.QueueByte(ControlByte::Etx, false);
        State = JobState::Finish;
        return 1;
    }
    // The step prompt must not stay in front of the next echo.
    T.PartialLine.clear();
    ArmTimeout(kReplyWaitMs);
    if (!NextMachineLine()) {
        State = 40;
        return Send(".\r") ? 0 : 1;
    }
    return Send(T.SendLine + "\r") ? 0 : 1;
}

int UniversalDownloadJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    switch (State) {
        case 0:
            T.StatusFlags &= ~Status::LinkIdle;
            T.StatusFlags |= Status::NoBreakAfterCr;
            T.FileOffset = 0;
            T.PartialLine.clear();
            State = 20;
            ArmTimeout(kReplyWaitMs);
            return SendByte(ControlByte::Etx) ? 0 : 1;

        case 20:
            if (T.PartialLine.find(kPromptMark) != std::string::npos) {
                prompt_ = T.PartialLine;
                T.ClearReply();
                T.SendLine = "IN " + T.CurrentItem.McProgramName;
                ShowDownloadingUnderName();
                State = 30;
                ArmTimeout(kReplyWaitMs);
                return Send(T.SendLine + "\r") ? 0 : 1;
            }
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            return 0;

        case 30:
            ShowTime();
            if (T.PartialLine.rfind(prompt_, 0) == 0) {
                // Back at the prompt: the machine left input by itself.
                KillTimeout();
                if (!T.LastReplyLine.empty() && T.LastReplyLine[0] == '?') {
                    T.QueueByte(ControlByte::Etx, false);
                    return FailWith(Msg::FailedToConfirmModuleVersion);
                }
                State = JobState::Completed;
                return 1;
            }
            if (T.PartialLine.find(kPromptMark) != std::string::npos) return AnswerStepPrompt();
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            return 0;

        case 40:
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            KillTimeout();
            State = JobState::Completed;
            return 1;

        case JobState::Cancelled: return StopMachineAndCancel();

        default:
            return RunEndState();
    }
}
