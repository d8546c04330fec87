#pragma once
// A TerminalView that records what the engine shows, for tests.

#include <deque>
#include <optional>
#include <functional>
#include <string>
#include <vector>

#include "engine/DownloadRequest.h"
#include "engine/TerminalView.h"
#include "engine/TransferMeter.h"
#include "engine/UploadRequest.h"
#include "link/ChannelSelectionModel.h"

class RecordingView : public TerminalView {
public:
    void AppendStatusLine(const std::string& line) override { StatusLines.push_back(line); }
    void PlaySound(Sound sound) override { Sounds.push_back(sound); }
    void AppendCommText(const std::string& text) override { Comm += text; }
    void AppendTransmittedByte(uint8_t byte) override { Transmitted.push_back(static_cast<char>(byte)); }
    void CommBackspace() override {
        if (!Comm.empty()) Comm.pop_back();
    }
    void FocusCommWindow() override {}
    void RefreshPages() override { ++PageRefreshes; }
    void SetMachineBusy(bool busy) override { MachineBusy = busy; }
    void RefreshPortLineDisplay() override { ++PortLineRefreshes; }
    void SetFileProgress(int position, int range) override {
        FileProgress = {position, range};
        FileProgressSteps.push_back(FileProgress);
    }
    void SetTotalProgress(int position, int range) override { TotalProgress = {position, range}; }
    void SetTimeText(const std::string& text) override { TimeText = text; }
    void SetTransferFigures(const TransferFigures& figures) override { Figures.push_back(figures); }
    MessageBoxAnswer AskMessageBox(const std::string& text, MessageBoxKind kind) override {
        Boxes.push_back(text);
        // What happens while the box is open (the front end keeps handling messages).
        if (WhileBoxOpen) WhileBoxOpen(text);
        if (!Answers.empty()) {
            MessageBoxAnswer answer = Answers.front();
            Answers.pop_front();
            return answer;
        }
        switch (kind) {
            case MessageBoxKind::Ok: return MessageBoxAnswer::Ok;
            case MessageBoxKind::OkCancel: return MessageBoxAnswer::Cancel;
            case MessageBoxKind::YesNo: return MessageBoxAnswer::No;
            case MessageBoxKind::RetryCancel: return MessageBoxAnswer::Cancel;
        }
        return MessageBoxAnswer::Cancel;
    }
    bool RunChannelSelection(ChannelSelectionModel& model) override {
        ++ChannelSelections;
        LastSelectionTitle = model.Title();
        if (ChannelToSelect <= 0) return false;
        for (std::size_t i = 0; i < model.Rows().size(); ++i) {
            if (model.Rows()[i].Channel == ChannelToSelect) model.SelectRow(static_cast<int>(i));
        }
        return model.Accept();
    }
    void OpenScanDialog() override { ScanDialogOpen = true; }
    void CloseScanDialog() override { ScanDialogOpen = false; }
    bool RunDownloadDialog(DownloadRequest& request) override {
        ++DownloadDialogs;
        LastDownloadRequest = request;
        DownloadRequest answer = DownloadAnswer;
        if (!DownloadAnswers.empty()) {
            answer = DownloadAnswers.front();
            DownloadAnswers.pop_front();
        }
        if (answer.Files.empty()) return false;
        request.TransferFolder = answer.TransferFolder;
        request.Files = answer.Files;
        request.SysDelayBits = answer.SysDelayBits;
        request.Verify = answer.Verify;
        return true;
    }
    bool AskProgramName(const std::string& title, std::string& name) override {
        ProgramNameTitles.push_back(title);
        if (!ProgramNameAnswer) return false;
        name = *ProgramNameAnswer;
        return true;
    }
    bool RunUploadDialog(UploadRequest& request) override {
        ++UploadDialogs;
        LastUploadRequest = request;
        if (UploadAnswer.Files.empty()) return false;
        request.TransferFolder = UploadAnswer.TransferFolder;
        request.Files = UploadAnswer.Files;
        return true;
    }
    bool AskPOrTKey(char& key) override {
        ++KeyPrompts;
        key = KeyAnswer;
        return KeyAnswer != 0;
    }
    void OpenWaitStartDialog() override {
        WaitStartDialogOpen = true;
        ++WaitStartDialogs;
    }
    void CloseWaitStartDialog() override { WaitStartDialogOpen = false; }
    void EndProgram() override { Ended = true; }

    bool HasStatus(const std::string& fragment) const {
        for (const auto& line : StatusLines)
            if (line.find(fragment) != std::string::npos) return true;
        return false;
    }

    std::vector<std::string> StatusLines;
    std::function<void(const std::string&)> WhileBoxOpen;
    std::vector<Sound> Sounds;
    std::string Comm;
    std::string Transmitted;
    int PageRefreshes = 0;
    int PortLineRefreshes = 0;
    bool MachineBusy = false;
    std::pair<int, int> FileProgress{0, 0};
    std::vector<std::pair<int, int>> FileProgressSteps;   // every SetFileProgress, in order
    std::pair<int, int> TotalProgress{0, 0};
    std::string TimeText;
    std::vector<TransferFigures> Figures;
    std::vector<std::string> Boxes;
    std::deque<MessageBoxAnswer> Answers;
    int ChannelSelections = 0;
    std::string LastSelectionTitle;
    int ChannelToSelect = 0;   // 0: the dialog is cancelled
    bool ScanDialogOpen = false;
    int DownloadDialogs = 0;
    DownloadRequest LastDownloadRequest;
    DownloadRequest DownloadAnswer;   // no files: the dialog is cancelled
    std::deque<DownloadRequest> DownloadAnswers;   // answers taken first, one per dialog
    std::vector<std::string> ProgramNameTitles;
    std::optional<std::string> ProgramNameAnswer;   // none: the prompt is declined
    int UploadDialogs = 0;
    UploadRequest LastUploadRequest;
    UploadRequest UploadAnswer;       // no files: the dialog is cancelled
    int KeyPrompts = 0;
    char KeyAnswer = 'P';             // 0: the P-or-T prompt is cancelled
    bool WaitStartDialogOpen = false;
    int WaitStartDialogs = 0;
    bool Ended = false;
};
