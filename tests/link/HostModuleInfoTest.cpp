#include <gtest/gtest.h>

#include "engine/HostModuleInfo.h"

namespace {

TEST(HostModuleInfoTest, ReadsEveryFieldOfTheInformationLine) {
    HostModuleInfo info;
    ASSERT_TRUE(info.Parse("00000000F001,KOVA-TRX,MODE0,STANDBY,0,1,HWFC\r\nOK\r\n"));
    EXPECT_EQ(info.Address, "00000000F001");
    EXPECT_EQ(info.DeviceName, "KOVA-TRX");
    EXPECT_EQ(info.Mode, "MODE0");
    EXPECT_EQ(info.LinkState, "STANDBY");
    EXPECT_FALSE(info.FirstFlag);
    EXPECT_TRUE(info.SecondFlag);
    EXPECT_EQ(info.FlowControl, "HWFC");
}

TEST(HostModuleInfoTest, FlagsAndFlowControlFollowTheirOwnCommas) {
    HostModuleInfo info;
    // The flags stand after the fourth and fifth commas; flow control after the sixth.
    ASSERT_TRUE(info.Parse("A1B2C3D4E5F6,NAME,MODE1,CONNECTED,1,0,NONE"));
    EXPECT_TRUE(info.FirstFlag);
    EXPECT_FALSE(info.SecondFlag);
    EXPECT_EQ(info.FlowControl, "NONE");
    // Only a leading '0' clears a flag; an empty field reads as set.
    ASSERT_TRUE(info.Parse("A1B2C3D4E5F6,NAME,MODE1,CONNECTED,,01,SW,FC\n"));
    EXPECT_TRUE(info.FirstFlag);
    EXPECT_FALSE(info.SecondFlag);
    EXPECT_EQ(info.FlowControl, "SW,FC");
}

TEST(HostModuleInfoTest, MalformedLinesFail) {
    HostModuleInfo info;
    EXPECT_FALSE(info.Parse("0000000F001,KOVA-TRX,MODE0,STANDBY,0,0,HWFC"));    // 11-character address
    EXPECT_FALSE(info.Parse("00000000F0012,KOVA-TRX,MODE0,STANDBY,0,0,HWFC"));  // 13 characters
    EXPECT_FALSE(info.Parse(""));
    EXPECT_FALSE(info.Parse("OK\r\n"));
    EXPECT_FALSE(info.Parse("00000000F001,KOVA-TRX,MODE0,STANDBY,0,0"));   // no flow control
    // The fields must stand on the information line itself, not borrow the next line's commas.
    EXPECT_FALSE(info.Parse("00000000F001,KOVA-TRX\r\nOK,A,B,C,D,E\r\n"));
}

TEST(HostModuleInfoTest, FieldsBeforeTheFaultStayStored) {
    HostModuleInfo info;
    EXPECT_FALSE(info.Parse("112233445566,DEV,MODE2"));
    EXPECT_EQ(info.Address, "112233445566");
    EXPECT_EQ(info.DeviceName, "DEV");
}

}  // namespace
