#pragma once
// The installer's two-language text list: every text is a pair (English,
// Korean) indexed by the language. The language names come from one literal
// split at ",,", so index 0 is English and 1 Korean.

#include <string>
#include <vector>

#include "setup/SetupText.h"

class SetupTextList {
public:
    SetupTextList();

    // "English" and the Korean name, in index order.
    const std::vector<std::string>& LanguageNames() const { return languages_; }
    int LanguageCount() const { return static_cast<int>(languages_.size()); }

    // The text in `language`; a language outside the list reads as English.
    const std::string& Text(SetupText text, int language) const;
    // Text with its one "%s" replaced by `argument`.
    std::string Format(SetupText text, int language, const std::string& argument) const;

private:
    std::vector<std::string> languages_;
};
