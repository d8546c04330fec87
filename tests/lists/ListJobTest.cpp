#include <memory>
#include <string>
#include <vector>

#include "engine/Job.h"
#include "engine/JobEvents.h"
#include "lists/ListJobs.h"
#include "lists/TdkVc5ListJob.h"
#include "lists/UniversalListJob.h"
#include "link/LinkFixture.h"
#include "sim/SilentMachine.h"
#include "sim/TdkVc5Machine.h"
#include "sim/UniversalMachine.h"
#include "support/RecordingJournal.h"

namespace {

constexpr const char* kTdkSerial = "000000000006";
constexpr const char* kUniversalSerial = "000000000007";

// Stands in for a transfer dispatcher: starts a list job as its child and
// records how control comes back to it.
class ListingDispatcher : public Job {
public:
    ListingDispatcher(Terminal& terminal, uint32_t child) : Job(terminal, JobBit::DownloadDispatcher), child_(child) {}

    int Run(uint32_t event) override {
        if (event == EV_START) {
            T.Engine.EventMask = kDefaultEventMask;
            State = 30;
            T.StartJob(child_);
            return 0;
        }
        Events.push_back(event);
        FinishJob();
        return 0;
    }

    std::vector<uint32_t> Events;

private:
    uint32_t child_;
};

class ListJobTest : public LinkFixture {
protected:
    ListJobTest() {
        StoreChannel(6, kTdkSerial, "TDK/VC5");
        StoreChannel(7, kUniversalSerial, "UNIVERSAL");
        auto universal = std::make_unique<UniversalMachine>();
        universal_ = universal.get();
        radio.AttachMachine(kUniversalSerial, std::move(universal));
        auto tdk = std::make_unique<TdkVc5Machine>();
        tdk_ = tdk.get();
        radio.AttachMachine(kTdkSerial, std::move(tdk));
    }

    void StartList(uint32_t bit) { terminal.StartJob(bit); }
    void CancelUnderDispatcher(uint32_t bit, int channel, Job& listJob);

    ListJobs lists = AddListJobs(terminal);
    UniversalMachine* universal_ = nullptr;
    TdkVc5Machine* tdk_ = nullptr;
};

McProgramEntryList Entries(const std::vector<UniversalMachine::Program>& programs) {
    McProgramEntryList list;
    for (const auto& p : programs) list.push_back({p.name, p.steps});
    return list;
}

TEST_F(ListJobTest, UniversalListIsReadOnItsOwnThroughTheWindowMessage) {
    universal_->SetPrograms({{"PCB-MAIN-A1.NCD", 1250}, {"PCB POWER", 342}, {"TEST_JIG", 17}});
    ASSERT_TRUE(ConnectChannel(7));
    // The connect's finish left the mask empty; the list job must still hear the machine.
    EXPECT_EQ(terminal.Engine.EventMask, 0u);
    terminal.McProgramList = {{"STALE", 1}};

    Post(WindowMsg::StartUniversalList);
    ASSERT_TRUE(RunUntilIdle());

    EXPECT_EQ(terminal.McProgramList, Entries(universal_->Programs()));
    EXPECT_EQ(universal_->Commands(), std::vector<std::string>{"NAMES"});
    EXPECT_EQ(lists.Universal.UniversalPrompt(), UniversalMachine::kDefaultPrompt);
    EXPECT_EQ(StatusTexts().back(), "MC's program list reads.");
    EXPECT_TRUE(terminal.StatusFlags & Status::LinkIdle);
    EXPECT_EQ(terminal.UnlimitedText, nullptr);
}

TEST_F(ListJobTest, UniversalListingLargerThanTheReceiveTextLimitIsReadWhole) {
    std::vector<UniversalMachine::Program> programs;
    for (int i = 0; i < 900; ++i) {
        programs.push_back({"PATTERN-PROGRAM-WITH-A-LONG-NAME-" + std::to_string(i), i});
    }
    universal_->SetPrograms(programs);
    ASSERT_GT(universal_->NamesListing().size(), Terminal::kReceivedTextLimit);
    ASSERT_TRUE(ConnectChannel(7));

    StartList(JobBit::ListUniversal);
    ASSERT_TRUE(RunUntilIdle(600000));

    ASSERT_EQ(terminal.McProgramList.size(), programs.size());
    EXPECT_EQ(terminal.McProgramList.back(), (McProgramEntry{programs.back().name, 899}));
}

TEST_F(ListJobTest, EmptyUniversalDirectoryGivesAnEmptyListWithoutFailure) {
    universal_->SetPrograms({});
    ASSERT_TRUE(ConnectChannel(7));
    StartList(JobBit::ListUniversal);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_TRUE(terminal.McProgramList.empty());
    EXPECT_FALSE(Shown("Failed to make list of MC's program."));
}

TEST_F(ListJobTest, SilentUniversalMachineFailsAfterTheTimeOutAndLeavesNoList) {
    universal_->SetAnswering(false);
    ASSERT_TRUE(ConnectChannel(7));
    terminal.McProgramList = {{"STALE", 1}};
    uint64_t start = loop.NowMs();

    StartList(JobBit::ListUniversal);
    ASSERT_TRUE(RunUntilIdle());

    EXPECT_GE(loop.NowMs() - start, UniversalListJob::kReplyTimeoutMs);
    EXPECT_TRUE(terminal.McProgramList.empty());
    std::vector<std::string> texts = StatusTexts();
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(texts.end() - 3, texts.end()),
              (std::vector<std::string>{"MC's program list reads.", "No response from MC!",
                                        "Failed to make list of MC's program."}));
}

TEST_F(ListJobTest, EachListRunIsJournaledWithItsListingAndEnd) {
    RecordingJournal journal;
    terminal.Journal.SetJournal(&journal);
    universal_->SetPrograms({{"PCB-MAIN", 12}, {"PCB-POWER", 3}});
    ASSERT_TRUE(ConnectChannel(7));
    StartList(JobBit::ListUniversal);
    ASSERT_TRUE(RunUntilIdle());
    universal_->SetAnswering(false);
    StartList(JobBit::ListUniversal);
    ASSERT_TRUE(RunUntilIdle());

    ASSERT_EQ(journal.Records.size(), 2u);
    const TransferRecord& read = journal.Records[0];
    EXPECT_EQ(read.Direction, "list");
    EXPECT_EQ(read.Result, TransferResult::Completed);
    EXPECT_EQ(read.Channel, 7);
    EXPECT_EQ(read.McType, "UNIVERSAL");
    EXPECT_GT(read.Bytes, 0);
    EXPECT_EQ(read.Sha256.size(), 64u);
    EXPECT_EQ(journal.Records[1].Result, TransferResult::Failed);
    EXPECT_EQ(journal.Records[1].MessageNumber, static_cast<int>(Msg::NoResponseFromMc));
}

TEST_F(ListJobTest, ListJobsRefuseWithoutAConnectedSubModule) {
    for (uint32_t bit : {JobBit::ListUniversal, JobBit::ListTdkVc5}) {
        view.StatusLines.clear();
        StartList(bit);
        EXPECT_EQ(terminal.Engine.ActiveJobs, 0u);
        EXPECT_EQ(StatusTexts(), std::vector<std::string>{"TRX is not connect to MC."});
    }
    EXPECT_TRUE(port.Written().empty());
}

TEST_F(ListJobTest, TdkVc5ListIsReadFromThePrompt) {
    tdk_->SetPrograms({{"VC5-BOARD1", 820, "24/01/15"}, {"VC5-B2", 77, "24/02/03"}});
    ASSERT_TRUE(ConnectChannel(6));
    StartList(JobBit::ListTdkVc5);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(terminal.McProgramList, (McProgramEntryList{{"VC5-BOARD1", 820}, {"VC5-B2", 77}}));
    EXPECT_EQ(tdk_->Commands(), std::vector<std::string>{"LO"});
    EXPECT_TRUE(terminal.StatusFlags & Status::LinkIdle);
}

TEST_F(ListJobTest, TdkVc5ListingLargerThanTheReceiveTextLimitIsReadWhole) {
    std::vector<TdkVc5Machine::Program> programs;
    for (int i = 0; i < 700; ++i) programs.push_back({"P" + std::to_string(i), i, "24/01/01"});
    tdk_->SetPrograms(programs);
    ASSERT_GT(tdk_->ProgramListing().size(), Terminal::kReceivedTextLimit);
    ASSERT_TRUE(ConnectChannel(6));
    StartList(JobBit::ListTdkVc5);
    ASSERT_TRUE(RunUntilIdle(600000));
    ASSERT_EQ(terminal.McProgramList.size(), programs.size());
    EXPECT_EQ(terminal.McProgramList.back(), (McProgramEntry{"P699", 699}));
}

TEST_F(ListJobTest, TdkVc5MachineIsLedBackToItsPromptFromEveryState) {
    tdk_->SetPrograms({{"P1", 1, "24/01/01"}});
    ASSERT_TRUE(ConnectChannel(6));
    for (auto mode : {TdkVc5Machine::Mode::Running, TdkVc5Machine::Mode::Input, TdkVc5Machine::Mode::Deaf}) {
        tdk_->SetMode(mode);
        terminal.McProgramList.clear();
        StartList(JobBit::ListTdkVc5);
        ASSERT_TRUE(RunUntilIdle());
        EXPECT_EQ(tdk_->CurrentMode(), TdkVc5Machine::Mode::Prompt);
        EXPECT_EQ(terminal.McProgramList, (McProgramEntryList{{"P1", 1}})) << static_cast<int>(mode);
    }
}

TEST_F(ListJobTest, SilentTdkVc5MachineFailsWithNoResponseOnly) {
    tdk_->SetAnswering(false);
    ASSERT_TRUE(ConnectChannel(6));
    terminal.McProgramList = {{"STALE", 1}};
    StartList(JobBit::ListTdkVc5);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_TRUE(terminal.McProgramList.empty());
    EXPECT_EQ(StatusTexts().back(), "No response from MC!");
    EXPECT_FALSE(Shown("Failed to make list of MC's program."));
}

// Presses Cancel once the list job of `bit` waits for the listing, with a
// dispatcher below it.
void ListJobTest::CancelUnderDispatcher(uint32_t bit, int channel, Job& listJob) {
    ASSERT_TRUE(ConnectChannel(channel));
    auto& dispatcher = terminal.AddJob<ListingDispatcher>(bit);
    terminal.StartJob(JobBit::DownloadDispatcher);
    ASSERT_TRUE(loop.RunUntil([&] { return listJob.State >= 20; }, 20000));
    ASSERT_TRUE(terminal.Engine.IsActive(bit));
    Post(WindowMsg::Cancel);

    // The dispatcher hears the cancel first: a continue would open its dialog.
    EXPECT_EQ(dispatcher.Events, std::vector<uint32_t>{EV_CANCEL});
    EXPECT_EQ(terminal.Engine.ActiveJobs, 0u);
    EXPECT_EQ(terminal.UnlimitedText, nullptr);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_TRUE(terminal.McProgramList.empty());
}

TEST_F(ListJobTest, CancelOfTdkVc5ListEndsTheDispatcherBelow) {
    CancelUnderDispatcher(JobBit::ListTdkVc5, 6, lists.TdkVc5);
    // ETX sent the machine back to its prompt.
    EXPECT_EQ(tdk_->CurrentMode(), TdkVc5Machine::Mode::Prompt);
}

TEST_F(ListJobTest, CancelOfUniversalListEndsTheDispatcherBelow) {
    CancelUnderDispatcher(JobBit::ListUniversal, 7, lists.Universal);
}

TEST_F(ListJobTest, CancelOfAListOnItsOwnReturnsTheLinkToIdle) {
    ASSERT_TRUE(ConnectChannel(7));
    Post(WindowMsg::StartUniversalList);
    ASSERT_TRUE(loop.RunUntil([&] { return lists.Universal.State >= 20; }, 20000));
    ASSERT_TRUE(terminal.Engine.IsActive(JobBit::ListUniversal));
    Post(WindowMsg::Cancel);
    EXPECT_EQ(terminal.Engine.ActiveJobs, 0u);
    EXPECT_TRUE(terminal.StatusFlags & Status::LinkIdle);
    EXPECT_FALSE(loop.IsTimerArmed(kTimerJob));
}

}  // namespace
