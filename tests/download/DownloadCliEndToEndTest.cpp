// kova-cli download against kova-sim on a pseudo-terminal, in real time.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
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

TEST_F(DownloadCliEndToEndTest, TheJournalShowsTheFileWithItsSha256AndResult) {
    const std::string file = Nc("P1.NCD", "N001 X100 Y200\r\nN002 X110 Y210\r\nM02\r\n");
    ASSERT_EQ(Cli("channel set 1 --type DYNA/PERT SubSerial=000000000001").exitCode, 0);
    ASSERT_EQ(Cli(Port() + "download --channel 1 " + file).exitCode, 0);

    std::string sum(64, '\0');
    FILE* pipe = popen(("sha256sum '" + file + "'").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    ASSERT_EQ(fread(sum.data(), 1, sum.size(), pipe), sum.size());
    pclose(pipe);
    CliResult csv = Cli("journal --csv");
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    const std::string header = "start,end,user,channel,type,machine,sub_address,direction,pc_file,program,bytes,"
                               "lines,sha256,duration_ms,result,message_number,message,verify\r\n";
    ASSERT_EQ(csv.out.rfind(header, 0), 0u) << csv.out;
    EXPECT_EQ(Occurrences(csv.out, "\r\n"), 2u) << csv.out;
    EXPECT_NE(csv.out.find(",1,DYNA/PERT,"), std::string::npos) << csv.out;
    EXPECT_NE(csv.out.find("," + file + ",,37,3," + sum + ","), std::string::npos) << csv.out;
    EXPECT_NE(csv.out.find(",completed,108,Downloading complete.,"), std::string::npos) << csv.out;

    EXPECT_EQ(Cli("journal --result failed").out, Cli("journal --channel 2").out);   // the header only
    EXPECT_EQ(Cli("journal --since 2999-01-01").out.find("download"), std::string::npos);
    EXPECT_EQ(Cli("journal --since 12/07/2026").exitCode, 2);
    EXPECT_EQ(Cli("journal --result done").exitCode, 2);
}

class VerifyEndToEndTest : public DownloadCliEndToEndTest {
protected:
    // Sends the sample UNIVERSAL program with a read-back.
    CliResult DownloadVerified() {
        EXPECT_EQ(Cli("channel set 7 --type UNIVERSAL SubSerial=000000000007").exitCode, 0);
        return Cli(Port() + "download --channel 7 --verify " +
                   (fs::path(KOVA_SOURCE_DIR) / "examples" / "UNIVERSAL.NCD").string());
    }
};

TEST_F(VerifyEndToEndTest, TheProgramReadBackFromACleanStoreIsVerified) {
    CliResult result = DownloadVerified();
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("Downloading complete.\n"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("Verified (UNIVERSAL.NCD)"), std::string::npos) << result.err;
    CliResult csv = Cli("journal --csv");
    EXPECT_NE(csv.out.find(",completed,108,Downloading complete.,verified\r\n"), std::string::npos) << csv.out;

    // A machine that cannot send a program back is refused before the link is made.
    ASSERT_EQ(Cli("channel set 1 --type DYNA/PERT SubSerial=000000000001").exitCode, 0);
    CliResult refused = Cli(Port() + "download --channel 1 --verify " + Nc("P.NCD", "N001\r\n"));
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("--verify"), std::string::npos) << refused.err;
}

class AlteredStoreEndToEndTest : public VerifyEndToEndTest {
protected:
    AlteredStoreEndToEndTest() { simArgs_ = {"--alter-stored", "000000000007:3"}; }
};

TEST_F(AlteredStoreEndToEndTest, AnAlteredLineIsReportedAndFailsTheCommand) {
    CliResult result = DownloadVerified();
    EXPECT_EQ(result.exitCode, 1) << result.err;
    const std::string shown = "Verify failed (UNIVERSAL.NCD): line 3: sent \"+00200  X+038.100 Y+010.160 T02\" "
                              "received \"+900200  X+038.100 Y+010.160 T02\"";
    EXPECT_NE(result.err.find(shown), std::string::npos) << result.err;
    CliResult csv = Cli("journal --csv");
    EXPECT_NE(csv.out.find(",completed,108,Downloading complete.,\"line 3: sent"), std::string::npos) << csv.out;
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

// The simulator dies in the middle of a download, as a pulled USB cable would
// take the port away: the command must end well before the job's own 10 s
// time-out (the limit is a ceiling, not a timing), saying why, with exit 1.
TEST_F(DownloadCliEndToEndTest, VanishedPortEndsADownloadAtOnce) {
    std::string lines;
    for (int i = 0; i < 3000; ++i) lines += "N" + std::to_string(10000 + i) + " X100 Y200\r\n";
    const std::string file = Nc("BIG.NCD", lines);
    ASSERT_EQ(Cli("channel set 1 --type DYNA/PERT SubSerial=000000000001").exitCode, 0);

    const fs::path err = temp_ / "big-err.txt";
    const pid_t cli = StartCli(Port() + "download --channel 1 " + file, err);
    ASSERT_GT(cli, 0);
    ASSERT_TRUE(AwaitText(err, "Downloading ... (BIG.NCD)")) << ReadWholeFile(err);

    kill(simPid_, SIGKILL);
    waitpid(simPid_, nullptr, 0);
    simPid_ = 0;
    const auto killed = std::chrono::steady_clock::now();
    const int exitCode = AwaitExit(cli, std::chrono::seconds(8));
    ASSERT_LT(std::chrono::steady_clock::now() - killed, std::chrono::seconds(8))
        << "kova-cli still ran 8 s after the port went away:\n" << ReadWholeFile(err);
    EXPECT_EQ(exitCode, 1);
    const std::string text = ReadWholeFile(err);
    EXPECT_NE(text.find("Check USB-UART port."), std::string::npos) << text;
    EXPECT_EQ(text.find("Downloading complete."), std::string::npos) << text;
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

    // One SIGINT to kova-cli alone, as Ctrl+C at the console, once the transfer
    // is under way (a second one would rightly end it at once).
    const fs::path err = temp_ / "long-err.txt";
    const pid_t cli = StartCli(Port() + "download --channel 2 " + file, err);
    ASSERT_GT(cli, 0);
    ASSERT_TRUE(AwaitText(err, "Downloading ... (LONG.NCD)")) << ReadWholeFile(err);
    ASSERT_EQ(kill(cli, SIGINT), 0);
    EXPECT_EQ(AwaitExit(cli, std::chrono::seconds(60)), 1);
    const std::string text = ReadWholeFile(err);
    EXPECT_NE(text.find("Downloading canceled."), std::string::npos) << text;
    EXPECT_EQ(text.find("Downloading complete."), std::string::npos) << text;
    // The sub module is hung up before the port closes.
    const std::size_t hungUp = text.find("Equipment is disconnected.");
    ASSERT_NE(hungUp, std::string::npos) << text;
    EXPECT_NE(text.find("Port closed.", hungUp), std::string::npos) << text;

    CliResult next = Cli(Port() + "connect --channel 2");
    EXPECT_EQ(next.exitCode, 0) << next.err;
    // The transfer is in the journal as cancelled.
    CliResult journal = Cli("journal --result cancelled");
    EXPECT_NE(journal.out.find("/LONG.NCD\t"), std::string::npos) << journal.out;
    EXPECT_NE(journal.out.find("\tcancelled\t"), std::string::npos) << journal.out;
}

}  // namespace
