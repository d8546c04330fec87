#pragma once
// The options page: fonts and clearing of the two text windows, the
// password, the display language, the string list editor, the sub-module
// scan, the ZID file name conversion and the export of the text table as a
// header, and the transfer journal's window. Protected actions ask for the password first; the page then sends a
// window message to the main window or opens the tool's dialog.

#include <QWidget>
#include <functional>
#include <optional>

#include "ui/models/OptionsPageModel.h"

class QComboBox;
class QPushButton;
class Terminal;

class CTabDlg3 : public QWidget {
    Q_OBJECT
public:
    using SendMessageFn = std::function<intptr_t(uint32_t message, uint32_t wParam, uint32_t lParam)>;

    // What the page needs from the main window.
    struct Services {
        SendMessageFn Send;
        // True when a protected action may go on (`alwaysAsk` ignores an unlock).
        std::function<bool(bool alwaysAsk)> RequestPassword;
        // Runs the change-password dialog.
        std::function<void()> ChangePassword;
        // Opens the transfer journal's window.
        std::function<void()> ShowJournal;
    };

    static constexpr int kCommFont = 1078;
    static constexpr int kClearComm = 1087;
    static constexpr int kChangePassword = 1080;
    static constexpr int kStateFont = 1079;
    static constexpr int kClearState = 1086;
    static constexpr int kSubModuleScan = 1125;
    static constexpr int kEditStrings = 1083;
    static constexpr int kConvertZid = 1084;
    static constexpr int kLanguage = 1092;
    static constexpr int kReserved1 = 1082;
    static constexpr int kReserved2 = 1088;
    static constexpr int kExport = 1085;
    static constexpr int kJournal = 1126;

    CTabDlg3(Terminal& terminal, Services services, QWidget* parent = nullptr);

    // The tools' dialogs (tests replace them). The string editor returns no
    // value on CANCEL, else whether its ADD button was visible at OK.
    std::function<std::optional<bool>()> RunStringEditor;
    std::function<void(const std::string& folder)> RunZidDialog;

    // Enabled states from the link state.
    void Refresh();
    // Captions in the current language; the combo shows the current language.
    void Relabel();

    QPushButton* Button(int id) const;
    QComboBox* LanguageCombo() const { return language_; }
    const OptionsPageView& View() const { return view_; }

    void OnLanguageChosen(int index);
    void OnEditStrings();
    void OnConvertZid();
    void OnExport();

private:
    void Guarded(uint32_t message);
    void FocusCommWindow();
    void Apply();

    Terminal& terminal_;
    Services services_;
    OptionsPageView view_;
    bool exportAvailable_ = true;
    QComboBox* language_;
};
