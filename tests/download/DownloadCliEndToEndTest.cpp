// kova-cli download against kova-sim on a pseudo-terminal, in real time.

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/CliSimSession.h"

namespace {

namespace fs = std::filesystem;

class DownloadCliEndToEndTest : public CliSimSession {
protected:
    DownloadCliEndToEndTest() : CliSimSession("download") {}

    void SetUp() override {
        CliSimSession::SetUp();
        if (HasFatalFailure()) return;
        fs::create_directories(temp_ / "nc");
    }

    std::string Nc(const std::string& name, const std::string& bytes) {
        fs::path path = temp_ / "nc" / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    static std::size_t Occurrences(const std::string& text, const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }
};

TEST_F(DownloadCliEndToEndTest, EachLineProtocolCompletesAgainstItsMachine) {
    const std::string file = Nc("P1.NCD", "N001 X100 Y200\r\nN002 X110 Y210\r\nM02\r\n");
    struct Case {
        int channel;
        const char* type;
        const char* serial;
    };
    const Case cases[] = {{1, "DYNA/PERT", "000000000001"},
                          {2, "PANASERT/RS232", "000000000002"},
                          {3, "PANASERT/TTY", "000000000003"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        ASSERT_EQ(Cli("channel set " + std::to_string(c.channel) + " --type " + c.type + " SubSerial=" + c.serial)
                      .exitCode,
                  0);
        CliResult result = Cli(Port() + "download --channel " + std::to_string(c.channel) + " " + file);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(result.err.find("Downloading ... (P1.NCD)"), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("Downloading complete.\n"), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty());
        // The link was let go of at the end.
        EXPECT_NE(result.err.find("Port closed."), std::string::npos);
    }
}

TEST_F(DownloadCliEndToEndTest, TheSampleProgramOfEachTypeReachesItsMachine) {
    const fs::path examples = fs::path(KOVA_SOURCE_DIR) / "examples";
    struct Case {
        int channel;
        const char* type;
        const char* file;
        const char* shown;
    };
    const Case cases[] = {
        {1, "DYNA/PERT", "DYNAPERT.NCD", "Downloading ... (DYNAPERT.NCD)"},
        {2, "PANASERT/RS232", "PNSRS232.NCD", "Downloading ... (PNSRS232.NCD)"},
        {3, "PANASERT/TTY", "PNSTTY.NCD", "Downloading ... (PNSTTY.NCD)"},
        {4, "CITIZEN/M10", "CITIZEN.NCD", "Downloading ... (CITIZEN.NCD)"},
        {5, "TDK/VC5A", "TDKVC5A.NCD", "Downloading ... (TDKVC5A.NCD)"},
        {6, "TDK/VC5", "TDKVC5.NCD", "Downloading ... (TDKVC5.NCD)"},
        {7, "UNIVERSAL", "UNIVERSAL.NCD", "Downloading ... (UNIVERSAL.NCD)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const std::string serial = "00000000000" + std::to_string(c.channel);
        ASSERT_EQ(Cli("channel set " + std::to_string(c.channel) + " --type " + c.type + " SubSerial=" + serial)
                      .exitCode,
                  0);
        CliResult result =
            Cli(Port() + "download --channel " + std::to_string(c.channel) + " " + (examples / c.file).string());
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(result.err.find(c.shown), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("Downloading complete.\n"), std::string::npos) << result.err;
    }
    // What the list of a machine with a program store shows now.
    CliResult list = Cli(Port() + "list --channel 7");
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_NE(list.out.find("8\tUNIVERSAL.NCD"), std::string::npos) << list.out;
}

class DownloadStartEndToEndTest : public DownloadCliEndToEndTest {
protected:
    // A TDK/VC5A whose operator never presses start.
    DownloadStartEndToEndTest() { simArgs_ = {"--no-start", "000000000005"}; }
};

TEST_F(DownloadStartEndToEndTest, StartPressesTheButtonOfTheWaitingDownload) {
    ASSERT_EQ(Cli("channel set 5 --type TDK/VC5A SubSerial=000000000005").exitCode, 0);
    const std::string file = Nc("P.NCD", "N1 X1 Y1 P1 M1\r\nN2 X2\r\n");
    CliResult result = Cli(Port() + "download --channel 5 --start " + file);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("Waiting for start signal."), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("Downloading complete."), std::string::npos) << result.err;
}

TEST_F(DownloadCliEndToEndTest, FilesGoInTheOrderGivenAndAMissingOneFailsTheCommand) {
    ASSERT_EQ(Cli("channel set 3 --type PANASERT/TTY SubSerial=000000000003").exitCode, 0);
    const std::string a = Nc("A.NCD", "N001\r\n");
    const std::string b = Nc("B.NCD", "N001\r\nN002\r\n");
    CliResult both = Cli(Port() + "download --channel 3 " + a + " " + b);
    EXPECT_EQ(both.exitCode, 0) << both.err;
    std::size_t first = both.err.find("(A.NCD)");
    std::size_t second = both.err.find("(B.NCD)");
    ASSERT_NE(first, std::string::npos) << both.err;
    ASSERT_NE(second, std::string::npos) << both.err;
    EXPECT_LT(first, second);
    EXPECT_EQ(Occurrences(both.err, "Downloading complete."), 2u);

    CliResult missing = Cli(Port() + "download --channel 3 " + (temp_ / "nc" / "NONE.NCD").string() + " " + a);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(Occurrences(missing.err, "> File not open.\n"), 1u) << missing.err;
    EXPECT_EQ(Occurrences(missing.err, "Downloading complete."), 1u);
}

TEST_F(DownloadCliEndToEndTest, ProgramNamePromptIsAnsweredOrDeclined) {
    ASSERT_EQ(Cli("channel set 2 --type PANASERT/RS232 SubSerial=000000000002 \"PNR P_NAME=1\"").exitCode, 0);
    const std::string file = Nc("P.NCD", "N001\r\n");
    CliResult declined = Cli(Port() + "download --channel 2 " + file);
    EXPECT_EQ(declined.exitCode, 1);
    EXPECT_NE(declined.err.find("?? Equipment to register for the program name [Cancel]"), std::string::npos)
        << declined.err;
    EXPECT_NE(declined.err.find("Downloading canceled."), std::string::npos);

    CliResult named = Cli(Port() + "download --channel 2 --program-name PCB7 " + file);
    EXPECT_EQ(named.exitCode, 0) << named.err;
    EXPECT_NE(named.err.find("Downloading ... (P.NCD -> PCB7)"), std::string::npos) << named.err;
}

TEST_F(DownloadCliEndToEndTest, UsageErrors) {
    const std::string file = Nc("P.NCD", "N001\r\n");
    fs::create_directories(temp_ / "other");
    std::ofstream(temp_ / "other" / "Q.NCD") << "N001\r\n";
    EXPECT_EQ(Cli(Port() + "download " + file).exitCode, 2);
    EXPECT_EQ(Cli(Port() + "download --channel 1").exitCode, 2);
    EXPECT_EQ(Cli(Port() + "download --channel 0 " + file).exitCode, 2);
    EXPECT_EQ(Cli(Port() + "download --channel 1 --bogus " + file).exitCode, 2);
    CliResult twoFolders = Cli(Port() + "download --channel 1 " + file + " " + (temp_ / "other" / "Q.NCD").string());
    EXPECT_EQ(twoFolders.exitCode, 2);
    EXPECT_NE(twoFolders.err.find("one folder"), std::string::npos);
}

TEST_F(DownloadCliEndToEndTest, InterruptCancelsTheTransferHangsUpAndFails) {
    std::string program;
    for (int i = 0; i < 400; ++i) program += "N" + std::to_string(10000 + i) + "X100Y200\r\n";
    const std::string file = Nc("LONG.NCD", program);
    ASSERT_EQ(Cli("channel set 2 --type PANASERT/RS232 SubSerial=000000000002").exitCode, 0);

    // SIGINT a few seconds in, as Ctrl+C at the console.
    CliResult result = Cli(Port() + "download --channel 2 " + file,
                           "timeout --preserve-status -s INT 4");
    EXPECT_EQ(result.exitCode, 1) << result.err;
    // Cancelled in the dial, the set-up or the transfer, wherever two seconds fall.
    EXPECT_NE(result.err.find("Downloading canceled."), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("Downloading complete."), std::string::npos) << result.err;
    // A sub module that answered is hung up before the port closes.
    if (result.err.find("Equipment is connected.") != std::string::npos) {
        EXPECT_NE(result.err.find("Equipment is disconnected."), std::string::npos) << result.err;
    }
    EXPECT_NE(result.err.find("Port closed."), std::string::npos) << result.err;

    CliResult next = Cli(Port() + "connect --channel 2");
    EXPECT_EQ(next.exitCode, 0) << next.err;
}

}  // namespace
