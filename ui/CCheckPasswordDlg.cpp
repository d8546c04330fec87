#include "ui/CCheckPasswordDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/PasswordDialogParts.h"
#include "ui/QtText.h"

CCheckPasswordDlg::CCheckPasswordDlg(const std::string& stored, TextOf text, QWidget* parent)
    : QDialog(parent), model_(stored), text_(std::move(text)) {
    setObjectName(QStringLiteral("CCheckPasswordDlg"));
    setWindowTitle(ToQ(text_(Msg::CheckPassword)));
    auto* label = new QLabel(ToQ(text_(Msg::InputPassword)), this);
    label->setObjectName(QStringLiteral("ctl%1").arg(kLabel));
    edit_ = PasswordDialogParts::MakeEdit(this, kEdit, model_.MaxLength());
    label->setBuddy(edit_);

    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(edit_, 1);
    layout->addLayout(row);
    PasswordDialogParts::AddButtons(this, layout, ToQ(text_(Msg::Ok)), ToQ(text_(Msg::CancelUpper)), ok_, cancel_);
    edit_->setFocus();
}

std::string CCheckPasswordDlg::Typed() const { return ToStd(edit_->text()); }

void CCheckPasswordDlg::accept() {
    if (const auto error = model_.Ok(Typed())) {
        PasswordDialogParts::Notify(this, notice_, text_(*error));
        edit_->selectAll();
        edit_->setFocus();
        return;
    }
    QDialog::accept();
}
