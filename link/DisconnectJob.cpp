#include "link/DisconnectJob.h"

#include <algorithm>

#include "app/CKOVAApp.h"
#include "engine/EventLoop.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/SubModuleCommands.h"
#include "engine/ControlBytes.h"

namespace {
constexpr uint32_t kQuietMs = 500;
constexpr uint32_t kStepWaitMs = 500;
constexpr uint32_t kEscapeWaitMs = 2000;
constexpr uint32_t kEscapeMoreMs = 1000;
constexpr uint32_t kHangUpWaitMs = 10000;
// A machine that never stops sending must not keep the link up for ever.
constexpr uint64_t kMaxQuietWaitMs = 10000;
constexpr uint64_t kMaxEscapeWaitMs = 10000;
}  // namespace

DisconnectJob::DisconnectJob(Terminal& terminal) : Job(terminal, JobBit::Disconnect) {}

int DisconnectJob::SendEchoed(uint8_t byte, int next) {
    T.QueueByte(T.ExpectEcho(byte), false);
    ArmTimeout(kStepWaitMs);
    State = next;
    return 0;
}

void DisconnectJob::WaitBounded(uint32_t ms, uint64_t sinceMs, uint64_t limitMs) {
    uint64_t elapsed = T.Loop.NowMs() - sinceMs;
    uint64_t left = elapsed < limitMs ? limitMs - elapsed : 1;
    ArmTimeout(static_cast<uint32_t>(std::min<uint64_t>(ms, left)));
}

int DisconnectJob::Run(uint32_t event) {
    if (event == EV_START) State = 0;
    const bool timeout = (event & EV_TIMEOUT) != 0;
    const bool echo = (T.StatusFlags & Status::EchoArrived) != 0;
    const std::string& reply = T.LastReplyLine;

    switch (State) {
        case 0:
            if (!(T.StatusFlags & Status::HostConfirmed)) {
                // A module that was connected cannot be reached to hang it up.
                if (T.StatusFlags & Status::SubConnected) T.HangUpMissed = true;
                T.StatusFlags &= ~Status::SubConnected;
                State = JobState::Finish;
                return 1;
            }
            if (!(T.StatusFlags & Status::SubConnected)) {
                State = JobState::Finish;
                return 1;
            }
            T.HangUpMissed = false;
            T.Engine.EventMask |= EV_TIMEOUT | EV_DATA;
            T.StatusFlags &= ~(Status::LinkIdle | Status::EchoTransmitted | Status::ShowReceived);
            T.RefreshPages();
            T.CharTimeMs = 0;
            State = 10;
            return 1;

        case 10:
            T.RxByteCount = 0;
            quietWaitStartMs_ = T.Loop.NowMs();
            ArmTimeout(kQuietMs);
            State = 12;
            return 0;

        case 12:
            if (timeout) {   // the line was quiet
                State = 20;
                return 1;
            }
            if (event & EV_DATA) {
                // A DYNA/PERT or UNIVERSAL machine still sending stops on ETX.
                if (T.CurrentTypeIs("DYNA/PERT") || T.CurrentTypeIs("UNIVERSAL")) {
                    T.QueueByte(ControlByte::Etx, false);
                }
                WaitBounded(kQuietMs, quietWaitStartMs_, kMaxQuietWaitMs);
                State = 14;
            }
            return 0;

        case 14:
            if (timeout) {
                State = 20;
                return 1;
            }
            WaitBounded(kQuietMs, quietWaitStartMs_, kMaxQuietWaitMs);
            return 0;

        case 20:
            // A sub module that passes everything through would hand the
            // dialogue's bytes to the machine: only the hang-up is left.
            if (T.SubTransparent) {
                State = 30;
                return 1;
            }
            return SendEchoed(SubModuleCommand::OpenDialogue, 22);

        case 22:
            if (!echo && !timeout) return 0;
            KillTimeout();
            T.QueueByte(SubModuleCommand::DropPendingOutput, false);
            return SendEchoed(SubModuleCommand::BusyReportsOff, 24);

        case 24:
            if (!echo && !timeout) return 0;
            KillTimeout();
            return SendEchoed(SubModuleCommand::FirstOptionOthers, 26);

        case 26:
            if (!echo && !timeout) return 0;
            KillTimeout();
            State = 30;
            return 1;

        case 30:
            T.RxByteCount = 0;
            T.ClearReply();
            T.QueueText("+++", true);
            escapeSentMs_ = T.Loop.NowMs();
            ArmTimeout(kEscapeWaitMs);
            State = 40;
            return 0;

        case 40:
            if (reply == "OK" || reply == "ERROR") {
                KillTimeout();
                State = 50;
                return 1;
            }
            if (timeout) {
                T.ShowStatus(Msg::NoResponseFromMc, 0);
                T.HangUpMissed = true;
                State = JobState::Finish;
                return 1;
            }
            WaitBounded(kEscapeMoreMs, escapeSentMs_, kMaxEscapeWaitMs);
            return 0;

        case 50:
            T.ClearReply();
            T.QueueText("ATH\r", false);
            ArmTimeout(kHangUpWaitMs);
            State = 60;
            return 0;

        case 60:
            if (reply == "DISCONNECT") {
                KillTimeout();
                T.ShowStatus(Msg::EquipmentDisconnected, 0);
                T.RefreshPages();
                State = JobState::Finish;
                return 1;
            }
            if (timeout) {
                T.ShowStatus(Msg::NoResponseFromMc, 0);
                T.HangUpMissed = true;
                State = JobState::Finish;
                return 1;
            }
            return 0;

        case JobState::Finish:
            T.StatusFlags &= ~Status::SubConnected;
            return FinishJob();

        default:
            State = JobState::Finish;
            return 1;
    }
}
