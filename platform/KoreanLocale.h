#pragma once
// Whether the user's language is Korean, by the locale variables in their
// order of precedence: the first of LC_ALL, LC_MESSAGES and LANG that is set
// and not empty decides, and it is Korean when its language part is "ko"
// ("ko_KR.UTF-8", "ko"; not Konkani's "kok_IN").

// The rule itself (null or empty means "not set").
bool IsKoreanLocale(const char* lcAll, const char* lcMessages, const char* lang);

// The rule on this process's environment.
bool IsKoreanSystemLocale();
