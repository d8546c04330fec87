#pragma once
// The language file: a marker line, then one line per row,
//   row number TAB English TAB Korean TAB Chinese TAB Japanese TAB Language_5 TAB Remarks CR LF
// The row number is written for the translator's benefit only; a row's index
// is the position of its line among the accepted lines.
//
// The file is written in UTF-8 without byte-order mark. On reading, a file
// that is not valid UTF-8 was made on a Korean Windows system and is handed
// to the injected decoder (code page 949 to UTF-8).

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "lang/MultiLanguageArray.h"

class MultiLanguageFile {
public:
    // Converts the bytes of a file that is not UTF-8 into UTF-8; no value when
    // the bytes are not valid in that encoding either.
    using Decoder = std::function<std::optional<std::string>(std::string_view)>;

    static constexpr std::string_view kMarker = "[KOVA_MULTI_LANGUAGE_LIST]";
    // A language file is a few tens of kilobytes; anything this big is not one.
    static constexpr std::size_t kMaxFileBytes = 16u * 1024u * 1024u;

    // Reads the file at `path`. On success the table is replaced by the rows
    // read and their count is returned. 0 means the file was not used (missing,
    // unreadable, too big, binary, no marker on the first line, no data line,
    // an encoding that neither UTF-8 nor `decoder` accepts); the table is then
    // left as it was.
    static int Load(const std::filesystem::path& path, MultiLanguageArray& table,
                    const Decoder& decoder);

    // The same for bytes already in memory.
    static int Parse(std::string_view bytes, MultiLanguageArray& table, const Decoder& decoder);

    // Writes the whole table to `path` through a sibling file and a rename, so
    // a failed save leaves the old file whole. 1 when written, 0 otherwise.
    static int Save(const std::filesystem::path& path, const MultiLanguageArray& table);

    // The bytes Save writes. A TAB, CR or LF inside a text is written as a
    // blank: it would otherwise split the row and move every later row.
    static std::string Format(const MultiLanguageArray& table);
};
