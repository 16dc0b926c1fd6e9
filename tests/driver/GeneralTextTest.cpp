// The General sort order and the case-insensitive LIKE of the note database,
// over UTF-8 as SQLite stores text, each checked against the UTF-16 forms
// (CompareGeneral and the reference Utf16Like) wherever the text is
// well-formed.
#include "driver/GeneralText.h"
#include "driver/LikePattern.h"
#include "driver/Utf.h"
#include "tests/reference/Utf16Like.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

int Sign(int c) { return c < 0 ? -1 : c > 0 ? 1 : 0; }

int Compare(const std::string& a, const std::string& b)
{
    const std::u16string x = Utf8ToUtf16(a), y = Utf8ToUtf16(b);
    const int wide = Sign(CompareGeneral(x.data(), x.size(), y.data(), y.size()));
    const int narrow = Sign(CompareGeneralUtf8(a.data(), a.size(), b.data(), b.size()));
    EXPECT_EQ(wide, narrow) << "'" << a << "' against '" << b << "'";
    return narrow;
}

bool NewLike(const std::string& pattern, const std::string& text, char32_t escape = 0)
{
    return LikePattern(pattern.data(), pattern.size(), escape).Matches(text.c_str(), text.size());
}

// The driver's LIKE; for well-formed text it must agree with the UTF-16 reference.
bool Like(const std::string& pattern, const std::string& text, char32_t escape = 0)
{
    const bool narrow = NewLike(pattern, text, escape);
    const std::u16string p = Utf8ToUtf16(pattern), t = Utf8ToUtf16(text);
    EXPECT_EQ(Utf16Like(p.data(), p.size(), t.data(), t.size(), escape), narrow) << "'" << text << "' LIKE '" << pattern << "'";
    return narrow;
}

TEST(GeneralOrder, IgnoresCaseForAsciiLetters)
{
    EXPECT_EQ(-1, Compare("apple", "Banana"));
    EXPECT_EQ(-1, Compare("Banana", "cherry"));
    EXPECT_EQ(0, Compare("APPLE", "apple"));
    EXPECT_EQ(1, Compare("Zebra", "apple"));
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
    EXPECT_EQ(1, Compare("résumé", "rest"));
    EXPECT_EQ(-1, Compare("Report A", "report é"));
}

TEST(GeneralOrder, PrefixSortsFirst)
{
    EXPECT_EQ(-1, Compare("ab", "abc"));
    EXPECT_EQ(1, Compare("abc", "AB"));
    EXPECT_EQ(0, Compare("", ""));
    EXPECT_EQ(-1, Compare("", "é"));
}

TEST(GeneralOrder, TextThatIsNotWellFormedComparesByteByByteAsReplacementCharacters)
{
    // A stray byte reads as U+FFFD, after every letter; a cut sequence never reads past the end.
    EXPECT_EQ(1, CompareGeneralUtf8("a\xFF", 2, "az", 2));
    EXPECT_EQ(0, CompareGeneralUtf8("a\xFF", 2, "a\xC3", 2));
    EXPECT_EQ(0, CompareGeneralUtf8("\xEF\xBF\xBD", 3, "\xE2", 1));
    EXPECT_EQ(1, Sign(CompareGeneralUtf8("\xE2\x82", 2, "\xE2\x82\xAC", 3)));  // U+FFFD after U+20AC
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
    EXPECT_TRUE(Like("%%_%%", "x"));
    EXPECT_FALSE(Like("%_", ""));
    EXPECT_TRUE(Like("abc", "ABC"));
    EXPECT_FALSE(Like("abc", "ABCD"));
}

TEST(GeneralLike, IgnoresCaseForEveryLetterButNotAccents)
{
    EXPECT_TRUE(Like("%é%", "CAFÉ"));
    EXPECT_TRUE(Like("%ÿ%", "Ÿ"));
    EXPECT_TRUE(Like("%straße%", "STRAẞE"));
    EXPECT_FALSE(Like("%e%", "É"));
    EXPECT_TRUE(Like("%σοφ%", "ΦΙΛΟΣΟΦΊΑ"));
    EXPECT_TRUE(Like("%ς", "ΛΟΓΟΣ"));  // final sigma
    EXPECT_TRUE(Like("%привет%", "ну, ПРИВЕТ!"));
    EXPECT_TRUE(Like("%𐐨%", "x𐐀y"));  // Deseret, outside the BMP
}

TEST(GeneralLike, FindsTheFirstLetterInEveryCaseItHas)
{
    // After '%' the text is searched for the first letter's bytes: each of its cases must be among them.
    EXPECT_TRUE(Like("%kelvin%", "0 \u212Aelvin"));   // Kelvin sign
    EXPECT_TRUE(Like("%\u212Aelvin%", "0 kELVIN"));
    EXPECT_TRUE(Like("%select%", "\u017FELECT"));     // long s
    EXPECT_TRUE(Like("%µs%", "10 ΜS"));               // micro sign and Greek mu
    EXPECT_TRUE(Like("%ι%", "\u0345"));               // ypogegrammeni folds to iota
    EXPECT_TRUE(Like("%quillwort%", "qqqquillwor QUILLWORT"));
    EXPECT_FALSE(Like("%quillwort%", "qqqquillwor quillwor"));
}

TEST(GeneralLike, UnderscoreMatchesOneCharacterOutsideTheBmp)
{
    EXPECT_TRUE(Like("a_b", "a😀b"));
    EXPECT_FALSE(Like("a__b", "a😀b"));
    EXPECT_TRUE(Like("%_😀", "😀😀"));
}

TEST(GeneralLike, ApostropheAndEscape)
{
    EXPECT_TRUE(Like("%it's%", "so it's done"));
    EXPECT_TRUE(Like("100!%", "100%", U'!'));
    EXPECT_FALSE(Like("100!%", "1000", U'!'));
    EXPECT_TRUE(Like("a!_c", "a_c", U'!'));
    EXPECT_FALSE(Like("a!_c", "abc", U'!'));
    EXPECT_TRUE(Like("%x%%", "50%", U'X'));  // the escape is compared without regard to case
    EXPECT_TRUE(Like("ab!", "ab!", U'!'));   // an escape at the end is itself
    EXPECT_TRUE(Like("5%%%", "5%x", U'%'));  // '%' as the escape: "%%" is a literal '%'
    EXPECT_TRUE(NewLike("50😀%", "50%", U'😀'));
}

TEST(GeneralLike, BacktracksOverRepeatedPrefixes)
{
    EXPECT_TRUE(Like("%aab", "aaaab"));
    EXPECT_TRUE(Like("%a%b%c", "xaybzc"));
    EXPECT_FALSE(Like("%a%b%c", "xaybz"));
    EXPECT_TRUE(Like("%abab%", "ababaabab"));
}

TEST(GeneralLike, TextThatIsNotWellFormedIsReadSafely)
{
    // Each byte outside a well-formed sequence is one character, read as U+FFFD.
    EXPECT_TRUE(NewLike("a_b", "a\xFF" "b"));
    EXPECT_TRUE(NewLike("a__", "a\xE2\x82"));       // a sequence cut short: two characters
    EXPECT_TRUE(NewLike("a___", "a\xED\xA0\x80"));  // an encoded surrogate: three
    EXPECT_TRUE(NewLike("__", "\xC0\xAF"));         // an overlong '/': two
    EXPECT_FALSE(NewLike("%/%", "\xC0\xAF"));
    EXPECT_FALSE(NewLike("%é%", "caf\xC3"));        // the last byte alone
    EXPECT_TRUE(NewLike("%\xEF\xBF\xBD%", "x\xFFy"));
    EXPECT_TRUE(NewLike("%\xFF%", "x\xFEy"));       // both read as U+FFFD
    // NUL inside the text is a character; the scan goes past it.
    EXPECT_TRUE(NewLike("%cd", std::string("ab\0cd", 5)));
    EXPECT_TRUE(NewLike("ab_cd", std::string("ab\0cd", 5)));
}

// Well-formed texts from letters whose cases, folds and lengths differ.
class TextMaker {
public:
    explicit TextMaker(std::uint32_t seed) : m_state(seed) {}
    std::string Make(size_t maxCharacters, bool wildcards)
    {
        static const char* const pieces[] = {"a", "A", "b", "k", "K", "\u212A", "s", "S", "\u017F", "é", "É", "σ", "Σ", "ς",
                                             "ß", "ẞ", "😀", "𐐀", "𐐨", "ⅰ", "Ⅰ", " ", "!", "\uFFFD"};
        static const char* const wild[] = {"%", "_", "%", "!"};
        std::string out;
        const size_t n = Next() % (maxCharacters + 1);
        for (size_t i = 0; i < n; ++i) {
            const std::uint32_t r = Next();
            out += wildcards && r % 4 == 0 ? wild[(r / 4) % 4] : pieces[(r / 4) % (sizeof pieces / sizeof *pieces)];
        }
        return out;
    }

private:
    std::uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    std::uint32_t m_state;
};

TEST(GeneralLike, AgreesWithTheUtf16ReferenceOnManyPatterns)
{
    TextMaker maker(20261207);
    int matches = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string pattern = maker.Make(6, true), text = maker.Make(10, false);
        const char32_t escape = i % 3 == 0 ? U'!' : 0;
        matches += Like(pattern, text, escape) ? 1 : 0;
        if (::testing::Test::HasFailure()) break;
    }
    EXPECT_GT(matches, 500);  // the comparison covered matches, not only misses
}

TEST(GeneralOrder, AgreesWithTheUtf16OrderOnManyTexts)
{
    TextMaker maker(7);
    for (int i = 0; i < 20000 && !::testing::Test::HasFailure(); ++i) Compare(maker.Make(5, false), maker.Make(5, false));
}

} // namespace
