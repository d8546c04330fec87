// kova-cli: the terminal's engine with a console in place of the windows.
// Global options come before the command; see CliCommand.h for the table.

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/CKOVAApp.h"
#include "cli/CliCommand.h"
#include "cli/EscapedText.h"
#include "cli/LinkSession.h"
#include "platform/PosixAppPlatform.h"

namespace {

constexpr int kLanguageCount = 6;

// Reads the global options from args[index...]; leaves index on the command.
// Returns kExitOk, or the exit status to end with (usage error, --help).
int ParseGlobalOptions(const std::vector<std::string>& args, std::size_t& index,
                       CliOptions& options, std::string& error)
{
    while (index < args.size()) {
        const std::string& word = args[index];
        if (word == "--") {
            ++index;
            break;
        }
        if (word.rfind("--", 0) != 0 || word.size() == 2) {
            break;
        }
        std::string name = word;
        std::string value;
        bool hasValue = false;
        if (const std::size_t equals = word.find('='); equals != std::string::npos) {
            name = word.substr(0, equals);
            value = word.substr(equals + 1);
            hasValue = true;
        }
        ++index;

        if (name == "--help") {
            std::cout << CliUsageText();
            return -1;
        }
        if (name == "--yes") {
            if (hasValue) {
                error = "--yes takes no value";
                return kExitUsage;
            }
            options.Yes = true;
            continue;
        }
        if (name != "--port" && name != "--lang" && name != "--comm") {
            error = "unknown option " + name;
            return kExitUsage;
        }
        if (!hasValue) {
            if (index >= args.size()) {
                error = name + " needs a value";
                return kExitUsage;
            }
            value = args[index++];
        }
        if (name == "--port") {
            if (value.empty()) {
                error = "--port needs a device";
                return kExitUsage;
            }
            options.Port = value;
        } else if (name == "--comm") {
            if (value.empty()) {
                error = "--comm needs a file name (\"-\" for standard error)";
                return kExitUsage;
            }
            options.CommFile = value;
        } else {
            int language = -1;
            if (!ParseCliInt(value, language) || language < 0 || language >= kLanguageCount) {
                error = "--lang needs a language index from 0 to 5";
                return kExitUsage;
            }
            options.Language = language;
        }
    }
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::size_t index = 0;
    CliOptions options;
    std::string error;
    const int parsed = ParseGlobalOptions(args, index, options, error);
    if (parsed == -1) {
        return kExitOk;   // --help
    }
    if (parsed != kExitOk || index >= args.size()) {
        std::cerr << "kova-cli: " << (error.empty() ? "a command is needed" : error) << '\n'
                  << CliUsageText();
        return kExitUsage;
    }
    const CliCommand* command = FindCliCommand(args[index]);
    if (command == nullptr) {
        std::cerr << "kova-cli: unknown command \"" << args[index] << "\"\n" << CliUsageText();
        return kExitUsage;
    }
    // A transcript asked for and silently missing is found out only when it
    // is needed; say so before any work is done.
    if (!options.CommFile.empty() && options.CommFile != "-" &&
        !std::ofstream(options.CommFile, std::ios::binary | std::ios::app)) {
        std::cerr << "kova-cli: cannot write the communication text to \"" << EscapedText(options.CommFile)
                  << "\"\n";
        return kExitFailed;
    }

    // The same start-up as the window, without the single-instance lock: the
    // console may run beside the window, and it reads the same language file.
    PosixAppPlatform platform;
    CKOVAApp app;
    app.InitApplication(platform, CKOVAApp::InstanceGuard::Shared);
    if (const std::string warning = app.LanguageFileWarning(); !warning.empty()) {
        std::cerr << "kova-cli: " << EscapedText(warning) << '\n';
    }

    // Options of this run only: nothing of them is saved.
    if (options.Language >= 0) {
        app._nLanguage = options.Language;
    }
    if (!options.Port.empty()) {
        app.PcPort.PcComNo = options.Port;
    }

    CliContext context{app, platform, options, std::cout, std::cerr};
    const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(index) + 1,
                                        args.end());
    const int status = command->Run(context, CliArgs(rest));
    // An interrupted command has not done its work, whatever it reports.
    return status == kExitOk && LinkSession::Interrupted() ? kExitFailed : status;
}
