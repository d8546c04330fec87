#include <gtest/gtest.h>

#include <string>

#include "lists/ListingText.h"
#include "lists/TdkVc5ListingParser.h"
#include "lists/UniversalListingParser.h"

namespace {

McProgramEntryList Universal(const std::string& text) { return UniversalListingParser::Parse(text); }
McProgramEntryList Tdk(const std::string& text) { return TdkVc5ListingParser::Parse(text); }

TEST(UniversalListingParserTest, ListsEntriesInMachineOrderWithTrimmedNames) {
    const std::string text =
        "NAMES\r\n"
        "0001>  +01250  PCB-MAIN-A1.NCD   \r\n"
        "0002>  +00342  PCB POWER\r\n"
        "0003>  +00017  \tTEST_JIG\r\n";
    EXPECT_EQ(Universal(text), (McProgramEntryList{{"PCB-MAIN-A1.NCD", 1250}, {"PCB POWER", 342}, {"TEST_JIG", 17}}));
}

TEST(UniversalListingParserTest, StepsThatAreNoNumberReadAsZero) {
    const std::string text =
        "0001>  +0x1F2  HEX\r\n"
        "0002>  +  42   BLANKS\r\n"
        "0003>  +-0007  SIGNED\r\n"
        "0004>  +     ..EMPTY\r\n";
    EXPECT_EQ(Universal(text),
              (McProgramEntryList{{"HEX", 0}, {"BLANKS", 42}, {"SIGNED", -7}, {"EMPTY", 0}}));
}

TEST(UniversalListingParserTest, EntriesCutShortOrWithoutNameAreSkipped) {
    const std::string text =
        "0001>  +001\r\n"            // line ends inside the step field
        "0002>  +00012 \r\n"         // ends inside the filler
        "0003>  +00012    \r\n"      // name of blanks only
        "0004>  +00005  GOOD\r\n"
        "0005>  +0\n"                // LF alone ends a line as well
        "0006>  +00009  LAST\r\n";
    EXPECT_EQ(Universal(text), (McProgramEntryList{{"GOOD", 5}, {"LAST", 9}}));
}

TEST(UniversalListingParserTest, AnEntryWithoutLineEndIsNotTakenAndNothingIsReadPastTheText) {
    EXPECT_EQ(Universal("0001>  +00001  ONE\r\n0002>  +00002  TW"), (McProgramEntryList{{"ONE", 1}}));
    // The text ends right after the mark or inside the fields.
    for (const char* cut : {">  +", ">  +12", ">  +12345  ", ">  "}) {
        EXPECT_TRUE(Universal(cut).empty()) << cut;
    }
    // A name stops at its own line end, never at a CR further on.
    EXPECT_EQ(Universal("0001>  +00001  ONE\nno mark here\r\n"), (McProgramEntryList{{"ONE", 1}}));
}

TEST(UniversalListingParserTest, EmptyDirectoryAndGarbageGiveNoEntries) {
    EXPECT_TRUE(Universal("").empty());
    EXPECT_TRUE(Universal("NAMES\r\nNO PROGRAM\r\nMC>  ").empty());
    EXPECT_TRUE(Universal(std::string("\x01\xff>+ > +>  -00001  X\r\n", 22)).empty());
    EXPECT_TRUE(Universal(std::string(5000, '>')).empty());
}

TEST(TdkVc5ListingParserTest, ReadsNamesAndStepsBetweenTheMarks) {
    const std::string text =
        "LO\r\n"
        "*P-NAME = VC5-BOARD1 STEP =   820 DATE: 24/01/15\r\n"
        "*P-NAME =   A B     STEP =7 DATE: 24/02/03\r\n";
    EXPECT_EQ(Tdk(text), (McProgramEntryList{{"VC5-BOARD1", 820}, {"A B", 7}}));
}

TEST(TdkVc5ListingParserTest, ALastEntryWithoutStepEndsTheList) {
    const std::string text =
        "*P-NAME = ONE STEP = 1 DATE: x\r\n"
        "*P-NAME = TWO STEP = 2 DATE: x\r\n"
        "*P-NAME = THREE";
    EXPECT_EQ(Tdk(text), (McProgramEntryList{{"ONE", 1}, {"TWO", 2}}));
    EXPECT_EQ(Tdk("*P-NAME = ONE STEP = 1"), McProgramEntryList{});
}

TEST(TdkVc5ListingParserTest, AnEntryCutShortNeverBorrowsFromTheNextLine) {
    const std::string text =
        "*P-NAME = CUT\r\n"                                // no step field on its line
        "*P-NAME = NEXT STEP = 5 DATE: 24/01/01\r\n"
        "*P-NAME = NODATE STEP = 6\r\n"                    // no date mark on its line
        "*P-NAME = LAST STEP = 7 DATE: 24/01/02\r\n";
    EXPECT_EQ(Tdk(text), (McProgramEntryList{{"NEXT", 5}, {"LAST", 7}}));
}

TEST(TdkVc5ListingParserTest, OddFieldsGiveZeroStepsOrAreSkipped) {
    const std::string text =
        "*P-NAME = BAD STEP = 12x DATE: a\r\n"
        "*P-NAME =  STEP = 3 DATE: b\r\n"                  // empty name
        "*P-NAME = HUGE STEP = 99999999999 DATE: c\r\n"
        "*P-NAME = NEG STEP = -4 DATE: d\r\n";
    EXPECT_EQ(Tdk(text), (McProgramEntryList{{"BAD", 0}, {"HUGE", 0}, {"NEG", -4}}));
}

TEST(TdkVc5ListingParserTest, EmptyDirectoryAndGarbageGiveNoEntries) {
    EXPECT_TRUE(Tdk("").empty());
    EXPECT_TRUE(Tdk("LO\r\nNO PROGRAM\r\n.").empty());
    EXPECT_TRUE(Tdk("*P-NAME = ").empty());
    EXPECT_TRUE(Tdk(" STEP = 1 DATE: *P-NAME =").empty());
}

TEST(ListingTextTest, StepsValueTakesWholeDecimalFieldsOnly) {
    EXPECT_EQ(ListingText::StepsValue(" 2147483647 "), 2147483647);
    EXPECT_EQ(ListingText::StepsValue("-2147483648"), INT32_MIN);
    EXPECT_EQ(ListingText::StepsValue("2147483648"), 0);
    EXPECT_EQ(ListingText::StepsValue("+"), 0);
    EXPECT_EQ(ListingText::StepsValue("1 2"), 0);
    EXPECT_EQ(ListingText::StepsValue("\r\n"), 0);
}

}  // namespace
