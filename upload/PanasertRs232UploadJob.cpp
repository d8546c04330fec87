#include "upload/PanasertRs232UploadJob.h"

#include "app/CKOVAApp.h"
#include "download/PanasertFrame.h"
#include "engine/ControlBytes.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"
#include "upload/UploadDispatcher.h"

PanasertRs232UploadJob::PanasertRs232UploadJob(Terminal& terminal, UploadDispatcher& dispatcher)
    : UploadJob(terminal, JobBit::UploadPanasertRs232, dispatcher) {}

uint8_t PanasertRs232UploadJob::EndByte() const {
    return T.App.CurrentChannel.PnrEtx == "CR" ? ControlByte::Cr : ControlByte::Etx;
}

void PanasertRs232UploadJob::SendFrame(const std::string& command, const std::string& data) {
    T.QueueText(PanasertFrame::Build(command, data, EndByte()), false);
}

int PanasertRs232UploadJob::Begin() {
    T.RefreshPages();
    T.StatusFlags &= ~(Status::LinkIdle | Status::ShowReceived | Status::EchoTransmitted);
    T.McProgramName.clear();
    UploadText.clear();
    Retries = 0;
    // Frames that end in ETX must end a received line too.
    T.EtxEndsLine = EndByte() == ControlByte::Etx;
    if (T.App.CurrentChannel.PnrPName) {
        std::string name;
        State = kPromptOpen;
        bool entered = T.View.AskProgramName(T.Text(Msg::EquipmentRegisteredProgramName), name);
        if (State != kPromptOpen) return 0;   // ended meanwhile
        if (!entered) {
            Dispatcher.Run(EV_CANCEL);
            State = JobState::Finish;
            return 1;
        }
        T.McProgramName = name;
    }
    const std::string& name = T.McProgramName;
    const std::string& file = T.CurrentItem.FileName;
    std::string shown = T.Text(Msg::UploadingEllipsis) + " (" + file;
    if (!name.empty()) shown += " <- " + name;
    T.ShowStatus(shown + ")", 1);
    // The machine keeps its names in "C0" frames of the same size: a longer
    // name cannot be one of its programs.
    if (!PanasertFrame::Fits("C1", name)) {
        FailText = T.Text(Msg::SelectedProgramNotInEquipment) + " : " + name;
        State = JobState::Failed;
        return 1;
    }
    State = 10;
    return 1;
}

int PanasertRs232UploadJob::CheckFrame() {
    T.StatusFlags &= ~Status::LineAvailable;
    KillTimeout();
    std::string command;
    std::string data;
    std::string errorCode;
    bool valid = PanasertFrame::Parse(T.LastReplyLine, command, data, errorCode);
    if (valid && command == "A2") {
        State = JobState::Completed;
        return 1;
    }
    if (valid && command == "A3") return FailShowing(Msg::SelectedProgramNotInEquipment);
    if (valid && command == "D0") {
        Retries = 0;
        AppendLine(data);
        T.View.AppendCommText(data + "\r\n");
        ArmTimeout(kReplyWaitMs);
        SendFrame("A0");
        return 0;
    }
    if (++Retries >= kMaxFailures) {
        SendFrame("A2");
        return FailShowing(Msg::UploadCanceledByTransferError);
    }
    ArmTimeout(kReplyWaitMs);
    SendFrame("A1", valid ? std::string() : errorCode);
    return 0;
}

int PanasertRs232UploadJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    switch (State) {
        case 0:
            return Begin();

        case kPromptOpen:
            return 0;

        case 10:
            State = 20;
            ArmTimeout(kQuietMs);
            SendFrame("A2");
            return 0;

        case 20:
            // Whatever the machine says to the abort frame does not matter.
            if (!(event & EV_TIMEOUT)) return 0;
            T.StatusFlags &= ~Status::LineAvailable;
            UploadText.clear();
            Retries = 0;
            State = 30;
            ArmTimeout(kReplyWaitMs);
            SendFrame("C1", T.McProgramName);
            return 0;

        case 30:
            ShowTime(Status::UploadTime);
            if (T.StatusFlags & Status::LineAvailable) return CheckFrame();
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            return 0;

        case JobState::Cancelled:
            SendFrame("A2");
            return CancelUpload(false);

        default:
            return RunEndState();
    }
}
