// kova-cli list against kova-sim on a pseudo-terminal, real time.

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

class ListCliEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* build = std::getenv("KOVA_BUILD_DIR");
        ASSERT_NE(build, nullptr) << "KOVA_BUILD_DIR is not set";
        buildDir_ = build;
        char pattern[] = "/tmp/kova-list-e2e-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        temp_ = pattern;
        setenv("XDG_CONFIG_HOME", (temp_ / "config").c_str(), 1);
        link_ = temp_ / "trx";

        std::string sim = (buildDir_ / "sim" / "kova-sim").string();
        std::string linkArg = link_.string();
        char* argv[] = {sim.data(), const_cast<char*>("--link"), linkArg.data(), nullptr};
        ASSERT_EQ(posix_spawn(&simPid_, sim.c_str(), nullptr, nullptr, argv, environ), 0);
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

    fs::path buildDir_;
    fs::path temp_;
    fs::path link_;
    pid_t simPid_ = 0;
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
