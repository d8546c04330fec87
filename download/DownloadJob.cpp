#include "download/DownloadJob.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "download/DownloadDispatcher.h"
#include "engine/ControlBytes.h"
#include "engine/EventLoop.h"
#include "engine/JobEvents.h"
#include "download/NcFileRules.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"
#include "engine/SubModuleCommands.h"

namespace {
// A failure names the offending text; a binary file can make a line of
// thousands of bytes, of which the start is enough to find it.
constexpr std::size_t kShownTextLimit = 100;

std::string Visible(const std::string& text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size() && shown.size() < kShownTextLimit; ++i) {
        auto byte = static_cast<uint8_t>(text[i]);
        if (byte < 0x20) {
            shown += '^';
            shown += static_cast<char>(byte + 0x40);
        } else if (byte >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "<%02X>", byte);
            shown += hex;
        } else {
            shown += static_cast<char>(byte);
        }
    }
    if (shown.size() >= kShownTextLimit) shown += "...";
    return shown;
}
}  // namespace

DownloadJob::DownloadJob(Terminal& terminal, uint32_t bit, DownloadDispatcher& dispatcher)
    : Job(terminal, bit), Dispatcher(dispatcher) {}

bool DownloadJob::ReadLine() {
    std::string line;
    while (T.FileOffset < T.FileSize && T.FileBuffer) {
        T.FileOffset = ReadNextLine(T.FileBuffer.get(), T.FileSize, T.FileOffset, line);
        ShowReadPosition();
        if (!line.empty()) {
            T.SendLine = line;
            return true;
        }
    }
    return false;
}

std::string DownloadJob::NextProgramLine() {
    if (!ReadLine()) T.SendLine = "*";
    return T.SendLine;
}

void DownloadJob::NoteEndMark(const std::string& line) {
    if (line.find('*') != std::string::npos) T.EndSeen = 1;
}

void DownloadJob::ShowProgress(int64_t fileDone, int64_t totalDone) {
    TransferProgress& p = T.Progress;
    p.FileDone = fileDone;
    p.TotalDone = totalDone;
    T.View.SetFileProgress(BarValue(p.FileDone), BarValue(p.FileBytes));
    T.View.SetTotalProgress(BarValue(p.TotalDone), BarValue(p.TotalBytes));
}

void DownloadJob::ShowReadPosition() { ShowProgress(T.FileOffset, Dispatcher.SentBefore() + T.FileOffset); }

void DownloadJob::ShowDownloadingUnderName() {
    const std::string& file = T.CurrentItem.FileName;
    const std::string& name = T.CurrentItem.McProgramName;
    auto lower = [](std::string text) {
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    std::string text = T.Text(Msg::DownloadingEllipsis) + " (" + file;
    if (lower(file) != lower(name)) text += "," + name;
    T.ShowStatus(text + ")", 1);
}

void DownloadJob::ShowDownloading(const std::string& detail) {
    std::string text = T.Text(Msg::DownloadingEllipsis) + " (" + T.CurrentItem.FileName;
    if (!detail.empty()) text += " -> " + detail;
    T.ShowStatus(text + ")", 1);
}

void DownloadJob::ShowTime() {
    T.StatusFlags |= Status::DownloadTime;
    T.ShowDownloadTime();
}

bool DownloadJob::Send(const std::string& text) {
    if (T.QueueText(text, false)) return true;
    FailWith(Msg::DownloadingFailed);
    return false;
}

bool DownloadJob::SendByte(uint8_t byte) {
    if (T.QueueByte(byte, false)) return true;
    FailWith(Msg::DownloadingFailed);
    return false;
}

bool DownloadJob::QueueNuls(int count) {
    for (int i = 0; i < count; ++i) {
        if (!T.QueueByteNoPump(ControlByte::Nul, false)) return false;
    }
    return true;
}

bool DownloadJob::Nudge() {
    ++T.Progress.Nudges;
    return SendByte(ControlByte::Nul);
}

bool DownloadJob::SendEchoed(uint8_t byte) { return SendByte(T.ExpectEcho(byte)); }

int DownloadJob::SendEchoedAndWait(uint8_t byte, uint32_t waitMs, int next) {
    State = next;
    ArmTimeout(waitMs);
    return SendEchoed(byte) ? 0 : 1;
}

bool DownloadJob::EchoArrived() const { return (T.StatusFlags & Status::EchoArrived) != 0; }

int DownloadJob::AskForReadyReports(int wait, int next) {
    if (T.SubInfo.SubModuleVersion < kReadyReportVersion) {
        T.Engine.EventMask |= EV_TX_EMPTY;
        State = next;
        return 1;
    }
    return SendEchoedAndWait(SubModuleCommand::ReadyReportsOn, kCommandEchoWaitMs, wait);
}

int DownloadJob::TakeReadyReportsAnswer(uint32_t event, int next) {
    if (event & EV_TIMEOUT) {
        T.Engine.EventMask |= EV_TX_EMPTY;
    } else if (EchoArrived()) {
        KillTimeout();
        T.Engine.EventMask |= EV_RESUME;
    } else {
        return 0;
    }
    State = next;
    return 1;
}

int DownloadJob::EchoOrTimeoutThen(uint32_t event, int next) {
    if (!(event & EV_TIMEOUT)) {
        if (!EchoArrived()) return 0;
        KillTimeout();
    }
    State = next;
    return 1;
}

int DownloadJob::AwaitQuietLine(uint32_t event, uint32_t quietMs, int next, uint32_t limitMs) {
    if (event & EV_DATA) {
        if (WaitOutlasted(limitMs)) return FailWith(Msg::NoResponseFromMc);
        ArmTimeout(quietMs);
        return 0;
    }
    if (!(event & EV_TIMEOUT)) return 0;
    State = next;
    return 1;
}

void DownloadJob::FailNaming(Msg message, const std::string& text) {
    FailText = WithState(T.Text(message)) + " : " + Visible(text);
    FailRow = static_cast<int>(message);
    State = JobState::Failed;
}

void DownloadJob::ShowSentAndReceived() {
    T.ShowStatus(T.Text(Msg::Sent) + " : " + Visible(T.SendLine), 0);
    T.ShowStatus(T.Text(Msg::Receive) + " : " + Visible(T.LastReplyLine), 0);
    T.ShowStatus(Msg::SetNcdDelayBitsLarger, 0);
}

int DownloadJob::CompleteDespiteMissingEcho() {
    T.ShowStatus(WithState(T.Text(Msg::FailedToSetupModule)), 0);
    State = JobState::Completed;
    return 1;
}

int DownloadJob::Complete() {
    KillTimeout();
    TransferProgress& p = T.Progress;
    ShowProgress(p.FileBytes, Dispatcher.SentBefore() + T.FileSize);
    uint64_t now = T.Loop.NowMs();
    int64_t seconds = now > p.StartClockMs ? static_cast<int64_t>((now - p.StartClockMs) / 1000) : 0;
    seconds = std::max<int64_t>(seconds, 1);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d / 00:00", static_cast<int>((seconds / 60) % 60),
                  static_cast<int>(seconds % 60));
    T.View.SetTimeText(text);
    T.ShowStatus(Msg::DownloadingComplete, 0);
    completed_ = true;
    // The whole file went out, whatever part of it the machine's lines used.
    EndFileRecord(TransferResult::Completed, static_cast<int>(Msg::DownloadingComplete),
                  T.Text(Msg::DownloadingComplete), T.FileSize);
    State = JobState::Finish;
    return 1;
}

int DownloadJob::CancelDownload() {
    EndFileRecord(TransferResult::Cancelled, static_cast<int>(Msg::DownloadingCanceled),
                  T.Text(Msg::DownloadingCanceled), T.FileOffset);
    return CancelThrough(Dispatcher);
}

int DownloadJob::StopMachineAndCancel() {
    T.QueueByte(ControlByte::Etx, false);
    return CancelDownload();
}

int DownloadJob::ShowFailure() {
    KillTimeout();
    if (MachineTookLines) T.QueueByte(ControlByte::Etx, false);
    T.ShowStatus(FailText, 0);
    EndFileRecord(TransferResult::Failed, FailRow, FailText, T.FileOffset);
    State = JobState::Finish;
    return 1;
}

int DownloadJob::RunEndState() {
    switch (State) {
        case JobState::Completed:
            return Complete();

        case JobState::Failed:
            return ShowFailure();

        case JobState::Finish:
            return FinishDownload();

        case JobState::Unknown:
            State = JobState::Finish;
            return 1;

        default:
            State = JobState::Unknown;
            return 1;
    }
}

void DownloadJob::EndFileRecord(TransferResult result, int row, const std::string& text, uint32_t done) {
    T.Journal.EndWith(result, row, text, T.FileBuffer.get(), T.FileBuffer ? T.FileSize : 0, done);
}

int DownloadJob::FinishDownload() {
    uint32_t& mask = T.Engine.EventMask;
    if (mask & EV_RESUME) T.QueueByte(SubModuleCommand::ReadyReportsOff, false);
    if (mask & EV_BUSY) T.QueueByte(SubModuleCommand::BusyReportsOff, false);
    // Line pacing belongs to this file's protocol; the next job picks its own.
    mask &= ~(EV_RESUME | EV_BUSY | EV_TX_EMPTY);
    T.EtxEndsLine = false;
    T.StatusFlags &= ~Status::EchoTransmitted;
    bool completed = completed_;
    completed_ = false;
    MachineTookLines = false;
    // A job that ended without passing one of the end states above.
    EndFileRecord(TransferResult::Failed, FailRow, FailText, T.FileOffset);
    FailText.clear();
    FailRow = -1;
    Retries = 0;
    int result = FinishTransferJob();
    Dispatcher.FileEnded(completed);
    return result;
}
