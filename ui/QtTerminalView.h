#pragma once
// The engine's view of the Qt terminal window: every output and question of
// the jobs goes through here to CTerminalDlg and its pages and dialogs.

#include "engine/TerminalView.h"

class CTerminalDlg;

class QtTerminalView : public TerminalView {
public:
    explicit QtTerminalView(CTerminalDlg& window) : window_(window) {}

    void AppendStatusLine(const std::string& line) override;
    void PlaySound(Sound sound) override;
    void AppendCommText(const std::string& text) override;
    void AppendTransmittedByte(uint8_t byte) override;
    void CommBackspace() override;
    void FocusCommWindow() override;
    void RefreshPages() override;
    void SetMachineBusy(bool busy) override;
    void RefreshPortLineDisplay() override;
    void SetFileProgress(int position, int range) override;
    void SetTotalProgress(int position, int range) override;
    void SetTimeText(const std::string& text) override;
    void SetTransferFigures(const TransferFigures& figures) override;
    MessageBoxAnswer AskMessageBox(const std::string& text, MessageBoxKind kind) override;
    bool RunChannelSelection(ChannelSelectionModel& model) override;
    void OpenScanDialog() override;
    void CloseScanDialog() override;
    bool RunDownloadDialog(DownloadRequest& request) override;
    bool AskProgramName(const std::string& title, std::string& name) override;
    bool RunUploadDialog(UploadRequest& request) override;
    bool AskPOrTKey(char& key) override;
    void OpenWaitStartDialog() override;
    void CloseWaitStartDialog() override;
    void EndProgram() override;

private:
    CTerminalDlg& window_;
};
