#include "ui/CTabDlg3.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>

#include "app/CKOVAApp.h"
#include "engine/Terminal.h"
#include "engine/WindowMessages.h"
#include "lang/TextPair.h"
#include "ui/CMultiLanguageListDlg.h"
#include "ui/CZidFileNameConvertDlg.h"
#include "ui/PageButton.h"
#include "ui/QtText.h"

namespace {

constexpr uint32_t kCommWindow = 1031;

}  // namespace

CTabDlg3::CTabDlg3(Terminal& terminal, Services services, QWidget* parent)
    : QWidget(parent), terminal_(terminal), services_(std::move(services)), language_(new QComboBox(this)) {
    RunStringEditor = [this]() -> std::optional<bool> {
        CMultiLanguageListDlg editor(terminal_.App, this);
        if (editor.exec() != QDialog::Accepted) return std::nullopt;
        return editor.AddWasVisible();
    };
    RunZidDialog = [this](const std::string& folder) {
        CZidFileNameConvertDlg dialog(folder, [this](Msg row) { return terminal_.Text(row); }, this);
        dialog.exec();
    };

    language_->setObjectName(QStringLiteral("ctl%1").arg(kLanguage));
    language_->setMinimumHeight(30);
    for (const char* name : OptionsPageModel::kLanguageNames) language_->addItem(QString::fromUtf8(name));

    // Left column, right column, as the page's template places them.
    const int left[] = {kCommFont, kClearComm, kChangePassword, kEditStrings, kConvertZid, kReserved1};
    const int right[] = {kStateFont, kClearState, kSubModuleScan, kReserved2, kExport};
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    for (int i = 0; i < 6; ++i) grid->addWidget(MakePageButton(this, left[i]), i, 0);
    grid->addWidget(MakePageButton(this, right[0]), 0, 1);
    grid->addWidget(MakePageButton(this, right[1]), 1, 1);
    grid->addWidget(MakePageButton(this, right[2]), 2, 1);
    grid->addWidget(language_, 3, 1);
    grid->addWidget(MakePageButton(this, right[3]), 4, 1);
    grid->addWidget(MakePageButton(this, right[4]), 5, 1);
    grid->addWidget(MakePageButton(this, kJournal), 6, 0);
    grid->setRowStretch(7, 1);
    grid->setColumnMinimumWidth(0, 220);
    grid->setColumnMinimumWidth(1, 220);

    connect(Button(kCommFont), &QPushButton::clicked, this, [this] { Guarded(WindowMsg::CommFontDialog); });
    connect(Button(kClearComm), &QPushButton::clicked, this, [this] { Guarded(WindowMsg::ClearComm); });
    connect(Button(kStateFont), &QPushButton::clicked, this, [this] { Guarded(WindowMsg::StatusFontDialog); });
    connect(Button(kClearState), &QPushButton::clicked, this, [this] { Guarded(WindowMsg::ClearStatus); });
    connect(Button(kChangePassword), &QPushButton::clicked, this, [this] {
        services_.ChangePassword();
        FocusCommWindow();
    });
    connect(Button(kSubModuleScan), &QPushButton::clicked, this, [this] {
        services_.Send(WindowMsg::ShowStatus, 0, 1);
        services_.Send(WindowMsg::StartScan, 0, 0);
    });
    connect(Button(kEditStrings), &QPushButton::clicked, this, &CTabDlg3::OnEditStrings);
    connect(Button(kConvertZid), &QPushButton::clicked, this, &CTabDlg3::OnConvertZid);
    connect(Button(kExport), &QPushButton::clicked, this, &CTabDlg3::OnExport);
    connect(Button(kJournal), &QPushButton::clicked, this, [this] {
        // Reading the journal changes nothing: no password.
        if (services_.ShowJournal) services_.ShowJournal();
    });
    connect(language_, &QComboBox::activated, this, &CTabDlg3::OnLanguageChosen);

    view_ = OptionsPageModel::Initial(terminal_.App.CurrentChannel.McType, exportAvailable_);
    Apply();
    Relabel();
}

QPushButton* CTabDlg3::Button(int id) const { return findChild<QPushButton*>(QStringLiteral("ctl%1").arg(id)); }

void CTabDlg3::Relabel() {
    const struct {
        int Id;
        Msg Caption;
    } captions[] = {
        {kStateFont, Msg::StatusWindowFont},    {kClearState, Msg::ClearStatusWindow},
        {kCommFont, Msg::CommWindowFont},       {kClearComm, Msg::ClearCommWindow},
        {kChangePassword, Msg::ChangePassword}, {kEditStrings, Msg::EditMultilingualStrings},
        {kSubModuleScan, Msg::SubModuleScan},   {kConvertZid, Msg::ConvertFileNameZid},
        {kReserved1, Msg::Reserved},            {kReserved2, Msg::Reserved},
        {kExport, Msg::Reserved},
    };
    for (const auto& caption : captions) Button(caption.Id)->setText(ToQ(terminal_.Text(caption.Caption)));
    static constexpr TextPair kJournalCaption{"Transfer journal...", "전송 기록..."};
    Button(kJournal)->setText(ToQ(kJournalCaption.For(terminal_.App._nLanguage)));
    const QSignalBlocker quiet(language_);
    language_->setCurrentIndex(terminal_.App._nLanguage < language_->count() ? terminal_.App._nLanguage : -1);
}

void CTabDlg3::Refresh() {
    view_ = OptionsPageModel::Refresh(terminal_.StatusFlags, terminal_.Engine.ActiveJobs, exportAvailable_);
    Apply();
}

void CTabDlg3::Apply() {
    Button(kCommFont)->setEnabled(view_.CommFont);
    Button(kClearComm)->setEnabled(view_.ClearComm);
    Button(kChangePassword)->setEnabled(view_.ChangePassword);
    Button(kStateFont)->setEnabled(view_.StateFont);
    Button(kClearState)->setEnabled(view_.ClearState);
    Button(kSubModuleScan)->setEnabled(view_.SubModuleScan);
    Button(kEditStrings)->setEnabled(view_.EditStrings);
    Button(kConvertZid)->setEnabled(view_.ConvertZid);
    Button(kExport)->setEnabled(view_.Export);
    language_->setEnabled(view_.Language);
    // What these two were meant for was never settled: they stay off.
    Button(kReserved1)->setEnabled(false);
    Button(kReserved2)->setEnabled(false);
}

void CTabDlg3::FocusCommWindow() { services_.Send(WindowMsg::SetFocus, 0, kCommWindow); }

void CTabDlg3::Guarded(uint32_t message) {
    if (services_.RequestPassword(false)) services_.Send(message, 0, 0);
}

void CTabDlg3::OnLanguageChosen(int index) {
    if (index == terminal_.App._nLanguage) return;
    if (!services_.RequestPassword(false)) {
        // Refused: the combo goes back to the language in use.
        Relabel();
        return;
    }
    services_.Send(WindowMsg::SwitchLanguage, 0, static_cast<uint32_t>(index));
}

void CTabDlg3::OnEditStrings() {
    if (!services_.RequestPassword(false)) return;
    if (std::optional<bool> addVisible = RunStringEditor()) {
        exportAvailable_ = *addVisible;
        view_.Export = exportAvailable_ && view_.EditStrings;
        Button(kExport)->setEnabled(view_.Export);
        // The edited texts show at once.
        services_.Send(WindowMsg::SwitchLanguage, 0, static_cast<uint32_t>(terminal_.App._nLanguage));
    }
    FocusCommWindow();
}

void CTabDlg3::OnConvertZid() {
    RunZidDialog(terminal_.App.CurrentChannel.NcdFileFolder);
    FocusCommWindow();
}

void CTabDlg3::OnExport() {
    if (!services_.RequestPassword(true)) return;
    exportAvailable_ = terminal_.App.ExportMultiLanguageHeader() == 0;
    view_.Export = exportAvailable_;
    Button(kExport)->setEnabled(exportAvailable_);
    FocusCommWindow();
}
