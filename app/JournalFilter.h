#pragma once
// Which journal records a listing shows: by channel, machine type, result,
// start time and a free text. An empty or unset criterion lets every record pass.

#include <optional>
#include <string>

#include "app/TransferRecord.h"

struct JournalFilter {
    int Channel = 0;                         // 0: every channel
    std::string McType;                      // empty: every type
    std::optional<TransferResult> Result;
    std::string SinceUtc;                    // records that started at or after, normalised
    std::string UntilUtc;                    // records that started before, normalised
    std::string Search;                      // in file, program, machine name, message; ASCII case ignored

    bool Matches(const TransferRecord& record) const;
};
