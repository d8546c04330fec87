#include <string>
#include <vector>

#include "download/DownloadFixture.h"
#include "sim/PanasertTtyMachine.h"

namespace {

constexpr const char* kSerial = "000000000003";

class PanasertTtyDownloadTest : public DownloadFixture {
protected:
    PanasertTtyMachine& machine = AttachMachine<PanasertTtyMachine>(3, kSerial, "PANASERT/TTY");

    std::string RadioText() {
        std::vector<uint8_t> bytes = RadioBytes(kSerial);
        return std::string(bytes.begin(), bytes.end());
    }
};

TEST_F(PanasertTtyDownloadTest, ReadyReportsPaceTheLinesAndTheEndMarkIsAdded) {
    WriteNc("P.NCD", "N001 X10\nN002 X20\r\n\xFFN003 X30");
    ASSERT_TRUE(Download({"P.NCD"}));
    ASSERT_EQ(machine.Programs().size(), 1u);
    EXPECT_EQ(machine.Programs()[0], (std::vector<std::string>{"N001 X10", "N002 X20", "N003 X30", "*"}));
    EXPECT_TRUE(Shown("Downloading complete."));
    // Version 4.0 modules report ready: turned on for the lines, off at the end.
    std::string radio = RadioText();
    std::size_t on = radio.find('\x9A');
    std::size_t off = radio.rfind('\x9B');
    ASSERT_NE(on, std::string::npos);
    ASSERT_NE(off, std::string::npos);
    EXPECT_LT(on, radio.find("N001 X10\r\n"));
    EXPECT_GT(off, radio.find("*\r\n"));
    EXPECT_NE(radio.find(std::string(10, '\0') + "\r"), std::string::npos);
    EXPECT_FALSE(radio.find('\x8E') != std::string::npos);
    EXPECT_FALSE(terminal.StatusFlags & Status::EchoTransmitted);
}

TEST_F(PanasertTtyDownloadTest, OlderModulesArePacedByTheEmptyQueue) {
    radio.FindSubModule(kSerial)->SetVersion(31);
    WriteNc("P.NCD", "N001\r\nN002 M30 *\r\nN003\r\n");
    ASSERT_TRUE(Download({"P.NCD"}));
    ASSERT_EQ(machine.Programs().size(), 1u);
    EXPECT_EQ(machine.Programs()[0], (std::vector<std::string>{"N001", "N002 M30 *"}));
    EXPECT_TRUE(Shown("Downloading complete."));
    std::string radio = RadioText();
    EXPECT_EQ(radio.find('\x9A'), std::string::npos);
    // Busy reports are switched on after the program and off again.
    EXPECT_NE(radio.find('\x8E'), std::string::npos);
    EXPECT_GT(radio.rfind('\x8F'), radio.find('\x8E'));
}

TEST_F(PanasertTtyDownloadTest, CancelAfterBusyReportsWereTurnedOnTurnsThemOff) {
    radio.FindSubModule(kSerial)->SetVersion(31);
    WriteNc("P.NCD", "N001\r\nN002\r\n");
    Choose({"P.NCD"});
    ASSERT_TRUE(ConnectChannel(3));
    Post(WindowMsg::StartDownload);
    ASSERT_TRUE(loop.RunUntil([&] { return RadioText().find('\x8E') != std::string::npos; }, 60000));
    Post(WindowMsg::Cancel);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_TRUE(Shown("Downloading canceled."));
    std::string radio = RadioText();
    EXPECT_GT(radio.rfind('\x8F'), radio.find('\x8E'));
}

TEST_F(PanasertTtyDownloadTest, MachineWithoutEchoIsReported) {
    machine.SetEchoing(false);
    WriteNc("P.NCD", "N001\r\n");
    ASSERT_TRUE(Download({"P.NCD"}));
    EXPECT_TRUE(Shown("No response from MC!(32)"));
    EXPECT_TRUE(machine.Programs().empty());

    machine.SetEchoing(true);
    ASSERT_TRUE(Download({"P.NCD"}));
    EXPECT_EQ(machine.Programs().size(), 1u);
}

TEST_F(PanasertTtyDownloadTest, FileReadBackFromAnUploadIsSentWithTheSameLines) {
    // What an upload of this type writes: the 'N' lines and the '*' line, CR LF each.
    WriteNc("UP.NCD", "N0001 X100 Y100\r\nN0002 X200 Y100\r\n*\r\n");
    ASSERT_TRUE(Download({"UP.NCD"}));
    ASSERT_EQ(machine.Programs().size(), 1u);
    EXPECT_EQ(machine.Programs()[0], (std::vector<std::string>{"N0001 X100 Y100", "N0002 X200 Y100", "*"}));
}

}  // namespace
