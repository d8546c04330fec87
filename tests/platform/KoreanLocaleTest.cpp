#include <gtest/gtest.h>

#include "platform/KoreanLocale.h"

namespace {

TEST(KoreanLocaleTest, FirstSetVariableDecides)
{
    EXPECT_TRUE(IsKoreanLocale(nullptr, nullptr, "ko_KR.UTF-8"));
    EXPECT_TRUE(IsKoreanLocale("ko_KR.eucKR", "C", "en_US.UTF-8"));
    EXPECT_FALSE(IsKoreanLocale("C", "ko_KR.UTF-8", "ko_KR.UTF-8"));
    EXPECT_TRUE(IsKoreanLocale("", "ko_KR.UTF-8", "en_GB.UTF-8"));
    EXPECT_FALSE(IsKoreanLocale("", "", "de_DE.UTF-8"));
    EXPECT_FALSE(IsKoreanLocale(nullptr, nullptr, nullptr));
    EXPECT_FALSE(IsKoreanLocale("", "", ""));
}

TEST(KoreanLocaleTest, OnlyTheKoreanLanguageCodeCounts)
{
    EXPECT_TRUE(IsKoreanLocale(nullptr, nullptr, "ko"));
    EXPECT_TRUE(IsKoreanLocale(nullptr, nullptr, "ko.UTF-8"));
    EXPECT_FALSE(IsKoreanLocale(nullptr, nullptr, "kok_IN"));   // Konkani
    EXPECT_FALSE(IsKoreanLocale(nullptr, nullptr, "k"));
    EXPECT_FALSE(IsKoreanLocale(nullptr, nullptr, "KO_KR"));
}

}  // namespace
