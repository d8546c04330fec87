#pragma once
// Reads the program directory a TDK/VC5 machine prints for "LO". Each program
// is one line:
//
//     *P-NAME = NAME  STEP = nnnn DATE: ...
//
// The name lies between "*P-NAME = " and " STEP =", the step count between
// " STEP =" and " DATE:". Lines without the marks are ignored.
//
// An entry whose " STEP =" or " DATE:" is missing from its own line is left
// out and reading goes on with the next line, so a cut-short line never takes
// its name or count from the line after it; reading stops when the marks are
// missing from the rest of the text. An empty name is left out too.

#include <string_view>

#include "engine/McProgramEntry.h"

class TdkVc5ListingParser {
public:
    static McProgramEntryList Parse(std::string_view text);

    static constexpr std::string_view kNameMark = "*P-NAME = ";
    static constexpr std::string_view kStepMark = " STEP =";
    static constexpr std::string_view kDateMark = " DATE:";
};
