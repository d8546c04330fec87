#pragma once
// Asks for the operator password before a protected action. A wrong entry is
// reported in a message box and the dialog stays open for another try.

#include <QDialog>
#include <functional>
#include <string>

#include "lang/Msg.h"
#include "ui/models/CheckPasswordModel.h"

class QLabel;
class QLineEdit;
class QPushButton;

class CCheckPasswordDlg : public QDialog {
    Q_OBJECT
public:
    using TextOf = std::function<std::string(Msg)>;
    // Shows a notice with an OK button (a QMessageBox unless replaced).
    using NoticeFn = std::function<void(const std::string&)>;

    static constexpr int kEdit = 1011;
    static constexpr int kLabel = 1094;

    CCheckPasswordDlg(const std::string& stored, TextOf text, QWidget* parent = nullptr);

    void SetNotice(NoticeFn notice) { notice_ = std::move(notice); }

    QLineEdit* Edit() const { return edit_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    // What was typed when the dialog ended.
    std::string Typed() const;

    void accept() override;

private:
    CheckPasswordModel model_;
    TextOf text_;
    NoticeFn notice_;
    QLineEdit* edit_;
    QPushButton* ok_;
    QPushButton* cancel_;
};
