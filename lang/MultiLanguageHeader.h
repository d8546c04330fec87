#pragma once
// Export of the table as C++ source: the body of
// CKOVAApp::SetDefaultMultiLanguageStr, so that an edited table can be built
// into the program as its new default. The layout, CR LF line ends and the
// extra LF after some lines included, is the one the built-in table's own
// header has, so an export of the unchanged table reproduces it byte for byte.

#include <filesystem>
#include <string>
#include <string_view>

#include "lang/MultiLanguageArray.h"

class MultiLanguageHeader {
public:
    static constexpr std::string_view kFileName = "SetDefaultMultiLanguageStr.h";

    // Writes kFileName into `folder`, replacing an old one only once the new
    // one is complete. 1 when written, 0 otherwise.
    static int Export(const std::filesystem::path& folder, const MultiLanguageArray& table);

    // The bytes Export writes. Quotes, backslashes, TABs and line ends inside
    // a text are escaped so the header always compiles to the same text.
    static std::string Format(const MultiLanguageArray& table);
};
