// kova-cli list: the program directory of a UNIVERSAL or TDK/VC5 machine,
// one "Steps<TAB>Name" line per program, in the machine's order.

#include <ostream>

#include "app/CKOVAApp.h"
#include "cli/CliCommand.h"
#include "cli/EscapedText.h"
#include "cli/LinkSession.h"
#include "engine/JobBits.h"
#include "lists/ListJobs.h"
#include "engine/StatusBits.h"
#include "lists/TdkVc5ListJob.h"
#include "engine/Terminal.h"
#include "lists/UniversalListJob.h"
#include "engine/WindowMessages.h"

namespace {

int RunList(CliContext& context, CliArgs args) {
    int channel = 0;
    std::string error;
    if (!ParseChannelOption(args, channel, error)) return CliUsageError(context, error);

    // Only two machine types keep a directory; refuse the others before any radio traffic.
    if (context.App.ChannelKeyExists(channel)) {
        const ChannelConfig config = LoadChannelRecord(context, channel);
        if (config.McType != "UNIVERSAL" && config.McType != "TDK/VC5") {
            return CliFailure(context, "channel " + std::to_string(channel) + " (" + EscapedText(config.McType) +
                                           ") keeps no program list: only UNIVERSAL and TDK/VC5 machines do");
        }
    }

    LinkSession session(context);
    ListJobs lists = AddListJobs(session.Engine());
    session.View().SetChannelAnswer(channel);
    session.Run(WindowMsg::StartConnect);

    bool completed = false;
    Terminal& terminal = session.Engine();
    const uint32_t lossesBefore = terminal.ReceiveLossCount;
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
    if (completed && terminal.ReceiveLossCount != lossesBefore) {
        // Lines of the listing may be among the lost bytes.
        terminal.ShowStatus(Terminal::kReceiveLostText, 1);
        completed = false;
    }
    if (completed) {
        for (const McProgramEntry& entry : terminal.McProgramList) {
            context.Out << entry.Steps << '\t' << EscapedText(entry.Name) << '\n';
        }
        context.Out.flush();
    }
    const bool hungUp = session.Close();
    return completed && hungUp ? kExitOk : kExitFailed;
}

}  // namespace

void AddListCommands(std::vector<CliCommand>& commands) {
    commands.push_back({"list", "--channel N", RunList});
}
