#include "ui/CChangePasswordDlg.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/PasswordDialogParts.h"
#include "ui/QtText.h"

CChangePasswordDlg::CChangePasswordDlg(const std::string& stored, TextOf text, QWidget* parent)
    : QDialog(parent), model_(stored), text_(std::move(text)) {
    setObjectName(QStringLiteral("CChangePasswordDlg"));
    setWindowTitle(ToQ(text_(Msg::ChangePassword)));
    current_ = PasswordDialogParts::MakeEdit(this, kCurrent, model_.CurrentMaxLength());
    new_ = PasswordDialogParts::MakeEdit(this, kNew, ChangePasswordModel::NewMaxLength());
    confirm_ = PasswordDialogParts::MakeEdit(this, kConfirm, ChangePasswordModel::NewMaxLength());

    auto* form = new QFormLayout;
    struct Row {
        int Id;
        Msg Caption;
        QLineEdit* Edit;
    };
    for (const Row& row : {Row{1095, Msg::CurrentPassword, current_}, Row{1096, Msg::NewPassword, new_},
                           Row{1097, Msg::ConfirmPassword, confirm_}}) {
        auto* label = new QLabel(ToQ(text_(row.Caption)), this);
        label->setObjectName(QStringLiteral("ctl%1").arg(row.Id));
        label->setBuddy(row.Edit);
        form->addRow(label, row.Edit);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    PasswordDialogParts::AddButtons(this, layout, ToQ(text_(Msg::Ok)), ToQ(text_(Msg::CancelUpper)), ok_, cancel_);
    current_->setFocus();
}

void CChangePasswordDlg::accept() {
    const auto error = model_.Ok(ToStd(current_->text()), ToStd(new_->text()), ToStd(confirm_->text()));
    if (error) {
        PasswordDialogParts::Notify(this, notice_, text_(*error));
        QLineEdit* again = *error == Msg::CurrentPasswordMismatch ? current_ : new_;
        again->selectAll();
        again->setFocus();
        return;
    }
    QDialog::accept();
}
