#include "link/HostCheckJob.h"

#include <algorithm>
#include <cctype>

#include "app/CKOVAApp.h"
#include "engine/EventLoop.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"
#include "serial/SerialPort.h"

namespace {
constexpr uint32_t kReplyWaitMs = 10000;
// A device that keeps talking without ever giving the awaited answer must not
// hold the search on its port for ever.
constexpr uint64_t kMaxReplyWaitMs = 30000;
constexpr const char* kExpectedConfiguration = ",MODE0,STANDBY,0,0,HWFC";
}  // namespace

HostCheckJob::HostCheckJob(Terminal& terminal) : Job(terminal, JobBit::HostCheck) {}

bool HostCheckJob::IsAuto() const { return T.App.PcPort.PcComNo == "Auto"; }

void HostCheckJob::Send(const std::string& command, bool raw) {
    T.ClearReply();
    T.QueueText(command, raw);
    commandSentMs_ = T.Loop.NowMs();
    ArmTimeout(kReplyWaitMs);
}

void HostCheckJob::WaitMore() {
    uint64_t elapsed = T.Loop.NowMs() - commandSentMs_;
    uint64_t left = elapsed < kMaxReplyWaitMs ? kMaxReplyWaitMs - elapsed : 1;
    ArmTimeout(static_cast<uint32_t>(std::min<uint64_t>(kReplyWaitMs, left)));
}

void HostCheckJob::CloseIfOpen() {
    if (T.Port.IsOpen()) T.ClosePcPort(false);
}

int HostCheckJob::HostModuleMissing() {
    T.ShowStatus(Msg::HostModuleNotFound, 0);
    State = 10;
    return 1;
}

int HostCheckJob::AwaitAnswer(bool timeout, const char* expected, int next) {
    if (timeout) return HostModuleMissing();
    if (T.LastReplyLine == expected) {
        KillTimeout();
        State = next;
        return 1;
    }
    WaitMore();
    return 0;
}

int HostCheckJob::Run(uint32_t event) {
    ApplyStartAndCancel(event);
    const std::string& reply = T.LastReplyLine;
    const bool timeout = (event & EV_TIMEOUT) != 0;

    switch (State) {
        case 0:
            T.StatusFlags &= ~(Status::HostConfirmed | Status::SubConnected | Status::LinkIdle |
                               Status::EchoTransmitted | Status::ShowReceived);
            // Cancel too, so that the program page's Cancel reaches the search.
            T.Engine.EventMask |= EV_CANCEL | EV_TIMEOUT | EV_DATA;
            CloseIfOpen();
            fixedPortTries_ = 0;
            if (IsAuto()) {
                T.App.EnumComPorts(T.App.ComPortList);
                tryIndex_ = static_cast<int>(T.App.ComPortList.size());
                if (tryIndex_ <= 1) {
                    T.ShowStatus(Msg::PcPortNotFound, 1);
                    State = JobState::Finish;
                    return 1;
                }
            }
            T.RefreshPages();
            State = 10;
            return 1;

        case 10: {
            CloseIfOpen();
            std::string portName;
            if (IsAuto()) {
                if (--tryIndex_ <= 0) {
                    State = JobState::Failed;
                    return 1;
                }
                portName = T.App.ComPortList[tryIndex_];
            } else {
                if (FixedPortTryLimit > 0 && fixedPortTries_ >= FixedPortTryLimit) {
                    State = JobState::Cancelled;
                    return 1;
                }
                ++fixedPortTries_;
                portName = T.App.PcPort.PcComNo;
            }
            T.App.PcPort.PortName = portName;
            std::string report;
            int opened = T.OpenPcPort(report);
            T.ShowStatus(report, 1);
            if (!opened) {
                if (!IsAuto()) State = JobState::Failed;
                return 1;
            }
            T.ShowStatus(Msg::CheckingHostModule, 0);
            Send("+++\r", true);
            State = 20;
            return 0;
        }

        case 20:
            if (timeout) {
                T.ShowStatus(Msg::TrxNotFound, 0);
                State = IsAuto() ? 10 : JobState::Failed;
                return 1;
            }
            if (reply == "OK") {
                KillTimeout();
                State = 30;
                return 1;
            }
            if (reply == "ERROR") {   // already in command mode
                KillTimeout();
                State = 50;
                return 1;
            }
            WaitMore();
            return 0;

        case 30:
            Send("ATH\r", false);
            State = 40;
            return 0;

        case 40: return AwaitAnswer(timeout, "DISCONNECT", 50);

        case 50:
            T.ReceivedText.clear();
            Send("AT+BTINFO?\r", true);
            State = 60;
            return 0;

        case 60: return AwaitAnswer(timeout, "OK", 70);

        case 70: {
            std::string& text = T.ReceivedText;
            std::size_t start = 0;
            while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
            text.erase(0, start);
            if (!T.HostInfo.Parse(text)) return HostModuleMissing();
            if (text.find(kExpectedConfiguration) != std::string::npos) {
                State = JobState::Completed;
                return 1;
            }
            Send("AT&F\r", false);
            State = 80;
            return 0;
        }

        case 80: return AwaitAnswer(timeout, "OK", JobState::Completed);

        case JobState::Completed:
            T.ShowStatus(Msg::HostModuleConfirmed, 0);
            T.StatusFlags |= Status::HostConfirmed;
            State = JobState::Finish;
            return 1;

        case JobState::Cancelled:
            KillTimeout();
            CloseIfOpen();
            T.ShowStatus(Msg::HostModuleConnectCanceled, 0);
            State = JobState::Finish;
            return 1;

        case JobState::Failed:
            CloseIfOpen();
            if (T.View.AskMessageBox(T.Text(Msg::ReconnectHostModuleUsb), MessageBoxKind::RetryCancel) ==
                MessageBoxAnswer::Retry) {
                State = 0;
            } else {
                State = JobState::Finish;
            }
            return 1;

        case JobState::Finish:
            return FinishJobOfferingConnection();

        default:
            State = JobState::Finish;
            return 1;
    }
}
