// How fast the terminal window shows a flood of received text, and how long
// the window's thread is kept from other work meanwhile: the real window (on
// the offscreen platform unless a display is asked for), the real port on a
// pseudo-terminal, and a peer thread that writes numbered lines into it.
//
//   build/bench/kova-window-bench [--bytes N] [--peer waits|deaf]
//
// waits: the peer waits whenever the pty is full (a sender held by RTS);
// deaf:  the peer drops whatever the pty does not take at once.
// Reported: bytes shown, the rate from the first byte written to the last one
// shown, the longest gap between two ticks of a 5 ms timer on the window's
// thread, and whether the window ends with the stream's last text, in order.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "app/CKOVAApp.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "platform/QtEventLoop.h"
#include "serial/CSerialPort.h"
#include "tests/support/TestAppPlatform.h"
#include "ui/CTerminalDlg.h"
#include "ui/C_EditCtrl.h"

namespace {

std::string FloodText(std::size_t size) {
    std::string text;
    char line[96];
    for (int n = 0; text.size() < size; ++n) {
        std::snprintf(line, sizeof line, "%07d ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 0123456789\r\n", n);
        text += line;
    }
    text.resize(size);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t bytes = 1 << 20;
    bool deaf = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--bytes" && i + 1 < argc) {
            bytes = std::strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--peer" && i + 1 < argc) {
            deaf = std::string(argv[++i]) == "deaf";
        } else {
            std::fprintf(stderr, "usage: kova-window-bench [--bytes N] [--peer waits|deaf]\n");
            return 2;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApp(argc, argv);

    int master = -1;
    int slave = -1;
    char slaveName[256] = {};
    if (openpty(&master, &slave, slaveName, nullptr, nullptr) != 0) {
        std::perror("openpty");
        return 1;
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    TestAppPlatform platform;
    CKOVAApp app;
    app.AttachPlatform(platform);
    app.SetDefaultMultiLanguageStr();
    app.LoadAllSettings();
    app._nLanguage = 0;
    app.PcPort.PortName = slaveName;

    QtEventLoop loop;
    CTerminalDlg* window = nullptr;
    CSerialPort port([&loop, &window](uint32_t message, uint32_t wParam, uint32_t lParam) {
        loop.Post([&window, message, wParam, lParam] {
            if (window != nullptr) window->SendMessage(message, wParam, lParam);
        });
    });
    CTerminalDlg dialog(app, port, loop);
    window = &dialog;
    int notices = 0;
    dialog.SetMessageBoxHandler([&notices](const std::string&, MessageBoxKind) {
        ++notices;
        return MessageBoxAnswer::Ok;
    });
    dialog.resize(1280, 800);
    dialog.show();
    Terminal& terminal = dialog.Engine();
    std::string report;
    if (terminal.OpenPcPort(report) != 1) {
        std::fprintf(stderr, "port: %s\n", report.c_str());
        return 1;
    }
    terminal.StatusFlags |= Status::ShowReceived;

    const std::string flood = FloodText(bytes);
    std::string delivered;   // what the pty took, in order (the deaf peer loses the rest)
    std::atomic<bool> peerDone{false};
    QElapsedTimer clock;
    std::thread peer;

    // The window's thread: a 5 ms tick measures how long it was kept busy.
    qint64 lastTick = 0;
    qint64 longestGap = 0;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longestGap = std::max(longestGap, now - lastTick);
        lastTick = now;
    });
    qint64 shownMs = -1;
    QTimer done;
    done.setInterval(10);
    QObject::connect(&done, &QTimer::timeout, [&] {
        if (!peerDone.load() || terminal.RxTotal < delivered.size()) return;
        dialog.FlushCommText();
        shownMs = clock.elapsed();
        qtApp.quit();
    });

    QTimer::singleShot(200, [&] {
        clock.start();
        tick.start();
        done.start();
        peer = std::thread([&] {
            std::size_t sent = 0;
            while (sent < flood.size()) {
                const std::size_t n = std::min<std::size_t>(4096, flood.size() - sent);
                if (!deaf) {
                    pollfd p{master, POLLOUT, 0};
                    ::poll(&p, 1, 1000);
                }
                const ssize_t written = ::write(master, flood.data() + sent, n);
                if (written > 0) delivered.append(flood, sent, static_cast<std::size_t>(written));
                sent += deaf ? n : static_cast<std::size_t>(std::max<ssize_t>(written, 0));
            }
            peerDone.store(true);
        });
    });
    QTimer::singleShot(120000, [&] { qtApp.quit(); });
    qtApp.exec();
    if (peer.joinable()) peer.join();

    // The window keeps the stream's end; as plain text its CR LF are line breaks.
    std::string plain;
    for (char c : delivered) {
        if (c != '\r') plain += c;
    }
    const std::string shown = dialog.CommWindow()->toPlainText().toStdString();
    const bool inOrder = !shown.empty() && plain.size() >= shown.size() &&
                         plain.compare(plain.size() - shown.size(), shown.size(), shown) == 0;
    std::printf("peer %s: %zu bytes written, %zu taken by the pty, %llu received\n", deaf ? "deaf" : "waits",
                flood.size(), delivered.size(), static_cast<unsigned long long>(terminal.RxTotal));
    if (shownMs < 0) {
        std::printf("not everything was shown within two minutes\n");
        return 1;
    }
    std::printf("shown in %lld ms: %.1f MB/s; longest gap on the window's thread %lld ms\n",
                static_cast<long long>(shownMs), delivered.size() / 1e3 / std::max<qint64>(shownMs, 1),
                static_cast<long long>(longestGap));
    std::printf("window ends with the stream's last %zu characters in order: %s; notices: %d\n", shown.size(),
                inOrder ? "yes" : "NO", notices);
    port.Close();
    window = nullptr;
    ::close(slave);
    ::close(master);
    return inOrder ? 0 : 1;
}
