#include "ui/CZidFileNameConvertDlg.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "lang/LanguageFileDecoder.h"
#include "ui/PageButton.h"
#include "ui/QtText.h"
#include "ui/ReportList.h"

CZidFileNameConvertDlg::CZidFileNameConvertDlg(const std::string& workFolder, TextOf text, QWidget* parent)
    : QDialog(parent), model_(LanguageFileDecoder()), text_(std::move(text)) {
    PickFolder = [](QWidget* p, const QString& title, const QString& start) {
        return QFileDialog::getExistingDirectory(p, title, start);
    };
    model_.SetWorkFolder(workFolder);
    setWindowTitle(ToQ(text_(Msg::ConvertFileNameZidTitle)));

    auto* folderTitle = NamedControl(new QLabel(ToQ(text_(Msg::WorkFolder)), this), kWorkFolderLabel);
    folder_ = NamedControl(new QLabel(this), kWorkFolder);
    folder_->setFrameShape(QFrame::StyledPanel);
    folder_->setFrameShadow(QFrame::Sunken);
    folder_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    changeFolder_ = MakePageButton(this, kChangeFolder, 0);
    changeFolder_->setText(ToQ(text_(Msg::ChangeChannelFolder)));
    progress_ = NamedControl(new QProgressBar(this), kProgress);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progress_->setTextVisible(false);

    list_ = NamedControl(new QTableWidget(this), kList);
    SetUpReportList(list_, 20, ReportRows::Many);
    const auto& columns = ZidConversionModel::Columns();
    list_->setColumnCount(static_cast<int>(columns.size()));
    QStringList titles;
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        titles << ToQ(text_(columns[static_cast<std::size_t>(i)].Title));
        list_->setColumnWidth(i, columns[static_cast<std::size_t>(i)].Width);
    }
    list_->setHorizontalHeaderLabels(titles);
    list_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    list_->horizontalHeader()->setStretchLastSection(true);

    exit_ = MakePageButton(this, 1, 0);
    exit_->setText(ToQ(text_(Msg::Exit)));
    exit_->setDefault(true);
    refresh_ = MakePageButton(this, kRefresh, 0);
    refresh_->setText(ToQ(text_(Msg::Refresh)));
    convertAll_ = MakePageButton(this, kConvertAll, 0);
    convertSelected_ = MakePageButton(this, kConvertSelected, 0);

    auto* group = NamedControl(new QGroupBox(ToQ(text_(Msg::ConvertType)), this), kTypeGroup);
    rename_ = NamedControl(new QRadioButton(ToQ(text_(Msg::Rename)), group), kRename);
    copy_ = NamedControl(new QRadioButton(ToQ(text_(Msg::CreateCopy)), group), kCopy);
    rename_->setChecked(true);
    auto* types = new QButtonGroup(this);
    types->addButton(rename_, 0);
    types->addButton(copy_, 1);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(rename_);
    groupLayout->addWidget(copy_);

    auto* top = new QHBoxLayout;
    top->addWidget(folderTitle);
    top->addWidget(folder_, 1);
    top->addWidget(changeFolder_);
    auto* side = new QVBoxLayout;
    side->addWidget(exit_);
    side->addWidget(refresh_);
    side->addSpacing(12);
    side->addWidget(group);
    side->addWidget(convertAll_);
    side->addWidget(convertSelected_);
    side->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(list_, 1);
    middle->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(progress_);
    layout->addLayout(middle, 1);
    resize(980, 560);

    connect(exit_, &QPushButton::clicked, this, &QDialog::accept);
    connect(refresh_, &QPushButton::clicked, this, &CZidFileNameConvertDlg::OnRefresh);
    connect(changeFolder_, &QPushButton::clicked, this, &CZidFileNameConvertDlg::OnChangeFolder);
    connect(convertAll_, &QPushButton::clicked, this, [this] { OnConvert(true); });
    connect(convertSelected_, &QPushButton::clicked, this, [this] { OnConvert(false); });
    connect(types, &QButtonGroup::idClicked, this, [this](int id) {
        model_.SetType(id == 1 ? ZidConversionModel::ConvertType::Copy : ZidConversionModel::ConvertType::Rename);
        SetTypeCaptions();
    });
    connect(list_, &QTableWidget::itemSelectionChanged, this, &CZidFileNameConvertDlg::UpdateButtons);

    SetTypeCaptions();
    refresh_->setEnabled(model_.RefreshEnabled());
    folder_->setText(ToQ(model_.WorkFolder()));
    OnRefresh();
}

void CZidFileNameConvertDlg::SetTypeCaptions() {
    convertAll_->setText(ToQ(text_(model_.ConvertAllCaption())));
    convertSelected_->setText(ToQ(text_(model_.ConvertSelectedCaption())));
}

void CZidFileNameConvertDlg::OnRefresh() {
    if (!model_.RefreshEnabled()) {
        UpdateButtons();
        return;
    }
    model_.Load();
    FillList();
    UpdateButtons();
}

void CZidFileNameConvertDlg::FillList() {
    const auto& entries = model_.Entries();
    list_->clearContents();
    list_->setRowCount(static_cast<int>(entries.size()));
    for (int row = 0; row < static_cast<int>(entries.size()); ++row) {
        const auto& entry = entries[static_cast<std::size_t>(row)];
        const QString cells[] = {QString::number(row + 1), ToQ(entry.Name), ToQ(entry.IdentifiedName),
                                 QString::number(entry.Size), QString()};
        for (int column = 0; column < 5; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignCenter);
            list_->setItem(row, column, item);
        }
    }
}

void CZidFileNameConvertDlg::ShowRemarks() {
    const auto& entries = model_.Entries();
    for (int row = 0; row < list_->rowCount() && row < static_cast<int>(entries.size()); ++row) {
        if (QTableWidgetItem* item = list_->item(row, 4)) {
            item->setText(ToQ(ZidConversionModel::RemarkText(entries[static_cast<std::size_t>(row)], text_)));
        }
    }
}

std::vector<int> CZidFileNameConvertDlg::SelectedLines() const {
    std::vector<int> lines;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows()) lines.push_back(index.row());
    return lines;
}

void CZidFileNameConvertDlg::UpdateButtons() {
    convertAll_->setEnabled(model_.ConvertAllEnabled());
    convertSelected_->setEnabled(model_.ConvertSelectedEnabled(SelectedLines()));
}

void CZidFileNameConvertDlg::OnChangeFolder() {
    const QString chosen = PickFolder(this, ToQ(text_(Msg::SelectPatternProgramFolder)), ToQ(model_.WorkFolder()));
    if (!model_.ChangeFolder(ToStd(chosen))) return;
    folder_->setText(ToQ(model_.WorkFolder()));
    refresh_->setEnabled(true);
    OnRefresh();
}

void CZidFileNameConvertDlg::OnConvert(bool all) {
    if (list_->rowCount() == 0) return;
    const auto progress = [this](int position, int range) {
        progress_->setRange(0, std::max(range, 1));
        progress_->setValue(position);
        // Keep the window painted while the files are copied.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    if (all) {
        model_.ConvertAll(progress);
    } else {
        model_.ConvertSelected(SelectedLines(), progress);
    }
    ShowRemarks();
}
