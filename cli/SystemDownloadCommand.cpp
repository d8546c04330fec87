// kova-cli sysdownload: sends a system program to a UNIVERSAL or TDK/VC5 machine.

#include <filesystem>
#include <ostream>
#include <system_error>

#include "app/CKOVAApp.h"
#include "cli/CliCommand.h"
#include "cli/LinkSession.h"
#include "engine/DownloadRequest.h"
#include "engine/Job.h"
#include "engine/Terminal.h"
#include "engine/WindowMessages.h"
#include "sysdownload/SystemDownloadDispatcher.h"
#include "sysdownload/SystemDownloadJobs.h"

namespace {

namespace fs = std::filesystem;

// The delay bits the dialog offers.
constexpr int kMaxDelayBits = 200;

struct SystemDownloadArgs {
    int Channel = 0;
    std::string Delay;
    std::vector<std::string> Files;
};

bool ParseArgs(CliArgs args, SystemDownloadArgs& parsed, std::string& error) {
    auto readOption = [&parsed](CliArgs words, std::size_t& i, std::string& problem) {
        std::string value;
        bool missing = false;
        if (!CliOptionValue(words, i, "--delay", value, missing)) return false;
        int bits = -1;
        if (missing || !ParseCliInt(value, bits) || bits < 0 || bits > kMaxDelayBits) {
            problem = "--delay needs the system delay bits, 0 to 200";
        } else {
            parsed.Delay = std::to_string(bits);
        }
        return true;
    };
    if (!ParseChannelCommand(args, parsed.Channel, parsed.Files, readOption, error)) return false;
    if (parsed.Delay.empty()) {
        error = "--delay BITS is needed";
        return false;
    }
    if (parsed.Files.size() != 1) {
        error = parsed.Files.empty() ? "no file to send" : "one system program at a time";
        return false;
    }
    return true;
}

int RunSystemDownload(CliContext& context, CliArgs args) {
    SystemDownloadArgs parsed;
    std::string error;
    if (!ParseArgs(args, parsed, error)) return CliUsageError(context, error);

    std::error_code ec;
    fs::path path = fs::absolute(fs::path(parsed.Files.front()), ec).lexically_normal();
    if (ec || !path.has_filename()) return CliUsageError(context, "\"" + parsed.Files.front() + "\" does not name a file");
    DownloadRequest answer;
    answer.TransferFolder = path.parent_path().string();
    answer.SysDelayBits = parsed.Delay;
    uint64_t size = fs::file_size(path, ec);
    answer.Files.push_back({path.filename().string(), ec ? 0 : size, ""});

    const ChannelConfig channel = LoadChannelRecord(context, parsed.Channel);
    LinkSession session(context);
    SystemDownloadDispatcher& dispatcher = AddSystemDownloadJobs(session.Engine());
    if (SystemDownloadDispatcher::JobBitFor(channel.McType) == 0) {
        // Refused before the port is opened: this machine takes no system program.
        session.Engine().ShowStatus(Msg::InvalidEquipmentType, 1);
        return kExitFailed;
    }
    session.View().SetChannelAnswer(parsed.Channel);
    session.View().SetDownloadAnswer(answer);
    session.Run(WindowMsg::StartSystemDownload);
    const bool completed = dispatcher.LastEndState() == JobState::Completed;
    session.Close();
    return completed ? kExitOk : kExitFailed;
}

}  // namespace

void AddSystemDownloadCommands(std::vector<CliCommand>& commands) {
    commands.push_back({"sysdownload", "--channel N --delay BITS FILE", RunSystemDownload});
}
