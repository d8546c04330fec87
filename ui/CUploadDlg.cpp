#include "ui/CUploadDlg.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/CKOVAApp.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"
#include "ui/CDownloadDlg.h"
#include "ui/CQuickViewDlg.h"
#include "ui/QtText.h"
#include "ui/TransferTable.h"

namespace {

QPushButton* MakeButton(const std::string& caption, QWidget* parent) {
    auto* button = new QPushButton(ToQ(caption), parent);
    // Enter in the edits must not press a button.
    button->setAutoDefault(false);
    return button;
}

void SetTextColor(QLineEdit* edit, const QColor& color) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, color);
    edit->setPalette(palette);
}

bool IsKey(QEvent* event, std::initializer_list<int> keys) {
    if (event->type() != QEvent::KeyPress) return false;
    int key = static_cast<QKeyEvent*>(event)->key();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

CUploadDlg::CUploadDlg(UploadDialogModel& model, const UploadDialogModel::TextOf& text, QWidget* parent)
    : QDialog(parent), model_(model), text_(text) {
    PickFolder = [](QWidget* p, const QString& title, const QString& start) {
        return QFileDialog::getExistingDirectory(p, title, start);
    };
    PickFile = [](QWidget* p, const QString& start, const QString& filter) {
        return QFileDialog::getOpenFileName(p, QString(), start, filter);
    };

    setWindowTitle(ToQ(model_.Caption()));

    path_ = new QLineEdit(this);
    path_->setTextMargins(5, 0, 0, 0);
    SetTextColor(path_, Qt::blue);
    path_->installEventFilter(this);

    list_ = new QTableWidget(this);
    TransferTable::SetUp(list_, model_);

    renameEdit_ = TransferTable::MakeRenameEdit(list_);
    renameEdit_->installEventFilter(this);

    group_ = new QGroupBox(ToQ(text_(Msg::UploadingFileName)), this);
    uploadName_ = new QLineEdit(group_);
    SetTextColor(uploadName_, Qt::red);
    uploadName_->installEventFilter(this);
    auto* groupLayout = new QHBoxLayout(group_);
    groupLayout->addWidget(uploadName_);
    group_->setVisible(!model_.MachineListMode());

    findFolder_ = MakeButton(text_(Msg::FindTheFolder), this);
    changeFolder_ = MakeButton(text_(Msg::ChangeChannelFolder), this);
    folderOpen_ = MakeButton(text_(Msg::FolderOpen), this);
    refresh_ = MakeButton(text_(Msg::Refresh), this);
    upload_ = MakeButton(text_(Msg::ProgramUploadTitle), this);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {findFolder_, changeFolder_, folderOpen_, refresh_}) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(upload_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(path_);
    layout->addWidget(list_, 1);
    layout->addWidget(group_);
    layout->addLayout(buttons);
    resize(720, 460);

    connect(list_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        model_.Click(row, column);
        SyncButtons();
    });
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        switch (model_.DoubleClick(row, column)) {
            case UploadDialogModel::DoubleClickResult::Selected: SyncCells(); break;
            case UploadDialogModel::DoubleClickResult::StartRename: StartRename(); break;
            case UploadDialogModel::DoubleClickResult::NameCopied:
                uploadName_->setText(ToQ(model_.UploadFileName()));
                break;
            case UploadDialogModel::DoubleClickResult::Nothing: break;
        }
        SyncButtons();
    });
    connect(list_, &QTableWidget::itemSelectionChanged, this, &CUploadDlg::OnSelectionChanged);
    // Quick View of the PC file a row stands for, from the keyboard.
    auto* quickView = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    connect(quickView, &QShortcut::activated, this, &CUploadDlg::ShowQuickView);
    connect(list_, &QWidget::customContextMenuRequested, this, &CUploadDlg::OnContextMenu);
    connect(uploadName_, &QLineEdit::textChanged, this, [this](const QString& name) {
        model_.SetUploadFileName(ToStd(name));
        SyncButtons();
    });
    connect(findFolder_, &QPushButton::clicked, this, [this] {
        QString folder = PickFolder(this, ToQ(text_(Msg::SelectPatternProgramFolder)), ToQ(model_.CurrentFolder()));
        model_.FolderChosen(ToStd(folder));
        SyncCells();
        SyncButtons();
    });
    connect(folderOpen_, &QPushButton::clicked, this, [this] {
        QString chosen = PickFile(this, ToQ(model_.CurrentFolder()), CDownloadDlg::FileFilter(model_.FilePattern()));
        model_.FileOpenDone(ToStd(chosen));
        if (!model_.MachineListMode()) uploadName_->setText(ToQ(model_.UploadFileName()));
        FillList();
    });
    connect(refresh_, &QPushButton::clicked, this, [this] {
        model_.Refresh(ToStd(path_->text()));
        FillList();
    });
    connect(changeFolder_, &QPushButton::clicked, this, [this] {
        model_.ChangeFolderOfChannel();
        SyncButtons();
    });
    connect(upload_, &QPushButton::clicked, this, &CUploadDlg::OnUpload);

    FillList();
    // Without a program list the name is all the operator has to give.
    if (!model_.MachineListMode()) uploadName_->setFocus();
}

// ---- showing the model ---------------------------------------------------------------

void CUploadDlg::FillList() {
    filling_ = true;
    renameEdit_->hide();
    path_->setText(ToQ(model_.PathPattern()));
    shownVersion_ = TransferTable::Fill(list_, model_);
    list_->clearSelection();
    filling_ = false;
    SyncCells();
    SyncButtons();
}

void CUploadDlg::SyncCells() {
    if (shownVersion_ != model_.ListVersion()) {
        FillList();
        return;
    }
    TransferTable::SyncCells(list_, model_);
}

void CUploadDlg::SyncButtons() {
    const UploadDialogModel::Buttons& b = model_.ButtonStates();
    findFolder_->setEnabled(b.FindFolder);
    changeFolder_->setEnabled(b.ChangeFolder);
    folderOpen_->setEnabled(b.FolderOpen);
    refresh_->setEnabled(b.Refresh);
    upload_->setEnabled(b.Upload);
}

void CUploadDlg::OnSelectionChanged() {
    if (filling_) return;
    model_.SetSelection(TransferTable::SelectedRows(list_));
    SyncButtons();
}

// ---- actions -------------------------------------------------------------------------

void CUploadDlg::OnContextMenu(const QPoint& position) {
    QModelIndex index = list_->indexAt(position);
    std::vector<UploadDialogModel::MenuEntry> entries = model_.ContextMenu(index.row(), index.column());
    SyncButtons();
    if (entries.empty()) return;
    QMenu menu(this);
    for (const UploadDialogModel::MenuEntry& entry : entries) {
        UploadDialogModel::Action action = entry.What;
        menu.addAction(ToQ(entry.Text), this, [this, action] { RunAction(action); });
    }
    menu.exec(list_->viewport()->mapToGlobal(position));
}

void CUploadDlg::RunAction(UploadDialogModel::Action action) {
    switch (action) {
        case UploadDialogModel::Action::Select: model_.Select(); break;
        case UploadDialogModel::Action::Deselect: model_.Deselect(); break;
        case UploadDialogModel::Action::Rename: StartRename(); return;
    }
    SyncCells();
    SyncButtons();
}

void CUploadDlg::StartRename() {
    int row = -1;
    std::string text;
    if (!model_.BeginRename(row, text)) return;
    if (!TransferTable::OpenRenameEdit(list_, renameEdit_, model_, row, UploadDialogModel::ColumnKind::UploadName,
                                       text)) {
        model_.CancelRename();
    }
}

void CUploadDlg::CommitRename() {
    if (!renameEdit_->isVisible()) return;
    renameEdit_->hide();
    model_.CommitRename(ToStd(renameEdit_->text()));
    SyncCells();
    SyncButtons();
}

void CUploadDlg::CancelRename() {
    renameEdit_->hide();
    model_.CancelRename();
    list_->setFocus();
}

void CUploadDlg::ShowQuickView() {
    std::string path = model_.QuickViewPath();
    if (path.empty()) return;
    CQuickViewDlg::ShowFile(text_(Msg::QuickViewTitle), path, model_.McType(), text_(Msg::FileNotOpen), this);
}

void CUploadDlg::OnUpload() {
    if (renameEdit_->isVisible()) CommitRename();
    UploadRequest request;
    bool ok = model_.Upload(request);
    // The model has put the name through the file-name rule.
    if (!model_.MachineListMode()) uploadName_->setText(ToQ(model_.UploadFileName()));
    SyncCells();
    SyncButtons();
    if (!ok) return;
    result_ = request;
    accept();
}

bool CUploadDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == path_) {
        if (IsKey(event, {Qt::Key_Escape})) {
            path_->setText(ToQ(model_.PathPattern()));
            list_->setFocus();
            return true;
        }
        if (IsKey(event, {Qt::Key_Return, Qt::Key_Enter})) {
            list_->setFocus();
            return true;
        }
        if (event->type() == QEvent::FocusOut && QApplication::focusWidget() != refresh_ &&
            model_.ApplyPathEdit(ToStd(path_->text()))) {
            FillList();
        }
    } else if (watched == uploadName_) {
        if (IsKey(event, {Qt::Key_Escape})) {
            uploadName_->clear();
            return true;
        }
        if (IsKey(event, {Qt::Key_Return, Qt::Key_Enter})) {
            list_->setFocus();
            return true;
        }
    } else if (watched == renameEdit_) {
        if (IsKey(event, {Qt::Key_Escape})) {
            CancelRename();
            return true;
        }
        if (IsKey(event, {Qt::Key_Return, Qt::Key_Enter})) {
            CommitRename();
            list_->setFocus();
            return true;
        }
        if (event->type() == QEvent::FocusOut) CommitRename();
    }
    return QDialog::eventFilter(watched, event);
}

bool ShowUploadDialog(QWidget* parent, Terminal& terminal, UploadRequest& request) {
    CKOVAApp& app = terminal.App;
    auto text = [&terminal](Msg row) { return terminal.Text(row); };
    UploadDialogModel model(
        app.CurrentChannel, terminal.McProgramList, request, text,
        [&terminal](const std::string& line) { terminal.ShowStatus(line, 1); },
        [&app](const ChannelConfig& channel) { return app.SaveChannelConfig(channel); },
        [&terminal](const std::string& question) {
            return terminal.View.AskMessageBox(question, MessageBoxKind::YesNo) == MessageBoxAnswer::Yes;
        });
    model.SetLanguage(app._nLanguage);
    model.Initialize();
    CUploadDlg dialog(model, text, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    request.TransferFolder = dialog.Result().TransferFolder;
    request.Files = dialog.Result().Files;
    return !request.Files.empty();
}
