// kova-cli as scripts see it: the built binary, run with its own settings
// folder, home and runtime folder, checked by exit status and both streams.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/QSettingsStore.h"
#include "support/KovaCliRun.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

class CliEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* buildDir = std::getenv("KOVA_BUILD_DIR");
        ASSERT_NE(buildDir, nullptr) << "KOVA_BUILD_DIR is not set";
        cli = fs::path(buildDir) / "cli" / "kova-cli";
        ASSERT_TRUE(fs::exists(cli)) << cli;

        for (const char* sub : {"config", "home", "runtime", "work"}) {
            fs::create_directories(root / sub);
        }
    }

    // Runs kova-cli in root/work with a clean, non-Korean environment.
    CliResult Run(const std::vector<std::string>& args)
    {
        const fs::path outFile = root / "stdout";
        const fs::path errFile = root / "stderr";
        const pid_t pid = ::fork();
        if (pid == 0) {
            const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
                ::chdir((root / "work").c_str()) != 0) {
                ::_exit(127);
            }
            const std::string config = "XDG_CONFIG_HOME=" + (root / "config").string();
            const std::string home = "HOME=" + (root / "home").string();
            const std::string runtime = "XDG_RUNTIME_DIR=" + (root / "runtime").string();
            std::vector<char*> env{const_cast<char*>(config.c_str()), const_cast<char*>(home.c_str()),
                                   const_cast<char*>(runtime.c_str()), const_cast<char*>("LANG=C"),
                                   nullptr};
            std::vector<char*> argv{const_cast<char*>(cli.c_str())};
            for (const std::string& arg : args) {
                argv.push_back(const_cast<char*>(arg.c_str()));
            }
            argv.push_back(nullptr);
            ::execve(cli.c_str(), argv.data(), env.data());
            ::_exit(127);
        }
        CliResult run;
        int status = 0;
        if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
            run.exitCode = WEXITSTATUS(status);
        }
        run.out = ReadWholeFile(outFile);
        run.err = ReadWholeFile(errFile);
        return run;
    }

    std::string SettingsFile() const { return (root / "config" / "MERIDO ELE" / "KOVA.conf").string(); }

    fs::path cli;
    TempFolder root{"kova-cli"};
};

TEST_F(CliEndToEndTest, ChannelSetShowListDelete)
{
    CliResult set = Run({"channel", "set", "7", "--type", "PANASERT/RS232", "McName=LINE7"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(set.out, "");

    CliResult show = Run({"channel", "show", "7"});
    ASSERT_EQ(show.exitCode, 0) << show.err;
    const std::string home = (root / "home").string();
    EXPECT_EQ(show.out, "SubSerial=000000000000\n"
                        "McType=PANASERT/RS232\n"
                        "McName=LINE7\n"
                        "McBaudRate=4800\n"
                        "McDataBit=7\n"
                        "McParityBit=EVEN\n"
                        "McDelayBit=25\n"
                        "NCD File Folder=" + home + "/DATA/USM\n"
                        "PNR ETX=CR\n"
                        "PNR P_NAME=0\n");

    // The window reads the same settings.
    QSettingsStore store(SettingsFile());
    EXPECT_EQ(store.ReadString("CHANNEL_7", "McBaudRate", ""), "4800");
    EXPECT_EQ(store.ReadInt("CHANNEL_7", "PNR P_NAME", -1), 0);

    // Values change one at a time; the rest of the record stays.
    ASSERT_EQ(Run({"channel", "set", "3", "SubSerial=0123456789AB", "NCD File Folder= /srv/nc/3/ ",
                   "PNR P_NAME=1"})
                  .exitCode,
              0);
    ASSERT_EQ(Run({"channel", "set", "3", "McDelayBit=40"}).exitCode, 0);
    const std::string three = Run({"channel", "show", "3"}).out;
    EXPECT_NE(three.find("SubSerial=0123456789AB\n"), std::string::npos) << three;
    EXPECT_NE(three.find("NCD File Folder=/srv/nc/3\n"), std::string::npos) << three;
    EXPECT_NE(three.find("McDelayBit=40\n"), std::string::npos) << three;
    EXPECT_NE(three.find("PNR P_NAME=1\n"), std::string::npos) << three;
    EXPECT_NE(three.find("McType=USM\n"), std::string::npos) << three;

    CliResult list = Run({"channels"});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out, "01\t3\tUSM\tUSM\t0123456789AB\n"
                        "02\t7\tLINE7\tPANASERT/RS232\t000000000000\n");

    EXPECT_EQ(Run({"channel", "delete", "7"}).exitCode, 0);
    CliResult again = Run({"channel", "delete", "7"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_FALSE(again.err.empty());
    EXPECT_EQ(Run({"channel", "show", "7"}).exitCode, 1);
    EXPECT_EQ(Run({"channels"}).out, "01\t3\tUSM\tUSM\t0123456789AB\n");
}

TEST_F(CliEndToEndTest, ChannelNumbersOutsideOneTo99AreRefused)
{
    for (const char* number : {"100", "0", "-5"}) {
        EXPECT_EQ(Run({"channel", "set", number, "McName=X"}).exitCode, 1) << number;
        EXPECT_EQ(Run({"channel", "show", number}).exitCode, 1) << number;
        EXPECT_EQ(Run({"channel", "delete", number}).exitCode, 1) << number;
    }
    EXPECT_EQ(ReadWholeFile(SettingsFile()).find("CHANNEL_"), std::string::npos);
    EXPECT_EQ(Run({"channel", "set", "99"}).exitCode, 0);
    EXPECT_EQ(Run({"channels"}).out, "01\t99\tUSM\tUSM\t000000000000\n");
}

TEST_F(CliEndToEndTest, BadChannelValuesAreRefusedNamingTheFieldAndStoreNothing)
{
    ASSERT_EQ(Run({"channel", "set", "7", "--type", "UNIVERSAL", "McName=LINE7"}).exitCode, 0);
    const std::string before = ReadWholeFile(SettingsFile());
    const struct {
        std::vector<std::string> args;
        const char* field;
    } bad[] = {
        {{"McName=a\x1b" "b"}, "McName"},
        {{"McName=a\tb"}, "McName"},
        {{"McName=\xff\xfe"}, "McName"},
        {{"NCD File Folder=/srv/a\x01"}, "NCD File Folder"},
        {{"McType=FOO"}, "McType"},
        {{"McType=USM"}, "McType"},
        {{"--type", "TDK"}, "McType"},
        {{"SubSerial=12345"}, "SubSerial"},
        {{"SubSerial=0123456789XY"}, "SubSerial"},
        {{"McBaudRate=1234"}, "McBaudRate"},
        {{"McBaudRate=19200"}, "McBaudRate"},
        {{"McDelayBit=201"}, "McDelayBit"},
        {{"McDelayBit=99999999999999999999"}, "McDelayBit"},
        {{"PNR P_NAME=2"}, "PNR P_NAME"},
        // One bad value refuses the good ones given with it.
        {{"McName=GOOD", "McDataBit=9"}, "McDataBit"},
    };
    for (const auto& c : bad) {
        std::vector<std::string> args{"channel", "set", "7"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        CliResult run = Run(args);
        EXPECT_EQ(run.exitCode, 1) << c.field;
        EXPECT_NE(run.err.find(c.field), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("usage:"), std::string::npos) << run.err;
        EXPECT_EQ(ReadWholeFile(SettingsFile()), before) << c.field;
    }

    // Channel numbers too large for an int are out of range, not usage errors.
    EXPECT_EQ(Run({"channel", "show", "99999999999999999999"}).exitCode, 1);
    EXPECT_EQ(Run({"channel", "set", "99999999999999999999", "McName=X"}).exitCode, 1);
    EXPECT_EQ(Run({"channel", "delete", "-99999999999999999999"}).exitCode, 1);
}

TEST_F(CliEndToEndTest, ASettingsFileThatCannotBeWrittenFailsTheChange)
{
    // A folder where the settings file belongs: nothing can be written.
    fs::create_directories(SettingsFile());
    CliResult set = Run({"channel", "set", "7", "McName=LINE7"});
    EXPECT_EQ(set.exitCode, 1) << set.err;
    EXPECT_NE(set.err.find("channel 7 was not saved"), std::string::npos) << set.err;
    EXPECT_EQ(Run({"channel", "show", "7"}).exitCode, 1);
}

TEST_F(CliEndToEndTest, ARelativeFolderIsStoredAsTheFolderItNamesNow)
{
    // The window and a scheduled run start in other folders than this shell.
    ASSERT_EQ(Run({"channel", "set", "3", "NCD File Folder=nc/../nc/line3/"}).exitCode, 0);
    EXPECT_NE(Run({"channel", "show", "3"}).out.find("NCD File Folder=" + (root / "work/nc/line3").string() + "\n"),
              std::string::npos);
    ASSERT_EQ(Run({"channel", "set", "3", "NCD File Folder=."}).exitCode, 0);
    EXPECT_NE(Run({"channel", "show", "3"}).out.find("NCD File Folder=" + (root / "work").string() + "\n"),
              std::string::npos);
}

TEST_F(CliEndToEndTest, ACommunicationFileThatCannotBeWrittenStopsTheRunBeforeAnyWork)
{
    for (const fs::path& comm : {root / "no such folder" / "comm.txt", root / "work"}) {
        CliResult run = Run({"--comm", comm.string(), "channel", "set", "7", "McName=LINE7"});
        EXPECT_EQ(run.exitCode, 1) << comm;
        EXPECT_NE(run.err.find("cannot write the communication text"), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(SettingsFile())) << comm;
    }
}

TEST_F(CliEndToEndTest, HandEditedRecordsKeepTheLinesAndColumnsOfTheOutput)
{
    {
        QSettingsStore store(SettingsFile());
        store.WriteString("CHANNEL_4", "McName", "two\nlines\tand\x1b[2J");
        store.WriteString("CHANNEL_4", "McType", "FOO\r");
        store.WriteString("CHANNEL_4", "SubSerial", "0123456789AB");
    }
    CliResult list = Run({"channels"});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out, "01\t4\ttwo\\nlines\\tand\\x1b[2J\tFOO\\r\t0123456789AB\n");

    CliResult show = Run({"channel", "show", "4"});
    ASSERT_EQ(show.exitCode, 0) << show.err;
    EXPECT_NE(show.out.find("McName=two\\nlines\\tand\\x1b[2J\n"), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("McType=FOO\\r\n"), std::string::npos) << show.out;
    // Ten fields, ten lines.
    EXPECT_EQ(std::count(show.out.begin(), show.out.end(), '\n'), 10);
}

TEST_F(CliEndToEndTest, UsageErrorsExitTwoWithUsageAndTouchNothing)
{
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"bogus"},
        {"--frobnicate", "channels"},
        {"--lang"},
        {"--lang", "6", "channels"},
        {"--lang", "x", "channels"},
        {"channel"},
        {"channel", "show"},
        {"channel", "show", "seven"},
        {"channel", "rename", "7"},
        {"channel", "set", "7", "Colour=red"},
        {"channel", "set", "7", "McName"},
        {"channels", "extra"},
        {"lang", "show", "abc"},
    };
    for (const auto& args : bad) {
        std::string joined;
        for (const std::string& arg : args) {
            joined += arg + ' ';
        }
        CliResult run = Run(args);
        EXPECT_EQ(run.exitCode, 2) << joined;
        EXPECT_EQ(run.out, "") << joined;
        EXPECT_NE(run.err.find("usage: kova-cli"), std::string::npos) << joined;
    }
    // A refused set did not make the channel.
    EXPECT_EQ(Run({"channel", "show", "7"}).exitCode, 1);
}

TEST_F(CliEndToEndTest, LangShowUsesStoredOrGivenLanguage)
{
    CliResult english = Run({"--lang", "0", "lang", "show", "276"});
    EXPECT_EQ(english.exitCode, 0) << english.err;
    EXPECT_EQ(english.out, "File over write\n");

    for (const char* row : {"277", "-1", "99999999999999999999"}) {
        CliResult beyond = Run({"lang", "show", row});
        EXPECT_EQ(beyond.exitCode, 1) << row;
        EXPECT_EQ(beyond.out, "") << row;
        EXPECT_NE(beyond.err.find("outside 0 to 276"), std::string::npos) << beyond.err;
    }

    CliResult korean = Run({"--lang", "1", "lang", "show", "147"});
    EXPECT_EQ(korean.exitCode, 0);
    EXPECT_EQ(korean.out, "RTS :\n");

    // --lang is for this run only: the stored language is still the one the
    // first start chose for a non-Korean system.
    EXPECT_EQ(QSettingsStore(SettingsFile()).ReadInt("COMMON", "LANGUAGE", -1), 0);

    // The stored language is used without --lang.
    QSettingsStore(SettingsFile()).WriteInt("COMMON", "LANGUAGE", 1);
    EXPECT_NE(Run({"lang", "show", "276"}).out, "File over write\n");
    EXPECT_EQ(Run({"--lang=0", "lang", "show", "276"}).out, "File over write\n");
}

TEST_F(CliEndToEndTest, LangExportWritesTheShippedHeader)
{
    CliResult run = Run({"lang", "export"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    const fs::path written = root / "work" / "SetDefaultMultiLanguageStr.h";
    ASSERT_TRUE(fs::exists(written));
    EXPECT_TRUE(ReadWholeFile(written) == ReadWholeFile(KOVA_DEFAULT_TABLE_HEADER))
        << "the exported header differs from lang/SetDefaultMultiLanguageStr.h";
}

TEST_F(CliEndToEndTest, ZidRenamesIdentifiedFilesAndASecondRunChangesNothing)
{
    // The default folder is the current channel's NCD folder.
    const fs::path zid = root / "zid";
    fs::create_directories(zid);
    ASSERT_EQ(Run({"channel", "set", "1", "NCD File Folder=" + zid.string()}).exitCode, 0);
    auto record = [](const std::string& identified, const std::string& file) {
        std::string bytes(68, '\0');
        bytes.replace(0, identified.size(), identified);
        bytes.replace(45, file.size(), file);
        return bytes;
    };
    TempFolder::Write(zid / "PAT.DIR", std::string("\x02\x00", 2) + record("BOARD_A", "P0001.PAT") +
                                           record("BOARD_B", "p0002.pat"));
    TempFolder::Write(zid / "P0001.PAT", "one");
    TempFolder::Write(zid / "P0002.PAT", "two");

    CliResult first = Run({"zid"});
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.out,
              "P0001.PAT\tBOARD_A\tRename\n"
              "P0002.PAT\tBOARD_B\tRename\n"
              "PAT.DIR\t\t\n");
    EXPECT_EQ(ReadWholeFile(zid / "BOARD_B"), "two");

    CliResult second = Run({"zid", zid.string()});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_EQ(second.out, "BOARD_A\t\t\nBOARD_B\t\t\nPAT.DIR\t\t\n");
    EXPECT_EQ(ReadWholeFile(zid / "BOARD_A"), "one");

    // A name that would break the line is escaped, and never used as a target.
    const fs::path odd = root / "odd";
    fs::create_directories(odd);
    TempFolder::Write(odd / "PAT.DIR", std::string("\x02\x00", 2) + record("A\tB\n", "X.PAT"));
    TempFolder::Write(odd / "X.PAT", "x");
    CliResult escaped = Run({"zid", "--copy", odd.string()});
    EXPECT_EQ(escaped.exitCode, 1);
    EXPECT_EQ(escaped.out, "PAT.DIR\t\t\nX.PAT\tA\\tB\\n\tFailed file create\n");

    EXPECT_EQ(Run({"zid", "--copy", "--what"}).exitCode, 2);
    EXPECT_EQ(Run({"zid", (root / "missing").string()}).exitCode, 1);
}

}  // namespace
