#include "ui/CFindStringDlg.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/QtText.h"

CFindStringDlg::CFindStringDlg(const MultiLanguageListModel::FindSettings& settings, const TextOf& text,
                               QWidget* parent)
    : QDialog(parent),
      edit_(new QLineEdit(ToQ(settings.Text), this)),
      caseSensitive_(new QCheckBox(ToQ(text(Msg::UppercaseSensitive)), this)),
      contains_(new QCheckBox(ToQ(text(Msg::FindStringContains)), this)) {
    setWindowTitle(ToQ(text(Msg::FindString)));
    edit_->setObjectName(QStringLiteral("ctl%1").arg(kText));
    caseSensitive_->setObjectName(QStringLiteral("ctl%1").arg(kCaseSensitive));
    contains_->setObjectName(QStringLiteral("ctl%1").arg(kContains));
    caseSensitive_->setChecked(settings.CaseSensitive);
    contains_->setChecked(settings.Contains);

    auto* ok = new QPushButton(ToQ(text(Msg::Ok)), this);
    auto* cancel = new QPushButton(ToQ(text(Msg::CancelUpper)), this);
    ok->setObjectName(QStringLiteral("ctl1"));
    cancel->setObjectName(QStringLiteral("ctl2"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_);
    layout->addWidget(caseSensitive_);
    layout->addWidget(contains_);
    layout->addLayout(buttons);
    setMinimumWidth(360);
    edit_->selectAll();
}

MultiLanguageListModel::FindSettings CFindStringDlg::Settings() const {
    return {ToStd(edit_->text()), caseSensitive_->isChecked(), contains_->isChecked()};
}
