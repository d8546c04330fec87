#include "app/ChannelStore.h"

#include <algorithm>
#include <utility>

#include "app/PathRules.h"
#include "app/SettingsStore.h"

namespace {

constexpr const char* kDefaultSubSerial = "000000000000";
constexpr const char* kDefaultMcType = "USM";
constexpr const char* kDefaultMcName = "USM";
constexpr const char* kDefaultBaudRate = "4800";
constexpr const char* kDefaultDataBit = "8";
constexpr const char* kDefaultParityBit = "NONE";
constexpr const char* kDefaultDelayBit = "127";
constexpr const char* kDefaultPnrEtx = "CR";
constexpr int kDefaultPnrPName = 0;

}  // namespace

ChannelStore::ChannelStore(SettingsStore& store, std::string defaultNcdFileFolder)
    : store_(store), defaultNcdFileFolder_(std::move(defaultNcdFileFolder))
{
}

std::string ChannelStore::SectionName(int channel)
{
    return "CHANNEL_" + std::to_string(channel);
}

int ChannelStore::LoadChannelConfig(ChannelConfig& config) const
{
    if (!ChannelKeyExists(config.Channel)) {
        return 0;
    }
    const std::string section = SectionName(config.Channel);
    const auto read = [&](const char* name, const char* defaultValue) {
        return store_.ReadString(section, name, defaultValue);
    };
    config.SubSerial = read(ChannelValue::SubSerial, kDefaultSubSerial);
    config.McType = read(ChannelValue::McType, kDefaultMcType);
    config.McName = read(ChannelValue::McName, kDefaultMcName);
    config.McBaudRate = read(ChannelValue::McBaudRate, kDefaultBaudRate);
    config.McDataBit = read(ChannelValue::McDataBit, kDefaultDataBit);
    config.McParityBit = read(ChannelValue::McParityBit, kDefaultParityBit);
    config.McDelayBit = read(ChannelValue::McDelayBit, kDefaultDelayBit);
    config.NcdFileFolder = CleanFolderText(
        store_.ReadString(section, ChannelValue::NcdFileFolder, defaultNcdFileFolder_));
    config.PnrEtx = read(ChannelValue::PnrEtx, kDefaultPnrEtx);
    config.PnrPName = store_.ReadInt(section, ChannelValue::PnrPName, kDefaultPnrPName);
    config.VerifyAfterDownload = store_.ReadInt(section, ChannelValue::VerifyAfterDownload, 0) == 1 ? 1 : 0;
    return 1;
}

int ChannelStore::SaveChannelConfig(const ChannelConfig& config)
{
    if (!IsValidChannelNumber(config.Channel)) {
        return 0;
    }
    const std::string section = SectionName(config.Channel);
    // Every value is tried; one that did not reach the store makes the save fail.
    bool written = true;
    written &= store_.WriteString(section, ChannelValue::SubSerial, config.SubSerial);
    written &= store_.WriteString(section, ChannelValue::McType, config.McType);
    written &= store_.WriteString(section, ChannelValue::McName, config.McName);
    written &= store_.WriteString(section, ChannelValue::McBaudRate, config.McBaudRate);
    written &= store_.WriteString(section, ChannelValue::McDataBit, config.McDataBit);
    written &= store_.WriteString(section, ChannelValue::McParityBit, config.McParityBit);
    written &= store_.WriteString(section, ChannelValue::McDelayBit, config.McDelayBit);
    written &= store_.WriteString(section, ChannelValue::McDelayBitSys, config.McDelayBit_sys);
    written &= store_.WriteString(section, ChannelValue::NcdFileFolder, config.NcdFileFolder);
    written &= store_.WriteString(section, ChannelValue::PnrEtx, config.PnrEtx);
    written &= store_.WriteInt(section, ChannelValue::PnrPName, config.PnrPName);
    written &= store_.WriteInt(section, ChannelValue::VerifyAfterDownload, config.VerifyAfterDownload);
    return written ? 1 : 0;
}

void ChannelStore::SetDefaultChannelConfig(ChannelConfig& config) const
{
    SetDefaults(config, defaultNcdFileFolder_);
}

void ChannelStore::SetDefaults(ChannelConfig& config, const std::string& ncdFileFolder)
{
    config.SubSerial = kDefaultSubSerial;
    config.McType = kDefaultMcType;
    config.McName = kDefaultMcName;
    config.McBaudRate = kDefaultBaudRate;
    config.McDataBit = kDefaultDataBit;
    config.McParityBit = kDefaultParityBit;
    config.McDelayBit = kDefaultDelayBit;
    config.NcdFileFolder = ncdFileFolder;
    config.PnrEtx = kDefaultPnrEtx;
    config.PnrPName = kDefaultPnrPName;
    config.VerifyAfterDownload = 0;
}

int ChannelStore::DeleteChannelConfig(int channel)
{
    if (!IsValidChannelNumber(channel)) {
        return 0;
    }
    return store_.DeleteSection(SectionName(channel)) ? 1 : 0;
}

bool ChannelStore::ChannelKeyExists(int channel) const
{
    return IsValidChannelNumber(channel) && store_.SectionExists(SectionName(channel));
}

int ChannelStore::FindFreeChannel(int start) const
{
    for (int channel = std::max(start, kFirstChannel); channel <= kLastChannel; ++channel) {
        if (!ChannelKeyExists(channel)) {
            return channel;
        }
    }
    return 0;
}
