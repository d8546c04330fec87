#include "link/ConnectJob.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "app/CKOVAApp.h"
#include "app/ChannelFieldRules.h"
#include "engine/ControlBytes.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"
#include "link/ChannelSelectionModel.h"

namespace {
constexpr uint32_t kTickMs = 100;
constexpr uint32_t kConnectedPauseMs = 500;
constexpr std::size_t kSerialLength = 12;
}  // namespace

ConnectJob::ConnectJob(Terminal& terminal) : Job(terminal, JobBit::Connect) {}

bool ConnectJob::IsValidSubSerial(const std::string& serial) {
    return serial.size() == kSerialLength &&
           std::all_of(serial.begin(), serial.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

std::string ConnectJob::SelectionTitle() const {
    const JobEngine& engine = T.Engine;
    if (engine.IsActive(JobBit::UploadDispatcher)) return T.Text(Msg::SelectUploadingChannel);
    if (engine.IsActive(JobBit::DownloadDispatcher)) return T.Text(Msg::SelectDownloadingChannel);
    if (engine.IsActive(JobBit::SystemDispatcher)) return T.Text(Msg::SelectSystemDownloadingChannel);
    return T.Text(Msg::SelectChannel);
}

bool ConnectJob::ChooseChannel(int& channel) {
    // The store is read afresh each time: channels may have been edited meanwhile.
    std::vector<ChannelConfig> stored;
    for (int n = kFirstChannel; n <= kLastChannel; ++n) {
        if (!T.App.ChannelKeyExists(n)) continue;
        ChannelConfig config;
        config.Channel = n;
        if (T.App.LoadChannelConfig(config)) stored.push_back(config);
    }
    ChannelSelectionModel model(SelectionTitle(), T.App.CurrentChannel.Channel,
                                T.Engine.IsActive(JobBit::SystemDispatcher));
    model.Fill(stored);
    if (!T.View.RunChannelSelection(model)) return false;
    channel = model.SelectedChannel();
    return true;
}

int ConnectJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    switch (State) {
        case 0:
            if (T.StatusFlags & Status::SubConnected) {
                State = JobState::Finish;
                return 1;
            }
            T.RefreshPages();
            T.Engine.EventMask = kDefaultEventMask;
            T.StatusFlags &= ~(Status::LinkIdle | Status::EchoTransmitted | Status::ShowReceived);
            State = 10;
            if (!(T.StatusFlags & Status::HostConfirmed)) {
                // Continues in state 10 once the host check has finished.
                T.StartJob(JobBit::HostCheck);
                return 0;
            }
            return 1;

        case 10: {
            if (!(T.StatusFlags & Status::HostConfirmed)) {
                T.ShowStatus(Msg::CheckHostModule, 1);
                State = JobState::Finish;
                return 1;
            }
            int channel = 0;
            if (!ChooseChannel(channel)) {
                T.ShowStatus(Msg::EquipmentConnectCanceled, 1);
                State = JobState::Finish;
                return 1;
            }
            ChannelConfig& current = T.App.CurrentChannel;
            current.Channel = channel;
            if (!T.App.LoadChannelConfig(current)) {
                T.ShowStatus(Msg::FailedToGetChannelInfo, 1);
                State = JobState::Finish;
                return 1;
            }
            // Only a well-formed address is dialled: anything else would reach
            // the host module as part of a command line.
            if (!IsValidSubSerial(current.SubSerial)) {
                T.ShowStatus(Msg::SubModuleSerialInvalid, 1);
                State = JobState::Cancelled;
                return 1;
            }
            // A record edited by hand outside the program may hold a value no
            // machine or sub module takes (an unknown type, a baud rate with
            // no code, text that breaks lines). It is refused here, with the
            // field named, rather than dialled with values made up for it.
            if (const std::string report = CheckChannelConfig(current); !report.empty()) {
                T.ShowStatus(Msg::FailedToGetChannelInfo, 1);
                T.ShowStatus(report, 0);
                State = JobState::Finish;
                return 1;
            }
            T.ConnectTicks = kDialTicks;
            // The upper bar (the view's total bar) counts the dial's ticks, the
            // lower one (its file bar) only shows that bytes arrive.
            T.View.SetTotalProgress(0, kDialTicks);
            T.View.SetFileProgress(0, kDataBarRange);
            T.RxByteCount = 0;
            T.ClearReply();
            T.ShowStatus(T.Text(Msg::ChannelColumn) + ":" + std::to_string(channel) + " " +
                             T.Text(Msg::TryingToConnectSubModule),
                         1);
            T.QueueText("ATD" + current.SubSerial + "\r", false);
            ArmTimeout(kTickMs);
            State = 20;
            return 0;
        }

        case 20:
            if (event & EV_TIMEOUT) {
                T.View.SetTotalProgress(kDialTicks - T.ConnectTicks, kDialTicks);
                if (--T.ConnectTicks <= 0) {
                    T.ShowStatus(Msg::TrxNotFound, 0);
                    // The dial may still be running in the host module; a late
                    // answer must not leave it in data mode behind our back.
                    T.QueueText("AT+BTCANCEL\r", true);
                    State = JobState::Finish;
                    return 1;
                }
                ArmTimeout(kTickMs);
                return 0;
            }
            if (event & EV_DATA) T.View.SetFileProgress(std::min(T.RxByteCount, kDataBarRange - 1), kDataBarRange);
            if (T.LastReplyLine == "ERROR") {
                KillTimeout();
                T.ShowStatus(Msg::TrxNotFound, 0);
                T.QueueText("AT&F\r", false);
                State = JobState::Finish;
                return 1;
            }
            if (T.LastReplyLine.find("CONNECT ") != std::string::npos) {
                KillTimeout();
                T.StatusFlags |= Status::SubConnected;
                T.SubTransparent = false;   // a fresh link: the sub module reads commands again
                State = 30;
                return 1;
            }
            return 0;

        case 30:
            // Continues in state 32 once the set-up has finished.
            State = 32;
            T.StartJob(JobBit::ModuleSetup);
            return 0;

        case 32:
            if (T.StatusFlags & Status::SubSetUp) {
                T.View.SetFileProgress(kDataBarRange, kDataBarRange);
                State = JobState::Completed;
                ArmTimeout(kConnectedPauseMs);
                return 0;
            }
            // The disconnect runs next in this same dispatch, from its state 0.
            T.Engine.ActiveJobs |= JobBit::Disconnect;
            State = JobState::Finish;
            return 1;

        case JobState::Completed:
            KillTimeout();
            T.ShowStatus(Msg::EquipmentConnected, 0);
            T.StatusFlags |= Status::SubConnected;
            if (!T.StopOwedTo.empty() && T.StopOwedTo == T.App.CurrentChannel.SubSerial) {
                T.QueueByte(ControlByte::Etx, false);
                T.StopOwedTo.clear();
            }
            T.RefreshPages();
            State = JobState::Finish;
            return 1;

        case JobState::Cancelled:
            State = 0;
            KillTimeout();
            // Stops a dial in progress; once connected the text would go to the machine.
            if (!(T.StatusFlags & Status::SubConnected)) T.QueueText("AT+BTCANCEL\r", true);
            T.ShowStatus(Msg::EquipmentConnectCanceled, 0);
            T.Engine.ActiveJobs &= ~Bit;
            if (T.Engine.ActiveJobs != 0) {
                // The parent (a download, say) must hear the cancel: posted
                // before the mask narrows, or the mask would filter it out and
                // the parent would go on over a link it never wanted.
                T.PostJobEvent(EV_CANCEL);
                T.Engine.EventMask &= EV_TIMEOUT | EV_DATA;
                return 1;
            }
            T.Engine.EventMask &= EV_TIMEOUT | EV_DATA;
            T.Engine.ActiveJobs |= Bit;
            State = JobState::Finish;
            return 1;

        case JobState::Finish:
            T.View.SetTotalProgress(0, kDialTicks);
            T.View.SetFileProgress(0, kDataBarRange);
            return FinishJobOfferingConnection();

        default:
            State = JobState::Finish;
            return 1;
    }
}
