#pragma once
// What the host radio module tells about itself in its answer to
// "AT+BTINFO?": one line of comma-separated fields
//   Address,DeviceName,Mode,LinkState,FirstFlag,SecondFlag,FlowControl
// where Address is exactly 12 characters.

#include <string>
#include <string_view>

struct HostModuleInfo {
    std::string Address;
    std::string DeviceName;
    std::string Mode;
    std::string LinkState;
    bool FirstFlag = false;
    bool SecondFlag = false;
    std::string FlowControl;

    // Reads the first line of `text` (up to CR or LF). False when the line is
    // malformed: the fields read before the fault stay stored.
    bool Parse(std::string_view text);
};
