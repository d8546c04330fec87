#include "jobs/DownloadJob.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "jobs/DownloadDispatcher.h"
#include "jobs/EventLoop.h"
#include "jobs/JobEvents.h"
#include "jobs/NcFileRules.h"
#include "jobs/StatusBits.h"
#include "jobs/Terminal.h"
#include "jobs/TerminalView.h"
#include "link/SubModuleCommands.h"

namespace {
// A failure names the offending text; a binary file can make a line of
// thousands of bytes, of which the start is enough to find it.
constexpr std::size_t kShownTextLimit = 100;

int BarValue(int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, 0, INT_MAX)); }

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
        ShowProgress();
        if (!line.empty()) {
            T.SendLine = line;
            return true;
        }
    }
    return false;
}

void DownloadJob::ShowProgress() {
    TransferProgress& p = T.Progress;
    p.FileDone = T.FileOffset;
    p.TotalDone = Dispatcher.SentBefore() + T.FileOffset;
    T.View.SetFileProgress(BarValue(p.FileDone), BarValue(p.FileBytes));
    T.View.SetTotalProgress(BarValue(p.TotalDone), BarValue(p.TotalBytes));
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
    FailWith(T.Text(Msg::DownloadingFailed));
    return false;
}

bool DownloadJob::SendByte(uint8_t byte) {
    if (T.QueueByte(byte, false)) return true;
    FailWith(T.Text(Msg::DownloadingFailed));
    return false;
}

bool DownloadJob::SendEchoed(uint8_t byte) { return SendByte(T.ExpectEcho(byte)); }

bool DownloadJob::EchoArrived() const { return (T.StatusFlags & Status::EchoArrived) != 0; }

void DownloadJob::FailNaming(Msg message, const std::string& text) {
    FailText = T.Text(message) + "(" + std::to_string(State) + ") : " + Visible(text);
    State = JobState::Failed;
}

int DownloadJob::Complete() {
    TransferProgress& p = T.Progress;
    p.FileDone = p.FileBytes;
    p.TotalDone = Dispatcher.SentBefore() + T.FileSize;
    T.View.SetFileProgress(BarValue(p.FileBytes), BarValue(p.FileBytes));
    T.View.SetTotalProgress(BarValue(p.TotalDone), BarValue(p.TotalBytes));
    uint64_t now = T.Loop.NowMs();
    int64_t seconds = now > p.StartClockMs ? static_cast<int64_t>((now - p.StartClockMs) / 1000) : 0;
    seconds = std::max<int64_t>(seconds, 1);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d / 00:00", static_cast<int>((seconds / 60) % 60),
                  static_cast<int>(seconds % 60));
    T.View.SetTimeText(text);
    T.ShowStatus(Msg::DownloadingComplete, 0);
    completed_ = true;
    State = JobState::Finish;
    return 1;
}

int DownloadJob::CancelDownload() {
    KillTimeout();
    // The dispatcher only records the cancel here; it ends on its next call,
    // once this job's bit is clear.
    Dispatcher.Run(EV_CANCEL);
    State = JobState::Finish;
    return 1;
}

int DownloadJob::ShowFailure() {
    KillTimeout();
    T.ShowStatus(FailText, 0);
    State = JobState::Finish;
    return 1;
}

int DownloadJob::FinishDownload() {
    uint32_t& mask = T.Engine.EventMask;
    if (mask & EV_RESUME) T.QueueByte(SubModuleCommand::ReadyReportsOff, false);
    if (mask & EV_BUSY) T.QueueByte(SubModuleCommand::BusyReportsOff, false);
    // Line pacing belongs to this file's protocol; the next job picks its own.
    mask &= ~(EV_RESUME | EV_BUSY | EV_TX_EMPTY);
    T.EtxEndsLine = false;
    bool completed = completed_;
    completed_ = false;
    FailText.clear();
    Retries = 0;
    int result = FinishTransferJob();
    Dispatcher.FileEnded(completed);
    return result;
}
