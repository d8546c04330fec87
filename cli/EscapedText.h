#pragma once
// Text that kova-cli prints in a field or a status entry: TAB, CR, LF, ESC and
// every other control byte (below 0x20, 0x7F) are written as \t, \r, \n, \x1b
// and \xNN, so that a value can never add a line or a column for a script that
// reads the output. Other bytes pass unchanged.

#include <string>
#include <string_view>

std::string EscapedText(std::string_view text);
