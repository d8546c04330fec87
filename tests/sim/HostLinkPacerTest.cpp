#include <gtest/gtest.h>

#include "sim/HostLinkPacer.h"

namespace {

// Start bit, 8 data bits, parity and 2 stop bits: 12 bits, 1250 us at 9600 baud.
constexpr int kPcFrameBits = 12;

TEST(HostLinkPacerTest, CharacterTimeFollowsTheFrame) {
    EXPECT_EQ(HostLinkPacer(kPcFrameBits).CharTimeUs(), 1250u);
    EXPECT_EQ(HostLinkPacer(10).CharTimeUs(), 1041u);
    EXPECT_EQ(HostLinkPacer(11).CharTimeUs(), 1145u);   // the PC's 8N2
}

TEST(HostLinkPacerTest, EachCharacterCrossesInItsTimeAndWaitingOnesFollowBackToBack) {
    HostLinkPacer line(kPcFrameBits);
    EXPECT_EQ(line.UsUntilNext(0), -1);
    // Even the first character of an idle line takes its full time.
    EXPECT_EQ(line.Take(1000, 3), 0u);
    EXPECT_EQ(line.UsUntilNext(1000), 1250);
    EXPECT_EQ(line.Take(2249, 3), 0u);
    EXPECT_EQ(line.Take(2250, 3), 1u);
    EXPECT_EQ(line.Take(3499, 2), 0u);
    // A late look finds both remaining characters crossed, one after the other.
    EXPECT_EQ(line.Take(4750, 2), 2u);
    EXPECT_FALSE(line.Busy());

    // After a pause the line starts afresh: no credit for the idle time.
    EXPECT_EQ(line.Take(500000, 5), 0u);
    EXPECT_EQ(line.Take(501250, 5), 1u);
    // A look long after finds only as many as could cross since.
    EXPECT_EQ(line.Take(506250, 4), 4u);
    EXPECT_FALSE(line.Busy());
}

TEST(HostLinkPacerTest, LooksOnAMillisecondTimerKeepTheLineFull) {
    // kova-sim looks when the pacer says, rounded up to whole milliseconds;
    // 960 characters must still take 960 character times, not more.
    HostLinkPacer line(kPcFrameBits);
    size_t waiting = 960;
    uint64_t now = 0;
    int looks = 0;
    while (waiting > 0) {
        waiting -= line.Take(now, waiting);
        if (waiting == 0) break;
        int64_t us = line.UsUntilNext(now);
        ASSERT_GE(us, 0);
        now += static_cast<uint64_t>((us + 999) / 1000 * 1000);
        ++looks;
    }
    EXPECT_GE(now, 960u * 1250u);
    EXPECT_LT(now, 960u * 1250u + 1000u);
    EXPECT_LE(looks, 960);
}

TEST(HostLinkPacerTest, LineFallsIdleWhenWhatWaitedIsGone) {
    // The PC discarded its output (a purge on open) while the line was busy.
    HostLinkPacer line(kPcFrameBits);
    EXPECT_EQ(line.Take(0, 10), 0u);
    EXPECT_TRUE(line.Busy());
    EXPECT_EQ(line.Take(600, 0), 0u);
    EXPECT_FALSE(line.Busy());
    EXPECT_EQ(line.Take(700, 1), 0u);
    EXPECT_EQ(line.UsUntilNext(700), 1250);
}

}  // namespace
