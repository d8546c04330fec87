#include "download/TdkVc5DownloadJob.h"

#include "engine/ControlBytes.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/SubModuleCommands.h"
#include "engine/Terminal.h"

namespace {
bool EndsProgram(const std::string& line) { return line.find("EX") != std::string::npos; }
}  // namespace

TdkVc5DownloadJob::TdkVc5DownloadJob(Terminal& terminal, DownloadDispatcher& dispatcher)
    : DownloadJob(terminal, JobBit::DownloadTdkVc5, dispatcher) {}

int TdkVc5DownloadJob::CheckCommandEcho() {
    if (T.PartialLine != T.SendLine) return FailWith(Msg::NoResponseFromMc);
    uint32_t& mask = T.Engine.EventMask;
    ShowDownloadingUnderName();
    mask &= ~EV_DATA;
    if (!SendByte(SubModuleCommand::SecondOptionOthers) || !SendByte(SubModuleCommand::BusyReportsOn)) return 1;
    // Busy reports are on from here: whatever ends the job turns them off.
    mask |= EV_BUSY;
    MachineTookLines = true;
    T.StatusFlags &= ~(Status::LineAvailable | Status::ShowReceived);
    T.StatusFlags |= Status::EchoTransmitted;
    ShowTime();
    bool queued = true;
    for (int i = 0; i < kLeaderNuls && queued; ++i) queued = T.QueueByteNoPump(ControlByte::Nul, false) != 0;
    mask |= EV_TX_EMPTY;
    T.TransmitPump();
    if (!queued) return FailWith(Msg::DownloadingFailed);
    State = 50;
    ArmTimeout(kReplyWaitMs);
    return 0;
}

int TdkVc5DownloadJob::SendNextLine() {
    // Only numbered lines and the end mark go to the machine.
    bool found = false;
    while (ReadLine()) {
        if (T.SendLine[0] == 'N' || EndsProgram(T.SendLine)) {
            found = true;
            break;
        }
    }
    if (!found) T.SendLine = "EX";
    bool queued = true;
    for (int i = 0; i < kLineNuls && queued; ++i) queued = T.QueueByteNoPump(ControlByte::Nul, false) != 0;
    if (!queued || !Send(T.SendLine + "\r")) return FailWith(Msg::DownloadingFailed);
    ArmTimeout(kReplyWaitMs);
    if (!EndsProgram(T.SendLine)) return 0;
    T.PartialLine.clear();
    uint32_t& mask = T.Engine.EventMask;
    mask &= ~EV_TX_EMPTY;
    mask |= EV_DATA;
    State = 60;
    return 0;
}

int TdkVc5DownloadJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    switch (State) {
        case 0:
            T.StatusFlags &= ~Status::LinkIdle;
            T.FileOffset = 0;
            State = 10;
            ArmTimeout(kQuietMs);
            return 0;

        case 10:
            if (!(event & EV_TIMEOUT)) return 0;
            if (T.PartialLine == ".") {
                State = 30;
                return 1;
            }
            State = 20;
            ArmTimeout(kReplyWaitMs);
            if (T.PartialLine == "$") {
                // The machine runs a program: ETX stops it.
                T.PartialLine.clear();
                return SendByte(ControlByte::Etx) ? 0 : 1;
            }
            T.PartialLine.clear();
            return Send("EX\r") ? 0 : 1;

        case 20:
            if (T.PartialLine == ".") {
                KillTimeout();
                State = 30;
                return 1;
            }
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            return 0;

        case 30:
            // The prompt must not stay in front of the command's echo.
            T.PartialLine.clear();
            T.SendLine = "RE " + T.CurrentItem.McProgramName;
            T.StatusFlags &= ~Status::LineAvailable;
            State = 40;
            ArmTimeout(kEchoWaitMs);
            return Send(T.SendLine + "\r") ? 0 : 1;

        case 40:
            // The echo comes back without a line end; a line is an answer.
            if (T.StatusFlags & Status::LineAvailable) {
                KillTimeout();
                return FailWith(Msg::ReceiveDataInvalid);
            }
            if (!(event & EV_TIMEOUT)) return 0;
            return CheckCommandEcho();

        case 50:
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            if (T.Tx.Count() != 0) return 0;
            return SendNextLine();

        case 60:
            if (T.PartialLine.find('.') != std::string::npos) {
                KillTimeout();
                T.StatusFlags &= ~Status::EchoTransmitted;
                T.QueueByte(SubModuleCommand::BusyReportsOff, false);
                T.QueueByte(SubModuleCommand::SecondOptionUniversal, false);
                T.Engine.EventMask &= ~EV_BUSY;
                State = JobState::Completed;
                return 1;
            }
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            return 0;

        case JobState::Cancelled: return StopMachineAndCancel();

        default:
            return RunEndState();
    }
}
