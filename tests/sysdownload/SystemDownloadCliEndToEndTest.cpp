// kova-cli sysdownload against kova-sim on a pseudo-terminal, in real time.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "support/CliSimSession.h"

namespace {

namespace fs = std::filesystem;

class SystemDownloadCliEndToEndTest : public CliSimSession {
protected:
    // The UNIVERSAL machine halted at its console, the TDK/VC5 machine with its
    // start switch pressed; what they take is written into the test's folder.
    SystemDownloadCliEndToEndTest() : CliSimSession("sysdownload") {
        simArgs_ = {"--system-load", "000000000007", "--system-load", "000000000006", "--system-dir", "{temp}"};
    }

    std::string Program(const std::string& name, std::size_t size) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 13 + 5) & 0xFF);
        std::ofstream(temp_ / name, std::ios::binary) << bytes;
        return bytes;
    }

    // What the machine behind `serial` holds once its line has gone quiet.
    std::string Stored(const std::string& serial) {
        fs::path path = temp_ / (serial + ".sys");
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!fs::exists(path) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return ReadWholeFile(path);
    }
};

TEST_F(SystemDownloadCliEndToEndTest, UniversalAndTdkVc5MachinesHoldTheProgramByteForByte) {
    const std::string universal = Program("UNI.SYS", 1000);
    ASSERT_EQ(Cli("channel set 7 --type UNIVERSAL SubSerial=000000000007").exitCode, 0);
    CliResult first = Cli(Port() + "sysdownload --channel 7 --delay 35 " + (temp_ / "UNI.SYS").string());
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_NE(first.err.find("> System program downloading completed.\n"), std::string::npos) << first.err;
    EXPECT_NE(first.err.find("> Keep disconnecting. And reconnect.\n"), std::string::npos);
    EXPECT_NE(first.err.find("Port closed."), std::string::npos);
    EXPECT_TRUE(first.out.empty());
    EXPECT_EQ(Stored("000000000007"), universal);

    // The start switch question needs --yes; the delay bits of the line are set low to keep it quick.
    const std::string tdk = Program("VC5.SYS", 700);
    ASSERT_EQ(Cli("channel set 6 --type TDK/VC5 SubSerial=000000000006 McDelayBit=0").exitCode, 0);
    CliResult declined = Cli(Port() + "sysdownload --channel 6 --delay 35 " + (temp_ / "VC5.SYS").string());
    EXPECT_EQ(declined.exitCode, 1);
    EXPECT_NE(declined.err.find("?? Press system download start switch of MC. [Cancel]"), std::string::npos)
        << declined.err;
    CliResult second = Cli(Port() + "--yes sysdownload --channel 6 --delay 35 " + (temp_ / "VC5.SYS").string());
    EXPECT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(Stored("000000000006"), tdk);
}

TEST_F(SystemDownloadCliEndToEndTest, OtherTypesAndBadArgumentsAreRefused) {
    Program("P.SYS", 10);
    const std::string file = (temp_ / "P.SYS").string();
    ASSERT_EQ(Cli("channel set 1 --type DYNA/PERT SubSerial=000000000001").exitCode, 0);
    CliResult refused = Cli(Port() + "sysdownload --channel 1 --delay 35 " + file);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "1> Invalid type of equipment.\n");

    ASSERT_EQ(Cli("channel set 7 --type UNIVERSAL SubSerial=000000000007").exitCode, 0);
    CliResult missing = Cli(Port() + "sysdownload --channel 7 --delay 35 " + (temp_ / "NONE.SYS").string());
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("> File not open.\n"), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find("> System program canceled downloading.\n"), std::string::npos);

    EXPECT_EQ(Cli(Port() + "sysdownload --channel 7 " + file).exitCode, 2);
    EXPECT_EQ(Cli(Port() + "sysdownload --channel 7 --delay 201 " + file).exitCode, 2);
    EXPECT_EQ(Cli(Port() + "sysdownload --delay 35 " + file).exitCode, 2);
    EXPECT_EQ(Cli(Port() + "sysdownload --channel 7 --delay 35").exitCode, 2);
    EXPECT_EQ(Cli(Port() + "sysdownload --channel 7 --delay 35 " + file + " " + file).exitCode, 2);
}

}  // namespace
