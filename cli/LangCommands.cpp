// kova-cli commands on the text table: lang show N, lang export.

#include <ostream>

#include "app/CKOVAApp.h"
#include "cli/CliCommand.h"
#include "cli/EscapedText.h"

namespace {

int RunShow(CliContext& context, CliArgs args)
{
    if (args.size() != 1) {
        return CliUsageError(context, "lang show takes one row number");
    }
    int row = 0;
    const std::string& text = args[0];
    if (!IsCliNumber(text)) {
        return CliUsageError(context, "row number expected, not \"" + EscapedText(text) + "\"");
    }
    const int rows = static_cast<int>(context.App._arMultiLanguage.GetCount());
    if (!ParseCliInt(text, row) || row < 0 || row >= rows) {
        return CliFailure(context, "row " + EscapedText(text) + " is outside 0 to " + std::to_string(rows - 1));
    }
    context.Out << EscapedText(context.App.GetMultiLanguageStr(row)) << '\n' << std::flush;
    return kExitOk;
}

int RunExport(CliContext& context, CliArgs args)
{
    if (!args.empty()) {
        return CliUsageError(context, "lang export takes no arguments");
    }
    if (context.App.ExportMultiLanguageHeader() == 0) {
        return CliFailure(context, "SetDefaultMultiLanguageStr.h could not be written");
    }
    return kExitOk;
}

int RunLang(CliContext& context, CliArgs args)
{
    if (args.empty()) {
        return CliUsageError(context, "lang needs show or export");
    }
    if (args[0] == "show") {
        return RunShow(context, args.subspan(1));
    }
    if (args[0] == "export") {
        return RunExport(context, args.subspan(1));
    }
    return CliUsageError(context, "unknown lang action \"" + args[0] + "\"");
}

}  // namespace

void AddLangCommands(std::vector<CliCommand>& commands)
{
    commands.push_back({"lang",
                        "show N\n"
                        "export",
                        RunLang});
}
