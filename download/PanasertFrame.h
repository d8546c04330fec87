#pragma once
// The frames of the PANASERT/RS232 line protocol:
//
//   STX, length "%02X", command (2), data, checksum "%02X", end byte
//
// The length counts the characters of command and data. The checksum is the
// two's complement of the 8-bit sum of length, command and data. The end byte
// is CR or ETX, as the channel's "PNR ETX" says. Commands: "A0" acknowledge,
// "A1" repeat (data: an error code), "A2" abort, "C0" program name, "D0" one
// program line.

#include <cstdint>
#include <string>
#include <string_view>

class PanasertFrame {
public:
    static constexpr std::size_t kMaxData = 88;       // any frame
    static constexpr std::size_t kMaxNameData = 18;   // "C0" and "C1"

    // "%02X" of 0 minus the sum of the bytes of `text`.
    static std::string Checksum(std::string_view text);

    // Whether `data` can travel in a frame of `command`: short enough, and
    // made only of text bytes (0x20 to 0x7F) so that no CR, STX or ETX ends
    // the frame early and no byte reaches the sub module as a command.
    static bool Fits(std::string_view command, std::string_view data);

    // The frame with its STX and end byte.
    static std::string Build(std::string_view command, std::string_view data, uint8_t endByte);

    // Checks a received frame as the receive path hands it over (STX dropped,
    // end byte removed). Valid: true with command and data. Otherwise false
    // with the error code to report: "E05" for a bad length, "E03" for a bad
    // checksum.
    static bool Parse(const std::string& line, std::string& command, std::string& data,
                      std::string& errorCode);
};
