#pragma once
// The command table of kova-cli. A command family ("channel", "lang", ...)
// lives in its own file and adds its entries with an Add...Commands function,
// called from CommandTable.cpp; a new family needs one line there.

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/ChannelConfig.h"
#include "cli/CliContext.h"

using CliArgs = std::span<const std::string>;

struct CliCommand {
    const char* Name;      // first word on the command line
    const char* Synopsis;  // one or more lines for the usage text, without the name
    // Runs the command with the words after its name; returns the exit status.
    int (*Run)(CliContext& context, CliArgs args);
};

// Every command, in the order of the usage text.
const std::vector<CliCommand>& CliCommands();
// The command named `name`, or nullptr.
const CliCommand* FindCliCommand(const std::string& name);
// The short usage text.
std::string CliUsageText();

// Reports a usage error: "kova-cli: <message>" and the usage text on stderr;
// returns kExitUsage.
int CliUsageError(CliContext& context, const std::string& message);
// Reports a failure: "kova-cli: <message>" on stderr; returns kExitFailed.
int CliFailure(CliContext& context, const std::string& message);
// Digits with an optional leading '-', whatever their size: a number, though
// maybe one out of any range (which is a refusal, not a usage error).
bool IsCliNumber(const std::string& text);
// A whole decimal 32-bit number; false for anything else.
bool ParseCliInt(const std::string& text, int& value);
// "--name VALUE" or "--name=VALUE" at args[i] (i moves past a separate
// value); false when args[i] is not that option. `missing` when the value
// should follow but the arguments end.
bool CliOptionValue(CliArgs args, std::size_t& i, const std::string& name, std::string& value, bool& missing);
// An operand (a file or a name) rather than an option: every word after
// "--", an empty word, "-", and a word that does not begin with '-'.
bool IsCliOperand(const std::string& arg, bool afterDoubleDash);
// "--channel N" (or "--channel=N") at args[i]: false when args[i] is another
// word; true otherwise, with N in `channel`, or with `error` set when N is
// missing or not a channel number.
bool CliChannelOption(CliArgs args, std::size_t& i, int& channel, std::string& error);
// One option of a command's own at args[i]: true when args[i] is one (i moves
// past a separate value), with `error` set when its value is bad.
using CliOptionReader = std::function<bool(CliArgs args, std::size_t& i, std::string& error)>;
// The arguments of a command on one channel that takes operands: "--channel N"
// (needed), the operands in order, "--", and the command's own options through
// `readOption`. False with the usage error text in `error` otherwise.
bool ParseChannelCommand(CliArgs args, int& channel, std::vector<std::string>& operands,
                         const CliOptionReader& readOption, std::string& error);
// The arguments of a command on one channel: "--channel N" (or "--channel=N")
// and nothing else. False with the usage error text in `error` otherwise.
bool ParseChannelOption(CliArgs args, int& channel, std::string& error);
// The record of `channel` as stored, over the defaults of a new record;
// `stored` (when given) tells whether there was a record.
ChannelConfig LoadChannelRecord(const CliContext& context, int channel, bool* stored = nullptr);

// Command families.
void AddChannelCommands(std::vector<CliCommand>& commands);
void AddLangCommands(std::vector<CliCommand>& commands);
void AddLinkCommands(std::vector<CliCommand>& commands);
void AddListCommands(std::vector<CliCommand>& commands);
void AddDownloadCommands(std::vector<CliCommand>& commands);
void AddUploadCommands(std::vector<CliCommand>& commands);
void AddSystemDownloadCommands(std::vector<CliCommand>& commands);
void AddZidCommands(std::vector<CliCommand>& commands);
void AddJournalCommands(std::vector<CliCommand>& commands);
