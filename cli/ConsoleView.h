#pragma once
// The terminal's view on a console: status entries go to standard error one a
// line exactly as the status window shows them, message boxes are printed
// ("?? " for a question, "!! " for a notice) with the answer the options give,
// and the channel selection is answered with the channel of --channel. The
// communication window's text goes to the --comm file when one is given.

#include <fstream>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "engine/DownloadRequest.h"
#include "engine/TerminalView.h"

class ConsoleView : public TerminalView {
public:
    // `commFile`: "" for none, "-" for `err`, else a file to append to.
    ConsoleView(std::ostream& out, std::ostream& err, bool answerYes, const std::string& commFile);

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
    // The wait-for-start dialog has no window here: with a press set (--start)
    // opening it presses "Start downloading" at once, else the download waits
    // for the machine (the signals still cancel it).
    void SetStartPress(std::function<void()> press) { startPress_ = std::move(press); }
    void OpenWaitStartDialog() override;
    void CloseWaitStartDialog() override {}
    void EndProgram() override { ended_ = true; }

private:
    std::ostream* Comm();

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
    std::function<void()> startPress_;
};
