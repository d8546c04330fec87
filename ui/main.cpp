// kova: the terminal window. It takes no arguments of its own and reads no
// environment variable of its own (the platform layer reads the desktop's).

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <pwd.h>
#include <unistd.h>

#include "app/CKOVAApp.h"
#include "platform/PosixAppPlatform.h"
#include "platform/QtEventLoop.h"
#include "platform/SqlTransferJournal.h"
#include "serial/CSerialPort.h"
#include "ui/CTerminalDlg.h"
#include "ui/QtText.h"

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

    // The journal's worker reports a failure once; the status window shows it.
    const SqlTransferJournal::Options journalOptions = SqlTransferJournal::OptionsFrom(platform.Settings());
    SqlTransferJournal journal(journalOptions, [&loop, &window](const std::string& text) {
        loop.Post([&window, text] {
            if (window != nullptr) window->ShowJournalFailure(text);
        });
    });

    int result = 0;
    {
        CTerminalDlg terminal(app, port, loop);
        window = &terminal;
        terminal.AttachJournal(&journal, [journalOptions](std::vector<TransferRecord>& records, std::string& note,
                                                          std::string& error) {
            return SqlTransferJournal::Read(journalOptions, JournalFilter{}, records, note, error);
        });
        if (const passwd* user = getpwuid(getuid()); user != nullptr) terminal.SetPcUser(user->pw_name);
        if (QScreen* screen = QGuiApplication::primaryScreen()) terminal.setGeometry(screen->availableGeometry());
        terminal.showMaximized();
        terminal.Start();
        result = qtApp.exec();
        window = nullptr;
    }
    port.Close();
    return result;
}
