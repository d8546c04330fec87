#pragma once
// One channel: the pairing of a sub module (known by its 12-digit serial
// address) with the insertion machine behind it. Numbers are kept as their
// decimal text, exactly as stored and as the combo boxes show them; users of a
// number convert it where they need it.
//
// A fresh record holds empty texts; ChannelStore::SetDefaultChannelConfig
// gives it the load defaults.

#include <string>

// Names of the stored values of a channel section "CHANNEL_<n>".
namespace ChannelValue {
inline constexpr const char* SubSerial = "SubSerial";
inline constexpr const char* McType = "McType";
inline constexpr const char* McName = "McName";
inline constexpr const char* McBaudRate = "McBaudRate";
inline constexpr const char* McDataBit = "McDataBit";
inline constexpr const char* McParityBit = "McParityBit";
inline constexpr const char* McDelayBit = "McDelayBit";
inline constexpr const char* McDelayBitSys = "McDelayBit_sys";
inline constexpr const char* NcdFileFolder = "NCD File Folder";
inline constexpr const char* PnrEtx = "PNR ETX";
inline constexpr const char* PnrPName = "PNR P_NAME";
// Written by this program only; a record without it does not verify.
inline constexpr const char* VerifyAfterDownload = "VerifyAfterDownload";
}  // namespace ChannelValue

inline constexpr int kFirstChannel = 1;
inline constexpr int kLastChannel = 99;

struct ChannelConfig {
    int Channel = 0;              // 1 to 99; names the section "CHANNEL_<n>"
    std::string SubSerial;        // 12 hexadecimal digits (checked by the connect job)
    std::string McType;           // one of the MachineType names, or any other text
    std::string McName;           // free name shown to the user
    std::string McBaudRate;       // baud rate of the machine's line
    std::string McDataBit;        // "7" or "8"
    std::string McParityBit;      // "NONE", "ODD" or "EVEN"
    std::string McDelayBit;       // extra bit times after each NC character, 0 to 200
    std::string McDelayBit_sys;   // the same for system programs; saved, never loaded
    std::string NcdFileFolder;    // the machine's NC file folder, no '/' at the end
    std::string PnrEtx;           // PANASERT/RS232 end of text: "CR" or "^C"
    int PnrPName = 0;             // PANASERT/RS232 "Use PNR P.G name", 0 or 1
    int VerifyAfterDownload = 0;  // 1: each downloaded program is read back and compared (UNIVERSAL, TDK/VC5)

    bool operator==(const ChannelConfig&) const = default;
};

inline bool IsValidChannelNumber(int channel)
{
    return channel >= kFirstChannel && channel <= kLastChannel;
}
