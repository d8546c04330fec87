#include "download/CitizenM10DownloadJob.h"

#include "download/NcFileRules.h"
#include "engine/ControlBytes.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"

namespace {
bool HoldsProgramText(const std::string& chunk) {
    for (char c : chunk) {
        auto byte = static_cast<uint8_t>(c);
        if (IsNcTextByte(byte) && byte != ' ' && byte != '%') return true;
    }
    return false;
}
}  // namespace

CitizenM10DownloadJob::CitizenM10DownloadJob(Terminal& terminal, DownloadDispatcher& dispatcher)
    : DownloadJob(terminal, JobBit::DownloadCitizenM10, dispatcher) {}

std::string CitizenM10DownloadJob::TakeChunk() {
    if (T.FileOffset >= T.FileSize || !T.FileBuffer) return "%";
    const uint8_t* buffer = T.FileBuffer.get();
    std::string chunk;
    while (T.FileOffset < T.FileSize && chunk.size() < kChunkLimit) {
        uint8_t byte = buffer[T.FileOffset++];
        chunk += static_cast<char>(byte);
        // A line's terminator ends the chunk once the next line begins.
        if (!IsNcTextByte(byte) && T.FileOffset < T.FileSize && IsNcTextByte(buffer[T.FileOffset])) break;
    }
    return chunk;
}

int CitizenM10DownloadJob::SendNextChunk() {
    KillTimeout();
    if (endSent_) {
        State = JobState::Completed;
        return 1;
    }
    const bool appended = T.FileOffset >= T.FileSize;
    std::string chunk = TakeChunk();
    ShowReadPosition();
    bool text = HoldsProgramText(chunk);
    if (chunk.find('%') != std::string::npos && (appended || text || textSent_)) endSent_ = true;
    textSent_ = textSent_ || text;
    ArmTimeout(kReplyWaitMs);
    return Send(chunk) ? 0 : 1;
}

int CitizenM10DownloadJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    switch (State) {
        case 0:
            T.FileOffset = 0;
            textSent_ = false;
            endSent_ = false;
            T.StatusFlags &= ~(Status::LinkIdle | Status::EchoTransmitted);
            State = 10;
            BeginWait(kQuietMs);
            return 0;

        case 10: {
            // A line that never goes quiet fails the file instead of waiting for ever.
            int quiet = AwaitQuietLine(event, kQuietMs, 20, kReplyWaitMs);
            if (quiet == 0 || State != 20) return quiet;
            T.SendLine.clear();
            T.LastControlByte = 0;
            T.ShowStatus(T.Text(Msg::WaitingForProgramDownload) + " (" + T.CurrentItem.FileName + ")", 1);
            return 0;   // the machine's request has no time limit
        }

        case 20:
            if (static_cast<uint8_t>(T.LastControlByte) != ControlByte::Xon) return 0;
            ShowDownloading();
            ShowTime();
            T.Engine.EventMask |= EV_TX_EMPTY;
            MachineTookLines = true;
            State = 30;
            ArmTimeout(kReplyWaitMs);
            return Send(std::string(kLeaderBlanks, ' ') + "\r\n") ? 0 : 1;

        case 30:
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            if (!(event & EV_DATA) || static_cast<uint8_t>(T.LastControlByte) != ControlByte::Xon) return 0;
            KillTimeout();
            T.StatusFlags |= Status::EchoTransmitted;
            State = 40;
            return 1;

        case 40:
            if (event & EV_TIMEOUT) return FailWith(Msg::NoResponseFromMc);
            if (T.Tx.Count() != 0 || static_cast<uint8_t>(T.LastControlByte) != ControlByte::Xon) return 0;
            return SendNextChunk();

        case JobState::Cancelled: return StopMachineAndCancel();

        case JobState::Finish: {
            int result = FinishDownload();
            // What waited for the machine's DC1 (an ETX) may go now.
            T.TransmitPump();
            return result;
        }

        case JobState::Failed:
            // A reader that stopped must not get the rest of a chunk later,
            // once the pump no longer waits for its DC1.
            T.Tx.Clear();
            return RunEndState();

        default:
            return RunEndState();
    }
}
