#pragma once
// The services the application object needs from the system it runs on. The
// core never reaches the system itself: a front end hands it one of these (the
// desktop implementation lives in platform/, tests use their own).

#include <string>
#include <vector>

class SettingsStore;

class AppPlatform {
public:
    virtual ~AppPlatform() = default;

    // The user's settings (organisation "MERIDO ELE", application "KOVA").
    virtual SettingsStore& Settings() = 0;

    // Takes the lock that keeps a second copy of the terminal from running and
    // keeps it until the process ends. False only when another running copy
    // holds it; when the lock cannot be made at all the program may run.
    virtual bool AcquireSingleInstance() = 0;

    // True when the system's language is Korean.
    virtual bool IsKoreanSystem() const = 0;

    // A notice with an OK button; returns when the user has taken it.
    virtual void ShowMessageBox(const std::string& text) = 0;

    // Device paths of the PC's serial ports with hardware behind them, in the
    // order the port list shows them.
    virtual std::vector<std::string> ListComPorts() const = 0;

    // Folder of the running executable (where the language file lives).
    virtual std::string ProgramFolder() const = 0;

    // The user's home folder; the default NC folders lie below it.
    virtual std::string HomeFolder() const = 0;
};
