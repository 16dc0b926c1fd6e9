// The Edit page: saving a new note, saving it again, trimming, no group,
// the delete question answered No and Yes, a note whose group is not in
// the page's list, every way of leaving an edited note, Save after the
// note changed in the database, a second note of the same title, and the
// list's in-place edit of comments. The stored rows are checked by
// PageFilesCheckTest.
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

        // Yes removes the note and empties the page; the list drops it at once.
        EXPECT_TRUE(Find(dialog, L"").empty());
        ASSERT_EQ(1u, RowNames(dialog).size()) << "the group with the note";
        boxes = Click(p.edit, IDC_EDIT_DELETE, {IDYES});
        ASSERT_EQ(1u, boxes.size());
        EXPECT_TRUE(RowNames(dialog).empty()) << "the note and its group, left without notes, are gone from the list";
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

const std::wstring kAskDaily = L"Save changes to the note \"Daily totals\"?";
// The comments SaveNewNote types.
const std::wstring kTyped = L"typed by the test's user";

// The boxes that `key` pressed in `window` showed, answered with `answers`.
// A key may act only once what it posts has arrived (the character a
// key-down becomes, the close an Escape asks for): with `answers` a box is
// awaited, without them the dialog settles twice.
Boxes PressKey(HWND dialog, HWND window, UINT key, const Answers& answers = {})
{
    PostKey(window, key);
    if (!answers.empty()) ui::WaitForMessageBox();
    const Boxes boxes = AnswerBoxes(dialog, answers);
    return boxes.empty() ? AnswerBoxes(dialog, answers) : boxes;
}

// Saves two notes without a group and lists them: "Daily totals", "Weekly".
void SaveDailyAndWeekly(HWND dialog, const Pages& p)
{
    SelectTab(dialog, 1);
    ASSERT_TRUE(SaveNewNote(dialog, W(kDailyTitle)).empty());
    EXPECT_TRUE(Click(p.edit, IDC_EDIT_NEW).empty());
    ASSERT_TRUE(SaveNewNote(dialog, W(kWeeklyTitle)).empty());
    ASSERT_TRUE(Find(dialog, L"").empty());
    ASSERT_EQ((Texts{W(kDailyTitle), W(kWeeklyTitle)}), RowNames(dialog));
}

void ExpectOneQuestion(const Boxes& boxes, const std::wstring& text)
{
    ASSERT_EQ(1u, boxes.size()) << Describe(boxes);
    EXPECT_EQ(text, boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONQUESTION), boxes[0].icon);
}

TEST(EditPage, LeavingAnEditedNoteAsksFirstByEveryWay)
{
    const storetest::TestFolder folder(L"edit page leaving");
    const std::wstring file = folder.File(L"notes.mdb");
    const bool endedWithOk = ExecuteOnNewFile(file, [&](HWND dialog, const Pages& p) {
        SaveDailyAndWeekly(dialog, p);
        const HWND findBox = ::GetDlgItem(dialog, IDC_FIND_TEXT);
        EXPECT_TRUE(DoubleClickRow(dialog, 0).empty()) << "nothing typed yet";
        // Spaces around the title are no change: Save trims them.
        SetItemText(p.edit, IDC_EDIT_TITLE, L"  " + W(kDailyTitle));
        EXPECT_TRUE(DoubleClickRow(dialog, 0).empty());
        SetItemText(p.edit, IDC_EDIT_COMMENTS, L"typed");

        // Cancel stays where the user was, whichever way was taken.
        ExpectOneQuestion(DoubleClickRow(dialog, 1, {IDCANCEL}), kAskDaily);
        ExpectOneQuestion(Click(p.edit, IDC_EDIT_NEW, {IDCANCEL}), kAskDaily);
        ExpectOneQuestion(Command(dialog, ID_FILE_NEW, {IDCANCEL}), kAskDaily);
        ExpectOneQuestion(Command(dialog, ID_FILE_OPEN, {IDCANCEL}), kAskDaily);
        ExpectOneQuestion(Command(dialog, ID_FILE_IMPORT, {IDCANCEL}), kAskDaily);
        ExpectOneQuestion(PressKey(dialog, findBox, VK_ESCAPE, {IDCANCEL}), kAskDaily);
        // The close box: the dialog posts itself the Cancel it stands for.
        ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        ui::WaitForMessageBox();
        ExpectOneQuestion(AnswerBoxes(dialog, {IDCANCEL}), kAskDaily);
        ExpectOneQuestion(Command(dialog, ID_FILE_EXIT, {IDCANCEL}), kAskDaily);
        EXPECT_TRUE(::IsWindowVisible(dialog));
        EXPECT_EQ(W(kDailyTitle), ItemText(p.edit, IDC_EDIT_TITLE));
        EXPECT_EQ(L"typed", ItemText(p.edit, IDC_EDIT_COMMENTS));
        ExpectExistingNoteState(p.edit);

        // No drops the change and goes on: the note keeps its stored comments.
        ExpectOneQuestion(DoubleClickRow(dialog, 1, {IDNO}), kAskDaily);
        EXPECT_EQ(W(kWeeklyTitle), ItemText(p.edit, IDC_EDIT_TITLE));
        EXPECT_TRUE(DoubleClickRow(dialog, 0).empty());
        EXPECT_EQ(kTyped, ItemText(p.edit, IDC_EDIT_COMMENTS));

        // Yes saves, then goes on.
        SetItemText(p.edit, IDC_EDIT_COMMENTS, L"kept");
        ExpectOneQuestion(DoubleClickRow(dialog, 1, {IDYES}), kAskDaily);
        EXPECT_EQ(W(kWeeklyTitle), ItemText(p.edit, IDC_EDIT_TITLE));
        Snapshot(file, "leave-saved");

        // A save that fails stays: the required title is missing.
        SetItemText(p.edit, IDC_EDIT_TITLE, L"");
        Boxes boxes = DoubleClickRow(dialog, 0, {IDYES});
        ASSERT_EQ(2u, boxes.size()) << Describe(boxes);
        EXPECT_EQ(L"Save changes to the note \"Weekly\"?", boxes[0].text);
        EXPECT_EQ(L"Title and Quey is the required field", boxes[1].text);
        EXPECT_EQ(L"", ItemText(p.edit, IDC_EDIT_TITLE)) << "still on Weekly, as typed";

        // A new note typed in full asks by its title; Escape in the Find box
        // with Yes saves it and ends the dialog.
        EXPECT_EQ(1u, Click(p.edit, IDC_EDIT_NEW, {IDNO}).size());
        SetItemText(p.edit, IDC_EDIT_TITLE, L"Monthly");
        SetItemText(p.edit, IDC_EDIT_QUERY, L"SELECT month FROM orders");
        ExpectOneQuestion(PressKey(dialog, findBox, VK_ESCAPE, {IDYES}), L"Save changes to the note \"Monthly\"?");
        EXPECT_TRUE(ui::WaitForWindowGone(dialog)) << "the dialog ended after the save";
    });
    EXPECT_FALSE(endedWithOk) << "Escape ends the dialog with Cancel";
    Snapshot(file, "leave-escape");
}

TEST(EditPage, SaveAsksBeforeWritingOverANewerNote)
{
    const storetest::TestFolder folder(L"edit page newer");
    const std::wstring file = folder.File(L"notes.mdb");
    ExecuteOnNewFile(file, [&](HWND dialog, const Pages& p) {
        SaveDailyAndWeekly(dialog, p);
        EXPECT_TRUE(DoubleClickRow(dialog, 0).empty());

        // Someone else changes the query; the user changes the comments.
        ExecuteOnFile(file, {L"UPDATE notes SET query='SELECT newer' WHERE id=0"});
        SetItemText(p.edit, IDC_EDIT_COMMENTS, L"mine");
        Boxes boxes = Click(p.edit, IDC_EDIT_SAVE, {IDCANCEL});
        ASSERT_EQ(1u, boxes.size()) << Describe(boxes);
        EXPECT_EQ(0u, boxes[0].text.find(L"The note \"Daily totals\" was changed in the note database after it was loaded here"))
            << Narrow(boxes[0].text);
        EXPECT_EQ(L"mine", ItemText(p.edit, IDC_EDIT_COMMENTS)) << "Cancel goes on editing";

        // No loads the newer note; saving then asks nothing.
        EXPECT_EQ(1u, Click(p.edit, IDC_EDIT_SAVE, {IDNO}).size());
        EXPECT_EQ(L"SELECT newer", ItemText(p.edit, IDC_EDIT_QUERY));
        EXPECT_EQ(kTyped, ItemText(p.edit, IDC_EDIT_COMMENTS));
        SetItemText(p.edit, IDC_EDIT_COMMENTS, L"on the newer one");
        EXPECT_TRUE(Click(p.edit, IDC_EDIT_SAVE).empty());
        Snapshot(file, "newer-loaded");

        // Yes writes the page's version over another change.
        ExecuteOnFile(file, {L"UPDATE notes SET comments='theirs' WHERE id=0"});
        SetItemText(p.edit, IDC_EDIT_QUERY, L"SELECT mine");
        EXPECT_EQ(1u, Click(p.edit, IDC_EDIT_SAVE, {IDYES}).size());
        Snapshot(file, "newer-overwritten");

        // A second note of the same title in the same group asks first.
        EXPECT_TRUE(Click(p.edit, IDC_EDIT_NEW).empty());
        SetItemText(p.edit, IDC_EDIT_TITLE, W(kWeeklyTitle));
        SetItemText(p.edit, IDC_EDIT_QUERY, L"SELECT 2");
        boxes = Click(p.edit, IDC_EDIT_SAVE, {IDNO});
        ExpectOneQuestion(boxes, L"The group already holds a note titled \"Weekly\".\n\nSave a second note with this title?");
        ExpectNewNoteState(p.edit);
        EXPECT_EQ(1u, Click(p.edit, IDC_EDIT_SAVE, {IDYES}).size());
        ExpectExistingNoteState(p.edit);
        Snapshot(file, "same-title");
    });
}

// Clicks `row` and opens the in-place editor on it with F2; null when none opened.
HWND StartCellEdit(HWND dialog, int row)
{
    ClickRow(dialog, row);
    PostKey(::GetDlgItem(dialog, IDC_NOTE_LIST), VK_F2);
    Settle(dialog);
    return ::FindWindowExW(::GetDlgItem(dialog, IDC_NOTE_LIST), nullptr, L"Edit", nullptr);
}

TEST(EditPage, CommentsEditedInTheListReachTheDatabase)
{
    const storetest::TestFolder folder(L"edit page in place");
    const std::wstring file = folder.File(L"notes.mdb");
    ExecuteOnNewFile(file, [&](HWND dialog, const Pages& p) {
        SaveDailyAndWeekly(dialog, p);
        EXPECT_TRUE(DoubleClickRow(dialog, 0).empty());

        // Escape undoes the edit.
        HWND editor = StartCellEdit(dialog, 0);
        ASSERT_NE(nullptr, editor) << "F2 opens the editor";
        EXPECT_EQ(kTyped, Text(editor));
        ::SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"dropped"));
        EXPECT_TRUE(PressKey(dialog, editor, VK_ESCAPE).empty());
        EXPECT_EQ(kTyped, ListRows(dialog)[0].description);
        EXPECT_TRUE(::IsWindowVisible(dialog)) << "Escape in the editor ends only the edit";

        // Enter stores it, and the Edit page, which shows the note unchanged, follows.
        editor = StartCellEdit(dialog, 0);
        ASSERT_NE(nullptr, editor);
        ::SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"edited in the list"));
        EXPECT_TRUE(PressKey(dialog, editor, VK_RETURN).empty());
        EXPECT_EQ(L"edited in the list", ListRows(dialog)[0].description);
        EXPECT_EQ(L"edited in the list", ItemText(p.edit, IDC_EDIT_COMMENTS));
        Snapshot(file, "in-place");

        // Changed meanwhile: the same question as the page's; No shows the newer text.
        ExecuteOnFile(file, {L"UPDATE notes SET comments='newer' WHERE id=1"});
        editor = StartCellEdit(dialog, 1);
        ASSERT_NE(nullptr, editor);
        ::SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"over it?"));
        const Boxes boxes = PressKey(dialog, editor, VK_RETURN, {IDNO});
        ASSERT_EQ(1u, boxes.size()) << Describe(boxes);
        EXPECT_NE(std::wstring::npos, boxes[0].text.find(L"were changed in the note database")) << Narrow(boxes[0].text);
        EXPECT_EQ(L"newer", ListRows(dialog)[1].description);
    });
}

} // namespace
