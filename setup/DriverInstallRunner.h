#pragma once
// Runs the USB-UART set-up on a worker thread: starts the command, reads its
// exit status every 500 ms until it has ended, then calls `done` on that
// worker thread. When the command cannot be started, `done` is called at
// once. `done` must not touch a widget: the dialog's callback only posts to
// its own thread.
//
// One run at a time; the destructor waits for a run to finish.

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

class DriverInstallRunner {
public:
    using Done = std::function<void(int exitCode)>;   // -1: not started or no normal exit

    DriverInstallRunner() = default;
    ~DriverInstallRunner();
    DriverInstallRunner(const DriverInstallRunner&) = delete;
    DriverInstallRunner& operator=(const DriverInstallRunner&) = delete;

    // False when a run is still going (nothing is started then).
    bool Start(std::vector<std::string> command, Done done);
    // Waits for the running worker, if any.
    void Wait();

private:
    static int RunToEnd(const std::vector<std::string>& command);

    std::thread worker_;
    std::atomic<bool> running_{false};
};
