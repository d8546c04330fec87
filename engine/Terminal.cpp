#include "engine/Terminal.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "app/CKOVAApp.h"
#include "app/ChannelFieldRules.h"
#include "engine/EventLoop.h"
#include "engine/Job.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/TerminalView.h"
#include "engine/WindowMessages.h"
#include "serial/SerialPort.h"

namespace {
// The longest a job's wait may grow while the machine's line is busy.
constexpr double kMaxWaitMs = 3600000.0;
}  // namespace

Terminal::Terminal(CKOVAApp& app, SerialPort& port, EventLoop& loop, TerminalView& view)
    : App(app), Port(port), Loop(loop), View(view) {
    Loop.SetTimerHandler([this](int id) { OnTimer(id); });
}

Terminal::~Terminal() { Loop.SetTimerHandler(nullptr); }

std::string Terminal::Text(Msg row) const { return App.GetMultiLanguageStr(static_cast<int>(row)); }

void Terminal::ShowStatus(const std::string& text, int mode) {
    std::optional<std::string> line = statusNumbering_.Format(text, mode);
    if (!line) return;
    View.AppendStatusLine(*line);
    if (text.back() == '!') View.PlaySound(Sound::Error);
    if (text.back() == '?') View.PlaySound(Sound::Question);
}

const std::string& Terminal::CurrentMcType() const { return App.CurrentChannel.McType; }

uint8_t Terminal::ExpectEcho(uint8_t byte) {
    ExpectedEcho = static_cast<int8_t>(byte);
    StatusFlags &= ~Status::EchoArrived;
    return byte;
}

void Terminal::RefreshPages() { View.RefreshPages(); }

void Terminal::ArmJobTimer(uint32_t ms) {
    JobWaitMs = ms;
    Loop.SetTimer(kTimerJob, ms);
}
void Terminal::KillJobTimer() { Loop.KillTimer(kTimerJob); }

void Terminal::ClearReply() {
    PartialLine.clear();
    LastReplyLine.clear();
}

// ---- messages -----------------------------------------------------------------

void Terminal::StartUnlessActive(uint32_t bit) {
    if (Engine.IsActive(bit)) return;
    // A function whose job this build does not have is refused, not left hanging.
    if (!Engine.StartJob(bit)) ShowStatus(Msg::HasBeenCanceled, 1);
}

intptr_t Terminal::HandleMessage(uint32_t message, uint32_t wParam, uint32_t lParam) {
    switch (message) {
        case WindowMsg::StartHostCheck: StartUnlessActive(JobBit::HostCheck); return 1;
        case WindowMsg::StartClosePort: StartUnlessActive(JobBit::ClosePort); return 1;
        case WindowMsg::Received: OnReceived(); return 0;
        case WindowMsg::LineEvent: OnLineEvent(wParam, lParam); return 0;
        case WindowMsg::ReceiveOverflow: OnReceiveLoss(lParam); return 0;
        case WindowMsg::PortLost: OnPortLost(); return 0;
        case WindowMsg::StartUpload: StartUnlessActive(JobBit::UploadDispatcher); return 1;
        case WindowMsg::StartDownload: StartUnlessActive(JobBit::DownloadDispatcher); return 1;
        case WindowMsg::StartSystemDownload: StartUnlessActive(JobBit::SystemDispatcher); return 1;
        case WindowMsg::StartUniversalList: StartUnlessActive(JobBit::ListUniversal); return 1;
        case WindowMsg::StartScan: StartUnlessActive(JobBit::Scan); return 1;
        case WindowMsg::IdleTimeChanged:
            IdleTimeoutMs = IdleTimeoutFor(App.PcPort.DisconnectTime);
            if (IdleTimeoutMs == 0) {
                Loop.KillTimer(kTimerIdle);
            } else if (StatusFlags & Status::SubConnected) {
                Loop.SetTimer(kTimerIdle, IdleTimeoutMs);
            }
            return 1;
        case WindowMsg::StartConnect: StartUnlessActive(JobBit::Connect); return 1;
        case WindowMsg::StartDisconnect:
            Loop.KillTimer(kTimerIdle);
            StartUnlessActive(JobBit::Disconnect);
            return 1;
        case WindowMsg::Cancel: PostJobEvent(EV_CANCEL); return 1;
        case WindowMsg::UserStart: PostJobEvent(EV_USER_START); return 1;
        case WindowMsg::LineReceived: PostJobEvent(EV_LINE); return 1;
        default: return 0;
    }
}

std::string Terminal::ReceiveLossReport(uint64_t lostBytes) {
    if (lostBytes == 0) return kReceiveOverText;
    return std::string(kReceiveOverText) + " (" + std::to_string(lostBytes) + " bytes lost)";
}

void Terminal::OnReceiveLoss(uint32_t lostBytes) {
    ++ReceiveLossCount;
    ReceiveLostBytes += lostBytes;
    // A flood reports losses batch after batch: one notice for the burst, never
    // a stack of them (nor a line of them on a console, which answers at once).
    const uint64_t now = Loop.NowMs();
    const bool sameBurst = lossNoticeOpen_ || (lossSeen_ && now - lastLossMs_ < kLossBurstGapMs);
    lossSeen_ = true;
    lastLossMs_ = now;
    if (sameBurst) return;
    lossNoticeOpen_ = true;
    ShowLossCount();
    View.AskMessageBox(kReceiveOverText, MessageBoxKind::Ok);
    lossNoticeOpen_ = false;
    lastLossMs_ = Loop.NowMs();
    // What was lost while the notice was open, so the count stays complete.
    if (lossBytesShown_ != ReceiveLostBytes) ShowLossCount();
}

void Terminal::ShowLossCount() {
    lossBytesShown_ = ReceiveLostBytes;
    ShowStatus(ReceiveLossReport(ReceiveLostBytes), 1);
}

// ---- timers -------------------------------------------------------------------

void Terminal::OnTimer(int timerId) {
    switch (timerId) {
        case kTimerJob: {
            // On a slow machine line the bytes a reply answers may still be on
            // their way: the wait counts from when they have crossed.
            double backlogMs = MachineLineFreeMs - static_cast<double>(Loop.NowMs());
            if (CharTimeMs > 0 && backlogMs >= 1.0) {
                Loop.SetTimer(kTimerJob, static_cast<uint32_t>(std::min(backlogMs + JobWaitMs, kMaxWaitMs)));
                break;
            }
            Loop.KillTimer(kTimerJob);
            PostJobEvent(EV_TIMEOUT);
            break;
        }
        case kTimerIdle: OnIdleTimer(); break;
        case kTimerPacing: OnPacingTimer(); break;
        default: break;
    }
}

void Terminal::OnIdleTimer() {
    Loop.KillTimer(kTimerIdle);
    if (!(StatusFlags & Status::SubConnected) || Engine.IsActive(JobBit::Disconnect)) return;
    if (Engine.ActiveJobs != 0) {
        // Some transfer states wait for the operator without a time-out of their
        // own; dropping the link under them would strand the transfer.
        if (IdleTimeoutMs != 0) Loop.SetTimer(kTimerIdle, IdleTimeoutMs);
        return;
    }
    ShowStatus(Msg::DisconnectedByTimeout, 1);
    StartJob(JobBit::Disconnect);
}

void Terminal::OnPacingTimer() {
    StatusFlags &= ~Status::PacingPause;
    if (!lossNoticeOpen_ && lossBytesShown_ != ReceiveLostBytes) ShowLossCount();
    Loop.SetTimer(kTimerPacing, 1000);
    bool wasOn = (StatusFlags & Status::CtsOn) != 0;
    bool ctsOn = Port.IsOpen() && (Port.ReadModemStatus() & kModemCts) != 0;
    if (ctsOn) {
        StatusFlags |= Status::CtsOn;
    } else {
        StatusFlags &= ~Status::CtsOn;
    }
    if (ctsOn != wasOn) View.RefreshPortLineDisplay();
    if (Tx.Count() != 0 && ctsOn) TransmitPump();
}

uint32_t Terminal::IdleTimeoutFor(int disconnectSeconds) {
    const int64_t ms = static_cast<int64_t>(disconnectSeconds) * 1000;
    return static_cast<uint32_t>(std::clamp<int64_t>(ms, 0, INT_MAX));
}

void Terminal::ReArmIdleTimer() {
    if (IdleTimeoutMs != 0 && (StatusFlags & Status::SubConnected)) Loop.SetTimer(kTimerIdle, IdleTimeoutMs);
}

// ---- transfer progress and time display -------------------------------------------

int BarValue(int64_t bytes) {
    return static_cast<int>(std::clamp<int64_t>(bytes, 0, INT_MAX));
}

namespace {
std::string MinutesSeconds(int64_t seconds) {
    if (seconds < 0) seconds = 0;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>((seconds / 60) % 60),
                  static_cast<int>(seconds % 60));
    return text;
}
}  // namespace

TransferSample Terminal::CurrentSample() const {
    TransferSample s;
    s.NowMs = Loop.NowMs();
    s.StartMs = Progress.StartClockMs;
    s.Upload = (StatusFlags & Status::UploadTime) != 0;
    s.LineBytes = s.Upload ? RxTotal : TxTotal;
    s.ReceivedLines = RxLines;
    if (!s.Upload && (StatusFlags & Status::FileBufferLoaded) && FileBuffer) {
        s.Buffer = FileBuffer.get();
        s.Size = FileSize;
        s.Offset = FileOffset;
    }
    s.FileName = CurrentItem.FileName;
    s.FileDone = Progress.FileDone;
    s.FileBytes = Progress.FileBytes;
    s.TotalDone = Progress.TotalDone;
    s.TotalBytes = Progress.TotalBytes;
    s.Retries = Progress.Retries;
    s.Nudges = Progress.Nudges;
    return s;
}

void Terminal::SampleTransfer() {
    if (Progress.LastShownSecond < 0) {
        // The dispatcher set up a new selection: its counts start at nothing.
        Progress.Retries = 0;
        Progress.Nudges = 0;
        Meter.Begin(CurrentSample());
        return;
    }
    Meter.Sample(CurrentSample());
}

void Terminal::PublishFigures(bool due) {
    const TransferFigures& f = Meter.Figures();
    uint64_t now = Loop.NowMs();
    // A few times a second while bytes move, and the end of a file at once.
    constexpr uint64_t kFiguresEveryMs = 250;
    bool fileDone = f.FileBytes > 0 && f.FileDone >= f.FileBytes;
    if (!due && !fileDone && now < figuresShownMs_ + kFiguresEveryMs) return;
    figuresShownMs_ = now;
    View.SetTransferFigures(f);
}

void Terminal::ShowTime(bool withRemaining) {
    uint64_t now = Loop.NowMs();
    int64_t elapsed = now >= Progress.StartClockMs ? static_cast<int64_t>(now - Progress.StartClockMs) : 0;
    SampleTransfer();
    bool secondChanged = elapsed / 1000 != Progress.LastShownSecond;
    PublishFigures(secondChanged);
    if (!secondChanged) return;
    Progress.LastShownSecond = elapsed / 1000;
    std::string remaining = "??:??";
    if (withRemaining) {
        int64_t left = Progress.TotalBytes - Progress.TotalDone;
        if (left < 0) left = 0;
        int64_t remainingMs = Progress.TotalDone > 0 ? left * elapsed / Progress.TotalDone : 0;
        remaining = MinutesSeconds(remainingMs / 1000);
    }
    View.SetTimeText(MinutesSeconds(elapsed / 1000) + " / " + remaining);
}

void Terminal::ShowDownloadTime() { ShowTime(true); }
void Terminal::ShowUploadTime() { ShowTime(false); }

// ---- PC port ----------------------------------------------------------------------

int Terminal::OpenPcPort(std::string& report) {
    const PcPortConfig& pc = App.PcPort;
    // A port is a device path; anything else would be resolved against the
    // working folder and could open a regular file.
    LastPortFailure = PortOpenFailure::Other;
    if (pc.PortName.empty() || pc.PortName[0] != '/') {
        report = Text(Msg::InvalidComPortNumber);
        return 0;
    }
    // Whole decimal numbers only: "9600x" or a number beyond any integer is
    // refused, not read as whatever prefix a conversion makes of it.
    int64_t baud = 0;
    if (!ParseDecimalInRange(pc.BaudRate, 300, 19200, baud) || baud % 300 != 0) {
        report = Text(Msg::InvalidPortBaudRate);
        return 0;
    }
    int64_t dataBits = 0;
    if (!ParseDecimalInRange(pc.DataBit, 7, 8, dataBits)) {
        report = Text(Msg::InvalidPortDataBit);
        return 0;
    }
    int64_t stopBits = 0;
    if (!ParseDecimalInRange(pc.StopBit, 1, 2, stopBits)) {
        report = Text(Msg::InvalidPortStopBit);
        return 0;
    }
    int parity;
    if (pc.ParityBit == "NONE") {
        parity = kParityNone;
    } else if (pc.ParityBit == "ODD") {
        parity = kParityOdd;
    } else if (pc.ParityBit == "EVEN") {
        parity = kParityEven;
    } else {
        report = Text(Msg::InvalidPortParityBit);
        return 0;
    }
    ForgetPortState();
    if (Port.Open(pc.PortName, static_cast<uint32_t>(baud), static_cast<int>(dataBits),
                  static_cast<int>(stopBits), parity) &&
        Port.IsOpen()) {
        LastPortFailure = PortOpenFailure::None;
        if (Port.ReadModemStatus() & kModemCts) StatusFlags |= Status::CtsOn;
        report = pc.PortName + " " + Text(Msg::PortOpened);
        return 1;
    }
    LastPortFailure = Port.LastOpenFailure();
    switch (LastPortFailure) {
        case PortOpenFailure::InUse:
            // Replugging the cable would not help: another program must let go.
            report = PortInUseReport();
            break;
        case PortOpenFailure::BaudRate:
            // A rate the checks above let through but the device cannot take.
            report = pc.PortName + " " + Text(Msg::InvalidPortBaudRate);
            break;
        default:
            report = pc.PortName + " " + Text(Msg::PortFailedToOpen);
            break;
    }
    return 0;
}

void Terminal::OnPortLost() {
    if (!Port.IsOpen()) return;
    if (StatusFlags & Status::SubConnected) HangUpMissed = true;
    ShowStatus(Msg::CheckUsbUartPort, 1);
    ClosePcPort(false);
    // The jobs unwind as on the Cancel button, whatever events their state
    // waits for; what they queue meanwhile goes nowhere, the port is closed.
    if (Engine.ActiveJobs != 0) {
        Engine.EventMask |= EV_CANCEL;
        PostJobEvent(EV_CANCEL);
    }
}

bool Terminal::IsLinkLostLine(const std::string& line) const {
    constexpr uint32_t kHostTalkers = JobBit::HostCheck | JobBit::Connect | JobBit::Disconnect | JobBit::ClosePort;
    return (StatusFlags & Status::SubConnected) && !(Engine.ActiveJobs & kHostTalkers) && line == kHostLinkLost;
}

void Terminal::OnSubLinkLost() {
    Tx.Clear();
    // A PANASERT/RS232 machine stops on its abort frame, and ETX may be its
    // end-of-program mark: owed an ETX it would keep half a program as whole.
    if (Engine.IsActive(JobBit::DownloadDispatcher) && !CurrentTypeIs("PANASERT/RS232")) {
        StopOwedTo = App.CurrentChannel.SubSerial;
    }
    StatusFlags &= ~(Status::LinkIdle | Status::SubConnected | Status::PacingPause);
    ShowStatus(Msg::EquipmentDisconnected, 1);
    RefreshPages();
    if (Engine.ActiveJobs != 0) {
        Engine.EventMask |= EV_CANCEL;
        PostJobEvent(EV_CANCEL);
    }
}

std::string Terminal::PortInUseReport() const {
    return App.PcPort.PortName + " " + Text(Msg::PortFailedToOpen) + " " + kPortInUseText;
}

void Terminal::ForgetPortState() {
    // Bytes queued for one port must never reach the next one (a "+++" left
    // for an adapter with CTS off would land in front of the terminal's next
    // answer), and the next port's modem lines are its own.
    Tx.Clear();
    WriteFailCount = 0;
    StatusFlags &= ~(Status::CtsOn | Status::PacingPause);
    MachineLineFreeMs = 0;
}

void Terminal::ClosePcPort(bool wait) {
    if (wait && (StatusFlags & Status::HostConfirmed)) Loop.Sleep(10);
    Port.Close();
    ++PortCloses;
    ForgetPortState();
    StatusFlags &= ~(Status::LinkIdle | Status::HostConfirmed | Status::SubConnected);
    ShowStatus(App.PcPort.PortName + " " + Text(Msg::PortClosed), 0);
}
