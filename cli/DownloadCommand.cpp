// kova-cli download: sends NC program files to the machine of a channel.

#include <filesystem>
#include <optional>
#include <ostream>
#include <system_error>

#include "app/CKOVAApp.h"
#include "app/PathRules.h"
#include "cli/CliCommand.h"
#include "cli/LinkSession.h"
#include "download/DownloadDispatcher.h"
#include "download/DownloadJobs.h"
#include "download/ProgramCompare.h"
#include "engine/DownloadRequest.h"
#include "engine/Job.h"
#include "lists/ListJobs.h"
#include "upload/UploadJobs.h"
#include "engine/EventLoop.h"
#include "engine/Terminal.h"
#include "engine/WindowMessages.h"

namespace {

namespace fs = std::filesystem;

struct DownloadArgs {
    int Channel = 0;
    std::optional<std::string> ProgramName;
    // Presses "Start downloading" for machines that wait for a start signal;
    // the machine types that have one take it up.
    bool Start = false;
    // Reads each program back from the machine and compares it with the file.
    bool Verify = false;
    std::vector<std::string> Files;   // FILE[=PROGRAM], as given
};

bool ParseArgs(CliArgs args, DownloadArgs& parsed, std::string& error) {
    auto readOption = [&parsed](CliArgs words, std::size_t& i, std::string& problem) {
        std::string value;
        bool missing = false;
        if (CliOptionValue(words, i, "--program-name", value, missing)) {
            if (missing) problem = "--program-name needs a name";
            parsed.ProgramName = value;
        } else if (words[i] == "--start") {
            parsed.Start = true;
        } else if (words[i] == "--verify") {
            parsed.Verify = true;
        } else {
            return false;
        }
        return true;
    };
    if (!ParseChannelCommand(args, parsed.Channel, parsed.Files, readOption, error)) return false;
    if (parsed.Files.empty()) {
        error = "no file to send";
        return false;
    }
    return true;
}

// Splits FILE[=PROGRAM]. A name that exists as given is a file even when it holds '='.
void SplitFileArg(const std::string& arg, std::string& file, std::string& program) {
    std::error_code error;
    std::size_t eq = arg.rfind('=');
    std::size_t slash = arg.rfind('/');
    if (eq == std::string::npos || (slash != std::string::npos && eq < slash) || fs::exists(arg, error)) {
        file = arg;
        program.clear();
        return;
    }
    file = arg.substr(0, eq);
    program = arg.substr(eq + 1);
}

// The dialog's answer: the files in one folder, listed so that the dispatcher,
// which takes the last chosen first, sends them in the order given.
bool BuildRequest(const DownloadArgs& parsed, const ChannelConfig& channel, DownloadRequest& request,
                  std::string& error) {
    const bool longNames = channel.McType == "UNIVERSAL";
    const bool shortNames = channel.McType == "TDK/VC5";
    std::optional<fs::path> folder;
    for (auto arg = parsed.Files.rbegin(); arg != parsed.Files.rend(); ++arg) {
        std::string file;
        std::string program;
        SplitFileArg(*arg, file, program);
        std::error_code ec;
        fs::path path = fs::absolute(fs::path(file), ec).lexically_normal();
        if (ec || !path.has_filename()) {
            error = "\"" + file + "\" does not name a file";
            return false;
        }
        if (folder && *folder != path.parent_path()) {
            error = "all files must stand in one folder";
            return false;
        }
        folder = path.parent_path();

        TransferItem item;
        item.FileName = path.filename().string();
        uint64_t size = fs::file_size(path, ec);
        item.Length = ec ? 0 : size;
        if (longNames || shortNames) {
            item.McProgramName = CleanMcProgramName(program.empty() ? item.FileName : program,
                                                    longNames ? McNameForm::Long : McNameForm::Short);
        }
        request.Files.push_back(item);
    }
    request.TransferFolder = folder ? folder->string() : std::string();
    request.Verify = parsed.Verify;
    return true;
}

int RunDownload(CliContext& context, CliArgs args) {
    DownloadArgs parsed;
    std::string error;
    if (!ParseArgs(args, parsed, error)) return CliUsageError(context, error);

    const ChannelConfig channel = LoadChannelRecord(context, parsed.Channel);
    if (parsed.Verify && !ProgramCompare::CanVerify(channel.McType)) {
        return CliUsageError(context, "--verify needs a machine that sends a program back by name (UNIVERSAL, "
                                      "TDK/VC5); channel " + std::to_string(parsed.Channel) + " is " +
                                      channel.McType);
    }
    DownloadRequest request;
    if (!BuildRequest(parsed, channel, request, error)) return CliUsageError(context, error);

    LinkSession session(context);
    AddListJobs(session.Engine());
    // The read-back that verifies a program is the machine type's upload job.
    if (parsed.Verify) AddUploadJobs(session.Engine());
    DownloadDispatcher& dispatcher = AddDownloadJobs(session.Engine());
    session.View().SetChannelAnswer(parsed.Channel);
    session.View().SetDownloadAnswer(request);
    session.View().SetProgramNameAnswer(parsed.ProgramName);
    if (parsed.Start) {
        // Pressed once the job has opened the dialog, as a hand on the button would.
        Terminal& terminal = session.Engine();
        session.View().SetStartPress(
            [&terminal] { terminal.Loop.Post([&terminal] { terminal.HandleMessage(WindowMsg::UserStart); }); });
    }
    session.Run(WindowMsg::StartDownload);

    const DownloadDispatcher::RunResult& run = dispatcher.LastRun();
    const bool completed = run.EndState == JobState::Completed && run.FilesNotCompleted == 0 &&
                           run.FilesCompleted == static_cast<int>(request.Files.size()) &&
                           run.FilesNotVerified == 0;
    const bool hungUp = session.Close();
    return completed && hungUp ? kExitOk : kExitFailed;
}

}  // namespace

void AddDownloadCommands(std::vector<CliCommand>& commands) {
    commands.push_back({"download", "--channel N [--program-name NAME] [--start] [--verify] FILE[=PROGRAM] ...", RunDownload});
}
