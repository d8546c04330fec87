#include "ui/QtTerminalView.h"

#include "ui/CTerminalDlg.h"
#include "ui/CScan_SubModulesDlg.h"

void QtTerminalView::AppendStatusLine(const std::string& line) { window_.AppendStatusLine(line); }
void QtTerminalView::PlaySound(Sound sound) { window_.PlaySound(sound); }
void QtTerminalView::AppendCommText(const std::string& text) { window_.AppendCommText(text); }
void QtTerminalView::AppendTransmittedByte(uint8_t byte) { window_.AppendTransmittedByte(byte); }
void QtTerminalView::CommBackspace() { window_.CommBackspace(); }
void QtTerminalView::FocusCommWindow() { window_.FocusCommWindow(); }
void QtTerminalView::RefreshPages() { window_.RefreshPages(); }
void QtTerminalView::SetMachineBusy(bool busy) { window_.SetMachineBusy(busy); }
void QtTerminalView::RefreshPortLineDisplay() { window_.RefreshPortLineDisplay(); }
void QtTerminalView::SetFileProgress(int position, int range) { window_.SetFileProgress(position, range); }
void QtTerminalView::SetTotalProgress(int position, int range) { window_.SetTotalProgress(position, range); }
void QtTerminalView::SetTransferFigures(const TransferFigures& figures) { window_.SetTransferFigures(figures); }
void QtTerminalView::SetTimeText(const std::string& text) { window_.SetTimeText(text); }
MessageBoxAnswer QtTerminalView::AskMessageBox(const std::string& text, MessageBoxKind kind) {
    return window_.AskMessageBox(text, kind);
}
bool QtTerminalView::RunChannelSelection(ChannelSelectionModel& model) { return window_.RunChannelSelection(model); }
void QtTerminalView::OpenScanDialog() { window_.OpenScanDialog(); }
void QtTerminalView::CloseScanDialog() { window_.CloseScanDialog(); }
bool QtTerminalView::RunDownloadDialog(DownloadRequest& request) { return window_.RunDownloadDialog(request); }
bool QtTerminalView::AskProgramName(const std::string& title, std::string& name) {
    return window_.AskProgramName(title, name);
}
bool QtTerminalView::RunUploadDialog(UploadRequest& request) { return window_.RunUploadDialog(request); }
bool QtTerminalView::AskPOrTKey(char& key) { return window_.AskPOrTKey(key); }
void QtTerminalView::OpenWaitStartDialog() { window_.OpenWaitStartDialog(); }
void QtTerminalView::CloseWaitStartDialog() { window_.CloseWaitStartDialog(); }
void QtTerminalView::EndProgram() { window_.EndProgram(); }
