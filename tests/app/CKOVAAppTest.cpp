#include <gtest/gtest.h>

#include "FakeAppPlatform.h"
#include "app/CKOVAApp.h"
#include "app/ChannelStore.h"
#include "lang/Msg.h"
#include "support/TempFolder.h"

namespace {

using Value = InMemorySettingsStore::Value;

class CKOVAAppTest : public ::testing::Test {
protected:
    // Loads all settings as the start-up does.
    void Load()
    {
        app.AttachPlatform(platform);
        app.LoadAllSettings();
    }

    void StoreChannel(int channel, const std::string& name)
    {
        const std::string section = ChannelStore::SectionName(channel);
        platform.Store.WriteString(section, "McName", name);
        platform.Store.WriteString(section, "McType", "UNIVERSAL");
    }

    FakeAppPlatform platform;
    CKOVAApp app;
};

TEST_F(CKOVAAppTest, FirstStartPicksTheSystemLanguageAndStoresIt)
{
    Load();
    EXPECT_EQ(app._nLanguage, 0);
    EXPECT_EQ(platform.Store.Find("COMMON", "LANGUAGE"), Value(0));

    FakeAppPlatform korean;
    korean.Korean = true;
    CKOVAApp koreanApp;
    koreanApp.AttachPlatform(korean);
    koreanApp.LoadAllSettings();
    EXPECT_EQ(koreanApp._nLanguage, 1);
    EXPECT_EQ(korean.Store.Find("COMMON", "LANGUAGE"), Value(1));
}

TEST_F(CKOVAAppTest, LanguageInRangeStaysAndIsNotWritten)
{
    platform.Korean = true;
    platform.Store.WriteInt("COMMON", "LANGUAGE", 5);
    const int writes = platform.Store.WriteCount();
    Load();
    EXPECT_EQ(app._nLanguage, 5);
    EXPECT_EQ(platform.Store.WriteCount(), writes);
}

TEST_F(CKOVAAppTest, LanguageOutOfRangeIsCorrectedAndWrittenBack)
{
    for (int stored : {6, 7, -1, -100}) {
        for (bool korean : {false, true}) {
            FakeAppPlatform system;
            system.Korean = korean;
            system.Store.WriteInt("COMMON", "LANGUAGE", stored);
            CKOVAApp fresh;
            fresh.AttachPlatform(system);
            fresh.LoadAllSettings();
            const int expected = korean ? 1 : 0;
            EXPECT_EQ(fresh._nLanguage, expected) << stored;
            EXPECT_EQ(system.Store.Find("COMMON", "LANGUAGE"), Value(expected)) << stored;
        }
    }
}

TEST_F(CKOVAAppTest, BadChannelNumberMeansChannelOneAndStaysStored)
{
    StoreChannel(1, "FIRST");
    for (int stored : {0, -5, 100, 1000}) {
        platform.Store.WriteInt("COMMON", "CHANNEL", stored);
        Load();
        EXPECT_EQ(app.CurrentChannel.Channel, 1) << stored;
        EXPECT_EQ(app.CurrentChannel.McName, "FIRST") << stored;
        EXPECT_EQ(platform.Store.Find("COMMON", "CHANNEL"), Value(stored));
    }
}

TEST_F(CKOVAAppTest, CurrentChannelIsLoadedOrKeepsDefaults)
{
    StoreChannel(7, "LINE7");
    platform.Store.WriteInt("COMMON", "CHANNEL", 7);
    Load();
    EXPECT_EQ(app.CurrentChannel.Channel, 7);
    EXPECT_EQ(app.CurrentChannel.McName, "LINE7");
    EXPECT_EQ(app.CurrentChannel.McType, "UNIVERSAL");
    EXPECT_EQ(app.CurrentChannel.NcdFileFolder, "/home/op/DATA/USM");

    // A channel without a record: the defaults, with the user's folder.
    platform.Store.WriteInt("COMMON", "CHANNEL", 9);
    Load();
    EXPECT_EQ(app.CurrentChannel.Channel, 9);
    EXPECT_EQ(app.CurrentChannel.McName, "USM");
    EXPECT_EQ(app.CurrentChannel.McType, "USM");
    EXPECT_EQ(app.CurrentChannel.NcdFileFolder, "/home/op/DATA/USM");
}

TEST_F(CKOVAAppTest, EmptyStoreGivesDocumentedDefaults)
{
    Load();
    EXPECT_EQ(app.Password, "7264");
    EXPECT_EQ(app.PcPort.PcComNo, "Auto");
    EXPECT_EQ(app.PcPort.DisconnectTime, 0);
    EXPECT_EQ(app.PcPort.BaudRate, "9600");
    EXPECT_EQ(app.PcPort.StopBit, "2");
    EXPECT_EQ(app.RxdFont, (FontSetting{"굴림체", -20, 400, 0, 65280}));
    EXPECT_EQ(app.StateFont, (FontSetting{"굴림체", -12, 400, 0, 16711680}));
}

TEST_F(CKOVAAppTest, SavedSettingsAreReadByTheNextStart)
{
    Load();
    app.RxdFont = FontSetting{"NanumGothicCoding", -15, 700, 1, 0x123456};
    app.StateFont = FontSetting{"Monospace", 11, 300, 0, 0};
    app.SaveFontSettings();
    app.Password = "0000";
    app.SavePasswordSetting();
    app._nLanguage = 3;
    app.SaveLanguageSetting();
    app.PcPort.PcComNo = "/dev/ttyUSB1";
    app.PcPort.DisconnectTime = 30;
    app.SavePcPortSettings();

    // All ten font values are there, the integers as integers.
    for (const char* prefix : {"RXD", "State"}) {
        const std::string p = prefix;
        EXPECT_TRUE(platform.Store.Find("FONT", p + " FaceName")) << p;
        for (const char* name : {" Height", " Weight", " Underline", " Text Color"}) {
            const auto value = platform.Store.Find("FONT", p + name);
            ASSERT_TRUE(value) << p << name;
            EXPECT_TRUE(std::holds_alternative<int>(*value)) << p << name;
        }
    }

    CKOVAApp next;
    next.AttachPlatform(platform);
    next.LoadAllSettings();
    EXPECT_EQ(next.RxdFont, app.RxdFont);
    EXPECT_EQ(next.StateFont, app.StateFont);
    EXPECT_EQ(next.Password, "0000");
    EXPECT_EQ(next._nLanguage, 3);
    EXPECT_EQ(next.PcPort.PcComNo, "/dev/ttyUSB1");
    EXPECT_EQ(next.PcPort.DisconnectTime, 30);
}

TEST_F(CKOVAAppTest, InitApplicationBuildsListsAndPortList)
{
    platform.Ports = {"/dev/ttyS0", "/dev/ttyUSB0"};
    ASSERT_TRUE(app.InitApplication(platform));
    EXPECT_EQ(platform.LockAttempts, 1);
    EXPECT_TRUE(platform.Messages.empty());
    EXPECT_EQ(app.ComPortList, (std::vector<std::string>{"Auto", "/dev/ttyS0", "/dev/ttyUSB0"}));
    EXPECT_EQ(app.MachineTypeList,
              (std::vector<std::string>{"DYNA/PERT", "PANASERT/RS232", "PANASERT/TTY", "CITIZEN/M10",
                                        "TDK/VC5A", "TDK/VC5", "UNIVERSAL"}));
    EXPECT_EQ(app.BaudRateList.front(), "300");
    EXPECT_EQ(app.BaudRateList.back(), "19200");
    EXPECT_EQ(app.EtxList, (std::vector<std::string>{"CR", "^C"}));
    // No language file beside the program: the built-in table is used.
    EXPECT_EQ(app.LanguageFilePath, platform.Folder + "/KOVA_M1002.TXT");
    EXPECT_FALSE(app.GetMultiLanguageStr(static_cast<int>(Msg::AlreadyRunning)).empty());

    // Building the lists again does not double them; no ports gives "Auto" alone.
    app.BuildSelectionLists();
    EXPECT_EQ(app.MachineTypeList.size(), 7u);
    platform.Ports.clear();
    app.EnumComPorts(app.ComPortList);
    EXPECT_EQ(app.ComPortList, (std::vector<std::string>{"Auto"}));
}

TEST_F(CKOVAAppTest, SecondCopyShowsMessageInStoredLanguageAndEnds)
{
    platform.LockFree = false;
    platform.Store.WriteInt("COMMON", "LANGUAGE", 1);
    platform.Ports = {"/dev/ttyUSB0"};
    EXPECT_FALSE(app.InitApplication(platform));

    CKOVAApp korean;
    korean.SetDefaultMultiLanguageStr();
    korean._nLanguage = 1;
    CKOVAApp english;
    english.SetDefaultMultiLanguageStr();
    const std::string koreanText = korean.GetMultiLanguageStr(static_cast<int>(Msg::AlreadyRunning));
    ASSERT_NE(koreanText, english.GetMultiLanguageStr(static_cast<int>(Msg::AlreadyRunning)));
    ASSERT_EQ(platform.Messages.size(), 1u);
    EXPECT_EQ(platform.Messages[0], koreanText);
    EXPECT_TRUE(app.ComPortList.empty());
}

TEST_F(CKOVAAppTest, SharedStartNeverTakesTheLock)
{
    platform.LockFree = false;
    EXPECT_TRUE(app.InitApplication(platform, CKOVAApp::InstanceGuard::Shared));
    EXPECT_EQ(platform.LockAttempts, 0);
    EXPECT_TRUE(platform.Messages.empty());
    EXPECT_EQ(app.ComPortList, (std::vector<std::string>{"Auto"}));
}

TEST_F(CKOVAAppTest, ChannelOperationsWorkThroughTheApplication)
{
    ChannelConfig early;
    early.Channel = 4;
    EXPECT_EQ(app.SaveChannelConfig(early), 0);   // no store yet: refused, no crash
    EXPECT_FALSE(app.ChannelKeyExists(4));

    app.AttachPlatform(platform);
    ChannelConfig config;
    config.Channel = 4;
    app.SetDefaultChannelConfig(config);
    EXPECT_EQ(config.NcdFileFolder, "/home/op/DATA/USM");
    ASSERT_EQ(app.SaveChannelConfig(config), 1);
    EXPECT_TRUE(app.ChannelKeyExists(4));
    EXPECT_EQ(app.FindFreeChannel(4), 5);
    EXPECT_EQ(app.DeleteChannelConfig(4), 1);
    EXPECT_EQ(app.DeleteChannelConfig(4), 0);
}

// A release folder keeps the file beside the programs, a package in
// <prefix>/share/kova; a copy beside the program wins, and with neither the
// path beside the program stays (that is where a save writes).
TEST(CKOVAAppLanguageFile, FoundBesideTheProgramThenInTheSharedFolder)
{
    TempFolder root("kova-langfile");
    const auto bin = root / "bin";
    const auto shared = root / "share" / "kova";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(shared);
    const std::string besidePath = (bin / "KOVA_M1002.TXT").string();
    const std::string sharedPath = (shared / "KOVA_M1002.TXT").string();

    EXPECT_EQ(CKOVAApp::FindLanguageFile(bin.string()), besidePath);
    TempFolder::Write(sharedPath, "x");
    EXPECT_EQ(CKOVAApp::FindLanguageFile(bin.string()), sharedPath);
    TempFolder::Write(besidePath, "x");
    EXPECT_EQ(CKOVAApp::FindLanguageFile(bin.string()), besidePath);
}

}  // namespace
