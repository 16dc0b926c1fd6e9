// Cell texts shortened to their width with "...".
#include "controls/GridTextFit.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <random>
#include <string>
#include <vector>

namespace {

// Every character is 7 pixels wide, except 'W' (12).
int Measure(const wchar_t* text, int length)
{
    int width = 0;
    for (int i = 0; i < length; ++i) width += text[i] == L'W' ? 12 : 7;
    return width;
}

std::wstring Fit(const std::wstring& text, int width, int offset)
{
    std::vector<wchar_t> shortened(kGridTextBufferSize, L'#');
    const wchar_t* result = ShortenText(text.c_str(), shortened.data(), width, offset, Measure);
    return result;
}

TEST(GridTextFitTest, TextThatFitsIsReturnedItself)
{
    const wchar_t* text = L"abc";  // 21 pixels
    std::vector<wchar_t> shortened(kGridTextBufferSize);
    EXPECT_EQ(text, ShortenText(text, shortened.data(), 26, 4, Measure));
    EXPECT_EQ(L"", Fit(L"", 0, 4));
}

TEST(GridTextFitTest, ExactFitIsAlreadyTooWide)
{
    // 21 + 4 is not below 25.
    EXPECT_EQ(L"a...", Fit(L"abc", 25, 4));
}

TEST(GridTextFitTest, KeepsTheLongestPrefixThatFitsWithTheDots)
{
    // "abcdefgh" is 56 and fits below 69 with offset 12; dots 21: a prefix
    // of k characters fits when 7k + 33 < width.
    EXPECT_EQ(L"abcdefgh", Fit(L"abcdefgh", 69, 12));
    EXPECT_EQ(L"abcd...", Fit(L"abcdefgh", 68, 12));
    EXPECT_EQ(L"abc...", Fit(L"abcdefgh", 55, 12));
    EXPECT_EQ(L"ab...", Fit(L"abcdefgh", 54, 12));
}

TEST(GridTextFitTest, AtLeastOneCharacterStays)
{
    EXPECT_EQ(L"a...", Fit(L"abcdefgh", 5, 12));
    EXPECT_EQ(L"W...", Fit(L"W", 10, 4));
}

TEST(GridTextFitTest, LongestTextsNeverOverrunTheBuffer)
{
    // 259 wide characters in a column just too narrow for all of them:
    // 257 of them and the narrower dots would fit, but the buffer holds 256.
    const std::wstring text(259, L'W');
    const std::wstring got = Fit(text, 259 * 12 + 4, 4);
    ASSERT_LT(got.size(), static_cast<size_t>(kGridTextBufferSize));
    EXPECT_EQ(L"...", got.substr(got.size() - 3));
    EXPECT_EQ(256u + 3u, got.size());
}

TEST(GridTextFitTest, AgreesWithTryingEveryPrefixFromTheLongest)
{
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        std::wstring text;
        const int length = 1 + static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) text += random() % 4 == 0 ? L'W' : L'i';
        const int width = static_cast<int>(random() % 400);
        const int offset = random() % 2 ? 4 : 12;
        std::wstring expected = text;
        if (Measure(text.c_str(), length) + offset >= width) {
            int keep = length - 1;
            while (keep > 1 && Measure(text.c_str(), keep) + offset + 21 >= width) --keep;
            expected = text.substr(0, static_cast<size_t>(std::max(keep, 1))) + L"...";
        }
        EXPECT_EQ(expected, Fit(text, width, offset)) << "width " << width << " offset " << offset;
    }
}

TEST(GridTextFitTest, OnlyATextDrawnWholeKeepsItsColumnsAlignment)
{
    EXPECT_EQ(GridTextAlign::Right, CellTextAlign(false, GridTextAlign::Right));
    EXPECT_EQ(GridTextAlign::Centre, CellTextAlign(false, GridTextAlign::Centre));
    EXPECT_EQ(GridTextAlign::Left, CellTextAlign(true, GridTextAlign::Right)) << "its start stays in view";
    EXPECT_EQ(GridTextAlign::Left, CellTextAlign(true, GridTextAlign::Centre));
}

}  // namespace
