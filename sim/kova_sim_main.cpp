// kova-sim: the simulated radio terminal on a pseudo-terminal. The PC side
// opens the slave device (or the --link path) as the TRX's serial port; bytes
// cross it at the 9600 baud of the host module's UART (--fast: at once).
// Serves until SIGINT or SIGTERM, then removes the link it made.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <deque>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "sim/CitizenM10Machine.h"
#include "sim/DynaPertMachine.h"
#include "sim/HostLinkPacer.h"
#include "sim/KovaSimOptions.h"
#include "sim/PanasertRs232Machine.h"
#include "sim/PanasertTtyMachine.h"
#include "sim/PseudoTerminal.h"
#include "sim/RealTimeScheduler.h"
#include "sim/SimulatedRadio.h"
#include "sim/TdkVc5Machine.h"
#include "sim/TdkVc5aMachine.h"
#include "sim/UniversalMachine.h"

namespace {

// While nobody has the slave open the master only reports hang-ups; look again this often.
constexpr int kHangUpRecheckMs = 50;

int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
    int saved = errno;
    char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(g_signalPipe[1], &byte, 1);
    errno = saved;
}

bool InstallSignals(std::string& error) {
    if (::pipe2(g_signalPipe, O_NONBLOCK | O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    ::signal(SIGPIPE, SIG_IGN);
    return true;
}

// Replaces an earlier symbolic link at `path` (a stale one from a killed run),
// never a regular file.
bool MakeLink(const std::string& target, const std::string& path, std::string& error) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            error = path + " exists and is not a symbolic link";
            return false;
        }
        ::unlink(path.c_str());
    }
    if (::symlink(target.c_str(), path.c_str()) != 0) {
        error = "symlink " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

void RemoveLink(const std::string& target, const std::string& path) {
    char buffer[4096];
    ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer - 1);
    if (n < 0) return;
    buffer[n] = '\0';
    if (target == buffer) ::unlink(path.c_str());   // only our own link
}

uint64_t NowUs() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

// The poll time-out (ms, -1 for none) shortened to `us` microseconds when that
// is sooner (-1: nothing due).
int SoonerMs(int timeoutMs, int64_t us) {
    if (us < 0) return timeoutMs;
    int ms = static_cast<int>(std::min<int64_t>((us + 999) / 1000, 1 << 30));
    return timeoutMs < 0 ? ms : std::min(timeoutMs, ms);
}

void Trace(const char* direction, const uint8_t* data, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        uint8_t b = data[i];
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            text.push_back(static_cast<char>(b));
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            text += hex;
        }
    }
    std::fprintf(stderr, "%s %s\n", direction, text.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    KovaSimOptions options;
    std::string error;
    if (!options.Parse(std::vector<std::string>(argv + 1, argv + argc), error)) {
        std::fprintf(stderr, "kova-sim: %s\n%s", error.c_str(), KovaSimOptions::Usage());
        return 2;
    }
    if (options.help) {
        std::fputs(KovaSimOptions::Usage(), stdout);
        std::fputs(KovaSimOptions::Help(), stdout);
        return 0;
    }

    RealTimeScheduler scheduler;
    SimulatedRadio radio(scheduler);
    radio.AttachMachine("000000000001", std::make_unique<DynaPertMachine>());
    radio.AttachMachine("000000000002", std::make_unique<PanasertRs232Machine>());
    radio.AttachMachine("000000000003", std::make_unique<PanasertTtyMachine>());
    radio.AttachMachine("000000000004", std::make_unique<CitizenM10Machine>());
    radio.AttachMachine("000000000005", std::make_unique<TdkVc5aMachine>());
    radio.AttachMachine("000000000006", std::make_unique<TdkVc5Machine>());
    radio.AttachMachine("000000000007", std::make_unique<UniversalMachine>());
    if (!options.ApplyTo(radio, error)) {
        std::fprintf(stderr, "kova-sim: %s\n", error.c_str());
        return 2;
    }

    PseudoTerminal pty;
    if (!InstallSignals(error) || !pty.Open(error)) {
        std::fprintf(stderr, "kova-sim: %s\n", error.c_str());
        return 1;
    }
    SimulatedHostModule& host = radio.Host();
    const bool trace = options.trace;
    // Unless --fast: the 9600-baud UART between the host module and the PC,
    // in both directions (see HostLinkPacer).
    const bool paced = !options.fast;
    HostLinkPacer toPc;
    HostLinkPacer fromPc;
    std::deque<uint8_t> toPcQueue;
    std::vector<uint8_t> outgoing;
    auto moveToPc = [&] {
        if (!toPc.Busy()) toPc.SetFrameBits(pty.FrameBits());
        size_t n = toPc.Take(NowUs(), toPcQueue.size());
        if (n == 0) return;
        outgoing.assign(toPcQueue.begin(), toPcQueue.begin() + static_cast<long>(n));
        toPcQueue.erase(toPcQueue.begin(), toPcQueue.begin() + static_cast<long>(n));
        pty.Write(outgoing.data(), outgoing.size());
    };
    host.SetPcSink([&](const uint8_t* data, size_t count) {
        if (trace) Trace("TRX>", data, count);
        if (!paced) {
            pty.Write(data, count);
            return;
        }
        toPcQueue.insert(toPcQueue.end(), data, data + count);
        moveToPc();
    });

    if (!options.linkPath.empty()) {
        if (!MakeLink(pty.SlavePath(), options.linkPath, error)) {
            std::fprintf(stderr, "kova-sim: %s\n", error.c_str());
            return 1;
        }
    } else {
        std::printf("%s\n", pty.SlavePath().c_str());
        std::fflush(stdout);
    }

    bool hungUp = false;
    std::vector<uint8_t> input;
    auto takeFromPc = [&](size_t limit) {
        input.clear();
        PseudoTerminal::ReadResult result = pty.Read(input, limit);
        if (!input.empty()) {
            if (trace) Trace("PC> ", input.data(), input.size());
            host.ReceiveFromPc(input.data(), input.size());
        }
        return result;
    };
    for (;;) {
        scheduler.RunDue();
        if (paced) moveToPc();
        int timeout = scheduler.MsUntilNext();
        if (paced) {
            uint64_t now = NowUs();
            for (const HostLinkPacer* pacer : {&toPc, &fromPc}) timeout = SoonerMs(timeout, pacer->UsUntilNext(now));
        }
        if (hungUp) timeout = timeout < 0 ? kHangUpRecheckMs : std::min(timeout, kHangUpRecheckMs);

        pollfd fds[2] = {{g_signalPipe[0], POLLIN, 0}, {pty.MasterFd(), 0, 0}};
        // A hung-up master is always "ready": leave it out until the recheck.
        // While the line carries the PC's bytes the pacer says when to look.
        if (!hungUp) {
            fds[1].events = static_cast<short>((paced && fromPc.Busy() ? 0 : POLLIN) |
                                               (pty.HasPendingOutput() ? POLLOUT : 0));
        }
        int ready = ::poll(fds, hungUp ? 1 : 2, timeout);
        if (ready < 0 && errno != EINTR) {
            std::fprintf(stderr, "kova-sim: poll: %s\n", std::strerror(errno));
            break;
        }
        if (ready > 0 && (fds[0].revents & POLLIN)) break;   // SIGINT or SIGTERM
        if (hungUp) {
            hungUp = false;   // look again on the next round
            continue;
        }
        if (fds[1].revents & POLLOUT) pty.FlushOutput();
        const bool woken = (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
        size_t limit = woken ? SIZE_MAX : 0;
        if (paced && (woken || fromPc.Busy())) {
            // Only what has crossed the line by now; a readable master with
            // nothing waiting is read to see whether the PC has closed its side.
            size_t waiting = pty.Waiting();
            if (!fromPc.Busy()) fromPc.SetFrameBits(pty.FrameBits());
            size_t crossed = fromPc.Take(NowUs(), waiting);   // with none waiting the line falls idle
            if (waiting != 0) limit = crossed;
        }
        if (limit == 0) continue;
        PseudoTerminal::ReadResult result = takeFromPc(limit);
        if (result == PseudoTerminal::ReadResult::HungUp || result == PseudoTerminal::ReadResult::Failed ||
            (result == PseudoTerminal::ReadResult::Nothing && (fds[1].revents & POLLHUP))) {
            hungUp = true;
        }
    }

    if (!options.linkPath.empty()) RemoveLink(pty.SlavePath(), options.linkPath);
    return 0;
}
