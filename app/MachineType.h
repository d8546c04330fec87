#pragma once
// The supported machine types with the line parameters that choosing a type
// puts into a channel. The order is the order of the machine type combo box.
// Transfer jobs pick their protocol by comparing ChannelConfig::McType with
// these names (case-sensitive, whole text).

#include <array>
#include <string>
#include <string_view>

struct ChannelConfig;

struct MachineType {
    const char* Name;
    const char* BaudRate;
    const char* DataBit;
    const char* ParityBit;
    const char* DelayBit;
    // Only PANASERT/RS232 uses the PNR options ("PNR ETX", "PNR P_NAME").
    bool HasPnrOptions;
};

inline constexpr std::array<MachineType, 7> MachineTypes{{
    {"DYNA/PERT", "4800", "8", "NONE", "127", false},
    {"PANASERT/RS232", "4800", "7", "EVEN", "25", true},
    {"PANASERT/TTY", "4800", "7", "EVEN", "127", false},
    {"CITIZEN/M10", "2400", "7", "EVEN", "35", false},
    {"TDK/VC5A", "4800", "7", "EVEN", "30", false},
    {"TDK/VC5", "4800", "7", "EVEN", "127", false},
    {"UNIVERSAL", "9600", "8", "NONE", "127", false},
}};

// Index into MachineTypes of the type with exactly this name, -1 when none.
int FindMachineType(std::string_view name);

// What choosing a type and pressing "Default" does to a channel: McType takes
// the type's name; baud rate, data bits, parity and delay bits its defaults;
// for PANASERT/RS232 also PnrEtx "CR" and PnrPName 0. Other fields stay.
void ApplyMachineType(ChannelConfig& config, const MachineType& type);
