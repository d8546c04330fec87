// Each file a download takes up leaves one journal record: how it ended, the
// file's SHA-256, what went out, and the message that ended it.

#include <gtest/gtest.h>

#include "app/Sha256.h"
#include "download/DownloadFixture.h"
#include "lang/Msg.h"
#include "sim/DynaPertMachine.h"
#include "support/RecordingJournal.h"

namespace {

constexpr const char* kSerial = "000000000001";

class DownloadJournalTest : public DownloadFixture {
protected:
    DownloadJournalTest() { terminal.Journal.SetJournal(&journal); }

    std::string Sha(const std::string& bytes) {
        return Sha256::Of(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }

    DynaPertMachine& machine = AttachMachine<DynaPertMachine>(1, kSerial, "DYNA/PERT");
    RecordingJournal journal;
};

TEST_F(DownloadJournalTest, CompletedAndUnreadableFilesEachLeaveOneRecord) {
    const std::string bytes = "N001 X100 Y200\r\nN002 X110 Y210\r\nM02\r\n";
    WriteNc("P1.NCD", bytes);
    ASSERT_TRUE(Download({"MISSING.NCD", "P1.NCD"}));

    ASSERT_EQ(journal.Records.size(), 2u);
    const TransferRecord& done = journal.Records[0];
    EXPECT_EQ(done.Result, TransferResult::Completed);
    EXPECT_EQ(done.Direction, "download");
    EXPECT_EQ(done.PcFile, (files / "P1.NCD").string());
    EXPECT_EQ(done.Channel, 1);
    EXPECT_EQ(done.McType, "DYNA/PERT");
    EXPECT_EQ(done.SubAddress, kSerial);
    EXPECT_EQ(done.Sha256, Sha(bytes));
    EXPECT_EQ(done.Bytes, static_cast<int64_t>(bytes.size()));
    EXPECT_EQ(done.Lines, 3);
    EXPECT_EQ(done.MessageNumber, static_cast<int>(Msg::DownloadingComplete));
    EXPECT_EQ(done.MessageText, "Downloading complete.");
    EXPECT_LE(done.StartUtc, done.EndUtc);

    const TransferRecord& missing = journal.Records[1];
    EXPECT_EQ(missing.Result, TransferResult::Failed);
    EXPECT_EQ(missing.MessageNumber, static_cast<int>(Msg::FileNotOpen));
    EXPECT_TRUE(missing.Sha256.empty());
    EXPECT_NE(done.Uid, missing.Uid);
}

TEST_F(DownloadJournalTest, MachineThatStopsLeavesAFailedRecordOfWhatWentOut) {
    const std::string bytes = "N001\r\nN002\r\nN003\r\n";
    WriteNc("P.NCD", bytes);
    machine.SetStopAfterLines(1);
    ASSERT_TRUE(Download({"P.NCD"}));
    ASSERT_EQ(journal.Records.size(), 1u);
    const TransferRecord& r = journal.Records[0];
    EXPECT_EQ(r.Result, TransferResult::Failed);
    EXPECT_EQ(r.MessageNumber, static_cast<int>(Msg::NoResponseFromMc));
    EXPECT_EQ(r.MessageText, "No response from MC!(50)");
    EXPECT_EQ(r.Sha256, Sha(bytes));
    EXPECT_GT(r.Bytes, 0);
    EXPECT_LT(r.Bytes, static_cast<int64_t>(bytes.size()));
}

TEST_F(DownloadJournalTest, CancelLeavesACancelledRecordAndNoneForUnstartedFiles) {
    std::string program;
    for (int i = 0; i < 300; ++i) program += "N" + std::to_string(5000 + i) + " X1 Y2\r\n";
    WriteNc("BIG.NCD", program);
    WriteNc("LATER.NCD", "N001\r\n");
    ASSERT_TRUE(ConnectChannel(1));
    Choose({"LATER.NCD", "BIG.NCD"});
    Post(WindowMsg::StartDownload);
    // Part of the way into BIG.NCD.
    ASSERT_TRUE(loop.RunUntil([&] { return terminal.FileOffset > 200; }, 60000));
    Post(WindowMsg::Cancel);
    ASSERT_TRUE(RunUntilIdle());

    ASSERT_EQ(journal.Records.size(), 1u);
    const TransferRecord& r = journal.Records[0];
    EXPECT_EQ(r.Result, TransferResult::Cancelled);
    EXPECT_EQ(r.MessageText, "Downloading canceled.");
    EXPECT_EQ(r.PcFile, (files / "BIG.NCD").string());
    EXPECT_EQ(r.Sha256, Sha(program));
    EXPECT_LT(r.Bytes, static_cast<int64_t>(program.size()));
}

TEST_F(DownloadJournalTest, WithoutAJournalNothingIsRecorded) {
    terminal.Journal.SetJournal(nullptr);
    WriteNc("P1.NCD", "N001\r\n");
    ASSERT_TRUE(Download({"P1.NCD"}));
    EXPECT_TRUE(journal.Records.empty());
    EXPECT_FALSE(terminal.Journal.Open());
}

}  // namespace
