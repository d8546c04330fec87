#include "setup/DriverInstallRunner.h"

#include <cerrno>
#include <chrono>
#include <utility>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

DriverInstallRunner::~DriverInstallRunner()
{
    Wait();
}

bool DriverInstallRunner::Start(std::vector<std::string> command, Done done)
{
    if (running_.load()) {
        return false;
    }
    Wait();   // the last run has ended; collect its thread
    running_.store(true);
    worker_ = std::thread([this, command = std::move(command), done = std::move(done)] {
        const int exitCode = RunToEnd(command);
        running_.store(false);
        if (done) {
            done(exitCode);
        }
    });
    return true;
}

void DriverInstallRunner::Wait()
{
    if (worker_.joinable()) {
        worker_.join();
    }
}

int DriverInstallRunner::RunToEnd(const std::vector<std::string>& command)
{
    if (command.empty()) {
        return -1;
    }
    std::vector<char*> argv;
    for (const std::string& arg : command) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    // The set-up asks for the administrator's password and may take its
    // time; look every 500 ms whether it has ended.
    for (;;) {
        int status = 0;
        const pid_t ended = ::waitpid(pid, &status, WNOHANG);
        if (ended == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (ended == -1 && errno != EINTR) {
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
}
