#include "ui/CWait_download_start_dlg.h"

#include <QHBoxLayout>
#include <QPushButton>

CWait_download_start_dlg::CWait_download_start_dlg(const QString& title, const QString& startCaption,
                                                   const QString& cancelCaption, std::function<void()> start,
                                                   std::function<void()> cancel, QWidget* parent)
    : QDialog(parent),
      start_(std::move(start)),
      cancel_(std::move(cancel)),
      startButton_(new QPushButton(startCaption, this)),
      cancelButton_(new QPushButton(cancelCaption, this)) {
    setWindowTitle(title);
    setModal(false);
    startButton_->setObjectName(QStringLiteral("ctl1139"));
    cancelButton_->setObjectName(QStringLiteral("ctl1140"));
    startButton_->setDefault(true);
    startButton_->setMinimumWidth(140);
    cancelButton_->setMinimumWidth(140);
    auto* row = new QHBoxLayout(this);
    row->addWidget(startButton_);
    row->addWidget(cancelButton_);
    setMinimumWidth(360);

    connect(startButton_, &QPushButton::clicked, this, [this] { Answer(start_); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { Answer(cancel_); });
}

void CWait_download_start_dlg::Answer(const std::function<void()>& send) {
    startButton_->setEnabled(false);
    cancelButton_->setEnabled(false);
    if (send) send();
}

void CWait_download_start_dlg::reject() {
    // Esc and the close box cancel; the job closes the dialog.
    if (cancelButton_->isEnabled()) Answer(cancel_);
}
