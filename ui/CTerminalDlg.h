#pragma once
// The terminal's only top-level window: the four function pages in a tab
// control, the numbered status window and the communication window. It owns
// the engine (Terminal) and is the hub of the window messages: pages and
// dialogs send their requests here, the serial port's messages arrive here,
// and the engine's own messages are forwarded to Terminal::HandleMessage.

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "engine/Terminal.h"
#include "engine/TerminalView.h"
#include "ui/CJournalDlg.h"
#include "ui/CScan_SubModulesDlg.h"
#include "ui/CWait_download_start_dlg.h"
#include "ui/QtTerminalView.h"
#include "ui/models/KeyRules.h"
#include "ui/models/TextWindowBatch.h"
#include "ui/models/TextWindowTrimmer.h"

class C_DialogTabCtrl;
class C_EditCtrl;
class CKOVAApp;
class CTabDlg0;
class CTabDlg1;
class CTabDlg2;
class CTabDlg3;
class EventLoop;
class QAction;
class QGroupBox;
class QKeyEvent;
class QMenuBar;
class SerialPort;
struct DownloadRequest;
struct UploadRequest;
class TransferJournal;

class CTerminalDlg : public QWidget {
    Q_OBJECT
public:
    // Control ids.
    static constexpr int kTabCtrl = 1001;
    static constexpr int kStatusWindow = 1029;
    static constexpr int kCommWindow = 1031;
    static constexpr int kStatusGroup = 1034;
    static constexpr int kCommGroup = 1036;

    static constexpr std::size_t kStatusLimit = 10000;
    static constexpr std::size_t kStatusCutLine = 2;
    static constexpr std::size_t kCommLimit = 30000;
    static constexpr std::size_t kCommCutLine = 100;
    static constexpr int kCommRepaintMs = 50;

    static constexpr int kStatusBackground = 0xFFFFFF;   // white
    static constexpr int kCommBackground = 0x000000;     // black

    // Builds the window: title, pages, layout, colours and fonts. `port` and
    // `loop` must outlive the window.
    CTerminalDlg(CKOVAApp& app, SerialPort& port, EventLoop& loop, QWidget* parent = nullptr);
    ~CTerminalDlg() override;

    // Arms the idle and pacing timers and starts the host check (the window's
    // last step of initialisation, once it is shown).
    void Start();

    // A window message from a page, a dialog or the serial port; returns the
    // handler's result. Engine messages go to Terminal::HandleMessage.
    intptr_t SendMessage(uint32_t message, uint32_t wParam = 0, uint32_t lParam = 0);

    // ---- what the engine shows (through QtTerminalView) ----
    void AppendStatusLine(const std::string& line);
    void PlaySound(Sound sound);
    // Received text reaches the widget at most every kCommRepaintMs, as one
    // cut: a flood is trimmed before it is laid out.
    void AppendCommText(const std::string& text);
    // Puts the received text still gathered into the widget now.
    void FlushCommText();
    void AppendTransmittedByte(uint8_t byte);
    void CommBackspace();
    void FocusCommWindow();
    void RefreshPages();

    // ---- the transfer journal ----
    // Records of this window's transfers go to `journal`; `reader` fills the journal window.
    void AttachJournal(TransferJournal* journal, CJournalDlg::Reader reader);
    void SetPcUser(const std::string& user);
    // Opens the journal window (modal).
    void ShowJournal();
    // A failure of the journal's store, in the status window.
    void ShowJournalFailure(const std::string& text);
    void SetMachineBusy(bool busy);
    void RefreshPortLineDisplay();
    void SetFileProgress(int position, int range);
    void SetTotalProgress(int position, int range);
    void SetTransferFigures(const TransferFigures& figures);
    void SetTimeText(const std::string& text);
    MessageBoxAnswer AskMessageBox(const std::string& text, MessageBoxKind kind);
    bool RunChannelSelection(ChannelSelectionModel& model);
    void OpenScanDialog();
    void CloseScanDialog();
    void OpenWaitStartDialog();
    void CloseWaitStartDialog();
    bool RunDownloadDialog(DownloadRequest& request);
    bool AskProgramName(const std::string& title, std::string& name);
    bool RunUploadDialog(UploadRequest& request);
    bool AskPOrTKey(char& key);
    void EndProgram();

    // A text colour the user chose for a window (the colour dialog's OK): set
    // and saved, its complement when it equals the window's background.
    void ApplyTextColor(bool commWindow, int color);

    // Shows a text in the status window (mode 1 starts a new numbered entry).
    void ShowStatus(const std::string& text, int mode);

    // Replaces the modal message box (tests answer it without a dialog).
    using MessageBoxHandler = std::function<MessageBoxAnswer(const std::string&, MessageBoxKind)>;
    void SetMessageBoxHandler(MessageBoxHandler handler) { messageBoxHandler_ = std::move(handler); }

    // ---- the operator password ----
    // True when a protected action may go on: without asking while the
    // password unlock holds (unless `alwaysAsk`), else after the check dialog,
    // which unlocks until the next page switch.
    bool RequestPassword(bool alwaysAsk);
    // The change dialog; a new password is kept, saved, reported (message 138)
    // and unlocks. True when the password changed.
    bool ChangePassword();
    // Replace the two password dialogs (tests answer without a dialog): the
    // check returns whether it passed, the change the new password on OK.
    using CheckPasswordHandler = std::function<bool(const std::string& stored)>;
    using ChangePasswordHandler = std::function<std::optional<std::string>(const std::string& stored)>;
    void SetCheckPasswordHandler(CheckPasswordHandler handler) { checkPassword_ = std::move(handler); }
    void SetChangePasswordHandler(ChangePasswordHandler handler) { changePassword_ = std::move(handler); }

    // ---- parts of the window ----
    Terminal& Engine() { return terminal_; }
    CKOVAApp& App() { return app_; }
    int CurrentPage() const { return currentPage_; }
    bool PasswordUnlocked() const { return _bPasswordUnlocked; }
    void SetPasswordUnlocked(bool unlocked) { _bPasswordUnlocked = unlocked; }
    C_DialogTabCtrl* TabCtrl() const { return tab_; }
    CTabDlg0* ProgramPage() const { return page0_; }
    CTabDlg1* PortPage() const { return page1_; }
    CTabDlg2* EnvironmentPage() const { return page2_; }
    CTabDlg3* OptionsPage() const { return page3_; }
    QWidget* Page(int index) const;
    C_EditCtrl* StatusWindow() const { return status_; }
    C_EditCtrl* CommWindow() const { return comm_; }
    QGroupBox* StatusGroup() const { return statusGroup_; }
    QGroupBox* CommGroup() const { return commGroup_; }
    CScan_SubModulesDlg* ScanDialog() const { return scanDialog_; }
    CWait_download_start_dlg* WaitStartDialog() const { return waitStartDialog_; }
    const TextWindowTrimmer& StatusTrimmer() const { return statusTrim_; }
    const TextWindowTrimmer& CommTrimmer() const { return commTrim_; }

    // A key as a window message of kind `kind` (0x100, 0x106, 0x102) with a
    // virtual key or character code: the 0x412 handler. 1 when consumed.
    intptr_t OnKey(KeyKind kind, uint32_t code);
    // A Qt key press that reached the window; true when it was consumed.
    bool HandleKeyEvent(QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildPages();
    void BuildLayout();
    void ApplyColors();
    void ApplyFonts();
    void Relabel();
    // The page switch: a new current page, its refresh, the unlock ends.
    void OnPageChanged(int index);
    // False when the index is no page or already current (nothing happens).
    bool SwitchToPage(int index);
    // The page just selected reads the settings again; a refresh the jobs ask
    // for keeps what the operator is editing.
    void RefreshCurrentPage(bool selected);
    void FocusPage();
    void SetFocusTo(int controlId);
    void FontDialog(bool commWindow);
    void ColorDialog(bool commWindow);
    void ClearWindow(C_EditCtrl* window, TextWindowTrimmer& trimmer);
    void SwitchLanguage(int language);
    void ApplyCut(C_EditCtrl* window, const TextWindowTrimmer::Cut& cut);
    KeyContext MakeKeyContext() const;
    void AskForConnection();

    CKOVAApp& app_;
    EventLoop& loop_;
    QtTerminalView view_;
    Terminal terminal_;

    QMenuBar* menuBar_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* journalAction_ = nullptr;
    CJournalDlg::Reader journalReader_;
    C_DialogTabCtrl* tab_ = nullptr;
    CTabDlg0* page0_ = nullptr;
    CTabDlg1* page1_ = nullptr;
    CTabDlg2* page2_ = nullptr;
    CTabDlg3* page3_ = nullptr;
    QWidget* pages_[4] = {};
    QGroupBox* statusGroup_ = nullptr;
    QGroupBox* commGroup_ = nullptr;
    C_EditCtrl* status_ = nullptr;
    C_EditCtrl* comm_ = nullptr;
    QPointer<CScan_SubModulesDlg> scanDialog_;
    QPointer<CWait_download_start_dlg> waitStartDialog_;

    TextWindowTrimmer statusTrim_{kStatusLimit, kStatusCutLine};
    TextWindowTrimmer commTrim_{kCommLimit, kCommCutLine};
    TextWindowBatch commBatch_;
    QTimer commRepaint_;
    int currentPage_ = 0;
    bool _bPasswordUnlocked = false;
    bool endProgram_ = false;
    MessageBoxHandler messageBoxHandler_;
    CheckPasswordHandler checkPassword_;
    ChangePasswordHandler changePassword_;
};
