// kova-cli list against kova-sim on a pseudo-terminal, real time.

#include <gtest/gtest.h>

#include <string>

#include "support/CliSimSession.h"

namespace {

class ListCliEndToEndTest : public CliSimSession {
protected:
    ListCliEndToEndTest() : CliSimSession("list") {}
};

TEST_F(ListCliEndToEndTest, UniversalAndTdkVc5ProgramsArePrintedInMachineOrder) {
    ASSERT_EQ(Cli("channel set 7 --type UNIVERSAL SubSerial=000000000007").exitCode, 0);
    ASSERT_EQ(Cli("channel set 16 --type TDK/VC5 SubSerial=000000000006").exitCode, 0);

    CliResult universal = Cli(Port() + "list --channel 7");
    EXPECT_EQ(universal.exitCode, 0) << universal.err;
    EXPECT_EQ(universal.out, "1250\tPCB-MAIN-A1.NCD\n342\tPCB-POWER.NCD\n17\tTEST_JIG\n");
    std::size_t reads = universal.err.find("MC's program list reads.\n");
    std::size_t hungUp = universal.err.find("Equipment is disconnected.\n");
    ASSERT_NE(reads, std::string::npos) << universal.err;
    ASSERT_NE(hungUp, std::string::npos) << universal.err;
    EXPECT_LT(reads, hungUp);

    CliResult tdk = Cli(Port() + "list --channel=16");
    EXPECT_EQ(tdk.exitCode, 0) << tdk.err;
    EXPECT_EQ(tdk.out, "820\tVC5-BOARD1\n77\tVC5-BOARD2\n");
}

TEST_F(ListCliEndToEndTest, OtherMachineTypesAndBadArgumentsAreRefused) {
    ASSERT_EQ(Cli("channel set 1 --type DYNA/PERT SubSerial=000000000001").exitCode, 0);
    CliResult dyna = Cli(Port() + "list --channel 1");
    EXPECT_EQ(dyna.exitCode, 1);
    EXPECT_TRUE(dyna.out.empty());
    // Refused before the port is touched.
    EXPECT_EQ(dyna.err.find("Port opened."), std::string::npos) << dyna.err;

    for (const char* bad : {"list", "list --channel", "list --channel 0", "list --channel 7 extra"}) {
        CliResult usage = Cli(Port() + bad);
        EXPECT_EQ(usage.exitCode, 2) << bad;
        EXPECT_TRUE(usage.out.empty()) << bad;
    }
}

}  // namespace
