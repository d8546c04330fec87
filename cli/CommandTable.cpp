#include <charconv>
#include <ostream>

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
