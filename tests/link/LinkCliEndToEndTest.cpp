// kova-cli's link commands against kova-sim on a pseudo-terminal, real time.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/CliSimSession.h"

namespace {

class LinkCliEndToEndTest : public CliSimSession {
protected:
    LinkCliEndToEndTest() : CliSimSession("link") {}

    // Changes the settings file as an editor would.
    void EditSettings(const std::string& from, const std::string& to) {
        const std::filesystem::path file = temp_ / "config" / "MERIDO ELE" / "KOVA.conf";
        std::string text = ReadWholeFile(file);
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << text;
        text.replace(at, from.size(), to);
        std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
    }
};

TEST_F(LinkCliEndToEndTest, HostPrintsTheModulesAddressAndName) {
    CliResult result = Cli(Port() + "host");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "00000000F001\tKOVA-TRX\n");
    EXPECT_NE(result.err.find("1> " + link_.string() + " Port opened.\n   Checking host module.\n"
                              "   Host module has been confirmed.\n"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("Port closed."), std::string::npos);
}

// As the demo runs: the simulator passes bytes at the host module's 9600 baud.
class PacedLinkCliEndToEndTest : public LinkCliEndToEndTest {
protected:
    PacedLinkCliEndToEndTest() { simPaced_ = true; }
};

TEST_F(PacedLinkCliEndToEndTest, ConnectSetsUpThenHangsUp) {
    ASSERT_EQ(Cli("channel set 5 --type DYNA/PERT SubSerial=000000000001").exitCode, 0);
    CliResult result = Cli(Port() + "connect --channel 5");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.out.empty());
    std::size_t connected = result.err.find("Equipment is connected.\n");
    std::size_t disconnected = result.err.find("Equipment is disconnected.\n");
    ASSERT_NE(connected, std::string::npos) << result.err;
    ASSERT_NE(disconnected, std::string::npos) << result.err;
    EXPECT_LT(connected, disconnected);
    EXPECT_NE(result.err.find("2> Channel:5 Try to connection to sub module .\n"), std::string::npos);

    // The link was let go of properly: the next connect works at once.
    EXPECT_EQ(Cli(Port() + "connect --channel 5").exitCode, 0);
}

TEST_F(LinkCliEndToEndTest, ShortSerialIsRefused) {
    // kova-cli refuses to store it; a record edited by hand may still hold it.
    EXPECT_EQ(Cli("channel set 6 --type UNIVERSAL SubSerial=00000000001").exitCode, 1);
    ASSERT_EQ(Cli("channel set 6 --type UNIVERSAL SubSerial=000000000061").exitCode, 0);
    EditSettings("SubSerial=000000000061", "SubSerial=00000000001");
    CliResult result = Cli(Port() + "connect --channel 6");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("Serial of sub module is not valid.\n   Canceled to connect  with Equipment.\n"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(result.err.find("Equipment is connected."), std::string::npos);
}

TEST_F(LinkCliEndToEndTest, UsageErrorsAndMissingPorts) {
    EXPECT_EQ(Cli(Port() + "connect").exitCode, 2);
    EXPECT_EQ(Cli(Port() + "connect --channel 100").exitCode, 2);
    CliResult missing = Cli("--port " + (temp_ / "none").string() + " --lang 0 host");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.out.empty());
    EXPECT_NE(missing.err.find("?? Reconnect the USB cable of host module. [Cancel]"), std::string::npos)
        << missing.err;
}

}  // namespace
