#include "ui/CTabDlg0.h"

#include <algorithm>

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "app/CKOVAApp.h"
#include "engine/Terminal.h"
#include "engine/WindowMessages.h"
#include "ui/C_Static.h"
#include "ui/PageButton.h"
#include "ui/QtText.h"

CTabDlg0::CTabDlg0(Terminal& terminal, SendMessageFn send, QWidget* parent)
    : QWidget(parent),
      terminal_(terminal),
      send_(std::move(send)),
      connect_(MakePageButton(this, kConnect)),
      download_(MakePageButton(this, kDownload)),
      upload_(MakePageButton(this, kUpload)),
      system_(MakePageButton(this, kSystemDownload)),
      cancel_(MakePageButton(this, kCancel)),
      upper_(new QProgressBar(this)),
      lower_(new QProgressBar(this)),
      time_(new C_Static(this)),
      figures_(new QLabel(this)),
      status_(new C_Static(this)) {
    upper_->setObjectName(QStringLiteral("ctl%1").arg(kUpperBar));
    lower_->setObjectName(QStringLiteral("ctl%1").arg(kLowerBar));
    time_->setObjectName(QStringLiteral("ctl%1").arg(kTimeLabel));
    status_->setObjectName(QStringLiteral("ctl%1").arg(kStatusLine));
    for (QProgressBar* bar : {upper_, lower_}) {
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
    }
    time_->setText(QStringLiteral("00:00 / 00:00"));
    time_->setAlignment(Qt::AlignCenter);
    figures_->setAlignment(Qt::AlignCenter);
    figures_->setObjectName(QStringLiteral("transferFigures"));
    figures_->setTextFormat(Qt::PlainText);
    status_->setFrameShape(QFrame::StyledPanel);
    status_->setFrameShadow(QFrame::Sunken);
    status_->setMinimumHeight(26);
    status_->setTextInteractionFlags(Qt::NoTextInteraction);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->addWidget(connect_, 0, 0, 1, 2);
    grid->addWidget(download_, 1, 0);
    grid->addWidget(upload_, 1, 1);
    grid->addWidget(system_, 2, 0);
    grid->addWidget(cancel_, 2, 1);
    grid->addWidget(upper_, 3, 0, 1, 2);
    grid->addWidget(lower_, 4, 0, 1, 2);
    grid->addWidget(time_, 5, 0, 1, 2);
    grid->addWidget(figures_, 6, 0, 1, 2);
    grid->addWidget(status_, 7, 0, 1, 2);
    grid->setRowStretch(8, 1);
    grid->setColumnMinimumWidth(0, 220);
    grid->setColumnMinimumWidth(1, 220);

    connect(connect_, &QPushButton::clicked, this, &CTabDlg0::OnConnect);
    connect(download_, &QPushButton::clicked, this, &CTabDlg0::OnDownload);
    connect(upload_, &QPushButton::clicked, this, &CTabDlg0::OnUpload);
    connect(system_, &QPushButton::clicked, this, &CTabDlg0::OnSystemDownload);
    connect(cancel_, &QPushButton::clicked, this, &CTabDlg0::OnCancel);
    Refresh();
}

ProgramPageInput CTabDlg0::Input() const {
    ProgramPageInput input;
    input.StatusFlags = terminal_.StatusFlags;
    input.ActiveJobs = terminal_.Engine.ActiveJobs;
    input.RegisteredJobs = terminal_.Engine.RegisteredJobs();
    input.Channel = terminal_.App.CurrentChannel;
    input.SubModuleType = terminal_.SubInfo.SubModuleType;
    input.SubModuleVersion = terminal_.SubInfo.SubModuleVersion;
    return input;
}

void CTabDlg0::Refresh() {
    const Terminal& terminal = terminal_;
    view_ = ProgramPageModel::Build(Input(), [&terminal](Msg row) { return terminal.Text(row); });
    connect_->setText(ToQ(view_.ConnectCaption));
    download_->setText(ToQ(view_.DownloadCaption));
    system_->setText(ToQ(view_.SystemDownloadCaption));
    upload_->setText(ToQ(view_.UploadCaption));
    cancel_->setText(ToQ(view_.CancelCaption));
    status_->setText(ToQ(view_.StatusLine));
    status_->setToolTip(ToQ(view_.StatusLine));

    // Room around each caption, in whichever language it is.
    for (QPushButton* button : {connect_, download_, upload_, system_, cancel_}) {
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 32);
    }

    connect_->setEnabled(view_.ConnectEnabled);
    download_->setEnabled(view_.DownloadEnabled);
    upload_->setEnabled(view_.UploadEnabled);
    system_->setEnabled(view_.SystemDownloadEnabled);
    cancel_->setEnabled(view_.CancelEnabled);
    status_->setEnabled(view_.StatusLineEnabled);
    time_->setEnabled(view_.TimeLabelEnabled);
}

void CTabDlg0::SetUpperProgress(int position, int range) {
    // A bar with an empty range would show Qt's busy animation instead of "nothing yet".
    const int top = std::max(range, 1);
    upper_->setRange(0, top);
    upper_->setValue(std::clamp(position, 0, top));
}

void CTabDlg0::SetLowerProgress(int position, int range) {
    // A bar with an empty range would show Qt's busy animation instead of "nothing yet".
    const int top = std::max(range, 1);
    lower_->setRange(0, top);
    lower_->setValue(std::clamp(position, 0, top));
}

void CTabDlg0::SetTimeText(const QString& text) { time_->setText(text); }

void CTabDlg0::SetFigures(const TransferFigures& figures) {
    std::vector<std::string> parts =
        figures.Parts(terminal_.Text(Msg::ColumnSize), terminal_.Text(Msg::ColumnLines));
    // The file and the selection on one line, the pace, retries and time left on the next.
    QString text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i != 0) text += i == 2 ? QStringLiteral("\n") : QStringLiteral("    ");
        text += ToQ(parts[i]);
    }
    figures_->setText(text);
}

void CTabDlg0::StartEntry() { send_(WindowMsg::ShowStatus, 0, 1); }

void CTabDlg0::OnConnect() {
    StartEntry();
    send_(ProgramPageModel::ConnectMessage(terminal_.StatusFlags), 0, 0);
}

void CTabDlg0::OnDownload() {
    StartEntry();
    send_(WindowMsg::StartDownload, 0, 0);
}

void CTabDlg0::OnUpload() {
    StartEntry();
    send_(WindowMsg::StartUpload, 0, 0);
}

void CTabDlg0::OnSystemDownload() {
    StartEntry();
    send_(WindowMsg::StartSystemDownload, 0, 0);
}

void CTabDlg0::OnCancel() { send_(WindowMsg::Cancel, 0, 0); }
