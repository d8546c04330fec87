#include "cli/ConsoleView.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "cli/EscapedText.h"
#include "link/ChannelSelectionModel.h"
#include "engine/ControlBytes.h"

namespace {
// The text of a status line without its "%d> " prefix or continuation blanks.
std::string EntryText(const std::string& line) {
    std::size_t i = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
    if (i > 0 && line.compare(i, 2, "> ") == 0) return line.substr(i + 2);
    std::size_t start = line.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : line.substr(start);
}

const char* AnswerName(MessageBoxAnswer answer) {
    switch (answer) {
        case MessageBoxAnswer::Ok: return "OK";
        case MessageBoxAnswer::Cancel: return "Cancel";
        case MessageBoxAnswer::Yes: return "Yes";
        case MessageBoxAnswer::No: return "No";
        case MessageBoxAnswer::Retry: return "Retry";
    }
    return "Cancel";
}
}  // namespace

ConsoleView::ConsoleView(std::ostream& out, std::ostream& err, bool answerYes, const std::string& commFile)
    : out_(out), err_(err), answerYes_(answerYes), commFile_(commFile) {}

ConsoleView::~ConsoleView() {
    // The shell's prompt must not land on the progress line.
    if (progressShown_) err_ << std::endl;
}

void ConsoleView::ClearProgressLine() {
    if (!progressShown_) return;
    err_ << "\r\x1b[K";
    progressShown_ = false;
}

void ConsoleView::SetTransferFigures(const TransferFigures& figures) {
    std::string text = figures.Text(sizeWord_, linesWord_);
    if (progressTerminal_) {
        err_ << '\r' << text << "\x1b[K" << std::flush;
        progressShown_ = true;
        return;
    }
    // A log gets a line now and then, and one when a file is through.
    if (figures.ElapsedMs < lastElapsedMs_) nextPlainMs_ = 0;   // a new selection
    lastElapsedMs_ = figures.ElapsedMs;
    bool fileDone = figures.FileBytes > 0 && figures.FileDone >= figures.FileBytes;
    bool justDone = fileDone && !fileWasDone_;
    fileWasDone_ = fileDone;
    if (nextPlainMs_ == 0) nextPlainMs_ = figures.ElapsedMs + kPlainFiguresEveryMs;
    if (!justDone && figures.ElapsedMs < nextPlainMs_) return;
    nextPlainMs_ = figures.ElapsedMs + kPlainFiguresEveryMs;
    err_ << text << std::endl;
}

void ConsoleView::AppendStatusLine(const std::string& raw) {
    ClearProgressLine();
    // File, program and channel names in an entry must not break it into lines.
    const std::string line = EscapedText(raw);
    err_ << line << std::endl;
    if (scanLinesToOut_ && scanOpen_) {
        // A module found by the inquiry: its 12-character address, a comma, its data.
        std::string text = EntryText(line);
        if (text.find(',') == 12) out_ << text << std::endl;
    }
}

std::ostream* ConsoleView::Comm() {
    if (commFile_.empty()) return nullptr;
    if (commFile_ == "-") return &err_;
    if (!commStream_.is_open()) commStream_.open(commFile_, std::ios::binary | std::ios::app);
    return commStream_ ? &commStream_ : nullptr;
}

void ConsoleView::AppendCommText(const std::string& text) {
    if (std::ostream* comm = Comm()) comm->write(text.data(), static_cast<std::streamsize>(text.size())).flush();
}

void ConsoleView::AppendTransmittedByte(uint8_t byte) {
    // The echo shows what the window's echo shows: printable bytes, CR as a
    // line end and backspace; the protocol's other control bytes stay out.
    if (byte == ControlByte::Backspace) {
        CommBackspace();
        return;
    }
    std::ostream* comm = Comm();
    if (comm == nullptr) return;
    if (byte == ControlByte::Cr) {
        *comm << "\r\n";
    } else if (byte >= 0x20 && byte < 0x7F) {
        comm->put(static_cast<char>(byte));
    } else {
        return;
    }
    comm->flush();
}

void ConsoleView::CommBackspace() {
    if (std::ostream* comm = Comm()) comm->put('\b').flush();
}

MessageBoxAnswer ConsoleView::AskMessageBox(const std::string& text, MessageBoxKind kind) {
    MessageBoxAnswer answer = MessageBoxAnswer::Ok;
    switch (kind) {
        case MessageBoxKind::Ok: answer = MessageBoxAnswer::Ok; break;
        case MessageBoxKind::OkCancel: answer = answerYes_ ? MessageBoxAnswer::Ok : MessageBoxAnswer::Cancel; break;
        case MessageBoxKind::YesNo: answer = answerYes_ ? MessageBoxAnswer::Yes : MessageBoxAnswer::No; break;
        // Nobody can replug a cable for a script.
        case MessageBoxKind::RetryCancel: answer = MessageBoxAnswer::Cancel; break;
    }
    ClearProgressLine();
    err_ << (kind == MessageBoxKind::Ok ? "!! " : "?? ") << EscapedText(text) << " [" << AnswerName(answer) << "]" << std::endl;
    return answer;
}

bool ConsoleView::RunChannelSelection(ChannelSelectionModel& model) {
    for (std::size_t row = 0; row < model.Rows().size(); ++row) {
        if (model.Rows()[row].Channel == channelAnswer_) model.SelectRow(static_cast<int>(row));
    }
    bool chosen = channelAnswer_ > 0 && model.SelectedRow() >= 0 &&
                  model.Rows()[model.SelectedRow()].Channel == channelAnswer_ && model.Accept();
    ClearProgressLine();
    err_ << "?? " << model.Title() << " [" << (chosen ? std::to_string(channelAnswer_) : std::string("Cancel"))
         << "]" << std::endl;
    return chosen;
}

bool ConsoleView::RunDownloadDialog(DownloadRequest& request) {
    if (downloadAnswer_.Files.empty()) return false;
    request.TransferFolder = downloadAnswer_.TransferFolder;
    request.Files = downloadAnswer_.Files;
    request.SysDelayBits = downloadAnswer_.SysDelayBits;
    request.Verify = downloadAnswer_.Verify;
    // A system program that cannot be read brings the dialog back; the
    // command line has no other file to offer, so the second time is a cancel.
    if (request.SystemProgram) downloadAnswer_.Files.clear();
    return true;
}

bool ConsoleView::AskProgramName(const std::string& title, std::string& name) {
    ClearProgressLine();
    err_ << "?? " << title << " [" << (programNameAnswer_ ? *programNameAnswer_ : std::string("Cancel")) << "]"
         << std::endl;
    if (!programNameAnswer_) return false;
    name = *programNameAnswer_;
    return true;
}

bool ConsoleView::RunUploadDialog(UploadRequest& request) {
    if (uploadAnswer_.Files.empty()) return false;
    if (!request.ShowMachineList) {
        std::error_code error;
        const std::filesystem::path target =
            std::filesystem::path(uploadAnswer_.TransferFolder) / uploadAnswer_.Files.front().FileName;
        if (std::filesystem::exists(target, error) &&
            AskMessageBox(overwriteQuestion_, MessageBoxKind::YesNo) != MessageBoxAnswer::Yes) {
            return false;
        }
    }
    request.TransferFolder = uploadAnswer_.TransferFolder;
    request.Files = uploadAnswer_.Files;
    return true;
}

bool ConsoleView::AskPOrTKey(char& key) {
    err_ << "?? " << keyPrompt_ << " [" << (keyAnswer_ ? std::string(1, *keyAnswer_) : std::string("Cancel")) << "]"
         << std::endl;
    if (!keyAnswer_) return false;
    key = *keyAnswer_;
    return true;
}

void ConsoleView::OpenWaitStartDialog() {
    if (startPress_) startPress_();
}
