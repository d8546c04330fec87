#pragma once
// Pieces the two password dialogs share: a password edit, the OK and CANCEL
// row, and the message box for a wrong entry.

#include <QString>
#include <functional>
#include <string>

class QBoxLayout;
class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

namespace PasswordDialogParts {
QLineEdit* MakeEdit(QWidget* parent, int id, std::size_t maxLength);
// OK (id 1, default) and CANCEL (id 2) at the right of a new row of `layout`,
// wired to the dialog's accept and reject.
void AddButtons(QDialog* dialog, QBoxLayout* layout, const QString& okText, const QString& cancelText,
                QPushButton*& ok, QPushButton*& cancel);
// The notice, or a message box with an OK button when there is none.
void Notify(QWidget* parent, const std::function<void(const std::string&)>& notice, const std::string& text);
}  // namespace PasswordDialogParts
