#include "ui/CEditChPrmtDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/QtText.h"

namespace {
template <typename W>
W* Named(W* widget, int id) {
    widget->setObjectName(QStringLiteral("ctl%1").arg(id));
    return widget;
}

QComboBox* MakeCombo(QWidget* parent, int id, const std::vector<std::string>& entries) {
    auto* combo = Named(new QComboBox(parent), id);
    for (const std::string& entry : entries) combo->addItem(ToQ(entry));
    combo->setMaxVisibleItems(15);
    return combo;
}

// Selects the entry equal to `value`; a value the list does not offer shows
// greyed with nothing selected, and stays the field's value.
void ShowValue(QComboBox* combo, const std::string& value) {
    const int index = combo->findText(ToQ(value), Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo->setCurrentIndex(index);
    combo->setPlaceholderText(index < 0 ? ToQ(value) : QString());
}
}  // namespace

CEditChPrmtDlg::CEditChPrmtDlg(ChannelEditorModel& model, TextOf text, QWidget* parent)
    : QDialog(parent), model_(model), text_(std::move(text)) {
    setObjectName(QStringLiteral("CEditChPrmtDlg"));
    setWindowTitle(ToQ(text_(Msg::EditChannelParameters)));

    channel_ = MakeCombo(this, kChannel, ChannelEditorModel::ChannelEntries());
    baud_ = MakeCombo(this, kBaudRate, model_.BaudRateEntries());
    dataBit_ = MakeCombo(this, kDataBit, model_.DataBitEntries());
    parity_ = MakeCombo(this, kParity, model_.ParityEntries());
    delay_ = MakeCombo(this, kDelayBit, ChannelEditorModel::DelayBitEntries());
    type_ = MakeCombo(this, kType, model_.TypeEntries());
    etx_ = MakeCombo(this, kEtx, model_.EtxEntries());
    pnrPName_ = Named(new QCheckBox(ToQ(text_(Msg::UsePnrProgramName)), this), kPnrPName);
    verify_ = Named(new QCheckBox(ToQ(model_.VerifyCaption()), this), kVerify);
    name_ = Named(new QLineEdit(this), kName);
    serial_ = Named(new QLineEdit(this), kSerial);
    folder_ = Named(new QLineEdit(this), kFolder);
    serial_->setMinimumWidth(160);
    folder_->setMinimumWidth(320);

    auto label = [this](int id, Msg caption, QWidget* buddy) {
        auto* l = Named(new QLabel(ToQ(text_(caption)), this), id);
        l->setBuddy(buddy);
        return l;
    };
    etxLabel_ = label(1110, Msg::PnrEtx, etx_);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->addWidget(label(1106, Msg::Channel, channel_), 0, 0);
    grid->addWidget(channel_, 0, 1);
    grid->addWidget(label(1103, Msg::McType, type_), 0, 2);
    grid->addWidget(type_, 0, 3);
    grid->addWidget(label(1107, Msg::BaudRate, baud_), 1, 0);
    grid->addWidget(baud_, 1, 1);
    grid->addWidget(label(1104, Msg::McName, name_), 1, 2);
    grid->addWidget(name_, 1, 3);
    grid->addWidget(label(1108, Msg::DataBits, dataBit_), 2, 0);
    grid->addWidget(dataBit_, 2, 1);
    grid->addWidget(label(1111, Msg::SubModuleSerial, serial_), 2, 2);
    grid->addWidget(serial_, 2, 3);
    grid->addWidget(label(1105, Msg::ParityBit, parity_), 3, 0);
    grid->addWidget(parity_, 3, 1);
    grid->addWidget(etxLabel_, 3, 2);
    grid->addWidget(etx_, 3, 3);
    grid->addWidget(label(1109, Msg::NcdDelayBits, delay_), 4, 0);
    grid->addWidget(delay_, 4, 1);
    grid->addWidget(pnrPName_, 4, 2, 1, 2);
    grid->addWidget(verify_, 5, 2, 1, 2);

    auto* folderGroup = Named(new QGroupBox(ToQ(text_(Msg::DefaultWorkFolder)), this), kFolderGroup);
    change_ = Named(new QPushButton(ToQ(text_(Msg::Change)), folderGroup), kChange);
    auto* folderRow = new QHBoxLayout(folderGroup);
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(change_);

    default_ = Named(new QPushButton(ToQ(text_(Msg::Default)), this), kDefault);
    ok_ = Named(new QPushButton(ToQ(text_(Msg::Ok)), this), kOk);
    cancel_ = Named(new QPushButton(ToQ(text_(Msg::Cancel)), this), kCancel);
    for (QPushButton* button : {change_, default_, ok_, cancel_}) button->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(default_);
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(folderGroup);
    layout->addLayout(buttons);

    // Only the operator's own changes count (activated, textEdited, clicked):
    // filling the controls changes nothing.
    auto onCombo = [this](QComboBox* combo, std::string ChannelEditorControls::*field) {
        connect(combo, &QComboBox::activated, this, [this, combo, field](int) {
            model_.Edit().*field = ToStd(combo->currentText());
            combo->setPlaceholderText(QString());
            UpdateButtons();
        });
    };
    onCombo(baud_, &ChannelEditorControls::BaudRate);
    onCombo(dataBit_, &ChannelEditorControls::DataBit);
    onCombo(parity_, &ChannelEditorControls::ParityBit);
    onCombo(delay_, &ChannelEditorControls::DelayBit);
    onCombo(type_, &ChannelEditorControls::McType);
    onCombo(etx_, &ChannelEditorControls::PnrEtx);
    auto onEdit = [this](QLineEdit* edit, std::string ChannelEditorControls::*field) {
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& value) {
            model_.Edit().*field = ToStd(value);
            UpdateButtons();
        });
    };
    onEdit(name_, &ChannelEditorControls::McName);
    onEdit(serial_, &ChannelEditorControls::SubSerial);
    onEdit(folder_, &ChannelEditorControls::Folder);
    connect(pnrPName_, &QCheckBox::clicked, this, [this](bool checked) {
        model_.Edit().PnrPName = checked;
        UpdateButtons();
    });
    connect(verify_, &QCheckBox::clicked, this, [this](bool checked) {
        model_.Edit().Verify = checked;
        UpdateButtons();
    });
    connect(channel_, &QComboBox::activated, this, [this](int index) {
        model_.ChooseChannel(index + 1);
        ShowControls();
    });
    connect(default_, &QPushButton::clicked, this, &CEditChPrmtDlg::OnDefault);
    connect(change_, &QPushButton::clicked, this, &CEditChPrmtDlg::OnChangeFolder);
    connect(ok_, &QPushButton::clicked, this, &CEditChPrmtDlg::OnOk);
    connect(cancel_, &QPushButton::clicked, this, &CEditChPrmtDlg::reject);
    ShowControls();
}

QComboBox* CEditChPrmtDlg::Combo(int id) const {
    for (QComboBox* combo : {channel_, baud_, dataBit_, parity_, delay_, type_, etx_}) {
        if (combo->objectName() == QStringLiteral("ctl%1").arg(id)) return combo;
    }
    return nullptr;
}

void CEditChPrmtDlg::ShowControls() {
    const ChannelEditorControls& c = model_.Controls();
    ShowValue(channel_, c.Channel);
    ShowValue(baud_, c.BaudRate);
    ShowValue(dataBit_, c.DataBit);
    ShowValue(parity_, c.ParityBit);
    ShowValue(delay_, c.DelayBit);
    ShowValue(type_, c.McType);
    ShowValue(etx_, c.PnrEtx);
    pnrPName_->setChecked(c.PnrPName);
    verify_->setChecked(c.Verify);
    name_->setText(ToQ(c.McName));
    serial_->setText(ToQ(c.SubSerial));
    folder_->setText(ToQ(c.Folder));
    UpdateButtons();
}

void CEditChPrmtDlg::UpdateButtons() {
    const bool pnr = model_.PnrOptionsEnabled();
    etxLabel_->setEnabled(pnr);
    etx_->setEnabled(pnr);
    pnrPName_->setEnabled(pnr);
    verify_->setEnabled(model_.VerifyEnabled());
    default_->setEnabled(model_.DefaultEnabled());
    ok_->setEnabled(model_.OkEnabled());
    cancel_->setEnabled(model_.OkEnabled());
}

void CEditChPrmtDlg::OnDefault() {
    model_.Default();
    ShowControls();
}

void CEditChPrmtDlg::OnChangeFolder() {
    const std::string title = text_(Msg::SelectPatternProgramFolder);
    const std::string start = model_.Controls().Folder;
    std::string chosen;
    if (browser_) {
        chosen = browser_(title, start);
    } else {
        chosen = ToStd(QFileDialog::getExistingDirectory(this, ToQ(title), ToQ(start)));
    }
    model_.ChooseFolder(chosen);
    folder_->setText(ToQ(model_.Controls().Folder));
    UpdateButtons();
}

void CEditChPrmtDlg::OnOk() {
    if (model_.Ok()) {
        accept();
    } else {
        reject();
    }
}
