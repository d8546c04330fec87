#pragma once
// Replaces the operator password: the current password, the new one and its
// confirmation. A wrong entry is reported in a message box and the dialog
// stays open; on OK Stored() holds the new password.

#include <QDialog>
#include <functional>
#include <string>

#include "lang/Msg.h"
#include "ui/models/ChangePasswordModel.h"

class QLineEdit;
class QPushButton;

class CChangePasswordDlg : public QDialog {
    Q_OBJECT
public:
    using TextOf = std::function<std::string(Msg)>;
    using NoticeFn = std::function<void(const std::string&)>;

    static constexpr int kCurrent = 1024;
    static constexpr int kNew = 1025;
    static constexpr int kConfirm = 1027;

    CChangePasswordDlg(const std::string& stored, TextOf text, QWidget* parent = nullptr);

    void SetNotice(NoticeFn notice) { notice_ = std::move(notice); }

    QLineEdit* CurrentEdit() const { return current_; }
    QLineEdit* NewEdit() const { return new_; }
    QLineEdit* ConfirmEdit() const { return confirm_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    // The stored password: the new one after OK.
    const std::string& Stored() const { return model_.Stored(); }

    void accept() override;

private:
    ChangePasswordModel model_;
    TextOf text_;
    NoticeFn notice_;
    QLineEdit* current_;
    QLineEdit* new_;
    QLineEdit* confirm_;
    QPushButton* ok_;
    QPushButton* cancel_;
};
