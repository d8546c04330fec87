#pragma once
// One line of the transfer journal: which program went to or came from which
// machine, from or to which PC file, when, whole or not, and how it ended.
// Times are UTC in ISO 8601 with milliseconds ("2026-12-07T14:43:23.120Z"),
// so that their text order is their time order.

#include <cstdint>
#include <string>

enum class TransferResult { Completed = 0, Failed = 1, Cancelled = 2 };

namespace TransferDirection {
inline constexpr const char* Download = "download";
inline constexpr const char* Upload = "upload";
inline constexpr const char* List = "list";
inline constexpr const char* SystemDownload = "sysdownload";
}  // namespace TransferDirection

struct TransferRecord {
    std::string Uid;           // unique over every PC: a resent record is not stored twice
    std::string StartUtc;
    std::string EndUtc;
    std::string PcUser;
    int Channel = 0;
    std::string McType;
    std::string McName;
    std::string SubAddress;
    std::string Direction;     // one of TransferDirection
    std::string PcFile;        // full path; empty for a program list
    std::string McProgram;
    int64_t Bytes = 0;         // bytes that went over the link (or were written)
    int64_t Lines = 0;
    std::string Sha256;        // of the file's bytes sent, or of the file written
    int64_t DurationMs = 0;
    TransferResult Result = TransferResult::Failed;
    int MessageNumber = -1;    // row of the text table that ended it, -1 when none
    std::string MessageText;
    std::string Verify;        // "verified", the first differing line, or empty

    bool operator==(const TransferRecord&) const = default;
};
