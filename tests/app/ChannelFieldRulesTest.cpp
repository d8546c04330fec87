#include <gtest/gtest.h>

#include <string>

#include "app/ChannelConfig.h"
#include "app/ChannelFieldRules.h"
#include "app/ChannelStore.h"
#include "app/MachineType.h"

namespace {

struct FieldCase {
    const char* name;
    std::string value;
    bool good;
};

TEST(ChannelFieldRulesTest, EachFieldTakesWhatTheEditorOffersAndNothingElse)
{
    const FieldCase cases[] = {
        {ChannelValue::SubSerial, "0123456789aB", true},
        {ChannelValue::SubSerial, "0123456789A", false},
        {ChannelValue::SubSerial, "0123456789ABC", false},
        {ChannelValue::SubSerial, "0123456789AG", false},
        {ChannelValue::SubSerial, "01234 6789AB", false},
        {ChannelValue::McType, "TDK/VC5A", true},
        {ChannelValue::McType, "FOO", false},
        {ChannelValue::McType, "USM", false},
        {ChannelValue::McType, "tdk/vc5", false},
        {ChannelValue::McName, "", true},
        {ChannelValue::McName, "\xEB\x9D\xBC\xEC\x9D\xB8 7", true},   // Korean text
        {ChannelValue::McName, "a\x1b" "b", false},
        {ChannelValue::McName, "a\tb", false},
        {ChannelValue::McName, "a\nb", false},
        {ChannelValue::McName, "a\x7f", false},
        {ChannelValue::McName, "\xff\xfe", false},
        {ChannelValue::McBaudRate, "300", true},
        {ChannelValue::McBaudRate, "9600", true},
        {ChannelValue::McBaudRate, "19200", false},   // the sub module has no code for it
        {ChannelValue::McBaudRate, "900", false},
        {ChannelValue::McBaudRate, "09600", false},
        {ChannelValue::McDataBit, "7", true},
        {ChannelValue::McDataBit, "9", false},
        {ChannelValue::McParityBit, "EVEN", true},
        {ChannelValue::McParityBit, "even", false},
        {ChannelValue::McDelayBit, "0", true},
        {ChannelValue::McDelayBit, "200", true},
        {ChannelValue::McDelayBit, "201", false},
        {ChannelValue::McDelayBit, "-1", false},
        {ChannelValue::McDelayBit, "", false},
        {ChannelValue::McDelayBit, "12x", false},
        {ChannelValue::McDelayBit, "99999999999999999999", false},
        {ChannelValue::McDelayBitSys, "", true},
        {ChannelValue::McDelayBitSys, "201", false},
        {ChannelValue::NcdFileFolder, "/srv/nc", true},
        {ChannelValue::NcdFileFolder, "", false},
        {ChannelValue::NcdFileFolder, "/srv/\rnc", false},
        {ChannelValue::PnrEtx, "^C", true},
        {ChannelValue::PnrEtx, "LF", false},
        {ChannelValue::PnrPName, "1", true},
        {ChannelValue::PnrPName, "2", false},
        {"Colour", "red", false},
    };
    for (const FieldCase& c : cases) {
        const std::string report = CheckChannelField(c.name, c.value);
        EXPECT_EQ(report.empty(), c.good) << c.name << "=" << c.value << ": " << report;
        if (!c.good) {
            // The report names the field, so the operator knows what to mend.
            EXPECT_NE(report.find(c.name), std::string::npos) << report;
        }
    }
}

TEST(ChannelFieldRulesTest, WholeRecordReportsItsFirstBadField)
{
    ChannelConfig config;
    config.Channel = 4;
    ChannelStore::SetDefaults(config, "/srv/nc");
    // The load defaults name no machine type.
    EXPECT_NE(CheckChannelConfig(config).find("McType"), std::string::npos);

    ApplyMachineType(config, MachineTypes[0]);
    EXPECT_EQ(CheckChannelConfig(config), "");
    for (const MachineType& type : MachineTypes) {
        ApplyMachineType(config, type);
        EXPECT_EQ(CheckChannelConfig(config), "") << type.Name;
    }

    ChannelConfig bad = config;
    bad.McBaudRate = "abc";
    EXPECT_NE(CheckChannelConfig(bad).find("McBaudRate"), std::string::npos);
    bad = config;
    bad.McName = "line\n2";
    EXPECT_NE(CheckChannelConfig(bad).find("McName"), std::string::npos);
    bad = config;
    bad.PnrPName = 7;
    EXPECT_NE(CheckChannelConfig(bad).find("PNR P_NAME"), std::string::npos);
}

TEST(ChannelFieldRulesTest, DecimalsAreRangeCheckedWithoutOverflow)
{
    int64_t value = -7;
    EXPECT_TRUE(ParseDecimalInRange("-5", -10, 10, value));
    EXPECT_EQ(value, -5);
    for (const char* text : {"", "+5", " 5", "5 ", "0x5", "11", "99999999999999999999",
                             "-99999999999999999999"}) {
        value = -7;
        EXPECT_FALSE(ParseDecimalInRange(text, -10, 10, value)) << text;
        EXPECT_EQ(value, -7) << text;
    }
}

}  // namespace
