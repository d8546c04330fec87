#pragma once
// Reading one text out of the table: the current language's column, the
// English column when that one is empty, and nothing beyond the end.

#include <string>

#include "lang/MultiLanguageArray.h"

// Text of row `index` in column `language`. An index outside the table gives
// an empty text; a language outside 0..5 reads as English, so a bad setting
// can never index past the row.
std::string LookupMultiLanguageStr(const MultiLanguageArray& table, int language, int index);
