#include "ui/TransferDialog.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "ui/CQuickViewDlg.h"

namespace {

bool IsKey(QEvent* event, std::initializer_list<int> keys) {
    if (event->type() != QEvent::KeyPress) return false;
    int key = static_cast<QKeyEvent*>(event)->key();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

TransferDialog::TransferDialog(TransferDialogModel& model, const TransferDialogModel::TextOf& text, QWidget* parent)
    : QDialog(parent), text_(text), model_(model) {
    PickFolder = [](QWidget* p, const QString& title, const QString& start) {
        return QFileDialog::getExistingDirectory(p, title, start);
    };
    PickFile = [](QWidget* p, const QString& start, const QString& filter) {
        return QFileDialog::getOpenFileName(p, QString(), start, filter);
    };

    path_ = new QLineEdit(this);
    path_->setTextMargins(5, 0, 0, 0);
    QPalette blue = path_->palette();
    blue.setColor(QPalette::Text, Qt::blue);
    path_->setPalette(blue);
    path_->installEventFilter(this);

    list_ = new QTableWidget(this);
    // The in-place name edit lives over the cell being renamed.
    renameEdit_ = TransferTable::MakeRenameEdit(list_);
    renameEdit_->installEventFilter(this);

    connect(list_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        model_.Click(row, column);
        SyncButtons();
    });
    connect(list_, &QTableWidget::itemSelectionChanged, this, &TransferDialog::OnSelectionChanged);
}

QPushButton* TransferDialog::MakeButton(Msg caption) {
    auto* button = new QPushButton(ToQ(text_(caption)), this);
    // Enter in the edits must not press a button.
    button->setAutoDefault(false);
    return button;
}

void TransferDialog::AddFolderButtons() {
    findFolder_ = MakeButton(Msg::FindTheFolder);
    changeFolder_ = MakeButton(Msg::ChangeChannelFolder);
    folderOpen_ = MakeButton(Msg::FolderOpen);
    refresh_ = MakeButton(Msg::Refresh);
    connect(findFolder_, &QPushButton::clicked, this, &TransferDialog::OnFindFolder);
    connect(folderOpen_, &QPushButton::clicked, this, &TransferDialog::OnFolderOpen);
    connect(refresh_, &QPushButton::clicked, this, [this] {
        model_.Refresh(ToStd(path_->text()));
        FillList();
    });
    connect(changeFolder_, &QPushButton::clicked, this, [this] {
        model_.ChangeFolderOfChannel();
        SyncButtons();
    });
}

QHBoxLayout* TransferDialog::ButtonRow(QPushButton* transfer) {
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {findFolder_, changeFolder_, folderOpen_, refresh_}) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(transfer);
    return buttons;
}

QString TransferDialog::FileFilter(const std::string& pattern) {
    QString p = ToQ(pattern);
    // "*.*" means every file on the Windows side; here a name needs no dot.
    QString match = p == QLatin1String("*.*") ? QStringLiteral("*") : p;
    return QStringLiteral("NCD file(%1) (%2);;All files(*.*) (*)").arg(p, match);
}

// ---- showing the model ---------------------------------------------------------------

void TransferDialog::FillList() {
    filling_ = true;
    renameEdit_->hide();
    path_->setText(ToQ(model_.PathPattern()));
    shownVersion_ = fillTable_();
    list_->clearSelection();
    for (int row : model_.SelectedRows()) list_->selectRow(row);
    filling_ = false;
    SyncCells();
    SyncButtons();
}

void TransferDialog::SyncCells() {
    if (shownVersion_ != model_.ListVersion()) {
        FillList();
        return;
    }
    syncTable_();
}

void TransferDialog::SetFolderButtons(bool findFolder, bool changeFolder, bool folderOpen, bool refresh) {
    findFolder_->setEnabled(findFolder);
    changeFolder_->setEnabled(changeFolder);
    folderOpen_->setEnabled(folderOpen);
    refresh_->setEnabled(refresh);
}

void TransferDialog::OnSelectionChanged() {
    if (filling_) return;
    model_.SetSelection(TransferTable::SelectedRows(list_));
    SyncButtons();
}

// ---- actions -------------------------------------------------------------------------

void TransferDialog::StartRename() {
    int row = -1;
    std::string text;
    if (!model_.BeginRename(row, text)) return;
    if (!openRename_(row, text)) model_.CancelRename();
}

void TransferDialog::CommitRename() {
    if (!renameEdit_->isVisible()) return;
    renameEdit_->hide();
    model_.CommitRename(ToStd(renameEdit_->text()));
    SyncCells();
    SyncButtons();
}

void TransferDialog::CancelRename() {
    renameEdit_->hide();
    model_.CancelRename();
    list_->setFocus();
}

void TransferDialog::RestorePath() {
    path_->setText(ToQ(model_.PathPattern()));
    list_->setFocus();
}

void TransferDialog::ShowQuickView() {
    std::string path = model_.QuickViewPath();
    if (path.empty()) return;
    CQuickViewDlg::ShowFile(text_(Msg::QuickViewTitle), path, model_.McType(), text_(Msg::FileNotOpen), this);
}

void TransferDialog::OnFindFolder() {
    QString folder = PickFolder(this, ToQ(text_(Msg::SelectPatternProgramFolder)), ToQ(model_.CurrentFolder()));
    model_.FolderChosen(ToStd(folder));
    SyncCells();
    SyncButtons();
}

void TransferDialog::OnFolderOpen() {
    QString chosen = PickFile(this, ToQ(model_.CurrentFolder()), FileFilter(model_.FilePattern()));
    model_.FileOpenDone(ToStd(chosen));
    FileOpened();
    FillList();
}

bool TransferDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == path_) {
        if (IsKey(event, {Qt::Key_Escape})) {
            RestorePath();
            return true;
        }
        if (IsKey(event, {Qt::Key_Return, Qt::Key_Enter})) {
            list_->setFocus();
            return true;
        }
        // Refresh reads the path itself.
        if (event->type() == QEvent::FocusOut && QApplication::focusWidget() != refresh_ &&
            model_.ApplyPathEdit(ToStd(path_->text()))) {
            FillList();
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
