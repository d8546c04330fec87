#include "sim/KovaSimOptions.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "sim/CitizenM10Machine.h"
#include "sim/SimulatedMachine.h"
#include "sim/SimulatedRadio.h"
#include "sim/SimulatedSubModule.h"
#include "sim/TdkVc5Machine.h"
#include "sim/TdkVc5aMachine.h"
#include "sim/UniversalMachine.h"

const char* KovaSimOptions::Usage() {
    return "usage: kova-sim [--link PATH] [--no-host-answer] [--refuse-dial]\n"
           "                [--refuse ADDR] [--mute ADDR] [--absent ADDR]\n"
           "                [--no-start ADDR]\n"
           "                [--sub-version N] [--host-mode TEXT] [--trace]\n"
           "                [--system-load ADDR] [--system-dir DIR] [--fast]\n"
           "                [--alter-stored ADDR:LINE]\n";
}

const char* KovaSimOptions::Help() {
    return "\n"
           "The simulated radio terminal on a pseudo-terminal: a host module and seven sub\n"
           "modules, 000000000001 to 000000000007, with a DYNA/PERT, PANASERT/RS232,\n"
           "PANASERT/TTY, CITIZEN/M10, TDK/VC5A, TDK/VC5 and UNIVERSAL machine.\n"
           "Bytes cross the pseudo-terminal at the 9600 baud of the host module's UART\n"
           "in both directions, as with the real terminal.\n"
           "\n"
           "  --link PATH          make PATH a symbolic link to the pseudo-terminal\n"
           "                       (without it the device path is printed)\n"
           "  --fast               pass bytes on at once, not at 9600 baud\n"
           "  --no-host-answer     the host module takes nothing and answers nothing\n"
           "  --refuse-dial        the host refuses every dial\n"
           "  --refuse ADDR        the sub module ADDR refuses to be dialled\n"
           "  --mute ADDR          the sub module ADDR echoes and answers no commands\n"
           "  --absent ADDR        the sub module ADDR is out of radio range\n"
           "  --no-start ADDR      the machine at ADDR never gives its start signal\n"
           "  --sub-version N      every sub module reports version N (tenths, 0..124)\n"
           "  --host-mode TEXT     the host's stored mode field\n"
           "  --system-load ADDR   the machine at ADDR waits for a system program\n"
           "  --system-dir DIR     each system program taken is written to DIR/ADDR.sys\n"
           "  --alter-stored ADDR:LINE  the UNIVERSAL or TDK/VC5 machine at ADDR keeps line\n"
           "                       LINE of every program it takes altered\n"
           "  --trace              every byte both ways on stderr\n";
}

bool KovaSimOptions::Parse(const std::vector<std::string>& args, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string text;
        if (arg == "--link") {
            if (!value(linkPath)) return false;
        } else if (arg == "--no-host-answer") {
            noHostAnswer = true;
        } else if (arg == "--refuse-dial") {
            refuseAllDials = true;
        } else if (arg == "--refuse" || arg == "--mute" || arg == "--absent") {
            if (!value(text)) return false;
            (arg == "--refuse" ? refusing : arg == "--mute" ? muted : absent).push_back(text);
        } else if (arg == "--no-start") {
            if (!value(text)) return false;
            noStart.push_back(text);
        } else if (arg == "--sub-version") {
            if (!value(text)) return false;
            char* end = nullptr;
            long n = std::strtol(text.c_str(), &end, 10);
            if (text.empty() || *end != '\0' || n < 0 || n > 124) {
                error = "--sub-version takes 0 to 124";
                return false;
            }
            subVersion = static_cast<int>(n);
        } else if (arg == "--host-mode") {
            if (!value(hostMode)) return false;
        } else if (arg == "--system-load") {
            if (!value(text)) return false;
            systemLoad.push_back(text);
        } else if (arg == "--system-dir") {
            if (!value(systemDir)) return false;
        } else if (arg == "--alter-stored") {
            if (!value(text)) return false;
            const std::size_t colon = text.rfind(':');
            char* end = nullptr;
            const long line = colon == std::string::npos ? 0 : std::strtol(text.c_str() + colon + 1, &end, 10);
            if (colon == std::string::npos || colon == 0 || end == nullptr || *end != '\0' || line < 1 ||
                line > 9999) {
                error = "--alter-stored takes ADDR:LINE (LINE 1 to 9999)";
                return false;
            }
            alterStored.emplace_back(text.substr(0, colon), static_cast<int>(line));
        } else if (arg == "--fast") {
            fast = true;
        } else if (arg == "--trace") {
            trace = true;
        } else if (arg == "--help" || arg == "-h") {
            help = true;
        } else {
            error = "unknown option " + arg;
            return false;
        }
    }
    return true;
}

bool KovaSimOptions::ApplyTo(SimulatedRadio& radio, std::string& error) const {
    SimulatedHostModule& host = radio.Host();
    host.SetAnswering(!noHostAnswer);
    host.SetRefuseDials(refuseAllDials);
    if (!hostMode.empty()) {
        HostModuleConfig config = host.Config();
        config.mode = hostMode;
        host.SetConfig(config);
    }
    if (subVersion >= 0) {
        for (const auto& sub : radio.SubModules()) sub->SetVersion(static_cast<uint8_t>(subVersion));
    }
    struct Knob {
        const std::vector<std::string>& addresses;
        void (*apply)(SimulatedSubModule&);
    };
    const Knob knobs[] = {
        {refusing, [](SimulatedSubModule& s) { s.SetRefusesDial(true); }},
        {muted, [](SimulatedSubModule& s) { s.SetMuted(true); }},
        {absent, [](SimulatedSubModule& s) { s.SetInRange(false); }},
        {noStart,
         [](SimulatedSubModule& s) {
             if (auto* vc5a = dynamic_cast<TdkVc5aMachine*>(s.Machine())) vc5a->SetStartIntervalMs(0);
             if (auto* m10 = dynamic_cast<CitizenM10Machine*>(s.Machine())) m10->SetAsking(false);
         }},
    };
    for (const Knob& knob : knobs) {
        for (const std::string& address : knob.addresses) {
            SimulatedSubModule* sub = radio.FindSubModule(address);
            if (!sub) {
                error = "no sub module " + address;
                return false;
            }
            knob.apply(*sub);
        }
    }
    for (const auto& [address, line] : alterStored) {
        SimulatedSubModule* sub = radio.FindSubModule(address);
        auto* universal = sub ? dynamic_cast<UniversalMachine*>(sub->Machine()) : nullptr;
        auto* vc5 = sub ? dynamic_cast<TdkVc5Machine*>(sub->Machine()) : nullptr;
        if (universal == nullptr && vc5 == nullptr) {
            error = "no UNIVERSAL or TDK/VC5 machine at " + address;
            return false;
        }
        if (universal) universal->SetAlteredLine(line);
        if (vc5) vc5->SetAlteredLine(line);
    }
    for (const std::string& address : systemLoad) {
        SimulatedSubModule* sub = radio.FindSubModule(address);
        if (!sub || !sub->Machine() || !sub->Machine()->ReadyForSystemProgram()) {
            error = "no machine that takes a system program at " + address;
            return false;
        }
    }
    if (!systemDir.empty()) {
        for (const auto& sub : radio.SubModules()) {
            if (!sub->Machine()) continue;
            std::string path = systemDir + "/" + sub->Address() + ".sys";
            sub->Machine()->SetSystemProgramSink([path](const std::vector<uint8_t>& program) {
                // Written aside and renamed into place, so that whoever waits for
                // the file never sees it empty or half written.
                const std::string part = path + ".part";
                {
                    std::ofstream out(part, std::ios::binary | std::ios::trunc);
                    out.write(reinterpret_cast<const char*>(program.data()),
                              static_cast<std::streamsize>(program.size()));
                }
                std::rename(part.c_str(), path.c_str());
            });
        }
    }
    return true;
}
