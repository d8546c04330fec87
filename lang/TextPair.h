#pragma once
// A text the text table has no row for, in English and in Korean: the Korean
// one for language 1, English for every other language.

#include <string>

struct TextPair {
    const char* English;
    const char* Korean;

    std::string For(int language) const { return language == 1 ? Korean : English; }
};
