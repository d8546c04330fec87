#include "ui/CTerminalDlg.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include "app/CKOVAApp.h"
#include "download/DownloadJobs.h"
#include "engine/EventLoop.h"
#include "engine/JobBits.h"
#include "lists/ListJobs.h"
#include "engine/StatusBits.h"
#include "engine/WindowMessages.h"
#include "link/LinkJobs.h"
#include "engine/ControlBytes.h"
#include "serial/SerialPort.h"
#include "upload/UploadJobs.h"
#include "sysdownload/SystemDownloadJobs.h"
#include "ui/C_DialogTabCtrl.h"
#include "ui/C_EditCtrl.h"
#include "ui/CAboutDlg.h"
#include "ui/CChangePasswordDlg.h"
#include "ui/CCheckPasswordDlg.h"
#include "ui/CDownloadDlg.h"
#include "ui/CIn_MC_prog_dlg.h"
#include "ui/CScan_SubModulesDlg.h"
#include "ui/CSelChannelDlg.h"
#include "ui/CPressPorT_Dlg.h"
#include "ui/CTabDlg0.h"
#include "ui/CUploadDlg.h"
#include "ui/CTabDlg1.h"
#include "ui/CTabDlg2.h"
#include "ui/CTabDlg3.h"
#include "ui/QtColor.h"
#include "ui/QtFontSetting.h"
#include "ui/QtText.h"
#include "ui/models/ChangePasswordModel.h"
#include "ui/models/CheckPasswordModel.h"
#include "ui/models/ColorRef.h"

namespace {
constexpr int kMargin = 7;
constexpr uint32_t kFocusCommWindow = static_cast<uint32_t>(-1);
constexpr const char* kAboutItemText = "KOVA 정보(&A)...";
constexpr const char* kScanDialogTitle = "Scanning sub modules ";
constexpr const char* kScanStopCaption = "Stop";

// Virtual key code of a Qt key (only the keys the key rules look at, and the
// letters and digits, which share their codes with ASCII).
uint32_t VirtualKey(int key) {
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return VKey::Tab;
        case Qt::Key_Escape: return VKey::Escape;
        case Qt::Key_Backspace: return VKey::Back;
        case Qt::Key_Return:
        case Qt::Key_Enter: return VKey::Return;
        default: break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VKey::F1 + static_cast<uint32_t>(key - Qt::Key_F1);
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return static_cast<uint32_t>(key);
    }
    return 0;
}

QMessageBox::StandardButtons ButtonsOf(MessageBoxKind kind) {
    switch (kind) {
        case MessageBoxKind::Ok: return QMessageBox::Ok;
        case MessageBoxKind::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageBoxKind::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case MessageBoxKind::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MessageBoxAnswer AnswerOf(int button) {
    switch (button) {
        case QMessageBox::Ok: return MessageBoxAnswer::Ok;
        case QMessageBox::Yes: return MessageBoxAnswer::Yes;
        case QMessageBox::No: return MessageBoxAnswer::No;
        case QMessageBox::Retry: return MessageBoxAnswer::Retry;
        default: return MessageBoxAnswer::Cancel;
    }
}
}  // namespace

CTerminalDlg::CTerminalDlg(CKOVAApp& app, SerialPort& port, EventLoop& loop, QWidget* parent)
    : QWidget(parent), app_(app), loop_(loop), view_(*this), terminal_(app, port, loop, view_) {
    setObjectName(QStringLiteral("CTerminalDlg"));
    AddLinkJobs(terminal_);
    AddListJobs(terminal_);
    AddDownloadJobs(terminal_);
    AddUploadJobs(terminal_);
    AddSystemDownloadJobs(terminal_);
    menuBar_ = new QMenuBar(this);
    aboutAction_ = menuBar_->addAction(QString());
    connect(aboutAction_, &QAction::triggered, this, [this] {
        CAboutDlg about(this);
        about.exec();
        FocusCommWindow();
    });

    journalAction_ = menuBar_->addAction(QString());
    journalAction_->setObjectName(QStringLiteral("journalAction"));
    connect(journalAction_, &QAction::triggered, this, &CTerminalDlg::ShowJournal);

    commRepaint_.setSingleShot(true);
    commRepaint_.setInterval(kCommRepaintMs);
    connect(&commRepaint_, &QTimer::timeout, this, &CTerminalDlg::FlushCommText);

    BuildPages();
    BuildLayout();
    Relabel();
    tab_->SelectPage(currentPage_);
    terminal_.StatusFlags |= Status::LayoutReady;
    ApplyColors();
    ApplyFonts();
    FocusCommWindow();

    // Keys of every control of the window reach the key handler first.
    qApp->installEventFilter(this);
}

CTerminalDlg::~CTerminalDlg() {
    qApp->removeEventFilter(this);
    // The reader must not post to a window that is gone.
    terminal_.Port.Close();
    if (scanDialog_) delete scanDialog_.data();
    if (waitStartDialog_) delete waitStartDialog_.data();
}

void CTerminalDlg::Start() {
    terminal_.IdleTimeoutMs = Terminal::IdleTimeoutFor(app_.PcPort.DisconnectTime);
    if (terminal_.IdleTimeoutMs != 0) loop_.SetTimer(kTimerIdle, terminal_.IdleTimeoutMs);
    loop_.SetTimer(kTimerPacing, 1000);
    if (const std::string warning = app_.LanguageFileWarning(); !warning.empty()) {
        terminal_.ShowStatus(warning, 1);
    }
    SendMessage(WindowMsg::StartHostCheck);
}

// ---- building -------------------------------------------------------------------

void CTerminalDlg::BuildPages() {
    tab_ = new C_DialogTabCtrl(kTabCtrl, this);
    tab_->setObjectName(QStringLiteral("ctl%1").arg(kTabCtrl));
    auto send = [this](uint32_t m, uint32_t w, uint32_t l) { return SendMessage(m, w, l); };
    auto password = [this](bool alwaysAsk) { return RequestPassword(alwaysAsk); };
    page0_ = new CTabDlg0(terminal_, send, tab_);
    page1_ = new CTabDlg1(terminal_, send, password, tab_);
    page2_ = new CTabDlg2(terminal_, password, tab_);
    pages_[0] = page0_;
    pages_[1] = page1_;
    pages_[2] = page2_;
    CTabDlg3::Services options;
    options.Send = send;
    options.RequestPassword = password;
    options.ChangePassword = [this] { ChangePassword(); };
    options.ShowJournal = [this] { ShowJournal(); };
    page3_ = new CTabDlg3(terminal_, std::move(options), tab_);
    pages_[3] = page3_;
    for (int i = 0; i < 4; ++i) {
        if (!tab_->InsertItem(i, QString(), pages_[i])) break;
    }
    connect(tab_, &C_DialogTabCtrl::PageChanged, this,
            [this](int id, int index) { SendMessage(WindowMsg::PageChanged, static_cast<uint32_t>(id), static_cast<uint32_t>(index)); });
}

void CTerminalDlg::BuildLayout() {
    statusGroup_ = new QGroupBox(this);
    statusGroup_->setObjectName(QStringLiteral("ctl%1").arg(kStatusGroup));
    status_ = new C_EditCtrl(statusGroup_);
    status_->setObjectName(QStringLiteral("ctl%1").arg(kStatusWindow));
    commGroup_ = new QGroupBox(this);
    commGroup_->setObjectName(QStringLiteral("ctl%1").arg(kCommGroup));
    comm_ = new C_EditCtrl(commGroup_);
    comm_->setObjectName(QStringLiteral("ctl%1").arg(kCommWindow));
    for (C_EditCtrl* window : {status_, comm_}) {
        window->setReadOnly(true);
        window->setUndoRedoEnabled(false);
        window->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        // Keep the caret visible: the operator types into the communication window.
        window->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }

    auto* statusLayout = new QVBoxLayout(statusGroup_);
    statusLayout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    statusLayout->addWidget(status_);
    auto* commLayout = new QVBoxLayout(commGroup_);
    commLayout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    commLayout->addWidget(comm_);

    // Tab control top left at its pages' size, the status window beside it,
    // the communication window below across the whole width.
    auto* grid = new QGridLayout(this);
    grid->setMenuBar(menuBar_);
    grid->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(3);
    tab_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    grid->addWidget(tab_, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(statusGroup_, 0, 1);
    grid->addWidget(commGroup_, 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
}

void CTerminalDlg::ApplyColors() {
    comm_->SetBackgroundColor(kCommBackground);
    comm_->SetTextColor(app_.RxdFont.TextColor);
    status_->SetBackgroundColor(kStatusBackground);
    status_->SetTextColor(app_.StateFont.TextColor);
}

void CTerminalDlg::ApplyFonts() {
    comm_->setFont(QtFontSetting::ToFont(app_.RxdFont));
    status_->setFont(QtFontSetting::ToFont(app_.StateFont));
}

void CTerminalDlg::Relabel() {
    setWindowTitle(QStringLiteral("%1 (KOVA Ver %2)")
                       .arg(ToQ(terminal_.Text(Msg::AppTitle)), ToQ(CKOVAApp::GetVersionText())));
    static constexpr Msg kTabCaptions[] = {Msg::TabProgramUpDown, Msg::TabPcComPort, Msg::TabMcEnvironment,
                                           Msg::TabOption};
    for (int i = 0; i < tab_->ItemCount() && i < 4; ++i) tab_->SetItemText(i, ToQ(terminal_.Text(kTabCaptions[i])));
    page0_->Relabel();
    page1_->Relabel();
    page2_->Relabel();
    page3_->Relabel();
    commGroup_->setTitle(ToQ(terminal_.Text(Msg::CommunicationWindow)));
    statusGroup_->setTitle(ToQ(terminal_.Text(Msg::StatusWindow)));
    // The About item is a fixed resource text, not a row of the text table: it
    // reads the same in every language.
    aboutAction_->setText(QString::fromUtf8(kAboutItemText));
    journalAction_->setText(ToQ(JournalViewModel(app_._nLanguage).CaptionText(JournalViewModel::Title) + "..."));
}

void CTerminalDlg::AttachJournal(TransferJournal* journal, CJournalDlg::Reader reader) {
    terminal_.Journal.SetJournal(journal);
    journalReader_ = std::move(reader);
}

void CTerminalDlg::SetPcUser(const std::string& user) { terminal_.Journal.PcUser = user; }

void CTerminalDlg::ShowJournal() {
    CJournalDlg dialog(app_._nLanguage, journalReader_, this);
    dialog.exec();
    FocusCommWindow();
}

void CTerminalDlg::ShowJournalFailure(const std::string& text) { terminal_.ShowStatus(text, 1); }

QWidget* CTerminalDlg::Page(int index) const { return index >= 0 && index < 4 ? pages_[index] : nullptr; }

// ---- window messages --------------------------------------------------------------

intptr_t CTerminalDlg::SendMessage(uint32_t message, uint32_t wParam, uint32_t lParam) {
    switch (message) {
        case WindowMsg::PageChanged: OnPageChanged(static_cast<int>(lParam)); return 0;
        case WindowMsg::ShowStatus:
            // Pages pass no text: an empty text only chooses how the next one starts.
            terminal_.ShowStatus(std::string(), static_cast<int>(lParam));
            return 1;
        case WindowMsg::SetFocus: SetFocusTo(static_cast<int>(lParam)); return 0;
        case WindowMsg::Key: return OnKey(static_cast<KeyKind>(lParam), wParam);
        case WindowMsg::CommFontDialog: FontDialog(true); return 0;
        case WindowMsg::CommColorDialog: ColorDialog(true); return 0;
        case WindowMsg::ClearComm: ClearWindow(comm_, commTrim_); return 0;
        case WindowMsg::StatusFontDialog: FontDialog(false); return 0;
        case WindowMsg::StatusColorDialog: ColorDialog(false); return 0;
        case WindowMsg::ClearStatus: ClearWindow(status_, statusTrim_); return 0;
        case WindowMsg::SwitchLanguage: SwitchLanguage(static_cast<int>(lParam)); return 0;
        case WindowMsg::SwitchPage:
            // A page that asks for another one hands the operator over to it.
            if (SwitchToPage(static_cast<int>(lParam))) FocusPage();
            return 0;
        default: return terminal_.HandleMessage(message, wParam, lParam);
    }
}

void CTerminalDlg::ShowStatus(const std::string& text, int mode) { terminal_.ShowStatus(text, mode); }

// ---- pages ------------------------------------------------------------------------

void CTerminalDlg::OnPageChanged(int index) {
    if (index < 0 || index > 3) return;
    currentPage_ = index;
    // Leaving for another function page ends the password unlock; a refresh
    // that the jobs ask for does not.
    _bPasswordUnlocked = false;
    RefreshCurrentPage(true);
    FocusCommWindow();
}

bool CTerminalDlg::SwitchToPage(int index) {
    if (index < 0 || index > 3 || index == currentPage_) return false;
    tab_->SelectPage(index);
    OnPageChanged(index);
    return true;
}

void CTerminalDlg::RefreshCurrentPage(bool selected) {
    switch (currentPage_) {
        case 0: page0_->Refresh(); break;
        case 1:
            if (selected) {
                page1_->Reload();
            } else {
                page1_->Refresh();
            }
            break;
        case 2:
            if (selected) {
                page2_->Reload();
            } else {
                page2_->RefreshMark();
            }
            break;
        case 3: page3_->Refresh(); break;
        default: break;
    }
}

void CTerminalDlg::RefreshPages() {
    // The program page's buttons decide what F2 to F4, Alt+S and Ctrl+C do,
    // so they stay current even while another page is shown; the connected
    // mark follows every connect and hang-up.
    page0_->Refresh();
    page2_->RefreshMark();
    if (currentPage_ != 0) RefreshCurrentPage(false);
}

void CTerminalDlg::FocusPage() {
    QWidget* page = tab_->CurrentPage();
    if (page == nullptr) return;
    for (QWidget* child : page->findChildren<QWidget*>()) {
        if ((child->focusPolicy() & Qt::TabFocus) && child->isEnabled() && child->isVisibleTo(page)) {
            child->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    page->setFocus(Qt::TabFocusReason);
}

void CTerminalDlg::SetFocusTo(int controlId) {
    if (static_cast<uint32_t>(controlId) == kFocusCommWindow || controlId == kCommWindow) {
        FocusCommWindow();
        return;
    }
    if (controlId == kStatusWindow) {
        status_->setFocus();
        status_->moveCursor(QTextCursor::End);
        return;
    }
    if (QWidget* control = findChild<QWidget*>(QStringLiteral("ctl%1").arg(controlId))) control->setFocus();
}

void CTerminalDlg::SetMachineBusy(bool busy) { page1_->SetMachineBusy(busy); }

void CTerminalDlg::RefreshPortLineDisplay() {
    if (currentPage_ == 1) page1_->Refresh();
}

void CTerminalDlg::SetFileProgress(int position, int range) { page0_->SetLowerProgress(position, range); }
void CTerminalDlg::SetTotalProgress(int position, int range) { page0_->SetUpperProgress(position, range); }
void CTerminalDlg::SetTimeText(const std::string& text) { page0_->SetTimeText(ToQ(text)); }
void CTerminalDlg::SetTransferFigures(const TransferFigures& figures) { page0_->SetFigures(figures); }

// ---- the two text windows ---------------------------------------------------------

void CTerminalDlg::ApplyCut(C_EditCtrl* window, const TextWindowTrimmer::Cut& cut) {
    if (cut.All) {
        window->clear();
    } else if (cut.Lines > 0) {
        QTextCursor cursor(window->document());
        cursor.movePosition(QTextCursor::Start);
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, static_cast<int>(cut.Lines));
        cursor.removeSelectedText();
    }
    if (!cut.Text.empty()) {
        QTextCursor cursor(window->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(ToQ(cut.Text));
    }
    // Follow the newest text.
    window->moveCursor(QTextCursor::End);
    window->verticalScrollBar()->setValue(window->verticalScrollBar()->maximum());
}

void CTerminalDlg::AppendStatusLine(const std::string& line) {
    ApplyCut(status_, statusTrim_.Append(line + "\r\n"));
}

void CTerminalDlg::PlaySound(Sound) {
    // The desktop has one beep for both the error and the question sound.
    QApplication::beep();
}

void CTerminalDlg::AppendCommText(const std::string& text) {
    commBatch_.Add(commTrim_.Append(text));
    if (!commRepaint_.isActive()) commRepaint_.start();
}

void CTerminalDlg::FlushCommText() {
    commRepaint_.stop();
    if (!commBatch_.Empty()) ApplyCut(comm_, commBatch_.Take(commTrim_.LineCount()));
}

void CTerminalDlg::AppendTransmittedByte(uint8_t byte) {
    // What was received before the byte went out stays before its echo.
    FlushCommText();
    if (byte == ControlByte::Backspace) {
        CommBackspace();
    } else if (byte == ControlByte::Cr) {
        ApplyCut(comm_, commTrim_.AppendByte("\r\n"));
    } else if (byte >= 0x20 && byte < 0x7F) {
        ApplyCut(comm_, commTrim_.AppendByte(std::string(1, static_cast<char>(byte))));
    }
}

void CTerminalDlg::CommBackspace() {
    FlushCommText();
    if (!commTrim_.RemoveLast()) return;
    QTextCursor cursor(comm_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.deletePreviousChar();
    comm_->moveCursor(QTextCursor::End);
}

void CTerminalDlg::FocusCommWindow() {
    comm_->setFocus();
    comm_->moveCursor(QTextCursor::End);
}

void CTerminalDlg::ClearWindow(C_EditCtrl* window, TextWindowTrimmer& trimmer) {
    if (window == comm_) {
        commRepaint_.stop();
        commBatch_.Reset();
    }
    window->clear();
    trimmer.Clear();
    FocusCommWindow();
}

// ---- fonts, colours, language -----------------------------------------------------

void CTerminalDlg::FontDialog(bool commWindow) {
    C_EditCtrl* window = commWindow ? comm_ : status_;
    FontSetting& setting = commWindow ? app_.RxdFont : app_.StateFont;
    bool ok = false;
    QFont font = QFontDialog::getFont(&ok, window->font(), this, QString(), QFontDialog::MonospacedFonts | QFontDialog::ProportionalFonts);
    if (ok) {
        window->setFont(font);
        QtFontSetting::FromFont(font, setting);
        app_.SaveFontSettings();
    }
    FocusCommWindow();
}

void CTerminalDlg::ColorDialog(bool commWindow) {
    C_EditCtrl* window = commWindow ? comm_ : status_;
    QColor chosen = QColorDialog::getColor(QtColor::FromRef(window->TextColor()), this);
    if (chosen.isValid()) ApplyTextColor(commWindow, QtColor::ToRef(chosen));
    FocusCommWindow();
}

void CTerminalDlg::ApplyTextColor(bool commWindow, int chosen) {
    C_EditCtrl* window = commWindow ? comm_ : status_;
    FontSetting& setting = commWindow ? app_.RxdFont : app_.StateFont;
    const int color = ColorRef::TextColorFor(chosen, window->BackgroundColor());
    window->SetTextColor(color);
    setting.TextColor = color;
    app_.SaveFontSettings();
}

void CTerminalDlg::SwitchLanguage(int language) {
    if (language != app_._nLanguage && language >= 0 && language <= 5) {
        app_._nLanguage = language;
        app_.SaveLanguageSetting();
    }
    Relabel();
    FocusCommWindow();
}

// ---- keys -------------------------------------------------------------------------

KeyContext CTerminalDlg::MakeKeyContext() const {
    KeyContext context;
    context.CurrentPage = currentPage_;
    context.ConnectEnabled = page0_->ConnectButton()->isEnabled();
    context.DownloadEnabled = page0_->DownloadButton()->isEnabled();
    context.UploadEnabled = page0_->UploadButton()->isEnabled();
    context.SystemDownloadEnabled = page0_->SystemDownloadButton()->isEnabled();
    context.CancelEnabled = page0_->CancelButton()->isEnabled();
    context.StatusFlags = terminal_.StatusFlags;
    context.McType = app_.CurrentChannel.McType;
    return context;
}

void CTerminalDlg::AskForConnection() {
    if (AskMessageBox(terminal_.Text(Msg::DoYouWantConnection), MessageBoxKind::YesNo) == MessageBoxAnswer::Yes) {
        terminal_.StartJob(JobBit::Connect);
    }
}

intptr_t CTerminalDlg::OnKey(KeyKind kind, uint32_t code) {
    FocusCommWindow();
    const KeyDecision decision = KeyRules::Decide(kind, code, MakeKeyContext());
    switch (decision.Action) {
        case KeyAction::None: break;
        case KeyAction::FocusPage: FocusPage(); break;
        case KeyAction::SendByte: terminal_.QueueByte(decision.Byte, false); break;
        case KeyAction::Connect: page0_->OnConnect(); break;
        case KeyAction::Download: page0_->OnDownload(); break;
        case KeyAction::Upload: page0_->OnUpload(); break;
        case KeyAction::SystemDownload: page0_->OnSystemDownload(); break;
        case KeyAction::CancelJob: page0_->OnCancel(); break;
        case KeyAction::SwitchPage: SwitchToPage(decision.Page); break;
        case KeyAction::AskConnection: AskForConnection(); break;
        case KeyAction::ShowAltF3: AskMessageBox("ALT+F3", MessageBoxKind::Ok); break;
    }
    return decision.Consumed ? 1 : 0;
}

bool CTerminalDlg::HandleKeyEvent(QKeyEvent* event) {
    const int key = event->key();
    if (event->modifiers() & Qt::AltModifier) {
        // Alt with a letter is a system character; other Alt keys (menu
        // mnemonics among them) go on as usual.
        if (key < Qt::Key_A || key > Qt::Key_Z) return false;
        const bool upper = (event->modifiers() & Qt::ShiftModifier) != 0;
        const uint32_t code = static_cast<uint32_t>((upper ? 'A' : 'a') + (key - Qt::Key_A));
        return SendMessage(WindowMsg::Key, code, static_cast<uint32_t>(KeyKind::SysChar)) != 0;
    }
    if (SendMessage(WindowMsg::Key, VirtualKey(key), static_cast<uint32_t>(KeyKind::KeyDown)) != 0) return true;
    if ((event->modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
        // Ctrl with a letter types its control code (Ctrl+C is 0x03), whatever
        // text the keyboard layout attaches to the event.
        SendMessage(WindowMsg::Key, static_cast<uint32_t>(key - Qt::Key_A + 1), static_cast<uint32_t>(KeyKind::Char));
        return true;
    }
    // Delete has no character, although Qt reports one.
    const QString text = key == Qt::Key_Delete ? QString() : event->text();
    if (text.isEmpty()) return false;
    // One message per character, as its code point: the key rules decide
    // what may reach the machine (never the UTF-8 bytes of a non-ASCII one).
    for (char32_t character : text.toUcs4()) {
        SendMessage(WindowMsg::Key, static_cast<uint32_t>(character), static_cast<uint32_t>(KeyKind::Char));
    }
    // A character is always consumed.
    return true;
}

bool CTerminalDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) return false;
    // Handle each key once: at its first delivery, to the focus widget (or to
    // the window when nothing has the focus), not again as it propagates.
    QWidget* focus = QApplication::focusWidget();
    if (widget != focus && !(focus == nullptr && widget == this)) return false;
    // Pages with their own edit controls and lists keep their keys, but for
    // the function keys, which switch pages and start the commands anywhere.
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool functionKey = key >= Qt::Key_F1 && key <= Qt::Key_F12;
    for (int i : {1, 2}) {
        if (!functionKey && pages_[i] && pages_[i]->isAncestorOf(widget)) return false;
    }
    return HandleKeyEvent(static_cast<QKeyEvent*>(event));
}

// ---- dialogs asked for by the jobs ------------------------------------------------

MessageBoxAnswer CTerminalDlg::AskMessageBox(const std::string& text, MessageBoxKind kind) {
    if (messageBoxHandler_) return messageBoxHandler_(text, kind);
    QMessageBox box(QMessageBox::NoIcon, windowTitle(), ToQ(text), ButtonsOf(kind), this);
    if (kind == MessageBoxKind::YesNo) box.setIcon(QMessageBox::Question);
    const int answer = box.exec();
    FocusCommWindow();
    return AnswerOf(answer);
}

bool CTerminalDlg::RunChannelSelection(ChannelSelectionModel& model) {
    CSelChannelDlg dialog(model, [this](Msg row) { return terminal_.Text(row); }, this);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    return chosen;
}

void CTerminalDlg::OpenScanDialog() {
    CloseScanDialog();
    scanDialog_ = new CScan_SubModulesDlg(QString::fromUtf8(kScanDialogTitle), QString::fromUtf8(kScanStopCaption),
                                          [this] { SendMessage(WindowMsg::Cancel); }, this);
    scanDialog_->show();
}

void CTerminalDlg::CloseScanDialog() {
    if (scanDialog_) delete scanDialog_.data();
    scanDialog_ = nullptr;
}

void CTerminalDlg::OpenWaitStartDialog() {
    CloseWaitStartDialog();
    auto text = [this](Msg row) { return QString::fromStdString(terminal_.Text(row)); };
    waitStartDialog_ = new CWait_download_start_dlg(
        text(Msg::WaitingDownloadStartSignal), text(Msg::StartDownloading), text(Msg::CancelDownload),
        [this] { SendMessage(WindowMsg::UserStart); }, [this] { SendMessage(WindowMsg::Cancel); }, this);
    waitStartDialog_->show();
}

void CTerminalDlg::CloseWaitStartDialog() {
    // Deleted later: the dialog may be closed from within its own button's click.
    if (waitStartDialog_) waitStartDialog_->deleteLater();
    waitStartDialog_ = nullptr;
}

bool CTerminalDlg::RunDownloadDialog(DownloadRequest& request) {
    bool ok = ShowDownloadDialog(this, terminal_, request);
    FocusCommWindow();
    return ok;
}

bool CTerminalDlg::AskProgramName(const std::string& title, std::string& name) {
    bool ok = AskMcProgramName(this, [this](Msg row) { return terminal_.Text(row); }, title, name);
    FocusCommWindow();
    return ok;
}

bool CTerminalDlg::RunUploadDialog(UploadRequest& request) {
    bool ok = ShowUploadDialog(this, terminal_, request);
    FocusCommWindow();
    return ok;
}

bool CTerminalDlg::AskPOrTKey(char& key) {
    bool ok = ::AskPOrTKey(this, [this](Msg row) { return terminal_.Text(row); }, key);
    FocusCommWindow();
    return ok;
}

// ---- the operator password ------------------------------------------------------

bool CTerminalDlg::RequestPassword(bool alwaysAsk) {
    return CheckPasswordModel::Request(_bPasswordUnlocked, alwaysAsk, [this] {
        if (checkPassword_) return checkPassword_(app_.Password);
        CCheckPasswordDlg dialog(app_.Password, [this](Msg row) { return terminal_.Text(row); }, this);
        return dialog.exec() == QDialog::Accepted;
    });
}

bool CTerminalDlg::ChangePassword() {
    std::optional<std::string> chosen;
    if (changePassword_) {
        chosen = changePassword_(app_.Password);
    } else {
        CChangePasswordDlg dialog(app_.Password, [this](Msg row) { return terminal_.Text(row); }, this);
        if (dialog.exec() == QDialog::Accepted) chosen = dialog.Stored();
    }
    if (!chosen || !ChangePasswordModel::Commit(app_, *chosen)) return false;
    terminal_.ShowStatus(Msg::PasswordChanged, 1);
    _bPasswordUnlocked = true;
    return true;
}

// ---- closing ----------------------------------------------------------------------

void CTerminalDlg::closeEvent(QCloseEvent* event) {
    if (endProgram_ || !(terminal_.StatusFlags & Status::HostConfirmed)) {
        event->accept();
        return;
    }
    // The close port job hangs up and closes the port, then ends the program.
    event->ignore();
    terminal_.StatusFlags |= Status::EndAfterClose;
    SendMessage(WindowMsg::StartClosePort);
}

void CTerminalDlg::EndProgram() {
    endProgram_ = true;
    // Later, so that the job that asks for it finishes before the window goes.
    QPointer<CTerminalDlg> self(this);
    loop_.Post([self] {
        if (self) self->close();
    });
}
