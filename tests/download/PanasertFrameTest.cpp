#include <gtest/gtest.h>

#include <string>

#include "download/PanasertFrame.h"

namespace {

TEST(PanasertFrameTest, FrameCarriesLengthChecksumAndEndByte) {
    // Sum of "04A0OK": 0x30+0x34+0x41+0x30+0x4F+0x4B = 0x16F; 0x100 - 0x6F = 0x91.
    EXPECT_EQ(PanasertFrame::Build("A0", "OK", 0x0D), std::string("\x02" "04A0OK91\r"));
    EXPECT_EQ(PanasertFrame::Build("A2", "", 0x03), std::string("\x02" "02A2") + PanasertFrame::Checksum("02A2") + "\x03");
    EXPECT_EQ(PanasertFrame::Checksum(""), "00");
}

TEST(PanasertFrameTest, ReceivedFramesAreCheckedForLengthAndChecksum) {
    std::string command, data, error;
    std::string frame = PanasertFrame::Build("D0", "N001X1", 0x0D);
    std::string line = frame.substr(1, frame.size() - 2);   // as the receive path hands it on
    ASSERT_TRUE(PanasertFrame::Parse(line, command, data, error));
    EXPECT_EQ(command, "D0");
    EXPECT_EQ(data, "N001X1");
    EXPECT_EQ(error, "");

    std::string badSum = line;
    badSum.back() = badSum.back() == '0' ? '1' : '0';
    EXPECT_FALSE(PanasertFrame::Parse(badSum, command, data, error));
    EXPECT_EQ(error, "E03");

    EXPECT_FALSE(PanasertFrame::Parse("09D0N001X1" + PanasertFrame::Checksum("09D0N001X1"), command, data, error));
    EXPECT_EQ(error, "E05");
    EXPECT_FALSE(PanasertFrame::Parse("02A2", command, data, error));
    EXPECT_EQ(error, "E05");
}

TEST(PanasertFrameTest, DataThatCannotTravelInAFrameIsRecognised) {
    EXPECT_TRUE(PanasertFrame::Fits("D0", std::string(88, 'X')));
    EXPECT_FALSE(PanasertFrame::Fits("D0", std::string(89, 'X')));
    EXPECT_TRUE(PanasertFrame::Fits("C0", std::string(18, 'P')));
    EXPECT_FALSE(PanasertFrame::Fits("C0", std::string(19, 'P')));
    EXPECT_TRUE(PanasertFrame::Fits("C0", ""));
    EXPECT_FALSE(PanasertFrame::Fits("C0", "AB\rCD"));
    EXPECT_FALSE(PanasertFrame::Fits("C0", "AB\x02"));
    EXPECT_FALSE(PanasertFrame::Fits("C0", "AB\x03"));
    // A byte with the top bit set would reach the sub module as a command.
    EXPECT_FALSE(PanasertFrame::Fits("C0", "\xEA\xB0\x80"));
}

}  // namespace
