// kova-cli commands on channel records: channels, channel show|set|delete.

#include <algorithm>
#include <cstdio>
#include <optional>
#include <ostream>

#include "app/CKOVAApp.h"
#include "app/ChannelConfig.h"
#include "app/MachineType.h"
#include "app/PathRules.h"
#include "cli/CliCommand.h"

namespace {

constexpr int kDelayBitMax = 200;

// The channel number argument: a usage error when it is not a number, a
// refusal (exit 1) when it is outside 1 to 99.
std::optional<int> ChannelArgument(CliContext& context, const std::string& text, int& status)
{
    int channel = 0;
    if (!ParseCliInt(text, channel)) {
        status = CliUsageError(context, "channel number expected, not \"" + text + "\"");
        return std::nullopt;
    }
    if (!IsValidChannelNumber(channel)) {
        status = CliFailure(context, "channel " + text + " is outside 1 to 99");
        return std::nullopt;
    }
    return channel;
}

std::string NoRecordText(int channel)
{
    return "channel " + std::to_string(channel) + " has no record";
}

bool Contains(const std::vector<std::string>& list, const std::string& value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

std::string JoinList(const std::vector<std::string>& list)
{
    std::string text;
    for (const std::string& entry : list) {
        text += text.empty() ? "" : ", ";
        text += entry;
    }
    return text;
}

// Puts one "name=value" into the record; an error text when the name is not a
// stored value name or the value is not one the channel editor would offer.
std::string ApplyAssignment(const CKOVAApp& app, ChannelConfig& config, const std::string& name,
                            const std::string& value)
{
    const auto fromList = [&](const std::vector<std::string>& list, std::string& field) {
        if (!Contains(list, value)) {
            return name + " must be one of " + JoinList(list);
        }
        field = value;
        return std::string();
    };

    if (name == ChannelValue::SubSerial) {
        config.SubSerial = value;
    } else if (name == ChannelValue::McType) {
        if (value.empty()) {
            return "McType must not be empty";
        }
        config.McType = value;
    } else if (name == ChannelValue::McName) {
        config.McName = value;
    } else if (name == ChannelValue::McBaudRate) {
        return fromList(app.BaudRateList, config.McBaudRate);
    } else if (name == ChannelValue::McDataBit) {
        return fromList(app.DataBitList, config.McDataBit);
    } else if (name == ChannelValue::McParityBit) {
        return fromList(app.ParityList, config.McParityBit);
    } else if (name == ChannelValue::PnrEtx) {
        return fromList(app.EtxList, config.PnrEtx);
    } else if (name == ChannelValue::McDelayBit) {
        int bits = 0;
        if (!ParseCliInt(value, bits) || bits < 0 || bits > kDelayBitMax) {
            return "McDelayBit must be a number from 0 to 200";
        }
        config.McDelayBit = std::to_string(bits);
    } else if (name == ChannelValue::NcdFileFolder) {
        const std::string folder = CleanFolderText(value);
        if (folder.empty()) {
            return "NCD File Folder must not be empty";
        }
        config.NcdFileFolder = folder;
    } else if (name == ChannelValue::PnrPName) {
        if (value != "0" && value != "1") {
            return "PNR P_NAME must be 0 or 1";
        }
        config.PnrPName = value == "1" ? 1 : 0;
    } else {
        return "unknown value name \"" + name +
               "\" (SubSerial, McType, McName, McBaudRate, McDataBit, McParityBit, McDelayBit, "
               "NCD File Folder, PNR ETX, PNR P_NAME)";
    }
    return {};
}

int RunChannels(CliContext& context, CliArgs args)
{
    if (!args.empty()) {
        return CliUsageError(context, "channels takes no arguments");
    }
    int row = 0;
    for (int channel = kFirstChannel; channel <= kLastChannel; ++channel) {
        if (!context.App.ChannelKeyExists(channel)) {
            continue;
        }
        const ChannelConfig config = LoadChannelRecord(context, channel);
        char number[16];
        std::snprintf(number, sizeof number, "%02d", ++row);
        context.Out << number << '\t' << channel << '\t' << config.McName << '\t' << config.McType
                    << '\t' << config.SubSerial << '\n';
    }
    context.Out.flush();
    return kExitOk;
}

int RunShow(CliContext& context, int channel)
{
    bool stored = false;
    const ChannelConfig config = LoadChannelRecord(context, channel, &stored);
    if (!stored) {
        return CliFailure(context, NoRecordText(channel));
    }
    context.Out << ChannelValue::SubSerial << '=' << config.SubSerial << '\n'
                << ChannelValue::McType << '=' << config.McType << '\n'
                << ChannelValue::McName << '=' << config.McName << '\n'
                << ChannelValue::McBaudRate << '=' << config.McBaudRate << '\n'
                << ChannelValue::McDataBit << '=' << config.McDataBit << '\n'
                << ChannelValue::McParityBit << '=' << config.McParityBit << '\n'
                << ChannelValue::McDelayBit << '=' << config.McDelayBit << '\n'
                << ChannelValue::NcdFileFolder << '=' << config.NcdFileFolder << '\n'
                << ChannelValue::PnrEtx << '=' << config.PnrEtx << '\n'
                << ChannelValue::PnrPName << '=' << config.PnrPName << '\n'
                << std::flush;
    return kExitOk;
}

int RunSet(CliContext& context, CliArgs args)
{
    if (args.empty()) {
        return CliUsageError(context, "channel set needs a channel number");
    }
    int status = kExitOk;
    const std::optional<int> channel = ChannelArgument(context, args[0], status);
    if (!channel) {
        return status;
    }

    std::optional<std::string> typeName;
    std::vector<std::pair<std::string, std::string>> assignments;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& word = args[i];
        std::optional<std::string> typeValue;
        if (word == "--type") {
            if (i + 1 >= args.size()) {
                return CliUsageError(context, "--type needs a machine type");
            }
            typeValue = args[++i];
        } else if (word.rfind("--type=", 0) == 0) {
            typeValue = word.substr(7);
        } else if (word.rfind("--", 0) == 0) {
            return CliUsageError(context, "unknown option " + word + " for channel set");
        }
        if (typeValue) {
            if (typeName) {
                return CliUsageError(context, "--type given twice");
            }
            typeName = *typeValue;
            continue;
        }
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos) {
            return CliUsageError(context, "name=value expected, not \"" + word + "\"");
        }
        assignments.emplace_back(word.substr(0, equals), word.substr(equals + 1));
    }

    ChannelConfig config = LoadChannelRecord(context, *channel);

    if (typeName) {
        const int type = FindMachineType(*typeName);
        if (type < 0) {
            return CliUsageError(context, "unknown machine type \"" + *typeName + "\" (one of " +
                                              JoinList(context.App.MachineTypeList) + ")");
        }
        ApplyMachineType(config, MachineTypes[static_cast<std::size_t>(type)]);
    }
    for (const auto& [name, value] : assignments) {
        const std::string error = ApplyAssignment(context.App, config, name, value);
        if (!error.empty()) {
            return CliUsageError(context, error);
        }
    }

    if (context.App.SaveChannelConfig(config) == 0) {
        return CliFailure(context, "channel " + std::to_string(*channel) + " was not saved");
    }
    return kExitOk;
}

int RunDelete(CliContext& context, int channel)
{
    if (context.App.DeleteChannelConfig(channel) == 0) {
        return CliFailure(context, NoRecordText(channel));
    }
    return kExitOk;
}

int RunChannel(CliContext& context, CliArgs args)
{
    if (args.empty()) {
        return CliUsageError(context, "channel needs show, set or delete");
    }
    const std::string& action = args[0];
    const CliArgs rest = args.subspan(1);
    if (action == "set") {
        return RunSet(context, rest);
    }
    if (action == "show" || action == "delete") {
        // Both take exactly one channel number.
        if (rest.size() != 1) {
            return CliUsageError(context, "channel " + action + " takes one channel number");
        }
        int status = kExitOk;
        const std::optional<int> channel = ChannelArgument(context, rest[0], status);
        if (!channel) {
            return status;
        }
        return action == "show" ? RunShow(context, *channel) : RunDelete(context, *channel);
    }
    return CliUsageError(context, "unknown channel action \"" + action + "\"");
}

}  // namespace

void AddChannelCommands(std::vector<CliCommand>& commands)
{
    commands.push_back({"channels", "", RunChannels});
    commands.push_back({"channel",
                        "show N\n"
                        "set N [--type TYPE] [name=value ...]\n"
                        "delete N",
                        RunChannel});
}
