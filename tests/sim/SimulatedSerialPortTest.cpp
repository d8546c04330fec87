#include "SimTestSupport.h"

namespace {

using SerialPortSim = RadioLink;

TEST_F(SerialPortSim, OpensOnlyTheConfiguredDeviceAndReportsCtsOnce) {
    EXPECT_EQ(port.Open("/dev/ttyUSB0", 9600, 8, 2, kParityNone), 0);
    EXPECT_FALSE(port.IsOpen());
    port.SetPresent(false);
    EXPECT_EQ(port.Open(SimulatedSerialPort::kDefaultDevicePath, 9600, 8, 2, kParityNone), 0);
    port.SetPresent(true);

    OpenPort();
    EXPECT_TRUE(port.IsOpen());
    loop.RunFor(10);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].id, kMsgLineEvent);
    EXPECT_EQ(messages[0].wParam, kLineEventCtsChanged);
    EXPECT_EQ(messages[0].lParam, kModemCts | kModemDsr);
    EXPECT_EQ(port.ModemStatus(), kModemCts | kModemDsr);
}

TEST_F(SerialPortSim, WriteTakesItsTimeOnTheLineThenReportsTransmitEmpty) {
    OpenPort();
    loop.RunFor(10);
    messages.clear();
    std::string block(256, 'x');
    uint64_t start = loop.NowMs();
    Send(block);
    // Bytes of 11 bits at 9600 baud: each reaches the host when its own
    // 1.146 ms are over, the 256th after 293.3 ms.
    loop.RunFor(1);
    EXPECT_TRUE(host.PcLog().empty());
    loop.RunFor(1);
    EXPECT_EQ(host.PcLog().size(), 1u);
    loop.RunFor(291);
    EXPECT_EQ(CountMessages(kMsgLineEvent, kLineEventTxEmpty), 0);
    EXPECT_EQ(host.PcLog().size(), 255u);
    loop.RunFor(1);
    ASSERT_EQ(CountMessages(kMsgLineEvent, kLineEventTxEmpty), 1);
    EXPECT_EQ(messages.back().at - start, 294u);
    EXPECT_EQ(Text(host.PcLog()), block);
}

TEST_F(SerialPortSim, AnswersLandInTheReceiveRingWithOneMessagePerBatch) {
    OpenPort();
    Send("AT\r");
    ASSERT_TRUE(RunUntilReceived("OK\r\n", 1000));
    EXPECT_EQ(received, "\r\nOK\r\n");
    EXPECT_EQ(CountMessages(kMsgReceived, 0), 1);
    uint8_t byte;
    EXPECT_FALSE(port.TakeByte(byte));
}

TEST_F(SerialPortSim, DeadPortAcceptsNothingAndClosedPortHearsNothing) {
    OpenPort();
    port.SetDead(true);
    uint8_t at[] = {'A', 'T', '\r'};
    EXPECT_EQ(port.Write(at, 3), 0);
    loop.RunFor(1000);
    EXPECT_TRUE(host.PcLog().empty());
    port.SetDead(false);

    Send("AT\r");
    loop.RunFor(5);   // on the wire, then the port closes before the answer
    port.Close();
    loop.RunFor(1000);
    EXPECT_EQ(Text(host.PcLog()), "AT\r") << "bytes already sent still arrive";
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(port.Write(at, 3), 0);
    EXPECT_EQ(port.ModemStatus(), 0u);
}

TEST_F(SerialPortSim, CtsChangesArePosted) {
    OpenPort();
    loop.RunFor(10);
    messages.clear();
    port.SetCts(false);
    port.SetCts(false);   // no change, no message
    loop.RunFor(10);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].wParam, kLineEventCtsChanged);
    EXPECT_EQ(messages[0].lParam, kModemDsr);
    EXPECT_EQ(port.ReadModemStatus(), kModemDsr);
    port.SetCts(true);
    loop.RunFor(10);
    EXPECT_EQ(messages.back().lParam, kModemCts | kModemDsr);
}

TEST_F(SerialPortSim, WrongLineSettingsGetNothingThrough) {
    ASSERT_EQ(port.Open(SimulatedSerialPort::kDefaultDevicePath, 19200, 8, 2, kParityNone), 1);
    Send("AT\r");
    loop.RunFor(1000);
    EXPECT_TRUE(host.PcLog().empty());
    EXPECT_TRUE(received.empty());
}

TEST_F(SerialPortSim, ReopeningFindsTheHostAsItWasLeft) {
    OpenPort();
    Connect("000000000001");
    port.Close();
    OpenPort();
    Send("+++\r");   // the host is still in data mode: the escape works
    loop.RunFor(1000);
    EXPECT_EQ(Lines(), std::vector<std::string>{"OK"});
    EXPECT_TRUE(host.IsLinked());
}

}  // namespace
