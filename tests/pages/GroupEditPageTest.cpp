// The Group Edit page in a new note database: adding groups, updating one
// after the question, typing "None", a NULL description, deleting an empty
// group, the refused delete of a group that has notes, saving a group that
// was deleted meanwhile, a 255-character name, renaming, leaving a changed
// group with Yes, and a description edited in the note list. The stored rows are
// checked by PageFilesCheckTest.
#include <gtest/gtest.h>

#include <algorithm>

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

TEST(GroupEditPage, AddsUpdatesAndDeletesGroups)
{
    const storetest::TestFolder folder(L"group page");
    const std::wstring file = folder.File(L"groups.mdb");
    ExecuteOnNewFile(file, [&](HWND dialog, const Pages& p) {
        SelectTab(dialog, 2);
        EXPECT_EQ(Texts{L"None"}, ComboEntries(::GetDlgItem(p.edit, IDC_EDIT_GROUP)));
        EXPECT_TRUE(ComboEntries(::GetDlgItem(p.groupEdit, IDC_GROUP_NAME)).empty()) << "group 0 is never on the Group Edit page";
        EXPECT_TRUE(IsItemEnabled(p.groupEdit, IDC_GROUP_SAVE));
        EXPECT_TRUE(IsItemEnabled(p.groupEdit, IDC_GROUP_DELETE));

        // The first group of a new file gets id 1 and enters both lists.
        SetItemText(p.groupEdit, IDC_GROUP_NAME, W(kSales));
        SetItemText(p.groupEdit, IDC_GROUP_COMMENTS, W(kSalesDescription));
        EXPECT_TRUE(Click(p.groupEdit, IDC_GROUP_SAVE).empty());
        EXPECT_EQ(Texts{W(kSales)}, ComboEntries(::GetDlgItem(p.groupEdit, IDC_GROUP_NAME)));
        EXPECT_EQ(Ids{1}, ComboIds(::GetDlgItem(p.groupEdit, IDC_GROUP_NAME)));
        EXPECT_EQ((Texts{L"None", W(kSales)}), ComboEntries(::GetDlgItem(p.edit, IDC_EDIT_GROUP)));
        EXPECT_EQ((Ids{0, 1}), ComboIds(::GetDlgItem(p.edit, IDC_EDIT_GROUP)));

        // A second one lands at its sorted place in both.
        SetItemText(p.groupEdit, IDC_GROUP_NAME, W(kAccounts));
        SetItemText(p.groupEdit, IDC_GROUP_COMMENTS, W(kAccountsDescription));
        EXPECT_TRUE(Click(p.groupEdit, IDC_GROUP_SAVE).empty());
        EXPECT_EQ((Texts{W(kAccounts), W(kSales)}), ComboEntries(::GetDlgItem(p.groupEdit, IDC_GROUP_NAME)));
        EXPECT_EQ((Ids{2, 1}), ComboIds(::GetDlgItem(p.groupEdit, IDC_GROUP_NAME)));
        EXPECT_EQ((Texts{W(kAccounts), L"None", W(kSales)}), ComboEntries(::GetDlgItem(p.edit, IDC_EDIT_GROUP)));
        Snapshot(file, "groups-added");

        // The same name in another case is that group: No changes nothing...
        SetItemText(p.groupEdit, IDC_GROUP_NAME, W(kSalesLower));
        SetItemText(p.groupEdit, IDC_GROUP_COMMENTS, W(kSalesRenamedDescription));
        Boxes boxes = Click(p.groupEdit, IDC_GROUP_SAVE, {IDNO});
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(L"Do you want to update existing group?", boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONQUESTION), boxes[0].icon);
        Snapshot(file, "groups-update-refused");

        // ...Yes stores the new case and text; the lists keep the old text.
        boxes = Click(p.groupEdit, IDC_GROUP_SAVE, {IDYES});
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(L"Do you want to update existing group?", boxes[0].text);
        EXPECT_EQ((Texts{W(kAccounts), W(kSales)}), ComboEntries(::GetDlgItem(p.groupEdit, IDC_GROUP_NAME)));
        EXPECT_EQ((Texts{W(kAccounts), L"None", W(kSales)}), ComboEntries(::GetDlgItem(p.edit, IDC_EDIT_GROUP)));
        EXPECT_EQ(W(kSalesRenamedDescription), ItemText(p.groupEdit, IDC_GROUP_COMMENTS));
        Snapshot(file, "groups-updated");

        // "None" is not group 0 here: it is a new group with a new id.
        SetItemText(p.groupEdit, IDC_GROUP_NAME, L"None");
        SetItemText(p.groupEdit, IDC_GROUP_COMMENTS, L"");
        EXPECT_TRUE(Click(p.groupEdit, IDC_GROUP_SAVE).empty());
        EXPECT_EQ((Texts{W(kAccounts), L"None", W(kSales)}), ComboEntries(::GetDlgItem(p.groupEdit, IDC_GROUP_NAME)));
        EXPECT_EQ((Ids{2, 3, 1}), ComboIds(::GetDlgItem(p.groupEdit, IDC_GROUP_NAME)));
        EXPECT_EQ((Texts{W(kAccounts), L"None", L"None", W(kSales)}), ComboEntries(::GetDlgItem(p.edit, IDC_EDIT_GROUP)));

        // A blank name is refused before anything is written.
        SetItemText(p.groupEdit, IDC_GROUP_NAME, L"  \t ");
        boxes = Click(p.groupEdit, IDC_GROUP_SAVE);
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(L"Group name is the required field", boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes[0].icon);

        // Choosing a group shows its description; a NULL one an empty box.
        // What was typed over the last group saved is asked about first.
        ExecuteOnFile(file, {L"UPDATE groups SET groupDescription=NULL WHERE id=2"});
        SetItemText(p.groupEdit, IDC_GROUP_COMMENTS, L"left over");
        boxes = ChooseEntry(p.groupEdit, IDC_GROUP_NAME, W(kAccounts), {IDNO});
        ASSERT_EQ(1u, boxes.size()) << Describe(boxes);
        EXPECT_EQ(L"Save changes to the group \"None\"?", boxes[0].text);
        EXPECT_EQ(L"", ItemText(p.groupEdit, IDC_GROUP_COMMENTS));
        EXPECT_TRUE(ChooseEntry(p.groupEdit, IDC_GROUP_NAME, W(kSales)).empty());
        EXPECT_EQ(W(kSalesRenamedDescription), ItemText(p.groupEdit, IDC_GROUP_COMMENTS));

        // Deleting an empty group: gone from both lists, comments emptied,
        // the text field untouched.
        EXPECT_TRUE(ChooseEntry(p.groupEdit, IDC_GROUP_NAME, W(kAccounts)).empty());
        SetItemText(p.groupEdit, IDC_GROUP_COMMENTS, L"typed");
        EXPECT_TRUE(Click(p.groupEdit, IDC_GROUP_DELETE).empty());
        EXPECT_EQ((Texts{L"None", W(kSales)}), ComboEntries(::GetDlgItem(p.groupEdit, IDC_GROUP_NAME)));
        EXPECT_EQ((Texts{L"None", L"None", W(kSales)}), ComboEntries(::GetDlgItem(p.edit, IDC_EDIT_GROUP)));
        // The two "None" entries sort as equals, in the control's order.
        Ids editIds = ComboIds(::GetDlgItem(p.edit, IDC_EDIT_GROUP));
        std::sort(editIds.begin(), editIds.end());
        EXPECT_EQ((Ids{0, 1, 3}), editIds);
        EXPECT_EQ(L"", ItemText(p.groupEdit, IDC_GROUP_COMMENTS));
        EXPECT_EQ(W(kAccounts), ItemText(p.groupEdit, IDC_GROUP_NAME));
        Snapshot(file, "groups-deleted");

        // A group with a note is refused by the database and stays.
        SelectTab(dialog, 1);
        SetItemText(p.edit, IDC_EDIT_TITLE, W(kNoteInSales));
        SetItemText(p.edit, IDC_EDIT_QUERY, W(kNoteInSalesQuery));
        ChooseEntry(p.edit, IDC_EDIT_GROUP, W(kSales));
        EXPECT_TRUE(Click(p.edit, IDC_EDIT_SAVE).empty());
        SelectTab(dialog, 2);
        EXPECT_TRUE(ChooseEntry(p.groupEdit, IDC_GROUP_NAME, W(kSales)).empty());
        boxes = Click(p.groupEdit, IDC_GROUP_DELETE);
        ASSERT_EQ(1u, boxes.size());
        // The database's own text: the row is refused because notes refer to it.
        EXPECT_NE(std::wstring::npos, boxes[0].text.find(L"cannot be deleted")) << Narrow(boxes[0].text);
        EXPECT_NE(std::wstring::npos, boxes[0].text.find(L"notes")) << Narrow(boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), boxes[0].icon);
        EXPECT_EQ((Texts{L"None", W(kSales)}), ComboEntries(::GetDlgItem(p.groupEdit, IDC_GROUP_NAME)));
        EXPECT_EQ((Texts{L"None", L"None", W(kSales)}), ComboEntries(::GetDlgItem(p.edit, IDC_EDIT_GROUP)));
        EXPECT_EQ(W(kSalesRenamedDescription), ItemText(p.groupEdit, IDC_GROUP_COMMENTS));
        Snapshot(file, "groups-refused-delete");

        // Saving a group that someone else deleted meanwhile says so and adds nothing.
        ExecuteOnFile(file, {L"DELETE FROM groups WHERE id=3"});
        SetItemText(p.groupEdit, IDC_GROUP_NAME, L"None");
        SetItemText(p.groupEdit, IDC_GROUP_COMMENTS, L"still here?");
        boxes = Click(p.groupEdit, IDC_GROUP_SAVE, {IDYES});
        ASSERT_EQ(2u, boxes.size());
        EXPECT_EQ(L"Do you want to update existing group?", boxes[0].text);
        EXPECT_EQ(L"Group not found", boxes[1].text);
        EXPECT_EQ(L"Internal mailfunction", boxes[1].caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), boxes[1].icon);
        EXPECT_EQ((Texts{L"None", W(kSales)}), ComboEntries(::GetDlgItem(p.groupEdit, IDC_GROUP_NAME))) << "the lists are not changed";
    });
}

// Types `count` characters `c` into the Group Edit page's name box, as keys do.
void TypeIntoGroupName(HWND dialog, HWND page, wchar_t c, int count)
{
    HWND box = ::FindWindowExW(::GetDlgItem(page, IDC_GROUP_NAME), nullptr, L"Edit", nullptr);
    for (int i = 0; i < count; ++i) ::PostMessageW(box, WM_CHAR, c, 1);
    Settle(dialog);
}

TEST(GroupEditPage, LongNamesRenamingAndLeavingAChangedGroup)
{
    const storetest::TestFolder folder(L"group page rename");
    const std::wstring file = folder.File(L"groups.mdb");
    ExecuteOnNewFile(file, [&](HWND dialog, const Pages& p) {
        SelectTab(dialog, 2);
        const HWND names = ::GetDlgItem(p.groupEdit, IDC_GROUP_NAME);

        // Typing goes on past the box's width and stops at 255 characters.
        TypeIntoGroupName(dialog, p.groupEdit, L'g', 300);
        EXPECT_EQ(std::wstring(255, L'g'), ItemText(p.groupEdit, IDC_GROUP_NAME));
        EXPECT_TRUE(Click(p.groupEdit, IDC_GROUP_SAVE).empty());
        EXPECT_EQ(Texts{std::wstring(255, L'g')}, ComboEntries(names));

        // Sales with a note in it, listed.
        SetItemText(p.groupEdit, IDC_GROUP_NAME, W(kSales));
        SetItemText(p.groupEdit, IDC_GROUP_COMMENTS, W(kSalesDescription));
        EXPECT_TRUE(Click(p.groupEdit, IDC_GROUP_SAVE).empty());
        SelectTab(dialog, 1);
        TypeNewNote(dialog, {W(kNoteInSales), L"", W(kNoteInSalesQuery), 2}, 2);
        ASSERT_EQ(W(kSales), ComboEntries(::GetDlgItem(p.edit, IDC_EDIT_GROUP))[2]);
        EXPECT_TRUE(Click(p.edit, IDC_EDIT_SAVE).empty());
        EXPECT_TRUE(Find(dialog, L"").empty());
        EXPECT_EQ(Texts{W(kSales)}, RowNames(dialog));

        // Rename: the picked group takes the typed name; its notes stay in it.
        SelectTab(dialog, 2);
        EXPECT_TRUE(ChooseEntry(p.groupEdit, IDC_GROUP_NAME, W(kSales)).empty());
        SetItemText(p.groupEdit, IDC_GROUP_NAME, std::wstring(255, L'g'));
        Boxes boxes = Click(p.groupEdit, IDC_GROUP_RENAME);
        ASSERT_EQ(1u, boxes.size()) << "another group's name is refused";
        EXPECT_EQ(L"A group named \"" + std::wstring(255, L'g') + L"\" exists already. Choose another name.", boxes[0].text);
        SetItemText(p.groupEdit, IDC_GROUP_NAME, L"Revenue");
        EXPECT_TRUE(Click(p.groupEdit, IDC_GROUP_RENAME).empty());
        EXPECT_EQ((Texts{std::wstring(255, L'g'), L"Revenue"}), ComboEntries(names));
        EXPECT_EQ((Ids{1, 2}), ComboIds(names)) << "the same group, under its new name";
        EXPECT_EQ(L"Revenue", ItemText(p.groupEdit, IDC_GROUP_NAME));
        EXPECT_EQ(W(kSalesDescription), ItemText(p.groupEdit, IDC_GROUP_COMMENTS));
        EXPECT_EQ((Texts{std::wstring(255, L'g'), L"None", L"Revenue"}), ComboEntries(::GetDlgItem(p.edit, IDC_EDIT_GROUP)));
        EXPECT_EQ(std::wstring(L"Revenue"), ComboEntries(::GetDlgItem(p.edit, IDC_EDIT_GROUP))[static_cast<size_t>(
                      ComboSelection(::GetDlgItem(p.edit, IDC_EDIT_GROUP)))])
            << "the Edit page's note stays in the renamed group";
        EXPECT_EQ(Texts{L"Revenue"}, RowNames(dialog)) << "the list shows the new name at once";
        Snapshot(file, "group-renamed");

        // Leaving the changed group for another: Yes saves it first.
        SetItemText(p.groupEdit, IDC_GROUP_COMMENTS, L"changed");
        EXPECT_EQ(1u, ChooseEntry(p.groupEdit, IDC_GROUP_NAME, std::wstring(255, L'g'), {IDYES}).size());
        EXPECT_EQ(L"", ItemText(p.groupEdit, IDC_GROUP_COMMENTS));

        // The group's description edited in place in the list (F2, Enter).
        SelectRow(dialog, 0);
        PostKey(::GetDlgItem(dialog, IDC_NOTE_LIST), VK_F2);
        Settle(dialog);
        HWND editor = ::FindWindowExW(::GetDlgItem(dialog, IDC_NOTE_LIST), nullptr, L"Edit", nullptr);
        ASSERT_NE(nullptr, editor);
        EXPECT_EQ(L"changed", Text(editor)) << "the edit starts from the stored description";
        ::SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"from the list"));
        PostKey(editor, VK_RETURN);
        EXPECT_TRUE(AnswerBoxes(dialog).empty());
        EXPECT_TRUE(AnswerBoxes(dialog).empty()) << "nor once the Enter character arrived";
        EXPECT_EQ(L"from the list", ListRows(dialog)[0].description);
        Snapshot(file, "group-described");
    });
}

} // namespace
