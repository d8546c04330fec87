#include "download/PanasertRs232DownloadJob.h"

#include "app/CKOVAApp.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "download/PanasertFrame.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"
#include "engine/ControlBytes.h"

PanasertRs232DownloadJob::PanasertRs232DownloadJob(Terminal& terminal, DownloadDispatcher& dispatcher)
    : DownloadJob(terminal, JobBit::DownloadPanasertRs232, dispatcher) {}

uint8_t PanasertRs232DownloadJob::EndByte() const {
    return T.App.CurrentChannel.PnrEtx == "CR" ? ControlByte::Cr : ControlByte::Etx;
}

bool PanasertRs232DownloadJob::SendDataFrame(const std::string& command, const std::string& data) {
    lastFrame_ = PanasertFrame::Build(command, data, EndByte());
    return Send(lastFrame_);
}

bool PanasertRs232DownloadJob::SendControlFrame(const std::string& command, const std::string& data) {
    return Send(PanasertFrame::Build(command, data, EndByte()));
}

int PanasertRs232DownloadJob::CheckAnswer() {
    T.StatusFlags &= ~Status::LineAvailable;
    KillTimeout();
    std::string command;
    std::string data;
    std::string errorCode;
    bool valid = PanasertFrame::Parse(T.LastReplyLine, command, data, errorCode);
    if (valid && command == "A0") {
        State = 40;
        return 1;
    }
    if (++Retries >= kMaxFailures) {
        T.QueueText(PanasertFrame::Build("A2", "", EndByte()), false);
        return FailWith(Msg::DownloadCanceledByTransferError);
    }
    ArmTimeout(kReplyWaitMs);
    ++T.Progress.Retries;
    bool sent = (valid && command == "A1") ? Send(lastFrame_) : SendControlFrame("A1", errorCode);
    return sent ? 0 : 1;
}

int PanasertRs232DownloadJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    switch (State) {
        case 0: {
            T.RefreshPages();
            T.StatusFlags &= ~(Status::LinkIdle | Status::ShowReceived | Status::EchoTransmitted);
            T.EndSeen = 0;
            T.McProgramName.clear();
            lastFrame_.clear();
            Retries = 0;
            // Frames that end in ETX must end a received line too.
            T.EtxEndsLine = EndByte() == ControlByte::Etx;
            const ChannelConfig& channel = T.App.CurrentChannel;
            if (channel.PnrPName) {
                std::string name;
                State = kPromptOpen;
                bool entered = T.View.AskProgramName(T.Text(Msg::EquipmentToRegisterProgramName), name);
                if (State != kPromptOpen) return 0;   // ended meanwhile
                State = 0;
                if (!entered) return CancelDownload();
                T.McProgramName = name;
            }
            if (!PanasertFrame::Fits("C0", T.McProgramName)) {
                FailNaming(Msg::InvalidNcdFormat, T.McProgramName);
                return 1;
            }
            State = 20;
            ArmTimeout(kSettleMs);
            return SendControlFrame("A2") ? 0 : 1;
        }

        case kPromptOpen:
            return 0;

        case 20:
            // Whatever the machine says to the abort frame does not matter.
            if (!(event & EV_TIMEOUT)) return 0;
            ShowDownloading(T.McProgramName);
            Retries = 0;
            State = 30;
            return 1;

        case 30:
            T.StatusFlags &= ~Status::LineAvailable;
            T.PartialLine.clear();
            State = 50;
            ArmTimeout(kReplyWaitMs);
            if (!SendDataFrame("C0", T.McProgramName)) return 1;
            if (!T.McProgramName.empty()) T.View.AppendCommText(T.McProgramName + "\r\n");
            return 0;

        case 40: {
            if (T.EndSeen) {
                // The machine's answer to the closing "A2", or ten quiet
                // seconds, completes the file.
                State = JobState::Completed;
                ArmTimeout(kReplyWaitMs);
                return SendControlFrame("A2") ? 0 : 1;
            }
            std::string line = NextProgramLine();
            if (!PanasertFrame::Fits("D0", line)) {
                // The machine holds part of a program: drop it.
                T.QueueText(PanasertFrame::Build("A2", "", EndByte()), false);
                FailNaming(Msg::InvalidNcdFormat, line);
                return 1;
            }
            Retries = 0;
            State = 50;
            ArmTimeout(kReplyWaitMs);
            if (!SendDataFrame("D0", line)) return 1;
            NoteEndMark(line);
            T.View.AppendCommText(line + "\r\n");
            return 0;
        }

        case 50:
            ShowTime();
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            if (!(T.StatusFlags & Status::LineAvailable)) return 0;
            return CheckAnswer();

        case JobState::Cancelled:
            T.QueueText(PanasertFrame::Build("A2", "", EndByte()), false);
            return CancelDownload();

        default:
            return RunEndState();
    }
}
