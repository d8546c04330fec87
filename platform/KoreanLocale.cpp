#include "platform/KoreanLocale.h"

#include <cstdlib>

namespace {

// "ko", "ko_KR", "ko_KR.UTF-8", "ko@..." name Korean; "kok_IN" (Konkani)
// begins with the same two letters but is another language.
bool NamesKorean(const char* locale)
{
    if (locale[0] != 'k' || locale[1] != 'o') {
        return false;
    }
    const char next = locale[2];
    return next == '\0' || next == '_' || next == '.' || next == '@';
}

}  // namespace

bool IsKoreanLocale(const char* lcAll, const char* lcMessages, const char* lang)
{
    const char* const variables[] = {lcAll, lcMessages, lang};
    for (const char* value : variables) {
        if (value != nullptr && value[0] != '\0') {
            return NamesKorean(value);
        }
    }
    return false;
}

bool IsKoreanSystemLocale()
{
    return IsKoreanLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}
