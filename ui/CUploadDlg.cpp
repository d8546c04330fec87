#include "ui/CUploadDlg.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/CKOVAApp.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"
#include "ui/models/ChannelSave.h"

CUploadDlg::CUploadDlg(UploadDialogModel& model, const UploadDialogModel::TextOf& text, QWidget* parent)
    : TransferDialog(model, text, UploadDialogModel::ColumnKind::UploadName, parent), model_(model) {
    setWindowTitle(ToQ(model_.Caption()));

    group_ = new QGroupBox(ToQ(text_(Msg::UploadingFileName)), this);
    uploadName_ = new QLineEdit(group_);
    QPalette red = uploadName_->palette();
    red.setColor(QPalette::Text, Qt::red);
    uploadName_->setPalette(red);
    uploadName_->installEventFilter(this);
    auto* groupLayout = new QHBoxLayout(group_);
    groupLayout->addWidget(uploadName_);
    group_->setVisible(!model_.MachineListMode());

    AddFolderButtons();
    upload_ = MakeButton(Msg::ProgramUploadTitle);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(path_);
    layout->addWidget(list_, 1);
    layout->addWidget(group_);
    layout->addLayout(ButtonRow(upload_));
    resize(720, 460);

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
    // Quick View of the PC file a row stands for, from the keyboard.
    auto* quickView = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    connect(quickView, &QShortcut::activated, this, &CUploadDlg::ShowQuickView);
    connect(list_, &QWidget::customContextMenuRequested, this, &CUploadDlg::OnContextMenu);
    connect(uploadName_, &QLineEdit::textChanged, this, [this](const QString& name) {
        model_.SetUploadFileName(ToStd(name));
        SyncButtons();
    });
    connect(upload_, &QPushButton::clicked, this, &CUploadDlg::OnUpload);

    FillList();
    // Without a program list the name is all the operator has to give.
    if (!model_.MachineListMode()) uploadName_->setFocus();
}

void CUploadDlg::SyncButtons() {
    const UploadDialogModel::Buttons& b = model_.ButtonStates();
    SyncFolderButtons(b);
    upload_->setEnabled(b.Upload);
}

void CUploadDlg::FileOpened() {
    if (!model_.MachineListMode()) uploadName_->setText(ToQ(model_.UploadFileName()));
}

void CUploadDlg::OnContextMenu(const QPoint& position) {
    QModelIndex index = list_->indexAt(position);
    std::vector<UploadDialogModel::MenuEntry> entries = model_.ContextMenu(index.row(), index.column());
    SyncButtons();
    if (entries.empty()) return;
    ShowMenu(entries, position, [this](UploadDialogModel::Action action) { RunAction(action); });
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

void CUploadDlg::OnUpload() {
    CommitRename();
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
    if (watched == uploadName_ && event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            uploadName_->clear();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            list_->setFocus();
            return true;
        }
    }
    return TransferDialog::eventFilter(watched, event);
}

bool ShowUploadDialog(QWidget* parent, Terminal& terminal, UploadRequest& request) {
    CKOVAApp& app = terminal.App;
    auto text = [&terminal](Msg row) { return terminal.Text(row); };
    UploadDialogModel model(
        app.CurrentChannel, terminal.McProgramList, request, text,
        [&terminal](const std::string& line) { terminal.ShowStatus(line, 1); },
        [&terminal](const ChannelConfig& channel) { return SaveChannelAndReport(terminal, channel); },
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
