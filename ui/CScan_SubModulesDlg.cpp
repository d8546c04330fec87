#include "ui/CScan_SubModulesDlg.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CScan_SubModulesDlg::CScan_SubModulesDlg(const QString& title, const QString& stopCaption,
                                         std::function<void()> stop, QWidget* parent)
    : QDialog(parent), stop_(std::move(stop)), bar_(new QProgressBar(this)), stopButton_(new QPushButton(stopCaption, this)) {
    setWindowTitle(title);
    setModal(false);
    bar_->setObjectName(QStringLiteral("ctl1130"));
    stopButton_->setObjectName(QStringLiteral("ctl1131"));
    bar_->setRange(0, kTicks);
    bar_->setValue(0);
    bar_->setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(stopButton_);
    row->addStretch(1);
    layout->addLayout(row);

    connect(stopButton_, &QPushButton::clicked, this, &CScan_SubModulesDlg::OnStop);
    connect(&timer_, &QTimer::timeout, this, &CScan_SubModulesDlg::Tick);
    timer_.start(1000);
}

void CScan_SubModulesDlg::Tick() {
    // Counted before it is shown, so the bar is full when the inquiry's 36 s are over.
    ++ticks_;
    bar_->setValue(ticks_);
    if (ticks_ >= kTicks) timer_.stop();
}

void CScan_SubModulesDlg::OnStop() {
    if (stop_) stop_();
    // The dialog goes away; the scan job deletes it when it ends.
    QDialog::reject();
}

void CScan_SubModulesDlg::reject() {
    // Esc or the close box stops the scan like the Stop button.
    OnStop();
}
