#include "cli/LinkSession.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <iostream>
#include <unistd.h>

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <ostream>

#include "app/CKOVAApp.h"
#include "engine/EventLoop.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/WindowMessages.h"
#include "link/HostCheckJob.h"
#include "platform/PosixAppPlatform.h"
#include "platform/QtEventLoop.h"
#include "platform/SqlTransferJournal.h"
#include "serial/CSerialPort.h"

namespace {
int qtArgc = 1;
char qtArgv0[] = "kova-cli";
char* qtArgv[] = {qtArgv0, nullptr};
// How soon a Ctrl+C that no job could hear yet is tried again.
constexpr int kCancelRetryMs = 100;

// The signal handler only counts and wakes the event loop through a pipe; the
// cancel itself runs on the UI thread like a press of the Cancel button.
volatile sig_atomic_t signalCount = 0;
std::atomic<bool> interrupted{false};
int signalPipe[2] = {-1, -1};

extern "C" void OnTerminationSignal(int) {
    if (++signalCount >= 2) _exit(1);
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] ssize_t n = write(signalPipe[1], &byte, 1);
    errno = saved;
}
}  // namespace

bool LinkSession::Interrupted() { return interrupted.load(); }

void LinkSession::InstallSignalHandlers() {
    if (signalPipe[0] < 0 && pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    signalNotifier_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(signalNotifier_.get(), &QSocketNotifier::activated, [this] { OnSignal(); });
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void LinkSession::OnSignal() {
    char bytes[16];
    while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    if (interrupted.exchange(true)) return;
    DeliverCancel();
}

void LinkSession::DeliverCancel() {
    if (terminal_->Engine.ActiveJobs == 0) return;
    if (terminal_->Engine.EventMask & EV_CANCEL) {
        terminal_->HandleMessage(WindowMsg::Cancel);
        return;
    }
    // A press now would be filtered out and lost: try again shortly.
    if (!cancelRetry_) {
        cancelRetry_ = std::make_unique<QTimer>();
        cancelRetry_->setSingleShot(true);
        QObject::connect(cancelRetry_.get(), &QTimer::timeout, [this] { DeliverCancel(); });
    }
    cancelRetry_->start(kCancelRetryMs);
}

LinkSession::LinkSession(CliContext& context)
    : view_(context.Out, context.Err, context.Options.Yes, context.Options.CommFile) {
    if (QCoreApplication::instance() == nullptr) qtApp_ = std::make_unique<QCoreApplication>(qtArgc, qtArgv);
    loop_ = std::make_unique<QtEventLoop>();
    QtEventLoop* loop = loop_.get();
    // The reader thread hands its messages to the UI thread, as it posts to the window.
    port_ = std::make_unique<CSerialPort>([this, loop](uint32_t message, uint32_t wParam, uint32_t lParam) {
        loop->Post([this, message, wParam, lParam] {
            if (terminal_) terminal_->HandleMessage(message, wParam, lParam);
        });
    });
    terminal_ = std::make_unique<Terminal>(context.App, *port_, *loop_, view_);
    // The journal's own failures go to standard error, from its worker thread:
    // the command may end before the event loop would show them.
    std::ostream& err = context.Err;
    journal_ = std::make_unique<SqlTransferJournal>(
        SqlTransferJournal::OptionsFrom(context.Platform.Settings()),
        [&err](const std::string& text) { err << "kova-cli: " + text + "\n" << std::flush; });
    terminal_->Journal.SetJournal(journal_.get());
    if (const passwd* user = getpwuid(getuid()); user != nullptr) terminal_->Journal.PcUser = user->pw_name;
    view_.SetFigureWords(terminal_->Text(Msg::ColumnSize), terminal_->Text(Msg::ColumnLines));
    view_.SetProgressOnTerminal(&context.Err == &std::cerr && isatty(STDERR_FILENO) == 1);
    jobs_ = std::make_unique<LinkJobs>(AddLinkJobs(*terminal_));
    // As the window does at start: the pacing and modem-status timer runs all the time.
    loop_->SetTimer(kTimerPacing, 1000);
    // A fixed port that answers but is never confirmed would be retried until an
    // operator cancels; a script gets three tries.
    jobs_->HostCheck.FixedPortTryLimit = 3;
    InstallSignalHandlers();
}

LinkSession::~LinkSession() {
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    signalNotifier_.reset();
    cancelRetry_.reset();
    if (port_) port_->Close();
    jobs_.reset();
    terminal_.reset();
    // Writes what the transfers recorded before the program ends.
    journal_.reset();
    port_.reset();
    loop_.reset();
}

void LinkSession::Run(uint32_t message) {
    if (interrupted) return;   // no new work once the operator said stop
    terminal_->HandleMessage(message);
    RunUntilIdle();
}

void LinkSession::RunJob(uint32_t jobBit) {
    if (interrupted) return;
    terminal_->StartJob(jobBit);
    RunUntilIdle();
}

void LinkSession::RunUntilIdle() {
    auto idle = [this] { return terminal_->Engine.ActiveJobs == 0; };
    if (idle()) return;
    // The engine says when its last job has ended; between events the process
    // sleeps. A handler may start new work after that news, hence the loop.
    QEventLoop wait;
    terminal_->Engine.OnAllJobsEnded = [&wait] { wait.quit(); };
    while (!idle()) wait.exec();
    terminal_->Engine.OnAllJobsEnded = nullptr;
}

bool LinkSession::Close() {
    if (port_->IsOpen()) {
        if (terminal_->StatusFlags & Status::HostConfirmed) {
            terminal_->StatusFlags |= Status::EndAfterClose;
            terminal_->HandleMessage(WindowMsg::StartClosePort);
            RunUntilIdle();
        } else {
            terminal_->ClosePcPort(false);
        }
    }
    return !terminal_->HangUpMissed;
}
