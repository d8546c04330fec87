#pragma once
// What the PC port page shows and allows: its captions, the port parameter and
// host labels, the four line indicators, which controls are enabled, and what
// Apply does with the chosen port and the edited idle time.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/PcPortConfig.h"
#include "lang/Msg.h"

struct PcPortPageInput {
    uint32_t StatusFlags = 0;
    uint32_t ActiveJobs = 0;
    PcPortConfig Port;             // the stored settings and the port in use
    std::string HostAddress;       // of the confirmed host module
    std::string HostDeviceName;
    std::string ChosenPort;        // the combo's entry, empty when none is chosen
    std::string IdleText;          // what the idle-time edit holds
    bool PortOpen = false;         // the PC port is open (its RTS line is then on)
    bool MachineBusy = false;      // the sub module's last report was 0xFF
};

struct PcPortPageView {
    std::string PortNoCaption;
    std::string GroupCaption;
    std::string IdleCaption;
    std::string OpenCloseCaption;
    std::string ReconnectCaption;
    std::string ApplyCaption;
    std::string CancelCaption;
    std::string ParameterText;
    std::string HostText;

    bool PortLabelEnabled = false;
    bool PortComboEnabled = false;
    bool ParameterLabelEnabled = false;
    bool PcToHostEnabled = false;
    bool HostToPcEnabled = false;
    bool SubToMcEnabled = false;
    bool McToSubEnabled = false;
    bool IdleLabelEnabled = false;
    bool IdleEditEnabled = false;
    bool HostLabelEnabled = false;
    bool OpenCloseEnabled = false;
    bool ReconnectEnabled = false;
    bool ApplyEnabled = false;
    bool CancelEnabled = false;

    // PC->HOST: the PC port's RTS; HOST->PC: its CTS; SUB->MC and MC->SUB:
    // the machine's busy line as the connected sub module reports it.
    bool PcToHostOn = false;
    bool HostToPcOn = false;
    bool SubToMcOn = false;
    bool McToSubOn = false;
};

// What Apply decided: the settings to keep, or why nothing is kept.
struct PcPortApply {
    std::optional<std::string> Error;   // the text for a message box; nothing is changed
    std::string PcComNo;
    int DisconnectTime = 0;
    bool IdleTimeChanged = false;       // the window must re-arm its idle timer (0x41C)
};

class PcPortPageModel {
public:
    using TextOf = std::function<std::string(Msg)>;

    static PcPortPageView Build(const PcPortPageInput& input, const TextOf& text);

    // The idle time typed by the operator: a whole number of seconds from 0
    // to Terminal::kMaxIdleSeconds, blanks around it allowed; nothing otherwise.
    static std::optional<int> ParseIdleTime(const std::string& text);

    // Apply with the chosen port ("Auto" when none is chosen) and the edited
    // idle time; an idle time that is no whole number in range is refused.
    static PcPortApply Apply(const PcPortConfig& port, const std::string& chosenPort,
                             const std::string& idleText, const TextOf& text);

    // Open Port / Close Port: close an open port, otherwise search the host.
    static uint32_t OpenCloseMessage(bool portOpen);

private:
    static bool PortChoiceDiffers(const PcPortPageInput& input);
    static bool IdleTimeDiffers(const PcPortPageInput& input);
};
