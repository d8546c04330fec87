// A radio link that breaks under a running transfer (the sub module went out
// of range): the host module says DISCONNECT. Every machine type must end the
// transfer at once with that reason, never as a success and never by waiting
// for a machine that can no longer answer; the next transfer must work.

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <iterator>
#include <ostream>
#include <memory>
#include <string>
#include <vector>

#include "sim/CitizenM10Machine.h"
#include "sim/DynaPertMachine.h"
#include "sim/PanasertRs232Machine.h"
#include "sim/PanasertTtyMachine.h"
#include "sim/SimulatedSubModule.h"
#include "sim/TdkVc5Machine.h"
#include "sim/TdkVc5aMachine.h"
#include "sim/UniversalMachine.h"
#include "support/RecordingJournal.h"
#include "upload/UploadFixture.h"

namespace {

constexpr const char* kSerial = "000000000001";

struct TypeCase {
    const char* Type;
    std::function<std::unique_ptr<SimulatedMachine>()> Make;
    const char* ProgramName;   // for the machines that store under a name
    // The link drops once this is shown; without it, once the machine has
    // taken some of the program (a UNIVERSAL takes it all in one go).
    const char* DropWhenShown = nullptr;
};
void PrintTo(const TypeCase& c, std::ostream* out) { *out << c.Type; }

std::vector<TypeCase> Types() {
    return {
        {"DYNA/PERT", [] { return std::make_unique<DynaPertMachine>(); }, ""},
        {"PANASERT/RS232", [] { return std::make_unique<PanasertRs232Machine>(); }, ""},
        {"PANASERT/TTY", [] { return std::make_unique<PanasertTtyMachine>(); }, ""},
        {"CITIZEN/M10", [] { return std::make_unique<CitizenM10Machine>(); }, ""},
        {"TDK/VC5A", [] { return std::make_unique<TdkVc5aMachine>(); }, ""},
        {"TDK/VC5",
         [] {
             return std::make_unique<TdkVc5Machine>(
                 std::vector<TdkVc5Program>{{"BOARD", 1, "24/01/15", {"N0001 X10", "EX"}}});
         },
         "BOARD"},
        {"UNIVERSAL",
         [] { return std::make_unique<UniversalMachine>(std::vector<UniversalProgram>{{"MAIN", 1, {"X10 Y10"}}}); },
         "MAIN", "MC's program list reads."},
    };
}

class LinkLoss : public UploadFixture, public ::testing::WithParamInterface<TypeCase> {
protected:
    LinkLoss() {
        terminal.Journal.SetJournal(&journal);
        // The first line is a header as TDK/VC5A machines need it.
        std::string text = "N1 X100 Y200 P1 M0\r\n";
        for (int i = 0; i < 3000; ++i) text += "N" + std::to_string(1000 + i) + " X100 Y200\r\n";
        WriteNc("BIG.NCD", text + "M02\r\n");
        StoreChannel(1, kSerial, GetParam().Type);
        radio.AttachMachine(kSerial, GetParam().Make());
    }
    void ChooseBig() {
        Choose({"BIG.NCD"});
        for (TransferItem& item : view.DownloadAnswer.Files) item.McProgramName = GetParam().ProgramName;
    }
    SimulatedSubModule& Sub() { return *radio.FindSubModule(kSerial); }

    RecordingJournal journal;
};

TEST_P(LinkLoss, ADownloadEndsAtOnceAndTheNextOneWorks) {
    ChooseBig();
    ASSERT_TRUE(ConnectChannel(1));
    const std::size_t before = RadioBytes(kSerial).size();
    Post(WindowMsg::StartDownload);
    // Well into the file (or the wait for the machine's start signal).
    const char* dropWhen = GetParam().DropWhenShown;
    ASSERT_TRUE(loop.RunUntil(
        [&] { return (dropWhen ? Shown(dropWhen) : RadioBytes(kSerial).size() > before + 600) || Idle(); },
        600000));
    ASSERT_FALSE(Idle()) << ::testing::PrintToString(StatusTexts());

    Sub().SetInRange(false);
    const uint64_t lost = loop.NowMs();
    ASSERT_TRUE(RunUntilIdle(600000));
    // The host module's report, not a machine's time-out.
    EXPECT_LT(loop.NowMs() - lost, 2000u);
    EXPECT_TRUE(Shown("Equipment is disconnected."));
    EXPECT_FALSE(Shown("Downloading complete."));
    EXPECT_EQ(LastRun().EndState, JobState::Cancelled);
    EXPECT_EQ(LastRun().FilesCompleted, 0);
    EXPECT_FALSE(terminal.StatusFlags & Status::SubConnected);
    ASSERT_FALSE(journal.Records.empty());
    EXPECT_NE(journal.Records.back().Result, TransferResult::Completed);

    // Back in range: the next download dials again and goes through. The
    // machine left waiting is stopped first with ETX, except a PANASERT/RS232,
    // for which ETX can end a program and keep half of it.
    Sub().SetInRange(true);
    view.StatusLines.clear();
    ChooseBig();
    const std::size_t beforeRedial = RadioBytes(kSerial).size();
    ASSERT_TRUE(ConnectChannel(1));
    loop.RunFor(1000);
    const std::vector<uint8_t> redial = RadioBytes(kSerial);
    const bool stopped = std::find(redial.begin() + beforeRedial, redial.end(), 0x03) != redial.end();
    EXPECT_EQ(stopped, std::string(GetParam().Type) != "PANASERT/RS232");
    Post(WindowMsg::StartDownload);
    ASSERT_TRUE(RunUntilIdle(3600000));
    EXPECT_TRUE(Shown("Downloading complete.")) << ::testing::PrintToString(StatusTexts());
    EXPECT_EQ(LastRun().FilesCompleted, 1);
}

// Mid-upload: nothing is written, the older file stays whole.
class UploadLinkLoss : public UploadFixture {};

TEST_F(UploadLinkLoss, AnUploadEndsAtOnceAndTheOlderFileStays) {
    StoreChannel(1, kSerial, "DYNA/PERT");
    auto machine = std::make_unique<DynaPertMachine>();
    std::vector<std::string> program;
    for (int i = 0; i < 3000; ++i) program.push_back("N" + std::to_string(1000 + i) + " X100 Y200");
    machine->AddProgram(program);
    radio.AttachMachine(kSerial, std::move(machine));
    WriteNc("OLD.NCD", "N1 KEEP ME\r\n");
    ChooseUpload({"OLD.NCD"});
    ASSERT_TRUE(ConnectChannel(1));
    Post(WindowMsg::StartUpload);
    ASSERT_TRUE(loop.RunUntil([&] { return Shown("Uploading... (OLD.NCD)") || Idle(); }, 600000));
    loop.RunFor(2000);
    ASSERT_FALSE(Idle());

    radio.FindSubModule(kSerial)->SetInRange(false);
    const uint64_t lost = loop.NowMs();
    ASSERT_TRUE(RunUntilIdle(600000));
    EXPECT_LT(loop.NowMs() - lost, 2000u);
    EXPECT_TRUE(Shown("Equipment is disconnected."));
    EXPECT_TRUE(Shown("Uploading canceled."));
    EXPECT_EQ(Read("OLD.NCD"), "N1 KEEP ME\r\n");
    EXPECT_EQ(LastUpload().FilesCompleted, 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(files.Path()), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryType, LinkLoss, ::testing::ValuesIn(Types()),
                         [](const ::testing::TestParamInfo<TypeCase>& info) {
                             std::string name;
                             for (const char* c = info.param.Type; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             return name;
                         });

}  // namespace
