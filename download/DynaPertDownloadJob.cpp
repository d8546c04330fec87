#include "download/DynaPertDownloadJob.h"

#include <algorithm>

#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/ControlBytes.h"

namespace {
std::string TrimRight(const std::string& text) {
    std::size_t end = text.find_last_not_of(" \t\r\n");
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}
}  // namespace

DynaPertDownloadJob::DynaPertDownloadJob(Terminal& terminal, DownloadDispatcher& dispatcher)
    : DownloadJob(terminal, JobBit::DownloadDynaPert, dispatcher) {}

int DynaPertDownloadJob::CheckEcho() {
    KillTimeout();
    T.StatusFlags &= ~Status::LineAvailable;
    if (TrimRight(T.SendLine) != TrimRight(T.LastReplyLine)) {
        FailText = T.Text(Msg::ReceiveDataInvalid);
        ShowSentAndReceived();
        T.QueueByte(ControlByte::Etx, false);
        State = JobState::Failed;
        return 1;
    }
    if (!ReadLine()) {
        // Only separators were left: the file has been sent.
        State = 60;
        BeginWait(kReplyWaitMs);
        return 1;   // the ready mark may have come with the last echo
    }
    T.PartialLine.clear();
    T.StatusFlags &= ~Status::LineAvailable;
    Retries = 0;
    ArmTimeout(FirstEchoWaitMs(T.SendLine.size() + 1));
    if (!Send(T.SendLine + "\r")) {
        // Stops the machine so that it keeps no part of the program.
        T.QueueByte(ControlByte::Etx, false);
        return 1;
    }
    return 0;
}

uint32_t DynaPertDownloadJob::FirstEchoWaitMs(std::size_t sent) const {
    // The line goes out at the machine's pace and its echo (one byte longer)
    // comes back no faster; only then is a missing echo worth a nudge. On a
    // slow line a flat wait would nudge every line and give up on long ones.
    double lineMs = static_cast<double>(T.CharTimeMs) * static_cast<double>(2 * sent + 1);
    if (!(lineMs > 0)) lineMs = 0;   // not set up, or not a number
    return kEchoWaitMs + static_cast<uint32_t>(std::min(lineMs, kMaxLineMs));
}

int DynaPertDownloadJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    switch (State) {
        case 0:
            T.RefreshPages();
            T.StatusFlags &= ~Status::LinkIdle;
            T.FileOffset = 0;
            T.PartialLine.clear();
            T.ReceivedByte = 0;
            Retries = 0;
            State = 20;
            BeginWait(kReplyWaitMs);
            return SendByte(ControlByte::Etx) ? 0 : 1;

        case 20:
        case 22:
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            if (T.PartialLine == "*") {
                State = 30;
                BeginWait(kSettleMs);
                return 0;
            }
            if (!(event & EV_DATA)) return 0;
            if (WaitOutlasted()) return FailWith(Msg::NoResponseFromMc);
            ArmTimeout(kReplyWaitMs);
            if (State == 20 && T.ReceivedByte == '~') {
                T.PartialLine.clear();
                State = 22;
                return SendByte(ControlByte::Etx) ? 0 : 1;
            }
            if (State == 20 && T.ReceivedByte == '?') {
                T.PartialLine.clear();
                State = 22;
                return Send("N") ? 0 : 1;
            }
            return 0;

        case 30:
            // A ready mark that an earlier ETX asked for may still be on its
            // way; it must not run into the echo of "L".
            return AwaitQuietLine(event, kSettleMs, 40, kReplyWaitMs);

        case 40:
            ShowDownloading();
            T.PartialLine.clear();
            T.StatusFlags &= ~Status::LineAvailable;
            T.SendLine = "L";
            Retries = 0;
            State = 50;
            ArmTimeout(kReplyWaitMs);
            return Send("L") ? 0 : 1;

        case 50:
            ShowTime();
            if (event & EV_TIMEOUT) {
                if (++Retries < kMaxEchoWaits) {
                    ArmTimeout(kEchoWaitMs);
                    return Nudge() ? 0 : 1;
                }
                T.QueueByte(ControlByte::Etx, false);
                return FailWith(Msg::NoResponseFromMc);
            }
            if (!(T.StatusFlags & Status::LineAvailable)) return 0;
            return CheckEcho();

        case 60:
            if (T.PartialLine == "*") {
                KillTimeout();
                State = JobState::Completed;
                return 1;
            }
            if ((event & EV_TIMEOUT) || WaitOutlasted()) {
                return FailWith(Msg::FailedTransferComplete);
            }
            if (event & EV_DATA) ArmTimeout(kReplyWaitMs);
            return 0;

        case JobState::Cancelled: return StopMachineAndCancel();

        default:
            return RunEndState();
    }
}
