#include <functional>
#include <vector>

#include "engine/Job.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/WindowMessages.h"
#include "support/EngineFixture.h"

namespace {

// A job whose answers are scripted by the test; it logs every call.
class ScriptedJob : public Job {
public:
    ScriptedJob(Terminal& t, uint32_t bit, std::vector<std::string>* log, std::string name)
        : Job(t, bit), log_(log), name_(std::move(name)) {}
    int Run(uint32_t event) override {
        log_->push_back(name_ + ":" + std::to_string(event));
        return OnEvent ? OnEvent(event) : 0;
    }
    std::function<int(uint32_t)> OnEvent;

private:
    std::vector<std::string>* log_;
    std::string name_;
};

class JobEngineTest : public EngineFixture {
protected:
    ScriptedJob& Add(uint32_t bit, const std::string& name) {
        return terminal.AddJob<ScriptedJob>(bit, &log, name);
    }
    std::vector<std::string> log;
};

TEST_F(JobEngineTest, EventsReachOnlyTheHighestPriorityActiveJob) {
    Add(JobBit::DownloadDispatcher, "dispatcher");
    Add(JobBit::Connect, "connect");
    Add(JobBit::DownloadUniversal, "universal");
    terminal.Engine.ActiveJobs = JobBit::DownloadDispatcher | JobBit::DownloadUniversal | JobBit::Connect;
    terminal.PostJobEvent(EV_DATA);
    terminal.Engine.ActiveJobs &= ~JobBit::Connect;
    terminal.PostJobEvent(EV_DATA);
    EXPECT_EQ(log, (std::vector<std::string>{"connect:8", "universal:8"}));
}

TEST_F(JobEngineTest, MaskFiltersPostsButNotStarts) {
    auto& job = Add(JobBit::Scan, "scan");
    terminal.Engine.EventMask = EV_CANCEL;
    terminal.StartJob(JobBit::Scan);
    terminal.PostJobEvent(EV_DATA | EV_TIMEOUT);
    terminal.PostJobEvent(EV_DATA | EV_CANCEL);
    EXPECT_EQ(log, (std::vector<std::string>{"scan:1", "scan:256"}));
    (void)job;
}

TEST_F(JobEngineTest, NonZeroResultCallsAgainUntilTheJobWaits) {
    auto& job = Add(JobBit::Scan, "scan");
    int calls = 0;
    job.OnEvent = [&](uint32_t) { return ++calls < 3 ? 1 : 0; };
    terminal.StartJob(JobBit::Scan);
    EXPECT_EQ(log, (std::vector<std::string>{"scan:1", "scan:0", "scan:0"}));
    EXPECT_EQ(terminal.Engine.DispatchDepth, 0);
}

TEST_F(JobEngineTest, EventsPostedDuringADispatchArriveAfterwardsInOrder) {
    auto& job = Add(JobBit::Scan, "scan");
    bool first = true;
    job.OnEvent = [&](uint32_t event) {
        if (event == EV_DATA && first) {
            first = false;
            terminal.PostJobEvent(EV_TIMEOUT);
            terminal.PostJobEvent(EV_CANCEL);
            EXPECT_EQ(log.size(), 1u);   // nothing nests
        }
        return 0;
    };
    terminal.Engine.ActiveJobs = JobBit::Scan;
    terminal.PostJobEvent(EV_DATA);
    EXPECT_EQ(log, (std::vector<std::string>{"scan:8", "scan:16", "scan:256"}));
}

TEST_F(JobEngineTest, TheRingHoldsAtMost255WaitingEventsAndWraps) {
    auto& job = Add(JobBit::Scan, "scan");
    int round = 0;
    job.OnEvent = [&](uint32_t event) {
        if (event == EV_DATA) {
            for (int i = 0; i < 300; ++i) terminal.PostJobEvent(EV_TIMEOUT);
        }
        return 0;
    };
    terminal.Engine.ActiveJobs = JobBit::Scan;
    for (round = 0; round < 3; ++round) {
        log.clear();
        terminal.PostJobEvent(EV_DATA);
        EXPECT_EQ(log.size(), 1u + 255u) << "round " << round;
        EXPECT_EQ(terminal.Engine.DispatchDepth, 0);
    }
}

TEST_F(JobEngineTest, AFinishedChildHandsControlBackToItsParentInTheSameDispatch) {
    auto& parent = Add(JobBit::DownloadDispatcher, "parent");
    auto& child = Add(JobBit::Connect, "child");
    parent.OnEvent = [&](uint32_t event) {
        if (event == EV_START) terminal.StartJob(JobBit::Connect);
        return 0;
    };
    child.OnEvent = [&](uint32_t event) {
        if (event == EV_DATA) {
            terminal.Engine.ActiveJobs &= ~JobBit::Connect;
            return 1;
        }
        return 0;
    };
    terminal.StartJob(JobBit::DownloadDispatcher);
    terminal.PostJobEvent(EV_DATA);
    EXPECT_EQ(log, (std::vector<std::string>{"parent:1", "child:1", "child:8", "parent:0"}));
}

TEST_F(JobEngineTest, WithoutActiveJobsAPostedEventIsConsumed) {
    Add(JobBit::Scan, "scan");
    terminal.PostJobEvent(EV_DATA);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(terminal.Engine.DispatchDepth, 0);
}

TEST_F(JobEngineTest, TimerFiveHundredPostsOneTimeout) {
    auto& job = Add(JobBit::Scan, "scan");
    terminal.StartJob(JobBit::Scan);
    terminal.ArmJobTimer(1000);
    loop.RunFor(5000);
    EXPECT_EQ(log, (std::vector<std::string>{"scan:1", "scan:16"}));
    EXPECT_FALSE(loop.IsTimerArmed(500));
    (void)job;
}

}  // namespace

namespace {
TEST_F(JobEngineTest, AFunctionWithoutAJobIsRefusedAndCancelStillWorks) {
    // Upload and system download are offered by the window but may have no job
    // behind them: their start must not leave a bit that swallows every event.
    Add(JobBit::Scan, "scan");
    EXPECT_FALSE(terminal.Engine.StartJob(JobBit::UploadDispatcher));
    terminal.HandleMessage(WindowMsg::StartSystemDownload, 0, 0);
    EXPECT_EQ(terminal.Engine.ActiveJobs, 0u);
    EXPECT_TRUE(view.HasStatus(terminal.Text(Msg::HasBeenCanceled)));

    terminal.StartJob(JobBit::Scan);
    terminal.PostJobEvent(EV_CANCEL);
    EXPECT_EQ(log, (std::vector<std::string>{"scan:1", "scan:256"}));
    EXPECT_EQ(terminal.Engine.RegisteredJobs(), JobBit::Scan);
}
}  // namespace

namespace {

// The news that no job is active any more: once, after the outermost dispatch,
// whether the last job ends on its start, on an event, or in a nested start.
TEST_F(JobEngineTest, AllJobsEndedIsToldOnceWhenTheLastJobEnds) {
    auto& scan = Add(JobBit::Scan, "scan");
    auto& connect = Add(JobBit::Connect, "connect");
    std::vector<uint32_t> activeWhenTold;
    terminal.Engine.OnAllJobsEnded = [&] { activeWhenTold.push_back(terminal.Engine.ActiveJobs); };
    auto endOn = [&](Job& job, uint32_t event) {
        return [&job, event, this](uint32_t e) {
            if (e == event) terminal.Engine.ActiveJobs &= ~job.Bit;
            return 0;
        };
    };

    scan.OnEvent = endOn(scan, EV_START);
    terminal.StartJob(JobBit::Scan);
    EXPECT_EQ(activeWhenTold, (std::vector<uint32_t>{0}));
    // Ending on the call that follows the start.
    scan.OnEvent = [&](uint32_t e) {
        if (e == EV_START) return 1;
        terminal.Engine.ActiveJobs &= ~JobBit::Scan;
        return 0;
    };
    terminal.StartJob(JobBit::Scan);
    EXPECT_EQ(activeWhenTold, (std::vector<uint32_t>{0, 0}));
    activeWhenTold.clear();

    // Two jobs: the first to end says nothing, the last one does.
    scan.OnEvent = endOn(scan, EV_DATA);
    connect.OnEvent = [&](uint32_t e) {
        if (e == EV_START) return 0;
        terminal.Engine.ActiveJobs &= ~JobBit::Connect;
        return 1;   // the next call goes to the scan
    };
    terminal.StartJob(JobBit::Scan);
    terminal.StartJob(JobBit::Connect);
    terminal.Engine.EventMask |= EV_DATA;
    terminal.PostJobEvent(EV_DATA);
    EXPECT_TRUE(activeWhenTold.empty());
    terminal.PostJobEvent(EV_DATA);
    EXPECT_EQ(activeWhenTold, (std::vector<uint32_t>{0}));
}

}  // namespace
