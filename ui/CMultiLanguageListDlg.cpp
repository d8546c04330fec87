#include "ui/CMultiLanguageListDlg.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/CKOVAApp.h"
#include "lang/MultiLanguageFile.h"
#include "lang/TextPair.h"
#include "ui/CFindStringDlg.h"
#include "ui/QtText.h"
#include "ui/ReportList.h"

namespace {

QPushButton* MakeButton(const char* caption, int id, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QStringLiteral("ctl%1").arg(id));
    // Enter belongs to the in-place editor, never to a button.
    button->setAutoDefault(false);
    return button;
}

constexpr TextPair kNotSaved{"The language file could not be written; the edited texts apply only until the program ends.",
                             "언어 파일을 저장하지 못했습니다. 편집한 문구는 프로그램을 종료할 때까지만 적용됩니다."};

bool IsEnterOrEscape(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape; }

}  // namespace

CMultiLanguageListDlg::CMultiLanguageListDlg(CKOVAApp& app, QWidget* parent) : QDialog(parent), app_(app) {
    setWindowTitle(QStringLiteral("Multi Language String List"));
    AskReset = [this] {
        return QMessageBox::question(this, windowTitle(), QString::fromUtf8(kResetQuestion),
                                     QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    };
    ShowSaveFailure = [this](const std::string& text) { QMessageBox::warning(this, windowTitle(), ToQ(text)); };
    AskFind = [this](MultiLanguageListModel::FindSettings& settings) {
        CFindStringDlg find(settings, [this](Msg row) { return app_.GetMultiLanguageStr(MsgRow(row)); }, this);
        if (find.exec() != QDialog::Accepted) return false;
        settings = find.Settings();
        return true;
    };

    list_ = new QTableWidget(this);
    list_->setObjectName(QStringLiteral("ctl%1").arg(kList));
    SetUpReportList(list_, 20, ReportRows::Many);
    list_->setWordWrap(false);
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->setColumnCount(MultiLanguageListModel::kColumnCount);
    QStringList titles;
    const auto& columns = MultiLanguageListModel::Columns();
    for (int i = 0; i < MultiLanguageListModel::kColumnCount; ++i) {
        titles << QString::fromUtf8(columns[static_cast<std::size_t>(i)].Title);
        list_->setColumnWidth(i, columns[static_cast<std::size_t>(i)].Width);
    }
    list_->setHorizontalHeaderLabels(titles);
    list_->horizontalHeader()->setSectionsClickable(true);

    editor_ = new QLineEdit(list_->viewport());
    editor_->setObjectName(QStringLiteral("ctl%1").arg(kEditor));
    editor_->setTextMargins(5, 0, 4, 0);
    editor_->setFrame(false);
    // The language file keeps at most kMaxTextBytes of a text; a character
    // here is at most three bytes there (a pair of UTF-16 units, four).
    editor_->setMaxLength(static_cast<int>(MultiLanguageFile::kMaxTextBytes / 3));
    editor_->hide();
    editor_->installEventFilter(this);

    auto* ok = MakeButton("OK", 1, this);
    auto* cancel = MakeButton("CANCEL", 2, this);
    auto* findFirst = MakeButton("Find First", kFindFirst, this);
    findNext_ = MakeButton("Find Next", kFindNext, this);
    findNext_->setEnabled(false);
    auto* reset = MakeButton("Reset", kReset, this);
    add_ = MakeButton("ADD", kAdd, this);
    delete_ = MakeButton("DELETE", kDelete, this);
    // Nothing in the program shows these two.
    add_->hide();
    delete_->hide();
    model_.SetAddVisible(!add_->isHidden());

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {findFirst, findNext_, reset, add_, delete_}) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(1100, 640);

    connect(ok, &QPushButton::clicked, this, &CMultiLanguageListDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(findFirst, &QPushButton::clicked, this, &CMultiLanguageListDlg::OnFindFirst);
    connect(findNext_, &QPushButton::clicked, this, &CMultiLanguageListDlg::OnFindNext);
    connect(reset, &QPushButton::clicked, this, &CMultiLanguageListDlg::OnReset);
    connect(add_, &QPushButton::clicked, this, &CMultiLanguageListDlg::OnAdd);
    connect(delete_, &QPushButton::clicked, this, &CMultiLanguageListDlg::OnDelete);
    connect(list_, &QTableWidget::cellPressed, this, [this](int row, int column) {
        currentRow_ = row;
        currentColumn_ = column;
    });
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        currentRow_ = row;
        currentColumn_ = column;
        if (model_.CanStartEdit(row, column)) StartEdit(row, column);
    });
    connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        CloseEdit(true);
        if (model_.SortBy(column)) FillList();
    });
    // The editor stays over its cell only while the list does not move.
    connect(list_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { CloseEdit(true); });
    connect(list_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { CloseEdit(true); });

    model_.Fill(app_._arMultiLanguage);
    FillList();
}

void CMultiLanguageListDlg::FillList() {
    list_->setRowCount(model_.LineCount());
    for (int row = 0; row < model_.LineCount(); ++row) {
        for (int column = 0; column < MultiLanguageListModel::kColumnCount; ++column) ShowCell(row, column);
    }
}

void CMultiLanguageListDlg::ShowCell(int row, int column) {
    QTableWidgetItem* item = list_->item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        if (MultiLanguageListModel::Columns()[static_cast<std::size_t>(column)].Centered) {
            item->setTextAlignment(Qt::AlignCenter);
        }
        list_->setItem(row, column, item);
    }
    item->setText(ToQ(model_.Cell(row, column)));
}

// ---- the in-place editor ------------------------------------------------------------

void CMultiLanguageListDlg::StartEdit(int row, int column) {
    if (row < 0 || row >= model_.LineCount() || column < 0 || column >= MultiLanguageListModel::kColumnCount) return;
    QTableWidgetItem* item = list_->item(row, column);
    list_->scrollToItem(item);
    editRow_ = row;
    editColumn_ = column;
    editOriginal_ = model_.Cell(row, column);
    editor_->setText(ToQ(editOriginal_));
    list_->selectionModel()->select(list_->model()->index(row, 0),
                                    QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    const QRect cell = list_->visualItemRect(item);
    editor_->setGeometry(cell.x(), cell.y(), cell.width() - 1, cell.height() - 1);
    editing_ = true;
    editor_->show();
    editor_->setFocus();
    editor_->selectAll();
}

void CMultiLanguageListDlg::CloseEdit(bool apply) {
    if (!editing_) return;
    editing_ = false;
    if (apply && model_.ApplyEdit(editRow_, editColumn_, ToStd(editor_->text()), editOriginal_)) {
        ShowCell(editRow_, editColumn_);
    }
    editor_->hide();
}

bool CMultiLanguageListDlg::EditorKey(int key) {
    const int row = editRow_;
    const int column = editColumn_;
    switch (key) {
        case Qt::Key_Escape: CloseEdit(false); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: CloseEdit(true); return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (std::optional<int> next = MultiLanguageListModel::TabTarget(column, key == Qt::Key_Backtab)) {
                CloseEdit(true);
                StartEdit(row, *next);
            }
            return true;   // the focus never leaves by TAB
        case Qt::Key_Up:
            if (row > 0) {
                CloseEdit(true);
                StartEdit(row - 1, column);
            }
            return true;
        case Qt::Key_Down:
            CloseEdit(true);
            StartEdit(row + 1 < model_.LineCount() ? row + 1 : row, column);
            return true;
        default: return false;
    }
}

bool CMultiLanguageListDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_ && editing_) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            int code = key->key();
            if (code == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier)) code = Qt::Key_Backtab;
            return EditorKey(code);
        }
        if (event->type() == QEvent::FocusOut) CloseEdit(true);
    }
    return QDialog::eventFilter(watched, event);
}

void CMultiLanguageListDlg::keyPressEvent(QKeyEvent* event) {
    // Neither Enter nor Esc closes the editor's window.
    if (IsEnterOrEscape(event->key())) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---- buttons ------------------------------------------------------------------------

void CMultiLanguageListDlg::ShowFound() {
    list_->clearSelection();
    list_->selectRow(model_.FoundRow());
    list_->scrollToItem(list_->item(model_.FoundRow(), model_.FoundColumn()));
}

void CMultiLanguageListDlg::OnFindFirst() {
    CloseEdit(true);
    findNext_->setEnabled(false);
    MultiLanguageListModel::FindSettings settings = model_.Find();
    if (!AskFind(settings)) return;
    if (model_.FindFirst(settings)) {
        ShowFound();
        findNext_->setEnabled(true);
    }
}

void CMultiLanguageListDlg::OnFindNext() {
    CloseEdit(true);
    if (model_.FindNext()) ShowFound();
}

void CMultiLanguageListDlg::OnReset() {
    CloseEdit(false);
    if (!AskReset()) return;
    // The built-in table takes effect at once, whatever OK or CANCEL follow.
    app_.SetDefaultMultiLanguageStr();
    model_.Reset(app_._arMultiLanguage);
    list_->setRowCount(0);
    FillList();
}

void CMultiLanguageListDlg::OnAdd() {
    CloseEdit(true);
    const int row = model_.Add();
    list_->setRowCount(model_.LineCount());
    for (int column = 0; column < MultiLanguageListModel::kColumnCount; ++column) ShowCell(row, column);
    list_->clearSelection();
    list_->selectRow(row);
    list_->scrollToItem(list_->item(row, 0));
}

void CMultiLanguageListDlg::OnDelete() {
    CloseEdit(false);
    std::vector<int> rows;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows()) rows.push_back(index.row());
    currentRow_ = model_.Delete(rows, currentRow_);
    list_->setRowCount(0);
    FillList();
    if (currentRow_ >= 0) list_->selectRow(currentRow_);
}

void CMultiLanguageListDlg::OnOk() {
    CloseEdit(true);
    // An unwritable file keeps the old texts on disk and the edited table in
    // effect for this run; the operator must know the edits will not last.
    if (model_.Rebuild(app_._arMultiLanguage) && app_.SaveMultiLanguageFile() == 0) {
        ShowSaveFailure(kNotSaved.For(app_._nLanguage) + "\n" + app_.LanguageFilePath);
    }
    addWasVisible_ = !add_->isHidden();
    accept();
}
