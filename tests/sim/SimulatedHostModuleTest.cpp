#include <memory>

#include "sim/LoopbackMachine.h"
#include "sim/SilentMachine.h"
#include "SimTestSupport.h"

namespace {

class HostModule : public RadioLink {
protected:
    void SetUp() override { OpenPort(); }
};

TEST_F(HostModule, InformationLineHasTheSevenFieldsAndTheDefaultSettings) {
    Send("AT+BTINFO?\r");
    ASSERT_TRUE(RunUntilReceived("OK\r\n"));
    // Framed as a modem does: each answer between CR LF pairs.
    ASSERT_EQ(received, "\r\n" + host.InfoLine() + "\r\n\r\nOK\r\n");
    std::string info = host.InfoLine();
    EXPECT_EQ(info.find(','), 12u);
    EXPECT_EQ(std::count(info.begin(), info.end(), ','), 6);
    EXPECT_NE(info.find(",MODE0,STANDBY,0,0,HWFC"), std::string::npos);
    EXPECT_EQ(info.substr(0, 12), host.Config().address);
}

TEST_F(HostModule, FactoryResetRestoresTheExpectedModeAndKeepsTheAddress) {
    HostModuleConfig changed = host.Config();
    changed.mode = "MODE1";
    changed.flowControl = "NONE";
    host.SetConfig(changed);
    Send("AT+BTINFO?\r");
    ASSERT_TRUE(RunUntilReceived("OK\r\n"));
    EXPECT_EQ(received.find(",MODE0,STANDBY,0,0,HWFC"), std::string::npos);

    received.clear();
    Send("AT&F\r");
    ASSERT_TRUE(RunUntilReceived("OK\r\n"));
    received.clear();
    Send("AT+BTINFO?\r");
    ASSERT_TRUE(RunUntilReceived("OK\r\n"));
    EXPECT_NE(received.find(",MODE0,STANDBY,0,0,HWFC"), std::string::npos);
    EXPECT_EQ(received.substr(2, 12), changed.address);
}

TEST_F(HostModule, CommandModeAnswersOkOrErrorAndIgnoresEmptyLines) {
    Send("AT\r");
    Send("at\r");          // modems take lower case
    Send("\r\n");          // nothing
    Send("ATH\r");         // no link to hang up
    Send("AT+BTCANCEL\r"); // nothing to cancel
    Send("ATX\r");
    Send("AT+BTFOO?\r");
    Send("ATO\r");         // no link to go back to
    loop.RunFor(1000);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"OK", "OK", "OK", "OK", "ERROR", "ERROR", "ERROR"}));
}

TEST_F(HostModule, EscapeInCommandModeIsRefusedOnceWithOrWithoutCr) {
    Send("+++\r");
    loop.RunFor(1000);
    EXPECT_EQ(Lines(), std::vector<std::string>{"ERROR"});
    received.clear();
    Send("+++");   // the disconnect sends it without CR and waits for the answer
    ASSERT_TRUE(RunUntilReceived("ERROR\r\n", 500));
    EXPECT_EQ(Lines(), std::vector<std::string>{"ERROR"});
}

TEST_F(HostModule, DialConnectsAfterTheDialTime) {
    Send("ATD000000000003\r");
    loop.RunFor(host.Timing().dialMs - 5);
    EXPECT_TRUE(received.empty());
    ASSERT_TRUE(RunUntilReceived("CONNECT", 100));
    loop.RunFor(100);
    EXPECT_EQ(received, "\r\nCONNECT 000000000003\r\n");
    EXPECT_TRUE(host.InDataMode());
    EXPECT_EQ(host.LinkedSubModule(), radio.FindSubModule("000000000003"));
    EXPECT_TRUE(radio.FindSubModule("000000000003")->IsLinked());
}

TEST_F(HostModule, DialsThatCannotSucceedAnswerError) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::string command;
    };
    const std::vector<Case> cases = {
        {"unknown address", [] {}, "ATD0000000000AB\r"},
        {"eleven digits", [] {}, "ATD00000000001\r"},
        {"not hexadecimal", [] {}, "ATD00000000000G\r"},
        {"module refuses", [&] { radio.FindSubModule("000000000002")->SetRefusesDial(true); },
         "ATD000000000002\r"},
        {"module out of range", [&] { radio.FindSubModule("000000000004")->SetInRange(false); },
         "ATD000000000004\r"},
        {"host refuses every dial", [&] { host.SetRefuseDials(true); }, "ATD000000000005\r"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        received.clear();
        c.arrange();
        Send(c.command);
        loop.RunFor(host.Timing().dialFailMs + 1000);
        EXPECT_EQ(Lines(), std::vector<std::string>{"ERROR"});
        EXPECT_FALSE(host.IsLinked());
    }
}

TEST_F(HostModule, CancelEndsADialInProgress) {
    Send("ATD000000000001\r");
    loop.RunFor(100);
    Send("AT+BTCANCEL\r");
    loop.RunFor(host.Timing().dialFailMs + 1000);
    EXPECT_EQ(Lines(), std::vector<std::string>{"OK"});
    EXPECT_FALSE(host.IsLinked());
    EXPECT_FALSE(radio.FindSubModule("000000000001")->IsLinked());
}

TEST_F(HostModule, InquiryListsTheModulesInRangeThenOk) {
    radio.FindSubModule("000000000005")->SetInRange(false);
    Send("AT+BTINQ?\r");
    loop.RunFor(host.Timing().inquiryMs - 10);
    EXPECT_EQ(received.find("OK"), std::string::npos) << "OK only when the inquiry time is over";
    ASSERT_TRUE(RunUntilReceived("OK\r\n", 100));

    std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 7u);
    const char* expected[] = {"000000000001", "000000000002", "000000000003", "000000000004",
                              "000000000006", "000000000007"};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(lines[i].find(','), 12u) << lines[i];
        EXPECT_EQ(lines[i].substr(0, 12), expected[i]);
    }
    EXPECT_EQ(lines.back(), "OK");
}

TEST_F(HostModule, CancelStopsTheInquiryWithOk) {
    Send("AT+BTINQ?\r");
    ASSERT_TRUE(RunUntilReceived("000000000002,"));
    Send("AT+BTCANCEL\r");
    loop.RunFor(host.Timing().inquiryMs);
    std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], "OK");
    EXPECT_EQ(received.find("000000000003"), std::string::npos);
}

TEST_F(HostModule, CommandsDuringADialOrInquiryOtherThanCancelAreRefused) {
    Send("AT+BTINQ?\r");
    loop.RunFor(50);
    Send("AT+BTINFO?\r");
    Send("ATD000000000001\r");
    loop.RunFor(100);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"ERROR", "ERROR"}));
    ASSERT_TRUE(RunUntilReceived("OK\r\n"));
    EXPECT_FALSE(host.IsLinked());
}

class HostDataMode : public HostModule {
protected:
    void SetUp() override {
        HostModule::SetUp();
        auto owned = std::make_unique<LoopbackMachine>("UNIVERSAL");
        machine = owned.get();
        radio.AttachMachine("000000000007", std::move(owned));
        Connect("000000000007");
    }
    LoopbackMachine* machine = nullptr;
};

TEST_F(HostDataMode, BytesGoThroughBothWaysUnchanged) {
    Send("N10 X100 Y200\r\n");
    ASSERT_TRUE(RunUntilReceived("\n"));
    EXPECT_EQ(Text(machine->Received()), "N10 X100 Y200\r\n");
    EXPECT_EQ(received, "N10 X100 Y200\r\n");
}

TEST_F(HostDataMode, StuffedPlusReachesTheMachineWithoutItsZeroAndComesBackStuffed) {
    Send(std::string("A+\0+\0+\0B", 8));   // three data '+' never form an escape
    ASSERT_TRUE(RunUntilReceived("B"));
    EXPECT_EQ(Text(machine->Received()), "A+++B");
    EXPECT_EQ(received, std::string("A+\0+\0+\0B", 8));
    EXPECT_TRUE(host.InDataMode());
}

TEST_F(HostDataMode, EscapeReturnsToCommandModeWithTheLinkUpThenHangUp) {
    Send("+++");
    ASSERT_TRUE(RunUntilReceived("OK\r\n", 500));
    EXPECT_EQ(Lines(), std::vector<std::string>{"OK"});
    EXPECT_FALSE(host.InDataMode());
    EXPECT_TRUE(host.IsLinked());
    EXPECT_TRUE(machine->Received().empty()) << "the escape is not data";

    received.clear();
    Send("ATH\r");
    ASSERT_TRUE(RunUntilReceived("DISCONNECT\r\n", 500));
    EXPECT_FALSE(host.IsLinked());
    EXPECT_FALSE(radio.FindSubModule("000000000007")->IsLinked());

    received.clear();
    Send("AT+BTINFO?\r");
    ASSERT_TRUE(RunUntilReceived("OK\r\n"));
    EXPECT_NE(received.find(",MODE0,STANDBY,0,0,HWFC"), std::string::npos);
}

TEST_F(HostDataMode, EscapeFollowedByCrAnswersOnlyOk) {
    Send("+++\r");   // the host check's escape: the CR is an empty command line
    loop.RunFor(1000);
    EXPECT_EQ(Lines(), std::vector<std::string>{"OK"});
    EXPECT_FALSE(host.InDataMode());
}

TEST_F(HostDataMode, PlusesThatDoNotCompleteAnEscapeAreDataAfterAll) {
    Send("++X");
    loop.RunFor(200);
    EXPECT_EQ(Text(machine->Received()), "++X");

    Send("+");   // nothing follows: it goes on after the guard time
    loop.RunFor(host.Timing().escapeGuardMs / 2);
    EXPECT_EQ(Text(machine->Received()), "++X");
    loop.RunFor(host.Timing().escapeGuardMs);
    EXPECT_EQ(Text(machine->Received()), "++X+");
    EXPECT_TRUE(host.InDataMode());
}

TEST_F(HostDataMode, MachineDataIsNotPassedInCommandModeAndAtoResumes) {
    Send("+++");
    ASSERT_TRUE(RunUntilReceived("OK\r\n", 500));
    received.clear();
    Send("AT+BTINFO?\r");
    ASSERT_TRUE(RunUntilReceived("OK\r\n"));
    EXPECT_EQ(received.find(",STANDBY,"), std::string::npos) << "the link is still up";

    received.clear();
    Send("ATO\r");
    ASSERT_TRUE(RunUntilReceived("CONNECT 000000000007\r\n"));
    received.clear();
    Send("Z");
    ASSERT_TRUE(RunUntilReceived("Z"));
    EXPECT_EQ(received, "Z");
}

TEST_F(HostDataMode, LinkLostBySubModuleIsReportedAsDisconnect) {
    radio.FindSubModule("000000000007")->SetInRange(false);
    ASSERT_TRUE(RunUntilReceived("DISCONNECT\r\n", 500));
    EXPECT_FALSE(host.IsLinked());
    received.clear();
    Send("AT\r");
    ASSERT_TRUE(RunUntilReceived("OK\r\n", 500)) << "back in command mode";
}

TEST_F(HostDataMode, FactoryResetDropsTheLink) {
    Send("+++");
    ASSERT_TRUE(RunUntilReceived("OK\r\n", 500));
    Send("AT&F\r");
    loop.RunFor(500);
    EXPECT_FALSE(host.IsLinked());
    EXPECT_FALSE(radio.FindSubModule("000000000007")->IsLinked());
}

TEST_F(HostModule, HostThatDoesNotAnswerSaysNothingAndDialsNobody) {
    host.SetAnswering(false);
    Send("+++\r");
    Send("AT+BTINFO?\r");
    Send("ATD000000000001\r");
    loop.RunFor(30000);
    EXPECT_TRUE(received.empty());
    EXPECT_FALSE(radio.FindSubModule("000000000001")->IsLinked());
    EXPECT_EQ(Text(host.PcLog()), "+++\rAT+BTINFO?\rATD000000000001\r") << "it still heard it";
}

}  // namespace
