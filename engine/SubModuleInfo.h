#pragma once
// What the set-up learnt about the sub module that answered last.

#include <cstdint>
#include <string>

struct SubModuleInfo {
    uint8_t SubModuleType = 0;      // low 7 bits of the answer to 0x84
    uint8_t SubModuleVersion = 0;   // low 7 bits of the answer to 0x83, in tenths (31 = 3.1)
    std::string SetupSerial;        // SubSerial of the channel whose module answered
};
