#pragma once
// What a channel record may hold, checked where values enter: the channel
// editor, `kova-cli channel set`, and the connect job for a record that was
// edited by hand in the settings file. Each check hands back a report text
// that names the field, or an empty text when the value is good.
//
// The rules: no text field holds control bytes (below 0x20, 0x7F) or text that
// is not UTF-8; SubSerial is 12 hexadecimal digits; McType is one of the
// MachineTypes names; the baud rate is one the sub module can be set to (300
// to 9600); data bits 7 or 8; parity NONE, ODD or EVEN; delay bits a decimal
// 0 to 200 (the system delay bits may also be empty); the folder is not empty;
// PNR ETX is CR or ^C and PNR P_NAME 0 or 1. Report texts are English: they
// name stored value names, which are not translated either.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct ChannelConfig;

// The report for `value` in the field stored as `name` (a ChannelValue name),
// or "" when it is good. An unknown name gets a report of its own.
std::string CheckChannelField(std::string_view name, std::string_view value);

// The report for the first bad field of a whole record, or "" when every field
// is good. McDelayBit_sys is checked only when it is not empty.
std::string CheckChannelConfig(const ChannelConfig& config);

// Every stored value of a record as text, with its value name, in the order
// the values are stored (PNR P_NAME as its decimal text).
std::vector<std::pair<const char*, std::string>> ChannelFieldTexts(const ChannelConfig& config);

// True for a stored value name of a channel (SubSerial ... PNR P_NAME).
bool IsChannelValueName(std::string_view name);

// A whole decimal number (optional '-', digits only) within min..max; false for
// anything else, including numbers too large for any integer type.
bool ParseDecimalInRange(std::string_view text, int64_t min, int64_t max, int64_t& value);

// The baud rates a channel may hold, in rising order (the channel editor's list).
inline constexpr const char* kChannelBaudRates[] = {"300", "600", "1200", "2400", "4800", "9600"};
inline constexpr int kMaxChannelDelayBits = 200;
