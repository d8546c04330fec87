#include <gtest/gtest.h>

#include "app/ChannelStore.h"
#include "app/InMemorySettingsStore.h"
#include "app/MachineType.h"

namespace {

constexpr const char* kHomeFolder = "/home/op/DATA/USM";

class ChannelStoreTest : public ::testing::Test {
protected:
    // A section that exists but holds none of the values a load reads.
    void MakeEmptyChannel(int channel)
    {
        store.WriteString(ChannelStore::SectionName(channel), "McDelayBit_sys", "9");
    }

    ChannelConfig Defaults(int channel) const
    {
        ChannelConfig config;
        config.Channel = channel;
        channels.SetDefaultChannelConfig(config);
        return config;
    }

    InMemorySettingsStore store;
    ChannelStore channels{store, kHomeFolder};
};

TEST_F(ChannelStoreTest, ExistingChannelWithoutValuesLoadsDefaults)
{
    MakeEmptyChannel(3);
    ChannelConfig config;
    config.Channel = 3;
    config.McDelayBit_sys = "44";
    ASSERT_EQ(channels.LoadChannelConfig(config), 1);

    EXPECT_EQ(config.SubSerial, "000000000000");
    EXPECT_EQ(config.McType, "USM");
    EXPECT_EQ(config.McName, "USM");
    EXPECT_EQ(config.McBaudRate, "4800");
    EXPECT_EQ(config.McDataBit, "8");
    EXPECT_EQ(config.McParityBit, "NONE");
    EXPECT_EQ(config.McDelayBit, "127");
    EXPECT_EQ(config.NcdFileFolder, kHomeFolder);
    EXPECT_EQ(config.PnrEtx, "CR");
    EXPECT_EQ(config.PnrPName, 0);
    // The system delay bits are never read back.
    EXPECT_EQ(config.McDelayBit_sys, "44");
}

TEST_F(ChannelStoreTest, MissingChannelLeavesTheRecordUntouched)
{
    ChannelConfig config;
    config.Channel = 5;
    config.McName = "KEEP";
    EXPECT_EQ(channels.LoadChannelConfig(config), 0);
    EXPECT_EQ(config.McName, "KEEP");
    EXPECT_EQ(config.McType, "");
}

TEST_F(ChannelStoreTest, StoredFolderIsCleanedOnLoad)
{
    const std::string section = ChannelStore::SectionName(2);
    struct Case {
        const char* stored;
        const char* loaded;
    };
    const Case cases[] = {
        {" /data/line 2/USM/\r\n", "/data/line 2/USM"},
        {" /data//x//\n\r ", "/data//x"},
        // A TAB is no blank: it stays, and so does the '/' before it.
        {"\t/data/x/\t", "\t/data/x/\t"},
        {"/", "/"},
        {"  ///  ", "/"},
        {"relative/folder/", "relative/folder"},
        {" \r\n", ""},
    };
    for (const Case& c : cases) {
        store.WriteString(section, "NCD File Folder", c.stored);
        ChannelConfig config;
        config.Channel = 2;
        ASSERT_EQ(channels.LoadChannelConfig(config), 1);
        EXPECT_EQ(config.NcdFileFolder, c.loaded) << "stored: \"" << c.stored << "\"";
    }
}

TEST_F(ChannelStoreTest, NumbersOutsideOneTo99AreRefusedEverywhere)
{
    for (int channel : {0, 100, -1}) {
        ChannelConfig config = Defaults(channel);
        const int writesBefore = store.WriteCount();
        EXPECT_EQ(channels.SaveChannelConfig(config), 0) << channel;
        EXPECT_EQ(store.WriteCount(), writesBefore) << channel;
        EXPECT_EQ(channels.LoadChannelConfig(config), 0) << channel;
        EXPECT_EQ(channels.DeleteChannelConfig(channel), 0) << channel;
        EXPECT_FALSE(channels.ChannelKeyExists(channel)) << channel;
        EXPECT_FALSE(store.SectionExists(ChannelStore::SectionName(channel))) << channel;
    }

    ChannelConfig last = Defaults(99);
    last.McName = "LAST";
    EXPECT_EQ(channels.SaveChannelConfig(last), 1);
    EXPECT_TRUE(channels.ChannelKeyExists(99));
    ChannelConfig loaded;
    loaded.Channel = 99;
    EXPECT_EQ(channels.LoadChannelConfig(loaded), 1);
    EXPECT_EQ(loaded.McName, "LAST");
    EXPECT_EQ(channels.DeleteChannelConfig(99), 1);
    EXPECT_FALSE(channels.ChannelKeyExists(99));
    EXPECT_EQ(channels.DeleteChannelConfig(99), 0);   // nothing left to delete
}

TEST_F(ChannelStoreTest, FindFreeChannelSkipsStoredOnes)
{
    EXPECT_EQ(channels.FindFreeChannel(0), 1);
    EXPECT_EQ(channels.FindFreeChannel(-7), 1);
    EXPECT_EQ(channels.FindFreeChannel(1), 1);

    for (int channel : {1, 2, 4}) {
        MakeEmptyChannel(channel);
    }
    EXPECT_EQ(channels.FindFreeChannel(0), 3);
    EXPECT_EQ(channels.FindFreeChannel(1), 3);
    EXPECT_EQ(channels.FindFreeChannel(4), 5);
    EXPECT_EQ(channels.FindFreeChannel(99), 99);
    EXPECT_EQ(channels.FindFreeChannel(100), 0);

    for (int channel = 1; channel <= 99; ++channel) {
        MakeEmptyChannel(channel);
    }
    EXPECT_EQ(channels.FindFreeChannel(1), 0);
    EXPECT_EQ(channels.FindFreeChannel(50), 0);
}

TEST_F(ChannelStoreTest, SaveThenLoadGivesBackEveryFieldButSystemDelay)
{
    ChannelConfig saved;
    saved.Channel = 42;
    saved.SubSerial = "0123456789AB";
    saved.McType = "PANASERT/RS232";
    saved.McName = "라인 42";
    saved.McBaudRate = "2400";
    saved.McDataBit = "7";
    saved.McParityBit = "ODD";
    saved.McDelayBit = "0";
    saved.McDelayBit_sys = "150";
    saved.NcdFileFolder = "/srv/nc/line42";
    saved.PnrEtx = "^C";
    saved.PnrPName = 1;
    ASSERT_EQ(channels.SaveChannelConfig(saved), 1);

    // The system delay bits are written with every save ...
    EXPECT_EQ(store.ReadString("CHANNEL_42", "McDelayBit_sys", ""), "150");
    // ... and "PNR P_NAME" is an integer value.
    EXPECT_EQ(store.Find("CHANNEL_42", "PNR P_NAME"), InMemorySettingsStore::Value(1));

    ChannelConfig loaded;
    loaded.Channel = 42;
    loaded.McDelayBit_sys = "in memory";
    ASSERT_EQ(channels.LoadChannelConfig(loaded), 1);
    ChannelConfig expected = saved;
    expected.McDelayBit_sys = "in memory";
    EXPECT_EQ(loaded, expected);
}

TEST_F(ChannelStoreTest, SaveAndDeleteReportAStoreThatCannotBeWritten)
{
    ChannelConfig config = Defaults(8);
    ASSERT_EQ(channels.SaveChannelConfig(config), 1);
    store.SetWritable(false);
    config.McName = "LOST";
    EXPECT_EQ(channels.SaveChannelConfig(config), 0);
    EXPECT_EQ(channels.DeleteChannelConfig(8), 0);
    store.SetWritable(true);
    EXPECT_EQ(channels.SaveChannelConfig(config), 1);
}

TEST_F(ChannelStoreTest, ValueOfTheWrongTypeReadsAsDefault)
{
    store.WriteString("CHANNEL_6", "PNR P_NAME", "1");
    store.WriteInt("CHANNEL_6", "McName", 77);
    ChannelConfig config;
    config.Channel = 6;
    ASSERT_EQ(channels.LoadChannelConfig(config), 1);
    EXPECT_EQ(config.PnrPName, 0);
    EXPECT_EQ(config.McName, "USM");
}

TEST(MachineTypeTest, NamesMatchWholeAndCaseSensitive)
{
    EXPECT_EQ(FindMachineType("TDK/VC5A"), 4);
    EXPECT_EQ(FindMachineType("TDK/VC5"), 5);
    EXPECT_EQ(FindMachineType("UNIVERSAL"), 6);
    EXPECT_EQ(FindMachineType("universal"), -1);
    EXPECT_EQ(FindMachineType("TDK/VC"), -1);
    EXPECT_EQ(FindMachineType("USM"), -1);
}

TEST(MachineTypeTest, ChoosingATypeSetsLineParametersAndPnrOnlyForPanasertRs232)
{
    ChannelConfig config;
    config.McName = "M";
    config.SubSerial = "ABCDEF012345";
    config.PnrEtx = "^C";
    config.PnrPName = 1;

    ApplyMachineType(config, MachineTypes[static_cast<std::size_t>(FindMachineType("CITIZEN/M10"))]);
    EXPECT_EQ(config.McType, "CITIZEN/M10");
    EXPECT_EQ(config.McBaudRate, "2400");
    EXPECT_EQ(config.McDataBit, "7");
    EXPECT_EQ(config.McParityBit, "EVEN");
    EXPECT_EQ(config.McDelayBit, "35");
    EXPECT_EQ(config.PnrEtx, "^C");
    EXPECT_EQ(config.PnrPName, 1);
    EXPECT_EQ(config.McName, "M");
    EXPECT_EQ(config.SubSerial, "ABCDEF012345");

    ApplyMachineType(config, MachineTypes[static_cast<std::size_t>(FindMachineType("PANASERT/RS232"))]);
    EXPECT_EQ(config.McDelayBit, "25");
    EXPECT_EQ(config.PnrEtx, "CR");
    EXPECT_EQ(config.PnrPName, 0);
}

}  // namespace
