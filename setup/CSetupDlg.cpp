#include "setup/CSetupDlg.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "setup/CColorStatic.h"
#include "setup/SetupModel.h"

namespace {

QString ToQ(const std::string& text)
{
    return QString::fromStdString(text);
}

const QColor kStaticBackground(208, 208, 208);

}  // namespace

CSetupDlg::CSetupDlg(SetupModel& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setObjectName(QStringLiteral("KOVA Setup"));
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(6);
    for (const int id : {IdProductName, IdProductDescription, IdFileVersion, IdCompanyName}) {
        auto* line = new CColorStatic(id, this);
        line->SetBkColor(kStaticBackground);
        statics_[id] = line;
        layout->addWidget(line);
    }

    auto* languageRow = new QHBoxLayout;
    languageLabel_ = new QLabel(QStringLiteral("Language/언어"), this);
    languageLabel_->setObjectName(QString::number(IdLanguageLabel));
    language_ = new QComboBox(this);
    language_->setObjectName(QString::number(IdLanguage));
    for (const std::string& name : model_.Texts().LanguageNames()) {
        language_->addItem(ToQ(name));
    }
    languageRow->addWidget(languageLabel_);
    languageRow->addWidget(language_, 1);
    layout->addLayout(languageRow);

    auto* pairs = new QGridLayout;
    const int order[3][2] = {{IdInstallProgram, IdUninstallProgram},
                             {IdSetAutoStart, IdResetAutoStart},
                             {IdInstallDriver, IdUninstallDriver}};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 2; ++column) {
            auto* button = new QPushButton(this);
            button->setObjectName(QString::number(order[row][column]));
            button->setAutoDefault(false);
            buttons_[order[row][column]] = button;
            pairs->addWidget(button, row, column);
        }
    }
    layout->addLayout(pairs);
    auto* exit = new QPushButton(this);
    exit->setObjectName(QString::number(IdExit));
    exit->setAutoDefault(false);
    buttons_[IdExit] = exit;
    layout->addWidget(exit);

    // About 276 by 165 dialog units.
    setMinimumSize(460, 300);

    connect(buttons_[IdInstallProgram], &QPushButton::clicked, this, [this] { Show(model_.InstallProgram()); });
    connect(buttons_[IdUninstallProgram], &QPushButton::clicked, this, [this] { Show(model_.UninstallProgram()); });
    connect(buttons_[IdSetAutoStart], &QPushButton::clicked, this, [this] { Show(model_.SetAutoStart()); });
    connect(buttons_[IdResetAutoStart], &QPushButton::clicked, this, [this] { Show(model_.ResetAutoStart()); });
    connect(buttons_[IdInstallDriver], &QPushButton::clicked, this, &CSetupDlg::OnInstallDriver);
    connect(buttons_[IdUninstallDriver], &QPushButton::clicked, this,
            [this] { Show(model_.UninstallDriverAdvice()); });
    connect(exit, &QPushButton::clicked, this, &CSetupDlg::reject);

    language_->setCurrentIndex(model_.Language == 1 ? 1 : 0);
    connect(language_, &QComboBox::currentIndexChanged, this, &CSetupDlg::OnLanguageChanged);
    ApplyTexts();
    model_.Refresh();
    SetButtons();
}

CSetupDlg::~CSetupDlg()
{
    // The worker posts to this window; it must be gone before the window is.
    driver_.Wait();
}

QPushButton* CSetupDlg::Button(int id) const
{
    const auto found = buttons_.find(id);
    return found == buttons_.end() ? nullptr : found->second;
}

CColorStatic* CSetupDlg::Static(int id) const
{
    const auto found = statics_.find(id);
    return found == statics_.end() ? nullptr : found->second;
}

void CSetupDlg::ApplyTexts()
{
    setWindowTitle(ToQ(model_.Text(SetupText::Caption)));
    const std::pair<int, SetupText> buttonTexts[] = {
        {IdInstallProgram, SetupText::InstallProgram}, {IdUninstallProgram, SetupText::UninstallProgram},
        {IdInstallDriver, SetupText::InstallDriver},   {IdUninstallDriver, SetupText::UninstallDriver},
        {IdSetAutoStart, SetupText::SetAutoStart},     {IdResetAutoStart, SetupText::ResetAutoStart},
        {IdExit, SetupText::Exit},
    };
    for (const auto& [id, text] : buttonTexts) {
        buttons_[id]->setText(ToQ(model_.Text(text)));
    }
    statics_[IdProductName]->setText(ToQ(model_.Text(SetupText::ProductName)));
    statics_[IdProductDescription]->setText(ToQ(model_.Text(SetupText::ProductDescription)));
    statics_[IdFileVersion]->setText(ToQ(model_.FileVersionLine()));
    if (!driverRunning_) {
        statics_[IdCompanyName]->setText(ToQ(model_.Text(SetupText::CompanyName)));
    }
}

void CSetupDlg::SetButtons()
{
    const SetupModel::Buttons state = model_.ButtonStates();
    buttons_[IdInstallProgram]->setEnabled(state.InstallProgram);
    buttons_[IdUninstallProgram]->setEnabled(state.UninstallProgram);
    buttons_[IdSetAutoStart]->setEnabled(state.SetAutoStart);
    buttons_[IdResetAutoStart]->setEnabled(state.ResetAutoStart);
    buttons_[IdInstallDriver]->setEnabled(state.InstallDriver);
    buttons_[IdUninstallDriver]->setEnabled(state.UninstallDriver);
    buttons_[IdExit]->setEnabled(true);
}

// Every action ends here: its message, if any, then the buttons from the
// state the action has worked out again.
void CSetupDlg::Show(const std::string& message)
{
    SetButtons();
    if (message.empty()) {
        return;
    }
    if (showMessage_) {
        showMessage_(ToQ(message));
    } else {
        QMessageBox::information(this, windowTitle(), ToQ(message));
    }
}

void CSetupDlg::OnLanguageChanged(int index)
{
    model_.Language = index < 0 ? 0 : index;
    ApplyTexts();
}

void CSetupDlg::OnInstallDriver()
{
    std::string message;
    std::vector<std::string> command = model_.DriverCommand(message);
    if (command.empty()) {
        Show(message);
        return;
    }
    buttons_[IdInstallDriver]->setEnabled(false);
    setEnabled(false);
    driverRunning_ = true;
    CColorStatic* line = statics_[IdCompanyName];
    line->SetTextColor(QColor(255, 0, 0));
    line->setText(ToQ(model_.Text(SetupText::DriverWaiting)));
    // The worker only posts; the window is changed on its own thread.
    driver_.Start(std::move(command), [this](int) {
        QMetaObject::invokeMethod(this, &CSetupDlg::OnDriverInstalled, Qt::QueuedConnection);
    });
}

void CSetupDlg::OnDriverInstalled()
{
    driver_.Wait();
    driverRunning_ = false;
    model_.Refresh();
    SetButtons();
    CColorStatic* line = statics_[IdCompanyName];
    line->SetTextColor(QColor(0, 0, 0));
    line->setText(ToQ(model_.Text(SetupText::CompanyName)));
    setEnabled(true);
}

// While the set-up runs the window stays: it is disabled, and the worker
// still has to report to it.
void CSetupDlg::closeEvent(QCloseEvent* event)
{
    if (driverRunning_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CSetupDlg::reject()
{
    if (!driverRunning_) {
        QDialog::reject();
    }
}
