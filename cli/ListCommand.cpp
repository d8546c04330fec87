// kova-cli list: the program directory of a UNIVERSAL or TDK/VC5 machine,
// one "Steps<TAB>Name" line per program, in the machine's order.

#include <ostream>

#include "app/CKOVAApp.h"
#include "cli/CliCommand.h"
#include "cli/LinkSession.h"
#include "jobs/JobBits.h"
#include "jobs/ListJobs.h"
#include "jobs/StatusBits.h"
#include "jobs/TdkVc5ListJob.h"
#include "jobs/Terminal.h"
#include "jobs/UniversalListJob.h"
#include "jobs/WindowMessages.h"

namespace {

// "--channel N" or "--channel=N", and nothing else.
bool ParseChannel(CliArgs args, int& channel, std::string& error) {
    channel = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string value;
        if (args[i] == "--channel" && i + 1 < args.size()) {
            value = args[++i];
        } else if (args[i].rfind("--channel=", 0) == 0) {
            value = args[i].substr(10);
        } else {
            error = args[i] == "--channel" ? "--channel needs a channel number" : "unexpected argument \"" + args[i] + "\"";
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

int RunList(CliContext& context, CliArgs args) {
    int channel = 0;
    std::string error;
    if (!ParseChannel(args, channel, error)) return CliUsageError(context, error);

    // Only two machine types keep a directory; refuse the others before any radio traffic.
    if (context.App.ChannelKeyExists(channel)) {
        ChannelConfig config;
        config.Channel = channel;
        context.App.SetDefaultChannelConfig(config);
        context.App.LoadChannelConfig(config);
        if (config.McType != "UNIVERSAL" && config.McType != "TDK/VC5") {
            return CliFailure(context, "channel " + std::to_string(channel) + " (" + config.McType +
                                           ") keeps no program list: only UNIVERSAL and TDK/VC5 machines do");
        }
    }

    LinkSession session(context);
    ListJobs lists = AddListJobs(session.Engine());
    session.View().SetChannelAnswer(channel);
    session.Run(WindowMsg::StartConnect);

    bool completed = false;
    Terminal& terminal = session.Engine();
    if (terminal.StatusFlags & Status::SubConnected) {
        if (terminal.CurrentTypeIs("UNIVERSAL")) {
            session.RunJob(JobBit::ListUniversal);
            completed = lists.Universal.Completed;
        } else if (terminal.CurrentTypeIs("TDK/VC5")) {
            session.RunJob(JobBit::ListTdkVc5);
            completed = lists.TdkVc5.Completed;
        } else {
            terminal.ShowStatus(Msg::InvalidEquipmentType, 1);
        }
    }
    if (completed) {
        for (const McProgramEntry& entry : terminal.McProgramList) {
            context.Out << entry.Steps << '\t' << entry.Name << '\n';
        }
        context.Out.flush();
    }
    session.Close();
    return completed ? kExitOk : kExitFailed;
}

}  // namespace

void AddListCommands(std::vector<CliCommand>& commands) {
    commands.push_back({"list", "--channel N", RunList});
}
