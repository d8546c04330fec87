#pragma once
// The installer's rules without Qt: the actions behind its buttons, the
// install state after each of them, which buttons are enabled, and the texts
// in the chosen language. The dialog (CSetupDlg) only shows this.
//
// The source folder is the release folder the installer was started from: it
// must hold "kova"; "kova-cli", "kova-sim" and the language files
// "KOVA_M*.TXT" are copied along when they are there (from ../share/kova
// when the folder is a package's bin folder), and "kova-usb-setup"
// is the USB-UART set-up that runs as the administrator.
//
// Every action returns the text for a message box, "" when there is nothing
// to say, and works out the install state again before it returns.

#include <string>
#include <vector>

#include "setup/InstallState.h"
#include "setup/SetupPaths.h"
#include "setup/SetupTextList.h"

class SetupModel {
public:
    struct Buttons {
        bool InstallProgram = false;
        bool UninstallProgram = false;
        bool SetAutoStart = false;
        bool ResetAutoStart = false;
        bool InstallDriver = false;
        bool UninstallDriver = false;
    };

    SetupModel(SetupPaths paths, std::string sourceFolder);

    // 1 (Korean) when the locale (LC_ALL, else LC_MESSAGES, else LANG) begins
    // with "ko", otherwise 0 (English).
    static int LanguageFromLocale(const SetupPaths::Environment& env);

    int Language = 0;
    const SetupTextList& Texts() const { return texts_; }
    std::string Text(SetupText text) const { return texts_.Text(text, Language); }
    // "File version : 1.0.0.6" in the current language.
    std::string FileVersionLine() const;

    const SetupPaths& Paths() const { return paths_; }
    const std::string& SourceFolder() const { return source_; }
    InstallState State() const { return state_; }
    void Refresh() { state_ = InstallState::WorkOut(paths_); }
    Buttons ButtonStates() const;

    std::string InstallProgram();
    std::string UninstallProgram();
    std::string SetAutoStart();
    std::string ResetAutoStart();
    // The advice on removing the USB-UART access (nothing is changed).
    std::string UninstallDriverAdvice() const { return Text(SetupText::DriverRemovalAdvice); }

    // The USB-UART set-up: the command that runs "kova-usb-setup" of the
    // source folder as the administrator, or an empty list and `message` set
    // when the script is not there.
    std::vector<std::string> DriverCommand(std::string& message) const;
    // What runs the script; pkexec asks for the administrator's password in
    // the desktop session. Tests put a plain shell here.
    void SetDriverLauncher(std::vector<std::string> launcher) { launcher_ = std::move(launcher); }

    // True when `folder` may be deleted as the program folder: the computed
    // absolute folder ".../MERIDO ELE/KOVA", never "", "/" or a relative path.
    static bool IsProgramFolder(const std::string& folder);
    // The transfer journal that kova keeps in the program folder; an
    // uninstall leaves it (and the files SQLite keeps beside it) in place.
    static constexpr const char* kJournalFile = "journal.sqlite";
    static bool IsJournalFile(const std::string& name);

private:
    void RemoveAutoStart();
    bool WriteShortcuts();

    SetupPaths paths_;
    std::string source_;
    SetupTextList texts_;
    InstallState state_;
    std::vector<std::string> launcher_{"pkexec", "/bin/sh"};
};
