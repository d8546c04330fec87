#include "lang/MultiLanguageLookup.h"

std::string LookupMultiLanguageStr(const MultiLanguageArray& table, int language, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= table.GetCount()) {
        return {};
    }
    const tMULTI_LANGUAGE& row = table[static_cast<std::size_t>(index)];
    const int slot = (language >= 0 && language < kLanguageSlots) ? language : 0;
    if (row.str[slot].empty()) {
        return row.str[0];
    }
    return row.str[slot];
}
