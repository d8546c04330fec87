#pragma once
// The one-line prompt for the name under which the machine registers the
// program being sent. The caller may set PromptTitle before showing it; after
// OK, ProgramName holds the text exactly as typed (an empty text included).
// Cancel, Esc and the close box leave ProgramName as it was.

#include <QDialog>
#include <functional>
#include <string>

#include "lang/Msg.h"

class QLineEdit;
class QPushButton;

class CIn_MC_prog_dlg : public QDialog {
    Q_OBJECT
public:
    using TextOf = std::function<std::string(Msg)>;

    static constexpr const char* kDefaultPromptTitle = "Equipment registered in the program name";

    explicit CIn_MC_prog_dlg(const TextOf& text, QWidget* parent = nullptr);

    std::string ProgramName;
    std::string PromptTitle = kDefaultPromptTitle;

    QLineEdit* Edit() const { return edit_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    int exec() override;
    void accept() override;

private:
    QLineEdit* edit_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// For the view's AskProgramName: shows the prompt titled `title` (the
// default title when empty) with `name` in the edit; true on OK with the
// typed text in `name`.
bool AskMcProgramName(QWidget* parent, const CIn_MC_prog_dlg::TextOf& text, const std::string& title,
                      std::string& name);
