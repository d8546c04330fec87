#include <string>
#include <vector>

#include "link/LinkFixture.h"
#include "link/ScanJob.h"

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

}  // namespace
