// Bad input on the pages: empty and blank required fields, a title too long
// for its column, apostrophes everywhere, a megabyte query, and a database
// closed by a failed Open. Each gets its message and loses nothing stored.
#include <gtest/gtest.h>

#include "tests/pages/PageTestData.h"
#include "tests/pages/NewFileStory.h"
#include "tests/pages/PageFiles.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/DialogHarness.h"

namespace {

using namespace dialogdriver;
using namespace pages;
using namespace pagedata;

void ExpectOneBox(const Boxes& boxes, const wchar_t* text, UINT icon)
{
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(text, boxes[0].text);
    EXPECT_EQ(icon, boxes[0].icon);
}

// The note on the Edit page is still unsaved.
void ExpectNewNote(HWND edit)
{
    EXPECT_FALSE(IsItemVisible(edit, IDC_EDIT_NEW));
    EXPECT_FALSE(IsItemEnabled(edit, IDC_EDIT_DELETE));
}

TEST(BadInput, RequiredFieldsLongTitlesAndApostrophes)
{
    const storetest::TestFolder folder(L"bad input");
    const std::wstring file = folder.File(L"bad.mdb");
    ExecuteOnNewFile(file, [&](HWND dialog, const Pages& p) {
        SelectTab(dialog, 1);
        const wchar_t* required = L"Title and Quey is the required field";
        SetItemText(p.edit, IDC_EDIT_QUERY, L"SELECT 1");
        ExpectOneBox(Click(p.edit, IDC_EDIT_SAVE), required, MB_ICONEXCLAMATION);
        SetItemText(p.edit, IDC_EDIT_TITLE, L"   ");
        ExpectOneBox(Click(p.edit, IDC_EDIT_SAVE), required, MB_ICONEXCLAMATION);
        SetItemText(p.edit, IDC_EDIT_TITLE, L"Blank query");
        SetItemText(p.edit, IDC_EDIT_QUERY, L" \r\n\t ");
        ExpectOneBox(Click(p.edit, IDC_EDIT_SAVE), required, MB_ICONEXCLAMATION);
        ExpectNewNote(p.edit);
        EXPECT_EQ(L"Blank query", ItemText(p.edit, IDC_EDIT_TITLE)) << "the page keeps what was typed";

        SelectTab(dialog, 2);
        SetItemText(p.groupEdit, IDC_GROUP_NAME, L"   ");
        ExpectOneBox(Click(p.groupEdit, IDC_GROUP_SAVE), L"Group name is the required field", MB_ICONEXCLAMATION);
        EXPECT_TRUE(ComboEntries(::GetDlgItem(p.groupEdit, IDC_GROUP_NAME)).empty());

        // Typing stops at the columns' 255 characters (the group name's box
        // holds the same limit; GroupEditPageTest types into it).
        for (HWND box : {::GetDlgItem(p.edit, IDC_EDIT_TITLE), ::GetDlgItem(p.edit, IDC_EDIT_COMMENTS)}) {
            for (int i = 0; i < 300; ++i) ::SendMessageW(box, WM_CHAR, L'x', 1);
            EXPECT_EQ(255u, ui::WindowText(box).size());
        }
        const HWND groupName = ::GetWindow(::GetDlgItem(p.groupEdit, IDC_GROUP_NAME), GW_CHILD);
        EXPECT_EQ(255, ::SendMessageW(groupName, EM_GETLIMITTEXT, 0, 0));
        SetItemText(p.edit, IDC_EDIT_COMMENTS, L"");
        // A longer title that arrives as a whole is refused by the store with
        // the field's name; the page stays on its unsaved note.
        SelectTab(dialog, 1);
        const std::wstring longest(255, L'x');
        SetItemText(p.edit, IDC_EDIT_TITLE, longest + L"y");
        SetItemText(p.edit, IDC_EDIT_QUERY, L"SELECT 1");
        Boxes boxes = Click(p.edit, IDC_EDIT_SAVE);
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(L"The title is 256 characters long, but it can hold at most 255 characters. Nothing was saved.", boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), boxes[0].icon);
        ExpectNewNote(p.edit);
        EXPECT_EQ(longest + L"y", ItemText(p.edit, IDC_EDIT_TITLE));
        // 255 characters fit; an update one over is refused and the note stays.
        SetItemText(p.edit, IDC_EDIT_TITLE, longest);
        EXPECT_TRUE(Click(p.edit, IDC_EDIT_SAVE).empty());
        SetItemText(p.edit, IDC_EDIT_TITLE, longest + L"y");
        boxes = Click(p.edit, IDC_EDIT_SAVE);
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), boxes[0].icon);
        EXPECT_TRUE(IsItemEnabled(p.edit, IDC_EDIT_DELETE)) << "still the saved note";

        // Apostrophes in every field are stored and shown as typed.
        SelectTab(dialog, 2);
        SetItemText(p.groupEdit, IDC_GROUP_NAME, W(kQuotedGroup));
        SetItemText(p.groupEdit, IDC_GROUP_COMMENTS, W(kQuotedGroupDescription));
        EXPECT_TRUE(Click(p.groupEdit, IDC_GROUP_SAVE).empty());
        EXPECT_EQ(Texts{W(kQuotedGroup)}, ComboEntries(::GetDlgItem(p.groupEdit, IDC_GROUP_NAME)));
        EXPECT_EQ((Texts{W(kQuotedGroup), L"None"}), ComboEntries(::GetDlgItem(p.edit, IDC_EDIT_GROUP)));
        EXPECT_TRUE(ChooseEntry(p.groupEdit, IDC_GROUP_NAME, W(kQuotedGroup)).empty());
        EXPECT_EQ(W(kQuotedGroupDescription), ItemText(p.groupEdit, IDC_GROUP_COMMENTS));
        SelectTab(dialog, 1);
        // The refused title is still unsaved: New asks, and No drops it.
        boxes = Click(p.edit, IDC_EDIT_NEW, {IDNO});
        ASSERT_EQ(1u, boxes.size()) << Describe(boxes);
        EXPECT_EQ(L"Save changes to the note \"" + longest + L"y\"?", boxes[0].text);
        SetItemText(p.edit, IDC_EDIT_TITLE, W(kQuotedTitle));
        SetItemText(p.edit, IDC_EDIT_COMMENTS, W(kQuotedComments));
        SetItemText(p.edit, IDC_EDIT_QUERY, W(kQuotedQuery));
        ChooseEntry(p.edit, IDC_EDIT_GROUP, W(kQuotedGroup));
        EXPECT_TRUE(Click(p.edit, IDC_EDIT_SAVE).empty());
        EXPECT_TRUE(Click(p.edit, IDC_EDIT_NEW).empty());
        EXPECT_TRUE(Find(dialog, L"Today's").empty());
        ASSERT_EQ(Texts{W(kQuotedTitle)}, RowNames(dialog));
        EXPECT_TRUE(DoubleClickRow(dialog, 0).empty());
        EXPECT_EQ(W(kQuotedTitle), ItemText(p.edit, IDC_EDIT_TITLE));
        EXPECT_EQ(W(kQuotedComments), ItemText(p.edit, IDC_EDIT_COMMENTS));
        EXPECT_EQ(W(kQuotedQuery), ItemText(p.edit, IDC_EDIT_QUERY));
        EXPECT_EQ(W(kQuotedQuery), ItemText(p.view, IDC_VIEW_QUERY));
        // Each scope finds the texts no string constant could carry.
        SetSearchScope(dialog, false, false, true);
        EXPECT_TRUE(Find(dialog, L"a || b FROM [dbo]").empty());
        EXPECT_EQ(Texts{W(kQuotedTitle)}, RowNames(dialog));
        SetSearchScope(dialog, false, true, false);
        EXPECT_TRUE(Find(dialog, L"* ? % _").empty());
        EXPECT_EQ(Texts{W(kQuotedTitle)}, RowNames(dialog));
        SetSearchScope(dialog, true, false, false);
        EXPECT_TRUE(Find(dialog, L"a|b").empty());
        EXPECT_EQ(Texts{W(kQuotedTitle)}, RowNames(dialog));
        Snapshot(file, "bad-input");
    });
}

TEST(BadInput, MegabyteQueryIsStoredAndShownWhole)
{
    const storetest::TestFolder folder(L"big query");
    const std::wstring file = folder.File(L"big.mdb");
    const std::wstring big = W(BigQuery().c_str());
    ExecuteOnNewFile(file, [&](HWND dialog, const Pages& p) {
        SelectTab(dialog, 1);
        SetItemText(p.edit, IDC_EDIT_TITLE, W(kBigTitle));
        SetItemText(p.edit, IDC_EDIT_QUERY, big);
        ASSERT_EQ(big.size(), ItemText(p.edit, IDC_EDIT_QUERY).size()) << "the paste reached the box whole";
        EXPECT_TRUE(Click(p.edit, IDC_EDIT_SAVE).empty());
        EXPECT_TRUE(Click(p.edit, IDC_EDIT_NEW).empty());
        EXPECT_TRUE(Find(dialog, W(kBigTitle)).empty());
        EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, W(kBigTitle))).empty());
        EXPECT_TRUE(ItemText(p.view, IDC_VIEW_QUERY) == big) << "the View page shows all of it";
        EXPECT_TRUE(ItemText(p.edit, IDC_EDIT_QUERY) == big) << "the Edit page loads all of it";
        SetSearchScope(dialog, false, false, true);
        EXPECT_TRUE(Find(dialog, L"'ROW 20000'").empty());
        EXPECT_EQ(Texts{W(kBigTitle)}, RowNames(dialog)) << "a word far past the query's 255th character is found";
        Snapshot(file, "big-query");
    });
}

TEST(BadInput, FailedOpenClosesTheDatabaseAndLosesNothing)
{
    const storetest::TestFolder folder(L"failed open");
    const std::wstring file = folder.File(L"kept.mdb");
    const std::wstring garbage = folder.File(L"garbage.mdb");
    HANDLE handle = ::CreateFileW(garbage.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const char text[] = "This is a letter, not a note database, and it is long enough to have a header.";
    DWORD written = 0;
    ::WriteFile(handle, text, sizeof text - 1, &written, nullptr);
    ::CloseHandle(handle);

    ExecuteOnNewFile(file, [&](HWND dialog, const Pages& p) {
        SelectTab(dialog, 2);
        SetItemText(p.groupEdit, IDC_GROUP_NAME, W(kReports));
        EXPECT_TRUE(Click(p.groupEdit, IDC_GROUP_SAVE).empty());
        SelectTab(dialog, 1);
        SetItemText(p.edit, IDC_EDIT_TITLE, W(kKeptTitle));
        SetItemText(p.edit, IDC_EDIT_QUERY, W(kKeptQuery));
        ChooseEntry(p.edit, IDC_EDIT_GROUP, W(kReports));
        EXPECT_TRUE(Click(p.edit, IDC_EDIT_SAVE).empty());
        EXPECT_TRUE(Find(dialog, L"").empty());
        EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, W(kReports))).empty());
        EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, W(kKeptTitle))).empty());
        EXPECT_EQ(W(kKeptQuery), ItemText(p.view, IDC_VIEW_QUERY));
        SetItemText(p.edit, IDC_EDIT_TITLE, L"Unsaved draft");
        EXPECT_EQ(W(kReports), ItemText(p.groupEdit, IDC_GROUP_NAME));

        // Open asks about the draft first; No goes on without saving it.
        const Boxes asked = Command(dialog, ID_FILE_OPEN, {IDNO});
        ASSERT_EQ(1u, asked.size()) << Describe(asked);
        EXPECT_EQ(L"Save changes to the note \"Unsaved draft\"?", asked[0].text);
        HWND files = WaitForFileDialog(L"Open", garbage);
        ASSERT_NE(nullptr, files);
        ::PostMessageW(files, WM_COMMAND, IDOK, 0);
        ui::WaitForWindowGone(files);
        const Boxes refused = AnswerBoxes(dialog);
        ASSERT_EQ(1u, refused.size()) << "the refused connection is reported once";
        EXPECT_FALSE(refused[0].text.empty());

        // Closed: nothing can be saved or deleted, the lists are empty, the
        // typed texts stay.
        EXPECT_FALSE(IsItemEnabled(p.edit, IDC_EDIT_SAVE));
        ExpectNewNote(p.edit);
        EXPECT_FALSE(IsItemEnabled(p.groupEdit, IDC_GROUP_SAVE));
        EXPECT_FALSE(IsItemEnabled(p.groupEdit, IDC_GROUP_DELETE));
        EXPECT_TRUE(ComboEntries(::GetDlgItem(p.edit, IDC_EDIT_GROUP)).empty());
        EXPECT_TRUE(ComboEntries(::GetDlgItem(p.groupEdit, IDC_GROUP_NAME)).empty());
        EXPECT_EQ(L"", ItemText(p.groupEdit, IDC_GROUP_NAME)) << "the group list goes with its text field";
        EXPECT_EQ(L"", ItemText(p.view, IDC_VIEW_QUERY));
        EXPECT_TRUE(RowNames(dialog).empty());
        EXPECT_EQ(L"Unsaved draft", ItemText(p.edit, IDC_EDIT_TITLE));
        EXPECT_TRUE(Click(p.edit, IDC_EDIT_SAVE).empty()) << "a disabled Save cannot be pressed";
        // Even a Save command that reaches the page writes nothing: it
        // reports the closed database.
        ::PostMessageW(p.edit, WM_COMMAND, MAKEWPARAM(IDC_EDIT_SAVE, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(p.edit, IDC_EDIT_SAVE)));
        const Boxes forced = AnswerBoxes(dialog);
        ASSERT_EQ(1u, forced.size());
        EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), forced[0].icon);
        Snapshot(file, "failed-open");

        // Opening the file again shows everything as it was.
        EXPECT_TRUE(OpenFile(dialog, file).boxes.empty());
        EXPECT_EQ(Texts{W(kReports)}, RowNames(dialog));
        EXPECT_EQ((Texts{L"None", W(kReports)}), ComboEntries(::GetDlgItem(p.edit, IDC_EDIT_GROUP)));
        EXPECT_TRUE(IsItemEnabled(p.edit, IDC_EDIT_SAVE));
    });
}

} // namespace
