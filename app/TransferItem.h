#pragma once
// One file or program of a transfer selection.

#include <cstdint>
#include <string>
#include <vector>

struct TransferItem {
    std::string FileName;   // name only, without the folder
    uint64_t Length = 0;    // length in bytes
    std::string McProgramName;   // name the machine stores it under (machines with a program list)
};

using TransferItemList = std::vector<TransferItem>;
