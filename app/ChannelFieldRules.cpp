#include "app/ChannelFieldRules.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>

#include "app/ChannelConfig.h"
#include "app/MachineType.h"
#include "lang/Utf8.h"

namespace {

constexpr std::size_t kSubSerialLength = 12;

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Control bytes and broken UTF-8 would end up in command lines, list columns
// and file names; no field has a use for them.
std::string CheckText(std::string_view name, std::string_view value)
{
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return std::string(name) + " must not hold control characters";
        }
    }
    if (!IsValidUtf8(value)) {
        return std::string(name) + " is not valid UTF-8 text";
    }
    return {};
}

std::string OneOf(std::string_view name, std::string_view value,
                  std::initializer_list<const char*> allowed)
{
    std::string list;
    for (const char* entry : allowed) {
        if (value == entry) {
            return {};
        }
        list += list.empty() ? "" : ", ";
        list += entry;
    }
    return std::string(name) + " must be one of " + list;
}

std::string CheckDelayBits(std::string_view name, std::string_view value)
{
    int64_t bits = 0;
    if (!ParseDecimalInRange(value, 0, kMaxChannelDelayBits, bits)) {
        return std::string(name) + " must be a number from 0 to " +
               std::to_string(kMaxChannelDelayBits);
    }
    return {};
}

std::string MachineTypeNames()
{
    std::string list;
    for (const MachineType& type : MachineTypes) {
        list += list.empty() ? "" : ", ";
        list += type.Name;
    }
    return list;
}

constexpr const char* kValueNames[] = {
    ChannelValue::SubSerial,   ChannelValue::McType,       ChannelValue::McName,
    ChannelValue::McBaudRate,  ChannelValue::McDataBit,    ChannelValue::McParityBit,
    ChannelValue::McDelayBit,  ChannelValue::McDelayBitSys, ChannelValue::NcdFileFolder,
    ChannelValue::PnrEtx,      ChannelValue::PnrPName,
};

}  // namespace

bool ParseDecimalInRange(std::string_view text, int64_t min, int64_t max, int64_t& value)
{
    if (text.empty() || text.front() == '+') {
        return false;
    }
    int64_t parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || parsed < min || parsed > max) {
        return false;
    }
    value = parsed;
    return true;
}

bool IsChannelValueName(std::string_view name)
{
    return std::find(std::begin(kValueNames), std::end(kValueNames), name) != std::end(kValueNames);
}

std::string CheckChannelField(std::string_view name, std::string_view value)
{
    if (!IsChannelValueName(name)) {
        return "unknown value name \"" + std::string(name) + "\"";
    }
    if (std::string report = CheckText(name, value); !report.empty()) {
        return report;
    }
    if (name == ChannelValue::SubSerial) {
        if (value.size() != kSubSerialLength || !std::all_of(value.begin(), value.end(), IsHexDigit)) {
            return "SubSerial must be 12 hexadecimal digits";
        }
    } else if (name == ChannelValue::McType) {
        if (FindMachineType(value) < 0) {
            return "McType must be one of " + MachineTypeNames();
        }
    } else if (name == ChannelValue::McBaudRate) {
        const auto rates = std::begin(kChannelBaudRates);
        if (std::find(rates, std::end(kChannelBaudRates), value) == std::end(kChannelBaudRates)) {
            return "McBaudRate must be one of 300, 600, 1200, 2400, 4800, 9600";
        }
    } else if (name == ChannelValue::McDataBit) {
        return OneOf(name, value, {"7", "8"});
    } else if (name == ChannelValue::McParityBit) {
        return OneOf(name, value, {"NONE", "ODD", "EVEN"});
    } else if (name == ChannelValue::McDelayBit) {
        return CheckDelayBits(name, value);
    } else if (name == ChannelValue::McDelayBitSys) {
        return value.empty() ? std::string() : CheckDelayBits(name, value);
    } else if (name == ChannelValue::NcdFileFolder) {
        if (value.empty()) {
            return "NCD File Folder must not be empty";
        }
    } else if (name == ChannelValue::PnrEtx) {
        return OneOf(name, value, {"CR", "^C"});
    } else if (name == ChannelValue::PnrPName) {
        return OneOf(name, value, {"0", "1"});
    }
    return {};
}

std::vector<std::pair<const char*, std::string>> ChannelFieldTexts(const ChannelConfig& config)
{
    return {
        {ChannelValue::SubSerial, config.SubSerial},
        {ChannelValue::McType, config.McType},
        {ChannelValue::McName, config.McName},
        {ChannelValue::McBaudRate, config.McBaudRate},
        {ChannelValue::McDataBit, config.McDataBit},
        {ChannelValue::McParityBit, config.McParityBit},
        {ChannelValue::McDelayBit, config.McDelayBit},
        {ChannelValue::McDelayBitSys, config.McDelayBit_sys},
        {ChannelValue::NcdFileFolder, config.NcdFileFolder},
        {ChannelValue::PnrEtx, config.PnrEtx},
        {ChannelValue::PnrPName, std::to_string(config.PnrPName)},
    };
}

std::string CheckChannelConfig(const ChannelConfig& config)
{
    for (const auto& [name, value] : ChannelFieldTexts(config)) {
        if (std::string report = CheckChannelField(name, value); !report.empty()) {
            return report;
        }
    }
    return {};
}
