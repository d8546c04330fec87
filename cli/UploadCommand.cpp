// kova-cli upload: receives programs from the machine of a channel into files.

#include <filesystem>
#include <optional>
#include <system_error>

#include "app/CKOVAApp.h"
#include "app/PathRules.h"
#include "cli/CliCommand.h"
#include "cli/LinkSession.h"
#include "engine/Job.h"
#include "engine/Terminal.h"
#include "engine/UploadRequest.h"
#include "engine/WindowMessages.h"
#include "lists/ListJobs.h"
#include "upload/UploadDispatcher.h"
#include "upload/UploadJobs.h"

namespace {

namespace fs = std::filesystem;

struct UploadArgs {
    int Channel = 0;
    std::optional<char> Key;                  // --key P|T
    std::optional<std::string> ProgramName;   // --program-name NAME
    std::string Folder;                       // --folder DIR
    std::vector<std::string> Names;           // NAME or PROGRAM=FILE, as given
};

bool ParseArgs(CliArgs args, UploadArgs& parsed, std::string& error) {
    bool namesOnly = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string value;
        bool missing = false;
        if (namesOnly || args[i].empty() || args[i][0] != '-') {
            parsed.Names.push_back(args[i]);
        } else if (args[i] == "--") {
            namesOnly = true;
        } else if (CliChannelOption(args, i, parsed.Channel, error)) {
            if (!error.empty()) return false;
        } else if (CliOptionValue(args, i, "--key", value, missing)) {
            if (missing || (value != "P" && value != "T" && value != "p" && value != "t")) {
                error = "--key needs P or T";
                return false;
            }
            parsed.Key = static_cast<char>(value == "p" ? 'P' : value == "t" ? 'T' : value[0]);
        } else if (CliOptionValue(args, i, "--program-name", value, missing)) {
            if (missing) {
                error = "--program-name needs a name";
                return false;
            }
            parsed.ProgramName = value;
        } else if (CliOptionValue(args, i, "--folder", value, missing)) {
            if (missing || value.empty()) {
                error = "--folder needs a folder";
                return false;
            }
            parsed.Folder = value;
        } else {
            error = "unknown option \"" + args[i] + "\"";
            return false;
        }
    }
    if (parsed.Channel == 0) {
        error = "--channel N is needed";
        return false;
    }
    if (parsed.Names.empty()) {
        error = "no name to receive into";
        return false;
    }
    return true;
}

// The dialog's answer, listed so that the dispatcher, which takes the last
// chosen first, receives the programs in the order given.
bool BuildRequest(const UploadArgs& parsed, const ChannelConfig& channel, UploadRequest& request, std::string& error) {
    request.ShowMachineList = channel.McType == "UNIVERSAL" || channel.McType == "TDK/VC5";
    if (!request.ShowMachineList && parsed.Names.size() != 1) {
        error = "a " + channel.McType + " machine sends one program at a time: give exactly one NAME";
        return false;
    }
    for (auto name = parsed.Names.rbegin(); name != parsed.Names.rend(); ++name) {
        TransferItem item;
        std::string file = *name;
        if (request.ShowMachineList) {
            std::size_t eq = name->find('=');
            item.McProgramName = name->substr(0, eq);
            file = eq == std::string::npos ? item.McProgramName : name->substr(eq + 1);
        }
        item.FileName = CleanPcFileName(file);
        if (item.FileName.empty() || (request.ShowMachineList && item.McProgramName.empty())) {
            error = "\"" + *name + "\" names no file";
            return false;
        }
        request.Files.push_back(item);
    }
    return true;
}

int RunUpload(CliContext& context, CliArgs args) {
    UploadArgs parsed;
    std::string error;
    if (!ParseArgs(args, parsed, error)) return CliUsageError(context, error);

    const ChannelConfig channel = LoadChannelRecord(context, parsed.Channel);
    UploadRequest request;
    if (!BuildRequest(parsed, channel, request, error)) return CliUsageError(context, error);
    // Nothing is received that could not be stored.
    const std::string folderText = parsed.Folder.empty() ? channel.NcdFileFolder : parsed.Folder;
    std::error_code ec;
    fs::path folder = fs::absolute(fs::path(folderText), ec);
    if (folderText.empty() || ec || !fs::is_directory(folder, ec)) {
        return CliFailure(context, "\"" + folderText + "\" is not a folder");
    }
    request.TransferFolder = folder.lexically_normal().string();

    LinkSession session(context);
    AddListJobs(session.Engine());
    UploadDispatcher& dispatcher = AddUploadJobs(session.Engine());
    Terminal& terminal = session.Engine();
    session.View().SetChannelAnswer(parsed.Channel);
    session.View().SetUploadAnswer(request, terminal.Text(Msg::OverwriteQuestion));
    session.View().SetProgramNameAnswer(parsed.ProgramName);
    session.View().SetKeyAnswer(parsed.Key);
    session.View().SetKeyPrompt(terminal.Text(Msg::PressPOrTKey));
    session.Run(WindowMsg::StartUpload);

    const UploadDispatcher::RunResult& run = dispatcher.LastRun();
    const bool completed = run.EndState == JobState::Completed && run.FilesNotCompleted == 0 &&
                           run.FilesCompleted == static_cast<int>(request.Files.size());
    session.Close();
    return completed ? kExitOk : kExitFailed;
}

}  // namespace

void AddUploadCommands(std::vector<CliCommand>& commands) {
    commands.push_back(
        {"upload", "--channel N [--key P|T] [--program-name NAME] [--folder DIR] NAME ...", RunUpload});
}
