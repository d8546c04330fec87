#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/QSettingsStore.h"
#include "support/TempFolder.h"

namespace {

class QSettingsStoreTest : public ::testing::Test {
protected:
    std::string File() const { return folder / "KOVA.conf"; }

    void WriteFile(const std::string& text) const { std::ofstream(File()) << text; }

    TempFolder folder;
};

TEST_F(QSettingsStoreTest, UserStoreLivesUnderXdgConfigHome)
{
    ::setenv("XDG_CONFIG_HOME", folder.Path().c_str(), 1);
    QSettingsStore store;
    const std::string expected = folder / "MERIDO ELE/KOVA.conf";
    EXPECT_EQ(store.FilePath(), expected);
    ASSERT_TRUE(store.WriteInt("COMMON", "LANGUAGE", 1));
    EXPECT_TRUE(std::filesystem::exists(expected));

    std::ifstream file(expected);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("[COMMON]"), std::string::npos) << text;
    EXPECT_NE(text.find("LANGUAGE=1"), std::string::npos) << text;
    ::unsetenv("XDG_CONFIG_HOME");
}

TEST_F(QSettingsStoreTest, ValuesSurviveReopening)
{
    {
        QSettingsStore store(File());
        store.WriteString("FONT", "RXD FaceName", "굴림체");
        store.WriteInt("FONT", "RXD Height", -20);
        store.WriteInt("FONT", "RXD Text Color", 16711680);
        store.WriteString("CHANNEL_7", "NCD File Folder", " /data/a, b/USM ");
        store.WriteString("CHANNEL_7", "McDelayBit_sys", "");
        store.WriteString("CHANNEL_7", "PNR ETX", "^C");
        store.WriteString("CHANNEL_7", "McName", "a=b;c#d\"e");
    }
    QSettingsStore store(File());
    EXPECT_EQ(store.ReadString("FONT", "RXD FaceName", ""), "굴림체");
    EXPECT_EQ(store.ReadInt("FONT", "RXD Height", 0), -20);
    EXPECT_EQ(store.ReadInt("FONT", "RXD Text Color", 0), 16711680);
    EXPECT_EQ(store.ReadString("CHANNEL_7", "NCD File Folder", ""), " /data/a, b/USM ");
    EXPECT_EQ(store.ReadString("CHANNEL_7", "McDelayBit_sys", "default"), "");
    EXPECT_EQ(store.ReadString("CHANNEL_7", "PNR ETX", ""), "^C");
    EXPECT_EQ(store.ReadString("CHANNEL_7", "McName", ""), "a=b;c#d\"e");
    EXPECT_EQ(store.ReadString("CHANNEL_7", "Missing", "dflt"), "dflt");
    EXPECT_EQ(store.ReadString("NOSECTION", "McName", "dflt"), "dflt");
}

TEST_F(QSettingsStoreTest, TextThatIsNoWholeNumberReadsAsTheDefault)
{
    WriteFile("[COMMON]\n"
              "LANGUAGE=abc\n"
              "CHANNEL=12abc\n"
              "DisconnectTime=99999999999\n"
              "PASSWORD=1234\n"
              "Spaced= 42 \n"
              "Empty=\n"
              "Negative=-5\n");
    QSettingsStore store(File());
    EXPECT_EQ(store.ReadInt("COMMON", "LANGUAGE", -1), -1);
    EXPECT_EQ(store.ReadInt("COMMON", "CHANNEL", 1), 1);
    EXPECT_EQ(store.ReadInt("COMMON", "DisconnectTime", 0), 0);
    EXPECT_EQ(store.ReadInt("COMMON", "Empty", 9), 9);
    EXPECT_EQ(store.ReadInt("COMMON", "Spaced", 0), 42);
    EXPECT_EQ(store.ReadInt("COMMON", "Negative", 0), -5);
    // An INI file keeps no types: a number is also its text.
    EXPECT_EQ(store.ReadString("COMMON", "PASSWORD", "7264"), "1234");
    store.WriteInt("COMMON", "CHANNEL", 8);
    EXPECT_EQ(store.ReadString("COMMON", "CHANNEL", ""), "8");
}

TEST_F(QSettingsStoreTest, SectionsExistWhileTheyHoldValues)
{
    QSettingsStore store(File());
    EXPECT_FALSE(store.SectionExists("CHANNEL_3"));
    EXPECT_FALSE(store.DeleteSection("CHANNEL_3"));

    store.WriteString("CHANNEL_3", "McName", "M3");
    store.WriteString("CHANNEL_30", "McName", "M30");
    EXPECT_TRUE(store.SectionExists("CHANNEL_3"));

    EXPECT_TRUE(store.DeleteSection("CHANNEL_3"));
    EXPECT_FALSE(store.SectionExists("CHANNEL_3"));
    EXPECT_FALSE(store.DeleteSection("CHANNEL_3"));
    // Its neighbour with a similar name stays.
    EXPECT_EQ(QSettingsStore(File()).ReadString("CHANNEL_30", "McName", ""), "M30");
}

TEST_F(QSettingsStoreTest, ChangesOfAnotherProgramAreSeen)
{
    QSettingsStore window(File());
    QSettingsStore console(File());
    EXPECT_FALSE(window.SectionExists("CHANNEL_5"));
    console.WriteString("CHANNEL_5", "McName", "FROM CLI");
    EXPECT_TRUE(window.SectionExists("CHANNEL_5"));
    EXPECT_EQ(window.ReadString("CHANNEL_5", "McName", ""), "FROM CLI");
    EXPECT_TRUE(window.DeleteSection("CHANNEL_5"));
    EXPECT_FALSE(console.SectionExists("CHANNEL_5"));
}

TEST_F(QSettingsStoreTest, WriteToAnUnwritableFileIsReportedAndTheNextGoodOneIsNot)
{
    // A folder where the file should be: nothing can be written there.
    std::filesystem::create_directory(File());
    QSettingsStore store(File());
    EXPECT_FALSE(store.WriteString("CHANNEL_4", "McName", "LOST"));
    EXPECT_FALSE(store.WriteInt("CHANNEL_4", "PNR P_NAME", 1));
    // What was not written is not read back either: a page shows what the
    // next start will see.
    EXPECT_EQ(store.ReadString("CHANNEL_4", "McName", "none"), "none");
    EXPECT_FALSE(store.SectionExists("CHANNEL_4"));

    // Once the file can be written again, a write reports success (the
    // window runs for days; one failure must not stick to every later save).
    std::filesystem::remove(File());
    EXPECT_TRUE(store.WriteString("CHANNEL_4", "McName", "KEPT"));
    EXPECT_EQ(QSettingsStore(File()).ReadString("CHANNEL_4", "McName", ""), "KEPT");
}

}  // namespace
