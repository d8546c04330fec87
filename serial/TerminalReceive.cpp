// The receive path of Terminal: turns the bytes the reader put into the receive
// ring into the shared receive variables, lines and job events.

#include "app/CKOVAApp.h"
#include "jobs/EventLoop.h"
#include "jobs/JobBits.h"
#include "jobs/JobEvents.h"
#include "jobs/StatusBits.h"
#include "jobs/Terminal.h"
#include "jobs/TerminalView.h"
#include "jobs/WindowMessages.h"
#include "serial/SerialPort.h"

namespace {
constexpr uint8_t kXon = 0x11;
constexpr uint8_t kReady = 0xFD;
constexpr uint8_t kBusyOff = 0xFE;
constexpr uint8_t kBusyOn = 0xFF;
constexpr uint8_t kBackspace = 0x08;
constexpr uint8_t kCr = 0x0D;
constexpr uint8_t kLf = 0x0A;
constexpr uint8_t kEtx = 0x03;

bool IsPrintable(uint8_t b) { return b >= 0x20 && b <= 0x7E; }
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

    uint8_t byte;
    while (Port.TakeByte(byte)) {
        ReceivedByte = static_cast<int8_t>(byte);
        if (IdleTimeoutMs != 0 && (StatusFlags & Status::SubConnected)) Loop.SetTimer(kTimerIdle, IdleTimeoutMs);

        // The sub module stuffs a 0x00 after every '+' so that data can never
        // look like the host module's escape; drop it.
        if (static_cast<uint8_t>(PreviousByte) == '+' && byte == 0x00) {
            PreviousByte = 0;
            continue;
        }
        if (ReplyByteArmed && byte != 0) {
            ReplyByte = byte;
            ReplyByteArmed = false;
        }
        if (ReceivedByte == ExpectedEcho) StatusFlags |= Status::EchoArrived;

        switch (byte) {
            case 0x11: case 0x12: case 0x13: case 0x14: case 0x25:
                LastControlByte = ReceivedByte;
                if (byte == kXon && Engine.IsActive(JobBit::DownloadCitizenM10) && RxByteCount != 0) {
                    TransmitPump();
                }
                break;
            case kReady:
                if (Engine.EventMask & EV_RESUME) {
                    StatusFlags &= ~Status::PacingPause;
                    PostJobEvent(EV_RESUME);
                }
                break;
            case kBusyOff:
                View.SetMachineBusy(false);
                PostJobEvent(EV_BUSY);
                break;
            case kBusyOn:
                View.SetMachineBusy(true);
                PostJobEvent(EV_BUSY);
                break;
            default: break;
        }
        ++RxByteCount;

        // Line assembly.
        uint8_t c = byte;
        bool endOfLine = byte == kCr || byte == kLf || (byte == kEtx && EtxEndsLine) ||
                         (byte == 0x00 && nullEndsLine && IsPrintable(static_cast<uint8_t>(PreviousByte)));
        if (byte >= 0x20 && byte <= 0x7F) {
            if (PartialLine.size() < kPartialLineLimit) PartialLine += static_cast<char>(byte);
        } else if (endOfLine) {
            if (!PartialLine.empty()) {
                LastReplyLine = PartialLine;
                StatusFlags |= Status::LineAvailable;
                // Jobs that wait for lines get this one before the next byte is read.
                if (Engine.EventMask & EV_LINE) HandleMessage(WindowMsg::LineReceived);
            }
            PartialLine.clear();
        } else if (byte == kBackspace) {
            if (!PartialLine.empty()) PartialLine.pop_back();
        } else {
            c = 0;
        }

        // Display.
        processed = true;
        if (c == kBackspace) {
            flushDisplay();
            if (StatusFlags & Status::ShowReceived) View.CommBackspace();
            continue;   // PreviousByte stays as it was
        }
        if (c >= 0x20 && c <= 0x7F) {
            display += static_cast<char>(c);
        } else if (c == kCr) {
            if (!((StatusFlags & Status::NoBreakAfterCr) && static_cast<uint8_t>(PreviousByte) == kCr)) {
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
