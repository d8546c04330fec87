// kova-sim as a program: a pseudo-terminal behind a link, real time, real termios.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::string SimulatorPath() {
    const char* dir = std::getenv("KOVA_BUILD_DIR");
    return std::string(dir ? dir : ".") + "/sim/kova-sim";
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// Waits for `done` with short pauses between looks, at most `limit`.
template <typename Condition>
bool AwaitCondition(Condition done, std::chrono::milliseconds limit) {
    auto end = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() >= end) return false;
        ::poll(nullptr, 0, 10);
    }
    return true;
}

class KovaSimProcess : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kova-sim-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
        link_ = dir_ + "/trx";
        std::string program = SimulatorPath();
        ASSERT_EQ(::access(program.c_str(), X_OK), 0) << program;
        char* argv[] = {program.data(), const_cast<char*>("--link"), link_.data(), nullptr};
        ASSERT_EQ(::posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv, environ), 0);
        ASSERT_TRUE(AwaitCondition([&] { return Exists(link_); }, std::chrono::seconds(60)));
    }

    void TearDown() override {
        if (fd_ >= 0) ::close(fd_);
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::unlink(link_.c_str());
        ::rmdir(dir_.c_str());
    }

    // Opens the link as the PC does: raw, 9600 8N2.
    void OpenLink() {
        fd_ = ::open(link_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(fd_, 0);
        termios settings{};
        ASSERT_EQ(::tcgetattr(fd_, &settings), 0);
        ::cfmakeraw(&settings);
        settings.c_cflag |= CSTOPB | CLOCAL | CREAD;
        ::cfsetispeed(&settings, B9600);
        ::cfsetospeed(&settings, B9600);
        ASSERT_EQ(::tcsetattr(fd_, TCSANOW, &settings), 0);
    }

    void CloseLink() {
        ::close(fd_);
        fd_ = -1;
    }

    // Sends `command` and reads until `until` has arrived or 60 s have passed.
    std::string Ask(const std::string& command, const std::string& until) {
        EXPECT_EQ(::write(fd_, command.data(), command.size()),
                  static_cast<ssize_t>(command.size()));
        std::string got;
        auto end = Clock::now() + std::chrono::seconds(60);
        while (got.find(until) == std::string::npos && Clock::now() < end) {
            pollfd p{fd_, POLLIN, 0};
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
            if (::poll(&p, 1, static_cast<int>(left.count()) + 1) <= 0) continue;
            char buffer[256];
            ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n > 0) got.append(buffer, static_cast<size_t>(n));
        }
        return got;
    }

    std::string dir_;
    std::string link_;
    pid_t pid_ = -1;
    bool exited_ = false;
    int fd_ = -1;
};

TEST_F(KovaSimProcess, AnswersOnTheLinkKeepsServingAcrossReopenAndCleansUpOnSigterm) {
    OpenLink();
    std::string answer = Ask("AT+BTINFO?\r", "OK\r\n");
    EXPECT_NE(answer.find(",MODE0,STANDBY,0,0,HWFC\r\n"), std::string::npos) << answer;
    EXPECT_NE(answer.find("\r\nOK\r\n"), std::string::npos) << answer;

    // The PC closes the port and opens it again (a restart): the simulator stays.
    CloseLink();
    OpenLink();
    EXPECT_NE(Ask("AT\r", "OK\r\n").find("OK"), std::string::npos);
    CloseLink();

    ASSERT_EQ(::kill(pid_, SIGTERM), 0);
    int status = 0;
    ASSERT_TRUE(AwaitCondition([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; },
                               std::chrono::seconds(60)));
    exited_ = true;
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(Exists(link_));
}

TEST_F(KovaSimProcess, AnswersCrossTheLinkNoFasterThanTheHostModulesUart) {
    // Forty "OK" answers of six bytes each: 240 characters of 11 bits at 9600
    // baud cannot all arrive in less than 275 ms, however fast the PC reads.
    OpenLink();
    std::string commands;
    for (int i = 0; i < 40; ++i) commands += "AT\r";
    auto start = Clock::now();
    ASSERT_EQ(::write(fd_, commands.data(), commands.size()), static_cast<ssize_t>(commands.size()));
    std::string got;
    auto end = start + std::chrono::seconds(60);
    while (got.size() < 240 && Clock::now() < end) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) continue;
        char buffer[256];
        ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n > 0) got.append(buffer, static_cast<size_t>(n));
    }
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    std::string expected;
    for (int i = 0; i < 40; ++i) expected += "\r\nOK\r\n";
    EXPECT_EQ(got, expected);
    EXPECT_GE(elapsed.count(), 274);
}

}  // namespace
