#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "download/NcFileRules.h"
#include "support/TempFolder.h"

namespace {

std::vector<std::string> Lines(const std::string& bytes) {
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    auto size = static_cast<uint32_t>(bytes.size());
    std::vector<std::string> lines;
    std::string line;
    uint32_t offset = 0;
    while (offset < size) {
        uint32_t next = ReadNextLine(data, size, offset, line);
        EXPECT_GT(next, offset) << "no progress at " << offset;
        if (next <= offset) break;
        offset = next;
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

TEST(NcFileRulesTest, LineEndsOfAnyKindGiveTheSameLines) {
    const std::vector<std::string> expected = {"N001 X100 Y200", "N002 X110 Y210", "M02"};
    EXPECT_EQ(Lines("N001 X100 Y200\nN002 X110 Y210\nM02\n"), expected);
    EXPECT_EQ(Lines("N001 X100 Y200\r\nN002 X110 Y210\r\nM02\r\n"), expected);
    EXPECT_EQ(Lines("\r\n\r\nN001 X100 Y200\r\rN002 X110 Y210\n\n\nM02"), expected);
}

TEST(NcFileRulesTest, HighBytesAndControlBytesSplitLines) {
    EXPECT_EQ(Lines("AB\x80" "CD\xFF\xFE" "EF\tGH\x1f"), (std::vector<std::string>{"AB", "CD", "EF", "GH"}));
    // DEL is text like any byte up to 0x7F.
    EXPECT_EQ(Lines("A\x7F" "B"), std::vector<std::string>{"A\x7F" "B"});
}

TEST(NcFileRulesTest, ReadingStopsAtTheSeparatorAndTheEnd) {
    const std::string bytes = "XY\r\nZ";
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    std::string line = "old";
    EXPECT_EQ(ReadNextLine(data, 5, 0, line), 2u);
    EXPECT_EQ(line, "XY");
    EXPECT_EQ(ReadNextLine(data, 5, 2, line), 5u);
    EXPECT_EQ(line, "Z");
    EXPECT_EQ(ReadNextLine(data, 5, 5, line), 5u);
    EXPECT_EQ(line, "");
    // Only separators left: the end of the buffer with an empty line.
    EXPECT_EQ(ReadNextLine(reinterpret_cast<const uint8_t*>("\r\n\x90"), 3, 0, line), 3u);
    EXPECT_EQ(line, "");
}

TEST(NcFileRulesTest, StreamMustHoldExactlyTheMeasuredLength) {
    NcFileContent content;
    std::istringstream whole("N001\r\n");
    ASSERT_EQ(ReadNcStream(whole, 6, content), NcFileStatus::Loaded);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(content.Bytes.get()), content.Size), "N001\r\n");

    std::istringstream shrunk("N001");
    EXPECT_EQ(ReadNcStream(shrunk, 6, content), NcFileStatus::NotWhole);
    EXPECT_EQ(content.Bytes, nullptr);
    EXPECT_EQ(content.Size, 0u);

    std::istringstream grown("N001\r\nN002\r\n");
    EXPECT_EQ(ReadNcStream(grown, 6, content), NcFileStatus::NotWhole);

    std::istringstream empty("");
    EXPECT_EQ(ReadNcStream(empty, 0, content), NcFileStatus::Empty);
    std::istringstream zeroButFull("N001");
    EXPECT_EQ(ReadNcStream(zeroButFull, 0, content), NcFileStatus::NotWhole);

    // More than a buffer can ever hold is refused before anything is allocated.
    std::istringstream huge("x");
    EXPECT_EQ(ReadNcStream(huge, uint64_t{1} << 40, content), NcFileStatus::NotWhole);
}

TEST(NcFileRulesTest, FilesOutsideTheFolderOrNotRegularAreNotOpened) {
    TempFolder folder;
    TempFolder::Write(folder / "P1.NCD", "N001\r\n");
    TempFolder::Write(folder / "EMPTY.NCD", "");
    std::filesystem::create_directory(folder / "SUB");
    TempFolder::Write(folder / "SUB" / "INNER.NCD", "N009\r\n");
    const std::string dir = folder.Path().string();

    NcFileContent content;
    EXPECT_EQ(ReadNcFile(dir, "P1.NCD", content), NcFileStatus::Loaded);
    EXPECT_EQ(content.Size, 6u);
    EXPECT_EQ(ReadNcFile(dir, "EMPTY.NCD", content), NcFileStatus::Empty);
    EXPECT_EQ(ReadNcFile(dir, "MISSING.NCD", content), NcFileStatus::NotOpen);
    EXPECT_EQ(ReadNcFile(dir, "SUB", content), NcFileStatus::NotOpen);
    EXPECT_EQ(ReadNcFile(dir, "SUB/INNER.NCD", content), NcFileStatus::NotOpen);
    EXPECT_EQ(ReadNcFile(dir + "/SUB", "../P1.NCD", content), NcFileStatus::NotOpen);
    EXPECT_EQ(ReadNcFile(dir, "..", content), NcFileStatus::NotOpen);
    EXPECT_EQ(ReadNcFile(dir, "", content), NcFileStatus::NotOpen);
    EXPECT_EQ(ReadNcFile(dir + "/GONE", "P1.NCD", content), NcFileStatus::NotOpen);
    // A file whose length the system does not know in advance.
    EXPECT_NE(ReadNcFile("/proc/self", "status", content), NcFileStatus::Loaded);
}

TEST(NcFileRulesTest, NamesThatAreNotUtf8AreOpenedByTheirBytes) {
    TempFolder folder;
    for (const char* name : {"A\xff\xfe.NCD", "\xc7\xd1.NCD", "TAB\t.NCD"}) {
        TempFolder::Write(folder / name, "N001\r\n");
        NcFileContent content;
        EXPECT_EQ(ReadNcFile(folder.Path().string(), name, content), NcFileStatus::Loaded) << name;
    }
}

}  // namespace
