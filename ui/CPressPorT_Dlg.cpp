#include "ui/CPressPorT_Dlg.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/QtText.h"

CPressPorT_Dlg::CPressPorT_Dlg(const TextOf& text, QWidget* parent) : QDialog(parent) {
    setWindowTitle(ToQ(text(Msg::ProgramUploadTitle)));
    label_ = new QLabel(ToQ(text(Msg::PressPOrTKey)), this);
    label_->setAlignment(Qt::AlignCenter);
    p_ = new QPushButton(QStringLiteral("P"), this);
    t_ = new QPushButton(QStringLiteral("T"), this);
    cancel_ = new QPushButton(ToQ(text(Msg::CancelUpper)), this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {p_, t_, cancel_}) {
        // Typed letters are the answer; no button reacts to Enter or Space.
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addLayout(buttons);
    setFocusPolicy(Qt::StrongFocus);
    installEventFilter(this);

    connect(p_, &QPushButton::clicked, this, [this] { TakeCharacter('P'); });
    connect(t_, &QPushButton::clicked, this, [this] { TakeCharacter('T'); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void CPressPorT_Dlg::TakeCharacter(char typed) {
    key_ = (typed >= 'a' && typed <= 'z') ? static_cast<char>(typed - 'a' + 'A') : typed;
    if (key_ == 'P' || key_ == 'T') accept();
}

void CPressPorT_Dlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QString typed = event->text();
    if (typed.size() == 1 && typed[0].unicode() >= 0x20 && typed[0].unicode() < 0x7F) {
        TakeCharacter(static_cast<char>(typed[0].unicode()));
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CPressPorT_Dlg::eventFilter(QObject* watched, QEvent* event) {
    // Esc is swallowed wherever the focus is (QDialog would reject on it).
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) return true;
    return QDialog::eventFilter(watched, event);
}

bool AskPOrTKey(QWidget* parent, const CPressPorT_Dlg::TextOf& text, char& key) {
    CPressPorT_Dlg dialog(text, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    key = dialog.Key();
    return key == 'P' || key == 'T';
}
