#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "download/NcCoordinateReader.h"

namespace {

struct ProgramCase {
    const char* Type;
    const char* Text;
    std::vector<NcPoint> Expected;
};

void PrintTo(const ProgramCase& c, std::ostream* os) { *os << c.Type << ": " << c.Text; }

class ProgramPoints : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(ProgramPoints, ReadInProgramOrder) {
    const ProgramCase& c = GetParam();
    NcCoordinateReader reader(NcDialect::ForMachineType(c.Type));
    std::vector<NcPoint> points = reader.Points(c.Text);
    ASSERT_EQ(points.size(), c.Expected.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(points[i].Line, c.Expected[i].Line) << "point " << i;
        EXPECT_NEAR(points[i].X, c.Expected[i].X, 1e-9) << "point " << i;
        EXPECT_NEAR(points[i].Y, c.Expected[i].Y, 1e-9) << "point " << i;
    }
}

// Lines as each machine type's programs are written (after the viewer turned
// CR LF into LF).
INSTANTIATE_TEST_SUITE_P(
    MachineTypes, ProgramPoints,
    ::testing::Values(
        // Thousandths of an inch, signs and no blanks between the words.
        ProgramCase{"DYNA/PERT", "N0001X+01250Y-00375T01\nN0002X+01350\nN0003Y+00125\n",
                    {{0, 1.25, -0.375}, {1, 1.35, -0.375}, {2, 1.35, 0.125}}},
        // Hundredths of a millimetre; a line without an axis and the end mark give no point.
        ProgramCase{"PANASERT/TTY", "N001 X10000 Y5000 T12\nN002 M05\nN003 X-2550 Y5000\n*\n",
                    {{0, 100.0, 50.0}, {2, -25.5, 50.0}}},
        ProgramCase{"PANASERT/RS232", "N001 X100 Y200\nN002 X110 Y210\nM02", {{0, 1.0, 2.0}, {1, 1.1, 2.1}}},
        // A decimal point overrides the implied decimals; G91 makes X and Y
        // incremental until G90; a missing Y starts at 0.
        ProgramCase{"CITIZEN/M10",
                    "O1000\nN10 G90 X10.0 Y5.\nN20 G91 X2.5 Y-1.25\nN30 X2500\nN40 G90 X0\nN50 X12\n%\n",
                    {{1, 10.0, 5.0}, {2, 12.5, 3.75}, {3, 15.0, 3.75}, {4, 0.0, 3.75}, {5, 0.012, 3.75}}},
        // The header line counts like any other; U and V always move by their amount.
        ProgramCase{"TDK/VC5A", "PCB A\nN1 X100 Y200 P1 M0\nN2 U50 V-25 P2 M3\nN3 X120 EX\n",
                    {{1, 1.0, 2.0}, {2, 1.5, 1.75}, {3, 1.2, 1.75}}},
        ProgramCase{"TDK/VC5", "N0001 X1500 P3\nN0002 Y-750\nEX\n", {{0, 15.0, 0.0}, {1, 15.0, -7.5}}},
        // The listing number in front of '>' is not a coordinate.
        ProgramCase{"UNIVERSAL", "PCB-7.NCD\n0001>  +00100 X1 Y2\nCOMMENT\n0002>  +00200 X3 Y4.5\n",
                    {{1, 1.0, 2.0}, {3, 3.0, 4.5}}},
        // Comments hold no words; lower-case letters are words as well.
        ProgramCase{"CITIZEN/M10", "(X99 Y99 fixture)\nn10 x1. y2.\n", {{1, 1.0, 2.0}}},
        // A program without coordinates has no points.
        ProgramCase{"DYNA/PERT", "N0001\nN0002 T3\n", {}}));

TEST(NcCoordinateReader, ValuesWithAndWithoutDecimalPoint) {
    NcCoordinateReader reader(NcDialect{3, false});
    struct Case {
        const char* Digits;
        bool Ok;
        double Value;
    };
    for (const Case& c : {Case{"12500", true, 12.5}, Case{"-00375", true, -0.375}, Case{"+1.5", true, 1.5},
                          Case{"125.", true, 125.0}, Case{".5", true, 0.5}, Case{"-", false, 0},
                          Case{".", false, 0}, Case{"1a", false, 0}}) {
        double value = -99;
        EXPECT_EQ(reader.Value(c.Digits, value), c.Ok) << c.Digits;
        if (c.Ok) {
            EXPECT_NEAR(value, c.Value, 1e-12) << c.Digits;
        }
    }
}

TEST(NcCoordinateReader, WordsForColouring) {
    NcCoordinateReader reader(NcDialect::ForMachineType("UNIVERSAL"));
    std::string line = "0003>  N3 X-1.5 G91 T2 F300 (note) EX *";
    using K = NcWord::Kind;
    std::vector<std::pair<K, std::string>> expected = {
        {K::Listing, "0003>"}, {K::Sequence, "N3"}, {K::Axis, "X-1.5"}, {K::Code, "G91"}, {K::Tool, "T2"},
        {K::Other, "F300"},    {K::Comment, "(note)"}, {K::EndMark, "EX"}, {K::EndMark, "*"}};
    std::vector<NcWord> words = reader.Words(line);
    ASSERT_EQ(words.size(), expected.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        EXPECT_EQ(words[i].WordKind, expected[i].first) << i;
        EXPECT_EQ(line.substr(words[i].Start, words[i].Length), expected[i].second) << i;
    }
    // An unclosed comment runs to the line's end; "EXIT" is no end mark.
    std::vector<NcWord> open = reader.Words("(open X1 Y2");
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].Length, 11u);
    EXPECT_TRUE(NcCoordinateReader(NcDialect{}).Words("EXIT").empty());
}

}  // namespace
