#pragma once
// The platform services of the desktop programs (kova, kova-cli): the INI
// settings store, the flock single-instance guard, the locale language test,
// the sysfs serial port list, the executable's folder and the home folder.
// Message boxes go to a handler that the front end sets (the window shows a
// Qt message box; without a handler the text goes to standard error as
// "!! <text>").

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/AppPlatform.h"

class SingleInstanceLock;

class PosixAppPlatform : public AppPlatform {
public:
    using MessageBoxHandler = std::function<void(const std::string& text)>;

    // The user's QSettings store.
    PosixAppPlatform();
    // Another store (tests).
    explicit PosixAppPlatform(std::unique_ptr<SettingsStore> settings);
    ~PosixAppPlatform() override;

    void SetMessageBoxHandler(MessageBoxHandler handler);
    void SetSysfsTtyRoot(std::string root) { sysfsTtyRoot_ = std::move(root); }
    void SetLockFilePath(std::string path) { lockFilePath_ = std::move(path); }

    SettingsStore& Settings() override;
    // Holds the lock for the life of this object (the program's life).
    bool AcquireSingleInstance() override;
    bool IsKoreanSystem() const override;
    void ShowMessageBox(const std::string& text) override;
    std::vector<std::string> ListComPorts() const override;
    std::string ProgramFolder() const override;
    std::string HomeFolder() const override;

private:
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<SingleInstanceLock> lock_;
    MessageBoxHandler messageBox_;
    std::string sysfsTtyRoot_ = "/sys/class/tty";
    std::string lockFilePath_;
};
