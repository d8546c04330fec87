#include "ui/models/TextWindowTrimmer.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// Appends `count` lines of `width` characters each (plus CR LF).
void Fill(TextWindowTrimmer& trimmer, int count, int width) {
    for (int i = 0; i < count; ++i) trimmer.Append(std::string(static_cast<std::size_t>(width), 'x') + "\r\n");
}
}  // namespace

TEST(TextWindowTrimmer, CountsCodePointsAndLineBreaksAsTwo) {
    EXPECT_EQ(TextWindowTrimmer::CountChars("ab\r\n"), 4u);
    EXPECT_EQ(TextWindowTrimmer::CountChars("a\nb\rc"), 7u);
    EXPECT_EQ(TextWindowTrimmer::CountChars("한글"), 2u);

    TextWindowTrimmer trimmer(10000, 2);
    trimmer.Append("1> start\r\n");
    trimmer.Append("   more\r\n");
    EXPECT_EQ(trimmer.Length(), 19u);
    EXPECT_EQ(trimmer.LineCount(), 3u);   // two lines and the empty one after the last break
}

TEST(TextWindowTrimmer, StatusWindowNear10000DropsItsFirstTwoLines) {
    TextWindowTrimmer trimmer(10000, 2);
    Fill(trimmer, 999, 8);                 // 999 lines of 10 characters
    trimmer.Append(std::string(8, 'y'));   // 9998 characters, no break after the last text
    ASSERT_EQ(trimmer.Length(), 9998u);

    TextWindowTrimmer::Cut cut = trimmer.Append(std::string(18, 'z') + "\r\n");
    EXPECT_FALSE(cut.All);
    EXPECT_EQ(cut.Lines, 2u);
    EXPECT_EQ(trimmer.Length(), 9998u - 20u + 20u);
    EXPECT_LT(trimmer.Length(), 10000u);
}

TEST(TextWindowTrimmer, CutsRepeatedlyUntilTheTextFits) {
    TextWindowTrimmer trimmer(30000, 100);
    Fill(trimmer, 2900, 8);   // 29000 characters
    TextWindowTrimmer::Cut cut = trimmer.Append(std::string(2998, 'q') + "\r\n");   // 3000 more
    // 1000 lines go before line 100 at a time: 100 lines are 1000 characters.
    EXPECT_EQ(cut.Lines, 300u);
    EXPECT_FALSE(cut.All);
    EXPECT_LT(trimmer.Length(), 30000u);
    EXPECT_EQ(cut.Text.size(), 3000u);
}

TEST(TextWindowTrimmer, WithoutTheCutLineAllOldTextGoes) {
    // One long line and no line 2: the old cut would have looped for ever.
    TextWindowTrimmer trimmer(10000, 2);
    trimmer.Append(std::string(9000, 'a'));
    TextWindowTrimmer::Cut cut = trimmer.Append(std::string(1500, 'b'));
    EXPECT_TRUE(cut.All);
    EXPECT_EQ(cut.Text, std::string(1500, 'b'));
    EXPECT_EQ(trimmer.Length(), 1500u);
    EXPECT_EQ(trimmer.LineCount(), 1u);
}

TEST(TextWindowTrimmer, ATextLongerThanTheLimitKeepsItsLastPart) {
    TextWindowTrimmer trimmer(10000, 2);
    trimmer.Append("old\r\n");
    std::string text = std::string(6000, 'h') + std::string(6000, 't');
    TextWindowTrimmer::Cut cut = trimmer.Append(text);
    EXPECT_TRUE(cut.All);
    EXPECT_EQ(cut.Text.size(), 9999u);
    EXPECT_EQ(cut.Text, text.substr(text.size() - 9999));
    EXPECT_EQ(trimmer.Length(), 9999u);

    // Multi-byte characters are never split.
    TextWindowTrimmer comm(30000, 100);
    std::string korean;
    for (int i = 0; i < 30005; ++i) korean += "가";
    TextWindowTrimmer::Cut koreanCut = comm.Append(korean);
    EXPECT_EQ(TextWindowTrimmer::CountChars(koreanCut.Text), 29999u);
    EXPECT_EQ(koreanCut.Text.size(), 29999u * 3);
}

TEST(TextWindowTrimmer, TransmittedBytesCutOnlyOnceTheWindowIsFull) {
    TextWindowTrimmer trimmer(30000, 100);
    Fill(trimmer, 2999, 8);   // 29990
    trimmer.Append(std::string(9, 'x'));
    ASSERT_EQ(trimmer.Length(), 29999u);
    EXPECT_EQ(trimmer.AppendByte("A").Lines, 0u);   // 29999 is not yet more than 29999
    TextWindowTrimmer::Cut cut = trimmer.AppendByte("B");
    EXPECT_EQ(cut.Lines, 100u);
    EXPECT_EQ(trimmer.Length(), 30000u - 1000u + 1u);
}

TEST(TextWindowTrimmer, RemoveLastJoinsLinesAndStopsWhenEmpty) {
    TextWindowTrimmer trimmer(100, 2);
    trimmer.Append("ab\r\n");
    EXPECT_TRUE(trimmer.RemoveLast());   // the break
    EXPECT_EQ(trimmer.LineCount(), 1u);
    EXPECT_EQ(trimmer.Length(), 2u);
    EXPECT_TRUE(trimmer.RemoveLast());
    EXPECT_TRUE(trimmer.RemoveLast());
    EXPECT_FALSE(trimmer.RemoveLast());
    EXPECT_EQ(trimmer.Length(), 0u);
}
