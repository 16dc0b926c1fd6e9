// The Edit page: saving a new note, saving it again, trimming, no group,
// the delete question answered No and Yes, and a note whose group is not in
// the page's list. The stored rows are checked by PageFilesCheckTest.
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

void ExpectNewNoteState(HWND edit)
{
    EXPECT_FALSE(IsItemVisible(edit, IDC_EDIT_NEW)) << "New is hidden on a new note";
    EXPECT_FALSE(IsItemEnabled(edit, IDC_EDIT_DELETE)) << "Delete is disabled on a new note";
}

void ExpectExistingNoteState(HWND edit)
{
    EXPECT_TRUE(IsItemVisible(edit, IDC_EDIT_NEW)) << "New shows on an existing note";
    EXPECT_TRUE(IsItemEnabled(edit, IDC_EDIT_DELETE)) << "Delete is enabled on an existing note";
}

TEST(EditPage, SavesUpdatesAndDeletesNotes)
{
    const storetest::TestFolder folder(L"edit page");
    const std::wstring file = folder.File(L"notes.mdb");
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        const Pages p = FindPages(dialog);
        EXPECT_TRUE(IsItemVisible(p.edit, IDC_EDIT_NEW)) << "New starts visible";
        EXPECT_FALSE(IsItemEnabled(p.edit, IDC_EDIT_SAVE)) << "Save starts disabled";
        ASSERT_TRUE(NewFile(dialog, file).boxes.empty());
        SelectTab(dialog, 2);
        SetItemText(p.groupEdit, IDC_GROUP_NAME, W(kReports));
        ASSERT_TRUE(Click(p.groupEdit, IDC_GROUP_SAVE).empty());
        SelectTab(dialog, 1);
        EXPECT_TRUE(IsItemEnabled(p.edit, IDC_EDIT_SAVE));
        ExpectNewNoteState(p.edit);

        // A new note in an empty table gets id 0 (checked in the file),
        // stored trimmed and without a group; the box keeps the spaces.
        SetItemText(p.edit, IDC_EDIT_TITLE, W(kDailyTitleTyped));
        SetItemText(p.edit, IDC_EDIT_QUERY, W(kDailyQuery));
        EXPECT_EQ(-1, ComboSelection(::GetDlgItem(p.edit, IDC_EDIT_GROUP)));
        EXPECT_TRUE(Click(p.edit, IDC_EDIT_SAVE).empty());
        ExpectExistingNoteState(p.edit);
        EXPECT_EQ(W(kDailyTitleTyped), ItemText(p.edit, IDC_EDIT_TITLE));
        Snapshot(file, "notes-saved");

        // Saving again updates the same note.
        SetItemText(p.edit, IDC_EDIT_COMMENTS, W(kDailyComments));
        ChooseEntry(p.edit, IDC_EDIT_GROUP, W(kReports));
        EXPECT_TRUE(Click(p.edit, IDC_EDIT_SAVE).empty());
        ExpectExistingNoteState(p.edit);
        Snapshot(file, "notes-updated");

        // Delete answered No changes nothing.
        Boxes boxes = Click(p.edit, IDC_EDIT_DELETE, {IDNO});
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(L"Are you shure you want to remove current node?", boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONQUESTION), boxes[0].icon);
        ExpectExistingNoteState(p.edit);
        EXPECT_EQ(W(kDailyTitleTyped), ItemText(p.edit, IDC_EDIT_TITLE));
        Snapshot(file, "notes-delete-refused");

        // Yes removes the note and empties the page.
        boxes = Click(p.edit, IDC_EDIT_DELETE, {IDYES});
        ASSERT_EQ(1u, boxes.size());
        ExpectNewNoteState(p.edit);
        EXPECT_EQ(L"", ItemText(p.edit, IDC_EDIT_TITLE));
        EXPECT_EQ(L"", ItemText(p.edit, IDC_EDIT_COMMENTS));
        EXPECT_EQ(L"", ItemText(p.edit, IDC_EDIT_QUERY));
        EXPECT_EQ(-1, ComboSelection(::GetDlgItem(p.edit, IDC_EDIT_GROUP)));
        Snapshot(file, "notes-deleted");

        // A note whose group the list does not hold keeps the selection:
        // someone else adds a group and a note in it; a search finds the note.
        SetItemText(p.edit, IDC_EDIT_TITLE, W(kWeeklyTitle));
        SetItemText(p.edit, IDC_EDIT_QUERY, W(kWeeklyQuery));
        ChooseEntry(p.edit, IDC_EDIT_GROUP, W(kReports));
        EXPECT_TRUE(Click(p.edit, IDC_EDIT_SAVE).empty());
        ExecuteOnFile(file, {L"INSERT INTO groups VALUES(7,'Archive','')",
                             L"INSERT INTO notes(id,groupId,name,comments,query) VALUES(5,7,'Old orders','','SELECT * FROM old_orders')"});
        EXPECT_TRUE(Find(dialog, L"Old").empty());
        ASSERT_EQ(Texts{L"Old orders"}, RowNames(dialog));
        EXPECT_TRUE(DoubleClickRow(dialog, 0).empty());
        EXPECT_EQ(L"Old orders", ItemText(p.edit, IDC_EDIT_TITLE));
        EXPECT_EQ(L"SELECT * FROM old_orders", ItemText(p.view, IDC_VIEW_QUERY));
        const int selected = ComboSelection(::GetDlgItem(p.edit, IDC_EDIT_GROUP));
        ASSERT_GE(selected, 0);
        EXPECT_EQ(W(kReports), ComboEntries(::GetDlgItem(p.edit, IDC_EDIT_GROUP))[static_cast<size_t>(selected)]);
        ExpectExistingNoteState(p.edit);

        // New empties the page and writes nothing.
        EXPECT_TRUE(Click(p.edit, IDC_EDIT_NEW).empty());
        ExpectNewNoteState(p.edit);
        EXPECT_EQ(L"", ItemText(p.edit, IDC_EDIT_TITLE));
        EXPECT_EQ(-1, ComboSelection(::GetDlgItem(p.edit, IDC_EDIT_GROUP)));
        Snapshot(file, "notes-missing-group");
    });
}

TEST(EditPage, SavingANoteDeletedMeanwhileSaysSoAndKeepsTheText)
{
    const storetest::TestFolder folder(L"edit page vanished");
    const std::wstring file = folder.File(L"notes.mdb");
    ExecuteOnNewFile(file, [&](HWND dialog, const Pages& p) {
        SelectTab(dialog, 1);
        SetItemText(p.edit, IDC_EDIT_TITLE, W(kDailyTitle));
        SetItemText(p.edit, IDC_EDIT_QUERY, W(kDailyQuery));
        ASSERT_TRUE(Click(p.edit, IDC_EDIT_SAVE).empty());
        ExpectExistingNoteState(p.edit);

        // Someone else deletes the note; the next Save must not claim success.
        ExecuteOnFile(file, {L"DELETE FROM notes"});
        SetItemText(p.edit, IDC_EDIT_COMMENTS, L"typed after the delete");
        Boxes boxes = Click(p.edit, IDC_EDIT_SAVE);
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(L"Note not found", boxes[0].text);
        EXPECT_EQ(L"Internal mailfunction", boxes[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), boxes[0].icon);
        ExpectNewNoteState(p.edit);
        EXPECT_EQ(W(kDailyTitle), ItemText(p.edit, IDC_EDIT_TITLE));
        EXPECT_EQ(L"typed after the delete", ItemText(p.edit, IDC_EDIT_COMMENTS));

        // Save again stores the text as a new note, which the list then shows.
        EXPECT_TRUE(Click(p.edit, IDC_EDIT_SAVE).empty());
        ExpectExistingNoteState(p.edit);
        EXPECT_TRUE(Find(dialog, L"").empty());
        EXPECT_EQ(Texts{W(kDailyTitle)}, RowNames(dialog));
    });
}

} // namespace
