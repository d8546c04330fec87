#include "link/ScanJob.h"

#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"

namespace {
// An inquiry line: a 12-character module address, a comma, the module's data.
bool IsModuleLine(const std::string& line) { return line.find(',') == 12; }
}  // namespace

ScanJob::ScanJob(Terminal& terminal) : Job(terminal, JobBit::Scan) {}

int ScanJob::Refuse(Msg reason) {
    T.ShowStatus(reason, 1);
    T.Engine.ActiveJobs &= ~Bit;
    // The pages enabled their buttons on the job's bit; show them free again.
    T.RefreshPages();
    return 1;
}

int ScanJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    const std::string& reply = T.LastReplyLine;
    const bool timeout = (event & EV_TIMEOUT) != 0;

    switch (State) {
        case 0:
            Completed = false;
            T.RefreshPages();
            if (!(T.StatusFlags & Status::HostConfirmed)) return Refuse(Msg::CheckHostModule);
            // A scan runs only while no sub module is connected.
            if (T.StatusFlags & Status::SubConnected) return Refuse(Msg::ScanRefusedSubConnected);
            T.ShowStatus(Msg::SearchingSubModules, 1);
            T.StatusFlags &= ~Status::LinkIdle;
            T.Engine.EventMask = kDefaultEventMask;
            State = 10;
            return 1;

        case 10:
            T.ClearReply();
            // Every line on its own: several module lines often arrive in one batch.
            T.Engine.EventMask |= EV_TIMEOUT | EV_DATA | EV_LINE;
            T.QueueText("AT+BTINQ?\r", true);
            ArmTimeout(kInquiryMs);
            T.View.OpenScanDialog();
            dialogOpen_ = true;
            State = 20;
            return 0;

        case 20:
            if (timeout) {
                T.ShowStatus(Msg::FailedToSearchSubModules, 0);
                State = JobState::Finish;
                return 1;
            }
            if (reply == "OK") {
                KillTimeout();
                Completed = true;
                T.ShowStatus(Msg::SubModuleSearchCompleted, 0);
                State = JobState::Finish;
                return 1;
            }
            if (IsModuleLine(reply)) {
                T.ShowStatus(reply, 0);
                T.ClearReply();
            }
            return 0;

        case JobState::Cancelled:
            // The inquiry's own time-out keeps running.
            State = 30;
            T.QueueText("AT+BTCANCEL\r", true);
            T.ShowStatus(Msg::SubModuleSearchStopped, 0);
            return 0;

        case 30:
            if (timeout) {
                State = JobState::Finish;
                return 1;
            }
            if (reply == "OK") {
                KillTimeout();
                State = JobState::Finish;
                return 1;
            }
            return 0;

        case JobState::Finish:
            T.Engine.EventMask &= ~EV_LINE;
            FinishJob();
            if (dialogOpen_) {
                T.View.CloseScanDialog();
                dialogOpen_ = false;
            }
            return 1;

        default:
            State = JobState::Finish;
            return 1;
    }
}
