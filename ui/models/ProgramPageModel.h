#pragma once
// What the program page shows: the captions of its buttons, the status line of
// the connected machine, and which controls are enabled, from the link state.

#include <cstdint>
#include <functional>
#include <string>

#include "app/ChannelConfig.h"
#include "lang/Msg.h"

struct ProgramPageInput {
    uint32_t StatusFlags = 0;
    uint32_t ActiveJobs = 0;
    uint32_t RegisteredJobs = 0;  // the job bits that have a job behind them
    ChannelConfig Channel;        // the current channel
    int SubModuleType = 0;        // as the sub module reported it
    int SubModuleVersion = 0;     // in tenths: 31 is version 3.1
};

struct ProgramPageView {
    std::string ConnectCaption;
    std::string DownloadCaption;
    std::string SystemDownloadCaption;
    std::string UploadCaption;
    std::string CancelCaption;
    std::string StatusLine;

    bool ConnectEnabled = false;
    bool DownloadEnabled = false;
    bool UploadEnabled = false;
    bool SystemDownloadEnabled = false;
    bool CancelEnabled = false;
    bool StatusLineEnabled = false;
    bool TimeLabelEnabled = false;
};

class ProgramPageModel {
public:
    using TextOf = std::function<std::string(Msg)>;

    static ProgramPageView Build(const ProgramPageInput& input, const TextOf& text);

    // "RS232", "PNC", "VC5", and "?" for every code from 3 up.
    static const char* SubModuleTypeName(int type);
    // The window message of the connect button: disconnect when connected.
    static uint32_t ConnectMessage(uint32_t statusFlags);
};
