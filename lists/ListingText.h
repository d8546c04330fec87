#pragma once
// Small text helpers the listing parsers share.

#include <cstdint>
#include <string_view>

namespace ListingText {

// Blanks, tabs, CR and LF removed at both ends.
std::string_view Trim(std::string_view text);

// The decimal value of a whole field: white space around it, an optional sign
// and digits only. Anything else, an empty field or a value outside the signed
// 32-bit range gives 0.
int32_t StepsValue(std::string_view field);

// Position of the first CR or LF at or after `from`, or npos.
std::size_t LineEnd(std::string_view text, std::size_t from);

}  // namespace ListingText
