#pragma once
// The terminal's view on a console: status entries go to standard error one a
// line exactly as the status window shows them, message boxes are printed
// ("?? " for a question, "!! " for a notice) with the answer the options give,
// and the channel selection is answered with the channel of --channel. The
// communication window's text goes to the --comm file when one is given.
// A running transfer's figures are one line that rewrites itself when standard
// error is a terminal, and a plain line every few seconds (and at the end of
// each file) otherwise.

#include <fstream>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "engine/DownloadRequest.h"
#include "engine/UploadRequest.h"
#include "engine/TerminalView.h"
#include "engine/TransferMeter.h"

class ConsoleView : public TerminalView {
public:
    // `commFile`: "" for none, "-" for `err`, else a file to append to.
    ConsoleView(std::ostream& out, std::ostream& err, bool answerYes, const std::string& commFile);
    ~ConsoleView() override;

    // Standard error is a terminal: the figures rewrite one line.
    void SetProgressOnTerminal(bool terminal) { progressTerminal_ = terminal; }
    // The words the figures are labelled with, from the text table.
    void SetFigureWords(std::string sizeWord, std::string linesWord) {
        sizeWord_ = std::move(sizeWord);
        linesWord_ = std::move(linesWord);
    }
    // Plain figure lines while a file runs come at most this often.
    static constexpr uint64_t kPlainFiguresEveryMs = 5000;

    // The channel the selection is answered with; 0 cancels it.
    void SetChannelAnswer(int channel) { channelAnswer_ = channel; }
    // Module lines found by a scan also go to standard output.
    void SetScanLinesToOutput(bool on) { scanLinesToOut_ = on; }
    bool ProgramEnded() const { return ended_; }

    void AppendStatusLine(const std::string& line) override;
    void PlaySound(Sound) override {}
    void AppendCommText(const std::string& text) override;
    void AppendTransmittedByte(uint8_t byte) override;
    void CommBackspace() override;
    void FocusCommWindow() override {}
    void RefreshPages() override {}
    void SetMachineBusy(bool) override {}
    void RefreshPortLineDisplay() override {}
    void SetFileProgress(int, int) override {}
    void SetTotalProgress(int, int) override {}
    void SetTimeText(const std::string&) override {}
    void SetTransferFigures(const TransferFigures& figures) override;
    MessageBoxAnswer AskMessageBox(const std::string& text, MessageBoxKind kind) override;
    bool RunChannelSelection(ChannelSelectionModel& model) override;
    void OpenScanDialog() override { scanOpen_ = true; }
    void CloseScanDialog() override { scanOpen_ = false; }
    // The transfer commands answer these; the link commands never open them.
    // The download dialog is answered with the files of the command line.
    void SetDownloadAnswer(const DownloadRequest& answer) { downloadAnswer_ = answer; }
    // The program-name prompt is answered with this name; none declines it.
    void SetProgramNameAnswer(std::optional<std::string> name) { programNameAnswer_ = std::move(name); }
    bool RunDownloadDialog(DownloadRequest& request) override;
    bool AskProgramName(const std::string& title, std::string& name) override;
    // The upload dialog is answered with the names of the command line. In
    // single-name mode a file that exists in the folder is replaced only
    // after Yes to `overwriteQuestion` (which --yes gives).
    void SetUploadAnswer(const UploadRequest& answer, const std::string& overwriteQuestion) {
        uploadAnswer_ = answer;
        overwriteQuestion_ = overwriteQuestion;
    }
    // The P-or-T prompt is answered with this key; none cancels it.
    void SetKeyAnswer(std::optional<char> key) { keyAnswer_ = key; }
    void SetKeyPrompt(const std::string& prompt) { keyPrompt_ = prompt; }
    bool RunUploadDialog(UploadRequest& request) override;
    bool AskPOrTKey(char& key) override;
    // The wait-for-start dialog has no window here: with a press set (--start)
    // opening it presses "Start downloading" at once, else the download waits
    // for the machine (the signals still cancel it).
    void SetStartPress(std::function<void()> press) { startPress_ = std::move(press); }
    void OpenWaitStartDialog() override;
    void CloseWaitStartDialog() override {}
    void EndProgram() override { ended_ = true; }

private:
    std::ostream* Comm();
    // Takes a rewritten progress line off the terminal before other output.
    void ClearProgressLine();

    std::ostream& out_;
    std::ostream& err_;
    bool answerYes_;
    std::string commFile_;
    std::ofstream commStream_;
    int channelAnswer_ = 0;
    bool scanLinesToOut_ = false;
    bool scanOpen_ = false;
    bool ended_ = false;
    DownloadRequest downloadAnswer_;
    std::optional<std::string> programNameAnswer_;
    bool progressTerminal_ = false;
    bool progressShown_ = false;
    std::string sizeWord_ = "Size";
    std::string linesWord_ = "Lines";
    uint64_t nextPlainMs_ = 0;
    uint64_t lastElapsedMs_ = 0;
    bool fileWasDone_ = false;
    UploadRequest uploadAnswer_;
    std::string overwriteQuestion_;
    std::optional<char> keyAnswer_;
    std::string keyPrompt_;
    std::function<void()> startPress_;
};
