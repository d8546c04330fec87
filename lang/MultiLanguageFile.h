#pragma once
// The language file: a marker line, then one line per row,
//   row number TAB English TAB Korean TAB Chinese TAB Japanese TAB Language_5 TAB Remarks CR LF
// Each line goes to the row its number names, so a file that lacks rows, has
// a broken line or rows out of order moves no text to another row: every row
// the file does not give keeps the text the table already had (the built-in
// one at start-up). A line without a TAB or without a row number is skipped
// and counted, so the caller can say that the file was incomplete.
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

// What a read found besides the rows it used.
struct LanguageFileReport {
    int RowsRead = 0;       // lines that gave a row
    int RowsMissing = 0;    // rows of the table before the read that no line gave
    int LinesSkipped = 0;   // non-empty lines without a TAB or a usable row number
    bool Incomplete() const { return RowsMissing > 0 || LinesSkipped > 0; }
};

class MultiLanguageFile {
public:
    // Converts the bytes of a file that is not UTF-8 into UTF-8; no value when
    // the bytes are not valid in that encoding either.
    using Decoder = std::function<std::optional<std::string>(std::string_view)>;

    static constexpr std::string_view kMarker = "[KOVA_MULTI_LANGUAGE_LIST]";
    // A language file is a few tens of kilobytes; anything this big is not one.
    static constexpr std::size_t kMaxFileBytes = 16u * 1024u * 1024u;
    // A text is cut to this many bytes: the longest line the language file
    // ever held, and far more than any caption or message needs.
    static constexpr std::size_t kMaxTextBytes = 1023;
    // Row numbers above this are taken for broken lines, not for rows.
    static constexpr int kMaxRowNumber = 9999;

    // Reads the file at `path` over `table`: each line replaces the row its
    // number names (the table grows to the highest number; rows in a gap are
    // empty unless the table had them). Returns the table's row count after the
    // read. 0 means the file was not used (missing, unreadable, too big, binary,
    // no marker on the first line, no data line, an encoding that neither UTF-8
    // nor `decoder` accepts); the table is then left as it was. `report`, when
    // given, says what the read found.
    static int Load(const std::filesystem::path& path, MultiLanguageArray& table,
                    const Decoder& decoder, LanguageFileReport* report = nullptr);

    // The same for bytes already in memory.
    static int Parse(std::string_view bytes, MultiLanguageArray& table, const Decoder& decoder,
                     LanguageFileReport* report = nullptr);

    // Writes the whole table to `path` through a sibling file and a rename, so
    // a failed save leaves the old file whole. 1 when written, 0 otherwise.
    static int Save(const std::filesystem::path& path, const MultiLanguageArray& table);

    // The bytes Save writes. A TAB, CR or LF inside a text is written as a
    // blank: it would otherwise split the row and move every later row.
    static std::string Format(const MultiLanguageArray& table);
};
