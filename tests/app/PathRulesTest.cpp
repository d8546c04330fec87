#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/PathRules.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

TEST(PathRulesTest, SplitAtTheLastSeparator)
{
    struct Case {
        const char* path;
        const char* folder;
        const char* file;
    };
    const Case cases[] = {
        {"/home/op/DATA/USM/*.NCD", "/home/op/DATA/USM", "*.NCD"},
        {"PROG.NCD", "", "PROG.NCD"},
        {"/home/op/", "/home/op", ""},
        {"/PROG", "/", "PROG"},
        {"/", "/", ""},
        {"a/b", "a", "b"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        std::string folder = "x";
        std::string file = "y";
        SplitPath(c.path, folder, file);
        EXPECT_EQ(folder, c.folder) << c.path;
        EXPECT_EQ(file, c.file) << c.path;
        EXPECT_EQ(FolderOfPath(c.path), c.folder) << c.path;
    }
}

TEST(PathRulesTest, JoinAddsOneSeparatorAndTakesTheFilePart)
{
    EXPECT_EQ(JoinPath("  /data/USM \t", "PROG.NCD"), "/data/USM/PROG.NCD");
    EXPECT_EQ(JoinPath("/data/USM/", "PROG.NCD"), "/data/USM/PROG.NCD");
    EXPECT_EQ(JoinPath("/data/USM", "/old/place/PROG.NCD"), "/data/USM/PROG.NCD");
    EXPECT_EQ(JoinPath("", "/old/PROG.NCD"), "PROG.NCD");
    EXPECT_EQ(JoinPath("/", "PROG.NCD"), "/PROG.NCD");
    EXPECT_EQ(JoinPath("/data", "*.*"), "/data/*.*");
}

TEST(PathRulesTest, MachineProgramNameRule)
{
    EXPECT_EQ(CleanMcProgramName("  pcb a,b.ncd\r\n", McNameForm::Long), "PCB_A_B.NCD");
    EXPECT_EQ(CleanMcProgramName("abcdefghijklmnop", McNameForm::Short), "ABCDEFGHIJ");
    // Cut first, then replace: the blank after the cut does not count.
    EXPECT_EQ(CleanMcProgramName("abcdefghi jkl", McNameForm::Short), "ABCDEFGHI_");
    const std::string longName(40, 'x');
    EXPECT_EQ(CleanMcProgramName(longName, McNameForm::Long), std::string(33, 'X'));
    EXPECT_EQ(CleanMcProgramName(" \r\n", McNameForm::Long), "");
    // Control bytes inside the name would end or break the machine's line.
    EXPECT_EQ(CleanMcProgramName("a\tb\x01" "c\x7f" "d", McNameForm::Long), "A_B_C_D");
    // Only blanks and line ends are trimmed; a TAB at either end is a control byte.
    EXPECT_EQ(CleanMcProgramName(" \tab\t\r\n", McNameForm::Long), "_AB_");
}

TEST(PathRulesTest, MachineProgramNameNeverSplitsACharacter)
{
    const std::string ga = "\xEA\xB0\x80";   // one Korean syllable, three bytes
    // 7 + 3 bytes fit the short form exactly.
    EXPECT_EQ(CleanMcProgramName("abcdefg" + ga + "z", McNameForm::Short), "ABCDEFG" + ga);
    // 8 + 3 do not: the syllable goes whole.
    EXPECT_EQ(CleanMcProgramName("abcdefgh" + ga, McNameForm::Short), "ABCDEFGH");
    std::string eleven;
    for (int i = 0; i < 11; ++i) {
        eleven += ga;
    }
    EXPECT_EQ(CleanMcProgramName(eleven + ga, McNameForm::Long), eleven);
    EXPECT_EQ(CleanMcProgramName(eleven, McNameForm::Long).size(), 33u);
    // A stray byte that starts no valid sequence counts as one.
    EXPECT_EQ(CleanMcProgramName("abcdefghi\xC3", McNameForm::Short), "ABCDEFGHI\xC3");
}

TEST(PathRulesTest, PcFileNameRule)
{
    EXPECT_EQ(CleanPcFileName("  a\\b/c:d*e?f\"g<h>i|j \r\n"), "a_b_c_d_e_f_g_h_i_j");
    EXPECT_EQ(CleanPcFileName("Prog 1.ncd"), "Prog 1.ncd");
    EXPECT_EQ(CleanPcFileName("a\x01" "b\tc"), "a_b_c");
    // Only blanks and line ends are trimmed; a TAB at either end is a control byte.
    EXPECT_EQ(CleanPcFileName(" \tname\t\r\n"), "_name_");
    // Names that would point at the folder itself or its parent name no file.
    EXPECT_EQ(CleanPcFileName(" . "), "");
    EXPECT_EQ(CleanPcFileName(".."), "");
    EXPECT_EQ(CleanPcFileName("\r\n"), "");
    EXPECT_EQ(CleanPcFileName("../x"), ".._x");
    EXPECT_EQ(CleanPcFileName("..."), "...");
}

TEST(PathRulesTest, FilePatterns)
{
    EXPECT_TRUE(MatchesFilePattern("PROG.NCD", "*.*"));
    EXPECT_TRUE(MatchesFilePattern("PROG", "*.*"));
    EXPECT_TRUE(MatchesFilePattern("PAT1", "PAT*.*"));
    EXPECT_TRUE(MatchesFilePattern("prog.ncd", "*.NCD"));
    EXPECT_FALSE(MatchesFilePattern("prog.ncdx", "*.NCD"));
    EXPECT_TRUE(MatchesFilePattern("A1.NCD", "A?.NCD"));
    EXPECT_FALSE(MatchesFilePattern("A12.NCD", "A?.NCD"));
    EXPECT_TRUE(MatchesFilePattern("\xEA\xB0\x80.NCD", "?.NCD"));
    EXPECT_TRUE(MatchesFilePattern("a.b.c", "*.c"));
    EXPECT_FALSE(MatchesFilePattern("PROG", "*.NCD"));
}

class ListPcFilesTest : public ::testing::Test {
protected:
    void Write(const std::string& name, std::size_t length)
    {
        std::ofstream(folder / name, std::ios::binary) << std::string(length, 'N');
    }

    std::string Pattern(const std::string& filePattern) const
    {
        return (folder / filePattern).string();
    }

    TempFolder folder{"kova-list"};
};

TEST_F(ListPcFilesTest, ListsMatchingFilesWithTheirLengthInNameOrder)
{
    Write("b.ncd", 12);
    Write("A.NCD", 0);
    Write("c.txt", 5);
    Write("NOEXT", 3);
    fs::create_directory(folder / "SUB.NCD");
    fs::create_symlink(folder / "b.ncd", folder / "link.ncd");

    TransferItemList list{{"stale", 1, ""}};
    ASSERT_EQ(ListPcFiles(Pattern("*.ncd"), list), 3);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].FileName, "A.NCD");
    EXPECT_EQ(list[0].Length, 0u);
    EXPECT_EQ(list[1].FileName, "b.ncd");
    EXPECT_EQ(list[1].Length, 12u);
    EXPECT_EQ(list[2].FileName, "link.ncd");

    EXPECT_EQ(ListPcFiles(Pattern("*.*"), list), 5);   // folders never listed
}

TEST_F(ListPcFilesTest, LengthsBeyondFourGigabytesAreKept)
{
    Write("BIG.NCD", 0);
    const uint64_t length = (uint64_t{1} << 32) + 7;
    std::error_code error;
    fs::resize_file(folder / "BIG.NCD", length, error);   // sparse: no disk used
    if (error) {
        GTEST_SKIP() << "file system cannot hold a sparse 4 GB file";
    }
    TransferItemList list;
    ASSERT_EQ(ListPcFiles(Pattern("*.*"), list), 1);
    EXPECT_EQ(list[0].Length, length);
}

TEST_F(ListPcFilesTest, MissingFolderGivesAnEmptyList)
{
    TransferItemList list{{"stale", 1, ""}};
    EXPECT_EQ(ListPcFiles((folder / "missing" / "*.*").string(), list), 0);
    EXPECT_TRUE(list.empty());
    Write("X.NCD", 1);
    EXPECT_EQ(ListPcFiles(folder.Path().string() + "/", list), 0);   // no file pattern
}

}  // namespace
