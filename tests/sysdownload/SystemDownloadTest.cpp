// System program download against the simulated UNIVERSAL and TDK/VC5
// machines on the virtual clock.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/SubModuleCommands.h"
#include "link/LinkFixture.h"
#include "sim/DynaPertMachine.h"
#include "sim/SimulatedSubModule.h"
#include "sim/TdkVc5Machine.h"
#include "sim/UniversalMachine.h"
#include "support/TempFolder.h"
#include "sysdownload/SystemDownloadDispatcher.h"
#include "sysdownload/SystemDownloadJobs.h"
#include "sysdownload/SystemPreamble.h"

namespace {

constexpr const char* kUniversal = "000000000007";
constexpr const char* kTdk = "000000000006";
constexpr const char* kDyna = "000000000001";

using Bytes = std::vector<uint8_t>;

// What goes on the link for `bytes`: every '+' followed by 0x00.
Bytes Stuffed(const Bytes& bytes) {
    Bytes out;
    for (uint8_t b : bytes) {
        out.push_back(b);
        if (b == '+') out.push_back(0x00);
    }
    return out;
}

// A system program of `size` bytes that holds every byte value, '+' among them.
Bytes Program(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>((i * 7 + 3) & 0xFF);
    return bytes;
}

class SystemDownloadTest : public LinkFixture {
protected:
    SystemDownloadTest() {
        StoreChannel(7, kUniversal, "UNIVERSAL");
        StoreChannel(6, kTdk, "TDK/VC5");
        StoreChannel(1, kDyna, "DYNA/PERT");
        auto universal = std::make_unique<UniversalMachine>();
        universalMachine = universal.get();
        radio.AttachMachine(kUniversal, std::move(universal));
        auto tdk = std::make_unique<TdkVc5Machine>();
        tdkMachine = tdk.get();
        radio.AttachMachine(kTdk, std::move(tdk));
        radio.AttachMachine(kDyna, std::make_unique<DynaPertMachine>());
    }

    DownloadRequest Answer(const std::string& name, const Bytes& bytes, const std::string& delay) {
        TempFolder::Write(files / name, std::string(bytes.begin(), bytes.end()));
        DownloadRequest answer;
        answer.TransferFolder = files.Path().string();
        answer.Files.push_back({name, bytes.size(), ""});
        answer.SysDelayBits = delay;
        return answer;
    }

    // Connects channel `channel` and runs one system download to its end.
    bool Run(int channel, uint64_t maxMs = 600000) {
        if (!ConnectChannel(channel)) return false;
        radio.FindSubModule(channel == 7 ? kUniversal : kTdk)->ClearRadioLog();
        view.FileProgressSteps.clear();
        Post(WindowMsg::StartSystemDownload);
        return RunUntilIdle(maxMs);
    }

    // Starts a UNIVERSAL system download of 3000 bytes; true once the
    // machine has taken some of its blocks.
    bool StartUniversalBlocks() {
        view.DownloadAnswer = Answer("SYS.BIN", Program(3000), "35");
        universalMachine->ReadyForSystemProgram();
        if (!ConnectChannel(7)) return false;
        Post(WindowMsg::StartSystemDownload);
        return loop.RunUntil([&] { return universalMachine->SystemLoadBytes().size() > 600; }, 120000);
    }

    // The radio bytes from the first `from` on.
    Bytes RadioFrom(const std::string& serial, const Bytes& from) {
        Bytes log = RadioBytes(serial);
        auto at = std::search(log.begin(), log.end(), from.begin(), from.end());
        return at == log.end() ? Bytes{} : Bytes(at, log.end());
    }

    int Count(const std::string& text) const {
        std::vector<std::string> texts = StatusTexts();
        return static_cast<int>(std::count(texts.begin(), texts.end(), text));
    }

    SystemDownloadDispatcher& dispatcher = AddSystemDownloadJobs(terminal);
    UniversalMachine* universalMachine = nullptr;
    TdkVc5Machine* tdkMachine = nullptr;
    TempFolder files;
};

TEST_F(SystemDownloadTest, UniversalGetsPreambleAndBlocksAndNothingElseAfterwards) {
    const Bytes program = Program(1000);
    view.DownloadAnswer = Answer("SYS.BIN", program, "35");
    universalMachine->ReadyForSystemProgram();
    ASSERT_TRUE(Run(7));

    // The sub module's set-up, the loader's start, then everything raw.
    Bytes expected = {0x95, 35, 0x8D, 0x9A, 0x03, '7', '7', '7', '7', '3', '0', '0', '0', 'G', 0x89};
    Bytes raw(SystemPreamble.begin(), SystemPreamble.end());
    raw.insert(raw.end(), program.begin(), program.end());
    Bytes stuffed = Stuffed(raw);
    expected.insert(expected.end(), stuffed.begin(), stuffed.end());
    EXPECT_EQ(RadioFrom(kUniversal, {0x95}), expected);
    EXPECT_EQ(universalMachine->SystemLoadBytes(), raw);
    EXPECT_EQ(radio.FindSubModule(kUniversal)->LineParameters().delayBits, 35);

    // Preamble, then blocks of 256, 256, 256 and 232.
    std::vector<int> steps;
    for (const auto& [position, range] : view.FileProgressSteps) {
        EXPECT_EQ(range, 1265);
        if (steps.empty() || steps.back() != position) steps.push_back(position);
    }
    EXPECT_EQ(steps, (std::vector<int>{0, 265, 521, 777, 1033, 1265}));

    EXPECT_EQ(dispatcher.LastEndState(), 9000);
    const std::vector<std::string> texts = StatusTexts();
    std::vector<std::string> tail(texts.end() - 4, texts.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"Ready to transmit the system program.", "System program downloading...",
                                              "System program downloading completed.",
                                              "Keep disconnecting. And reconnect."}));
    EXPECT_FALSE(terminal.StatusFlags & (Status::FileBufferLoaded | Status::DownloadTime));

    // The hang-up sends no sub-module command into the machine, and the
    // machine, once quiet, runs the new program.
    Post(WindowMsg::StartDisconnect);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_FALSE(terminal.StatusFlags & Status::SubConnected);
    loop.RunFor(UniversalMachine::kLoadQuietMs + 100);
    EXPECT_EQ(universalMachine->SystemLoadBytes(), raw);
    EXPECT_EQ(universalMachine->SystemProgram(), program);
    EXPECT_FALSE(universalMachine->Halted());
}

TEST_F(SystemDownloadTest, DelayBitsAreLoadedAsADecimalByteOfAtMost200) {
    struct Case {
        const char* text;
        int byte;
    };
    for (const Case& c : {Case{"250", 200}, Case{"200", 200}, Case{"35", 35}, Case{"0", 0}, Case{"-5", 0},
                          Case{"", 0}, Case{"abc", 0}, Case{"99999999999999999999", 200}}) {
        EXPECT_EQ(SystemDownloadDispatcher::DelayByte(c.text), c.byte) << c.text;
    }

    view.DownloadAnswer = Answer("SYS.BIN", Program(10), "250");
    universalMachine->ReadyForSystemProgram();
    ASSERT_TRUE(Run(7));
    EXPECT_EQ(RadioFrom(kUniversal, {0x95}).at(1), 0xC8);
    EXPECT_EQ(radio.FindSubModule(kUniversal)->LineParameters().delayBits, 200);
    EXPECT_EQ(app.CurrentChannel.McDelayBit_sys, "250");
    EXPECT_EQ(dispatcher.LastEndState(), 9000);
}

TEST_F(SystemDownloadTest, MachineThatNeverShowsItsConsoleEndsWithNoResponse) {
    // Not halted: ETX brings the machine's own prompt, never "@".
    view.DownloadAnswer = Answer("SYS.BIN", Program(10), "35");
    uint64_t start = 0;
    ASSERT_TRUE(ConnectChannel(7));
    start = loop.NowMs();
    Post(WindowMsg::StartSystemDownload);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_GE(loop.NowMs() - start, 60000u);
    EXPECT_TRUE(Shown("No response from MC! (40)"));
    EXPECT_TRUE(Shown("System program failed downloading."));
    EXPECT_EQ(Count("Keep disconnecting. And reconnect."), 1);
    EXPECT_EQ(dispatcher.LastEndState(), 9002);
    EXPECT_TRUE(RadioFrom(kUniversal, {0x89}).empty());
    EXPECT_FALSE(terminal.SubTransparent);
}

TEST_F(SystemDownloadTest, StalledBlockTransferEndsWithTimeout) {
    ASSERT_TRUE(StartUniversalBlocks());
    port.SetCts(false);
    ASSERT_TRUE(RunUntilIdle());
    const std::vector<std::string> texts = StatusTexts();
    auto failure = std::find_if(texts.begin(), texts.end(),
                                [](const std::string& t) { return t.rfind("Canceled by timeout. (", 0) == 0; });
    ASSERT_NE(failure, texts.end());
    EXPECT_EQ(*(failure + 1), "System program failed downloading.");
    EXPECT_EQ(texts.back(), "Keep disconnecting. And reconnect.");
    EXPECT_EQ(dispatcher.LastEndState(), 9002);
    EXPECT_LT(universalMachine->SystemLoadBytes().size(), 3000u + kSystemPreambleSize);
}

TEST_F(SystemDownloadTest, CancelDuringTheTransferStopsTheMachineAndTheDispatcher) {
    ASSERT_TRUE(StartUniversalBlocks());
    Post(WindowMsg::Cancel);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(Count("System program canceled downloading."), 1);
    EXPECT_EQ(StatusTexts().back(), "Keep disconnecting. And reconnect.");
    EXPECT_EQ(dispatcher.LastEndState(), 9001);
    EXPECT_EQ(terminal.Engine.ActiveJobs, 0u);
    // The machine gets ETX after what had been queued already.
    loop.RunFor(5000);
    EXPECT_EQ(universalMachine->SystemLoadBytes().back(), 0x03);
    EXPECT_FALSE(terminal.StatusFlags & Status::FileBufferLoaded);
}

TEST_F(SystemDownloadTest, ALostRadioLinkEndsTheTransferAtOnce) {
    ASSERT_TRUE(StartUniversalBlocks());
    radio.FindSubModule(kUniversal)->SetInRange(false);
    const uint64_t lost = loop.NowMs();
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_LT(loop.NowMs() - lost, 2000u);
    EXPECT_TRUE(Shown("Equipment is disconnected."));
    EXPECT_EQ(dispatcher.LastEndState(), 9001);
    EXPECT_FALSE(terminal.StatusFlags & (Status::SubConnected | Status::FileBufferLoaded));
}

TEST_F(SystemDownloadTest, TdkVc5SendsAfterTheStartSwitchAndCompletesOnTheLastDrain) {
    // Shorter than a block: one block; '+' goes with its 0x00.
    const Bytes program = {'+', 0x00, 0xFF, 0x80, '+', 'A', 0x03};
    view.DownloadAnswer = Answer("VC5.SYS", program, "35");
    view.Answers.push_back(MessageBoxAnswer::Ok);
    tdkMachine->ReadyForSystemProgram();
    ASSERT_TRUE(Run(6));
    ASSERT_EQ(view.Boxes.size(), 1u);
    EXPECT_EQ(view.Boxes[0], "Press system download start switch of MC.");
    Bytes expected = {0x91, 0x89};
    Bytes stuffed = Stuffed(program);
    expected.insert(expected.end(), stuffed.begin(), stuffed.end());
    EXPECT_EQ(RadioFrom(kTdk, {0x91}), expected);
    EXPECT_EQ(dispatcher.LastEndState(), 9000);
    EXPECT_EQ(view.FileProgress, std::make_pair(7, 7));
    // The 7-bit line does not cut the raw bytes.
    loop.RunFor(TdkVc5Machine::kLoadQuietMs + 100);
    EXPECT_EQ(tdkMachine->SystemProgram(), program);
    EXPECT_EQ(tdkMachine->CurrentMode(), TdkVc5Machine::Mode::Prompt);

    // Declining the question sends nothing.
    radio.FindSubModule(kTdk)->ClearRadioLog();
    Post(WindowMsg::StartSystemDownload);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_TRUE(RadioBytes(kTdk).empty());
    EXPECT_EQ(dispatcher.LastEndState(), 9001);
    EXPECT_EQ(Count("System program canceled downloading."), 1);
}

TEST_F(SystemDownloadTest, UnreadableFileIsReportedAndTheDialogOpensAgain) {
    DownloadRequest good = Answer("SYS.BIN", Program(5), "35");
    DownloadRequest missing = good;
    missing.Files[0].FileName = "NONE.BIN";
    DownloadRequest empty = Answer("EMPTY.BIN", {}, "35");
    view.DownloadAnswers = {missing, empty};
    view.DownloadAnswer = DownloadRequest{};   // then cancelled
    ASSERT_TRUE(Run(7));
    EXPECT_EQ(view.DownloadDialogs, 3);
    EXPECT_TRUE(view.LastDownloadRequest.SystemProgram);
    EXPECT_EQ(Count("File not open."), 1);
    EXPECT_EQ(Count("Empty file."), 1);
    EXPECT_EQ(Count("System program canceled downloading."), 1);
    EXPECT_EQ(StatusTexts().back(), "Keep disconnecting. And reconnect.");
    EXPECT_TRUE(RadioBytes(kUniversal).empty());
    EXPECT_TRUE(terminal.StatusFlags & Status::LinkIdle);
}

TEST_F(SystemDownloadTest, RefusedForOtherTypesAndWhileAnotherJobHoldsTheLink) {
    view.DownloadAnswer = Answer("SYS.BIN", Program(5), "35");
    ASSERT_TRUE(ConnectChannel(1));
    radio.FindSubModule(kDyna)->ClearRadioLog();
    Post(WindowMsg::StartSystemDownload);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_TRUE(Shown("Invalid type of equipment."));
    EXPECT_EQ(dispatcher.LastEndState(), 9002);
    EXPECT_TRUE(RadioBytes(kDyna).empty());

    // Another job is running: nothing it relies on changes.
    const int dialogs = view.DownloadDialogs;
    terminal.Engine.ActiveJobs |= JobBit::UploadDispatcher;
    terminal.Engine.EventMask = 0x838;
    const uint32_t flags = terminal.StatusFlags;
    Post(WindowMsg::StartSystemDownload);
    EXPECT_EQ(terminal.Engine.ActiveJobs, JobBit::UploadDispatcher);
    EXPECT_EQ(terminal.Engine.EventMask, 0x838u);
    EXPECT_EQ(terminal.StatusFlags, flags);
    EXPECT_EQ(view.DownloadDialogs, dialogs);
    EXPECT_EQ(StatusTexts().back(), "System program canceled downloading.");
    terminal.Engine.ActiveJobs = 0;
}

}  // namespace
