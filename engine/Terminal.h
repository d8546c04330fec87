#pragma once
// The engine behind the terminal window: the shared status word, the job engine,
// the transmit queue and the receive variables, the link's module records and
// the jobs. The Qt window and the console front end each own one Terminal and
// feed it window messages and timer expiries on their UI thread.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/TransferItem.h"
#include "engine/JobEngine.h"
#include "engine/McProgramEntry.h"
#include "engine/ProgramReadBack.h"
#include "engine/ReceivedLine.h"
#include "engine/StatusNumbering.h"
#include "lang/Msg.h"
#include "engine/HostModuleInfo.h"
#include "engine/SubModuleInfo.h"
#include "engine/TransferRecorder.h"
#include "engine/TransferMeter.h"
#include "engine/TxRing.h"
#include "serial/SerialPort.h"

class CKOVAApp;
class EventLoop;
class Job;
class SerialPort;
class TerminalView;

// Progress of a transfer, shared by the dispatchers and the transfer jobs.
struct TransferProgress {
    int64_t TotalBytes = 0;      // whole selection
    int64_t TotalDone = 0;
    int64_t FileBytes = 0;       // current file
    int64_t FileDone = 0;
    uint64_t StartClockMs = 0;
    int64_t LastShownSecond = -1;   // -1: a new transfer starts (its figures too)
    int Retries = 0;                // lines or frames sent again
    int Nudges = 0;                 // wake-up bytes sent into a silent line
};

// A byte count of TransferProgress as a progress bar takes it: clamped to 0 .. INT_MAX.
int BarValue(int64_t bytes);

class Terminal {
public:
    Terminal(CKOVAApp& app, SerialPort& port, EventLoop& loop, TerminalView& view);
    ~Terminal();
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    // ---- window messages and timers (UI thread) ----
    // Handles the engine's window messages (WindowMsg); returns the handler's result.
    intptr_t HandleMessage(uint32_t message, uint32_t wParam = 0, uint32_t lParam = 0);
    void OnTimer(int timerId);

    // ---- texts ----
    std::string Text(Msg row) const;
    // Status window output: mode 1 starts a new numbered entry.
    void ShowStatus(const std::string& text, int mode = 0);
    void ShowStatus(Msg row, int mode = 0) { ShowStatus(Text(row), mode); }

    // ---- job engine ----
    bool StartJob(uint32_t bit) { return Engine.StartJob(bit); }
    void PostJobEvent(uint32_t code) { Engine.PostJobEvent(code); }
    // Records the byte the receive path should recognise and returns it for sending.
    uint8_t ExpectEcho(uint8_t byte);
    void RefreshPages();
    void ShowDownloadTime();
    void ShowUploadTime();
    void ArmJobTimer(uint32_t ms);
    void KillJobTimer();
    uint32_t JobWaitMs = 0;       // the wait timer 500 was last armed with

    // ---- PC port ----
    // Checks the port parameters and opens the port; the report is for the status window.
    // LastPortFailure tells why the port did not open.
    int OpenPcPort(std::string& report);
    PortOpenFailure LastPortFailure = PortOpenFailure::None;
    // Added to "Port failed to open." when another program holds the port.
    // The text table has no row for it, so it is the same in every language.
    static constexpr const char* kPortInUseText = "(in use by another program)";
    // "<port> Port failed to open. (in use by another program)"
    std::string PortInUseReport() const;
    void ClosePcPort(bool wait);
    // Counts ClosePcPort calls: the receive path drops what it took from a port
    // that a job closed (and maybe opened again) while the batch was handled.
    uint64_t PortCloses = 0;

    // ---- transmit queue ----
    int QueueByte(uint8_t byte, bool raw);            // then runs the pump
    int QueueByteNoPump(uint8_t byte, bool raw);      // for jobs that queue many bytes first
    int QueueText(const std::string& text, bool raw);
    int QueueBlock(const uint8_t* data, int count);   // always stuffed
    void TransmitPump();

    // ---- a port that went away (0x408) and received bytes that were lost (0x407) ----
    // The device is gone: the running jobs are cancelled at once instead of
    // waiting out their time-outs, and the port is closed.
    void OnPortLost();
    // The host module's own line when the radio link to the sub module breaks
    // (the sub module went out of range or lost power): it is back in command
    // mode. While a sub module is connected and no link job is talking to the
    // host module, that line ends the connection: the running jobs are
    // cancelled at once instead of waiting out their time-outs (or forever,
    // for a start signal), and what is still queued for the machine is dropped
    // so that it cannot run into the next command to the host module.
    static constexpr const char* kHostLinkLost = "DISCONNECT";
    // The sub module (by serial) whose machine lost its link in the middle of
    // a download: it may still wait for the rest of a program, so the next
    // connection to it stops the machine with ETX before anything else (not a
    // PANASERT/RS232, for which ETX can mean the end of the program).
    std::string StopOwedTo;
    bool IsLinkLostLine(const std::string& line) const;
    void OnSubLinkLost();
    // Counts reports of lost received bytes; a transfer that saw one ends with kReceiveLostText.
    uint32_t ReceiveLossCount = 0;
    // Received bytes the port reported lost since the terminal started.
    uint64_t ReceiveLostBytes = 0;
    // A loss report (0x407, lParam: bytes lost, 0 when the port cannot tell):
    // counted, entered in the status window, and told to the operator with one
    // notice per burst of losses. Reports that arrive while that notice is open,
    // or less than kLossBurstGapMs after the previous one, only add to the count;
    // the status window shows the new count when the notice closes, or at the
    // next tick of timer 502.
    void OnReceiveLoss(uint32_t lostBytes);
    static constexpr uint64_t kLossBurstGapMs = 2000;
    // "Receive buffer over! (<n> bytes lost)"; without a count when none is known.
    // The text table has no row for it, so it is the same in every language.
    static constexpr const char* kReceiveOverText = "Receive buffer over!";
    static std::string ReceiveLossReport(uint64_t lostBytes);
    static constexpr const char* kReceiveLostText =
        "Received bytes were lost: the machine's answers may have been missed.";
    // The last disconnect ended without the host module's DISCONNECT (or the
    // port went away while a sub module was connected): the module may still be up.
    bool HangUpMissed = false;

    // ---- receive path (message 0x405) and line events (0x406) ----
    void OnReceived();
    void OnLineEvent(uint32_t mask, uint32_t modemStatus);
    // Empties PartialLine and LastReplyLine.
    void ClearReply();

    // ---- the machine type of the current channel ----
    const std::string& CurrentMcType() const;
    bool CurrentTypeIs(const char* type) const { return CurrentMcType() == type; }

    CKOVAApp& App;
    SerialPort& Port;
    EventLoop& Loop;
    TerminalView& View;

    JobEngine Engine;
    uint32_t StatusFlags = 0;

    // Transmit side.
    TxRing Tx;
    int WriteFailCount = 0;

    // Receive side.
    int8_t ReceivedByte = 0;
    int8_t ExpectedEcho = 0;
    int8_t LastControlByte = 0;
    int8_t PreviousByte = 0;
    int RxByteCount = 0;
    std::string PartialLine;
    std::string LastReplyLine;
    std::string ReceivedText;
    static constexpr std::size_t kReceivedTextLimit = 30000;
    // Longest line kept while it is received; noise without line ends must not
    // grow it without bound (machine lines are far shorter).
    static constexpr std::size_t kPartialLineLimit = 4096;
    // Where received lines collect without the ReceivedText limit, for jobs
    // that need a whole listing (null when no job asked for it).
    std::string* UnlimitedText = nullptr;
    // Where every completed line (and the punch start and end bytes) goes
    // while an upload job collects a program (null when none does).
    ReceivedLineList* LineSink = nullptr;
    // While set, an upload job reads the program into it and writes no file
    // (a read-back that checks a download).
    ProgramReadBack* ReadBack = nullptr;

    // The first byte with the top bit set received since ArmReplyByte: a sub
    // module's one-byte answer, even when more bytes follow in the same batch
    // (0 while none).
    uint8_t ReplyByte = 0;
    bool ReplyByteArmed = false;
    void ArmReplyByte() {
        ReceivedByte = 0;
        ReplyByte = 0;
        ReplyByteArmed = true;
    }

    // What the link learnt about its radio modules.
    HostModuleInfo HostInfo;
    SubModuleInfo SubInfo;
    int ConnectTicks = 0;         // 100 ms ticks left for a dial

    // The sub module has been told to pass every byte to the machine (a system
    // program download); command bytes would now reach the machine as data.
    // A new connection clears it.
    bool SubTransparent = false;

    uint32_t IdleTimeoutMs = 0;   // interval of timer 501, 0 = no idle disconnect
    // The longest idle time whose interval a timer still takes (its milliseconds fit in an int).
    static constexpr int kMaxIdleSeconds = 2147483;
    // DisconnectTime (seconds) as a timer interval: computed in 64 bits and
    // clamped to what a timer takes (INT_MAX ms, about 24 days); 0 and less are off.
    static uint32_t IdleTimeoutFor(int disconnectSeconds);
    float CharTimeMs = 0;         // one character on the machine line, 0 = not set up
    // When what the pump has written will have crossed the machine's line (by
    // CharTimeMs). A job's wait (timer 500) that runs out before then starts
    // again once it has: no reply can come before the machine has the bytes.
    double MachineLineFreeMs = 0;

    TransferProgress Progress;
    // Bytes through the port each way and lines the receive path completed,
    // since the terminal started; the transfer figures take their differences.
    uint64_t TxTotal = 0;
    uint64_t RxTotal = 0;
    uint64_t RxLines = 0;
    TransferMeter Meter;

    // ---- the file a download sends, and the selection it comes from ----
    std::unique_ptr<uint8_t[]> FileBuffer;   // holds FileSize bytes while Status::FileBufferLoaded
    uint32_t FileSize = 0;
    uint32_t FileOffset = 0;                 // read position of the per-type job
    TransferItem CurrentItem;                // the item being sent
    TransferItemList PcFileList;             // what the transfer dialog chose
    std::string TransferFolder;              // where those files are; for this run only
    std::string SendLine;                    // the line sent last
    uint8_t EndSeen = 0;                     // the line with the program's end mark went out
    std::string McProgramName;               // name a PANASERT/RS232 machine registers
    // A received ETX (0x03) ends a line as CR does: PANASERT/RS232 frames that
    // end in ^C would otherwise never complete.
    bool EtxEndsLine = false;

    // The programs stored on the machine, as the last list job read them
    // (emptied when a list job starts; the transfer dialogs offer them).
    McProgramEntryList McProgramList;

    // The record of the transfer under way, for the transfer journal.
    TransferRecorder Journal;

    // Adds a job owned by the terminal and registers it with the engine.
    template <typename J, typename... Args>
    J& AddJob(Args&&... args) {
        auto job = std::make_unique<J>(*this, std::forward<Args>(args)...);
        J& ref = *job;
        Engine.Register(ref);
        jobs_.push_back(std::move(job));
        return ref;
    }

private:
    void StartUnlessActive(uint32_t bit);
    // Empties the transmit queue and forgets the port's write failures and
    // modem bits, on every open and close of the PC port.
    void ForgetPortState();
    void OnIdleTimer();
    void OnPacingTimer();
    void ReArmIdleTimer();
    void ShowTime(bool withRemaining);
    TransferSample CurrentSample() const;
    // Feeds the figures; a new transfer (LastShownSecond -1) starts them afresh.
    void SampleTransfer();
    void PublishFigures(bool due);

    uint64_t figuresShownMs_ = 0;
    // Enters the running count of lost bytes in the status window.
    void ShowLossCount();
    bool lossNoticeOpen_ = false;   // the "Receive buffer over!" notice is up
    bool lossSeen_ = false;
    uint64_t lastLossMs_ = 0;       // the last loss report, or the notice's closing
    uint64_t lossBytesShown_ = 0;   // ReceiveLostBytes as the status window last showed it

    StatusNumbering statusNumbering_;
    std::vector<std::unique_ptr<Job>> jobs_;
};
