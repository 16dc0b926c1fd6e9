// Bad input on the pages: empty and blank required fields, a title too long
// for its column, apostrophes everywhere, a megabyte query, and a database
// closed by a failed Open. Each gets its message and loses nothing stored.
#include <gtest/gtest.h>

#include "tests/pages/PageTestData.h"
#include "tests/pages/PagesUi.h"
#include "tests/window/DialogHarness.h"

namespace {

using namespace pages;
using namespace pagedata;

void ExpectOneBox(const std::vector<Box>& boxes, const wchar_t* text, UINT icon)
{
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(text, boxes[0].text);
    EXPECT_EQ(icon, boxes[0].icon);
}

// The note on the Edit page is still unsaved.
void ExpectNewNote(HWND edit)
{
    EXPECT_FALSE(IsVisible(edit, kEditNew));
    EXPECT_FALSE(IsEnabled(edit, kEditDelete));
}

TEST(BadInput, RequiredFieldsLongTitlesAndApostrophes)
{
    const std::wstring folder = NewTestFolder(L"bad input");
    const std::wstring file = folder + L"\\bad.mdb";
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(FileNew(dialog, file).empty());
        const Pages p = FindPages(dialog);
        ShowTab(dialog, 1);
        const wchar_t* required = L"Title and Quey is the required field";
        SetText(p.edit, kEditQuery, L"SELECT 1");
        ExpectOneBox(Click(p.edit, kEditSave), required, MB_ICONEXCLAMATION);
        SetText(p.edit, kEditTitle, L"   ");
        ExpectOneBox(Click(p.edit, kEditSave), required, MB_ICONEXCLAMATION);
        SetText(p.edit, kEditTitle, L"Blank query");
        SetText(p.edit, kEditQuery, L" \r\n\t ");
        ExpectOneBox(Click(p.edit, kEditSave), required, MB_ICONEXCLAMATION);
        ExpectNewNote(p.edit);
        EXPECT_EQ(L"Blank query", Text(p.edit, kEditTitle)) << "the page keeps what was typed";

        ShowTab(dialog, 2);
        SetText(p.groupEdit, kGroupName, L"   ");
        ExpectOneBox(Click(p.groupEdit, kGroupSave), L"Group name is the required field", MB_ICONEXCLAMATION);
        EXPECT_TRUE(ComboTexts(p.groupEdit, kGroupName).empty());

        // A title one character over the column is refused by the database;
        // the page stays on its unsaved note.
        ShowTab(dialog, 1);
        const std::wstring longest(255, L'x');
        SetText(p.edit, kEditTitle, longest + L"y");
        SetText(p.edit, kEditQuery, L"SELECT 1");
        std::vector<Box> boxes = Click(p.edit, kEditSave);
        ASSERT_EQ(1u, boxes.size());
        EXPECT_NE(std::wstring::npos, boxes[0].text.find(L"too long")) << Narrow(boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), boxes[0].icon);
        ExpectNewNote(p.edit);
        EXPECT_EQ(longest + L"y", Text(p.edit, kEditTitle));
        // 255 characters fit; an update one over is refused and the note stays.
        SetText(p.edit, kEditTitle, longest);
        EXPECT_TRUE(Click(p.edit, kEditSave).empty());
        SetText(p.edit, kEditTitle, longest + L"y");
        boxes = Click(p.edit, kEditSave);
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), boxes[0].icon);
        EXPECT_TRUE(IsEnabled(p.edit, kEditDelete)) << "still the saved note";

        // Apostrophes in every field are stored and shown as typed.
        ShowTab(dialog, 2);
        SetText(p.groupEdit, kGroupName, W(kQuotedGroup));
        SetText(p.groupEdit, kGroupComments, W(kQuotedGroupDescription));
        EXPECT_TRUE(Click(p.groupEdit, kGroupSave).empty());
        EXPECT_EQ(Texts{W(kQuotedGroup)}, ComboTexts(p.groupEdit, kGroupName));
        EXPECT_EQ((Texts{W(kQuotedGroup), L"None"}), ComboTexts(p.edit, kEditGroup));
        EXPECT_TRUE(ChooseEntry(p.groupEdit, kGroupName, W(kQuotedGroup)).empty());
        EXPECT_EQ(W(kQuotedGroupDescription), Text(p.groupEdit, kGroupComments));
        ShowTab(dialog, 1);
        EXPECT_TRUE(Click(p.edit, kEditNew).empty());
        SetText(p.edit, kEditTitle, W(kQuotedTitle));
        SetText(p.edit, kEditComments, W(kQuotedComments));
        SetText(p.edit, kEditQuery, W(kQuotedQuery));
        ChooseEntry(p.edit, kEditGroup, W(kQuotedGroup));
        EXPECT_TRUE(Click(p.edit, kEditSave).empty());
        EXPECT_TRUE(Click(p.edit, kEditNew).empty());
        EXPECT_TRUE(Find(dialog, L"Today's").empty());
        ASSERT_EQ(Texts{W(kQuotedTitle)}, ListRows(dialog));
        EXPECT_TRUE(DoubleClickRow(dialog, 0).empty());
        EXPECT_EQ(W(kQuotedTitle), Text(p.edit, kEditTitle));
        EXPECT_EQ(W(kQuotedComments), Text(p.edit, kEditComments));
        EXPECT_EQ(W(kQuotedQuery), Text(p.edit, kEditQuery));
        EXPECT_EQ(W(kQuotedQuery), Text(p.view, kViewQuery));
        Snapshot(file, "bad-input");
    });
    RemoveTestFolder(folder);
}

TEST(BadInput, MegabyteQueryIsStoredAndShownWhole)
{
    const std::wstring folder = NewTestFolder(L"big query");
    const std::wstring file = folder + L"\\big.mdb";
    const std::wstring big = W(BigQuery().c_str());
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(FileNew(dialog, file).empty());
        const Pages p = FindPages(dialog);
        ShowTab(dialog, 1);
        SetText(p.edit, kEditTitle, W(kBigTitle));
        SetText(p.edit, kEditQuery, big);
        ASSERT_EQ(big.size(), Text(p.edit, kEditQuery).size()) << "the paste reached the box whole";
        EXPECT_TRUE(Click(p.edit, kEditSave).empty());
        EXPECT_TRUE(Click(p.edit, kEditNew).empty());
        EXPECT_TRUE(Find(dialog, W(kBigTitle)).empty());
        EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, W(kBigTitle))).empty());
        EXPECT_TRUE(Text(p.view, kViewQuery) == big) << "the View page shows all of it";
        EXPECT_TRUE(Text(p.edit, kEditQuery) == big) << "the Edit page loads all of it";
        Snapshot(file, "big-query");
    });
    RemoveTestFolder(folder);
}

TEST(BadInput, FailedOpenClosesTheDatabaseAndLosesNothing)
{
    const std::wstring folder = NewTestFolder(L"failed open");
    const std::wstring file = folder + L"\\kept.mdb";
    const std::wstring garbage = folder + L"\\garbage.mdb";
    HANDLE handle = ::CreateFileW(garbage.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const char text[] = "This is a letter, not a note database, and it is long enough to have a header.";
    DWORD written = 0;
    ::WriteFile(handle, text, sizeof text - 1, &written, nullptr);
    ::CloseHandle(handle);

    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(FileNew(dialog, file).empty());
        const Pages p = FindPages(dialog);
        ShowTab(dialog, 2);
        SetText(p.groupEdit, kGroupName, W(kReports));
        EXPECT_TRUE(Click(p.groupEdit, kGroupSave).empty());
        ShowTab(dialog, 1);
        SetText(p.edit, kEditTitle, W(kKeptTitle));
        SetText(p.edit, kEditQuery, W(kKeptQuery));
        ChooseEntry(p.edit, kEditGroup, W(kReports));
        EXPECT_TRUE(Click(p.edit, kEditSave).empty());
        EXPECT_TRUE(Find(dialog, L"").empty());
        EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, W(kReports))).empty());
        EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, W(kKeptTitle))).empty());
        EXPECT_EQ(W(kKeptQuery), Text(p.view, kViewQuery));
        SetText(p.edit, kEditTitle, L"Unsaved draft");
        EXPECT_EQ(W(kReports), Text(p.groupEdit, kGroupName));

        const std::vector<Box> refused = FileOpen(dialog, garbage);
        ASSERT_EQ(1u, refused.size()) << "the refused connection is reported once";
        EXPECT_FALSE(refused[0].text.empty());

        // Closed: nothing can be saved or deleted, the lists are empty, the
        // typed texts stay.
        EXPECT_FALSE(IsEnabled(p.edit, kEditSave));
        ExpectNewNote(p.edit);
        EXPECT_FALSE(IsEnabled(p.groupEdit, kGroupSave));
        EXPECT_FALSE(IsEnabled(p.groupEdit, kGroupDelete));
        EXPECT_TRUE(ComboTexts(p.edit, kEditGroup).empty());
        EXPECT_TRUE(ComboTexts(p.groupEdit, kGroupName).empty());
        EXPECT_EQ(L"", Text(p.groupEdit, kGroupName)) << "the group list goes with its text field";
        EXPECT_EQ(L"", Text(p.view, kViewQuery));
        EXPECT_TRUE(ListRows(dialog).empty());
        EXPECT_EQ(L"Unsaved draft", Text(p.edit, kEditTitle));
        EXPECT_TRUE(Click(p.edit, kEditSave).empty()) << "a disabled Save cannot be pressed";
        // Even a Save command that reaches the page writes nothing: it
        // reports the closed database.
        const std::vector<Box> forced =
            Act(p.edit, WM_COMMAND, MAKEWPARAM(kEditSave, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(p.edit, kEditSave)));
        ASSERT_EQ(1u, forced.size());
        EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), forced[0].icon);
        Snapshot(file, "failed-open");

        // Opening the file again shows everything as it was.
        EXPECT_TRUE(FileOpen(dialog, file).empty());
        EXPECT_EQ(Texts{W(kReports)}, ListRows(dialog));
        EXPECT_EQ((Texts{L"None", W(kReports)}), ComboTexts(p.edit, kEditGroup));
        EXPECT_TRUE(IsEnabled(p.edit, kEditSave));
    });
    RemoveTestFolder(folder);
}

} // namespace
