// kova-cli journal: the transfer journal, newest first, tab-separated with a
// header line, or CSV.

#include <ostream>

#include "app/JournalFilter.h"
#include "app/JournalFormat.h"
#include "cli/CliCommand.h"
#include "platform/PosixAppPlatform.h"
#include "platform/SqlTransferJournal.h"

namespace {

bool ParseJournalArgs(CliArgs args, JournalFilter& filter, bool& csv, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool hasValue = false;
        const std::size_t eq = name.find('=');
        if (name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            hasValue = true;
        }
        if (name == "--csv" && !hasValue) {
            csv = true;
            continue;
        }
        if (name != "--channel" && name != "--since" && name != "--result") {
            error = "unexpected argument \"" + args[i] + "\"";
            return false;
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return false;
            }
            value = args[++i];
        }
        if (name == "--channel") {
            if (!ParseCliInt(value, filter.Channel) || !IsValidChannelNumber(filter.Channel)) {
                error = "--channel needs a channel number from 1 to 99";
                return false;
            }
        } else if (name == "--since") {
            const auto since = JournalFormat::ParseIsoUtc(value);
            if (!since) {
                error = "--since needs an ISO 8601 date or time (e.g. 2026-12-07 or 2026-12-07T14:30), not \"" +
                        value + "\"";
                return false;
            }
            filter.SinceUtc = *since;
        } else {
            filter.Result = JournalFormat::ParseResult(value);
            if (!filter.Result) {
                error = "--result needs completed, failed or cancelled, not \"" + value + "\"";
                return false;
            }
        }
    }
    return true;
}

int RunJournal(CliContext& context, CliArgs args) {
    JournalFilter filter;
    bool csv = false;
    std::string error;
    if (!ParseJournalArgs(args, filter, csv, error)) return CliUsageError(context, error);

    std::vector<TransferRecord> records;
    std::string note;
    const auto options = SqlTransferJournal::OptionsFrom(context.Platform.Settings());
    if (!SqlTransferJournal::Read(options, filter, records, note, error)) {
        return CliFailure(context, "cannot read the transfer journal " + options.LocalPath + ": " + error);
    }
    if (!note.empty()) context.Err << "kova-cli: " << note << '\n' << std::flush;
    auto line = csv ? &JournalFormat::CsvLine : &JournalFormat::TsvLine;
    context.Out << line(JournalFormat::HeaderFields());
    for (const TransferRecord& record : records) context.Out << line(JournalFormat::Fields(record));
    context.Out.flush();
    return kExitOk;
}

}  // namespace

void AddJournalCommands(std::vector<CliCommand>& commands) {
    commands.push_back({"journal", "[--channel N] [--since DATE] [--result R] [--csv]", RunJournal});
}
