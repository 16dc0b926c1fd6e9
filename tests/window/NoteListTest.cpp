// The note list of the main dialog: the catalogue as rows, double-clicks that
// show a note on the pages, Find with its scope menu, and drawing suspended
// around every fill. Driven through the host contract on real files.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "store/records/NoteSql.h"
#include "tests/support/DialogHarness.h"
#include "tests/window/NoteFiles.h"
#include "tests/window/WindowTestSupport.h"

namespace {

using namespace dialogdriver;
using namespace windowtest;
using Names = std::vector<std::wstring>;

const Names& kCatalogue = windowtest::SampleCatalogue();


std::wstring SelectedComboText(HWND combo)
{
    const int index = static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
    if (index < 0) return L"(none)";
    wchar_t text[256] = {};
    ::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

// A database with the groups table and group "None" of a note database but
// `notesTable` for its notes, holding `notes`: the odd files whose catalogue
// or search fails. Empty when all went well, else what failed.
std::wstring MakeDatabaseWithNotesTable(const std::wstring& path, const wchar_t* notesTable, const std::vector<std::wstring>& notes)
{
    std::vector<std::wstring> statements = {
        L"CREATE TABLE groups (id SMALLINT NOT NULL, groupName VARCHAR(255) NOT NULL, groupDescription LONGTEXT, PRIMARY KEY(id));",
        L"INSERT INTO groups VALUES(0,'None',NULL);",
        notesTable,
    };
    statements.insert(statements.end(), notes.begin(), notes.end());
    return notefiles::MakeDatabase(path, statements);
}

TEST(NoteList, ShowsLooseNotesFirstThenOneCollapsedRowPerGroupWithNotes)
{
    const std::wstring path = MakeSample(L"catalogue.mdb");
    ExecuteOnOpenedFile(path, [&](HWND dialog) {
        const std::vector<Row> rows = ListRows(dialog);
        ASSERT_EQ(kCatalogue, RowNames(dialog)) << "got " << Join(RowNames(dialog)) << "; groups in number order, Empty absent";
        EXPECT_EQ(2, rows[0].image) << "a note has the note icon";
        EXPECT_EQ(L"", rows[0].description) << "NULL comments show empty";
        EXPECT_EQ(L"last of the loose notes", rows[1].description);
        EXPECT_EQ(1, rows[2].image) << "a group has the closed-folder icon";
        EXPECT_EQ(L"", rows[2].description) << "a group row has no description";
        EXPECT_EQ(1, rows[3].image);
        EXPECT_EQ(rows[0].indent, rows[2].indent) << "loose notes and groups are all top-level";

        const Pages pages = FindPages(dialog);
        EXPECT_EQ((Names{L"Admin", L"Empty", L"None", L"Work"}), ComboEntries(::GetDlgItem(pages.edit, IDC_EDIT_GROUP)));
        EXPECT_EQ((Names{L"Admin", L"Empty", L"Work"}), ComboEntries(::GetDlgItem(pages.groupEdit, IDC_GROUP_NAME)));

        EXPECT_TRUE(DoubleClickRow(dialog, 2).empty());
        const std::vector<Row> expanded = ListRows(dialog);
        ASSERT_EQ((Names{L"alpha top", L"zeta top", L"Work", L"Report a", L"report b", L"Admin"}), RowNames(dialog))
            << "got " << Join(RowNames(dialog)) << "; the notes in name order, whatever their case";
        EXPECT_GT(expanded[3].indent, expanded[2].indent);
        EXPECT_EQ(L"daily", expanded[3].description);
        EXPECT_EQ(2, expanded[4].image);
        EXPECT_EQ(L"", ItemText(pages.view, IDC_VIEW_QUERY)) << "a group row shows nothing on the pages";
        EXPECT_EQ(L"", ItemText(pages.edit, IDC_EDIT_TITLE));

        DoubleClickRow(dialog, 2);
        EXPECT_EQ(kCatalogue, RowNames(dialog)) << "a second double-click collapses the group";
        EXPECT_EQ(L"", ItemText(pages.view, IDC_VIEW_QUERY));
    });
}

TEST(NoteList, EnterOnARowOpensItsNoteAsADoubleClickDoes)
{
    const std::wstring path = MakeSample(L"enter on a row.mdb");
    ExecuteOnOpenedFile(path, [&](HWND dialog) {
        const Pages pages = FindPages(dialog);
        const HWND list = ::GetDlgItem(dialog, IDC_NOTE_LIST);
        ClickRow(dialog, FindRow(dialog, L"zeta top"));
        PostKey(list, VK_RETURN);
        EXPECT_TRUE(AnswerBoxes(dialog).empty());
        EXPECT_EQ(L"zeta top", ItemText(pages.edit, IDC_EDIT_TITLE));
        EXPECT_EQ(L"SELECT 1", ItemText(pages.view, IDC_VIEW_QUERY));
        EXPECT_EQ(nullptr, ::FindWindowExW(list, nullptr, L"Edit", nullptr)) << "Enter opens no cell editor";
        EXPECT_TRUE(::IsWindowVisible(dialog)) << "Enter on the list does not end the dialog";
        ClickRow(dialog, FindRow(dialog, L"Work"));
        PostKey(list, VK_RETURN);
        EXPECT_TRUE(AnswerBoxes(dialog).empty());
        EXPECT_NE(-1, FindRow(dialog, L"Report a")) << "Enter expands a group as a double-click does";
    });
}

TEST(NoteList, ShowDatabaseWithGroupExpandedOpensTheFileAndExpandsTheFirstGroup)
{
    const std::wstring path = MakeSample(L"picture.mdb");
    const std::wstring text = FileIn(L"picture refused.mdb");
    storetest::WriteFileBytes(text, "not a database");
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        EXPECT_FALSE(ShowDatabaseWithGroupExpanded(dialog, text)) << "a refused file is no picture";
        EXPECT_TRUE(ShowDatabaseWithGroupExpanded(dialog, path));
        EXPECT_EQ((Names{L"alpha top", L"zeta top", L"Work", L"Report a", L"report b", L"Admin"}), RowNames(dialog));
    });
}

TEST(NoteList, DoubleClickOnANoteShowsItOnTheViewAndEditPages)
{
    const std::wstring path = MakeSample(L"show.mdb");
    ExecuteOnOpenedFile(path, [&](HWND dialog) {
        const Pages pages = FindPages(dialog);
        ::SetDlgItemTextW(pages.groupEdit, IDC_GROUP_COMMENTS, L"group comments stay");

        EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, L"zeta top")).empty());
        EXPECT_EQ(L"SELECT 1", ItemText(pages.view, IDC_VIEW_QUERY));
        EXPECT_EQ(L"zeta top", ItemText(pages.edit, IDC_EDIT_TITLE));
        EXPECT_EQ(L"last of the loose notes", ItemText(pages.edit, IDC_EDIT_COMMENTS));
        EXPECT_EQ(L"SELECT 1", ItemText(pages.edit, IDC_EDIT_QUERY));
        EXPECT_EQ(L"None", SelectedComboText(::GetDlgItem(pages.edit, IDC_EDIT_GROUP)));

        DoubleClickRow(dialog, FindRow(dialog, L"Work"));
        EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, L"report b")).empty());
        EXPECT_EQ(L"SELECT * FROM sales", ItemText(pages.view, IDC_VIEW_QUERY)) << "a note under a group";
        EXPECT_EQ(L"report b", ItemText(pages.edit, IDC_EDIT_TITLE));
        EXPECT_EQ(L"Work", SelectedComboText(::GetDlgItem(pages.edit, IDC_EDIT_GROUP)));
        EXPECT_EQ(L"group comments stay", ItemText(pages.groupEdit, IDC_GROUP_COMMENTS)) << "the Group Edit page ignores notes";
        EXPECT_EQ(6u, ListRows(dialog).size()) << "a double-click on a note changes no row";
    });
}

TEST(NoteList, EmptyFindReloadsTheCatalogueAndListsEachGroupOnce)
{
    const std::wstring path = MakeSample(L"reload.mdb");
    ExecuteOnOpenedFile(path, [&](HWND dialog) {
        const Pages pages = FindPages(dialog);
        HWND editGroups = ::GetDlgItem(pages.edit, IDC_EDIT_GROUP);
        HWND groupEditGroups = ::GetDlgItem(pages.groupEdit, IDC_GROUP_NAME);
        DoubleClickRow(dialog, FindRow(dialog, L"Work"));
        DoubleClickRow(dialog, FindRow(dialog, L"report b"));
        ASSERT_EQ(L"Work", SelectedComboText(editGroups));

        EXPECT_EQ((Names{L"Report a", L"report b"}), Search(dialog, L"report"));
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(kCatalogue, Search(dialog, L"")) << "round " << round;
            EXPECT_EQ((Names{L"Admin", L"Empty", L"None", L"Work"}), ComboEntries(editGroups)) << "round " << round;
            EXPECT_EQ((Names{L"Admin", L"Empty", L"Work"}), ComboEntries(groupEditGroups)) << "round " << round;
        }
        EXPECT_EQ(L"Work", SelectedComboText(editGroups)) << "the Edit page keeps its note's group";
        EXPECT_EQ(L"report b", ItemText(pages.edit, IDC_EDIT_TITLE));

        // Groups added, renamed and removed elsewhere arrive with the next
        // reload, each listed once.
        ASSERT_EQ(L"", notefiles::RunStatements(path, {
            L"INSERT INTO groups VALUES(4,'Later',NULL);",
            L"INSERT INTO notes VALUES(6,4,'later note',NULL,'SELECT 6');",
            L"UPDATE groups SET groupName='Admins' WHERE id=2;",
            L"DELETE FROM groups WHERE id=3;",
        }));
        EXPECT_EQ((Names{L"alpha top", L"zeta top", L"Work", L"Admins", L"Later"}), Search(dialog, L""));
        EXPECT_EQ((Names{L"Admins", L"Later", L"None", L"Work"}), ComboEntries(editGroups));
        EXPECT_EQ((Names{L"Admins", L"Later", L"Work"}), ComboEntries(groupEditGroups));
    });
}

TEST(NoteList, EnterInTheFindBoxSearchesAndKeepsTheDialogWithAnUnsavedNote)
{
    const std::wstring path = MakeSample(L"enter.mdb");
    Names found;
    Boxes boxes;
    bool stillOpen = false;
    TypedNote kept;
    ExecuteOnOpenedFile(path, [&](HWND dialog) {
        TypeNewNote(dialog, {L"half written", L"", L"SELECT 1", 0});
        HWND findBox = ::GetDlgItem(dialog, IDC_FIND_TEXT);
        SetFindText(dialog, L"report");
        PostKey(findBox, VK_RETURN);
        boxes = AnswerBoxes(dialog);
        found = RowNames(dialog);
        // A multi-line box keeps Enter for a new line.
        HWND queryBox = ::GetDlgItem(FindPages(dialog).edit, IDC_EDIT_QUERY);
        ::SendMessageW(queryBox, EM_SETSEL, 8, 8);
        PostKey(queryBox, VK_RETURN);
        AnswerBoxes(dialog);
        stillOpen = ::IsWindowVisible(dialog) != FALSE;
        kept = EditPageNote(dialog);
    });
    EXPECT_TRUE(boxes.empty()) << Describe(boxes);
    EXPECT_EQ((Names{L"Report a", L"report b"}), found) << Join(found);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(L"half written", kept.title) << "the unsaved note is still on the Edit page";
    EXPECT_EQ(L"SELECT 1\r\n", kept.query);
}

TEST(NoteList, ScopeMenuOnTheDropDownPartSetsWhereFindLooks)
{
    const std::wstring path = MakeSample(L"scope.mdb");
    ExecuteOnOpenedFile(path, [&](HWND dialog) {
        const int rootIndent = ListRows(dialog).at(0).indent;
        SetFindText(dialog, L"who");

        HWND menu = OpenFindMenu(dialog);
        ASSERT_NE(nullptr, menu) << "the drop-down part opens the scope menu";
        MenuSnapshot state = ReadMenu(menu);
        ASSERT_EQ(3u, state.items.size());
        EXPECT_EQ(L"Name", state.items[0].text);
        EXPECT_EQ(static_cast<UINT>(ID_FIND_NAME), state.items[0].id);
        EXPECT_EQ(L"Description", state.items[1].text);
        EXPECT_EQ(static_cast<UINT>(ID_FIND_DESCRIPTION), state.items[1].id);
        EXPECT_EQ(L"Sequel", state.items[2].text);
        EXPECT_EQ(static_cast<UINT>(ID_FIND_SEQUEL), state.items[2].id);
        EXPECT_EQ(static_cast<UINT>(ID_FIND_NAME), state.defaultId) << "Name is the bold default";
        EXPECT_TRUE(state.items[0].isDefault);
        for (const MenuItem& item : state.items) EXPECT_FALSE(item.checked) << Narrow(item.text);
        EXPECT_EQ(kCatalogue, RowNames(dialog)) << "opening the menu does not search";

        ChooseMenuItem(dialog, menu, 1);
        EXPECT_EQ(kCatalogue, RowNames(dialog)) << "choosing a scope does not search";
        menu = OpenFindMenu(dialog);
        ASSERT_NE(nullptr, menu);
        state = ReadMenu(menu);
        EXPECT_TRUE(state.items[1].checked) << "Description is checked";
        EXPECT_FALSE(state.items[0].checked);
        EXPECT_EQ(0u, state.defaultId) << "no bold item once a flag is set";
        EXPECT_FALSE(state.items[0].isDefault);
        DismissMenu(dialog, menu);
        EXPECT_EQ(kCatalogue, RowNames(dialog)) << "a dismissed menu does not search";

        EXPECT_EQ(Names{L"users"}, Search(dialog, L"who")) << "comments only";
        EXPECT_EQ(Names{}, Search(dialog, L"users")) << "names are not searched";

        SetSearchScope(dialog, false, false, true);
        EXPECT_EQ(Names{L"report b"}, Search(dialog, L"FROM sales")) << "query texts only";
        EXPECT_EQ(Names{}, Search(dialog, L"weekly"));

        SetSearchScope(dialog, true, true, false);
        EXPECT_EQ((Names{L"zeta top", L"users"}), Search(dialog, L"s")) << "an s in the name or in the comments";
        const std::vector<Row> both = ListRows(dialog);
        for (const Row& row : both) {
            EXPECT_EQ(2, row.image) << "search results are flat note rows";
            EXPECT_EQ(rootIndent, row.indent);
        }

        // "Name" twice: from no flag to checked and back to the bold default.
        SetSearchScope(dialog, false, false, false);
        for (int choice = 0; choice < 2; ++choice) {
            menu = OpenFindMenu(dialog);
            ASSERT_NE(nullptr, menu);
            ChooseMenuItem(dialog, menu, 0);
        }
        menu = OpenFindMenu(dialog);
        ASSERT_NE(nullptr, menu);
        state = ReadMenu(menu);
        EXPECT_EQ(static_cast<UINT>(ID_FIND_NAME), state.defaultId);
        for (const MenuItem& item : state.items) EXPECT_FALSE(item.checked) << Narrow(item.text);
        DismissMenu(dialog, menu);
        EXPECT_EQ((Names{L"Report a", L"report b"}), Search(dialog, L"report")) << "the name is searched again";
    });
}

TEST(NoteList, FailingSearchLeavesTheListAsItWas)
{
    // A database whose notes have no query column: the catalogue loads, a
    // search in the query texts cannot be opened.
    const std::wstring path = FileIn(L"no query column.mdb");
    ASSERT_EQ(L"", MakeDatabaseWithNotesTable(path,
        L"CREATE TABLE notes (id SMALLINT NOT NULL, groupId SMALLINT NOT NULL, name VARCHAR(255) NOT NULL, comments VARCHAR(255), PRIMARY KEY(id));",
        {L"INSERT INTO notes VALUES(1,0,'first','one');", L"INSERT INTO notes VALUES(2,0,'second','two');"}));
    SearchScope sequel;
    sequel.inSequel = true;
    const SqlStatement search = BuildSearchStatement(L"first", sequel);
    const std::wstring expected = notefiles::StatementError(path, search.sql.str(), search.parameters);
    ASSERT_NE(L"", expected);

    ExecuteOnOpenedFile(path, [&](HWND dialog) {
        ASSERT_EQ((Names{L"first", L"second"}), RowNames(dialog));
        SetSearchScope(dialog, false, false, true);
        const std::vector<SeenBox> boxes = Find(dialog, L"first");
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(expected, boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes[0].icon);
        EXPECT_EQ((Names{L"first", L"second"}), RowNames(dialog)) << "the list is left as it was";
        EXPECT_EQ((Names{L"first", L"second"}), Search(dialog, L"")) << "the dialog still reloads";
    });
}

// The last time drawing was turned off and on again, with the rows at each
// moment ("off@0 on@4"), once every earlier pair was closed; "unbalanced: ..."
// when drawing was left off or turned on twice.
std::string Fill(const std::vector<RedrawRecorder::Event>& events)
{
    bool off = false;
    for (const RedrawRecorder::Event& e : events) {
        if (e.redraw != off) return "unbalanced: " + RedrawRecorder::Describe(events);
        off = !e.redraw;
    }
    if (off || events.size() < 2) return "unbalanced: " + RedrawRecorder::Describe(events);
    return RedrawRecorder::Describe({events[events.size() - 2], events.back()});
}

TEST(NoteList, DrawingIsSuspendedAroundEveryFillAndAlwaysResumed)
{
    const std::wstring path = MakeSample(L"drawing.mdb");
    // The second row's id is not a number: the catalogue fails on it, half-way.
    const std::wstring broken = FileIn(L"broken row.mdb");
    ASSERT_EQ(L"", MakeDatabaseWithNotesTable(broken,
        L"CREATE TABLE notes (id VARCHAR(10) NOT NULL, groupId SMALLINT NOT NULL, name VARCHAR(255) NOT NULL, comments VARCHAR(255), query LONGTEXT NOT NULL, PRIMARY KEY(id));",
        {L"INSERT INTO notes VALUES('1',0,'alpha','','q');", L"INSERT INTO notes VALUES('x',0,'beta','','q');"}));

    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        RedrawRecorder redraws(dialog);
        ExpectOpened(OpenFile(dialog, path));
        EXPECT_EQ("off@0 on@4", Fill(redraws.Take())) << "rows arrive while drawing is off";

        EXPECT_EQ((Names{L"Report a", L"report b"}), Search(dialog, L"report"));
        // A search stops drawing while the old rows are still listed: the emptied list is never painted.
        EXPECT_EQ("off@4 on@2", Fill(redraws.Take()));

        const CommandResult failed = OpenFile(dialog, broken);
        ASSERT_EQ(1u, failed.boxes.size()) << "the failed fetch is reported";
        EXPECT_NE(std::wstring::npos, failed.boxes[0].text.find(L"not a number")) << Narrow(failed.boxes[0].text);
        EXPECT_EQ(Names{L"alpha"}, RowNames(dialog)) << "the rows before the failure stay";
        // Drawing stops while the search's rows are still listed, and is resumed after the failure.
        EXPECT_EQ("off@2 on@1", Fill(redraws.Take())) << "drawing is resumed after the failure";

        const std::vector<SeenBox> boxes = Find(dialog, L"%");
        EXPECT_EQ(1u, boxes.size()) << "the search fails on the same row";
        EXPECT_EQ("off@1 on@1", Fill(redraws.Take()));
    });
}

} // namespace
