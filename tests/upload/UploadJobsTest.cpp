#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/ControlBytes.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "sim/CitizenM10Machine.h"
#include "sim/DynaPertMachine.h"
#include "sim/PanasertRs232Machine.h"
#include "sim/PanasertTtyMachine.h"
#include "sim/TdkVc5Machine.h"
#include "sim/TdkVc5aMachine.h"
#include "sim/UniversalMachine.h"
#include "upload/UploadFixture.h"

namespace {

constexpr const char* kSerial = "000000000001";

// One machine type: the simulated machine behind channel 1, what the upload
// dialog answers, and the file the machine's program must give.
struct TypeCase {
    const char* Type;
    std::function<std::unique_ptr<SimulatedMachine>()> Make;
    const char* Item;       // "FILE" or "PROGRAM=FILE"
    const char* File;
    std::string Expected;
};

std::vector<TypeCase> TypeCases() {
    return {
        {"DYNA/PERT", [] { return std::make_unique<DynaPertMachine>(); }, "DP.NCD", "DP.NCD",
         "N001 X1000 Y2000 T01\r\nN002 X1100 Y2000 T01\r\nN003 X1200 Y2150 T02\r\nM02\r\n"},
        {"PANASERT/RS232", [] { return std::make_unique<PanasertRs232Machine>(); }, "PR.NCD", "PR.NCD",
         "N001X01000Y02000\r\nN002X01100Y02000\r\nN003X01200Y02150\r\n*\r\n"},
        {"PANASERT/TTY", [] { return std::make_unique<PanasertTtyMachine>(); }, "PT.NCD", "PT.NCD",
         "N001 X1000 Y2000\r\nN002 X1100 Y2000\r\nN003 X1200 Y2150\r\n*\r\n"},
        {"CITIZEN/M10", [] { return std::make_unique<CitizenM10Machine>(); }, "CM.NCD", "CM.NCD",
         "%\r\nN001 G01 X1000 Y2000\r\nN002 X1100 Y2000\r\nN003 X1200 Y2150\r\nM30\r\n%\r\n"},
        {"TDK/VC5A", [] { return std::make_unique<TdkVc5aMachine>(); }, "VA.NCD", "VA.NCD",
         "VC5A-SAMPLE\r\nN1 X100 Y200 P1 M0\r\nN2 X150 Y200\r\nN3 X200 Y250\r\nEX\r\n"},
        {"TDK/VC5",
         [] {
             return std::make_unique<TdkVc5Machine>(std::vector<TdkVc5Program>{
                 {"BOARD", 2, "24/01/15", {"N0001 X10", "N0002 X20", "EX"}}, {"OTHER", 1, "24/01/15", {}}});
         },
         "BOARD=VC.NCD", "VC.NCD", "N0001 X10\r\nN0002 X20\r\nEX\r\n"},
        {"UNIVERSAL",
         [] {
             return std::make_unique<UniversalMachine>(
                 std::vector<UniversalProgram>{{"MAIN", 2, {"X10 Y10", "X20 Y20."}}, {"SPARE", 1, {}}});
         },
         "MAIN=UN.NCD", "UN.NCD", "0001>  X10 Y10\r\n0002>  X20 Y20.\r\n"},
    };
}

class UploadTest : public UploadFixture {
protected:
    template <typename M>
    M& Attach(const std::string& type) {
        return AttachMachine<M>(1, kSerial, type);
    }
    SimulatedMachine& Attach(const TypeCase& c) {
        StoreChannel(1, kSerial, c.Type);
        auto machine = c.Make();
        SimulatedMachine& ref = *machine;
        radio.AttachMachine(kSerial, std::move(machine));
        channel_ = 1;
        return ref;
    }
};

class EveryType : public UploadTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(EveryType, TheMachinesProgramIsStoredWithCrLfLineEnds) {
    const TypeCase& c = GetParam();
    Attach(c);
    ASSERT_TRUE(Upload({c.Item}));
    EXPECT_EQ(Read(c.File), c.Expected);
    EXPECT_TRUE(Shown("Uploading completed."));
    EXPECT_EQ(LastUpload().FilesCompleted, 1);
    EXPECT_EQ(LastUpload().EndState, 9000);
    // No sibling of the file is left behind, the link is idle again.
    EXPECT_FALSE(Exists(std::string(c.File) + ".saving"));
    EXPECT_TRUE(terminal.StatusFlags & Status::LinkIdle);
    EXPECT_FALSE(terminal.StatusFlags & (Status::UploadTime | Status::DownloadTime));
    EXPECT_EQ(terminal.Engine.EventMask, 0u);
    EXPECT_EQ(terminal.LineSink, nullptr);
    EXPECT_EQ(terminal.UnlimitedText, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Upload, EveryType, ::testing::ValuesIn(TypeCases()),
                         [](const auto& info) {
                             std::string name = info.param.Type;
                             for (char& c : name)
                                 if (c == '/') c = '_';
                             return name;
                         });

// ---- round trips: what was downloaded comes back ------------------------------------

TEST_F(UploadTest, DownloadedProgramsComeBackLineForLine) {
    const std::string sent = "N001 X100 Y200\nN002 X110 Y210\r\nN003 X120\xB0Y220\r\n";
    struct Case {
        const char* Type;
        std::function<void()> Attach;
    };
    std::vector<Case> cases = {
        {"DYNA/PERT", [this] { Attach<DynaPertMachine>("DYNA/PERT"); }},
        {"PANASERT/RS232", [this] { Attach<PanasertRs232Machine>("PANASERT/RS232"); }},
        {"PANASERT/TTY", [this] { Attach<PanasertTtyMachine>("PANASERT/TTY"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Type);
        if (terminal.StatusFlags & Status::SubConnected) {
            Post(WindowMsg::StartDisconnect);
            ASSERT_TRUE(RunUntilIdle());
        }
        c.Attach();
        WriteNc("SENT.NCD", sent);
        ASSERT_TRUE(Download({"SENT.NCD"}));
        ASSERT_TRUE(Upload({"BACK.NCD"}));
        EXPECT_EQ(NLines(Read("BACK.NCD")), (std::vector<std::string>{"N001 X100 Y200", "N002 X110 Y210", "N003 X120"}));
        // The file is read back by the download as it was sent.
        ASSERT_TRUE(Download({"BACK.NCD"}));
        ASSERT_TRUE(Upload({"AGAIN.NCD"}));
        EXPECT_EQ(Read("AGAIN.NCD"), Read("BACK.NCD"));
    }
}

// ---- what each protocol gets wrong on purpose ---------------------------------------------

TEST_F(UploadTest, DynaPertKeepsALongProgramWhole) {
    DynaPertMachine& machine = Attach<DynaPertMachine>("DYNA/PERT");
    DynaPertMachine::Program program;
    std::string expected;
    for (int i = 1; i <= 2000; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "N%04d X%05d Y%05d", i, i * 3, i * 7);
        program.push_back(line);
        expected += std::string(line) + "\r\n";
    }
    ASSERT_GT(expected.size(), Terminal::kReceivedTextLimit);
    machine.AddProgram(program);
    view.KeyAnswer = 'T';
    ASSERT_TRUE(Upload({"LONG.NCD"}, 3600000));
    EXPECT_EQ(Read("LONG.NCD"), expected);
    EXPECT_EQ(view.KeyPrompts, 1);
    // The chosen key went to the machine after "E".
    std::string received(machine.Received().begin(), machine.Received().end());
    EXPECT_NE(received.find("ET"), std::string::npos);
}

TEST_F(UploadTest, DynaPertWithoutProgramsFailsWithMessage200) {
    DynaPertMachine& machine = Attach<DynaPertMachine>("DYNA/PERT");
    machine.ClearPrograms();
    ASSERT_TRUE(Upload({"NONE.NCD"}));
    EXPECT_TRUE(Shown("No program in Machine."));
    EXPECT_EQ(view.KeyPrompts, 0);
    EXPECT_FALSE(Exists("NONE.NCD"));
}

TEST_F(UploadTest, MachinesThatRefuseTheNamedProgramEndTheItemWithTheirMessage) {
    struct Case {
        const char* Type;
        std::function<void()> Attach;
        const char* Item;
        const char* Message;
    };
    std::vector<Case> cases = {
        {"PANASERT/RS232",
         [this] {
             Attach<PanasertRs232Machine>("PANASERT/RS232");
             ASSERT_TRUE(ConnectChannel(1));
             app.CurrentChannel.PnrPName = 1;
             view.ProgramNameAnswer = "NO-SUCH";
         },
         "X.NCD", "Selected program is no exist in equipment ."},
        {"TDK/VC5", [this] { Attach<TdkVc5Machine>("TDK/VC5"); }, "NO-SUCH=X.NCD", "Uploading failed."},
        {"UNIVERSAL", [this] { Attach<UniversalMachine>("UNIVERSAL"); }, "NO-SUCH=X.NCD", "Uploading Failed."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Type);
        if (terminal.StatusFlags & Status::SubConnected) {
            Post(WindowMsg::StartDisconnect);
            ASSERT_TRUE(RunUntilIdle());
        }
        c.Attach();
        view.StatusLines.clear();
        ASSERT_TRUE(Upload({c.Item}));
        EXPECT_TRUE(Shown(c.Message));
        EXPECT_FALSE(Shown("Uploading completed."));
        EXPECT_FALSE(Exists("X.NCD"));
        EXPECT_EQ(LastUpload().FilesNotCompleted, 1);
    }
}

TEST_F(UploadTest, PanasertRs232AsksForTheNamedProgramAndRepeatsDamagedFrames) {
    PanasertRs232Machine& machine = Attach<PanasertRs232Machine>("PANASERT/RS232");
    machine.AddProgram({"BOARD7", {"N1X1", "N2X2", "*"}});
    machine.AddProgram({"OTHER", {"N9X9", "*"}});
    machine.SetBadChecksumAnswers(2);
    view.ProgramNameAnswer = "BOARD7";
    ASSERT_TRUE(ConnectChannel(1));
    app.CurrentChannel.PnrPName = 1;
    ASSERT_TRUE(Upload({"B7.NCD"}));
    EXPECT_EQ(Read("B7.NCD"), "N1X1\r\nN2X2\r\n*\r\n");
    EXPECT_TRUE(Shown("Uploading... (B7.NCD <- BOARD7)"));
    EXPECT_EQ(view.ProgramNameTitles, (std::vector<std::string>{"Equipment registered in the program name"}));
    // Each damaged frame was asked for again, with the error code of a bad checksum.
    EXPECT_EQ(std::count(machine.Frames().begin(), machine.Frames().end(), std::string("A1E03")), 2);
}

TEST_F(UploadTest, NothingReceivedWritesNoFileAndKeepsAnOlderOne) {
    DynaPertMachine& machine = Attach<DynaPertMachine>("DYNA/PERT");
    machine.AddProgram({});
    WriteNc("OLD.NCD", "N1 KEEP ME\r\n");
    ASSERT_TRUE(Upload({"OLD.NCD"}));
    EXPECT_TRUE(Shown("Receive data is empty."));
    EXPECT_EQ(Read("OLD.NCD"), "N1 KEEP ME\r\n");
    EXPECT_EQ(LastUpload().FilesNotCompleted, 1);

    // A CITIZEN/M10 punch with nothing between its start and end codes.
    Post(WindowMsg::StartDisconnect);
    ASSERT_TRUE(RunUntilIdle());
    CitizenM10Machine& citizen = Attach<CitizenM10Machine>("CITIZEN/M10");
    citizen.SetPunchBytes("\x12\r\n\x14");
    view.StatusLines.clear();
    ASSERT_TRUE(Upload({"EMPTY.NCD"}));
    EXPECT_TRUE(Shown("Receive data is empty."));
    EXPECT_FALSE(Exists("EMPTY.NCD"));
}

TEST_F(UploadTest, AFileThatCannotBeWrittenShows111AndLeavesTheOldFile) {
    Attach<PanasertTtyMachine>("PANASERT/TTY");
    WriteNc("OLD.NCD", "N1 KEEP ME\r\n");
    // The sibling the text goes to first cannot be made.
    std::filesystem::create_directory(files / "OLD.NCD.saving");
    ASSERT_TRUE(Upload({"OLD.NCD"}));
    EXPECT_TRUE(Shown("Writting Failed."));
    EXPECT_FALSE(Shown("Uploading completed."));
    EXPECT_EQ(Read("OLD.NCD"), "N1 KEEP ME\r\n");
    EXPECT_EQ(LastUpload().FilesNotCompleted, 1);
}

TEST_F(UploadTest, LinesThatArriveInOneBatchAreAllKept) {
    // The whole program reaches the PC before the job looks: with a fast
    // line every line is still taken, not only the last.
    CitizenM10Machine& citizen = Attach<CitizenM10Machine>("CITIZEN/M10");
    citizen.SetPunchBytes("noise\r\n\x12N1\r\nN2\r\nN3\r\n%\x14");
    ASSERT_TRUE(Upload({"C.NCD"}));
    EXPECT_EQ(Read("C.NCD"), "N1\r\nN2\r\nN3\r\n%\r\n");
}

// ---- cancel -------------------------------------------------------------------------------

TEST_F(UploadTest, CancelInAWaitingStateEndsTheWholeUploadWith114) {
    struct Case {
        const char* Name;
        std::function<void()> Attach;
        const char* Item;
        uint32_t Job;                    // cancel once this job runs
        std::string ShownBeforeCancel;   // ... and has shown this status text
        std::string StopBytes;           // what the machine must have got last
    };
    std::vector<Case> cases = {
        {"DYNA/PERT silent", [this] { Attach<DynaPertMachine>("DYNA/PERT").SetAnswering(false); }, "F.NCD",
         JobBit::UploadDynaPert, "", "\x03"},
        {"DYNA/PERT receiving", [this] { Attach<DynaPertMachine>("DYNA/PERT").SetOutputStopAfterLines(1); },
         "F.NCD", JobBit::UploadDynaPert, "Uploading... (F.NCD)", "\x03"},
        {"PANASERT/RS232", [this] { Attach<PanasertRs232Machine>("PANASERT/RS232").SetStopAfterFrames(2); },
         "F.NCD", JobBit::UploadPanasertRs232, "Uploading... (F.NCD)", "A2"},
        {"PANASERT/TTY", [this] { Attach<PanasertTtyMachine>("PANASERT/TTY").SetEchoing(false); }, "F.NCD",
         JobBit::UploadPanasertTty, "", "\x03"},
        {"CITIZEN/M10", [this] { Attach<CitizenM10Machine>("CITIZEN/M10").SetOperatorDelayMs(0); }, "F.NCD",
         JobBit::UploadCitizenM10, "Waiting to upload. (F.NCD)", ""},
        {"TDK/VC5A", [this] { Attach<TdkVc5aMachine>("TDK/VC5A").SetOperatorDelayMs(0); }, "F.NCD",
         JobBit::UploadTdkVc5a, "Waiting to upload.", "\x03"},
        {"TDK/VC5", [this] { Attach<TdkVc5Machine>("TDK/VC5").SetMode(TdkVc5Machine::Mode::Deaf); },
         "VC5-BOARD1=F.NCD", JobBit::UploadTdkVc5, "", "\x03"},
        {"UNIVERSAL", [this] { Attach<UniversalMachine>("UNIVERSAL").SetPrompt("HOLD"); }, "TEST_JIG=F.NCD",
         JobBit::UploadUniversal, "", "\x03"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        if (terminal.StatusFlags & Status::SubConnected) {
            Post(WindowMsg::StartDisconnect);
            ASSERT_TRUE(RunUntilIdle());
        }
        c.Attach();
        view.StatusLines.clear();
        ChooseUpload({c.Item});
        ASSERT_TRUE(ConnectChannel(1));
        std::size_t sentBefore = RadioBytes(kSerial).size();
        Post(WindowMsg::StartUpload);
        ASSERT_TRUE(loop.RunUntil(
            [&] {
                return terminal.Engine.IsActive(c.Job) && (c.ShownBeforeCancel.empty() || Shown(c.ShownBeforeCancel));
            },
            120000));
        // Into the wait for the machine.
        loop.RunFor(1500);
        ASSERT_FALSE(Idle());
        Post(WindowMsg::Cancel);
        ASSERT_TRUE(RunUntilIdle());
        EXPECT_TRUE(Shown("Uploading canceled."));
        EXPECT_FALSE(Exists("F.NCD"));
        EXPECT_EQ(LastUpload().EndState, 9001);
        std::vector<uint8_t> radio = RadioBytes(kSerial);
        std::string after(radio.begin() + static_cast<std::ptrdiff_t>(sentBefore), radio.end());
        if (!c.StopBytes.empty()) EXPECT_NE(after.rfind(c.StopBytes), std::string::npos) << after;
    }
}

// A machine whose line never falls quiet.
class ChatteringMachine : public SimulatedMachine {
public:
    std::string TypeName() const override { return "PANASERT/TTY"; }
    void OnLineByte(uint8_t) override {}
    void OnAttached() override { Chatter(); }

private:
    void Chatter() {
        SendToLine("x");
        After(100, [this] { Chatter(); });
    }
};

TEST_F(UploadTest, ALineThatNeverFallsQuietEndsTheWaitWith105) {
    Attach<ChatteringMachine>("PANASERT/TTY");
    ASSERT_TRUE(Upload({"F.NCD"}, 120000));
    EXPECT_TRUE(Shown("No response from MC!(10)"));
    EXPECT_FALSE(Exists("F.NCD"));
    EXPECT_EQ(LastUpload().FilesNotCompleted, 1);
}

// Shows its menu mark and then says nothing more.
class MenuThenSilentMachine : public SimulatedMachine {
public:
    std::string TypeName() const override { return "DYNA/PERT"; }
    void OnLineByte(uint8_t byte) override {
        if (byte == ControlByte::Etx) SendToLine("*");
        if (byte == 'E') SendToLine("*E\r");
    }
};

TEST_F(UploadTest, DynaPertSilentAfterItsMenuMarkEndsWith105) {
    Attach<MenuThenSilentMachine>("DYNA/PERT");
    ASSERT_TRUE(Upload({"F.NCD"}, 600000));
    EXPECT_TRUE(Shown("No response from MC!(60)"));
    EXPECT_FALSE(Exists("F.NCD"));
}

TEST_F(UploadTest, DeclinedPromptsCancelTheUpload) {
    Attach<DynaPertMachine>("DYNA/PERT");
    view.KeyAnswer = 0;
    ASSERT_TRUE(Upload({"F.NCD"}));
    EXPECT_EQ(view.KeyPrompts, 1);
    EXPECT_TRUE(Shown("Uploading canceled."));
    EXPECT_FALSE(Exists("F.NCD"));

    Post(WindowMsg::StartDisconnect);
    ASSERT_TRUE(RunUntilIdle());
    Attach<PanasertRs232Machine>("PANASERT/RS232");
    ASSERT_TRUE(ConnectChannel(1));
    app.CurrentChannel.PnrPName = 1;
    view.ProgramNameAnswer.reset();
    view.StatusLines.clear();
    ASSERT_TRUE(Upload({"F.NCD"}));
    EXPECT_TRUE(Shown("Uploading canceled."));
    EXPECT_EQ(LastUpload().EndState, 9001);
}

}  // namespace
