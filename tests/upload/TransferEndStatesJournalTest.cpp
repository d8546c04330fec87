// Uploads and system downloads leave one journal record each, however they
// end: completed, failed or cancelled, with the message that ended them and
// the SHA-256 of what was written or sent.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/Sha256.h"
#include "engine/JobBits.h"
#include "lang/Msg.h"
#include "sim/TdkVc5Machine.h"
#include "sim/UniversalMachine.h"
#include "support/RecordingJournal.h"
#include "sysdownload/SystemDownloadDispatcher.h"
#include "sysdownload/SystemDownloadJobs.h"
#include "upload/UploadFixture.h"

namespace {

constexpr const char* kUniversal = "000000000007";
constexpr const char* kTdk = "000000000006";
const std::string kSystemProgram(700, 'S');

class JournalEndStates;

struct EndCase {
    const char* Name;
    const char* Direction;
    TransferResult Result;
    int Row;                  // -1: the machine's own text, no row
    const char* File;         // the PC file named in the record
    std::function<bool(JournalEndStates&)> Run;
};

class JournalEndStates : public UploadFixture, public ::testing::WithParamInterface<EndCase> {
public:
    JournalEndStates() {
        terminal.Journal.SetJournal(&journal);
        StoreChannel(7, kUniversal, "UNIVERSAL");
        StoreChannel(6, kTdk, "TDK/VC5");
        auto universal = std::make_unique<UniversalMachine>(
            std::vector<UniversalProgram>{{"MAIN", 2, {"X10 Y10", "X20 Y20."}}});
        universalMachine = universal.get();
        radio.AttachMachine(kUniversal, std::move(universal));
        auto tdk = std::make_unique<TdkVc5Machine>();
        tdkMachine = tdk.get();
        radio.AttachMachine(kTdk, std::move(tdk));
    }

    void ChooseUploadOf(const std::string& item) { ChooseUpload({item}); }
    void PressStartSwitch() { view.Answers.push_back(MessageBoxAnswer::Ok); }
    bool UploadFrom(const std::string& item) {
        channel_ = 7;
        return Upload({item});
    }
    // Cancels once `job` runs and the machine has had a moment.
    bool CancelDuring(uint32_t job, uint32_t message, int channel) {
        if (!ConnectChannel(channel)) return false;
        Post(message);
        if (!loop.RunUntil([&] { return terminal.Engine.IsActive(job); }, 120000)) return false;
        loop.RunFor(300);
        Post(WindowMsg::Cancel);
        return RunUntilIdle();
    }
    void ChooseSystemProgram() {
        WriteNc("SYS.BIN", kSystemProgram);
        Choose({"SYS.BIN"});
        view.DownloadAnswer.SysDelayBits = "35";
    }
    bool SystemDownload(int channel) {
        ChooseSystemProgram();
        if (!ConnectChannel(channel)) return false;
        Post(WindowMsg::StartSystemDownload);
        return RunUntilIdle(600000);
    }

    RecordingJournal journal;
    UniversalMachine* universalMachine = nullptr;
    TdkVc5Machine* tdkMachine = nullptr;
    SystemDownloadDispatcher& systemDownloads = AddSystemDownloadJobs(terminal);
};

int R(Msg row) { return static_cast<int>(row); }

std::vector<EndCase> Cases() {
    return {
        {"UploadCompleted", "upload", TransferResult::Completed, R(Msg::UploadingCompleted), "UN.NCD",
         [](JournalEndStates& t) { return t.UploadFrom("MAIN=UN.NCD"); }},
        {"UploadFailed", "upload", TransferResult::Failed, -1, "NO.NCD",
         [](JournalEndStates& t) { return t.UploadFrom("ABSENT=NO.NCD"); }},
        {"UploadCancelled", "upload", TransferResult::Cancelled, R(Msg::UploadingCanceled), "HOLD.NCD",
         [](JournalEndStates& t) {
             t.universalMachine->SetPrompt("HOLD");
             t.ChooseUploadOf("MAIN=HOLD.NCD");
             return t.CancelDuring(JobBit::UploadUniversal, WindowMsg::StartUpload, 7);
         }},
        {"SystemCompleted", "sysdownload", TransferResult::Completed, R(Msg::SystemProgramDownloadCompleted),
         "SYS.BIN",
         [](JournalEndStates& t) {
             t.tdkMachine->ReadyForSystemProgram();
             t.PressStartSwitch();
             return t.SystemDownload(6);
         }},
        {"SystemFailed", "sysdownload", TransferResult::Failed, R(Msg::NoResponseFromMc), "SYS.BIN",
         [](JournalEndStates& t) { return t.SystemDownload(7); }},   // never halted at its console
        {"SystemCancelled", "sysdownload", TransferResult::Cancelled, R(Msg::SystemProgramDownloadCanceled),
         "SYS.BIN",
         [](JournalEndStates& t) {
             t.universalMachine->ReadyForSystemProgram();
             t.ChooseSystemProgram();
             return t.CancelDuring(JobBit::SystemFirstProtocol, WindowMsg::StartSystemDownload, 7);
         }},
    };
}

std::string Sha(const std::string& bytes) {
    return Sha256::Of(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

TEST_P(JournalEndStates, OneRecordWithTheResultAndItsMessage) {
    const EndCase& c = GetParam();
    ASSERT_TRUE(c.Run(*this));
    // Besides the program list an upload reads first.
    std::vector<TransferRecord> records;
    for (const TransferRecord& record : journal.Records)
        if (record.Direction != "list") records.push_back(record);
    ASSERT_EQ(records.size(), 1u);
    const TransferRecord& r = records[0];
    EXPECT_EQ(r.Direction, c.Direction);
    EXPECT_EQ(r.Result, c.Result);
    EXPECT_EQ(r.MessageNumber, c.Row);
    EXPECT_FALSE(r.MessageText.empty());
    EXPECT_EQ(r.PcFile, (files / c.File).string());
    EXPECT_EQ(r.McType, r.Channel == 7 ? "UNIVERSAL" : "TDK/VC5");
    EXPECT_LE(r.StartUtc, r.EndUtc);

    if (r.Direction == "upload" && r.Result == TransferResult::Completed) {
        // The SHA-256 and size of the file as it was written.
        const std::string written = Read(c.File);
        EXPECT_EQ(r.Sha256, Sha(written));
        EXPECT_EQ(r.Bytes, static_cast<int64_t>(written.size()));
        EXPECT_EQ(r.Lines, 2);
    }
    if (r.Direction == "sysdownload") {
        // The program's SHA-256, and how much of it went out.
        EXPECT_EQ(r.Sha256, Sha(kSystemProgram));
        if (r.Result == TransferResult::Completed) {
            EXPECT_EQ(r.Bytes, static_cast<int64_t>(kSystemProgram.size()));
        } else {
            EXPECT_LT(r.Bytes, static_cast<int64_t>(kSystemProgram.size()));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Journal, JournalEndStates, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
