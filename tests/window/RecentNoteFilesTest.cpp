// CRecentNoteFiles: order and limit of the recent note databases, and a
// stored list read with everything that cannot be a full path left out.
#include "window/RecentNoteFiles.h"
#include "window/DoubleClickPage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::wstring>;

std::wstring Stored(const Paths& paths)
{
    std::wstring stored;
    for (const std::wstring& p : paths) stored += p + std::wstring(1, L'\0');
    return stored + std::wstring(1, L'\0');
}

std::string Describe(const Paths& paths)
{
    std::string out;
    for (const std::wstring& p : paths) {
        out += out.empty() ? "" : " | ";
        for (wchar_t c : p) out += c < 128 ? static_cast<char>(c) : '?';
    }
    return "[" + out + "]";
}

TEST(RecentNoteFiles, NewestFirstAtMostFourAndAReopenedFileMovesToTheTop)
{
    CRecentNoteFiles files;
    for (const wchar_t* p : {L"C:\\n\\1.mdb", L"C:\\n\\2.mdb", L"C:\\n\\3.mdb", L"C:\\n\\4.mdb", L"C:\\n\\5.mdb"}) EXPECT_TRUE(files.Add(p));
    EXPECT_EQ(Describe({L"C:\\n\\5.mdb", L"C:\\n\\4.mdb", L"C:\\n\\3.mdb", L"C:\\n\\2.mdb"}), Describe(files.Paths()));

    EXPECT_TRUE(files.Add(L"c:\\N\\3.MDB")) << "the same file in other letter case";
    EXPECT_EQ(Describe({L"c:\\N\\3.MDB", L"C:\\n\\5.mdb", L"C:\\n\\4.mdb", L"C:\\n\\2.mdb"}), Describe(files.Paths()));

    EXPECT_TRUE(files.Remove(L"C:\\n\\4.mdb"));
    EXPECT_FALSE(files.Remove(L"C:\\n\\4.mdb"));
    EXPECT_EQ(Describe({L"c:\\N\\3.MDB", L"C:\\n\\5.mdb", L"C:\\n\\2.mdb"}), Describe(files.Paths()));

    EXPECT_FALSE(files.Add(L"notes.mdb")) << "a relative path is never remembered";
    EXPECT_EQ(3u, files.Paths().size());
}

TEST(RecentNoteFiles, StoredTextRoundTripsAndACleanListNeedsNoRewrite)
{
    CRecentNoteFiles files;
    files.Add(L"\\\\server\\share\\notes.mdb");
    files.Add(L"Z:\\tmp\\R&D notes.mdb");
    const std::wstring stored = files.Stored();
    EXPECT_EQ(Stored({L"Z:\\tmp\\R&D notes.mdb", L"\\\\server\\share\\notes.mdb"}), stored);

    CRecentNoteFiles read;
    EXPECT_TRUE(read.Load(stored));
    EXPECT_EQ(Describe(files.Paths()), Describe(read.Paths()));

    CRecentNoteFiles empty;
    EXPECT_EQ(std::wstring(1, L'\0'), empty.Stored());
    EXPECT_TRUE(empty.Load(std::wstring(1, L'\0')));
    EXPECT_FALSE(empty.Load(std::wstring())) << "an empty value is rewritten in the usual form";
    EXPECT_TRUE(empty.Paths().empty());
}

TEST(RecentNoteFiles, GarbageInAStoredListIsLeftOutAndTheListRewritten)
{
    const std::wstring good1 = L"C:\\notes\\work.mdb", good2 = L"D:\\home\\me\\old.mdb";
    const Paths stored = {
        good1,
        std::wstring(L"C:\\bad\x01name.mdb"),
        L"C:\\" + std::wstring(4997, L'x'),  // 5,000 characters
        L"relative\\notes.mdb",
        L"C:\\folder\\",
        L"C:notes.mdb",
        L"\\\\.\\PhysicalDrive0",
        L"\\\\?\\C:\\x.mdb",
        L"\\\\server\\share",
        L"C:\\a\\\\b.mdb",
        L"C:\\what?.mdb",
        L"C:\\dir\\a:b.mdb",
        L"C:\\NOTES\\WORK.MDB",  // a repeat
        good2,
    };
    CRecentNoteFiles files;
    EXPECT_FALSE(files.Load(Stored(stored)));
    EXPECT_EQ(Describe({good1, good2}), Describe(files.Paths()));
    EXPECT_EQ(Stored({good1, good2}), files.Stored());

    // No terminators, a missing final NUL, empty entries, more than four.
    EXPECT_FALSE(files.Load(good1));
    EXPECT_EQ(Describe({good1}), Describe(files.Paths()));
    EXPECT_FALSE(files.Load(good1 + std::wstring(1, L'\0') + good2 + std::wstring(1, L'\0')));
    EXPECT_EQ(Describe({good1, good2}), Describe(files.Paths()));
    EXPECT_FALSE(files.Load(std::wstring(3, L'\0') + good2 + std::wstring(2, L'\0')));
    EXPECT_EQ(Describe({good2}), Describe(files.Paths()));
    EXPECT_FALSE(files.Load(Stored({L"C:\\1.mdb", L"C:\\2.mdb", L"C:\\3.mdb", L"C:\\4.mdb", L"C:\\5.mdb"})));
    EXPECT_EQ(Describe({L"C:\\1.mdb", L"C:\\2.mdb", L"C:\\3.mdb", L"C:\\4.mdb"}), Describe(files.Paths()));
    EXPECT_FALSE(files.Load(std::wstring(5000, L'\xFFFF')));
    EXPECT_TRUE(files.Paths().empty());
}

TEST(RecentNoteFiles, PathLengthLimitIsTheFileDialogs)
{
    const std::wstring longest = L"C:\\" + std::wstring(CRecentNoteFiles::kMaxPathLength - 3, L'n');
    EXPECT_TRUE(CRecentNoteFiles::IsUsablePath(longest));
    EXPECT_FALSE(CRecentNoteFiles::IsUsablePath(longest + L"n"));
    EXPECT_TRUE(CRecentNoteFiles::IsUsablePath(L"\\\\server\\share\\notes.mdb"));
    EXPECT_TRUE(CRecentNoteFiles::IsUsablePath(L"C:\\users\\me\\Temp\\quillbox dialog\\R&D (2) notes.mdb"));
    EXPECT_FALSE(CRecentNoteFiles::IsUsablePath(L""));
    EXPECT_FALSE(CRecentNoteFiles::IsUsablePath(L"C:\\"));
}

TEST(DoubleClickPageNumber, OnlyNoneViewAndEditAreChoices)
{
    DoubleClickPage page = DoubleClickPage::Edit;
    EXPECT_TRUE(DoubleClickPageFromNumber(0, page));
    EXPECT_EQ(DoubleClickPage::None, page);
    EXPECT_TRUE(DoubleClickPageFromNumber(1, page));
    EXPECT_EQ(DoubleClickPage::View, page);
    EXPECT_TRUE(DoubleClickPageFromNumber(2, page));
    EXPECT_EQ(DoubleClickPage::Edit, page);
    EXPECT_FALSE(DoubleClickPageFromNumber(3, page));
    EXPECT_FALSE(DoubleClickPageFromNumber(0xFFFFFFFFul, page));
    EXPECT_EQ(DoubleClickPage::Edit, page) << "an unknown number leaves the choice alone";
}

} // namespace
