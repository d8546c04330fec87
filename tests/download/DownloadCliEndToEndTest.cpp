// kova-cli download against kova-sim on a pseudo-terminal, in real time.

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class DownloadCliEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* build = std::getenv("KOVA_BUILD_DIR");
        ASSERT_NE(build, nullptr) << "KOVA_BUILD_DIR is not set";
        buildDir_ = build;
        char pattern[] = "/tmp/kova-download-e2e-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        temp_ = pattern;
        setenv("XDG_CONFIG_HOME", (temp_ / "config").c_str(), 1);
        link_ = temp_ / "trx";
        fs::create_directories(temp_ / "nc");

        std::string sim = (buildDir_ / "sim" / "kova-sim").string();
        std::string linkArg = link_.string();
        char* argv[] = {sim.data(), const_cast<char*>("--link"), linkArg.data(), nullptr};
        ASSERT_EQ(posix_spawn(&simPid_, sim.c_str(), nullptr, nullptr, argv, environ), 0);
        // The simulator makes the link once its pseudo-terminal is ready.
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!fs::exists(link_) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ASSERT_TRUE(fs::exists(link_)) << "kova-sim made no link";
    }

    void TearDown() override {
        if (simPid_ > 0) {
            kill(simPid_, SIGTERM);
            waitpid(simPid_, nullptr, 0);
        }
        std::error_code ignored;
        if (!temp_.empty()) fs::remove_all(temp_, ignored);
    }

    CliResult Cli(const std::string& arguments) {
        fs::path out = temp_ / "out.txt";
        fs::path err = temp_ / "err.txt";
        std::string command = (buildDir_ / "cli" / "kova-cli").string() + " " + arguments + " >" + out.string() +
                              " 2>" + err.string() + " </dev/null";
        int status = std::system(command.c_str());
        CliResult result;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = ReadFile(out);
        result.err = ReadFile(err);
        return result;
    }

    std::string Port() const { return "--port " + link_.string() + " --lang 0 "; }
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

    fs::path buildDir_;
    fs::path temp_;
    fs::path link_;
    pid_t simPid_ = 0;
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
    EXPECT_NE(missing.err.find("File not open. (NONE.NCD)"), std::string::npos) << missing.err;
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

}  // namespace
