#include "ui/CDownloadDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/CKOVAApp.h"
#include "engine/Terminal.h"
#include "ui/models/ChannelSave.h"

CDownloadDlg::CDownloadDlg(DownloadDialogModel& model, const DownloadDialogModel::TextOf& text, QWidget* parent)
    : TransferDialog(model, text, DownloadDialogModel::ColumnKind::ProgramName, parent), model_(model) {
    setWindowTitle(ToQ(model_.Caption()));

    delayLabel_ = new QLabel(ToQ(text_(Msg::SysDelayBitsLabel)), this);
    delayBits_ = new QComboBox(this);
    for (const std::string& choice : DownloadDialogModel::DelayBitChoices()) delayBits_->addItem(ToQ(choice));
    delayBits_->setCurrentIndex(model_.SystemForm() ? model_.PreselectedDelayBits() : -1);
    delayLabel_->setVisible(model_.SystemForm());
    delayBits_->setVisible(model_.SystemForm());

    AddFolderButtons();
    download_ = MakeButton(Msg::ProgramDownloadButton);

    auto* delayRow = new QHBoxLayout;
    delayRow->addWidget(delayLabel_);
    delayRow->addWidget(delayBits_);
    delayRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(path_);
    layout->addWidget(list_, 1);
    layout->addLayout(delayRow);
    layout->addLayout(ButtonRow(download_));
    resize(720, 460);

    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        switch (model_.DoubleClick(row, column)) {
            case DownloadDialogModel::DoubleClickResult::Selected: SyncCells(); break;
            case DownloadDialogModel::DoubleClickResult::StartRename: StartRename(); break;
            case DownloadDialogModel::DoubleClickResult::Nothing: break;
        }
        SyncButtons();
    });
    // Quick View from the keyboard, for every machine type (the menus offer it
    // only where programs are stored by name).
    auto* quickView = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    connect(quickView, &QShortcut::activated, this, [this] {
        if (model_.ButtonStates().QuickView) ShowQuickView();
    });
    connect(list_, &QWidget::customContextMenuRequested, this, &CDownloadDlg::OnContextMenu);
    connect(delayBits_, &QComboBox::currentTextChanged, this,
            [this](const QString& bits) { model_.SetSysDelayBits(ToStd(bits)); });
    connect(download_, &QPushButton::clicked, this, &CDownloadDlg::OnDownload);

    FillList();
}

void CDownloadDlg::SyncButtons() {
    const DownloadDialogModel::Buttons& b = model_.ButtonStates();
    SyncFolderButtons(b);
    download_->setEnabled(b.Download);
}

void CDownloadDlg::OnContextMenu(const QPoint& position) {
    QModelIndex index = list_->indexAt(position);
    std::vector<DownloadDialogModel::MenuEntry> entries = model_.ContextMenu(index.row(), index.column());
    SyncButtons();
    ShowMenu(entries, position, [this](DownloadDialogModel::Action action) { RunAction(action); });
}

void CDownloadDlg::RunAction(DownloadDialogModel::Action action) {
    switch (action) {
        case DownloadDialogModel::Action::Select: model_.Select(); break;
        case DownloadDialogModel::Action::Deselect: model_.Deselect(); break;
        case DownloadDialogModel::Action::Rename: StartRename(); return;
        case DownloadDialogModel::Action::QuickView: ShowQuickView(); return;
        case DownloadDialogModel::Action::Download: OnDownload(); return;
    }
    SyncCells();
    SyncButtons();
}

void CDownloadDlg::OnDownload() {
    CommitRename();
    DownloadRequest request;
    if (!model_.Download(request)) return;
    result_ = request;
    accept();
}

bool ShowDownloadDialog(QWidget* parent, Terminal& terminal, DownloadRequest& request) {
    CKOVAApp& app = terminal.App;
    auto text = [&terminal](Msg row) { return terminal.Text(row); };
    DownloadDialogModel model(
        app.CurrentChannel, terminal.McProgramList, request, text,
        [&terminal](const std::string& line) { terminal.ShowStatus(line, 1); },
        [&terminal](const ChannelConfig& channel) { return SaveChannelAndReport(terminal, channel); });
    model.Initialize();
    CDownloadDlg dialog(model, text, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    const DownloadRequest& result = dialog.Result();
    request.TransferFolder = result.TransferFolder;
    request.Files = result.Files;
    request.SysDelayBits = result.SysDelayBits;
    return !request.Files.empty();
}
