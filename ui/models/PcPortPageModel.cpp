#include "ui/models/PcPortPageModel.h"

#include <charconv>

#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/WindowMessages.h"

namespace {
constexpr const char* kAuto = "Auto";

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string ChosenOrAuto(const std::string& chosen) { return chosen.empty() ? kAuto : chosen; }
}  // namespace

std::optional<int> PcPortPageModel::ParseIdleTime(const std::string& text) {
    const std::string digits = Trimmed(text);
    if (digits.empty() || digits.size() > 7) return std::nullopt;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    int value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (value > Terminal::kMaxIdleSeconds) return std::nullopt;
    return value;
}

bool PcPortPageModel::PortChoiceDiffers(const PcPortPageInput& input) {
    return ChosenOrAuto(input.ChosenPort) != input.Port.PcComNo;
}

bool PcPortPageModel::IdleTimeDiffers(const PcPortPageInput& input) {
    const auto edited = ParseIdleTime(input.IdleText);
    return !edited || *edited != input.Port.DisconnectTime;
}

uint32_t PcPortPageModel::OpenCloseMessage(bool portOpen) {
    return portOpen ? WindowMsg::StartClosePort : WindowMsg::StartHostCheck;
}

PcPortPageView PcPortPageModel::Build(const PcPortPageInput& input, const TextOf& text) {
    PcPortPageView view;
    const bool host = (input.StatusFlags & Status::HostConfirmed) != 0;
    const bool connected = (input.StatusFlags & Status::SubConnected) != 0;
    const PcPortConfig& port = input.Port;

    view.PortNoCaption = text(Msg::PortNo);
    view.GroupCaption = text(Msg::PortRtsBusyStatus);
    view.IdleCaption = text(Msg::SubModuleIdleDisconnectTime);
    view.ReconnectCaption = text(Msg::Reconnect);
    view.ApplyCaption = text(Msg::Apply);
    view.CancelCaption = text(Msg::Cancel);
    view.OpenCloseCaption = text(host ? Msg::ClosePort : Msg::OpenPort);
    const std::string& portName = port.PortName.empty() ? port.PcComNo : port.PortName;
    view.ParameterText = portName + ", B:" + port.BaudRate + ", D:" + port.DataBit + ", S:" + port.StopBit +
                         ", P:" + port.ParityBit;
    view.HostText = text(Msg::HostInfo) + " : ";
    if (host) view.HostText += input.HostAddress + " / " + input.HostDeviceName;

    view.PcToHostOn = input.PortOpen;
    view.HostToPcOn = input.PortOpen && (input.StatusFlags & Status::CtsOn) != 0;
    view.McToSubOn = connected && input.MachineBusy;
    view.SubToMcOn = connected && !input.MachineBusy;

    if (input.ActiveJobs != 0) return view;   // everything disabled while a job runs

    const bool idleDiffers = IdleTimeDiffers(input);
    view.PortLabelEnabled = true;
    view.IdleLabelEnabled = true;
    view.IdleEditEnabled = true;
    view.HostLabelEnabled = true;
    if (host) {
        view.ParameterLabelEnabled = true;
        view.PcToHostEnabled = true;
        view.HostToPcEnabled = true;
        view.SubToMcEnabled = connected;
        view.McToSubEnabled = connected;
        view.OpenCloseEnabled = true;
        view.ReconnectEnabled = true;
        view.ApplyEnabled = idleDiffers;
    } else {
        const bool portDiffers = PortChoiceDiffers(input);
        view.PortComboEnabled = true;
        // A port chosen but not applied must not be opened under the old setting.
        view.OpenCloseEnabled = !portDiffers;
        view.ApplyEnabled = portDiffers || idleDiffers;
    }
    view.CancelEnabled = view.ApplyEnabled;
    return view;
}

PcPortApply PcPortPageModel::Apply(const PcPortConfig& port, const std::string& chosenPort,
                                   const std::string& idleText, const TextOf& text) {
    PcPortApply result;
    const auto idle = ParseIdleTime(idleText);
    if (!idle) {
        result.Error = text(Msg::SubModuleIdleDisconnectTime) + " : 0 ~ " + std::to_string(Terminal::kMaxIdleSeconds);
        return result;
    }
    result.PcComNo = ChosenOrAuto(chosenPort);
    result.DisconnectTime = *idle;
    result.IdleTimeChanged = *idle != port.DisconnectTime;
    return result;
}
