// The General sort order and the case-insensitive LIKE of the note database.
#include "driver/GeneralText.h"
#include "driver/Utf.h"

#include <gtest/gtest.h>

namespace {

int Compare(const char* a, const char* b)
{
    const std::u16string x = Utf8ToUtf16(a), y = Utf8ToUtf16(b);
    const int c = CompareGeneral(x.data(), x.size(), y.data(), y.size());
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

bool Like(const char* pattern, const char* text, char32_t escape = 0)
{
    const std::u16string p = Utf8ToUtf16(pattern), t = Utf8ToUtf16(text);
    return LikeGeneral(p.data(), p.size(), t.data(), t.size(), escape);
}

TEST(GeneralOrder, IgnoresCaseForAsciiLetters)
{
    EXPECT_EQ(-1, Compare("apple", "Banana"));
    EXPECT_EQ(-1, Compare("Banana", "cherry"));
    EXPECT_EQ(0, Compare("APPLE", "apple"));
}

TEST(GeneralOrder, IgnoresCaseForEveryLetter)
{
    EXPECT_EQ(0, Compare("ÉCOLE", "école"));
    EXPECT_EQ(0, Compare("ΣΟΦΊΑ", "σοφία"));
    EXPECT_EQ(0, Compare("ПРИВЕТ", "привет"));
    EXPECT_EQ(0, Compare("𐐀", "𐐨"));  // Deseret, outside the BMP
}

TEST(GeneralOrder, AccentedLettersSortWithTheirBaseLetter)
{
    EXPECT_EQ(-1, Compare("Émile", "zebra"));
    EXPECT_EQ(-1, Compare("eagle", "Émile"));
    EXPECT_EQ(-1, Compare("resume", "résumé"));  // accents decide only between otherwise equal texts
    EXPECT_EQ(-1, Compare("résumé", "rest") * -1);
}

TEST(GeneralOrder, PrefixSortsFirst)
{
    EXPECT_EQ(-1, Compare("ab", "abc"));
    EXPECT_EQ(1, Compare("abc", "AB"));
    EXPECT_EQ(0, Compare("", ""));
}

TEST(GeneralLike, PercentAndUnderscore)
{
    EXPECT_TRUE(Like("%ab%", "xxABxx"));
    EXPECT_TRUE(Like("%", ""));
    EXPECT_TRUE(Like("a_c", "aXc"));
    EXPECT_FALSE(Like("a_c", "ac"));
    EXPECT_FALSE(Like("%ab%", "a b"));
    EXPECT_TRUE(Like("% %", "a b"));
    EXPECT_FALSE(Like("% %", "ab"));
}

TEST(GeneralLike, IgnoresCaseForEveryLetterButNotAccents)
{
    EXPECT_TRUE(Like("%é%", "CAFÉ"));
    EXPECT_TRUE(Like("%ÿ%", "Ÿ"));
    EXPECT_TRUE(Like("%straße%", "STRAẞE"));
    EXPECT_FALSE(Like("%e%", "É"));
}

TEST(GeneralLike, UnderscoreMatchesOneCharacterOutsideTheBmp)
{
    EXPECT_TRUE(Like("a_b", "a😀b"));
    EXPECT_FALSE(Like("a__b", "a😀b"));
}

TEST(GeneralLike, ApostropheAndEscape)
{
    EXPECT_TRUE(Like("%it's%", "so it's done"));
    EXPECT_TRUE(Like("100!%", "100%", U'!'));
    EXPECT_FALSE(Like("100!%", "1000", U'!'));
}

TEST(GeneralLike, BacktracksOverRepeatedPrefixes)
{
    EXPECT_TRUE(Like("%aab", "aaaab"));
    EXPECT_TRUE(Like("%a%b%c", "xaybzc"));
    EXPECT_FALSE(Like("%a%b%c", "xaybz"));
}

} // namespace
