#pragma once
// The journal's texts: times in ISO 8601, result names, and records as
// tab-separated or CSV lines with one header line.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "app/TransferRecord.h"

class JournalFormat {
public:
    // "2026-12-07T14:43:23.120Z".
    static std::string IsoUtc(std::chrono::system_clock::time_point time);
    // A date or time as users type it ("2026-12-07", "2026-12-07T14:43",
    // "2026-12-07 14:43:23", with or without a final 'Z') in the form of
    // IsoUtc; nothing for anything else, including impossible dates.
    static std::optional<std::string> ParseIsoUtc(const std::string& text);

    static const char* ResultName(TransferResult result);
    static std::optional<TransferResult> ParseResult(const std::string& name);

    static std::vector<std::string> HeaderFields();
    static std::vector<std::string> Fields(const TransferRecord& record);

    // Fields joined by TAB; control bytes inside a field are written as \t,
    // \r, \n, \x1b ... so that no field breaks a column or a line.
    static std::string TsvLine(const std::vector<std::string>& fields);
    // Fields joined by ',' with the quoting of RFC 4180; lines end in CR LF.
    static std::string CsvLine(const std::vector<std::string>& fields);
    // Counts the lines of `size` bytes as a download reads them: runs of text
    // bytes between separators (control bytes and bytes from 0x80 on).
    static int64_t CountLines(const uint8_t* data, std::size_t size);
};
