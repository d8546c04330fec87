#pragma once
// Code page 949 (Korean Windows, a superset of EUC-KR) to UTF-8, for language
// files written on the Windows system. Uses the C library's iconv.

#include <optional>
#include <string>
#include <string_view>

class Cp949Decoder {
public:
    // The UTF-8 text of `bytes`; no value when they are not valid code page
    // 949 (an invalid or truncated double-byte sequence) or iconv lacks it.
    static std::optional<std::string> Decode(std::string_view bytes);
};
