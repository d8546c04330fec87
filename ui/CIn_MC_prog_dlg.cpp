#include "ui/CIn_MC_prog_dlg.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/QtText.h"

CIn_MC_prog_dlg::CIn_MC_prog_dlg(const TextOf& text, QWidget* parent) : QDialog(parent) {
    edit_ = new QLineEdit(this);
    edit_->setMinimumWidth(280);
    ok_ = new QPushButton(ToQ(text(Msg::Ok)), this);
    cancel_ = new QPushButton(ToQ(text(Msg::CancelUpper)), this);
    ok_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &CIn_MC_prog_dlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &CIn_MC_prog_dlg::reject);
}

int CIn_MC_prog_dlg::exec() {
    setWindowTitle(ToQ(PromptTitle));
    edit_->setText(ToQ(ProgramName));
    edit_->selectAll();
    edit_->setFocus();
    return QDialog::exec();
}

void CIn_MC_prog_dlg::accept() {
    ProgramName = ToStd(edit_->text());
    QDialog::accept();
}

bool AskMcProgramName(QWidget* parent, const CIn_MC_prog_dlg::TextOf& text, const std::string& title,
                      std::string& name) {
    CIn_MC_prog_dlg dialog(text, parent);
    if (!title.empty()) dialog.PromptTitle = title;
    dialog.ProgramName = name;
    if (dialog.exec() != QDialog::Accepted) return false;
    name = dialog.ProgramName;
    return true;
}
