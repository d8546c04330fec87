// kova-cli commands of the radio link: host, scan, connect.

#include <ostream>

#include "app/CKOVAApp.h"
#include "cli/CliCommand.h"
#include "cli/LinkSession.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/WindowMessages.h"
#include "link/ScanJob.h"

namespace {

bool HostConfirmed(LinkSession& session) { return (session.Engine().StatusFlags & Status::HostConfirmed) != 0; }

int RunHost(CliContext& context, CliArgs args) {
    if (!args.empty()) return CliUsageError(context, "host takes no arguments");
    LinkSession session(context);
    session.Run(WindowMsg::StartHostCheck);
    const bool confirmed = HostConfirmed(session);
    if (confirmed) {
        const HostModuleInfo& info = session.Engine().HostInfo;
        context.Out << info.Address << '\t' << info.DeviceName << std::endl;
    }
    session.Close();
    return confirmed ? kExitOk : kExitFailed;
}

int RunScan(CliContext& context, CliArgs args) {
    if (!args.empty()) return CliUsageError(context, "scan takes no arguments");
    LinkSession session(context);
    session.View().SetScanLinesToOutput(true);
    session.Run(WindowMsg::StartHostCheck);
    bool completed = false;
    if (HostConfirmed(session)) {
        session.Run(WindowMsg::StartScan);
        completed = session.Jobs().Scan.Completed;
    }
    session.Close();
    return completed ? kExitOk : kExitFailed;
}

int RunConnect(CliContext& context, CliArgs args) {
    int channel = 0;
    std::string error;
    if (!ParseChannelOption(args, channel, error)) return CliUsageError(context, error);
    LinkSession session(context);
    session.View().SetChannelAnswer(channel);
    // The connect job confirms the host module itself first.
    session.Run(WindowMsg::StartConnect);
    const uint32_t flags = session.Engine().StatusFlags;
    const bool connected = (flags & Status::SubConnected) && (flags & Status::SubSetUp);
    // The hang-up is part of the command: a module left connected is a failure.
    const bool hungUp = session.Close();
    return connected && hungUp ? kExitOk : kExitFailed;
}

}  // namespace

void AddLinkCommands(std::vector<CliCommand>& commands) {
    commands.push_back({"host", "", RunHost});
    commands.push_back({"scan", "", RunScan});
    commands.push_back({"connect", "--channel N", RunConnect});
}
