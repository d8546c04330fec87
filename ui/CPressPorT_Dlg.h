#pragma once
// The small modal prompt "Press 'P' or 'T' key." of the DYNA/PERT upload: a
// typed 'p', 'P', 't' or 'T' (or the buttons "P" and "T") ends it with OK and
// that key; "CANCEL" ends it with Cancel. Esc does not close it: an operator
// who hits Esc out of habit must not lose the upload.

#include <QDialog>
#include <functional>
#include <string>

#include "lang/Msg.h"

class QLabel;
class QPushButton;

class CPressPorT_Dlg : public QDialog {
    Q_OBJECT
public:
    using TextOf = std::function<std::string(Msg)>;

    explicit CPressPorT_Dlg(const TextOf& text, QWidget* parent = nullptr);

    // The key chosen last, upper-cased (0 until one was typed or pressed).
    char Key() const { return key_; }

    // Takes one typed character: stored upper-cased; 'P' or 'T' ends the dialog with OK.
    void TakeCharacter(char typed);

    QPushButton* PButton() const { return p_; }
    QPushButton* TButton() const { return t_; }
    QPushButton* CancelButton() const { return cancel_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    char key_ = 0;
    QLabel* label_;
    QPushButton* p_;
    QPushButton* t_;
    QPushButton* cancel_;
};

// For the view's AskPOrTKey: true with 'P' or 'T' in `key`.
bool AskPOrTKey(QWidget* parent, const CPressPorT_Dlg::TextOf& text, char& key);
