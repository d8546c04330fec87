// Verify after download: the program goes out, comes back by name into
// memory, and the status window and the journal tell whether the machine
// holds what was sent.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sim/TdkVc5Machine.h"
#include "sim/UniversalMachine.h"
#include "support/RecordingJournal.h"
#include "upload/UploadFixture.h"

namespace {

constexpr const char* kSerial = "000000000003";

struct VerifyCase {
    const char* Name;
    const char* Type;
    const char* Program;
    std::string File;
    int AlteredLine;           // 0: the machine stores what it takes
    std::string Outcome;       // the journal's verify outcome
};

class VerifyAfterDownload : public UploadFixture, public ::testing::WithParamInterface<VerifyCase> {
protected:
    VerifyAfterDownload() { terminal.Journal.SetJournal(&journal); }

    void Attach(const VerifyCase& c) {
        if (std::string(c.Type) == "UNIVERSAL") {
            AttachMachine<UniversalMachine>(3, kSerial, c.Type).SetAlteredLine(c.AlteredLine);
        } else {
            AttachMachine<TdkVc5Machine>(3, kSerial, c.Type).SetAlteredLine(c.AlteredLine);
        }
    }
    // Downloads P.NCD under the case's program name.
    bool DownloadNamed(const VerifyCase& c, bool verify) {
        WriteNc("P.NCD", c.File);
        Choose({"P.NCD"});
        view.DownloadAnswer.Files[0].McProgramName = c.Program;
        view.DownloadAnswer.Verify = verify;
        if (!ConnectChannel(3)) return false;
        Post(WindowMsg::StartDownload);
        return RunUntilIdle(600000);
    }
    const TransferRecord* DownloadRecord() const {
        for (const TransferRecord& r : journal.Records)
            if (r.Direction == "download") return &r;
        return nullptr;
    }

    RecordingJournal journal;
};

const std::string kUniversalFile =
    "0001>  +00100  X+012.700 Y+005.080 T01\r\n0002>  +00200  X+038.100 Y+010.160 T02\r\n"
    "0003>  +00000  X+000.000 Y+000.000 END\r\n";
const std::string kTdkFile = "(BOARD)\r\nN0001 X+01016 Y+02032\r\nN0002 X+01524 Y+02032\r\nEX\r\n";

std::vector<VerifyCase> Cases() {
    return {
        {"UniversalClean", "UNIVERSAL", "BOARD-A", kUniversalFile, 0, "verified"},
        {"UniversalAltered", "UNIVERSAL", "BOARD-A", kUniversalFile, 2,
         "line 2: sent \"+00200  X+038.100 Y+010.160 T02\" received \"+900200  X+038.100 Y+010.160 T02\""},
        {"TdkClean", "TDK/VC5", "BOARD", kTdkFile, 0, "verified"},
        {"TdkAltered", "TDK/VC5", "BOARD", kTdkFile, 1,
         "line 1: sent \"N0001 X+01016 Y+02032\" received \"N90001 X+01016 Y+02032\""},
    };
}

TEST_P(VerifyAfterDownload, TheOutcomeIsShownAndJournaled) {
    const VerifyCase& c = GetParam();
    Attach(c);
    ASSERT_TRUE(DownloadNamed(c, true));
    const bool verified = c.Outcome == "verified";
    EXPECT_EQ(LastRun().FilesCompleted, 1);
    EXPECT_EQ(LastRun().FilesNotVerified, verified ? 0 : 1);
    EXPECT_EQ(LastRun().EndState, 9000);
    EXPECT_TRUE(ShownStartingWith("Reading back to verify... (P.NCD, "));
    EXPECT_FALSE(ShownStartingWith("Uploading"));
    if (verified) {
        EXPECT_TRUE(Shown("Verified (P.NCD)"));
    } else {
        EXPECT_TRUE(Shown("Verify failed (P.NCD): " + c.Outcome));
    }
    const TransferRecord* record = DownloadRecord();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Result, TransferResult::Completed);
    EXPECT_EQ(record->Verify, c.Outcome);
    // Nothing of the read-back is left: no file, no record of its own, no sink.
    EXPECT_EQ(journal.Records.size(), 2u);   // the program list and the download
    EXPECT_EQ(terminal.ReadBack, nullptr);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(files.Path()), {}), 1);
    EXPECT_EQ(view.FileProgress.first, view.FileProgress.second);
}

INSTANTIATE_TEST_SUITE_P(Verify, VerifyAfterDownload, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(VerifyAfterDownload, OffUnlessTheChannelOrTheRunAsksForIt) {
    const VerifyCase c = Cases()[1];   // a read-back would find a difference
    Attach(c);
    ASSERT_TRUE(DownloadNamed(c, false));
    EXPECT_EQ(LastRun().FilesNotVerified, 0);
    ASSERT_NE(DownloadRecord(), nullptr);
    EXPECT_TRUE(DownloadRecord()->Verify.empty());

    // The channel's own setting turns it on.
    terminal.App.CurrentChannel.VerifyAfterDownload = 1;
    journal.Records.clear();
    WriteNc("P.NCD", c.File);
    Post(WindowMsg::StartDownload);
    ASSERT_TRUE(RunUntilIdle(600000));
    EXPECT_EQ(LastRun().FilesNotVerified, 1);
    ASSERT_NE(DownloadRecord(), nullptr);
    EXPECT_EQ(DownloadRecord()->Verify, c.Outcome);
}

TEST_F(VerifyAfterDownload, AProgramTheMachineDoesNotGiveBackIsNotVerified) {
    const VerifyCase c = Cases()[2];
    Attach(c);
    // The machine takes the program but then answers nothing.
    auto* machine = dynamic_cast<TdkVc5Machine*>(radio.FindSubModule(kSerial)->Machine());
    ASSERT_NE(machine, nullptr);
    WriteNc("P.NCD", c.File);
    Choose({"P.NCD"});
    view.DownloadAnswer.Files[0].McProgramName = c.Program;
    view.DownloadAnswer.Verify = true;
    ASSERT_TRUE(ConnectChannel(3));
    Post(WindowMsg::StartDownload);
    ASSERT_TRUE(loop.RunUntil([&] { return terminal.ReadBack != nullptr; }, 600000));
    machine->SetAnswering(false);
    ASSERT_TRUE(RunUntilIdle(600000));
    EXPECT_EQ(LastRun().FilesNotVerified, 1);
    EXPECT_TRUE(ShownStartingWith("Not verified: the machine did not send the program back"));
    ASSERT_NE(DownloadRecord(), nullptr);
    EXPECT_EQ(DownloadRecord()->Result, TransferResult::Completed);
    EXPECT_EQ(DownloadRecord()->Verify.rfind("not verified", 0), 0u);
}

TEST_F(VerifyAfterDownload, ACancelDuringTheReadBackEndsTheRunAsCancelled) {
    const VerifyCase c = Cases()[0];
    Attach(c);
    WriteNc("P.NCD", c.File);
    WriteNc("Q.NCD", c.File);
    Choose({"Q.NCD", "P.NCD"});
    for (TransferItem& item : view.DownloadAnswer.Files) item.McProgramName = c.Program;
    view.DownloadAnswer.Verify = true;
    ASSERT_TRUE(ConnectChannel(3));
    Post(WindowMsg::StartDownload);
    ASSERT_TRUE(loop.RunUntil([&] { return terminal.ReadBack != nullptr; }, 600000));
    Post(WindowMsg::Cancel);
    ASSERT_TRUE(RunUntilIdle(600000));
    EXPECT_EQ(LastRun().EndState, 9001);
    EXPECT_EQ(LastRun().FilesNotVerified, 1);
    EXPECT_EQ(terminal.ReadBack, nullptr);
    // P.NCD went out whole and says so; Q.NCD never started.
    ASSERT_NE(DownloadRecord(), nullptr);
    EXPECT_EQ(DownloadRecord()->PcFile, (files / "P.NCD").string());
    EXPECT_EQ(DownloadRecord()->Result, TransferResult::Completed);
    EXPECT_EQ(DownloadRecord()->Verify, "not verified: cancelled");
    EXPECT_EQ(journal.Records.size(), 2u);
}

}  // namespace
