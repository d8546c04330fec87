#pragma once
// The settings store of the desktop: an INI file through QSettings,
// $XDG_CONFIG_HOME/MERIDO ELE/KOVA.conf (default ~/.config/...). Each section
// is a group of the file.
//
// An INI file keeps no value types: a number written as an integer reads back
// as its decimal text through ReadString, and ReadInt accepts only a whole
// decimal 32-bit number (anything else reads as the default). Every write is
// flushed at once, so a second program (kova-cli beside the window) sees it;
// SectionExists re-reads the file when another program changed it.

#include <memory>
#include <string>

#include "app/SettingsStore.h"

class QSettings;
class QString;
class QVariant;

class QSettingsStore : public SettingsStore {
public:
    // The user's store: organisation "MERIDO ELE", application "KOVA", in
    // DefaultFilePath().
    QSettingsStore();
    // A store in the given INI file.
    explicit QSettingsStore(const std::string& iniFilePath);
    ~QSettingsStore() override;

    std::string ReadString(const std::string& section, const std::string& name,
                           const std::string& defaultValue) const override;
    int ReadInt(const std::string& section, const std::string& name,
                int defaultValue) const override;
    bool WriteString(const std::string& section, const std::string& name,
                     const std::string& value) override;
    bool WriteInt(const std::string& section, const std::string& name, int value) override;
    bool SectionExists(const std::string& section) const override;
    bool DeleteSection(const std::string& section) override;

    // $XDG_CONFIG_HOME/MERIDO ELE/KOVA.conf ($XDG_CONFIG_HOME defaults to
    // ~/.config), read from the environment now.
    static std::string DefaultFilePath();
    // Full path of the file behind the store.
    std::string FilePath() const;

private:
    // Sets one value and flushes it; false, with the old value back in
    // place, when the file could not be written.
    bool Write(const QString& key, const QVariant& value);
    // Called before each change, so that its result is its own.
    void ForgetLastError();
    // Flushes the changes to the file; false when it could not be written.
    bool Commit();

    std::unique_ptr<QSettings> settings_;
};
