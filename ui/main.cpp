// kova: the terminal window.

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "app/CKOVAApp.h"
#include "platform/PosixAppPlatform.h"
#include "platform/QtEventLoop.h"
#include "serial/CSerialPort.h"
#include "ui/CTerminalDlg.h"
#include "ui/QtText.h"

namespace {
// Debug aid for documentation: KOVA_GRAB=FILE saves a picture of the window
// KOVA_GRAB_AFTER_MS (default 4000) after start and then closes the window as
// the close box does.
void ScheduleGrab(QWidget& window) {
    const QString file = qEnvironmentVariable("KOVA_GRAB");
    if (file.isEmpty()) return;
    bool ok = false;
    int delay = qEnvironmentVariableIntValue("KOVA_GRAB_AFTER_MS", &ok);
    QTimer::singleShot(ok ? delay : 4000, &window, [&window, file] {
        if (!window.grab().save(file)) qWarning("kova: could not save %s", qPrintable(file));
        window.close();
    });
}
}  // namespace

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("network-wireless")));

    PosixAppPlatform platform;
    platform.SetMessageBoxHandler([](const std::string& text) {
        QMessageBox::information(nullptr, QStringLiteral("KOVA"), ToQ(text));
    });
    CKOVAApp app;
    if (!app.InitApplication(platform)) return 0;

    QtEventLoop loop;
    CTerminalDlg* window = nullptr;
    // The reader thread only queues; the window handles its messages on the UI thread.
    CSerialPort port([&loop, &window](uint32_t message, uint32_t wParam, uint32_t lParam) {
        loop.Post([&window, message, wParam, lParam] {
            if (window != nullptr) window->SendMessage(message, wParam, lParam);
        });
    });

    int result = 0;
    {
        CTerminalDlg terminal(app, port, loop);
        window = &terminal;
        if (QScreen* screen = QGuiApplication::primaryScreen()) terminal.setGeometry(screen->availableGeometry());
        terminal.showMaximized();
        ScheduleGrab(terminal);
        terminal.Start();
        result = qtApp.exec();
        window = nullptr;
    }
    port.Close();
    return result;
}
