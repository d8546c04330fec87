#include "download/TdkVc5aDownloadJob.h"

#include "engine/ControlBytes.h"
#include "engine/EventLoop.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/SubModuleCommands.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"

TdkVc5aDownloadJob::TdkVc5aDownloadJob(Terminal& terminal, DownloadDispatcher& dispatcher)
    : DownloadJob(terminal, JobBit::DownloadTdkVc5a, dispatcher) {}

bool TdkVc5aDownloadJob::IsHeaderLine(const std::string& line) {
    std::size_t n = line.find('N');
    if (n == std::string::npos) return false;
    std::size_t x = line.find('X', n);
    if (x == std::string::npos) return false;
    std::size_t y = line.find('Y', x);
    if (y == std::string::npos) return false;
    return line.find('P', y) != std::string::npos && line.find('M', y) != std::string::npos;
}

uint32_t TdkVc5aDownloadJob::PacingEvent() const {
    return (T.Engine.EventMask & EV_RESUME) ? EV_RESUME : EV_TX_EMPTY;
}

bool TdkVc5aDownloadJob::SendNuls(int count) {
    bool queued = QueueNuls(count);
    T.TransmitPump();
    if (!queued) FailWith(Msg::DownloadingFailed);
    return queued;
}

void TdkVc5aDownloadJob::CloseStartDialog() {
    if (!dialogOpen_) return;
    dialogOpen_ = false;
    T.View.CloseWaitStartDialog();
}

int TdkVc5aDownloadJob::RefuseHeaderless() {
    FailNaming(Msg::EmptyFile, T.CurrentItem.FileName);
    return 1;
}

int TdkVc5aDownloadJob::SendNextLine() {
    if (T.FileOffset >= T.FileSize || !ReadLine()) {
        if (!headerSeen_) return RefuseHeaderless();
        T.SendLine = "EX";
    } else if (!headerSeen_ && IsHeaderLine(T.SendLine)) {
        headerSeen_ = true;
    }
    State = 130;
    ArmTimeout(kReplyWaitMs);
    if (!Send(T.SendLine + "\r\n")) return 1;
    if (T.SendLine.find("EX") != std::string::npos) T.EndSeen = 1;
    return 0;
}

int TdkVc5aDownloadJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    uint32_t& mask = T.Engine.EventMask;
    switch (State) {
        case 0:
            T.StatusFlags &= ~Status::LinkIdle;
            T.FileOffset = 0;
            T.EndSeen = 0;
            headerSeen_ = false;
            T.StatusFlags |= Status::EchoTransmitted;
            State = 10;
            BeginWait(kQuietMs);
            return 0;

        case 10: return AwaitQuietLine(event, kQuietMs, 20, kReplyWaitMs);

        case 20:
            if (!SendByte(SubModuleCommand::DropPendingOutput)) return 1;
            return SendEchoedAndWait(SubModuleCommand::BusyReportsOn, kCommandEchoWaitMs, 22);

        case 22:
            if (event & EV_TIMEOUT) return FailWith(Msg::FailedToSetupModule);
            if (!EchoArrived()) return 0;
            KillTimeout();
            mask |= EV_BUSY;
            State = 30;
            return 1;

        case 30:
            T.View.OpenWaitStartDialog();
            dialogOpen_ = true;
            mask |= EV_USER_START;
            T.ShowStatus(Msg::WaitingForStartSignal, 1);
            State = 40;
            return 0;

        case 40:
            // Waits for the machine or the operator; no time limit.
            if (!(event & (EV_USER_START | EV_BUSY))) return 0;
            CloseStartDialog();
            mask &= ~EV_USER_START;
            State = 50;
            return 1;

        case 50: return SendEchoedAndWait(SubModuleCommand::BusyReportsOff, kCommandEchoWaitMs, 52);

        case 52:
            if (EchoArrived()) mask &= ~EV_BUSY;   // nothing left to turn off at the end
            return EchoOrTimeoutThen(event, 60);

        case 60: return SendEchoedAndWait(SubModuleCommand::SecondOptionUniversal, kCommandEchoWaitMs, 62);
        case 62: return EchoOrTimeoutThen(event, 64);
        case 64: return SendEchoedAndWait(SubModuleCommand::FirstOptionOthers, kCommandEchoWaitMs, 66);
        case 66: return EchoOrTimeoutThen(event, 70);

        case 70:
            T.StatusFlags |= Status::EchoTransmitted;
            mask |= EV_TX_EMPTY;
            ShowTime();
            ShowDownloading();
            T.Progress.StartClockMs = T.Loop.NowMs();
            MachineTookLines = true;
            State = 80;
            SendNuls(kLeaderNuls);
            return 1;

        case 80: return SendEchoedAndWait(SubModuleCommand::SecondOptionOthers, kCommandEchoWaitMs, 82);
        case 82: return EchoOrTimeoutThen(event, 84);
        case 84: return SendEchoedAndWait(SubModuleCommand::FirstOptionTtyAndVc5, kCommandEchoWaitMs, 86);
        case 86: return EchoOrTimeoutThen(event, 90);

        case 90: return AskForReadyReports(92, 100);
        case 92: return TakeReadyReportsAnswer(event, 100);

        case 100:
            State = 110;
            ArmTimeout(kReplyWaitMs);
            return SendNuls(kLineNuls) ? 0 : 1;

        case 110:
        case 130:
            if (event & EV_TIMEOUT) return FailWith(Msg::CanceledByTimeout);
            if (!(event & PacingEvent())) return 0;
            KillTimeout();
            if (State == 110) {
                State = 120;
                return 1;
            }
            if (!T.EndSeen) {
                State = 100;
                return 1;
            }
            // A program that brought its own end mark is refused all the
            // same when it had no header.
            if (!headerSeen_) return RefuseHeaderless();
            State = JobState::Completed;
            return 1;

        case 120: return SendNextLine();

        case JobState::Cancelled: return StopMachineAndCancel();

        case JobState::Finish:
            CloseStartDialog();
            return FinishDownload();

        default:
            return RunEndState();
    }
}
