// Every machine type on a slow line: a long line takes longer on the machine's
// line than a reply wait lasts, and the download must still go through.

#include <cctype>
#include <string>

#include "download/FourTypesFixture.h"
#include "sim/DynaPertMachine.h"
#include "sim/PanasertRs232Machine.h"
#include "sim/PanasertTtyMachine.h"

namespace {

struct SlowCase {
    const char* type;
    const char* file;
};

class SlowLineDownloadTest : public FourTypesFixture, public testing::WithParamInterface<SlowCase> {
protected:
    DynaPertMachine& dynaPert = AttachMachine<DynaPertMachine>(1, "000000000001", "DYNA/PERT");
    PanasertRs232Machine& rs232 = AttachMachine<PanasertRs232Machine>(2, "000000000002", "PANASERT/RS232");
    PanasertTtyMachine& tty = AttachMachine<PanasertTtyMachine>(3, "000000000003", "PANASERT/TTY");
};

// 600 baud and 127 delay bits: 228 ms a character, so a line of 60 takes
// almost 14 s to reach the machine.
TEST_P(SlowLineDownloadTest, LongLineIsGivenItsTimeOnTheMachineLine) {
    const SlowCase& c = GetParam();
    static const char* const kTypes[] = {"DYNA/PERT",   "PANASERT/RS232", "PANASERT/TTY", "CITIZEN/M10",
                                         "TDK/VC5A",    "TDK/VC5",        "UNIVERSAL"};
    for (int i = 0; i < 7; ++i)
        if (std::string(c.type) == kTypes[i]) channel_ = i + 1;
    ChannelConfig channel;
    channel.Channel = channel_;
    app.LoadChannelConfig(channel);
    channel.McBaudRate = "600";
    channel.McDelayBit = "127";
    app.SaveChannelConfig(channel);
    WriteNc("SLOW.NCD", c.file);

    ASSERT_TRUE(Send({"SLOW.NCD"}, 3600000));
    std::string shown;
    for (const std::string& t : StatusTexts()) shown += t + "\n";
    EXPECT_EQ(Count("Downloading complete."), 1) << shown;
    EXPECT_EQ(LastRun().EndState, 9000);
    EXPECT_EQ(terminal.Meter.Figures().Nudges, 0);
}

#define LONG_XY "X+012.700 Y+005.080 X+012.700 Y+005.080 X+012.700 Y+005.0"
INSTANTIATE_TEST_SUITE_P(
    Types, SlowLineDownloadTest,
    testing::Values(SlowCase{"DYNA/PERT", "N001 " LONG_XY "\r\nM02\r\n"},
                    SlowCase{"PANASERT/RS232", "0001 " LONG_XY "\r\n*\r\n"},
                    SlowCase{"PANASERT/TTY", "N001 " LONG_XY "\r\n*\r\n"},
                    SlowCase{"CITIZEN/M10", "%\r\nN10 " LONG_XY "\r\nM30\r\n%\r\n"},
                    SlowCase{"TDK/VC5A", "N0000 " LONG_XY " P00 M00\r\nEX\r\n"},
                    SlowCase{"TDK/VC5", "N0001 " LONG_XY " A00\r\nEX\r\n"},
                    SlowCase{"UNIVERSAL", "0001>  " LONG_XY "\r\n0002>  +0 X+0 Y+0 END\r\n"}),
    [](const testing::TestParamInfo<SlowCase>& info) {
        std::string name;
        for (const char* p = info.param.type; *p; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
        return name;
    });

}  // namespace
