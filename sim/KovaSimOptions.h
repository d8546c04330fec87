#pragma once
// Command line of kova-sim and how it sets up the simulated radio terminal.
//
//   --link PATH          make PATH a symbolic link to the pseudo-terminal
//                        (without it the device path is printed on stdout)
//   --no-host-answer     the host module takes nothing and answers nothing
//   --refuse-dial        the host refuses every dial
//   --refuse ADDR        the sub module ADDR refuses to be dialled
//   --mute ADDR          the sub module ADDR echoes and answers no commands
//   --absent ADDR        the sub module ADDR is out of radio range
//   --no-start ADDR      the machine at ADDR never gives its start signal
//                        (a TDK/VC5A operator who never presses start, a
//                        CITIZEN/M10 reader that never asks for the tape)
//   --sub-version N      every sub module reports version N (tenths, 0..124)
//   --host-mode TEXT     the host's stored mode field (e.g. MODE1; AT&F restores MODE0)
//   --system-load ADDR   the machine at sub module ADDR waits for a system program
//                        (UNIVERSAL halted at its console, TDK/VC5 with its
//                        system download switch pressed)
//   --system-dir DIR     each system program a machine takes whole is written
//                        to DIR/ADDR.sys
//   --alter-stored ADDR:LINE  the UNIVERSAL or TDK/VC5 machine at ADDR keeps
//                        line LINE of every program it takes altered (a
//                        faulty store that a verify after download finds)
//   --fast               bytes cross the pseudo-terminal at once, not at the
//                        9600 baud of the host module's UART
//   --trace              every byte both ways on stderr
//   --help

#include <string>
#include <utility>
#include <vector>

class SimulatedRadio;

class KovaSimOptions {
public:
    std::string linkPath;
    bool noHostAnswer = false;
    bool refuseAllDials = false;
    std::vector<std::string> refusing;
    std::vector<std::string> muted;
    std::vector<std::string> absent;
    std::vector<std::string> noStart;
    int subVersion = -1;
    std::string hostMode;
    std::vector<std::string> systemLoad;
    std::string systemDir;
    std::vector<std::pair<std::string, int>> alterStored;   // sub module address, line from 1
    bool fast = false;
    bool trace = false;
    bool help = false;

    // False with a message for a wrong command line.
    bool Parse(const std::vector<std::string>& args, std::string& error);
    // False with a message when an address names no sub module.
    bool ApplyTo(SimulatedRadio& radio, std::string& error) const;
    static const char* Usage();
    // What --help adds to the usage: what the simulator is and each option.
    static const char* Help();
};
