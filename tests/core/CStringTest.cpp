// CString: formatting with the Windows meanings, case-blind comparison,
// trimming and buffer access.
#include <gtest/gtest.h>

#include "framework/CString.h"

namespace {

CString Formatted(const wchar_t* format, ...)
{
    CString text;
    va_list args;
    va_start(args, format);
    text.FormatV(format, args);
    va_end(args);
    return text;
}

TEST(CString, FormatTakesWideTextForPercentS)
{
    EXPECT_EQ(Formatted(L"DBQ=%s;", L"C:\\a b\\n.mdb"), CString(L"DBQ=C:\\a b\\n.mdb;"));
    EXPECT_EQ(Formatted(L"%s|%s", L"", L"x"), CString(L"|x"));
}

TEST(CString, FormatNumbersAtTheirLimits)
{
    EXPECT_EQ(Formatted(L"%d", -32768), CString(L"-32768"));
    EXPECT_EQ(Formatted(L"%d", 2147483647), CString(L"2147483647"));
    EXPECT_EQ(Formatted(L"%d", static_cast<int>(-2147483647 - 1)), CString(L"-2147483648"));
    EXPECT_EQ(Formatted(L"%u %x %X", 4000000000u, 255u, 255u), CString(L"4000000000 ff FF"));
    EXPECT_EQ(Formatted(L"[%5d][%-4d][%03d][%05d]", 42, 7, 5, -12), CString(L"[   42][7   ][005][-0012]"));
    EXPECT_EQ(Formatted(L"100%% %c", L'x'), CString(L"100% x"));
}

TEST(CString, FormatLeavesUnknownDirectivesAndATrailingPercent)
{
    EXPECT_EQ(Formatted(L"%q and %"), CString(L"%q and "));
}

TEST(CString, CompareNoCaseFoldsEveryLetter)
{
    EXPECT_EQ(CString(L"None").CompareNoCase(L"NONE"), 0);
    EXPECT_EQ(CString(L"\u00e9t\u00e9").CompareNoCase(L"\u00c9T\u00c9"), 0);
    EXPECT_LT(CString(L"apple").CompareNoCase(L"Banana"), 0);
    EXPECT_GT(CString(L"abc").CompareNoCase(L"AB"), 0);
    EXPECT_NE(CString(L"abc").Compare(L"ABC"), 0);
}

TEST(CString, TrimRemovesSpacesTabsAndLineBreaksOnBothEnds)
{
    CString text(L" \t\r\n note  title \n");
    EXPECT_EQ(text.Trim(), CString(L"note  title"));
    CString blank(L"   ");
    EXPECT_TRUE(blank.Trim().IsEmpty());
}

TEST(CString, ReplaceAndFind)
{
    CString text(L"it's Bob's");
    EXPECT_EQ(text.Replace(L"'", L"''"), 2);
    EXPECT_EQ(text, CString(L"it''s Bob''s"));
    EXPECT_EQ(text.Find(L"Bob"), 6);
    EXPECT_EQ(text.Find(L'z'), -1);
    EXPECT_EQ(text.Find(L'i', 100), -1);
    EXPECT_EQ(CString(L"").Replace(L"", L"x"), 0);
}

TEST(CString, SubstringsClampOutOfRangeArguments)
{
    CString text(L"abcdef");
    EXPECT_EQ(text.Left(10), text);
    EXPECT_EQ(text.Right(-1), CString(L""));
    EXPECT_EQ(text.Mid(4, 10), CString(L"ef"));
    EXPECT_EQ(text.Mid(9), CString(L""));
}

TEST(CString, BufferReleaseCutsAtTheFirstNul)
{
    CString text;
    wchar_t* buffer = text.GetBuffer(10);
    buffer[0] = L'o';
    buffer[1] = L'k';
    buffer[2] = L'\0';
    text.ReleaseBuffer();
    EXPECT_EQ(text, CString(L"ok"));
    EXPECT_EQ(text.GetLength(), 2);
}

TEST(CString, HoldsEmbeddedTextOutsideTheBasicPlane)
{
    const CString text(L"\U0001F600 note");
    EXPECT_EQ(CString(text.GetString()), text);
    EXPECT_EQ(Formatted(L"%s", text.GetString()), text);
}

} // namespace
