// kova-cli commands on channel records: channels, channel show|set|delete.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <ostream>

#include "app/CKOVAApp.h"
#include "app/ChannelConfig.h"
#include "app/ChannelFieldRules.h"
#include "app/MachineType.h"
#include "app/PathRules.h"
#include "cli/CliCommand.h"
#include "cli/EscapedText.h"

namespace {

// The channel number argument: a usage error when it is not a number, a
// refusal (exit 1) when it is outside 1 to 99.
std::optional<int> ChannelArgument(CliContext& context, const std::string& text, int& status)
{
    int64_t channel = 0;
    if (!IsCliNumber(text)) {
        status = CliUsageError(context, "channel number expected, not \"" + EscapedText(text) + "\"");
        return std::nullopt;
    }
    // A number too large for any integer is outside 1 to 99 like any other.
    if (!ParseDecimalInRange(text, kFirstChannel, kLastChannel, channel)) {
        status = CliFailure(context, "channel " + EscapedText(text) + " is outside 1 to 99");
        return std::nullopt;
    }
    return static_cast<int>(channel);
}

std::string NoRecordText(int channel)
{
    return "channel " + std::to_string(channel) + " has no record";
}

// Puts one "name=value" into the record; the refusal text when the name is not
// a stored value name or the value is not one the channel might hold.
std::string ApplyAssignment(ChannelConfig& config, const std::string& name, std::string value)
{
    if (name == ChannelValue::NcdFileFolder) {
        value = CleanFolderText(value);
        // The window and later runs start elsewhere: a folder given relative
        // to this shell's folder is stored as the folder it names now.
        if (!value.empty() && std::filesystem::path(value).is_relative()) {
            std::error_code error;
            const std::filesystem::path absolute = std::filesystem::absolute(value, error);
            if (error) {
                return "NCD File Folder \"" + EscapedText(value) + "\" cannot be made absolute";
            }
            value = CleanFolderText(absolute.lexically_normal().string());
        }
    }
    if (std::string report = CheckChannelField(name, value); !report.empty()) {
        return report;
    }
    if (name == ChannelValue::SubSerial) {
        config.SubSerial = value;
    } else if (name == ChannelValue::McType) {
        config.McType = value;
    } else if (name == ChannelValue::McName) {
        config.McName = value;
    } else if (name == ChannelValue::McBaudRate) {
        config.McBaudRate = value;
    } else if (name == ChannelValue::McDataBit) {
        config.McDataBit = value;
    } else if (name == ChannelValue::McParityBit) {
        config.McParityBit = value;
    } else if (name == ChannelValue::PnrEtx) {
        config.PnrEtx = value;
    } else if (name == ChannelValue::McDelayBit) {
        config.McDelayBit = value;
    } else if (name == ChannelValue::NcdFileFolder) {
        config.NcdFileFolder = value;
    } else if (name == ChannelValue::PnrPName) {
        config.PnrPName = value == "1" ? 1 : 0;
    } else {
        // McDelayBit_sys belongs to the system download dialog, not to this command.
        return "McDelayBit_sys is set by the system download, not here";
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
        context.Out << number << '\t' << channel << '\t' << EscapedText(config.McName) << '\t'
                    << EscapedText(config.McType) << '\t' << EscapedText(config.SubSerial) << '\n';
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
    for (const auto& [name, value] : ChannelFieldTexts(config)) {
        // The system delay bits belong to the system download, not to the record shown.
        if (std::string_view(name) != ChannelValue::McDelayBitSys) {
            context.Out << name << '=' << EscapedText(value) << '\n';
        }
    }
    context.Out.flush();
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
            return CliFailure(context, "channel " + std::to_string(*channel) + ": " +
                                           CheckChannelField(ChannelValue::McType, *typeName));
        }
        ApplyMachineType(config, MachineTypes[static_cast<std::size_t>(type)]);
    }
    for (const auto& [name, value] : assignments) {
        if (!IsChannelValueName(name) || name == ChannelValue::McDelayBitSys) {
            return CliUsageError(context, "unknown value name \"" + EscapedText(name) +
                                              "\" (SubSerial, McType, McName, McBaudRate, McDataBit, "
                                              "McParityBit, McDelayBit, NCD File Folder, PNR ETX, PNR P_NAME)");
        }
        // A bad value is refused whole: nothing of this command is stored.
        const std::string error = ApplyAssignment(config, name, value);
        if (!error.empty()) {
            return CliFailure(context, "channel " + std::to_string(*channel) + ": " + error);
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
