#include <gtest/gtest.h>

#include <string>

#include "lang/FileReplacer.h"
#include "lang/MultiLanguageFile.h"
#include "lang/Utf8.h"
#include "platform/Cp949Decoder.h"
#include "support/TempFolder.h"

namespace {

const std::string kMarkerLine = "[KOVA_MULTI_LANGUAGE_LIST]\r\n";
const char* const kHangul = "\xED\x95\x9C\xEA\xB8\x80";   // 한글 in UTF-8
const char* const kHangulCp949 = "\xC7\xD1\xB1\xDB";      // 한글 in code page 949

MultiLanguageArray OneRowTable(const std::string& english)
{
    MultiLanguageArray table;
    tMULTI_LANGUAGE row;
    row.str[0] = english;
    table.Add(row);
    return table;
}

void ExpectRow(const tMULTI_LANGUAGE& row, const std::vector<std::string>& slots)
{
    for (int k = 0; k < kLanguageSlots; ++k) {
        const std::string expected = k < static_cast<int>(slots.size()) ? slots[k] : "";
        EXPECT_EQ(row.str[k], expected) << "slot " << k;
    }
}

}  // namespace

TEST(MultiLanguageFileParse, MarkerMustBeInTheFirstLine)
{
    MultiLanguageArray table;
    EXPECT_EQ(MultiLanguageFile::Parse("title [KOVA_MULTI_LANGUAGE_LIST] v2\r\n0\tHello\r\n",
                                       table, {}), 1);
    EXPECT_EQ(table[0].str[0], "Hello");

    // Rejected files leave the table as it was.
    MultiLanguageArray kept = OneRowTable("kept");
    EXPECT_EQ(MultiLanguageFile::Parse("title\r\n" + kMarkerLine + "0\tHello\r\n", kept, {}), 0);
    EXPECT_EQ(MultiLanguageFile::Parse("[kova_multi_language_list]\r\n0\tHello\r\n", kept, {}), 0);
    EXPECT_EQ(MultiLanguageFile::Parse("", kept, {}), 0);
    // A marker with no accepted data line is no table either.
    EXPECT_EQ(MultiLanguageFile::Parse(kMarkerLine, kept, {}), 0);
    EXPECT_EQ(MultiLanguageFile::Parse(kMarkerLine + "no tab\r\n\r\n", kept, {}), 0);
    ASSERT_EQ(kept.GetCount(), 1u);
    EXPECT_EQ(kept[0].str[0], "kept");
}

TEST(MultiLanguageFileParse, EachLineGoesToTheRowItsNumberNames)
{
    MultiLanguageArray table;
    for (const char* english : {"zero", "one", "two", "three", "four"}) {
        tMULTI_LANGUAGE row;
        row.str[0] = english;
        row.str[1] = std::string("K-") + english;
        table.Add(row);
    }
    struct Case {
        const char* what;
        std::string lines;
        std::vector<std::string> english;   // the table afterwards
        int missing;
        int skipped;
    };
    const Case cases[] = {
        {"complete, out of order", "3\tTHREE\r\n0\tZERO\r\n4\tFOUR\r\n2\tTWO\r\n1\tONE\r\n",
         {"ZERO", "ONE", "TWO", "THREE", "FOUR"}, 0, 0},
        {"rows missing", "1\tONE\r\n3\tTHREE\r\n", {"zero", "ONE", "two", "THREE", "four"}, 3, 0},
        {"broken lines shift nothing",
         "0\tZERO\r\na line without a tab\r\n\tno number\r\nx1\tbad number\r\n\r\n2\tTWO\r\n",
         {"ZERO", "one", "TWO", "three", "four"}, 3, 3},
        {"a number beyond the table adds rows", "6\tSIX\r\n",
         {"zero", "one", "two", "three", "four", "", "SIX"}, 5, 0},
        {"a number too large for a row is a broken line", "0\tZERO\r\n99999999999999999999\tX\r\n",
         {"ZERO", "one", "two", "three", "four"}, 4, 1},
    };
    for (const Case& c : cases) {
        MultiLanguageArray read = table;
        LanguageFileReport report;
        ASSERT_EQ(MultiLanguageFile::Parse(kMarkerLine + c.lines, read, {}, &report),
                  static_cast<int>(c.english.size()))
            << c.what;
        for (std::size_t i = 0; i < c.english.size(); ++i) {
            EXPECT_EQ(read[i].str[0], c.english[i]) << c.what << ", row " << i;
        }
        // A row the file did not give keeps all its columns.
        if (c.english[0] == "zero") {
            EXPECT_EQ(read[0].str[1], "K-zero") << c.what;
        }
        EXPECT_EQ(report.RowsMissing, c.missing) << c.what;
        EXPECT_EQ(report.LinesSkipped, c.skipped) << c.what;
        EXPECT_EQ(report.Incomplete(), c.missing + c.skipped > 0) << c.what;
    }
}

TEST(MultiLanguageFileParse, SlotsAreSplitAtTabsAndTrimmed)
{
    MultiLanguageArray table;
    // Eight TABs: six slots, what follows the seventh TAB is dropped.
    // "고" ends in byte A0 and "각" in 85, which a byte-wise Latin-1 trim would
    // take for white space.
    const std::string file = kMarkerLine +
                             "0\ta\tb\tc\td\te\tf\tg\th\r\n"
                             "1\t  word  \t\t \xEA\xB3\xA0\xEA\xB0\x85 \t\v\r\n"
                             "2\tlast line without line end ";
    ASSERT_EQ(MultiLanguageFile::Parse(file, table, {}), 3);
    ExpectRow(table[0], {"a", "b", "c", "d", "e", "f"});
    ExpectRow(table[1], {"word", "", "\xEA\xB3\xA0\xEA\xB0\x85"});
    ExpectRow(table[2], {"last line without line end"});
}

TEST(MultiLanguageFileParse, LongLineStaysOneRowWithItsTextsCutAtACharacter)
{
    const std::string longText(5000, 'x');
    // "가" is three bytes; the cut falls inside the character at byte 1022.
    const std::string longKorean = std::string(1021, 'k') + "\xEA\xB0\x80" + "more";
    // Blanks the cut leaves at the end are trimmed, as a later read would.
    const std::string blanksAtCut = std::string(1020, 'y') + "     tail";
    MultiLanguageArray table;
    ASSERT_EQ(MultiLanguageFile::Parse(kMarkerLine + "0\t" + longText + "\t" + longKorean + "\t" + blanksAtCut +
                                           "\tK\r\n1\tnext\n",
                                       table, {}), 2);
    // A text as long as a whole file would stall every window showing it.
    ExpectRow(table[0], {std::string(MultiLanguageFile::kMaxTextBytes, 'x'), std::string(1021, 'k'),
                         std::string(1020, 'y'), "K"});
    ExpectRow(table[1], {"next"});
}

TEST(MultiLanguageFileParse, BinaryContentIsNotUsed)
{
    MultiLanguageArray table = OneRowTable("kept");
    const std::string withNul = kMarkerLine + std::string("0\tA\0B\r\n", 7);
    EXPECT_EQ(MultiLanguageFile::Parse(withNul, table, {}), 0);
    // UTF-16 text, as an editor might save it.
    const std::string utf16("\xFF\xFE[\0K\0", 6);
    EXPECT_EQ(MultiLanguageFile::Parse(utf16, table, {}), 0);
    EXPECT_EQ(table[0].str[0], "kept");
}

TEST(MultiLanguageFileEncoding, Cp949FileIsConvertedToUtf8)
{
    const std::string file = kMarkerLine + "0\tKorean\t" + kHangulCp949 + "\r\n";
    MultiLanguageArray table;
    ASSERT_EQ(MultiLanguageFile::Parse(file, table, Cp949Decoder::Decode), 1);
    ExpectRow(table[0], {"Korean", kHangul});

    // Without a decoder, or when the decoder refuses, the file is not used.
    MultiLanguageArray other;
    EXPECT_EQ(MultiLanguageFile::Parse(file, other, {}), 0);
    EXPECT_EQ(MultiLanguageFile::Parse(file, other,
                                       [](std::string_view) { return std::nullopt; }), 0);
    EXPECT_EQ(other.GetCount(), 0u);
}

TEST(MultiLanguageFileEncoding, Utf8FileIsNotDecoded)
{
    int calls = 0;
    MultiLanguageFile::Decoder counting = [&calls](std::string_view) {
        ++calls;
        return std::optional<std::string>("garbage");
    };
    MultiLanguageArray table;
    ASSERT_EQ(MultiLanguageFile::Parse(kMarkerLine + "0\tKorean\t" + kHangul, table, counting), 1);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(table[0].str[1], kHangul);
}

TEST(MultiLanguageFileEncoding, Utf8CheckAndCp949Decoder)
{
    EXPECT_TRUE(IsValidUtf8(kHangul));
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80 plain"));
    EXPECT_FALSE(IsValidUtf8(kHangulCp949));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));           // overlong '/'
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));       // surrogate
    EXPECT_FALSE(IsValidUtf8("\xED\x95"));           // cut short
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));   // above U+10FFFF

    EXPECT_EQ(Cp949Decoder::Decode(std::string("A") + kHangulCp949 + "\r\n"),
              std::string("A") + kHangul + "\r\n");
    EXPECT_EQ(Cp949Decoder::Decode(""), std::string());
    EXPECT_FALSE(Cp949Decoder::Decode("\xC7").has_value());       // lead byte at the end
    EXPECT_FALSE(Cp949Decoder::Decode("\xFF\xFF").has_value());
}

TEST(MultiLanguageFileLoad, UnreadableFilesAreNotUsed)
{
    TempFolder folder;
    MultiLanguageArray table = OneRowTable("kept");
    EXPECT_EQ(MultiLanguageFile::Load(folder / "missing.txt", table, {}), 0);
    EXPECT_EQ(MultiLanguageFile::Load("", table, {}), 0);
    // A folder opens but every read fails.
    EXPECT_EQ(MultiLanguageFile::Load(folder.Path(), table, {}), 0);
    EXPECT_EQ(table[0].str[0], "kept");

    TempFolder::Write(folder / "ok.txt", kMarkerLine + "0\tfrom file");
    EXPECT_EQ(MultiLanguageFile::Load(folder / "ok.txt", table, {}), 1);
    EXPECT_EQ(table[0].str[0], "from file");
}

TEST(MultiLanguageFileSave, WritesUtf8LinesAndReadsBack)
{
    TempFolder folder;
    MultiLanguageArray table;
    tMULTI_LANGUAGE row;
    row.str[0] = "Open Port";
    row.str[1] = kHangul;
    row.str[5] = "button";
    table.Add(row);
    table.Add(tMULTI_LANGUAGE{});
    row = {};
    row.str[0] = "Two  blanks inside";
    row.str[3] = "\xE3\x83\x9D\xE3\x83\xBC\xE3\x83\x88";   // ポート
    table.Add(row);

    const auto path = folder / "KOVA_M1002.TXT";
    ASSERT_EQ(MultiLanguageFile::Save(path, table), 1);
    EXPECT_EQ(TempFolder::Read(path),
              kMarkerLine +
                  "0\tOpen Port\t" + kHangul + "\t\t\t\tbutton\r\n"
                  "1\t\t\t\t\t\t\r\n"
                  "2\tTwo  blanks inside\t\t\t\xE3\x83\x9D\xE3\x83\xBC\xE3\x83\x88\t\t\r\n");
    EXPECT_FALSE(std::filesystem::exists(FileReplacer::TemporaryPath(path)));

    MultiLanguageArray back;
    ASSERT_EQ(MultiLanguageFile::Load(path, back, {}), 3);
    for (std::size_t i = 0; i < 3; ++i) {
        for (int k = 0; k < kLanguageSlots; ++k) {
            EXPECT_EQ(back[i].str[k], table[i].str[k]) << i << "/" << k;
        }
    }
}

TEST(MultiLanguageFileSave, TabOrLineEndInATextCannotShiftRows)
{
    TempFolder folder;
    MultiLanguageArray table = OneRowTable("a\tb");
    tMULTI_LANGUAGE row;
    row.str[0] = "c\r\nd";
    table.Add(row);
    row.str[0] = "e";
    table.Add(row);

    const auto path = folder / "KOVA_M1002.TXT";
    ASSERT_EQ(MultiLanguageFile::Save(path, table), 1);
    MultiLanguageArray back;
    ASSERT_EQ(MultiLanguageFile::Load(path, back, {}), 3);
    ExpectRow(back[0], {"a b"});
    ExpectRow(back[1], {"c  d"});
    ExpectRow(back[2], {"e"});
}

TEST(MultiLanguageFileSave, FailedSaveKeepsTheOldFile)
{
    TempFolder folder;
    const auto path = folder / "KOVA_M1002.TXT";
    const std::string old = kMarkerLine + "0\told text\r\n";
    TempFolder::Write(path, old);
    const MultiLanguageArray table = OneRowTable("new text");

    // The sibling cannot be created: nothing may touch the old file.
    std::filesystem::create_directory(FileReplacer::TemporaryPath(path));
    EXPECT_EQ(MultiLanguageFile::Save(path, table), 0);
    EXPECT_EQ(TempFolder::Read(path), old);
    std::filesystem::remove(FileReplacer::TemporaryPath(path));

    // The target cannot be replaced: the written sibling is cleaned up.
    const auto folderTarget = folder / "a folder";
    std::filesystem::create_directory(folderTarget);
    EXPECT_EQ(MultiLanguageFile::Save(folderTarget, table), 0);
    EXPECT_FALSE(std::filesystem::exists(FileReplacer::TemporaryPath(folderTarget)));

    EXPECT_EQ(MultiLanguageFile::Save(folder / "no such folder" / "KOVA_M1002.TXT", table), 0);
    EXPECT_EQ(MultiLanguageFile::Save("", table), 0);

    // A file marked read-only is left alone, although its folder would let a
    // rename replace it.
    const auto mode = std::filesystem::status(path).permissions();
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_EQ(MultiLanguageFile::Save(path, table), 0);
    EXPECT_EQ(TempFolder::Read(path), old);
    std::filesystem::permissions(path, mode);

    ASSERT_EQ(MultiLanguageFile::Save(path, table), 1);
    EXPECT_EQ(TempFolder::Read(path), kMarkerLine + "0\tnew text\t\t\t\t\t\r\n");
}
