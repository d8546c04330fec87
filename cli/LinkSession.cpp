#include "cli/LinkSession.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <iostream>
#include <unistd.h>

#include "app/CKOVAApp.h"
#include "engine/EventLoop.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/WindowMessages.h"
#include "link/HostCheckJob.h"
#include "platform/QtEventLoop.h"
#include "serial/CSerialPort.h"

namespace {
int qtArgc = 1;
char qtArgv0[] = "kova-cli";
char* qtArgv[] = {qtArgv0, nullptr};
// How often the console looks whether the engine's work is done.
constexpr int kIdlePollMs = 20;
}  // namespace

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
    view_.SetFigureWords(terminal_->Text(Msg::ColumnSize), terminal_->Text(Msg::ColumnLines));
    view_.SetProgressOnTerminal(&context.Err == &std::cerr && isatty(STDERR_FILENO) == 1);
    jobs_ = std::make_unique<LinkJobs>(AddLinkJobs(*terminal_));
    // As the window does at start: the pacing and modem-status timer runs all the time.
    loop_->SetTimer(kTimerPacing, 1000);
    // A fixed port that answers but is never confirmed would be retried until an
    // operator cancels; a script gets three tries.
    jobs_->HostCheck.FixedPortTryLimit = 3;
}

LinkSession::~LinkSession() {
    if (port_) port_->Close();
    jobs_.reset();
    terminal_.reset();
    port_.reset();
    loop_.reset();
}

void LinkSession::Run(uint32_t message) {
    terminal_->HandleMessage(message);
    RunUntilIdle();
}

void LinkSession::RunJob(uint32_t jobBit) {
    terminal_->StartJob(jobBit);
    RunUntilIdle();
}

void LinkSession::RunUntilIdle() {
    auto idle = [this] { return terminal_->Engine.ActiveJobs == 0; };
    if (idle()) return;
    QEventLoop wait;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &wait, [&] {
        if (idle()) wait.quit();
    });
    poll.start(kIdlePollMs);
    wait.exec();
}

void LinkSession::Close() {
    if (!port_->IsOpen()) return;
    if (terminal_->StatusFlags & Status::HostConfirmed) {
        terminal_->StatusFlags |= Status::EndAfterClose;
        Run(WindowMsg::StartClosePort);
    } else {
        terminal_->ClosePcPort(false);
    }
}
