#pragma once
// The fixture of the kova-cli end-to-end tests against kova-sim, in real time:
// each test gets a fresh temporary folder that holds the settings
// (XDG_CONFIG_HOME) and the simulator's link, a kova-sim serving that link
// (stopped before the folder goes), and Cli() to run the built kova-cli
// through the shell with its streams collected, or StartCli() to run it in the
// background for a test that acts while it runs (what it starts is gone by the
// end of the test).

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/KovaCliRun.h"
#include "support/TempFolder.h"

extern char** environ;

class CliSimSession : public ::testing::Test {
protected:
    // `name` tells the temporary folders of the suites apart: kova-<name>-e2e-...
    explicit CliSimSession(const std::string& name) : folder_("kova-" + name + "-e2e") {}

    void SetUp() override {
        namespace fs = std::filesystem;
        const char* build = std::getenv("KOVA_BUILD_DIR");
        ASSERT_NE(build, nullptr) << "KOVA_BUILD_DIR is not set";
        buildDir_ = build;
        temp_ = folder_.Path();
        setenv("XDG_CONFIG_HOME", (temp_ / "config").c_str(), 1);
        // The transfer journal of these runs stays in the folder too.
        setenv("XDG_DATA_HOME", (temp_ / "data").c_str(), 1);
        link_ = temp_ / "trx";

        std::vector<std::string> words = {(buildDir_ / "sim" / "kova-sim").string(), "--link", link_.string()};
        // The runs check what crosses the link, not how long it takes: the
        // host link's 9600 baud would only make them slower.
        if (!simPaced_) words.push_back("--fast");
        // "{temp}" in an option stands for the test's folder.
        for (std::string arg : simArgs_) {
            std::size_t at = arg.find("{temp}");
            if (at != std::string::npos) arg.replace(at, 6, temp_.string());
            words.push_back(arg);
        }
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        ASSERT_EQ(posix_spawn(&simPid_, argv[0], nullptr, nullptr, argv.data(), environ), 0);
        // The simulator makes the link once its pseudo-terminal is ready.
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!fs::exists(link_) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ASSERT_TRUE(fs::exists(link_)) << "kova-sim made no link";
    }

    void TearDown() override {
        // A kova-cli that a failed check left running goes first.
        while (!cliPids_.empty()) AwaitExit(cliPids_.front(), std::chrono::milliseconds(0));
        if (simPid_ > 0) {
            kill(simPid_, SIGTERM);
            waitpid(simPid_, nullptr, 0);
        }
    }

    // Runs kova-cli with `arguments` (shell words) and no input.
    CliResult Cli(const std::string& arguments) {
        std::filesystem::path out = temp_ / "out.txt";
        std::filesystem::path err = temp_ / "err.txt";
        std::string command = (buildDir_ / "cli" / "kova-cli").string() + " " + arguments + " >" +
                              out.string() + " 2>" + err.string() + " </dev/null";
        int status = std::system(command.c_str());
        CliResult result;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = ReadWholeFile(out);
        result.err = ReadWholeFile(err);
        return result;
    }

    // Starts kova-cli with `arguments` (shell words) and no input, standard
    // error into `err`, and returns at once with its process id.
    pid_t StartCli(const std::string& arguments, const std::filesystem::path& err) {
        const std::string command = "exec " + (buildDir_ / "cli" / "kova-cli").string() + " " + arguments +
                                    " >/dev/null 2>" + err.string() + " </dev/null";
        char* argv[] = {const_cast<char*>("/bin/sh"), const_cast<char*>("-c"), const_cast<char*>(command.c_str()),
                        nullptr};
        pid_t pid = 0;
        if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, environ) != 0) return 0;
        cliPids_.push_back(pid);
        return pid;
    }

    // The exit status of a kova-cli from StartCli once it has ended, or -1 when
    // it did not end normally within `limit` (it is then killed).
    int AwaitExit(pid_t pid, std::chrono::milliseconds limit) {
        const auto started = std::find(cliPids_.begin(), cliPids_.end(), pid);
        if (started == cliPids_.end()) return -1;
        cliPids_.erase(started);
        int status = 0;
        pid_t done = 0;
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while ((done = waitpid(pid, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (done == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // Whether `text` appears in `file` within a minute.
    static bool AwaitText(const std::filesystem::path& file, const std::string& text) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (ReadWholeFile(file).find(text) == std::string::npos) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    // The global options that point kova-cli at the simulator, in English.
    std::string Port() const { return "--port " + link_.string() + " --lang 0 "; }

    // Further kova-sim options (set before SetUp); "{temp}" stands for the test's folder.
    std::vector<std::string> simArgs_;
    // The simulator passes bytes at the host module's 9600 baud (set before SetUp).
    bool simPaced_ = false;
    std::filesystem::path buildDir_;
    std::filesystem::path temp_;
    std::filesystem::path link_;
    pid_t simPid_ = 0;

private:
    std::vector<pid_t> cliPids_;   // started by StartCli and not yet waited for
    TempFolder folder_;
};
