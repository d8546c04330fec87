#include <string>

#include "app/ChannelConfig.h"
#include "engine/JobBits.h"
#include "engine/StatusBits.h"
#include "engine/WindowMessages.h"
#include "engine/JobEvents.h"
#include "link/LinkJobs.h"
#include "link/ModuleSetupJob.h"
#include "support/EngineFixture.h"

namespace {

ChannelConfig Line(const char* baud, const char* data, const char* parity, const char* delay = "0") {
    ChannelConfig channel;
    channel.McBaudRate = baud;
    channel.McDataBit = data;
    channel.McParityBit = parity;
    channel.McDelayBit = delay;
    return channel;
}

TEST(ModuleSetupRulesTest, LineParameterByteCodesBaudParityAndDataBits) {
    EXPECT_EQ(ModuleSetupJob::LineParameterByte(Line("4800", "7", "EVEN")), 0x91);
    EXPECT_EQ(ModuleSetupJob::LineParameterByte(Line("9600", "8", "NONE")), 0xA0);
    EXPECT_EQ(ModuleSetupJob::LineParameterByte(Line("2400", "8", "ODD")), 0xAA);
    EXPECT_EQ(ModuleSetupJob::LineParameterByte(Line("300", "7", "NONE")), 0x85);
    EXPECT_EQ(ModuleSetupJob::LineParameterByte(Line("1200", "8", "EVEN")), 0xB3);
    EXPECT_EQ(ModuleSetupJob::LineParameterByte(Line("600", "7", "ODD")), 0x8C);
    EXPECT_EQ(ModuleSetupJob::LineParameterByte(Line("19200", "x", "even")), 0x80);
}

TEST(ModuleSetupRulesTest, DelayAndCharacterTimeStayInTheModulesRange) {
    EXPECT_EQ(ModuleSetupJob::DelayBits(Line("9600", "8", "NONE", "127")), 127);
    EXPECT_EQ(ModuleSetupJob::DelayBits(Line("9600", "8", "NONE", "200")), 200);
    EXPECT_EQ(ModuleSetupJob::DelayBits(Line("9600", "8", "NONE", "255")), 200);
    EXPECT_EQ(ModuleSetupJob::DelayBits(Line("9600", "8", "NONE", "-3")), 0);
    EXPECT_FLOAT_EQ(ModuleSetupJob::CharTime(Line("9600", "8", "NONE", "14")), 2.5f);
    EXPECT_FLOAT_EQ(ModuleSetupJob::CharTime(Line("300", "8", "NONE", "999")), 1000.0f / 300 * 210);
    EXPECT_FLOAT_EQ(ModuleSetupJob::CharTime(Line("4800", "8", "NONE", "-50")), 1000.0f / 4800 * 10);
    for (const char* baud : {"0", "-9600", "", "fast"})
        EXPECT_EQ(ModuleSetupJob::CharTime(Line(baud, "8", "NONE", "14")), 0.0f) << baud;
}

// The set-up against a scripted module: the test answers each byte itself.
class ModuleSetupScriptTest : public EngineFixture {
protected:
    ModuleSetupScriptTest() {
        AddLinkJobs(terminal);
        std::string report;
        terminal.OpenPcPort(report);
        terminal.StatusFlags |= Status::CtsOn | Status::HostConfirmed | Status::SubConnected;
        app.CurrentChannel = Line("4800", "7", "EVEN", "25");
        app.CurrentChannel.McType = "PANASERT/RS232";
        app.CurrentChannel.SubSerial = "000000000002";
    }
    void Answer(const std::string& bytes) {
        port.Feed(bytes);
        terminal.HandleMessage(WindowMsg::Received);
    }
    // Echoes what was written since the last call.
    void EchoWritten() {
        std::string fresh = port.Written.substr(echoed_);
        echoed_ = port.Written.size();
        Answer(fresh);
    }
    std::size_t echoed_ = 0;
};

TEST_F(ModuleSetupScriptTest, ReplyIsTheFirstTopBitByteOfTheBatch) {
    terminal.StartJob(JobBit::ModuleSetup);
    EchoWritten();                    // preamble and 0x88
    ASSERT_EQ(port.Written.back(), '\x83');
    port.Written.clear();
    echoed_ = 0;
    Answer(std::string("\x00\xA9\x88\x05", 4));   // version 41, then stray bytes
    Answer(std::string("\x82\x00\x90", 3));       // type 2
    EXPECT_EQ(terminal.SubInfo.SubModuleVersion, 41);
    EXPECT_EQ(terminal.SubInfo.SubModuleType, 2);
    EXPECT_EQ(port.Written, std::string("\x84\x96", 2));   // version 41 takes the new codes
}

// A CITIZEN/M10 reader asks for a tape with DC1 every second, also while its
// sub module is being set up: such machine bytes are no answer of the module.
TEST_F(ModuleSetupScriptTest, MachineBytesBeforeTheAnswerAreNotTakenForIt) {
    app.CurrentChannel.McType = "CITIZEN/M10";
    terminal.StartJob(JobBit::ModuleSetup);
    EchoWritten();
    ASSERT_EQ(port.Written.back(), '\x83');
    port.Written.clear();
    echoed_ = 0;
    Answer("\x11");       // DC1 from the machine
    Answer("\xA9");       // version 41
    Answer("\x11\x13");   // DC1, DC3
    Answer("\x82");       // type 2
    EXPECT_EQ(terminal.SubInfo.SubModuleVersion, 41);
    EXPECT_EQ(terminal.SubInfo.SubModuleType, 2);
    EXPECT_EQ(port.Written, std::string("\x84\x96", 2));   // the new codes, not those of version 1.7
}

TEST_F(ModuleSetupScriptTest, WrongEchoFailsTheStepAfterItsTimeOut) {
    terminal.StartJob(JobBit::ModuleSetup);
    EchoWritten();
    Answer("\xC1");   // version 65
    Answer("\x80");   // a zero type is no answer ...
    Answer("\x81");   // ... this is
    ASSERT_EQ(port.Written.back(), '\x96');
    Answer("\x95");   // not the echo of 0x96
    loop.RunFor(1999);
    EXPECT_TRUE(terminal.Engine.IsActive(JobBit::ModuleSetup));
    loop.RunFor(1);
    EXPECT_FALSE(terminal.Engine.IsActive(JobBit::ModuleSetup));
    EXPECT_EQ(view.StatusLines.back(), "1> Failed to setup of module. (42)");
    EXPECT_FALSE(terminal.StatusFlags & Status::SubSetUp);
    EXPECT_EQ(terminal.CharTimeMs, 0.0f);
    EXPECT_TRUE(terminal.LastReplyLine.empty());
}

TEST_F(ModuleSetupScriptTest, NotConnectedEndsWithoutSendingAnything) {
    terminal.StatusFlags &= ~Status::SubConnected;
    terminal.StartJob(JobBit::ModuleSetup);
    EXPECT_EQ(terminal.Engine.ActiveJobs, 0u);
    EXPECT_TRUE(port.Written.empty());
}

}  // namespace
