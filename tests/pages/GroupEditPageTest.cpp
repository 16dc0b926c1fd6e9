// The Group Edit page in a new note database: adding groups, updating one
// after the question, typing "None", a NULL description, deleting an empty
// group, the refused delete of a group that has notes, and saving a group
// that was deleted meanwhile. The stored rows are checked by
// PageFilesCheckTest.
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
        ExecuteOnFile(file, {L"UPDATE groups SET groupDescription=NULL WHERE id=2"});
        SetItemText(p.groupEdit, IDC_GROUP_COMMENTS, L"left over");
        EXPECT_TRUE(ChooseEntry(p.groupEdit, IDC_GROUP_NAME, W(kAccounts)).empty());
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

} // namespace
