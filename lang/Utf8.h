#pragma once
// UTF-8 well-formedness, used to tell a UTF-8 language file from one written
// in the Korean Windows code page.

#include <string_view>

// True when `text` is well-formed UTF-8: no stray continuation bytes, no
// truncated or overlong sequences, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);
