// The terminal window on the offscreen platform: its text windows, keys,
// pages, colours, language and closing, on a recording port and the virtual
// clock, and once end to end against the in-process radio simulator.

#include <gtest/gtest.h>

#include <cstdlib>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "app/CKOVAApp.h"
#include "app/FakeAppPlatform.h"
#include "engine/JobBits.h"
#include "engine/StatusBits.h"
#include "engine/WindowMessages.h"
#include "sim/SimulatedRadio.h"
#include "sim/SimulatedSerialPort.h"
#include "sim/VirtualClockScheduler.h"
#include "sim/VirtualEventLoop.h"
#include "support/FakeSerialPort.h"
#include "ui/C_DialogTabCtrl.h"
#include "ui/C_EditCtrl.h"
#include "ui/C_Static.h"
#include "ui/CDownloadDlg.h"
#include "ui/CSelChannelDlg.h"
#include "ui/CTabDlg0.h"
#include "ui/CTerminalDlg.h"

namespace {
constexpr uint32_t kIdleConnected = Status::LinkIdle | Status::SubConnected | Status::HostConfirmed | Status::CtsOn;

uint32_t Kind(KeyKind kind) { return static_cast<uint32_t>(kind); }

class TerminalWindowTest : public ::testing::Test {
protected:
    TerminalWindowTest() {
        app.AttachPlatform(platform);
        app.SetDefaultMultiLanguageStr();
        app.LoadAllSettings();
        app._nLanguage = 0;
        app.PcPort.PortName = "/dev/ttyUSB0";
        window = std::make_unique<CTerminalDlg>(app, port, loop);
        window->SetMessageBoxHandler([this](const std::string& text, MessageBoxKind) {
            boxes.push_back(text);
            return answer;
        });
    }

    std::string Status() const { return window->StatusWindow()->toPlainText().toStdString(); }
    std::string Comm() const {
        window->FlushCommText();
        return window->CommWindow()->toPlainText().toStdString();
    }

    // A connected, idle link to a machine of `type`.
    void ConnectIdle(const char* type) {
        port.Open("/dev/ttyUSB0", 9600, 8, 2, 0);
        app.CurrentChannel.McType = type;
        window->Engine().StatusFlags |= kIdleConnected;
        window->RefreshPages();
    }

    FakeAppPlatform platform;
    CKOVAApp app;
    FakeSerialPort port;
    VirtualEventLoop loop;
    std::unique_ptr<CTerminalDlg> window;
    std::vector<std::string> boxes;
    MessageBoxAnswer answer = MessageBoxAnswer::No;
};
}  // namespace

TEST_F(TerminalWindowTest, OpensWithTitleCaptionsAndColours) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("MERIDO Wireless data terminal (KOVA Ver 1.0.0.6)"));
    C_DialogTabCtrl* tab = window->TabCtrl();
    ASSERT_EQ(tab->ItemCount(), 4);
    EXPECT_EQ(tab->TabBar()->tabText(0), QStringLiteral("Program Up/Down :F5"));
    EXPECT_EQ(tab->TabBar()->tabText(3), QStringLiteral("Option :F8"));
    EXPECT_EQ(window->CurrentPage(), 0);
    EXPECT_TRUE(window->Engine().StatusFlags & Status::LayoutReady);
    EXPECT_EQ(window->CommWindow()->BackgroundColor(), 0);
    EXPECT_EQ(window->CommWindow()->TextColor(), 65280);
    EXPECT_EQ(window->StatusWindow()->BackgroundColor(), 0xFFFFFF);
    EXPECT_EQ(window->StatusWindow()->TextColor(), 16711680);
    EXPECT_TRUE(window->StatusWindow()->isReadOnly());
    EXPECT_EQ(window->CommWindow()->font().pixelSize(), 20);
}

TEST_F(TerminalWindowTest, StatusEntriesAreNumberedAndContinuationsAligned) {
    window->ShowStatus("Port opened.", 1);
    window->ShowStatus("second", 0);
    window->ShowStatus("third", 0);
    EXPECT_EQ(Status(), "1> Port opened.\n   second\n   third\n");
    for (int i = 2; i <= 10; ++i) window->ShowStatus("entry " + std::to_string(i), 1);
    window->ShowStatus("", 1);   // a button's empty line: the next text starts entry 11
    window->ShowStatus("eleven", 0);
    window->ShowStatus("more", 0);
    EXPECT_NE(Status().find("\n10> entry 10\n11> eleven\n    more\n"), std::string::npos);
}

TEST_F(TerminalWindowTest, StatusWindowStaysBelowItsLimit) {
    // 9990 characters in lines of 10 (8 + CR LF), then a text of 20 with its prefix.
    for (int i = 0; i < 999; ++i) window->AppendStatusLine(std::string(8, static_cast<char>('a' + i % 26)));
    ASSERT_EQ(window->StatusTrimmer().Length(), 9990u);
    window->AppendStatusLine(std::string(18, 'z'));
    EXPECT_EQ(window->StatusTrimmer().Length(), 9990u);
    EXPECT_EQ(Status().substr(0, 8), std::string(8, 'c'));   // the lines of a and b are gone
    EXPECT_EQ(window->StatusWindow()->blockCount(), static_cast<int>(window->StatusTrimmer().LineCount()));

    // One text longer than the window keeps its end.
    window->AppendStatusLine(std::string(5000, 'h') + std::string(6000, 't'));
    // 9999 characters: 9997 of the text and its CR LF (one line break in the widget).
    EXPECT_EQ(Status(), std::string(3997, 'h') + std::string(6000, 't') + "\n");
    EXPECT_EQ(window->StatusTrimmer().Length(), 9999u);
}

TEST_F(TerminalWindowTest, CommunicationWindowTrimsAndEchoesSentBytes) {
    for (int i = 0; i < 300; ++i) window->AppendCommText(std::string(98, 'x') + "\r\n");
    // The 300th line would reach 30000: the first 100 lines went before it.
    EXPECT_EQ(window->CommTrimmer().Length(), 20000u);
    EXPECT_EQ(Comm().substr(0, 3), "xxx");
    EXPECT_EQ(window->CommWindow()->blockCount(), static_cast<int>(window->CommTrimmer().LineCount()));
    // Received text waits for the next repaint instead of being laid out at once.
    window->AppendCommText("late");
    EXPECT_EQ(window->CommWindow()->toPlainText().right(4).toStdString(), "xxx\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->CommWindow()->toPlainText().endsWith("late"); }, 30000));

    window->SendMessage(WindowMsg::ClearComm);
    window->AppendTransmittedByte('A');
    window->AppendTransmittedByte('B');
    window->AppendTransmittedByte(0x08);
    window->AppendTransmittedByte(0x01);   // not printable: not shown
    window->AppendTransmittedByte('\r');
    window->AppendTransmittedByte('C');
    EXPECT_EQ(Comm(), "A\nC");

    window->AppendCommText(std::string(40000, 'w'));
    EXPECT_EQ(Comm(), std::string(29999, 'w'));
}

TEST_F(TerminalWindowTest, FunctionKeysSwitchPagesAndEndThePasswordUnlock) {
    window->SendMessage(WindowMsg::SwitchPage, 0, 1);
    ASSERT_EQ(window->CurrentPage(), 1);
    EXPECT_EQ(window->TabCtrl()->CurSel(), 1);

    window->SetPasswordUnlocked(true);
    EXPECT_EQ(window->OnKey(KeyKind::KeyDown, 0x75 /*F6*/), 1);
    EXPECT_EQ(window->CurrentPage(), 1);
    EXPECT_TRUE(window->PasswordUnlocked());   // nothing happened
    // A refresh the jobs ask for keeps the unlock.
    window->RefreshPages();
    EXPECT_TRUE(window->PasswordUnlocked());

    // The link came up while page 1 was shown; F5 shows page 0 refreshed.
    app.CurrentChannel.Channel = 2;
    app.CurrentChannel.McName = "Line 2";
    app.CurrentChannel.McType = "DYNA/PERT";
    app.CurrentChannel.SubSerial = "000000000002";
    window->Engine().SubInfo.SubModuleVersion = 31;
    window->Engine().StatusFlags |= Status::SubConnected;
    EXPECT_EQ(window->OnKey(KeyKind::KeyDown, 0x74 /*F5*/), 1);
    EXPECT_EQ(window->CurrentPage(), 0);
    EXPECT_EQ(window->TabCtrl()->CurSel(), 0);
    EXPECT_FALSE(window->PasswordUnlocked());
    EXPECT_EQ(window->ProgramPage()->StatusLine()->text(),
              QStringLiteral("Connected channel 2 : Line 2 (DYNA/PERT,000000000002,Type:RS232,Ver3.1)"));
}

TEST_F(TerminalWindowTest, ProgramPageFollowsTheLinkState) {
    CTabDlg0* page = window->ProgramPage();
    EXPECT_EQ(page->TimeLabel()->text(), QStringLiteral("00:00 / 00:00"));
    EXPECT_EQ(page->ConnectButton()->text(), QStringLiteral("Connect Machine(SUB):F2"));
    // A command is offered only when its job is there.
    const JobEngine& engine = window->Engine().Engine;
    EXPECT_EQ(page->SystemDownloadButton()->isEnabled(), engine.HasJob(JobBit::SystemDispatcher));
    EXPECT_EQ(page->UploadButton()->isEnabled(), engine.HasJob(JobBit::UploadDispatcher));
    EXPECT_TRUE(page->DownloadButton()->isEnabled());

    ConnectIdle("DYNA/PERT");
    window->Engine().SubInfo.SubModuleType = 7;
    window->RefreshPages();
    EXPECT_EQ(page->ConnectButton()->text(), QStringLiteral("Disconnect Machine(SUB):F2"));
    EXPECT_FALSE(page->SystemDownloadButton()->isEnabled());
    EXPECT_TRUE(page->DownloadButton()->isEnabled());
    EXPECT_EQ(page->UploadButton()->isEnabled(), engine.HasJob(JobBit::UploadDispatcher));
    EXPECT_TRUE(page->StatusLine()->text().contains(QStringLiteral("Type:?,")));

    window->Engine().Engine.ActiveJobs = JobBit::UploadDispatcher;
    window->RefreshPages();
    EXPECT_TRUE(page->CancelButton()->isEnabled());
    EXPECT_TRUE(page->TimeLabel()->isEnabled());
    EXPECT_FALSE(page->ConnectButton()->isEnabled());

    window->SetTotalProgress(115, 230);
    window->SetFileProgress(40, 30);
    window->SetTimeText("01:02 / ??:??");
    EXPECT_EQ(page->UpperBar()->maximum(), 230);
    EXPECT_EQ(page->UpperBar()->value(), 115);
    EXPECT_EQ(page->LowerBar()->value(), 30);
    EXPECT_EQ(page->TimeLabel()->text(), QStringLiteral("01:02 / ??:??"));
}

TEST_F(TerminalWindowTest, AltSOpensTheSystemProgramFormOfTheDownloadDialog) {
    ConnectIdle("UNIVERSAL");
    ASSERT_TRUE(window->ProgramPage()->SystemDownloadButton()->isEnabled());
    bool systemForm = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CDownloadDlg*>(QApplication::activeModalWidget());
        if (!dialog) return;
        systemForm = !dialog->DelayBits()->isHidden();
        dialog->reject();
    });
    window->OnKey(KeyKind::SysChar, 's');
    EXPECT_TRUE(systemForm);
    EXPECT_EQ(window->Engine().Engine.ActiveJobs, 0u);
    EXPECT_NE(Status().find("System program canceled downloading."), std::string::npos) << Status();
    EXPECT_NE(Status().find("Keep disconnecting. And reconnect."), std::string::npos);
}

TEST_F(TerminalWindowTest, TypedCharactersGoToAnIdleMachineByItsType) {
    ConnectIdle("UNIVERSAL");
    window->show();
    QApplication::setActiveWindow(window.get());
    window->CommWindow()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == window->CommWindow(); }, 30000));
    QTest::keyClick(window->CommWindow(), Qt::Key_A);
    EXPECT_EQ(port.Written, "A");
    EXPECT_EQ(Comm(), "");   // typed keys are not written into the window

    port.Written.clear();
    app.CurrentChannel.McType = "PANASERT/RS232";
    QTest::keyClick(window->CommWindow(), Qt::Key_A);
    // Ctrl+C with no job to cancel reaches the machine too.
    QTest::keyClick(window->CommWindow(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(port.Written, std::string("a\x03"));

    // Esc is used up and never closes the window.
    QTest::keyClick(window->CommWindow(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(TerminalWindowTest, TypingWithoutAConnectionOffersOne) {
    window->Engine().StatusFlags |= Status::LinkIdle | Status::HostConfirmed;
    answer = MessageBoxAnswer::No;
    EXPECT_EQ(window->SendMessage(WindowMsg::Key, 'x', Kind(KeyKind::Char)), 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Do you want connection?");
    EXPECT_FALSE(window->Engine().Engine.IsActive(JobBit::Connect));
    EXPECT_TRUE(port.Written.empty());
}

TEST_F(TerminalWindowTest, ChosenColourIsSavedAndNeverTheBackground) {
    window->ApplyTextColor(true, 0x000000);
    EXPECT_EQ(window->CommWindow()->TextColor(), 0xFFFFFF);
    EXPECT_EQ(app.RxdFont.TextColor, 0xFFFFFF);
    EXPECT_EQ(platform.Store.ReadInt("FONT", "RXD Text Color", -1), 0xFFFFFF);
    window->ApplyTextColor(false, 0x0000FF);
    EXPECT_EQ(platform.Store.ReadInt("FONT", "State Text Color", -1), 0x0000FF);
}

TEST_F(TerminalWindowTest, LanguageSwitchRelabelsAndIsStored) {
    window->SendMessage(WindowMsg::SwitchLanguage, 0, 1);
    EXPECT_EQ(app._nLanguage, 1);
    EXPECT_EQ(platform.Store.ReadInt("COMMON", "LANGUAGE", -1), 1);
    const QString korean = QString::fromStdString(app.GetMultiLanguageStr(2));
    EXPECT_EQ(window->TabCtrl()->TabBar()->tabText(0), korean);
    EXPECT_NE(korean, QStringLiteral("Program Up/Down :F5"));
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("(KOVA Ver 1.0.0.6)")));
}

TEST_F(TerminalWindowTest, ClosingBeforeAHostIsConfirmedEndsAtOnce) {
    window->show();
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->Engine().Engine.IsActive(JobBit::ClosePort));
    EXPECT_FALSE(window->Engine().StatusFlags & Status::EndAfterClose);
}

TEST_F(TerminalWindowTest, ClosingWithAHostHangsUpFirst) {
    window->show();
    port.Open("/dev/ttyUSB0", 9600, 8, 2, 0);
    window->Engine().StatusFlags |= Status::HostConfirmed | Status::CtsOn;
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->Engine().StatusFlags & Status::EndAfterClose);
    // The close port job lets go of the port, then the window goes.
    ASSERT_TRUE(loop.RunUntil([&] { return !window->isVisible(); }, 60000));
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(TerminalWindowTest, AboutItemIsTheSameResourceTextInEveryLanguage) {
    auto* menu = window->findChild<QMenuBar*>();
    ASSERT_NE(menu, nullptr);
    // About, then the transfer journal, whose caption follows the language.
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions().first()->text(), QStringLiteral("KOVA 정보(&A)..."));
    window->SendMessage(WindowMsg::SwitchLanguage, 0, 1);
    EXPECT_EQ(menu->actions().first()->text(), QStringLiteral("KOVA 정보(&A)..."));
    EXPECT_EQ(menu->actions().last()->text(), QString::fromUtf8("전송 기록..."));
    window->SendMessage(WindowMsg::SwitchLanguage, 0, 0);
    EXPECT_EQ(menu->actions().first()->text(), QStringLiteral("KOVA 정보(&A)..."));
    EXPECT_EQ(menu->actions().last()->text(), QStringLiteral("Transfer journal..."));
}

TEST_F(TerminalWindowTest, LanguageIsStoredOnlyWhenItChanges) {
    // The stored value is left alone when the language asked for is current.
    platform.Store.WriteInt("COMMON", "LANGUAGE", 4);
    window->SendMessage(WindowMsg::SwitchLanguage, 0, 0);
    EXPECT_EQ(platform.Store.ReadInt("COMMON", "LANGUAGE", -1), 4);
    window->SendMessage(WindowMsg::SwitchLanguage, 0, 1);
    EXPECT_EQ(platform.Store.ReadInt("COMMON", "LANGUAGE", -1), 1);
}

TEST_F(TerminalWindowTest, PageSwitchMessageGivesTheNewPageTheFocus) {
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), 30000));
    window->SendMessage(WindowMsg::SwitchPage, 0, 2);
    ASSERT_EQ(window->CurrentPage(), 2);
    EXPECT_EQ(window->TabCtrl()->CurSel(), 2);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_TRUE(focus == window->Page(2) || window->Page(2)->isAncestorOf(focus));

    // The current page, or no page at all: nothing happens.
    window->CommWindow()->setFocus();
    window->SendMessage(WindowMsg::SwitchPage, 0, 2);
    window->SendMessage(WindowMsg::SwitchPage, 0, 4);
    EXPECT_EQ(window->CurrentPage(), 2);
    EXPECT_EQ(QApplication::focusWidget(), window->CommWindow());

    // F5 switches pages too, and leaves the operator in the communication window.
    EXPECT_EQ(window->OnKey(KeyKind::KeyDown, 0x74 /*F5*/), 1);
    EXPECT_EQ(window->CurrentPage(), 0);
    EXPECT_EQ(QApplication::focusWidget(), window->CommWindow());
}

TEST_F(TerminalWindowTest, ScanDialogCarriesItsTemplateTitle) {
    window->OpenScanDialog();
    ASSERT_NE(window->ScanDialog(), nullptr);
    EXPECT_EQ(window->ScanDialog()->windowTitle(), QStringLiteral("Scanning sub modules "));
    EXPECT_EQ(window->ScanDialog()->StopButton()->text(), QStringLiteral("Stop"));
    window->CloseScanDialog();
    EXPECT_EQ(window->ScanDialog(), nullptr);
}

// The real program starts on a fresh settings folder and, with its port missing,
// stays up waiting for the operator instead of ending or crashing.
TEST(TerminalProgram, StartsAndWaitsForTheOperatorWhenThePortIsMissing) {
    const char* build = std::getenv("KOVA_BUILD_DIR");
    ASSERT_NE(build, nullptr);
    const QString program = QString::fromLocal8Bit(build) + QStringLiteral("/ui/kova");
    ASSERT_TRUE(QFileInfo(program).isExecutable()) << program.toStdString();
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), work.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), work.path());
    env.insert(QStringLiteral("HOME"), work.path());
    QDir().mkpath(work.filePath(QStringLiteral("config/MERIDO ELE")));
    {
        // A port that does not exist: the host check waits for the operator.
        QFile conf(work.filePath(QStringLiteral("config/MERIDO ELE/KOVA.conf")));
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
        conf.write("[COMMON]\nPcComNo=/dev/kova-test-no-such-port\nLANGUAGE=0\n");
    }

    QProcess kova;
    kova.setProcessEnvironment(env);
    kova.start(program, QStringList());
    ASSERT_TRUE(kova.waitForStarted(10000));
    const bool ended = kova.waitForFinished(2000);
    EXPECT_FALSE(ended) << "kova ended on its own";
    if (kova.state() != QProcess::NotRunning) {
        kova.kill();
        kova.waitForFinished(10000);
    }
}

// The whole window against the simulated radio terminal: host check, connect
// to channel 1 through the channel dialog, and disconnect again.
TEST(TerminalWindowSimulation, ConnectsAndDisconnectsAChannel) {
    FakeAppPlatform platform;
    CKOVAApp app;
    app.AttachPlatform(platform);
    app.SetDefaultMultiLanguageStr();
    app.LoadAllSettings();
    app._nLanguage = 0;
    app.PcPort.PcComNo = SimulatedSerialPort::kDefaultDevicePath;
    for (int n = 1; n <= 7; ++n) {
        ChannelConfig channel;
        app.SetDefaultChannelConfig(channel);
        channel.Channel = n;
        channel.SubSerial = "00000000000" + std::to_string(n);
        channel.McType = SimulatedRadio::DefaultPopulation()[static_cast<std::size_t>(n - 1)].machineType;
        channel.McName = "Machine " + std::to_string(n);
        app.SaveChannelConfig(channel);
    }

    VirtualEventLoop loop;
    VirtualClockScheduler clock(loop);
    SimulatedRadio radio(clock);
    SimulatedSerialPort port(clock, radio.Host());
    CTerminalDlg window(app, port, loop);
    port.SetPoster(SimulatedSerialPort::PostTo(loop, [&](uint32_t m, uint32_t w, uint32_t l) { window.SendMessage(m, w, l); }));
    window.show();
    window.Start();
    ASSERT_TRUE(loop.RunUntil([&] { return (window.Engine().StatusFlags & Status::HostConfirmed) && window.Engine().Engine.ActiveJobs == 0; }, 60000));

    // The channel dialog comes up modally; choose the preselected channel 1.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CSelChannelDlg*>(QApplication::activeModalWidget());
        if (dialog) dialog->accept();
    });
    window.OnKey(KeyKind::KeyDown, 0x71 /*F2*/);
    ASSERT_TRUE(loop.RunUntil([&] { return (window.Engine().StatusFlags & Status::SubConnected) && window.Engine().Engine.ActiveJobs == 0; }, 60000));
    const std::string status = window.StatusWindow()->toPlainText().toStdString();
    EXPECT_NE(status.find("Equipment is connected."), std::string::npos) << status;
    EXPECT_TRUE(window.ProgramPage()->StatusLine()->text().startsWith(QStringLiteral("Connected channel 1 : Machine 1 (DYNA/PERT,000000000001,")));
    EXPECT_EQ(window.ProgramPage()->ConnectButton()->text(), QStringLiteral("Disconnect Machine(SUB):F2"));

    window.OnKey(KeyKind::KeyDown, 0x71 /*F2*/);
    ASSERT_TRUE(loop.RunUntil([&] { return !(window.Engine().StatusFlags & Status::SubConnected) && window.Engine().Engine.ActiveJobs == 0; }, 60000));
    EXPECT_EQ(window.ProgramPage()->StatusLine()->text(), QStringLiteral("Disconnected"));
}
