#pragma once
// Load, save, default and delete channel records in a settings store. Every
// channel lives in its own section "CHANNEL_<n>"; a channel exists exactly when
// that section holds a value. Every operation refuses numbers outside 1 to 99.

#include <string>

#include "app/ChannelConfig.h"

class SettingsStore;

class ChannelStore {
public:
    // `defaultNcdFileFolder` is the folder a defaulted channel gets (the
    // user's DATA/USM folder, already expanded).
    ChannelStore(SettingsStore& store, std::string defaultNcdFileFolder);

    // Reads the channel named by config.Channel; each missing value takes its
    // default and the folder is cleaned (CleanFolderText). McDelayBit_sys is
    // not read. 0 with the record unchanged when the number is out of range or
    // the channel has no section; 1 otherwise.
    int LoadChannelConfig(ChannelConfig& config) const;
    // Writes all eleven values of config.Channel; 0 for a number out of range
    // or when the store did not take every value.
    int SaveChannelConfig(const ChannelConfig& config);
    // Every field but Channel and McDelayBit_sys takes its load default.
    void SetDefaultChannelConfig(ChannelConfig& config) const;
    // The same with a given default folder (for records made without a store).
    static void SetDefaults(ChannelConfig& config, const std::string& ncdFileFolder);
    // 1 when the channel's section was removed, 0 for a number out of range or
    // a channel without a section.
    int DeleteChannelConfig(int channel);
    bool ChannelKeyExists(int channel) const;
    // The lowest free channel n with max(start, 1) <= n <= 99, or 0 when all
    // of them are taken.
    int FindFreeChannel(int start) const;

    const std::string& DefaultNcdFileFolder() const { return defaultNcdFileFolder_; }

    static std::string SectionName(int channel);

private:
    SettingsStore& store_;
    std::string defaultNcdFileFolder_;
};
