// The transmit side of Terminal: the queue and the pump that feeds the port
// with flow control and pacing.

#include <algorithm>
#include <cmath>

#include "engine/EventLoop.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/SubModuleCommands.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"
#include "engine/WindowMessages.h"
#include "engine/ControlBytes.h"
#include "serial/SerialPort.h"

namespace {
constexpr uint8_t kPlus = '+';
constexpr int kPumpChunk = 256;
constexpr int kFailuresBeforeReset = 10;
// Longest pause one pump call may arm: 256 characters at 300 baud with the
// largest delay the sub module takes are about 180 s.
constexpr double kMaxPacingMs = 180000.0;

// Characters of a written chunk that go on to the machine's line: the sub
// module drops the 0x00 that follows every '+', and takes bytes with the top
// bit set as its own commands unless it passes everything through; neither
// costs the machine any time.
int MachineCharacters(const uint8_t* chunk, int count, bool transparent) {
    int characters = 0;
    for (int i = 0; i < count; ++i) {
        bool stuffing = i > 0 && chunk[i] == 0x00 && chunk[i - 1] == kPlus;
        bool command = !transparent && (chunk[i] & 0x80) != 0;
        characters += (stuffing || command) ? 0 : 1;
    }
    return characters;
}

int StuffedSize(const uint8_t* data, int count, bool raw) {
    int size = count;
    if (!raw) {
        for (int i = 0; i < count; ++i) size += data[i] == kPlus ? 1 : 0;
    }
    return size;
}
}  // namespace

int Terminal::QueueByteNoPump(uint8_t byte, bool raw) {
    int needed = (!raw && byte == kPlus) ? 2 : 1;
    if (Tx.Count() + needed > TxRing::kCapacity) return 0;
    Tx.Push(byte);
    if (needed == 2) Tx.Push(ControlByte::Nul);
    return 1;
}

int Terminal::QueueByte(uint8_t byte, bool raw) {
    if (!QueueByteNoPump(byte, raw)) return 0;
    if (Tx.Count() != 0) TransmitPump();
    return 1;
}

int Terminal::QueueBlock(const uint8_t* data, int count) {
    if (count < 0 || Tx.Count() + 1 + StuffedSize(data, count, false) > TxRing::kCapacity) return 0;
    for (int i = 0; i < count; ++i) QueueByteNoPump(data[i], false);
    if (Tx.Count() != 0) TransmitPump();
    return 1;
}

int Terminal::QueueText(const std::string& text, bool raw) {
    const auto* data = reinterpret_cast<const uint8_t*>(text.data());
    int count = static_cast<int>(text.size());
    if (Tx.Count() + 1 + StuffedSize(data, count, raw) > TxRing::kCapacity) return 0;
    for (int i = 0; i < count; ++i) QueueByteNoPump(data[i], raw);
    if (Tx.Count() != 0) TransmitPump();
    return 1;
}

void Terminal::TransmitPump() {
    if (StatusFlags & Status::DownloadTime) ShowDownloadTime();
    if (StatusFlags & Status::UploadTime) ShowUploadTime();

    if (Tx.Count() == 0 || (StatusFlags & Status::PacingPause) || !(StatusFlags & Status::CtsOn)) return;
    if (Engine.IsActive(JobBit::DownloadCitizenM10) &&
        static_cast<uint8_t>(LastControlByte) != ControlByte::Xon) {
        return;
    }

    uint8_t chunk[kPumpChunk];
    int n = std::min(Tx.Count(), kPumpChunk);
    for (int i = 0; i < n; ++i) chunk[i] = Tx.Peek(i);
    int written = Port.Write(chunk, n);
    if (written < 0) written = 0;
    if (written > n) written = n;
    Tx.Advance(written);
    TxTotal += static_cast<uint64_t>(written);
    if (written != 0 && (StatusFlags & (Status::DownloadTime | Status::UploadTime))) SampleTransfer();

    if (StatusFlags & Status::EchoTransmitted) {
        for (int i = 0; i < written; ++i) View.AppendTransmittedByte(chunk[i]);
    }

    // The sub module forwards to the machine at the machine's speed; pace the
    // radio so that its buffer never overflows. DYNA/PERT and UNIVERSAL
    // machines answer every line, which paces them by itself.
    if (written != 0 && std::isfinite(CharTimeMs) && CharTimeMs > 0) {
        // The sub module drops what still waits for the machine on 0x82: only
        // what follows it keeps the line busy.
        int from = 0;
        for (int i = 0; i < written && !SubTransparent; ++i)
            if (chunk[i] == SubModuleCommand::DropPendingOutput) from = i + 1;
        double now = static_cast<double>(Loop.NowMs());
        if (from != 0) MachineLineFreeMs = now;
        double lineMs = std::min(
            static_cast<double>(CharTimeMs) * MachineCharacters(chunk + from, written - from, SubTransparent),
            kMaxPacingMs);
        // A system download loads a delay of its own: CharTimeMs no longer
        // tells when the machine has the bytes.
        if (!Engine.IsActive(JobBit::SystemDispatcher)) MachineLineFreeMs = std::max(MachineLineFreeMs, now) + lineMs;
        if (!CurrentTypeIs("DYNA/PERT") && !CurrentTypeIs("UNIVERSAL")) {
            StatusFlags |= Status::PacingPause;
            Loop.SetTimer(kTimerPacing, static_cast<uint32_t>(lineMs + 0.5));
        }
    }

    if (Tx.Count() == 0) PostJobEvent(EV_TX_EMPTY);

    if (written != 0) {
        ReArmIdleTimer();
        WriteFailCount = 0;
        return;
    }
    if (++WriteFailCount <= kFailuresBeforeReset) return;
    Tx.Clear();
    View.AskMessageBox(Text(Msg::CheckUsbUartPort), MessageBoxKind::Ok);
    HandleMessage(WindowMsg::StartHostCheck);
}
