#include "download/PanasertTtyDownloadJob.h"

#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/SubModuleCommands.h"
#include "engine/ControlBytes.h"

PanasertTtyDownloadJob::PanasertTtyDownloadJob(Terminal& terminal, DownloadDispatcher& dispatcher)
    : DownloadJob(terminal, JobBit::DownloadPanasertTty, dispatcher) {}

int PanasertTtyDownloadJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    uint32_t& mask = T.Engine.EventMask;
    switch (State) {
        case 0:
            T.StatusFlags &= ~Status::LinkIdle;
            mask = kDefaultEventMask;
            T.EndSeen = 0;
            State = 10;
            BeginWait(kQuietMs);
            return 0;

        case 10:
            // The machine's line must be quiet for a while before the reader starts.
            return AwaitQuietLine(event, kQuietMs, 30, kReplyWaitMs);

        case 30: return SendEchoedAndWait(ControlByte::Cr, kReplyWaitMs, 32);

        case 32:
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            if (!EchoArrived()) return 0;
            KillTimeout();
            State = 40;
            return 1;

        case 40:
            T.PartialLine.clear();
            T.LastReplyLine.clear();
            T.ReceivedText.clear();
            State = 42;
            ArmTimeout(kReplyWaitMs);
            return Send("RF,") ? 0 : 1;

        case 42:
            if (T.PartialLine == "RF," || T.LastReplyLine == "RF,") {
                KillTimeout();
                T.StatusFlags |= Status::EchoTransmitted;
                ShowDownloading();
                ShowTime();
                State = 60;
                return 1;
            }
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            return 0;

        case 60: return AskForReadyReports(62, 70);

        case 62: return TakeReadyReportsAnswer(event, 70);

        case 70: {
            T.FileOffset = 0;
            ShowTime();
            State = 80;
            ArmTimeout(kReplyWaitMs);
            bool queued = QueueNuls(kLeaderNuls) && T.QueueByteNoPump(ControlByte::Cr, false);
            T.TransmitPump();
            if (!queued) {
                return FailWith(Msg::DownloadingFailed);
            }
            return 0;
        }

        case 80:
            if (event & (EV_TX_EMPTY | EV_RESUME)) {
                State = 90;
                return 1;
            }
            if (event & EV_TIMEOUT) return FailWith(Msg::DownloadingFailed);
            return 0;

        case 90: {
            if (T.EndSeen) {
                State = 100;
                return 1;
            }
            std::string line = NextProgramLine();
            State = 80;
            ArmTimeout(kReplyWaitMs);
            if (!Send(line + "\r\n")) return 1;
            NoteEndMark(line);
            return 0;
        }

        case 100:
            if (mask & EV_RESUME) {
                State = 130;
                return 1;
            }
            // Whatever ends the job from here on switches the reports off again.
            mask |= EV_BUSY;
            return SendEchoedAndWait(SubModuleCommand::BusyReportsOn, kEchoWaitMs, 102);

        case 102:
            if (event & EV_TIMEOUT) return CompleteDespiteMissingEcho();
            if (!EchoArrived()) return 0;
            KillTimeout();
            State = 110;
            BeginWait(kQuietMs);
            return 0;

        case 110:
            // Waits until the machine has been quiet for a while.
            return AwaitQuietLine(event | (event & EV_BUSY ? EV_DATA : 0), kQuietMs, 120, kReplyWaitMs);

        case 120:
            mask &= ~EV_BUSY;
            return SendEchoedAndWait(SubModuleCommand::BusyReportsOff, kEchoWaitMs, 122);

        case 122:
            if (event & EV_TIMEOUT) return CompleteDespiteMissingEcho();
            if (!EchoArrived()) return 0;
            KillTimeout();
            State = JobState::Completed;
            return 1;

        case 130:
            State = JobState::Completed;
            return 1;

        case JobState::Cancelled: return StopMachineAndCancel();

        default:
            return RunEndState();
    }
}
