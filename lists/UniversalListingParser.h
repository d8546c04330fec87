#pragma once
// Reads the program directory a UNIVERSAL machine prints for "NAMES". Each
// program is one line:
//
//     nnnn>  +SSSSS..NAME
//
// where ">  +" marks the entry, SSSSS is the five-character step count, two
// filler characters follow and the name runs to the line end. Anything that
// does not carry the mark (echoes, headers, "no program" notes) is ignored.
//
// An entry whose line ends inside the step or filler fields, whose name is
// empty, or that is not finished by a line end (the text was cut off) is left
// out; the parser never reads past the text.

#include <string_view>

#include "engine/McProgramEntry.h"

class UniversalListingParser {
public:
    static McProgramEntryList Parse(std::string_view text);

    static constexpr std::string_view kEntryMark = ">  +";
    static constexpr std::size_t kStepsWidth = 5;
    // Offset of the name from the start of the mark: the mark, the step
    // count and two filler characters.
    static constexpr std::size_t kNameOffset = 11;
};
