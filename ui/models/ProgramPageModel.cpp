#include "ui/models/ProgramPageModel.h"

#include <cstdio>
#include <vector>

#include "engine/JobBits.h"
#include "engine/StatusBits.h"
#include "engine/WindowMessages.h"

namespace {
std::string Format(const char* format, auto... args) {
    int size = std::snprintf(nullptr, 0, format, args...);
    if (size <= 0) return {};
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1);
    std::snprintf(buffer.data(), buffer.size(), format, args...);
    return std::string(buffer.data(), static_cast<std::size_t>(size));
}
}  // namespace

const char* ProgramPageModel::SubModuleTypeName(int type) {
    switch (type) {
        case 0: return "RS232";
        case 1: return "PNC";
        case 2: return "VC5";
        default: return "?";
    }
}

uint32_t ProgramPageModel::ConnectMessage(uint32_t statusFlags) {
    return (statusFlags & Status::SubConnected) ? WindowMsg::StartDisconnect : WindowMsg::StartConnect;
}

ProgramPageView ProgramPageModel::Build(const ProgramPageInput& input, const TextOf& text) {
    ProgramPageView view;
    const bool connected = (input.StatusFlags & Status::SubConnected) != 0;

    view.DownloadCaption = text(Msg::ProgramDownloadKey);
    view.SystemDownloadCaption = text(Msg::SystemProgramDownloadKey);
    view.UploadCaption = text(Msg::ProgramUploadKey);
    view.CancelCaption = text(Msg::CancelStopKey);
    if (connected) {
        const ChannelConfig& ch = input.Channel;
        view.ConnectCaption = text(Msg::DisconnectMachineKey);
        view.StatusLine = Format("%s %d : %s (%s,%s,Type:%s,Ver%01.01f)",
                                 text(Msg::ConnectedChannel).c_str(), ch.Channel, ch.McName.c_str(),
                                 ch.McType.c_str(), ch.SubSerial.c_str(),
                                 SubModuleTypeName(input.SubModuleType),
                                 static_cast<double>(input.SubModuleVersion) / 10.0);
    } else {
        view.ConnectCaption = text(Msg::ConnectMachineKey);
        view.StatusLine = text(Msg::Disconnected);
    }

    if (input.ActiveJobs != 0) {
        view.CancelEnabled = true;
        view.StatusLineEnabled = connected;
        view.TimeLabelEnabled = (input.ActiveJobs & (JobBit::UploadDispatcher | JobBit::DownloadDispatcher |
                                                     JobBit::SystemDispatcher)) != 0;
        return view;
    }
    view.ConnectEnabled = true;
    view.DownloadEnabled = (input.RegisteredJobs & JobBit::DownloadDispatcher) != 0;
    view.UploadEnabled = (input.RegisteredJobs & JobBit::UploadDispatcher) != 0;
    // System programs exist only for UNIVERSAL and TDK/VC5 machines; before a
    // connection the dispatcher asks for a suitable channel itself.
    view.SystemDownloadEnabled =
        (input.RegisteredJobs & JobBit::SystemDispatcher) != 0 &&
        (!connected || input.Channel.McType == "UNIVERSAL" || input.Channel.McType == "TDK/VC5");
    view.StatusLineEnabled = connected;
    return view;
}
