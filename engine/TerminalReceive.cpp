// The receive path of Terminal: turns the bytes the reader put into the receive
// ring into the shared receive variables, lines and job events.

#include <algorithm>
#include <cstring>

#include "app/CKOVAApp.h"
#include "engine/EventLoop.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"
#include "engine/WindowMessages.h"
#include "engine/SubModuleCommands.h"
#include "engine/ControlBytes.h"
#include "serial/SerialPort.h"

namespace {
bool IsPrintable(uint8_t b) { return b >= 0x20 && b <= 0x7E; }
// Text that only goes into the line and the window: printable, DEL, and none
// of the bytes that mean something to a job ('%' marks a punch start or end).
bool IsPlainText(uint8_t b) { return b >= 0x20 && b <= 0x7F && b != '%'; }
// Bytes taken from the ring at a time.
constexpr size_t kReceiveBlockSize = 4096;
}  // namespace

void Terminal::OnReceived() {
    std::string display;
    bool processed = false;
    const bool nullEndsLine = CurrentTypeIs("TDK/VC5A");

    // Text collected for the window goes to ReceivedText as well, and to the
    // communication window only while received text is shown.
    auto flushDisplay = [&]() {
        if (display.empty()) return;
        if (ReceivedText.size() < kReceivedTextLimit) ReceivedText += display;
        if (UnlimitedText != nullptr) *UnlimitedText += display;
        if (StatusFlags & Status::ShowReceived) View.AppendCommText(display);
        display.clear();
    };

    // Bytes come out of the ring a block at a time; the block is on the stack so
    // the path allocates nothing per batch beyond the display text.
    uint8_t block[kReceiveBlockSize];
    size_t blockSize = 0;
    size_t next = 0;
    const uint64_t portClosesBefore = PortCloses;
    bool portClosed = false;
    while (!portClosed) {
        if (next == blockSize) {
            const bool firstBlock = blockSize == 0;
            blockSize = Port.TakeBlock(block, sizeof block);
            next = 0;
            if (blockSize == 0) break;
            // Once per batch: the link is alive, the idle disconnect starts over.
            if (firstBlock && IdleTimeoutMs != 0 && (StatusFlags & Status::SubConnected)) {
                Loop.SetTimer(kTimerIdle, IdleTimeoutMs);
            }
        }
        // A run of plain text, the bulk of any listing or upload, moves as one
        // piece; it changes exactly what the byte-by-byte path below would.
        if (!ReplyByteArmed && IsPlainText(block[next])) {
            size_t end = next + 1;
            while (end < blockSize && IsPlainText(block[end])) ++end;
            const char* run = reinterpret_cast<const char*>(block + next);
            const size_t length = end - next;
            if (std::memchr(run, static_cast<uint8_t>(ExpectedEcho), length) != nullptr) {
                StatusFlags |= Status::EchoArrived;
            }
            if (PartialLine.size() < kPartialLineLimit) {
                PartialLine.append(run, std::min(length, kPartialLineLimit - PartialLine.size()));
            }
            display.append(run, length);
            RxByteCount += static_cast<int>(length);
            RxTotal += length;
            ReceivedByte = static_cast<int8_t>(block[end - 1]);
            PreviousByte = ReceivedByte;
            processed = true;
            next = end;
            continue;
        }
        const uint8_t byte = block[next++];
        ReceivedByte = static_cast<int8_t>(byte);

        // The sub module stuffs a 0x00 after every '+' so that data can never
        // look like the host module's escape; drop it.
        if (static_cast<uint8_t>(PreviousByte) == '+' && byte == ControlByte::Nul) {
            PreviousByte = 0;
            continue;
        }
        // The sub module answers with the top bit set, as its commands have it;
        // the machine's own bytes pass meanwhile (a CITIZEN/M10 reader asks with
        // DC1 every second) and must not be taken for the answer.
        if (ReplyByteArmed && (byte & 0x80) != 0) {
            ReplyByte = byte;
            ReplyByteArmed = false;
        }
        if (ReceivedByte == ExpectedEcho) StatusFlags |= Status::EchoArrived;

        switch (byte) {
            case ControlByte::Xon:
            case ControlByte::Dc2:
            case ControlByte::Xoff:
            case ControlByte::Dc4:
            case '%':
                LastControlByte = ReceivedByte;
                if (LineSink != nullptr && byte != ControlByte::Xon && byte != ControlByte::Xoff) {
                    LineSink->push_back({PartialLine, byte});
                }
                if (byte == ControlByte::Xon && Engine.IsActive(JobBit::DownloadCitizenM10) &&
                    RxByteCount != 0) {
                    TransmitPump();
                }
                break;
            case SubModuleReport::Ready:
                if (Engine.EventMask & EV_RESUME) {
                    StatusFlags &= ~Status::PacingPause;
                    PostJobEvent(EV_RESUME);
                }
                break;
            case SubModuleReport::MachineNotBusy:
                View.SetMachineBusy(false);
                PostJobEvent(EV_BUSY);
                break;
            case SubModuleReport::MachineBusy:
                View.SetMachineBusy(true);
                PostJobEvent(EV_BUSY);
                break;
            default: break;
        }
        ++RxByteCount;
        ++RxTotal;

        // Line assembly.
        uint8_t c = byte;
        bool endOfLine = byte == ControlByte::Cr || byte == ControlByte::Lf ||
                         (byte == ControlByte::Etx && EtxEndsLine) ||
                         (byte == ControlByte::Nul && nullEndsLine &&
                          IsPrintable(static_cast<uint8_t>(PreviousByte)));
        if (byte >= 0x20 && byte <= 0x7F) {
            if (PartialLine.size() < kPartialLineLimit) PartialLine += static_cast<char>(byte);
        } else if (endOfLine) {
            if (!PartialLine.empty() && IsLinkLostLine(PartialLine)) {
                // Not the machine's: no job may take it for an answer.
                OnSubLinkLost();
            } else if (!PartialLine.empty()) {
                LastReplyLine = PartialLine;
                StatusFlags |= Status::LineAvailable;
                ++RxLines;
                if (LineSink != nullptr) LineSink->push_back({PartialLine, 0});
                // Jobs that wait for lines get this one before the next byte is read.
                if (Engine.EventMask & EV_LINE) {
                    HandleMessage(WindowMsg::LineReceived);
                    // A job that closed the port on this line wants nothing more of the
                    // batch, even if it opened the port again (closing empties the ring
                    // for the same reason).
                    portClosed = PortCloses != portClosesBefore;
                }
            }
            PartialLine.clear();
        } else if (byte == ControlByte::Backspace) {
            if (!PartialLine.empty()) PartialLine.pop_back();
        } else {
            c = 0;
        }

        // Display.
        processed = true;
        if (c == ControlByte::Backspace) {
            flushDisplay();
            if (StatusFlags & Status::ShowReceived) View.CommBackspace();
            continue;   // PreviousByte stays as it was
        }
        if (c >= 0x20 && c <= 0x7F) {
            display += static_cast<char>(c);
        } else if (c == ControlByte::Cr) {
            const bool afterCr = static_cast<uint8_t>(PreviousByte) == ControlByte::Cr;
            if (!((StatusFlags & Status::NoBreakAfterCr) && afterCr)) {
                display += "\r\n";
            }
        }
        PreviousByte = ReceivedByte;
    }
    flushDisplay();
    if (processed) PostJobEvent(EV_DATA);
}

void Terminal::OnLineEvent(uint32_t mask, uint32_t modemStatus) {
    if ((mask & kLineEventTxEmpty) && Tx.Count() != 0) TransmitPump();
    if (!(mask & kLineEventCtsChanged)) return;
    if (modemStatus & kModemCts) {
        StatusFlags |= Status::CtsOn;
        if (Tx.Count() != 0) TransmitPump();
    } else {
        StatusFlags &= ~Status::CtsOn;
    }
    View.RefreshPortLineDisplay();
}
