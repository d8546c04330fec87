#include "upload/UploadJob.h"

#include <filesystem>

#include "app/PathRules.h"
#include "engine/ControlBytes.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"
#include "lang/FileReplacer.h"
#include "upload/UploadDispatcher.h"

namespace {
// A text of blanks and line ends holds no program.
bool HoldsProgram(const std::string& text) { return text.find_first_not_of(" \t\r\n") != std::string::npos; }
}  // namespace

UploadJob::UploadJob(Terminal& terminal, uint32_t bit, UploadDispatcher& dispatcher)
    : Job(terminal, bit), Dispatcher(dispatcher) {}

void UploadJob::ShowUploading(const std::string& detail) {
    std::string text = T.Text(Msg::UploadingEllipsis) + " (" + T.CurrentItem.FileName;
    if (!detail.empty()) text += ", " + detail;
    T.ShowStatus(text + ")", 1);
}

void UploadJob::ShowTime(uint32_t flag) {
    T.StatusFlags |= flag;
    if (flag == Status::DownloadTime) {
        T.ShowDownloadTime();
    } else {
        T.ShowUploadTime();
    }
}

void UploadJob::CountLine() {
    TransferProgress& p = T.Progress;
    ++p.FileDone;
    ++p.TotalDone;
    T.View.SetFileProgress(BarValue(p.FileDone), BarValue(p.FileBytes));
    T.View.SetTotalProgress(BarValue(p.TotalDone), BarValue(p.TotalBytes));
}

void UploadJob::CollectLines() {
    lines_.clear();
    T.LineSink = &lines_;
}

ReceivedLineList UploadJob::TakeLines() {
    ReceivedLineList taken;
    taken.swap(lines_);
    return taken;
}

void UploadJob::CollectText() {
    text_.clear();
    T.UnlimitedText = &text_;
}

void UploadJob::AppendLine(const std::string& line) { UploadText += line + "\r\n"; }

int UploadJob::FailShowing(Msg message) {
    FailText = T.Text(message);
    State = JobState::Failed;
    return 1;
}

int UploadJob::CancelUpload(bool stopMachine) {
    if (stopMachine) T.QueueByte(ControlByte::Etx, false);
    return CancelThrough(Dispatcher);
}

int UploadJob::Begin(int next) {
    T.StatusFlags &= ~Status::LinkIdle;
    UploadText.clear();
    State = next;
    ArmTimeout(kQuietMs);
    return 0;
}

bool UploadJob::QuietLineEnded(uint32_t event) {
    if (event & EV_TIMEOUT) return true;
    ArmTimeout(kQuietMs);
    return false;
}

int UploadJob::Store() {
    KillTimeout();
    State = JobState::Finish;
    // Nothing is written for an empty upload, so an older file of that name stays.
    if (!HoldsProgram(UploadText)) {
        T.ShowStatus(Msg::ReceiveDataEmpty, 0);
        return 1;
    }
    std::filesystem::path path(JoinPath(T.TransferFolder, T.CurrentItem.FileName));
    if (!FileReplacer::Write(path, UploadText)) {
        T.ShowStatus(Msg::WritingFailed, 0);
        return 1;
    }
    TransferProgress& p = T.Progress;
    p.FileDone = p.FileBytes;
    T.View.SetFileProgress(BarValue(p.FileDone), BarValue(p.FileBytes));
    T.ShowStatus(Msg::UploadingCompleted, 0);
    completed_ = true;
    return 1;
}


int UploadJob::Finish() {
    if (T.LineSink == &lines_) T.LineSink = nullptr;
    lines_.clear();
    if (T.UnlimitedText == &text_) T.UnlimitedText = nullptr;
    text_.clear();
    T.Engine.EventMask &= ~EV_LINE;
    T.EtxEndsLine = false;
    bool completed = completed_;
    completed_ = false;
    UploadText.clear();
    FailText.clear();
    Retries = 0;
    int result = FinishTransferJob();
    Dispatcher.FileEnded(completed);
    return result;
}

int UploadJob::RunEndState() {
    switch (State) {
        case JobState::Completed: return Store();
        case JobState::Failed: return ShowFailText();
        case JobState::Finish: return Finish();
        case JobState::Unknown:
            State = JobState::Finish;
            return 1;
        default:
            State = JobState::Unknown;
            return 1;
    }
}
