#include "ui/PasswordDialogParts.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "ui/QtText.h"

namespace PasswordDialogParts {

QLineEdit* MakeEdit(QWidget* parent, int id, std::size_t maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("ctl%1").arg(id));
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(static_cast<int>(maxLength));
    edit->setMinimumWidth(120);
    return edit;
}

void AddButtons(QDialog* dialog, QBoxLayout* layout, const QString& okText, const QString& cancelText,
                QPushButton*& ok, QPushButton*& cancel) {
    ok = new QPushButton(okText, dialog);
    cancel = new QPushButton(cancelText, dialog);
    ok->setObjectName(QStringLiteral("ctl1"));
    cancel->setObjectName(QStringLiteral("ctl2"));
    ok->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}

void Notify(QWidget* parent, const std::function<void(const std::string&)>& notice, const std::string& text) {
    if (notice) {
        notice(text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, parent->windowTitle(), ToQ(text), QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace PasswordDialogParts
