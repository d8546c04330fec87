#include "ui/CDownloadDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/CKOVAApp.h"
#include "engine/Terminal.h"
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

}  // namespace

CDownloadDlg::CDownloadDlg(DownloadDialogModel& model, const DownloadDialogModel::TextOf& text, QWidget* parent)
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
    QPalette blue = path_->palette();
    blue.setColor(QPalette::Text, Qt::blue);
    path_->setPalette(blue);
    path_->installEventFilter(this);

    list_ = new QTableWidget(this);
    TransferTable::SetUp(list_, model_);

    // The in-place name edit lives over the cell being renamed.
    nameEdit_ = TransferTable::MakeRenameEdit(list_);
    nameEdit_->installEventFilter(this);

    delayLabel_ = new QLabel(ToQ(text_(Msg::SysDelayBitsLabel)), this);
    delayBits_ = new QComboBox(this);
    for (const std::string& choice : DownloadDialogModel::DelayBitChoices()) delayBits_->addItem(ToQ(choice));
    delayBits_->setCurrentIndex(model_.SystemForm() ? model_.PreselectedDelayBits() : -1);
    delayLabel_->setVisible(model_.SystemForm());
    delayBits_->setVisible(model_.SystemForm());

    findFolder_ = MakeButton(text_(Msg::FindTheFolder), this);
    changeFolder_ = MakeButton(text_(Msg::ChangeChannelFolder), this);
    folderOpen_ = MakeButton(text_(Msg::FolderOpen), this);
    refresh_ = MakeButton(text_(Msg::Refresh), this);
    download_ = MakeButton(text_(Msg::ProgramDownloadButton), this);

    auto* delayRow = new QHBoxLayout;
    delayRow->addWidget(delayLabel_);
    delayRow->addWidget(delayBits_);
    delayRow->addStretch();
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {findFolder_, changeFolder_, folderOpen_, refresh_}) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(download_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(path_);
    layout->addWidget(list_, 1);
    layout->addLayout(delayRow);
    layout->addLayout(buttons);
    resize(720, 460);

    connect(list_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        model_.Click(row, column);
        SyncButtons();
    });
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        switch (model_.DoubleClick(row, column)) {
            case DownloadDialogModel::DoubleClickResult::Selected: SyncCells(); break;
            case DownloadDialogModel::DoubleClickResult::StartRename: StartRename(); break;
            case DownloadDialogModel::DoubleClickResult::Nothing: break;
        }
        SyncButtons();
    });
    connect(list_, &QTableWidget::itemSelectionChanged, this, &CDownloadDlg::OnSelectionChanged);
    // Quick View from the keyboard, for every machine type (the menus offer it
    // only where programs are stored by name).
    auto* quickView = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    connect(quickView, &QShortcut::activated, this, [this] {
        if (model_.ButtonStates().QuickView) ShowQuickView();
    });
    connect(list_, &QWidget::customContextMenuRequested, this, &CDownloadDlg::OnContextMenu);
    connect(delayBits_, &QComboBox::currentTextChanged, this,
            [this](const QString& bits) { model_.SetSysDelayBits(ToStd(bits)); });
    connect(findFolder_, &QPushButton::clicked, this, &CDownloadDlg::OnFindFolder);
    connect(folderOpen_, &QPushButton::clicked, this, &CDownloadDlg::OnFolderOpen);
    connect(refresh_, &QPushButton::clicked, this, [this] {
        model_.Refresh(ToStd(path_->text()));
        FillList();
    });
    connect(changeFolder_, &QPushButton::clicked, this, [this] {
        model_.ChangeFolderOfChannel();
        SyncButtons();
    });
    connect(download_, &QPushButton::clicked, this, &CDownloadDlg::OnDownload);

    FillList();
}

QString CDownloadDlg::FileFilter(const std::string& pattern) {
    QString p = ToQ(pattern);
    // "*.*" means every file on the Windows side; here a name needs no dot.
    QString match = p == QLatin1String("*.*") ? QStringLiteral("*") : p;
    return QStringLiteral("NCD file(%1) (%2);;All files(*.*) (*)").arg(p, match);
}

// ---- showing the model ---------------------------------------------------------------

void CDownloadDlg::FillList() {
    filling_ = true;
    nameEdit_->hide();
    path_->setText(ToQ(model_.PathPattern()));
    shownVersion_ = TransferTable::Fill(list_, model_);
    list_->clearSelection();
    for (int row : model_.SelectedRows()) list_->selectRow(row);
    filling_ = false;
    SyncCells();
    SyncButtons();
}

void CDownloadDlg::SyncCells() {
    if (shownVersion_ != model_.ListVersion()) {
        FillList();
        return;
    }
    TransferTable::SyncCells(list_, model_);
}

void CDownloadDlg::SyncButtons() {
    const DownloadDialogModel::Buttons& b = model_.ButtonStates();
    findFolder_->setEnabled(b.FindFolder);
    changeFolder_->setEnabled(b.ChangeFolder);
    folderOpen_->setEnabled(b.FolderOpen);
    refresh_->setEnabled(b.Refresh);
    download_->setEnabled(b.Download);
}

void CDownloadDlg::OnSelectionChanged() {
    if (filling_) return;
    model_.SetSelection(TransferTable::SelectedRows(list_));
    SyncButtons();
}

// ---- actions -------------------------------------------------------------------------

void CDownloadDlg::OnContextMenu(const QPoint& position) {
    QModelIndex index = list_->indexAt(position);
    std::vector<DownloadDialogModel::MenuEntry> entries = model_.ContextMenu(index.row(), index.column());
    SyncButtons();
    QMenu menu(this);
    for (const DownloadDialogModel::MenuEntry& entry : entries) {
        DownloadDialogModel::Action action = entry.What;
        menu.addAction(ToQ(entry.Text), this, [this, action] { RunAction(action); });
    }
    menu.exec(list_->viewport()->mapToGlobal(position));
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

void CDownloadDlg::StartRename() {
    int row = -1;
    std::string text;
    if (!model_.BeginRename(row, text)) return;
    if (!TransferTable::OpenRenameEdit(list_, nameEdit_, model_, row, DownloadDialogModel::ColumnKind::ProgramName,
                                       text)) {
        model_.CancelRename();
    }
}

void CDownloadDlg::CommitRename() {
    if (!nameEdit_->isVisible()) return;
    nameEdit_->hide();
    model_.CommitRename(ToStd(nameEdit_->text()));
    SyncCells();
    SyncButtons();
}

void CDownloadDlg::CancelRename() {
    nameEdit_->hide();
    model_.CancelRename();
    list_->setFocus();
}

void CDownloadDlg::RestorePath() {
    path_->setText(ToQ(model_.PathPattern()));
    list_->setFocus();
}

void CDownloadDlg::ShowQuickView() {
    std::string path = model_.QuickViewPath();
    if (path.empty()) return;
    CQuickViewDlg::ShowFile(text_(Msg::QuickViewTitle), path, model_.McType(), text_(Msg::FileNotOpen), this);
}

void CDownloadDlg::OnFindFolder() {
    QString folder = PickFolder(this, ToQ(text_(Msg::SelectPatternProgramFolder)), ToQ(model_.CurrentFolder()));
    model_.FolderChosen(ToStd(folder));
    SyncCells();
    SyncButtons();
}

void CDownloadDlg::OnFolderOpen() {
    QString chosen = PickFile(this, ToQ(model_.CurrentFolder()), FileFilter(model_.FilePattern()));
    model_.FileOpenDone(ToStd(chosen));
    FillList();
}

void CDownloadDlg::OnDownload() {
    if (nameEdit_->isVisible()) CommitRename();
    DownloadRequest request;
    if (!model_.Download(request)) return;
    result_ = request;
    accept();
}

bool CDownloadDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == path_) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape) {
                RestorePath();
                return true;
            }
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                list_->setFocus();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            // Refresh reads the path itself.
            if (QApplication::focusWidget() != refresh_ && model_.ApplyPathEdit(ToStd(path_->text()))) FillList();
        }
    } else if (watched == nameEdit_) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape) {
                CancelRename();
                return true;
            }
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                CommitRename();
                list_->setFocus();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            CommitRename();
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool ShowDownloadDialog(QWidget* parent, Terminal& terminal, DownloadRequest& request) {
    CKOVAApp& app = terminal.App;
    auto text = [&terminal](Msg row) { return terminal.Text(row); };
    DownloadDialogModel model(
        app.CurrentChannel, terminal.McProgramList, request, text,
        [&terminal](const std::string& line) { terminal.ShowStatus(line, 1); },
        [&app](const ChannelConfig& channel) { return app.SaveChannelConfig(channel); });
    model.Initialize();
    CDownloadDlg dialog(model, text, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    const DownloadRequest& result = dialog.Result();
    request.TransferFolder = result.TransferFolder;
    request.Files = result.Files;
    request.SysDelayBits = result.SysDelayBits;
    return !request.Files.empty();
}
