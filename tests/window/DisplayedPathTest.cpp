// How the File menu shows a recent note database: long paths shortened
// around "...", numbered, ampersands kept as text.
#include "window/DisplayedPath.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

TEST(ShortenPath, AShortPathStaysWhole)
{
    EXPECT_EQ("C:\\notes\\work.mdb", Narrow(ShortenPath(L"C:\\notes\\work.mdb", 40)));
    const std::wstring exactly40 = L"C:\\" + std::wstring(31, L'a') + L"\\b.mdb";
    ASSERT_EQ(40u, exactly40.size());
    EXPECT_EQ(Narrow(exactly40), Narrow(ShortenPath(exactly40, 40)));
    EXPECT_EQ("C:\\...\\b.mdb", Narrow(ShortenPath(exactly40, 39))) << "one character more is shortened";
}

TEST(ShortenPath, KeepsTheRootAndAsManyLastFoldersAsFit)
{
    const std::wstring path = L"C:\\users\\someone\\Documents\\quillbox\\reports\\2026\\orders.mdb";
    EXPECT_EQ("C:\\...\\quillbox\\reports\\2026\\orders.mdb", Narrow(ShortenPath(path, 40)));
    EXPECT_EQ("C:\\...\\reports\\2026\\orders.mdb", Narrow(ShortenPath(path, 38)));
    EXPECT_EQ("C:\\...\\reports\\2026\\orders.mdb", Narrow(ShortenPath(path, 30)));
    EXPECT_EQ("C:\\...\\2026\\orders.mdb", Narrow(ShortenPath(path, 29)));
    EXPECT_EQ("C:\\...\\orders.mdb", Narrow(ShortenPath(path, 17)));
    EXPECT_EQ("...\\orders.mdb", Narrow(ShortenPath(path, 16)));
    EXPECT_EQ("orders...", Narrow(ShortenPath(path, 9)));
    for (std::size_t max = 4; max < path.size(); ++max) EXPECT_LE(ShortenPath(path, max).size(), max) << "at most " << max;
}

TEST(ShortenPath, ASharedPathKeepsServerAndShare)
{
    const std::wstring path = L"\\\\fileserver\\team\\projects\\archive\\old\\notes.mdb";
    EXPECT_EQ("\\\\fileserver\\team\\...\\old\\notes.mdb", Narrow(ShortenPath(path, 36)));
    EXPECT_EQ("...\\notes.mdb", Narrow(ShortenPath(path, 20)));
}

TEST(ShortenPath, ALongFileNameIsCutAtItsEnd)
{
    const std::wstring path = L"C:\\n\\" + std::wstring(60, L'q') + L".mdb";
    const std::wstring shown = ShortenPath(path, 40);
    EXPECT_EQ(Narrow(std::wstring(37, L'q') + L"..."), Narrow(shown));
}

TEST(RecentFileMenuText, NumbersTheEntryAndDoublesAmpersands)
{
    EXPECT_EQ("&1 C:\\R&&D\\Q&&A.mdb", Narrow(RecentFileMenuText(1, L"C:\\R&D\\Q&A.mdb", 40)));
    EXPECT_EQ("&4 C:\\...\\2026\\orders.mdb",
              Narrow(RecentFileMenuText(4, L"C:\\users\\someone\\Documents\\quillbox\\reports\\2026\\orders.mdb", 22)));
}

} // namespace
