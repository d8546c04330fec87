#include <memory>

#include "SimTestSupport.h"
#include "sim/SilentMachine.h"
#include "sim/SimulatedSubModule.h"

namespace {

class SubModule : public ::testing::Test {
protected:
    SubModule() {
        auto owned = std::make_unique<SilentMachine>("TDK/VC5A");
        machine = owned.get();
        sub.AttachMachine(std::move(owned));
        sub.LinkUp([this](const uint8_t* data, size_t n) { out.insert(out.end(), data, data + n); },
                   [] {});
    }

    void Send(const std::vector<uint8_t>& bytes) { sub.ReceiveFromRadio(bytes.data(), bytes.size()); }
    void Send(std::initializer_list<int> bytes) { Send(Bytes(bytes)); }
    void Send(const std::string& text) { Send(Bytes(text)); }

    // Loads a line parameter byte and a delay the way the set-up does, then forgets the echoes.
    void Load(uint8_t lineByte, uint8_t delay) {
        Send({0x96, lineByte, 0x95, delay});
        loop.RunFor(50);
        out.clear();
    }

    VirtualEventLoop loop;
    VirtualClockScheduler clock{loop};
    SimulatedSubModule sub{clock, SubModuleConfig{"000000000005", "SUB-05", 2, 40}};
    SilentMachine* machine = nullptr;
    std::vector<uint8_t> out;
};

TEST_F(SubModule, SetUpSequenceIsEchoedAndAnsweredInOrder) {
    Send({0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80,   // preamble: no answer
          0x88, 0x83, 0x84,                                 // dialogue, version, type
          0x96, 0x91, 0x95, 0x7F,                           // 4800 7E, delay 127
          0x93, 0x8C, 0x98, 0x92, 0x87, 0x81});
    loop.RunFor(100);
    EXPECT_EQ(out, Bytes({0x88, 0x80 | 40, 0x80 | 2, 0x96, 0x91, 0x95, 0x7F, 0x93, 0x8C, 0x98,
                          0x92}))
        << "0x87 stores the set-up and is echoed later than the rest";
    loop.RunFor(200);
    EXPECT_EQ(out.back(), 0x87);
    EXPECT_EQ(out.size(), 12u);

    const SimLineParameters& line = sub.LineParameters();
    EXPECT_EQ(line.baudRate, 4800u);
    EXPECT_EQ(line.dataBits, 7);
    EXPECT_EQ(line.parity, SimParity::Even);
    EXPECT_EQ(line.delayBits, 127);
    EXPECT_EQ(sub.LineParameterByte(), 0x91);
    EXPECT_EQ(sub.Options().option93or94, 0x93);
    EXPECT_EQ(sub.Options().option8Cor8D, 0x8C);
    EXPECT_EQ(sub.Options().option91or92, 0x92);
    EXPECT_TRUE(sub.Options().step98);
    EXPECT_TRUE(sub.Options().stored87);
    EXPECT_FALSE(sub.InCommandDialogue()) << "0x81 closed it";
    EXPECT_TRUE(machine->Received().empty()) << "commands never reach the machine";
}

TEST_F(SubModule, ParameterCommandsDependOnTheFirmwareVersion) {
    struct Case {
        uint8_t version, lineCommand, delayCommand, otherLine, otherDelay;
    };
    for (Case c : {Case{30, 0xC2, 0xC1, 0x96, 0x95}, Case{31, 0x96, 0x95, 0xC2, 0xC1}}) {
        SCOPED_TRACE(static_cast<int>(c.version));
        sub.SetVersion(c.version);
        out.clear();
        // The other generation's commands are unknown: ignored, and the byte after
        // them is no parameter (0xAA is then an unknown command as well).
        Send({c.otherLine, 0xAA, c.otherDelay});
        loop.RunFor(50);
        EXPECT_TRUE(out.empty());
        Send({c.lineCommand, 0xAA, c.delayCommand, 0x0E});
        loop.RunFor(50);
        EXPECT_EQ(out, Bytes({c.lineCommand, 0xAA, c.delayCommand, 0x0E}));
        EXPECT_EQ(sub.LineParameters().baudRate, 2400u);
        EXPECT_EQ(sub.LineParameters().parity, SimParity::Odd);
        EXPECT_EQ(sub.LineParameters().delayBits, 14);
    }
}

TEST_F(SubModule, ReadyReportsNeedVersionFortyAndComeWhenTheMachineHasEverything) {
    Load(0xA0, 0);
    Send({0x9A});
    Send("ABC");
    loop.RunFor(100);
    EXPECT_EQ(out, Bytes({0x9A, 0xFD})) << "one report when the three bytes have gone out";
    EXPECT_EQ(Text(machine->Received()), "ABC");
    Send("D");
    loop.RunFor(100);
    EXPECT_EQ(out, Bytes({0x9A, 0xFD, 0xFD}));
    Send({0x9B});
    Send("E");
    loop.RunFor(100);
    EXPECT_EQ(out, Bytes({0x9A, 0xFD, 0xFD, 0x9B}));

    sub.SetVersion(39);
    out.clear();
    Send({0x9A});
    Send("F");
    loop.RunFor(100);
    EXPECT_TRUE(out.empty()) << "older modules know neither the command nor the report";
    EXPECT_FALSE(sub.ReadyReports());
}

TEST_F(SubModule, BusyLineChangesAreReportedOnlyWhileSwitchedOn) {
    machine->SetBusyLine(true);
    loop.RunFor(20);
    EXPECT_TRUE(out.empty());
    Send({0x8E});
    loop.RunFor(20);
    machine->SetBusyLine(false);
    loop.RunFor(20);
    machine->SetBusyLine(true);
    loop.RunFor(20);
    Send({0x8F});
    loop.RunFor(20);
    machine->SetBusyLine(false);
    loop.RunFor(20);
    EXPECT_EQ(out, Bytes({0x8E, 0xFE, 0xFF, 0x8F}));
}

TEST_F(SubModule, DataReachesTheMachineAtTheLoadedLineSpeedAndDelay) {
    Load(0x85, 0);   // 300 baud, 7 data bits, no parity: 9 bits, 30 ms a character
    Send("ABCD");
    loop.RunFor(29);
    EXPECT_TRUE(machine->Received().empty());
    loop.RunFor(1);
    EXPECT_EQ(Text(machine->Received()), "A");
    loop.RunFor(90);
    EXPECT_EQ(Text(machine->Received()), "ABCD");

    machine->ClearReceived();
    Load(0x85, 21);   // 21 delay bits: 100 ms a character
    Send("XY");
    loop.RunFor(150);
    EXPECT_EQ(Text(machine->Received()), "X");
    loop.RunFor(50);
    EXPECT_EQ(Text(machine->Received()), "XY");
}

TEST_F(SubModule, PlusStuffingIsDroppedTowardsTheMachineAndAddedTowardsThePc) {
    Load(0xA0, 0);
    Send(std::string("1+\0+\0" "2", 6));
    loop.RunFor(50);
    EXPECT_EQ(Text(machine->Received()), "1++2");

    machine->SendToLine("OK+");
    loop.RunFor(50);
    EXPECT_EQ(out, Bytes(std::string("OK+\0", 4)));
}

TEST_F(SubModule, DelayByteThatIsAPlusKeepsItsStuffingOutOfTheMachine) {
    Send({0x95, '+', 0x00});
    loop.RunFor(50);
    EXPECT_EQ(out, Bytes({0x95, '+', 0x00}));
    EXPECT_EQ(sub.LineParameters().delayBits, 43);
    EXPECT_TRUE(machine->Received().empty());

    out.clear();
    Send({0x95, 0xFA});
    loop.RunFor(50);
    EXPECT_EQ(out, Bytes({0x95, 0xFA}));
    EXPECT_EQ(sub.LineParameters().delayBits, 200) << "the delay is limited to 200 bits";
}

TEST_F(SubModule, SevenBitLineLosesTheTopBitFromTheMachine) {
    Load(0x80, 0);   // 9600 baud, 7 data bits
    machine->SendToLine(std::vector<uint8_t>{0xC1, 0x42});
    loop.RunFor(50);
    EXPECT_EQ(out, Bytes({0x41, 0x42}));
}

TEST_F(SubModule, PreambleCompletesAParameterLeftOpenByAnAbortedSetUp) {
    Send({0x96});
    loop.RunFor(50);
    Send({0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x88});
    loop.RunFor(50);
    EXPECT_EQ(out, Bytes({0x96, 0x80, 0x88}));
    EXPECT_EQ(sub.LineParameterByte(), 0x80);
}

TEST_F(SubModule, TransparentModeCarriesBinaryUntilTheLinkDrops) {
    Load(0xA0, 0);
    Send({0x89, 0x88, 0x83, '+', 0x00, 0xFE, 0x03});
    loop.RunFor(50);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(machine->Received(), Bytes({0x88, 0x83, '+', 0xFE, 0x03}));

    sub.LinkDown();
    EXPECT_FALSE(sub.Transparent());
    sub.LinkUp([this](const uint8_t* data, size_t n) { out.insert(out.end(), data, data + n); },
               [] {});
    Send({0x88});
    loop.RunFor(50);
    EXPECT_EQ(out, Bytes({0x88}));
}

TEST_F(SubModule, ResetCommandDropsWhatStillWaitsForTheMachine) {
    Load(0x85, 0);   // 30 ms a character
    Send("0123456789");
    loop.RunFor(65);
    Send({0x82});
    loop.RunFor(1000);
    EXPECT_EQ(Text(machine->Received()), "01");
    EXPECT_EQ(sub.PendingToMachine(), 0u);
    EXPECT_TRUE(out.empty()) << "0x82 is not echoed";
}

TEST_F(SubModule, UnknownCommandsAreIgnoredAndNotForwarded) {
    Send({0x85, 0x90, 0x97, 0xC0, 0xC3, 0xFC});
    loop.RunFor(50);
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(machine->Received().empty());
}

TEST_F(SubModule, CommandLimitMakesTheModuleStopAnsweringButDataStillFlows) {
    sub.SetCommandLimit(3);
    Send({0x88, 0x83, 0x84, 0x96});
    Send("D");
    loop.RunFor(50);
    EXPECT_EQ(out, Bytes({0x88, 0xA8, 0x82}));
    EXPECT_EQ(Text(machine->Received()), "D") << "no parameter was pending after the ignored 0x96";
    EXPECT_TRUE(sub.Muted());

    sub.SetMuted(false);
    out.clear();
    Send({0x88});
    loop.RunFor(50);
    EXPECT_EQ(out, Bytes({0x88}));
}

TEST_F(SubModule, LinkDownLosesPendingAnswersAndResetsModesButKeepsTheLine) {
    Load(0x91, 14);
    Send({0x9A, 0x8E, 0x88});
    sub.LinkDown();
    loop.RunFor(50);
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(sub.ReadyReports());
    EXPECT_FALSE(sub.BusyReports());
    EXPECT_FALSE(sub.InCommandDialogue());
    EXPECT_EQ(sub.LineParameterByte(), 0x91);
    EXPECT_EQ(sub.LineParameters().delayBits, 14);
}

// Answers "*" a while after each CR, as a machine prompt would.
class PromptingMachine : public SimulatedMachine {
public:
    std::string TypeName() const override { return "DYNA/PERT"; }
    void OnLineByte(uint8_t byte) override {
        if (byte == '\r') After(100, [this] { SendToLine("*"); });
    }
};

TEST_F(SubModule, MachineAnswersOnItsOwnTimeAndNotAfterItIsReplaced) {
    Load(0xA0, 0);
    sub.AttachMachine(std::make_unique<PromptingMachine>());
    Send("\r");
    loop.RunFor(90);
    EXPECT_TRUE(out.empty());
    loop.RunFor(30);
    EXPECT_EQ(Text(out), "*");

    out.clear();
    Send("\r");
    loop.RunFor(20);
    sub.AttachMachine(std::make_unique<SilentMachine>("DYNA/PERT"));
    loop.RunFor(500);
    EXPECT_TRUE(out.empty());
}

TEST(SimLineParametersTest, LineByteDecodesBaudParityAndDataBits) {
    struct Case {
        uint8_t byte;
        uint32_t baud;
        int dataBits;
        SimParity parity;
    };
    const Case cases[] = {
        {0x91, 4800, 7, SimParity::Even}, {0xA0, 9600, 8, SimParity::None},
        {0xAA, 2400, 8, SimParity::Odd},  {0x85, 300, 7, SimParity::None},
        {0xA3, 1200, 8, SimParity::None}, {0x84, 600, 7, SimParity::None},
        {0xA7, 9600, 8, SimParity::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.byte));
        SimLineParameters p = SimLineParameters::FromLineByte(c.byte, 0);
        EXPECT_EQ(p.baudRate, c.baud);
        EXPECT_EQ(p.dataBits, c.dataBits);
        EXPECT_EQ(p.parity, c.parity);
    }
    // 9600 baud, 8N1 and 14 delay bits: 24 bits, 2.5 ms a character.
    EXPECT_EQ(SimLineParameters::FromLineByte(0xA0, 14).CharTimeUs(true), 2500u);
    EXPECT_EQ(SimLineParameters::FromLineByte(0xA0, 14).CharTimeUs(false), 1041u);
}

}  // namespace
