#pragma once
// One run of the engine on the console for the link commands: the real PC
// port, the Qt event loop without windows, the console view, the terminal and
// its link jobs. Work is started with a window message and the loop runs
// until no job is active; Close lets go of the port as closing the window does.
//
// While a session lives, the first SIGINT or SIGTERM acts as the Cancel button
// (the running job sends its own cancel bytes), no further work is started,
// and the command still ends through Close (hang-up, port closed); a second
// signal ends the program at once.

#include <cstdint>
#include <memory>

#include "cli/CliContext.h"
#include "cli/ConsoleView.h"
#include "link/LinkJobs.h"

class CSerialPort;
class QCoreApplication;
class QSocketNotifier;
class QTimer;
class QtEventLoop;
class Terminal;

class LinkSession {
public:
    explicit LinkSession(CliContext& context);
    ~LinkSession();
    LinkSession(const LinkSession&) = delete;
    LinkSession& operator=(const LinkSession&) = delete;

    Terminal& Engine() { return *terminal_; }
    LinkJobs& Jobs() { return *jobs_; }
    ConsoleView& View() { return view_; }

    // Hands `message` to the engine and runs until no job is active.
    void Run(uint32_t message);
    // Starts the job of `jobBit` and runs until no job is active.
    void RunJob(uint32_t jobBit);
    // Hangs a connected sub module up and closes the port (when it is open).
    void Close();

    // Whether a SIGINT or SIGTERM arrived while a session lived: the command
    // then exits 1 whatever its work achieved.
    static bool Interrupted();

private:
    void RunUntilIdle();
    void InstallSignalHandlers();
    void OnSignal();
    // Presses Cancel once a job listens for it (a module set-up does not).
    void DeliverCancel();

    std::unique_ptr<QSocketNotifier> signalNotifier_;
    std::unique_ptr<QTimer> cancelRetry_;

    std::unique_ptr<QCoreApplication> qtApp_;
    std::unique_ptr<QtEventLoop> loop_;
    ConsoleView view_;
    std::unique_ptr<CSerialPort> port_;
    std::unique_ptr<Terminal> terminal_;
    std::unique_ptr<LinkJobs> jobs_;
};
