#include <string>
#include <vector>

#include "engine/JobEvents.h"
#include "link/LinkFixture.h"
#include "link/ScanJob.h"
#include "support/EngineFixture.h"

namespace {

using ScanJobTest = LinkFixture;

TEST_F(ScanJobTest, EveryModuleInRangeIsListed) {
    radio.FindSubModule("000000000005")->SetInRange(false);
    host.Timing().inquiryLineGapMs = 0;   // the answers arrive together
    ASSERT_TRUE(ConfirmHost());
    view.StatusLines.clear();
    Post(WindowMsg::StartScan);
    EXPECT_TRUE(view.ScanDialogOpen);
    ASSERT_TRUE(RunUntilIdle());
    std::vector<std::string> texts = StatusTexts();
    ASSERT_EQ(texts.size(), 8u);
    EXPECT_EQ(texts.front(), "Searching sub modules.");
    for (int i = 0; i < 6; ++i) EXPECT_EQ(texts[1 + i].substr(0, 13), "00000000000" + std::to_string(i < 4 ? i + 1 : i + 2) + ",");
    EXPECT_EQ(texts.back(), "Sub modules searching completed.");
    EXPECT_TRUE(jobs.Scan.Completed);
    EXPECT_EQ(HostCommands().back(), "AT+BTINQ?");
    EXPECT_FALSE(view.ScanDialogOpen);
}

TEST_F(ScanJobTest, StopCancelsTheInquiry) {
    ASSERT_TRUE(ConfirmHost());
    Post(WindowMsg::StartScan);
    loop.RunFor(1000);
    Post(WindowMsg::Cancel);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_LT(loop.NowMs(), 5000u);
    EXPECT_EQ(HostCommands().back(), "AT+BTCANCEL");
    EXPECT_EQ(StatusTexts().back(), "Stop searching of sub modules.");
    EXPECT_FALSE(jobs.Scan.Completed);
    EXPECT_FALSE(view.ScanDialogOpen);
}

TEST_F(ScanJobTest, SilentInquiryEndsAfter36Seconds) {
    ASSERT_TRUE(ConfirmHost());
    host.SetAnswering(false);
    uint64_t start = loop.NowMs();
    Post(WindowMsg::StartScan);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_GE(loop.NowMs() - start, 36000u);
    EXPECT_EQ(StatusTexts().back(), "Failed to Searching sub modules.");
    EXPECT_FALSE(jobs.Scan.Completed);
    EXPECT_FALSE(view.ScanDialogOpen);
}

TEST_F(ScanJobTest, RefusedWithoutHostOrWhileConnected) {
    Post(WindowMsg::StartScan);
    EXPECT_TRUE(Idle());
    EXPECT_EQ(StatusTexts().back(), "Please check the host module.");
    EXPECT_FALSE(view.ScanDialogOpen);
    int refreshes = view.PageRefreshes;
    EXPECT_GE(refreshes, 2);   // the pages show the scan button free again

    StoreChannel(3, "000000000003", "PANASERT/TTY");
    ASSERT_TRUE(ConnectChannel(3));
    host.ClearLogs();
    Post(WindowMsg::StartScan);
    EXPECT_TRUE(Idle());
    EXPECT_EQ(StatusTexts().back(), "Disconnect the sub module before searching.");
    loop.RunFor(1000);
    EXPECT_TRUE(host.PcLog().empty());
}

// The inquiry against a scripted host module: the test writes its answers.
class ScanScriptTest : public EngineFixture {
protected:
    ScanScriptTest() {
        AddLinkJobs(terminal);
        std::string report;
        terminal.OpenPcPort(report);
        terminal.StatusFlags |= Status::CtsOn | Status::HostConfirmed;
    }
    void Answer(const std::string& bytes) {
        port.Feed(bytes);
        terminal.HandleMessage(WindowMsg::Received);
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const std::string& line : view.StatusLines) texts.push_back(line.substr(line.find_first_not_of(' ')));
        return texts;
    }
};

TEST_F(ScanScriptTest, OnlyLinesWithTheirFirstCommaAtTwelveAreShown) {
    terminal.HandleMessage(WindowMsg::StartScan);
    EXPECT_EQ(port.Written, "AT+BTINQ?\r");
    EXPECT_TRUE(terminal.Engine.EventMask & EV_CANCEL);
    Answer("00000000001,SHORT\r\n000000000002,SUB2,1\r\nOK\r\n");
    EXPECT_EQ(terminal.Engine.ActiveJobs, 0u);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"1> Searching sub modules.", "000000000002,SUB2,1",
                                                 "Sub modules searching completed."}));
    EXPECT_EQ(terminal.Engine.EventMask, 0u);
    EXPECT_FALSE(view.ScanDialogOpen);
}

TEST_F(ScanScriptTest, OkRightAfterTheCommandListsNothing) {
    terminal.HandleMessage(WindowMsg::StartScan);
    Answer("OK\r\n");
    EXPECT_EQ(Texts(), (std::vector<std::string>{"1> Searching sub modules.", "Sub modules searching completed."}));
    EXPECT_FALSE(loop.IsTimerArmed(kTimerJob));
}

TEST_F(ScanScriptTest, StopKeepsTheInquirysOwnTimeOut) {
    terminal.HandleMessage(WindowMsg::StartScan);
    loop.RunFor(30000);
    terminal.HandleMessage(WindowMsg::Cancel);
    EXPECT_EQ(port.Written, "AT+BTINQ?\rAT+BTCANCEL\r");
    EXPECT_EQ(Texts().back(), "Stop searching of sub modules.");
    // Lines that are not the module's "OK" do not end it ...
    Answer("000000000003,SUB3,1\r\n");
    EXPECT_TRUE(terminal.Engine.IsActive(JobBit::Scan));
    // ... the 36 s of the inquiry do: no new time-out after the Stop.
    loop.RunFor(5999);
    EXPECT_TRUE(terminal.Engine.IsActive(JobBit::Scan));
    loop.RunFor(1);
    EXPECT_FALSE(terminal.Engine.IsActive(JobBit::Scan));
    EXPECT_FALSE(view.ScanDialogOpen);
    EXPECT_EQ(Texts().back(), "Stop searching of sub modules.");
}

}  // namespace
