// Verify after download: what a machine sends back against what was sent.

#include <gtest/gtest.h>

#include "download/ProgramCompare.h"

namespace {

TEST(ProgramCompareTest, UniversalProgramReadBackAsItsListingIsEqual) {
    const std::string sent = "PROGRAM HEADER\r\n  X100Y200.\r\n>X110Y210\r\n# remark\r\n";
    // The listing shows each kept line after a line number and "> ".
    const std::string listing = "0001>  X100Y200.\r\n0002>  X110Y210.\r\n";
    ProgramDifference result = ProgramCompare::Compare("UNIVERSAL", sent, listing);
    EXPECT_TRUE(result.Equal) << result.Describe();
    EXPECT_EQ(result.Describe(), "verified");
}

TEST(ProgramCompareTest, FirstDifferenceIsNamedWithBothLines) {
    struct Case {
        const char* type;
        const char* sent;
        const char* received;
        int line;
        const char* described;
    };
    const Case cases[] = {
        {"UNIVERSAL", "X1.\nX2.\nX3.\n", "0001>  X1.\n0002>  X9.\n0003>  X3.\n", 2,
         "line 2: sent \"X2\" received \"X9\""},
        {"UNIVERSAL", "X1.\nX2.\n", "0001>  X1.\n", 2, "line 2: sent \"X2\" received \"\""},
        // TDK/VC5 keeps the lines that begin with 'N'; the EX mark is not compared.
        {"TDK/VC5", "HEAD\r\nN001 X1\r\nN002 X2\r\nEX\r\n", "N001 X1\r\nN002 X2\r\nN003 X3\r\nEX\r\n", 3,
         "line 3: sent \"\" received \"N003 X3\""},
        {"TDK/VC5", "N001 X1\r\n", "N001 X2\r\nEX\r\n", 1, "line 1: sent \"N001 X1\" received \"N001 X2\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sent);
        ProgramDifference result = ProgramCompare::Compare(c.type, c.sent, c.received);
        EXPECT_FALSE(result.Equal);
        EXPECT_EQ(result.Line, c.line);
        EXPECT_EQ(result.Describe(), c.described);
    }
    EXPECT_TRUE(ProgramCompare::Compare("TDK/VC5", "N001 X1\nREMARK\n", "N001 X1\r\nEX\r\n").Equal);
    EXPECT_TRUE(ProgramCompare::CanVerify("TDK/VC5"));
    EXPECT_FALSE(ProgramCompare::CanVerify("DYNA/PERT"));
}

}  // namespace
