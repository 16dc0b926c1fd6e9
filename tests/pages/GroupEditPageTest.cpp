// The Group Edit page in a new note database: adding groups, updating one
// after the question, typing "None", a NULL description, deleting an empty
// group, the refused delete of a group that has notes, and saving a group
// that was deleted meanwhile. The stored rows are checked by
// PageFilesCheckTest.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/pages/PageTestData.h"
#include "tests/pages/PagesUi.h"
#include "tests/window/DialogHarness.h"

namespace {

using namespace pages;
using namespace pagedata;

TEST(GroupEditPage, AddsUpdatesAndDeletesGroups)
{
    const std::wstring folder = NewTestFolder(L"group page");
    const std::wstring file = folder + L"\\groups.mdb";
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(FileNew(dialog, file).empty());
        const Pages p = FindPages(dialog);
        ShowTab(dialog, 2);
        EXPECT_EQ(Texts{L"None"}, ComboTexts(p.edit, kEditGroup));
        EXPECT_TRUE(ComboTexts(p.groupEdit, kGroupName).empty()) << "group 0 is never on the Group Edit page";
        EXPECT_TRUE(IsEnabled(p.groupEdit, kGroupSave));
        EXPECT_TRUE(IsEnabled(p.groupEdit, kGroupDelete));

        // The first group of a new file gets id 1 and enters both lists.
        SetText(p.groupEdit, kGroupName, W(kSales));
        SetText(p.groupEdit, kGroupComments, W(kSalesDescription));
        EXPECT_TRUE(Click(p.groupEdit, kGroupSave).empty());
        EXPECT_EQ(Texts{W(kSales)}, ComboTexts(p.groupEdit, kGroupName));
        EXPECT_EQ(Ids{1}, ComboIds(p.groupEdit, kGroupName));
        EXPECT_EQ((Texts{L"None", W(kSales)}), ComboTexts(p.edit, kEditGroup));
        EXPECT_EQ((Ids{0, 1}), ComboIds(p.edit, kEditGroup));

        // A second one lands at its sorted place in both.
        SetText(p.groupEdit, kGroupName, W(kAccounts));
        SetText(p.groupEdit, kGroupComments, W(kAccountsDescription));
        EXPECT_TRUE(Click(p.groupEdit, kGroupSave).empty());
        EXPECT_EQ((Texts{W(kAccounts), W(kSales)}), ComboTexts(p.groupEdit, kGroupName));
        EXPECT_EQ((Ids{2, 1}), ComboIds(p.groupEdit, kGroupName));
        EXPECT_EQ((Texts{W(kAccounts), L"None", W(kSales)}), ComboTexts(p.edit, kEditGroup));
        Snapshot(file, "groups-added");

        // The same name in another case is that group: No changes nothing...
        SetText(p.groupEdit, kGroupName, W(kSalesLower));
        SetText(p.groupEdit, kGroupComments, W(kSalesRenamedDescription));
        std::vector<Box> boxes = Click(p.groupEdit, kGroupSave, {IDNO});
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(L"Do you want to update existing group?", boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONQUESTION), boxes[0].icon);
        Snapshot(file, "groups-update-refused");

        // ...Yes stores the new case and text; the lists keep the old text.
        boxes = Click(p.groupEdit, kGroupSave, {IDYES});
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(L"Do you want to update existing group?", boxes[0].text);
        EXPECT_EQ((Texts{W(kAccounts), W(kSales)}), ComboTexts(p.groupEdit, kGroupName));
        EXPECT_EQ((Texts{W(kAccounts), L"None", W(kSales)}), ComboTexts(p.edit, kEditGroup));
        EXPECT_EQ(W(kSalesRenamedDescription), Text(p.groupEdit, kGroupComments));
        Snapshot(file, "groups-updated");

        // "None" is not group 0 here: it is a new group with a new id.
        SetText(p.groupEdit, kGroupName, L"None");
        SetText(p.groupEdit, kGroupComments, L"");
        EXPECT_TRUE(Click(p.groupEdit, kGroupSave).empty());
        EXPECT_EQ((Texts{W(kAccounts), L"None", W(kSales)}), ComboTexts(p.groupEdit, kGroupName));
        EXPECT_EQ((Ids{2, 3, 1}), ComboIds(p.groupEdit, kGroupName));
        EXPECT_EQ((Texts{W(kAccounts), L"None", L"None", W(kSales)}), ComboTexts(p.edit, kEditGroup));

        // A blank name is refused before anything is written.
        SetText(p.groupEdit, kGroupName, L"  \t ");
        boxes = Click(p.groupEdit, kGroupSave);
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(L"Group name is the required field", boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes[0].icon);

        // Choosing a group shows its description; a NULL one an empty box.
        ExecuteOnFile(file, {L"UPDATE groups SET groupDescription=NULL WHERE id=2"});
        SetText(p.groupEdit, kGroupComments, L"left over");
        EXPECT_TRUE(ChooseEntry(p.groupEdit, kGroupName, W(kAccounts)).empty());
        EXPECT_EQ(L"", Text(p.groupEdit, kGroupComments));
        EXPECT_TRUE(ChooseEntry(p.groupEdit, kGroupName, W(kSales)).empty());
        EXPECT_EQ(W(kSalesRenamedDescription), Text(p.groupEdit, kGroupComments));

        // Deleting an empty group: gone from both lists, comments emptied,
        // the text field untouched.
        EXPECT_TRUE(ChooseEntry(p.groupEdit, kGroupName, W(kAccounts)).empty());
        SetText(p.groupEdit, kGroupComments, L"typed");
        EXPECT_TRUE(Click(p.groupEdit, kGroupDelete).empty());
        EXPECT_EQ((Texts{L"None", W(kSales)}), ComboTexts(p.groupEdit, kGroupName));
        EXPECT_EQ((Texts{L"None", L"None", W(kSales)}), ComboTexts(p.edit, kEditGroup));
        // The two "None" entries sort as equals, in the control's order.
        Ids editIds = ComboIds(p.edit, kEditGroup);
        std::sort(editIds.begin(), editIds.end());
        EXPECT_EQ((Ids{0, 1, 3}), editIds);
        EXPECT_EQ(L"", Text(p.groupEdit, kGroupComments));
        EXPECT_EQ(W(kAccounts), Text(p.groupEdit, kGroupName));
        Snapshot(file, "groups-deleted");

        // A group with a note is refused by the database and stays.
        ShowTab(dialog, 1);
        SetText(p.edit, kEditTitle, W(kNoteInSales));
        SetText(p.edit, kEditQuery, W(kNoteInSalesQuery));
        ChooseEntry(p.edit, kEditGroup, W(kSales));
        EXPECT_TRUE(Click(p.edit, kEditSave).empty());
        ShowTab(dialog, 2);
        EXPECT_TRUE(ChooseEntry(p.groupEdit, kGroupName, W(kSales)).empty());
        boxes = Click(p.groupEdit, kGroupDelete);
        ASSERT_EQ(1u, boxes.size());
        // The database's own text: the row is refused because notes refer to it.
        EXPECT_NE(std::wstring::npos, boxes[0].text.find(L"cannot be deleted")) << Narrow(boxes[0].text);
        EXPECT_NE(std::wstring::npos, boxes[0].text.find(L"notes")) << Narrow(boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), boxes[0].icon);
        EXPECT_EQ((Texts{L"None", W(kSales)}), ComboTexts(p.groupEdit, kGroupName));
        EXPECT_EQ((Texts{L"None", L"None", W(kSales)}), ComboTexts(p.edit, kEditGroup));
        EXPECT_EQ(W(kSalesRenamedDescription), Text(p.groupEdit, kGroupComments));
        Snapshot(file, "groups-refused-delete");

        // Saving a group that someone else deleted meanwhile says so and adds nothing.
        ExecuteOnFile(file, {L"DELETE FROM groups WHERE id=3"});
        SetText(p.groupEdit, kGroupName, L"None");
        SetText(p.groupEdit, kGroupComments, L"still here?");
        boxes = Click(p.groupEdit, kGroupSave, {IDYES});
        ASSERT_EQ(2u, boxes.size());
        EXPECT_EQ(L"Do you want to update existing group?", boxes[0].text);
        EXPECT_EQ(L"Group not found", boxes[1].text);
        EXPECT_EQ(L"Internal mailfunction", boxes[1].caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), boxes[1].icon);
        EXPECT_EQ((Texts{L"None", W(kSales)}), ComboTexts(p.groupEdit, kGroupName)) << "the lists are not changed";
    });
    RemoveTestFolder(folder);
}

} // namespace
