#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/CKOVAApp.h"
#include "lang/Msg.h"
#include "platform/PosixAppPlatform.h"
#include "platform/QSettingsStore.h"
#include "platform/SingleInstanceLock.h"
#include "support/TempFolder.h"

extern char** environ;

namespace {

// A running kova_instance_probe with a pipe to its standard input and one
// from its standard output.
class Probe {
public:
    Probe()
    {
        int in[2];
        int out[2];
        if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        char* argv[] = {const_cast<char*>(KOVA_INSTANCE_PROBE), nullptr};
        if (posix_spawn(&pid_, KOVA_INSTANCE_PROBE, &actions, nullptr, argv, environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(in[0]);
        ::close(out[1]);
        toChild_ = in[1];
        fromChild_ = out[0];
    }
    ~Probe()
    {
        CloseInput();
        if (fromChild_ >= 0) {
            ::close(fromChild_);
        }
        if (pid_ > 0 && !exited_) {
            Wait();
        }
    }

    bool Started() const { return pid_ > 0; }

    // One line of output; empty at end of output. Gives up after a minute so
    // that a broken probe fails the test instead of hanging it.
    std::string ReadLine()
    {
        std::string line;
        char c = 0;
        while (true) {
            pollfd poller{fromChild_, POLLIN, 0};
            if (::poll(&poller, 1, 60000) <= 0 || ::read(fromChild_, &c, 1) != 1 || c == '\n') {
                return line;
            }
            line += c;
        }
    }

    bool StillRunning()
    {
        int status = 0;
        return ::waitpid(pid_, &status, WNOHANG) == 0;
    }

    void CloseInput()
    {
        if (toChild_ >= 0) {
            ::close(toChild_);
            toChild_ = -1;
        }
    }

    // Exit status, or -1 when it did not exit normally.
    int Wait()
    {
        int status = 0;
        exited_ = true;
        if (::waitpid(pid_, &status, 0) != pid_ || !WIFEXITED(status)) {
            return -1;
        }
        return WEXITSTATUS(status);
    }

private:
    pid_t pid_ = -1;
    int toChild_ = -1;
    int fromChild_ = -1;
    bool exited_ = false;
};

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    }
    void TearDown() override
    {
        ::unsetenv("XDG_RUNTIME_DIR");
        ::unsetenv("XDG_CONFIG_HOME");
    }

    std::string LockPath() const { return runtime / "Merido Terminal KOVA.lock"; }

    TempFolder runtime;
    TempFolder config;
};

TEST_F(SingleInstanceTest, SecondCopyIsRefusedInTheStoredLanguageAndFirstRunsOn)
{
    // The user chose Korean; the refusal must speak it.
    QSettingsStore(QSettingsStore::DefaultFilePath()).WriteInt("COMMON", "LANGUAGE", 1);
    CKOVAApp reference;
    reference.SetDefaultMultiLanguageStr();
    reference._nLanguage = 1;
    const std::string message = reference.GetMultiLanguageStr(static_cast<int>(Msg::AlreadyRunning));

    Probe first;
    ASSERT_TRUE(first.Started());
    ASSERT_EQ(first.ReadLine(), "RUNNING");
    EXPECT_TRUE(std::filesystem::exists(LockPath()));

    {
        Probe second;
        ASSERT_TRUE(second.Started());
        EXPECT_EQ(second.ReadLine(), "MESSAGE " + message);
        EXPECT_EQ(second.ReadLine(), "");
        EXPECT_EQ(second.Wait(), 3);
    }

    // The first copy still runs and still holds the lock.
    EXPECT_TRUE(first.StillRunning());
    SingleInstanceLock probe(LockPath());
    EXPECT_EQ(probe.Acquire(), SingleInstanceLock::Result::HeldElsewhere);
    EXPECT_FALSE(probe.IsHeld());

    // When it ends, the lock goes with it.
    first.CloseInput();
    EXPECT_EQ(first.Wait(), 0);
    Probe third;
    ASSERT_TRUE(third.Started());
    EXPECT_EQ(third.ReadLine(), "RUNNING");
    third.CloseInput();
    EXPECT_EQ(third.Wait(), 0);
}

TEST_F(SingleInstanceTest, LockIsReleasedWithItsHolder)
{
    {
        SingleInstanceLock first(LockPath());
        ASSERT_EQ(first.Acquire(), SingleInstanceLock::Result::Acquired);
        EXPECT_EQ(first.Acquire(), SingleInstanceLock::Result::Acquired);
        SingleInstanceLock second(LockPath());
        EXPECT_EQ(second.Acquire(), SingleInstanceLock::Result::HeldElsewhere);
    }
    SingleInstanceLock again(LockPath());
    EXPECT_EQ(again.Acquire(), SingleInstanceLock::Result::Acquired);
}

TEST_F(SingleInstanceTest, LockFileThatCannotBeUsedDoesNotStopTheProgram)
{
    // A link planted where the lock file belongs is never followed.
    const std::string target = runtime / "victim";
    { std::ofstream(target) << "keep"; }
    ASSERT_EQ(::symlink(target.c_str(), LockPath().c_str()), 0);
    SingleInstanceLock planted(LockPath());
    EXPECT_EQ(planted.Acquire(), SingleInstanceLock::Result::Unavailable);

    SingleInstanceLock missingFolder(runtime / "no/such/folder/x.lock");
    EXPECT_EQ(missingFolder.Acquire(), SingleInstanceLock::Result::Unavailable);

    PosixAppPlatform platform;
    platform.SetLockFilePath(runtime / "no/such/folder/x.lock");
    EXPECT_TRUE(platform.AcquireSingleInstance());
}

}  // namespace
