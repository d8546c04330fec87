#include "upload/UploadJob.h"

#include <chrono>

#include "app/CKOVAApp.h"
#include "app/PathRules.h"
#include "engine/ControlBytes.h"
#include "engine/EventLoop.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"
#include "lang/TextPair.h"
#include "upload/UploadDispatcher.h"
#include "upload/UploadFileWriter.h"

namespace {
// A text of blanks and line ends holds no program.
bool HoldsProgram(const std::string& text) { return text.find_first_not_of(" \t\r\n") != std::string::npos; }

constexpr TextPair kReadingBack{"Reading back to verify...", "검증을 위해 읽는 중..."};
constexpr TextPair kNotKept{"The older file could not be kept: ", "이전 파일을 보관하지 못했습니다: "};
constexpr TextPair kStoredAside{"The uploaded program was stored as ", "업로드한 프로그램을 다음 이름으로 저장했습니다: "};
}  // namespace

UploadJob::UploadJob(Terminal& terminal, uint32_t bit, UploadDispatcher& dispatcher)
    : Job(terminal, bit), Dispatcher(dispatcher) {}

void UploadJob::ShowUploading(const std::string& detail) {
    // A read-back writes no file: the operator sees that the download is being checked.
    std::string text = T.ReadBack != nullptr ? kReadingBack.For(T.App._nLanguage) : T.Text(Msg::UploadingEllipsis);
    text += " (" + T.CurrentItem.FileName;
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
    FailRow = static_cast<int>(message);
    State = JobState::Failed;
    return 1;
}

int UploadJob::CancelUpload(bool stopMachine) {
    if (stopMachine) T.QueueByte(ControlByte::Etx, false);
    if (T.ReadBack != nullptr) {
        // A read-back belongs to the download run, which takes the cancel from it.
        T.ReadBack->Cancelled = true;
        KillTimeout();
        State = JobState::Finish;
        return 1;
    }
    EndRecord(TransferResult::Cancelled, Msg::UploadingCanceled);
    return CancelThrough(Dispatcher);
}

void UploadJob::EndRecord(TransferResult result, int row, const std::string& text) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(UploadText.data());
    T.Journal.EndWith(result, row, text, bytes, UploadText.size(), UploadText.size());
}

void UploadJob::EndRecord(TransferResult result, Msg row) { EndRecord(result, static_cast<int>(row), T.Text(row)); }

int UploadJob::Begin(int next) {
    T.StatusFlags &= ~Status::LinkIdle;
    UploadText.clear();
    State = next;
    quietSinceMs_ = T.Loop.NowMs();
    ArmTimeout(kQuietMs);
    return 0;
}

bool UploadJob::QuietLineEnded(uint32_t event) {
    if (event & EV_TIMEOUT) return true;
    if (T.Loop.NowMs() - quietSinceMs_ >= kReplyWaitMs) {
        FailWith(Msg::NoResponseFromMc);
        return false;
    }
    ArmTimeout(kQuietMs);
    return false;
}

int UploadJob::Store() {
    KillTimeout();
    State = JobState::Finish;
    if (T.ReadBack != nullptr) {
        T.ReadBack->Text = UploadText;
        T.ReadBack->Completed = true;
        completed_ = true;
        return 1;
    }
    // Nothing is written for an empty upload, so an older file of that name stays.
    if (!HoldsProgram(UploadText)) {
        T.ShowStatus(Msg::ReceiveDataEmpty, 0);
        EndRecord(TransferResult::Failed, Msg::ReceiveDataEmpty);
        return 1;
    }
    const std::string path = JoinPath(T.TransferFolder, T.CurrentItem.FileName);
    const UploadWriteResult written =
        UploadFileWriter::Write(path, UploadText, std::chrono::system_clock::now(), T.App.KeptVersionLimit);
    switch (written.Result) {
        case UploadWriteResult::Outcome::Failed:
            T.ShowStatus(Msg::WritingFailed, 0);
            if (!written.Error.empty()) T.ShowStatus(written.Error, 0);
            EndRecord(TransferResult::Failed, Msg::WritingFailed);
            return 1;
        case UploadWriteResult::Outcome::WrittenAside: {
            const int language = T.App._nLanguage;
            T.ShowStatus(kNotKept.For(language) + written.Error, 0);
            T.ShowStatus(kStoredAside.For(language) + written.Path, 0);
            EndRecord(TransferResult::Failed, -1,
                      kNotKept.English + written.Error + "; " + kStoredAside.English + written.Path);
            return 1;
        }
        case UploadWriteResult::Outcome::Written: break;
    }
    TransferProgress& p = T.Progress;
    p.FileDone = p.FileBytes;
    T.View.SetFileProgress(BarValue(p.FileDone), BarValue(p.FileBytes));
    T.ShowStatus(Msg::UploadingCompleted, 0);
    EndRecord(TransferResult::Completed, Msg::UploadingCompleted);
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
    // A job that ended without passing one of the end states above.
    EndRecord(TransferResult::Failed, FailRow, FailText);
    if (T.ReadBack != nullptr && !completed && !T.ReadBack->Cancelled) T.ReadBack->FailText = FailText;
    UploadText.clear();
    FailText.clear();
    FailRow = -1;
    Retries = 0;
    int result = FinishTransferJob();
    if (T.ReadBack == nullptr) Dispatcher.FileEnded(completed);
    return result;
}

int UploadJob::RunEndState() {
    switch (State) {
        case JobState::Completed: return Store();
        case JobState::Failed:
            EndRecord(TransferResult::Failed, FailRow, FailText);
            return ShowFailText();
        case JobState::Finish: return Finish();
        case JobState::Unknown:
            State = JobState::Finish;
            return 1;
        default:
            State = JobState::Unknown;
            return 1;
    }
}
