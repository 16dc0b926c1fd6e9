// The Edit page: saving a new note, saving it again, trimming, no group,
// the delete question answered No and Yes, and a note whose group is not in
// the page's list. The stored rows are checked by PageFilesCheckTest.
#include <gtest/gtest.h>

#include "tests/pages/PageTestData.h"
#include "tests/pages/PagesUi.h"
#include "tests/window/DialogHarness.h"

namespace {

using namespace pages;
using namespace pagedata;

void ExpectNewNoteState(HWND edit)
{
    EXPECT_FALSE(IsVisible(edit, kEditNew)) << "New is hidden on a new note";
    EXPECT_FALSE(IsEnabled(edit, kEditDelete)) << "Delete is disabled on a new note";
}

void ExpectExistingNoteState(HWND edit)
{
    EXPECT_TRUE(IsVisible(edit, kEditNew)) << "New shows on an existing note";
    EXPECT_TRUE(IsEnabled(edit, kEditDelete)) << "Delete is enabled on an existing note";
}

TEST(EditPage, SavesUpdatesAndDeletesNotes)
{
    const std::wstring folder = NewTestFolder(L"edit page");
    const std::wstring file = folder + L"\\notes.mdb";
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        const Pages p = FindPages(dialog);
        EXPECT_TRUE(IsVisible(p.edit, kEditNew)) << "New starts visible";
        EXPECT_FALSE(IsEnabled(p.edit, kEditSave)) << "Save starts disabled";
        ASSERT_TRUE(FileNew(dialog, file).empty());
        ShowTab(dialog, 2);
        SetText(p.groupEdit, kGroupName, W(kReports));
        ASSERT_TRUE(Click(p.groupEdit, kGroupSave).empty());
        ShowTab(dialog, 1);
        EXPECT_TRUE(IsEnabled(p.edit, kEditSave));
        ExpectNewNoteState(p.edit);

        // A new note in an empty table gets id 0 (checked in the file),
        // stored trimmed and without a group; the box keeps the spaces.
        SetText(p.edit, kEditTitle, W(kDailyTitleTyped));
        SetText(p.edit, kEditQuery, W(kDailyQuery));
        EXPECT_EQ(-1, ComboSelection(p.edit, kEditGroup));
        EXPECT_TRUE(Click(p.edit, kEditSave).empty());
        ExpectExistingNoteState(p.edit);
        EXPECT_EQ(W(kDailyTitleTyped), Text(p.edit, kEditTitle));
        Snapshot(file, "notes-saved");

        // Saving again updates the same note.
        SetText(p.edit, kEditComments, W(kDailyComments));
        ChooseEntry(p.edit, kEditGroup, W(kReports));
        EXPECT_TRUE(Click(p.edit, kEditSave).empty());
        ExpectExistingNoteState(p.edit);
        Snapshot(file, "notes-updated");

        // Delete answered No changes nothing.
        std::vector<Box> boxes = Click(p.edit, kEditDelete, {IDNO});
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(L"Are you shure you want to remove current node?", boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONQUESTION), boxes[0].icon);
        ExpectExistingNoteState(p.edit);
        EXPECT_EQ(W(kDailyTitleTyped), Text(p.edit, kEditTitle));
        Snapshot(file, "notes-delete-refused");

        // Yes removes the note and empties the page.
        boxes = Click(p.edit, kEditDelete, {IDYES});
        ASSERT_EQ(1u, boxes.size());
        ExpectNewNoteState(p.edit);
        EXPECT_EQ(L"", Text(p.edit, kEditTitle));
        EXPECT_EQ(L"", Text(p.edit, kEditComments));
        EXPECT_EQ(L"", Text(p.edit, kEditQuery));
        EXPECT_EQ(-1, ComboSelection(p.edit, kEditGroup));
        Snapshot(file, "notes-deleted");

        // A note whose group the list does not hold keeps the selection:
        // someone else adds a group and a note in it; a search finds the note.
        SetText(p.edit, kEditTitle, W(kWeeklyTitle));
        SetText(p.edit, kEditQuery, W(kWeeklyQuery));
        ChooseEntry(p.edit, kEditGroup, W(kReports));
        EXPECT_TRUE(Click(p.edit, kEditSave).empty());
        ExecuteOnFile(file, {L"INSERT INTO groups VALUES(7,'Archive','')",
                             L"INSERT INTO notes(id,groupId,name,comments,query) VALUES(5,7,'Old orders','','SELECT * FROM old_orders')"});
        EXPECT_TRUE(Find(dialog, L"Old").empty());
        ASSERT_EQ(Texts{L"Old orders"}, ListRows(dialog));
        EXPECT_TRUE(DoubleClickRow(dialog, 0).empty());
        EXPECT_EQ(L"Old orders", Text(p.edit, kEditTitle));
        EXPECT_EQ(L"SELECT * FROM old_orders", Text(p.view, kViewQuery));
        const int selected = ComboSelection(p.edit, kEditGroup);
        ASSERT_GE(selected, 0);
        EXPECT_EQ(W(kReports), ComboTexts(p.edit, kEditGroup)[static_cast<size_t>(selected)]);
        ExpectExistingNoteState(p.edit);

        // New empties the page and writes nothing.
        EXPECT_TRUE(Click(p.edit, kEditNew).empty());
        ExpectNewNoteState(p.edit);
        EXPECT_EQ(L"", Text(p.edit, kEditTitle));
        EXPECT_EQ(-1, ComboSelection(p.edit, kEditGroup));
        Snapshot(file, "notes-missing-group");
    });
    RemoveTestFolder(folder);
}

TEST(EditPage, SavingANoteDeletedMeanwhileSaysSoAndKeepsTheText)
{
    const std::wstring folder = NewTestFolder(L"edit page vanished");
    const std::wstring file = folder + L"\\notes.mdb";
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        const Pages p = FindPages(dialog);
        ASSERT_TRUE(FileNew(dialog, file).empty());
        ShowTab(dialog, 1);
        SetText(p.edit, kEditTitle, W(kDailyTitle));
        SetText(p.edit, kEditQuery, W(kDailyQuery));
        ASSERT_TRUE(Click(p.edit, kEditSave).empty());
        ExpectExistingNoteState(p.edit);

        // Someone else deletes the note; the next Save must not claim success.
        ExecuteOnFile(file, {L"DELETE FROM notes"});
        SetText(p.edit, kEditComments, L"typed after the delete");
        std::vector<Box> boxes = Click(p.edit, kEditSave);
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(L"Note not found", boxes[0].text);
        EXPECT_EQ(L"Internal mailfunction", boxes[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), boxes[0].icon);
        ExpectNewNoteState(p.edit);
        EXPECT_EQ(W(kDailyTitle), Text(p.edit, kEditTitle));
        EXPECT_EQ(L"typed after the delete", Text(p.edit, kEditComments));

        // Save again stores the text as a new note, which the list then shows.
        EXPECT_TRUE(Click(p.edit, kEditSave).empty());
        ExpectExistingNoteState(p.edit);
        EXPECT_TRUE(Find(dialog, L"").empty());
        EXPECT_EQ(Texts{W(kDailyTitle)}, ListRows(dialog));
    });
    RemoveTestFolder(folder);
}

} // namespace
