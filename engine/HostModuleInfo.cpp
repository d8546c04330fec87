#include "engine/HostModuleInfo.h"

namespace {
constexpr std::size_t kAddressLength = 12;

// The text up to the next comma from `pos`; moves `pos` past that comma.
bool NextField(std::string_view line, std::size_t& pos, std::string& field) {
    std::size_t comma = line.find(',', pos);
    if (comma == std::string_view::npos) return false;
    field.assign(line.substr(pos, comma - pos));
    pos = comma + 1;
    return true;
}

// A flag reads as set unless its field begins with '0'.
bool FlagAt(std::string_view line, std::size_t pos) { return pos >= line.size() || line[pos] != '0'; }
}  // namespace

bool HostModuleInfo::Parse(std::string_view text) {
    // Only the information line counts: the module's "OK" follows on the next
    // line and must not lend the fields a malformed line lacks.
    std::string_view line = text.substr(0, text.find_first_of("\r\n"));

    if (line.find(',') != kAddressLength) return false;
    Address.assign(line.substr(0, kAddressLength));
    std::size_t pos = kAddressLength + 1;
    if (!NextField(line, pos, DeviceName)) return false;
    if (!NextField(line, pos, Mode)) return false;
    if (!NextField(line, pos, LinkState)) return false;

    // FirstFlag follows the fourth comma, SecondFlag the fifth, FlowControl the sixth.
    std::size_t fifth = line.find(',', pos);
    if (fifth == std::string_view::npos) return false;
    FirstFlag = FlagAt(line, pos);
    std::size_t sixth = line.find(',', fifth + 1);
    if (sixth == std::string_view::npos) return false;
    SecondFlag = FlagAt(line, fifth + 1);
    FlowControl.assign(line.substr(sixth + 1));
    return true;
}
