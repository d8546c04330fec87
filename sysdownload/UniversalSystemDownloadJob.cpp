#include "sysdownload/UniversalSystemDownloadJob.h"

#include "app/CKOVAApp.h"
#include "engine/ControlBytes.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/SubModuleCommands.h"
#include "engine/Terminal.h"
#include "sysdownload/SystemDownloadDispatcher.h"
#include "sysdownload/SystemPreamble.h"

namespace {
// Sub modules from firmware 4.0 on report when the machine has taken everything.
constexpr int kFirstReadyReportVersion = 40;
}  // namespace

UniversalSystemDownloadJob::UniversalSystemDownloadJob(Terminal& terminal, SystemDownloadDispatcher& dispatcher)
    : SystemDownloadJob(terminal, JobBit::SystemFirstProtocol, dispatcher) {}

bool UniversalSystemDownloadJob::IsPacingEvent(uint32_t event) const {
    return (T.Engine.EventMask & EV_RESUME) ? (event & EV_RESUME) != 0 : (event & EV_TX_EMPTY) != 0;
}

int UniversalSystemDownloadJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    const bool timeout = (event & EV_TIMEOUT) != 0;
    if (State < JobState::Completed && !(T.StatusFlags & Status::SubConnected)) {
        KillTimeout();
        return FailWithState(Msg::TrxNotConnectedToMc);
    }

    switch (State) {
        case 0:
            T.FileOffset = 0;
            T.ShowStatus(Msg::ReadyToTransmitSystemProgram, 1);
            T.Engine.EventMask = EV_CANCEL | EV_TX_EMPTY | EV_TIMEOUT | EV_DATA;
            State = 10;
            return 1;

        case 10:
            return SendEchoedAndWait(SubModuleCommand::CharacterDelay, kEchoWaitMs, 12);

        case 12:
            if (EchoArrived()) {
                KillTimeout();
                uint8_t delay = SystemDownloadDispatcher::DelayByte(T.App.CurrentChannel.McDelayBit_sys);
                return SendEchoedAndWait(delay, kEchoWaitMs, 14);
            }
            return timeout ? FailWithState(Msg::FailedToSetupModule) : 0;

        case 14:
            if (EchoArrived()) {
                KillTimeout();
                // A printable delay byte ('#' for 35) came back as text; it must
                // not stand in front of the machine's prompt.
                T.ClearReply();
                return SendEchoedAndWait(SubModuleCommand::SecondOptionUniversal, kEchoWaitMs, 16);
            }
            return timeout ? FailWithState(Msg::FailedToSetupModule) : 0;

        case 16:
            if (EchoArrived()) {
                KillTimeout();
                State = 20;
                return 1;
            }
            return timeout ? FailWithState(Msg::FailedToSetupModule) : 0;

        case 20:
            if (T.SubInfo.SubModuleVersion < kFirstReadyReportVersion) {
                State = 30;
                return 1;
            }
            return SendEchoedAndWait(SubModuleCommand::ReadyReportsOn, kEchoWaitMs, 22);

        case 22:
            if (EchoArrived()) {
                KillTimeout();
                T.Engine.EventMask |= EV_RESUME;
                State = 30;
                return 1;
            }
            if (timeout) {   // goes on without the ready reports
                State = 30;
                return 1;
            }
            return 0;

        case 30:
            State = 40;
            ArmTimeout(kPromptWaitMs);
            T.QueueByte(ControlByte::Etx, false);
            return 0;

        case 40:
            if (T.PartialLine == "@") {
                KillTimeout();
                T.ShowStatus(Msg::SystemProgramDownloading, 1);
                State = 50;
                return 1;
            }
            return timeout ? FailWithState(Msg::NoResponseFromMc) : 0;

        case 50:
            ArmTimeout(kSettleMs);
            StartTimeDisplay();
            State = 52;
            return 0;

        case 52:
            if (!timeout) return 0;
            T.StatusFlags &= ~Status::EchoTransmitted;
            State = 60;
            return 1;

        case 60:
            T.PartialLine.clear();
            State = 70;
            ArmTimeout(kReplyWaitMs);
            if (!T.QueueText(kLoaderCommand, false)) return FailWithState(Msg::SystemProgramDownloadFailed);
            return 0;

        case 70:
            if (T.PartialLine.find(kLoaderCommand) != std::string::npos) {
                KillTimeout();
                SwitchSubModuleTransparent();
                State = 72;
                ArmTimeout(kPauseMs);
                return 0;
            }
            return timeout ? FailWithState(Msg::NoResponseFromMc) : 0;

        case 72:
            if (!timeout) return 0;
            State = 80;
            return 1;

        case 80:
            if (!SendRaw(SystemPreamble.data(), kSystemPreambleSize)) return 1;
            ShowProgress(kSystemPreambleSize);
            State = 90;
            ArmTimeout(kBlockWaitMs);
            return 0;

        case 90:
        case 120:
            if (IsPacingEvent(event)) {
                KillTimeout();
                State = State == 90 ? 100 : 110;
                return 1;
            }
            return timeout ? FailWithState(Msg::CanceledByTimeout) : 0;

        case 100:
            State = 102;
            ArmTimeout(kPauseMs);
            return 0;

        case 102:
            if (!timeout) return 0;
            State = 110;
            return 1;

        case 110:
            return SendNextBlock(120);

        case JobState::Cancelled:
            T.QueueByte(ControlByte::Etx, false);
            return CancelToDispatcher();

        default:
            return RunEndState();
    }
}

void UniversalSystemDownloadJob::ShowCompleted() { T.ShowStatus(Msg::SystemProgramDownloadCompleted, 1); }

void UniversalSystemDownloadJob::ShowFailure() {
    T.ShowStatus(FailText, 1);
    T.ShowStatus(Msg::SystemProgramDownloadFailed, 0);
}
