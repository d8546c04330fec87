#include "ui/CTabDlg1.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/CKOVAApp.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"
#include "engine/WindowMessages.h"
#include "serial/SerialPort.h"
#include "ui/CPortComboBox.h"
#include "ui/QtText.h"

namespace {
template <typename W>
W* Named(W* widget, int id) {
    widget->setObjectName(QStringLiteral("ctl%1").arg(id));
    return widget;
}

QPushButton* MakeButton(QWidget* parent, int id) {
    auto* button = Named(new QPushButton(parent), id);
    button->setMinimumHeight(30);
    button->setAutoDefault(false);
    return button;
}

constexpr int kIndicatorIds[4] = {CTabDlg1::kPcToHost, CTabDlg1::kHostToPc, CTabDlg1::kSubToMc, CTabDlg1::kMcToSub};
constexpr const char* kIndicatorCaptions[4] = {"PC->HOST:", "HOST->PC:", "SUB->MC:", "MC->SUB:"};
}  // namespace

CTabDlg1::CTabDlg1(Terminal& terminal, SendMessageFn send, PasswordFn password, QWidget* parent)
    : QWidget(parent),
      terminal_(terminal),
      send_(std::move(send)),
      password_(std::move(password)),
      portLabel_(Named(new QLabel(this), kPortLabel)),
      combo_(Named(new CPortComboBox(this), kPortCombo)),
      parameter_(Named(new QLabel(this), kParameterLabel)),
      group_(Named(new QGroupBox(this), kIndicatorGroup)),
      idleLabel_(Named(new QLabel(this), kIdleLabel)),
      idle_(Named(new QLineEdit(this), kIdleEdit)),
      host_(Named(new QLabel(this), kHostLabel)),
      openClose_(MakeButton(this, kOpenClose)),
      reconnect_(MakeButton(this, kReconnect)),
      apply_(MakeButton(this, kApply)),
      cancel_(MakeButton(this, kCancel)) {
    combo_->setMinimumWidth(200);
    combo_->SetBeforePopup([this] {
        // The list shows the ports there are now; a choice not yet applied stays chosen.
        FillPorts(combo_->currentIndex() >= 0 ? ChosenPort() : terminal_.App.PcPort.PcComNo);
    });
    parameter_->setFrameShape(QFrame::StyledPanel);
    parameter_->setFrameShadow(QFrame::Sunken);
    host_->setFrameShape(QFrame::StyledPanel);
    host_->setFrameShadow(QFrame::Sunken);
    idle_->setMaxLength(7);
    idle_->setMaximumWidth(100);
    idleLabel_->setWordWrap(true);

    auto* indicatorLayout = new QGridLayout(group_);
    for (int i = 0; i < 4; ++i) {
        indicators_[i] = Named(new QCheckBox(QString::fromLatin1(kIndicatorCaptions[i]), group_), kIndicatorIds[i]);
        indicators_[i]->setLayoutDirection(Qt::RightToLeft);
        // Indicators: the line states show here, the operator does not set them.
        indicators_[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        indicators_[i]->setFocusPolicy(Qt::NoFocus);
        indicatorLayout->addWidget(indicators_[i], i / 2, i % 2);
    }

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->addWidget(portLabel_, 0, 0);
    grid->addWidget(combo_, 0, 1, 1, 2);
    grid->addWidget(parameter_, 1, 0, 1, 3);
    grid->addWidget(group_, 2, 0, 1, 3);
    grid->addWidget(idleLabel_, 3, 0, 1, 2);
    grid->addWidget(idle_, 3, 2);
    grid->addWidget(host_, 4, 0, 1, 3);
    auto* buttons = new QGridLayout;
    buttons->addWidget(openClose_, 0, 0);
    buttons->addWidget(reconnect_, 0, 1);
    buttons->addWidget(apply_, 1, 0);
    buttons->addWidget(cancel_, 1, 1);
    grid->addLayout(buttons, 5, 0, 1, 3);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(1, 1);

    connect(combo_, &QComboBox::activated, this, [this](int) { Refresh(); });
    connect(idle_, &QLineEdit::textEdited, this, [this](const QString&) { Refresh(); });
    connect(apply_, &QPushButton::clicked, this, &CTabDlg1::OnApply);
    connect(cancel_, &QPushButton::clicked, this, &CTabDlg1::OnCancel);
    connect(openClose_, &QPushButton::clicked, this, &CTabDlg1::OnOpenClose);
    connect(reconnect_, &QPushButton::clicked, this, &CTabDlg1::OnReconnect);
    Reload();
}

QCheckBox* CTabDlg1::Indicator(int id) const {
    for (int i = 0; i < 4; ++i) {
        if (kIndicatorIds[i] == id) return indicators_[i];
    }
    return nullptr;
}

void CTabDlg1::FillPorts(const std::string& select) {
    CKOVAApp& app = terminal_.App;
    app.EnumComPorts(app.ComPortList);
    combo_->clear();
    for (const std::string& port : app.ComPortList) combo_->addItem(ToQ(port));
    SelectPort(select);
}

void CTabDlg1::SelectPort(const std::string& port) {
    int index = combo_->findText(ToQ(port), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0 && !port.empty()) {
        // A stored port that is not there now (unplugged, or a link the scan
        // does not list) stays visible rather than turning into "Auto".
        combo_->addItem(ToQ(port));
        index = combo_->count() - 1;
    }
    combo_->setCurrentIndex(index >= 0 ? index : 0);
}

std::string CTabDlg1::ChosenPort() const { return combo_->currentIndex() < 0 ? std::string() : ToStd(combo_->currentText()); }

void CTabDlg1::Reload() {
    FillPorts(terminal_.App.PcPort.PcComNo);
    idle_->setText(QString::number(terminal_.App.PcPort.DisconnectTime));
    Refresh();
}

PcPortPageInput CTabDlg1::Input() const {
    PcPortPageInput input;
    input.StatusFlags = terminal_.StatusFlags;
    input.ActiveJobs = terminal_.Engine.ActiveJobs;
    input.Port = terminal_.App.PcPort;
    input.HostAddress = terminal_.HostInfo.Address;
    input.HostDeviceName = terminal_.HostInfo.DeviceName;
    input.ChosenPort = ChosenPort();
    input.IdleText = ToStd(idle_->text());
    input.PortOpen = terminal_.Port.IsOpen();
    input.MachineBusy = machineBusy_;
    return input;
}

void CTabDlg1::Refresh() {
    const Terminal& terminal = terminal_;
    view_ = PcPortPageModel::Build(Input(), [&terminal](Msg row) { return terminal.Text(row); });
    portLabel_->setText(ToQ(view_.PortNoCaption));
    group_->setTitle(ToQ(view_.GroupCaption));
    idleLabel_->setText(ToQ(view_.IdleCaption));
    openClose_->setText(ToQ(view_.OpenCloseCaption));
    reconnect_->setText(ToQ(view_.ReconnectCaption));
    apply_->setText(ToQ(view_.ApplyCaption));
    cancel_->setText(ToQ(view_.CancelCaption));
    parameter_->setText(ToQ(view_.ParameterText));
    host_->setText(ToQ(view_.HostText));

    const bool on[4] = {view_.PcToHostOn, view_.HostToPcOn, view_.SubToMcOn, view_.McToSubOn};
    const bool enabled[4] = {view_.PcToHostEnabled, view_.HostToPcEnabled, view_.SubToMcEnabled, view_.McToSubEnabled};
    for (int i = 0; i < 4; ++i) {
        indicators_[i]->setChecked(on[i]);
        indicators_[i]->setEnabled(enabled[i]);
    }
    portLabel_->setEnabled(view_.PortLabelEnabled);
    combo_->setEnabled(view_.PortComboEnabled);
    parameter_->setEnabled(view_.ParameterLabelEnabled);
    idleLabel_->setEnabled(view_.IdleLabelEnabled);
    idle_->setEnabled(view_.IdleEditEnabled);
    host_->setEnabled(view_.HostLabelEnabled);
    openClose_->setEnabled(view_.OpenCloseEnabled);
    reconnect_->setEnabled(view_.ReconnectEnabled);
    apply_->setEnabled(view_.ApplyEnabled);
    cancel_->setEnabled(view_.CancelEnabled);
}

void CTabDlg1::SetMachineBusy(bool busy) {
    machineBusy_ = busy;
    Refresh();
}

void CTabDlg1::OnApply() {
    CKOVAApp& app = terminal_.App;
    const Terminal& terminal = terminal_;
    const PcPortApply apply = PcPortPageModel::Apply(app.PcPort, ChosenPort(), ToStd(idle_->text()),
                                                     [&terminal](Msg row) { return terminal.Text(row); });
    if (apply.Error) {
        terminal_.View.AskMessageBox(*apply.Error, MessageBoxKind::Ok);
        idle_->setFocus();
        idle_->selectAll();
        return;
    }
    if (!password_(false)) return;
    app.PcPort.PcComNo = apply.PcComNo;
    if (apply.IdleTimeChanged) {
        app.PcPort.DisconnectTime = apply.DisconnectTime;
        send_(WindowMsg::IdleTimeChanged, 0, 0);
    }
    app.SavePcPortSettings();
    idle_->setText(QString::number(app.PcPort.DisconnectTime));
    terminal_.ShowStatus(Msg::PcPortParameterChanged, 1);
    Refresh();
}

void CTabDlg1::OnCancel() {
    SelectPort(terminal_.App.PcPort.PcComNo);
    idle_->setText(QString::number(terminal_.App.PcPort.DisconnectTime));
    Refresh();
}

void CTabDlg1::OnOpenClose() {
    send_(WindowMsg::ShowStatus, 0, 1);
    send_(PcPortPageModel::OpenCloseMessage(terminal_.Port.IsOpen()), 0, 0);
}

void CTabDlg1::OnReconnect() {
    send_(WindowMsg::ShowStatus, 0, 1);
    send_(WindowMsg::StartHostCheck, 0, 0);
}
