#include <charconv>
#include <ostream>

#include "app/CKOVAApp.h"
#include "cli/CliCommand.h"

const std::vector<CliCommand>& CliCommands()
{
    static const std::vector<CliCommand> commands = [] {
        std::vector<CliCommand> list;
        AddChannelCommands(list);
        AddLangCommands(list);
        AddLinkCommands(list);
        AddListCommands(list);
        AddDownloadCommands(list);
        AddUploadCommands(list);
        AddSystemDownloadCommands(list);
        AddZidCommands(list);
        AddJournalCommands(list);
        return list;
    }();
    return commands;
}

const CliCommand* FindCliCommand(const std::string& name)
{
    for (const CliCommand& command : CliCommands()) {
        if (name == command.Name) {
            return &command;
        }
    }
    return nullptr;
}

std::string CliUsageText()
{
    std::string text =
        "usage: kova-cli [--port DEVICE] [--lang N] [--comm FILE] [--yes] COMMAND [ARGS]\n"
        "commands:\n";
    for (const CliCommand& command : CliCommands()) {
        std::string_view synopsis = command.Synopsis;
        while (true) {
            const std::size_t end = synopsis.find('\n');
            text += "  ";
            text += command.Name;
            const std::string_view line = synopsis.substr(0, end);
            if (!line.empty()) {
                text += ' ';
                text += line;
            }
            text += '\n';
            if (end == std::string_view::npos) {
                break;
            }
            synopsis.remove_prefix(end + 1);
        }
    }
    return text;
}

int CliUsageError(CliContext& context, const std::string& message)
{
    context.Err << "kova-cli: " << message << '\n' << CliUsageText() << std::flush;
    return kExitUsage;
}

int CliFailure(CliContext& context, const std::string& message)
{
    context.Err << "kova-cli: " << message << '\n' << std::flush;
    return kExitFailed;
}

bool IsCliNumber(const std::string& text)
{
    const std::size_t digits = !text.empty() && text[0] == '-' ? 1 : 0;
    return text.size() > digits && text.find_first_not_of("0123456789", digits) == std::string::npos;
}

bool ParseCliInt(const std::string& text, int& value)
{
    if (text.empty()) {
        return false;
    }
    const char* begin = text.data();
    const char* end = begin + text.size();
    const auto [ptr, error] = std::from_chars(begin, end, value);
    return error == std::errc() && ptr == end;
}

bool CliOptionValue(CliArgs args, std::size_t& i, const std::string& name, std::string& value, bool& missing)
{
    missing = false;
    if (args[i] == name) {
        if (i + 1 >= args.size()) {
            missing = true;
            return true;
        }
        value = args[++i];
        return true;
    }
    if (args[i].rfind(name + "=", 0) == 0) {
        value = args[i].substr(name.size() + 1);
        return true;
    }
    return false;
}

bool IsCliOperand(const std::string& arg, bool afterDoubleDash) {
    return afterDoubleDash || arg.empty() || arg[0] != '-' || arg == "-";
}

bool CliChannelOption(CliArgs args, std::size_t& i, int& channel, std::string& error) {
    std::string value;
    bool missing = false;
    if (!CliOptionValue(args, i, "--channel", value, missing)) return false;
    if (missing || !ParseCliInt(value, channel) || !IsValidChannelNumber(channel)) {
        error = "--channel needs a channel number from 1 to 99";
    }
    return true;
}

bool ParseChannelCommand(CliArgs args, int& channel, std::vector<std::string>& operands,
                         const CliOptionReader& readOption, std::string& error) {
    bool operandsOnly = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (IsCliOperand(args[i], operandsOnly)) {
            operands.push_back(args[i]);
        } else if (args[i] == "--") {
            operandsOnly = true;
        } else if (CliChannelOption(args, i, channel, error) || readOption(args, i, error)) {
            if (!error.empty()) return false;
        } else {
            error = "unknown option \"" + args[i] + "\"";
            return false;
        }
    }
    if (channel == 0) {
        error = "--channel N is needed";
        return false;
    }
    return true;
}

bool ParseChannelOption(CliArgs args, int& channel, std::string& error)
{
    channel = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string value;
        if (args[i] == "--channel") {
            if (i + 1 >= args.size()) {
                error = "--channel needs a channel number";
                return false;
            }
            value = args[++i];
        } else if (args[i].rfind("--channel=", 0) == 0) {
            value = args[i].substr(10);
        } else {
            error = "unexpected argument \"" + args[i] + "\"";
            return false;
        }
        if (!ParseCliInt(value, channel) || !IsValidChannelNumber(channel)) {
            error = "--channel needs a channel number from 1 to 99";
            return false;
        }
    }
    if (channel == 0) {
        error = "--channel N is needed";
        return false;
    }
    return true;
}

ChannelConfig LoadChannelRecord(const CliContext& context, int channel, bool* stored)
{
    ChannelConfig config;
    config.Channel = channel;
    context.App.SetDefaultChannelConfig(config);
    const bool found = context.App.LoadChannelConfig(config) != 0;   // no record: the defaults stay
    if (stored != nullptr) {
        *stored = found;
    }
    return config;
}
