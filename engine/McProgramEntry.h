#pragma once
// One program stored on a machine, as the machine's directory listing shows it.

#include <cstdint>
#include <string>
#include <vector>

struct McProgramEntry {
    std::string Name;    // white space trimmed at both ends, never empty
    int32_t Steps = 0;   // the listed step count; 0 when the field is not a number

    bool operator==(const McProgramEntry&) const = default;
};

// In the order the machine lists them.
using McProgramEntryList = std::vector<McProgramEntry>;
