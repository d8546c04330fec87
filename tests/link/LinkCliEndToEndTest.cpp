// kova-cli's link commands against kova-sim on a pseudo-terminal, real time.

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

class LinkCliEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* build = std::getenv("KOVA_BUILD_DIR");
        ASSERT_NE(build, nullptr) << "KOVA_BUILD_DIR is not set";
        buildDir_ = build;
        char pattern[] = "/tmp/kova-link-e2e-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        temp_ = pattern;
        setenv("XDG_CONFIG_HOME", (temp_ / "config").c_str(), 1);
        link_ = temp_ / "trx";

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

    fs::path buildDir_;
    fs::path temp_;
    fs::path link_;
    pid_t simPid_ = 0;
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

TEST_F(LinkCliEndToEndTest, ConnectSetsUpThenHangsUp) {
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
    ASSERT_EQ(Cli("channel set 6 --type UNIVERSAL SubSerial=00000000001").exitCode, 0);
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
