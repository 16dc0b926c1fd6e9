// File, New and File, Open of the main dialog through the real file dialogs:
// the new file's schema, what the list and the pages show afterwards, and
// the bad input a user can give (files that are not note databases, a
// read-only one, an existing or impossible new file, cancelled dialogs,
// search texts with SQL characters). No bad input may change a file.
#include <windows.h>

#include <gtest/gtest.h>

#include "store/records/NoteSql.h"
#include "tests/support/DialogHarness.h"
#include "tests/window/NoteFiles.h"
#include "tests/window/WindowTestSupport.h"

namespace {

using namespace dialogdriver;
using storetest::FileExists;
using storetest::ReadFileBytes;
using namespace windowtest;
using Names = std::vector<std::wstring>;

const Names& kCatalogue = windowtest::SampleCatalogue();

// What the pages show of the database state.
struct PageState {
    std::wstring viewQuery;
    std::wstring editTitle;
    bool editSave = false;
    bool editDelete = false;
    bool editNewVisible = false;
    Names editGroups;
    bool groupSave = false;
    bool groupDelete = false;
    Names groupEditGroups;
};

PageState ReadPages(HWND dialog)
{
    const Pages pages = FindPages(dialog);
    PageState state;
    state.viewQuery = ItemText(pages.view, IDC_VIEW_QUERY);
    state.editTitle = ItemText(pages.edit, IDC_EDIT_TITLE);
    state.editSave = IsItemEnabled(pages.edit, IDC_EDIT_SAVE);
    state.editDelete = IsItemEnabled(pages.edit, IDC_EDIT_DELETE);
    state.editNewVisible = IsItemVisible(pages.edit, IDC_EDIT_NEW);
    state.editGroups = ComboEntries(::GetDlgItem(pages.edit, IDC_EDIT_GROUP));
    state.groupSave = IsItemEnabled(pages.groupEdit, IDC_GROUP_SAVE);
    state.groupDelete = IsItemEnabled(pages.groupEdit, IDC_GROUP_DELETE);
    state.groupEditGroups = ComboEntries(::GetDlgItem(pages.groupEdit, IDC_GROUP_NAME));
    return state;
}

TEST(FileCommands, NewWritesTheSchemaAndShowsAnEmptyList)
{
    const std::wstring first = FileIn(L"new first.mdb");
    const std::wstring second = FileIn(L"new second");
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        EXPECT_EQ(L"Quillbox", Text(dialog)) << "nothing open yet";
        const CommandResult created = NewFile(dialog, first);
        ExpectOpened(created);
        EXPECT_EQ(L"Quillbox - new first.mdb", Text(dialog)) << "the title bar names the open file";
        EXPECT_TRUE(RowNames(dialog).empty()) << "'None' has no notes: got " << Join(RowNames(dialog));
        const PageState pages = ReadPages(dialog);
        EXPECT_EQ(Names{L"None"}, pages.editGroups);
        EXPECT_EQ(Names{}, pages.groupEditGroups) << "group 0 is never on the Group Edit page";
        EXPECT_TRUE(pages.editSave) << "a database is open";
        EXPECT_TRUE(pages.groupSave);

        // A second New closes the first file and gives the new one the whole schema.
        ExpectOpened(NewFile(dialog, second));
        EXPECT_EQ(L"Quillbox - new second", Text(dialog));
        EXPECT_EQ(Names{L"None"}, ReadPages(dialog).editGroups) << "listed once, from the new file";
        EXPECT_EQ(Names{}, Search(dialog, L"")) << "the new file's catalogue is empty";
    });
    for (const std::wstring& path : {first, second}) {
        EXPECT_EQ("SQLite format 3", ReadFileBytes(path).substr(0, 15)) << Narrow(path) << " is a database of its own";
        EXPECT_EQ(Names{L"0|None|1"}, notefiles::Rows(path, L"SELECT id, groupName, groupDescription IS NULL FROM groups"));
        EXPECT_EQ(Names{L"0"}, notefiles::Rows(path, L"SELECT count(*) FROM notes"));
        EXPECT_NE(L"", notefiles::RunStatements(path, {L"INSERT INTO notes VALUES(1,7,'n',NULL,'q');"}))
            << "the notes refer to their groups";
    }
}

TEST(FileCommands, OpenOfASecondFileClosesTheFirstAndResetsThePages)
{
    const std::wstring sample = MakeSample(L"second open.mdb");
    const std::wstring empty = FileIn(L"second open empty.mdb");
    ASSERT_EQ(L"", notefiles::MakeNoteDatabase(empty, {}));
    ExecuteOnOpenedFile(sample, [&](HWND dialog) {
        DoubleClickRow(dialog, FindRow(dialog, L"zeta top"));
        ASSERT_EQ(L"SELECT 1", ReadPages(dialog).viewQuery);

        ExpectOpened(OpenFile(dialog, empty));
        EXPECT_TRUE(RowNames(dialog).empty()) << Join(RowNames(dialog));
        const PageState pages = ReadPages(dialog);
        EXPECT_EQ(L"", pages.viewQuery) << "the View page was reset";
        EXPECT_FALSE(pages.editDelete) << "the Edit page forgot its note";
        EXPECT_EQ(Names{L"None"}, pages.editGroups) << "the groups of the first file are gone";
        EXPECT_EQ(Names{}, pages.groupEditGroups);
    });
}

TEST(FileCommands, RefusedOpenShowsTheErrorAndLeavesTheListEmptyAndThePagesReset)
{
    const std::wstring sample = MakeSample(L"before refusal.mdb");
    const std::wstring text = FileIn(L"plain text.mdb");
    storetest::WriteFileBytes(text, "These are a user's notes, but not a database.\r\n");
    const std::string bytes = ReadFileBytes(text);
    const std::wstring expected = notefiles::ConnectError(text);
    ASSERT_NE(L"", expected);

    harness::Host host;
    ExecuteOnOpenedFile(host, sample, [&](HWND dialog) {
        DoubleClickRow(dialog, FindRow(dialog, L"zeta top"));
        ASSERT_EQ(L"zeta top", ReadPages(dialog).editTitle);

        const CommandResult refused = OpenFile(dialog, text);
        ASSERT_EQ(1u, refused.boxes.size()) << Describe(refused.boxes);
        EXPECT_EQ(expected, refused.boxes[0].text);
        EXPECT_EQ(L"Quillbox", Text(dialog)) << "no file is open";
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), refused.boxes[0].icon);
        EXPECT_TRUE(RowNames(dialog).empty()) << Join(RowNames(dialog));
        const PageState pages = ReadPages(dialog);
        EXPECT_EQ(L"", pages.viewQuery);
        EXPECT_EQ(L"zeta top", pages.editTitle) << "the Edit page keeps its texts";
        EXPECT_FALSE(pages.editSave) << "reset for a closed database";
        EXPECT_FALSE(pages.editDelete);
        EXPECT_FALSE(pages.editNewVisible);
        EXPECT_EQ(Names{}, pages.editGroups);
        EXPECT_FALSE(pages.groupSave);
        EXPECT_FALSE(pages.groupDelete);
        EXPECT_EQ(Names{}, pages.groupEditGroups);

        // The dialog is still usable: the sample opens again.
        ExpectOpened(OpenFile(dialog, sample));
        EXPECT_EQ(kCatalogue, RowNames(dialog));
    });
    EXPECT_EQ(bytes, ReadFileBytes(text)) << "the refused file is unchanged";

    // The host lives on, and its next Execute starts with nothing open,
    // although the last one ended with the sample open.
    harness::Execute(host, [&](HWND dialog) {
        EXPECT_TRUE(RowNames(dialog).empty()) << Join(RowNames(dialog));
        const PageState pages = ReadPages(dialog);
        EXPECT_EQ(L"", pages.editTitle);
        EXPECT_FALSE(pages.editDelete);
        EXPECT_EQ(Names{}, pages.editGroups);
        EXPECT_EQ(Names{}, pages.groupEditGroups);
        const std::vector<SeenBox> boxes = PressFind(dialog);
        ASSERT_EQ(1u, boxes.size()) << Describe(boxes);
        EXPECT_EQ(0u, boxes[0].text.find(L"The database is not open.")) << Narrow(boxes[0].text);
        EXPECT_TRUE(RowNames(dialog).empty());

        // Text typed into the View page with nothing open goes when a file opens.
        SetItemText(FindPages(dialog).view, IDC_VIEW_QUERY, L"typed while nothing was open");
        ExpectOpened(OpenFile(dialog, sample));
        EXPECT_EQ(L"", ReadPages(dialog).viewQuery);
        EXPECT_EQ(kCatalogue, RowNames(dialog));
    });
}

TEST(FileCommands, DatabaseThatIsNotANoteDatabaseShowsTheDatabaseError)
{
    const std::wstring other = FileIn(L"other database.mdb");
    ASSERT_EQ(L"", notefiles::MakeDatabase(other, {L"CREATE TABLE things (id SMALLINT NOT NULL, PRIMARY KEY(id));",
                                                    L"INSERT INTO things VALUES(1);"}));
    const std::string bytes = ReadFileBytes(other);
    const std::wstring expected = notefiles::StatementError(other, kGroupListStatement);
    ASSERT_NE(L"", expected);

    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        const CommandResult opened = OpenFile(dialog, other);
        ASSERT_EQ(1u, opened.boxes.size()) << "only the first statement fails: " << Describe(opened.boxes);
        EXPECT_EQ(expected, opened.boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), opened.boxes[0].icon);
        EXPECT_TRUE(RowNames(dialog).empty());
        EXPECT_EQ(Names{}, ReadPages(dialog).editGroups);

        // Searching it reports the database's error too, and nothing breaks.
        const std::vector<SeenBox> boxes = Find(dialog, L"x");
        ASSERT_EQ(1u, boxes.size());
        const SqlStatement search = BuildSearchStatement(L"x", SearchScope());
        EXPECT_EQ(notefiles::StatementError(other, search.sql.str(), search.parameters), boxes[0].text);
    });
    EXPECT_EQ(bytes, ReadFileBytes(other));
}

TEST(FileCommands, ReadOnlyNoteDatabaseOpensAndStaysUnchanged)
{
    const std::wstring path = MakeSample(L"read only.mdb");
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string bytes = ReadFileBytes(path);
    ExecuteOnOpenedFile(path, [&](HWND dialog) {
        EXPECT_EQ(kCatalogue, RowNames(dialog));
        EXPECT_EQ((Names{L"Report a", L"report b"}), Search(dialog, L"report"));
        EXPECT_EQ(kCatalogue, Search(dialog, L""));
    });
    EXPECT_EQ(bytes, ReadFileBytes(path));
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileCommands, NewOntoAnExistingFileAsksAndReplacesItOnlyWhenTheNewOneIsWhole)
{
    const std::wstring sample = MakeSample(L"existing.mdb");
    const std::string bytes = ReadFileBytes(sample);
    const std::wstring other = MakeSample(L"existing other.mdb");
    ExecuteOnOpenedFile(sample, [&](HWND dialog) {
        DoubleClickRow(dialog, FindRow(dialog, L"zeta top"));

        // No keeps everything as it was.
        CommandResult refused = NewFile(dialog, sample, {IDNO});
        EXPECT_TRUE(refused.fileDialogShown);
        ASSERT_EQ(1u, refused.boxes.size()) << Describe(refused.boxes);
        EXPECT_EQ(L"existing.mdb already exists.\nDo you want to replace it with an empty note database? Everything it holds is lost.",
                  refused.boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), refused.boxes[0].icon);
        EXPECT_EQ(kCatalogue, RowNames(dialog)) << "the list is untouched";
        EXPECT_EQ(L"SELECT 1", ReadPages(dialog).viewQuery) << "the pages are untouched";
        EXPECT_EQ((Names{L"Report a", L"report b"}), Search(dialog, L"report")) << "the connection stays open";
        EXPECT_EQ(bytes, ReadFileBytes(sample)) << "nothing is overwritten";

        // The new file cannot be made beside the old one: the old one stays.
        ASSERT_TRUE(::CreateDirectoryW((other + L".new~").c_str(), nullptr));
        refused = NewFile(dialog, other, {IDYES});
        ASSERT_EQ(2u, refused.boxes.size()) << Describe(refused.boxes);
        EXPECT_EQ(L"Failed creating database\n\nexisting other.mdb was not changed.", refused.boxes[1].text);
        ::RemoveDirectoryW((other + L".new~").c_str());

        // Yes replaces the open file with an empty note database and opens it.
        const CommandResult replaced = NewFile(dialog, sample, {IDYES});
        ASSERT_EQ(1u, replaced.boxes.size()) << Describe(replaced.boxes);
        EXPECT_TRUE(RowNames(dialog).empty()) << Join(RowNames(dialog));
        EXPECT_EQ(Names{L"None"}, ReadPages(dialog).editGroups);
        EXPECT_EQ(L"Quillbox - existing.mdb", Text(dialog));
    });
    EXPECT_EQ(Names{L"0"}, notefiles::Rows(sample, L"SELECT count(*) FROM notes"));
    EXPECT_EQ(Names{L"0|None"}, notefiles::Rows(sample, L"SELECT id, groupName FROM groups"));
    EXPECT_FALSE(FileExists(sample + L".new~")) << "nothing is left beside it";
    EXPECT_EQ(Names{L"5"}, notefiles::Rows(other, L"SELECT count(*) FROM notes"));
}

TEST(FileCommands, NewIntoAMissingFolderCreatesNothing)
{
    const std::wstring missing = FileIn(L"no such folder");
    const std::wstring path = missing + L"\\new.mdb";
    const std::wstring sample = MakeSample(L"before missing.mdb");
    ExecuteOnOpenedFile(sample, [&](HWND dialog) {
        const CommandResult refused = NewFile(dialog, path);
        EXPECT_TRUE(refused.fileDialogShown);
        ASSERT_EQ(1u, refused.boxes.size()) << Describe(refused.boxes);
        EXPECT_EQ(L"Failed creating database", refused.boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), refused.boxes[0].icon);
        EXPECT_EQ(kCatalogue, RowNames(dialog));
    });
    EXPECT_FALSE(FileExists(missing));
}

TEST(FileCommands, CancelledNewAndOpenChangeNothing)
{
    const std::wstring sample = MakeSample(L"cancel.mdb");
    const std::wstring unwanted = FileIn(L"never made.mdb");
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        // Nothing open yet: Find reports that, and cancelling leaves the empty dialog as it was.
        const std::vector<SeenBox> nothingOpen = PressFind(dialog);
        ASSERT_EQ(1u, nothingOpen.size()) << Describe(nothingOpen);
        EXPECT_NE(L"", nothingOpen[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), nothingOpen[0].icon);
        CommandResult cancelled = CancelFileCommand(dialog, ID_FILE_OPEN, sample);
        EXPECT_TRUE(cancelled.fileDialogShown);
        EXPECT_TRUE(cancelled.boxes.empty()) << Describe(cancelled.boxes);
        EXPECT_TRUE(RowNames(dialog).empty());
        EXPECT_FALSE(ReadPages(dialog).editSave) << "no database was opened";

        ExpectOpened(OpenFile(dialog, sample));
        DoubleClickRow(dialog, FindRow(dialog, L"zeta top"));
        cancelled = CancelFileCommand(dialog, ID_FILE_NEW, unwanted);
        EXPECT_TRUE(cancelled.fileDialogShown);
        EXPECT_TRUE(cancelled.boxes.empty()) << Describe(cancelled.boxes);
        cancelled = CancelFileCommand(dialog, ID_FILE_OPEN);
        EXPECT_TRUE(cancelled.boxes.empty()) << Describe(cancelled.boxes);
        EXPECT_EQ(kCatalogue, RowNames(dialog));
        EXPECT_EQ(L"SELECT 1", ReadPages(dialog).viewQuery);
        EXPECT_EQ((Names{L"Report a", L"report b"}), Search(dialog, L"report")) << "still connected";
    });
    EXPECT_FALSE(FileExists(unwanted));
}

TEST(FileCommands, SearchTextsWithSqlCharactersFindWhatTheySay)
{
    const std::wstring path = FileIn(L"characters.mdb");
    ASSERT_EQ(L"", notefiles::MakeNoteDatabase(path, {
        L"INSERT INTO notes VALUES(1,0,'it''s','',        'SELECT 1');",
        L"INSERT INTO notes VALUES(2,0,'100%','',         'SELECT 2');",
        L"INSERT INTO notes VALUES(3,0,'a_b','',          'SELECT 3');",
        L"INSERT INTO notes VALUES(4,0,'axb','',          'SELECT 4');",
        L"INSERT INTO notes VALUES(5,0,'two words','',    'SELECT 5');",
        L"INSERT INTO notes VALUES(6,0,'plain','',        'SELECT 6');",
    }));
    const std::string bytes = ReadFileBytes(path);
    const Names all = {L"100%", L"a_b", L"axb", L"it's", L"plain", L"two words"};
    ExecuteOnOpenedFile(path, [&](HWND dialog) {
        ASSERT_EQ(all, RowNames(dialog));
        EXPECT_EQ(Names{L"it's"}, Search(dialog, L"'")) << "an apostrophe is text, not the end of a string";
        EXPECT_EQ(Names{L"it's"}, Search(dialog, L"it's"));
        EXPECT_EQ(all, Search(dialog, L"%")) << "% keeps its LIKE meaning";
        EXPECT_EQ(all, Search(dialog, L"_")) << "_ matches any one character";
        EXPECT_EQ((Names{L"a_b", L"axb"}), Search(dialog, L"a_b"));
        EXPECT_EQ(Names{L"two words"}, Search(dialog, L" ")) << "a single space is a real search";
        EXPECT_EQ(Names{}, Search(dialog, L"''")) << "two apostrophes look for two";
    });
    EXPECT_EQ(bytes, ReadFileBytes(path)) << "searching changes no file";
}

} // namespace
