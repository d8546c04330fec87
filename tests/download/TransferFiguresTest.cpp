#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "download/DownloadFixture.h"
#include "sim/DynaPertMachine.h"
#include "sim/PanasertRs232Machine.h"
#include "sim/PanasertTtyMachine.h"

namespace {

std::string Lines(int count, int from) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "N" + std::to_string(from + i) + " X" + std::to_string(1000 + i) + " Y2500\r\n";
    return text;
}

class TtyFiguresTest : public DownloadFixture {
protected:
    PanasertTtyMachine& machine = AttachMachine<PanasertTtyMachine>(3, "000000000003", "PANASERT/TTY");
};

TEST_F(TtyFiguresTest, PacedTransferShowsTheLinePaceLinesAndBytesOfFileAndSelection) {
    // Older modules: the transfer is paced by the line's character time alone.
    radio.FindSubModule("000000000003")->SetVersion(31);
    WriteNc("A.NCD", Lines(400, 1));
    WriteNc("B.NCD", Lines(300, 401));
    ASSERT_TRUE(Download({"A.NCD", "B.NCD"}));
    ASSERT_TRUE(Shown("Downloading complete."));
    ASSERT_GT(terminal.CharTimeMs, 0.0f);
    double linePace = 1000.0 / terminal.CharTimeMs;

    // Away from the start and end steps of each file the pace is the line's.
    auto steady = [](const TransferFigures& f) { return f.FileDone >= 400 && f.FileBytes - f.FileDone >= 100; };
    int paced = 0;
    for (const TransferFigures& f : view.Figures) {
        if (!steady(f)) continue;
        ++paced;
        EXPECT_NEAR(f.CharsPerSecond, linePace, linePace * 0.02) << "at " << f.ElapsedMs << " ms";
        EXPECT_GE(f.SecondsLeft, 0);
    }
    EXPECT_GT(paced, 10);

    // Files go last chosen first: B, then A; the last figures show A done
    // and both files' lines in the selection.
    const TransferFigures& last = view.Figures.back();
    EXPECT_EQ(last.FileLines, 400);
    EXPECT_EQ(last.FileLinesDone, 400);
    EXPECT_EQ(last.TotalLinesDone, 700);
    EXPECT_EQ(last.FileDone, last.FileBytes);
    EXPECT_EQ(last.TotalDone, last.TotalBytes);
    EXPECT_EQ(last.TotalBytes, static_cast<int64_t>(Lines(400, 1).size() + Lines(300, 401).size()));
    EXPECT_EQ(last.Retries + last.Nudges, 0);

    // Time left follows the recent pace: it falls as the selection goes out.
    int64_t before = -1;
    bool falls = true;
    for (const TransferFigures& f : view.Figures) {
        if (!steady(f)) continue;
        if (before >= 0 && f.SecondsLeft > before + 1) falls = false;
        before = f.SecondsLeft;
    }
    EXPECT_TRUE(falls);
}

TEST_F(TtyFiguresTest, NextSelectionStartsItsFiguresAfresh) {
    WriteNc("A.NCD", Lines(20, 1));
    ASSERT_TRUE(Download({"A.NCD"}));
    ASSERT_TRUE(Download({"A.NCD"}));
    EXPECT_EQ(view.Figures.back().TotalLinesDone, 20);
    EXPECT_EQ(view.Figures.back().TotalBytes, static_cast<int64_t>(Lines(20, 1).size()));
}

class DynaPertFiguresTest : public DownloadFixture {
protected:
    DynaPertMachine& machine = AttachMachine<DynaPertMachine>(1, "000000000001", "DYNA/PERT");
};

TEST_F(DynaPertFiguresTest, NudgesIntoASilentLineAreCounted) {
    machine.SetStopAfterLines(3);
    WriteNc("A.NCD", Lines(10, 1));
    ASSERT_TRUE(Download({"A.NCD"}));
    ASSERT_FALSE(view.Figures.empty());
    // The job nudges until it gives up: one less than its limit of waits.
    EXPECT_EQ(view.Figures.back().Nudges, 19);
    EXPECT_EQ(view.Figures.back().Retries, 0);
    EXPECT_LT(view.Figures.back().FileLinesDone, 10);
}

class Rs232FiguresTest : public DownloadFixture {
protected:
    PanasertRs232Machine& machine = AttachMachine<PanasertRs232Machine>(2, "000000000002", "PANASERT/RS232");
};

TEST_F(Rs232FiguresTest, RepeatedFramesAreCountedAsRetries) {
    machine.SetRepeatRequests(2);
    WriteNc("A.NCD", Lines(5, 1) + "*\r\n");
    ASSERT_TRUE(Download({"A.NCD"}));
    ASSERT_TRUE(Shown("Downloading complete."));
    EXPECT_EQ(view.Figures.back().Retries, 2);
    EXPECT_EQ(view.Figures.back().FileLinesDone, 6);
}

}  // namespace
