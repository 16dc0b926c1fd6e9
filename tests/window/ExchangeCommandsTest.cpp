// File, Export, File, Import and Help, About through the real dialog: the
// folder picker, the files on disk, the import's summary and question, the
// list after an import, and the About box's facts.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

#include "store/format/ExportNames.h"
#include "tests/support/UiDriver.h"
#include "tests/support/DialogHarness.h"
#include "tests/window/NoteFiles.h"
#include "tests/window/WindowTestSupport.h"

namespace {

// The name an export gives a note's file: the title's own, or marked by its spelling.
std::wstring FileOf(const wchar_t* title) { return NoteFileStem(title).str() + L".sql"; }

using dialogdriver::ChooseFolder;
using dialogdriver::CommandResult;

// Every file under `folder`, as "sub\name", sorted.
struct AboutFacts {
    std::wstring version, database, counts, driver;
    bool closedByEscape = false;
};

AboutFacts ReadAbout(HWND dialog)
{
    AboutFacts facts;
    ::PostMessageW(dialog, WM_COMMAND, ID_HELP_ABOUT, 0);
    HWND about = ui::WaitForWindow(L"#32770", L"About Quillbox");
    if (!about) return facts;
    facts.version = ui::WindowText(::GetDlgItem(about, IDC_ABOUT_VERSION));
    facts.database = ui::WindowText(::GetDlgItem(about, IDC_ABOUT_DATABASE));
    facts.counts = ui::WindowText(::GetDlgItem(about, IDC_ABOUT_COUNTS));
    facts.driver = ui::WindowText(::GetDlgItem(about, IDC_ABOUT_DRIVER));
    ::PostMessageW(about, WM_COMMAND, IDCANCEL, 0);  // Escape
    facts.closedByEscape = ui::WaitForWindowGone(about);
    return facts;
}

bool Contains(const std::wstring& text, const wchar_t* part) { return text.find(part) != std::wstring::npos; }

TEST(ExchangeCommands, ExportImportAndAboutAsAUserDrivesThem)
{
    const std::wstring path = windowtest::MakeSample(L"exchange.mdb");
    const std::wstring folder = windowtest::FileIn(L"exchange export");
    ::CreateDirectoryW(folder.c_str(), nullptr);
    storetest::WriteFileBytes(folder + L"\\notes.txt", "a file of the user's own");

    harness::Host host;
    CommandResult noDatabaseExport, noDatabaseImport, exported, again, cancelled, imported, pickerCancelled;
    AboutFacts closedAbout, openAbout;
    std::vector<std::wstring> rowsAfterImport;
    std::vector<std::wstring> rowsBeforeCancel, rowsAfterCancel;
    AboutFacts aboutAfterImport;
    harness::Execute(host, [&](HWND dialog) {
        noDatabaseExport = ChooseFolder(dialog, ID_FILE_EXPORT, folder);
        noDatabaseImport = ChooseFolder(dialog, ID_FILE_IMPORT, folder);
        closedAbout = ReadAbout(dialog);

        ASSERT_TRUE(dialogdriver::OpenFile(dialog, path).boxes.empty());
        openAbout = ReadAbout(dialog);
        pickerCancelled = ChooseFolder(dialog, ID_FILE_EXPORT, L"");
        exported = ChooseFolder(dialog, ID_FILE_EXPORT, folder);
        again = ChooseFolder(dialog, ID_FILE_IMPORT, folder);

        // A note from another tool, and a changed query in an exported file.
        storetest::WriteFileBytes(folder + L"\\Work\\From elsewhere.sql", "SELECT 'elsewhere';\n");
        std::string report = storetest::ReadFileBytes(folder + L"\\Work\\Report a.sql");
        const size_t query = report.find("SELECT * FROM orders");
        ASSERT_NE(std::string::npos, query) << "Report a.sql was not exported";
        report.replace(query, 20, "SELECT * FROM orders2");
        storetest::WriteFileBytes(folder + L"\\Work\\Report a.sql", report);
        storetest::WriteFileBytes(folder + L"\\Top from elsewhere.sql", "SELECT 'top';");

        rowsBeforeCancel = dialogdriver::RowNames(dialog);
        cancelled = ChooseFolder(dialog, ID_FILE_IMPORT, folder, IDCANCEL);
        rowsAfterCancel = dialogdriver::RowNames(dialog);
        imported = ChooseFolder(dialog, ID_FILE_IMPORT, folder, IDOK);
        rowsAfterImport = dialogdriver::RowNames(dialog);
        aboutAfterImport = ReadAbout(dialog);
    });

    for (const CommandResult* result : {&noDatabaseExport, &noDatabaseImport}) {
        EXPECT_FALSE(result->fileDialogShown) << "with nothing open no folder is asked for";
        ASSERT_EQ(1u, result->boxes.size());
        EXPECT_TRUE(Contains(result->boxes[0].text, L"No note database is open")) << windowtest::Narrow(result->boxes[0].text);
    }
    EXPECT_EQ(L"No note database is open", closedAbout.database);
    EXPECT_TRUE(closedAbout.closedByEscape);

    // The About box: a version from the module's resource, the file and its numbers, the driver.
    EXPECT_TRUE(openAbout.closedByEscape);
    EXPECT_EQ(0u, openAbout.version.find(L"Version ")) << windowtest::Narrow(openAbout.version);
    EXPECT_EQ(2, std::count(openAbout.version.begin(), openAbout.version.end(), L'.')) << windowtest::Narrow(openAbout.version);
    EXPECT_EQ(path, openAbout.database);
    EXPECT_EQ(L"5 notes in 3 groups", openAbout.counts) << "the built-in group None is not counted";
    EXPECT_TRUE(Contains(openAbout.driver, L"ODBC driver: ") && openAbout.driver.size() > 16) << windowtest::Narrow(openAbout.driver);

    EXPECT_TRUE(pickerCancelled.fileDialogShown);
    EXPECT_TRUE(pickerCancelled.boxes.empty()) << "a cancelled picker does nothing";

    ASSERT_TRUE(exported.fileDialogShown);
    ASSERT_EQ(1u, exported.boxes.size());
    EXPECT_TRUE(Contains(exported.boxes[0].text, L"Exported 5 notes and 3 groups")) << "the built-in group None is not counted: "
                                                                                    << windowtest::Narrow(exported.boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), exported.boxes[0].icon);

    ASSERT_EQ(1u, again.boxes.size());
    EXPECT_TRUE(Contains(again.boxes[0].text, L"There is nothing to import")) << windowtest::Narrow(again.boxes[0].text);
    EXPECT_TRUE(Contains(again.boxes[0].text, L"5 notes unchanged")) << windowtest::Narrow(again.boxes[0].text);

    ASSERT_EQ(1u, cancelled.boxes.size());
    const std::wstring& question = cancelled.boxes[0].text;
    EXPECT_TRUE(Contains(question, L"2 notes to add") && Contains(question, L"1 note to change") && Contains(question, L"Import now?"))
        << windowtest::Narrow(question);
    EXPECT_EQ(static_cast<UINT>(MB_ICONQUESTION), cancelled.boxes[0].icon);
    EXPECT_EQ(rowsBeforeCancel, rowsAfterCancel);

    EXPECT_TRUE(imported.boxes.size() == 1) << "only the question";
    EXPECT_NE(rowsAfterImport.end(), std::find(rowsAfterImport.begin(), rowsAfterImport.end(), L"Top from elsewhere"))
        << "the list shows the import at once: " << windowtest::Join(rowsAfterImport);

    // The database holds the import; the user's own file is untouched.
    // A plain file's final line end is the file's, not the query's.
    EXPECT_EQ((std::vector<std::wstring>{L"1|From elsewhere|SELECT 'elsewhere';", L"1|Report a|SELECT * FROM orders2"}),
              notefiles::Rows(path, L"SELECT groupId,name,query FROM notes WHERE name LIKE '%elsewhere' AND groupId=1 OR id=4 ORDER BY name"));
    EXPECT_EQ((std::vector<std::wstring>{L"7"}), notefiles::Rows(path, L"SELECT Count(*) FROM notes"));
    EXPECT_EQ(L"7 notes in 3 groups", aboutAfterImport.counts) << "About counts what the file holds when it opens";
    EXPECT_EQ("a file of the user's own", storetest::ReadFileBytes(folder + L"\\notes.txt"));
    const std::vector<std::wstring> files = storetest::FilesUnder(folder);
    EXPECT_EQ((std::vector<std::wstring>{L"Admin\\README.md", L"Admin\\" + FileOf(L"users"), L"Empty\\README.md", L"Top from elsewhere.sql",
                                         L"Work\\From elsewhere.sql", L"Work\\README.md", L"Work\\Report a.sql", L"Work\\" + FileOf(L"report b"),
                                         FileOf(L"alpha top"), L"notes.txt", FileOf(L"zeta top")}),
              files)
        << windowtest::Join(files);
}

TEST(ExchangeCommands, SynchronizeShowsWhatEachSideWillDoAsksFirstAndThenBothHoldTheSameNotes)
{
    const std::wstring path = windowtest::MakeSample(L"sync.mdb");
    const std::wstring folder = windowtest::Folder().MakeFolder(L"sync folder");
    storetest::WriteFileBytes(folder + L"\\from folder.sql",
                              "-- Quillbox note\n-- title: \"From the folder\"\n-- group: \"None\"\n-- comments: null\n\nSELECT 'folder';");
    harness::Host host;
    CommandResult cancelled, synced, again, emptied;
    std::vector<std::wstring> filesAfterCancel, filesAfterSync, rows;
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(dialogdriver::OpenFile(dialog, path).boxes.empty());
        cancelled = ChooseFolder(dialog, ID_FILE_SYNCHRONIZE, folder, IDCANCEL);
        filesAfterCancel = storetest::FilesUnder(folder);
        synced = ChooseFolder(dialog, ID_FILE_SYNCHRONIZE, folder, IDOK);
        rows = dialogdriver::RowNames(dialog);
        again = ChooseFolder(dialog, ID_FILE_SYNCHRONIZE, folder);
        // The folder emptied: a sync would delete every note of the database.
        filesAfterSync = storetest::FilesUnder(folder);
        for (const std::wstring& file : filesAfterSync) ::DeleteFileW((folder + L"\\" + file).c_str());
        emptied = ChooseFolder(dialog, ID_FILE_SYNCHRONIZE, folder, IDCANCEL);
    });

    ASSERT_EQ(1u, cancelled.boxes.size()) << dialogdriver::Describe(cancelled);
    const std::wstring& question = cancelled.boxes[0].text;
    EXPECT_TRUE(Contains(question, L"database: 1 note to add, 0 to change, 0 to delete") &&
                Contains(question, L"folder: 5 notes to add, 0 to change, 0 to delete; 3 groups to add") && Contains(question, L"Synchronize now?"))
        << windowtest::Narrow(question);
    EXPECT_EQ(static_cast<UINT>(MB_ICONQUESTION), cancelled.boxes[0].icon);
    EXPECT_EQ(std::vector<std::wstring>{L"from folder.sql"}, filesAfterCancel) << "Cancel changes nothing";

    EXPECT_EQ(1u, synced.boxes.size()) << "only the question: " << dialogdriver::Describe(synced);
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), L"From the folder")) << windowtest::Join(rows);
    EXPECT_EQ((std::vector<std::wstring>{L"6"}), notefiles::Rows(path, L"SELECT Count(*) FROM notes"));
    EXPECT_EQ(9u, filesAfterSync.size()) << windowtest::Join(filesAfterSync);
    ASSERT_EQ(1u, again.boxes.size());
    EXPECT_TRUE(Contains(again.boxes[0].text, L"Both sides already hold the same notes")) << windowtest::Narrow(again.boxes[0].text);

    ASSERT_EQ(1u, emptied.boxes.size()) << dialogdriver::Describe(emptied);
    EXPECT_TRUE(Contains(emptied.boxes[0].text, L"This sync would delete all 6 notes of the database.") &&
                Contains(emptied.boxes[0].text, L"Notes to delete from the database:\n  Admin\\users\n  alpha top\n  From the folder\n"))
        << "the notes to go, by name: " << windowtest::Narrow(emptied.boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONWARNING), emptied.boxes[0].icon);
    EXPECT_EQ((std::vector<std::wstring>{L"6"}), notefiles::Rows(path, L"SELECT Count(*) FROM notes")) << "Cancel deletes nothing";
}

TEST(ExchangeCommands, ImportThatChangesTheNoteOnThePagesShowsItAndSaveKeepsIt)
{
    const std::wstring path = windowtest::MakeSample(L"import under page.mdb");
    const std::wstring folder = windowtest::Folder().MakeFolder(L"import under page");
    harness::Host host;
    CommandResult exported, imported;
    dialogdriver::Boxes saved;
    std::wstring queryAfter, commentsAfter, viewAfter;
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(dialogdriver::OpenFile(dialog, path).boxes.empty());
        exported = ChooseFolder(dialog, ID_FILE_EXPORT, folder);
        std::string note = storetest::ReadFileBytes(folder + L"\\" + FileOf(L"zeta top"));
        const size_t query = note.find("SELECT 1");
        ASSERT_NE(std::string::npos, query) << "zeta top.sql was not exported";
        note.replace(query, 8, "SELECT 11");
        storetest::WriteFileBytes(folder + L"\\" + FileOf(L"zeta top"), note);

        const dialogdriver::Pages pages = dialogdriver::FindPages(dialog);
        dialogdriver::DoubleClickRow(dialog, dialogdriver::FindRow(dialog, L"zeta top"));
        imported = dialogdriver::ChooseFolder(dialog, ID_FILE_IMPORT, folder, IDOK);
        queryAfter = dialogdriver::ItemText(pages.edit, IDC_EDIT_QUERY);
        commentsAfter = dialogdriver::ItemText(pages.edit, IDC_EDIT_COMMENTS);
        viewAfter = dialogdriver::ItemText(pages.view, IDC_VIEW_QUERY);
        dialogdriver::SetItemText(pages.edit, IDC_EDIT_COMMENTS, L"after the import");
        saved = dialogdriver::Click(pages.edit, IDC_EDIT_SAVE);
    });
    ASSERT_EQ(1u, exported.boxes.size()) << dialogdriver::Describe(exported);
    EXPECT_EQ(1u, imported.boxes.size()) << dialogdriver::Describe(imported);
    EXPECT_EQ(L"SELECT 11", queryAfter) << "the Edit page shows the imported query";
    EXPECT_EQ(L"SELECT 11", viewAfter) << "so does the View page";
    EXPECT_EQ(L"last of the loose notes", commentsAfter);
    EXPECT_TRUE(saved.empty()) << "Save after the import asks nothing: " << dialogdriver::Describe(saved);
    EXPECT_EQ((std::vector<std::wstring>{L"SELECT 11|after the import"}),
              notefiles::Rows(path, L"SELECT query, comments FROM notes WHERE name='zeta top'"))
        << "Save kept the imported query";
}

std::wstring NameOf(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

TEST(ExchangeCommands, PickerStartsBesideTheDatabaseThenWhereItsLastExportOrImportWent)
{
    const std::wstring path = windowtest::MakeSample(L"start.mdb");
    const std::wstring other = windowtest::MakeSample(L"start other.mdb");
    const std::wstring typed = windowtest::Folder().MakeFolder(L"start typed");
    const std::wstring picked = windowtest::Folder().MakeFolder(L"start picked");
    const std::wstring home = NameOf(windowtest::Folder().Path());

    harness::Host host;
    CommandResult exported, missing, imported, otherDatabase, nextRun, pickedGone, damaged, madeByExport;
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(dialogdriver::OpenFile(dialog, path).boxes.empty());
        exported = dialogdriver::TypeFolder(dialog, ID_FILE_EXPORT, typed);
        missing = dialogdriver::TypeFolder(dialog, ID_FILE_IMPORT, L"  \"" + typed + L"\\missing\"");
        imported = ChooseFolder(dialog, ID_FILE_IMPORT, picked);
        ASSERT_TRUE(dialogdriver::OpenFile(dialog, other).boxes.empty());
        otherDatabase = ChooseFolder(dialog, ID_FILE_EXPORT, L"");
    });
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(dialogdriver::OpenFile(dialog, path).boxes.empty());
        nextRun = ChooseFolder(dialog, ID_FILE_EXPORT, L"");
        ::RemoveDirectoryW(picked.c_str());
        pickedGone = ChooseFolder(dialog, ID_FILE_EXPORT, L"");
        // A kept folder of the wrong type is ignored, though the folder is there.
        ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Quillbox\\ExchangeFolders", path.c_str(), REG_BINARY, typed.c_str(),
                          static_cast<DWORD>((typed.size() + 1) * sizeof(wchar_t)));
        damaged = ChooseFolder(dialog, ID_FILE_EXPORT, L"");
        madeByExport = dialogdriver::TypeFolder(dialog, ID_FILE_EXPORT, typed + L"\\made by export");
    });

    EXPECT_EQ(home, exported.pickerStart) << "the first time: the database's own folder";
    ASSERT_EQ(1u, exported.boxes.size()) << dialogdriver::Describe(exported);
    EXPECT_TRUE(Contains(exported.boxes[0].text, L"Exported 5 notes")) << windowtest::Narrow(exported.boxes[0].text);
    EXPECT_NE(std::string::npos, storetest::ReadFileBytes(typed + L"\\" + FileOf(L"alpha top")).find("SELECT 2")) << "written where the path box said";

    EXPECT_EQ(L"start typed", missing.pickerStart) << "Import starts where the export went";
    ASSERT_EQ(1u, missing.fileDialogBoxes.size()) << dialogdriver::Describe(missing);
    EXPECT_TRUE(Contains(missing.fileDialogBoxes[0].text, (L"There is no folder " + typed + L"\\missing.").c_str()))
        << windowtest::Narrow(missing.fileDialogBoxes[0].text);
    EXPECT_TRUE(missing.stayedOpen && missing.boxes.empty()) << dialogdriver::Describe(missing);

    EXPECT_EQ(L"start typed", imported.pickerStart) << "a refused path changes nothing";
    EXPECT_EQ(home, otherDatabase.pickerStart) << "each database has its own folder";
    EXPECT_EQ(L"start picked", nextRun.pickerStart) << "kept for later runs";
    EXPECT_EQ(home, pickedGone.pickerStart) << "a folder that is gone is not offered";
    EXPECT_EQ(home, damaged.pickerStart);
    EXPECT_NE(std::string::npos, storetest::ReadFileBytes(typed + L"\\made by export\\" + FileOf(L"alpha top")).find("SELECT 2"))
        << "Export makes a folder typed inside one that exists: " << dialogdriver::Describe(madeByExport);
}

// The folder of this test program: the build tree's, on Z:, the drive Wine
// maps to the Unix root (the current folder moves with the file dialogs).
std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring program = path;
    return program.substr(0, program.rfind(L'\\'));
}

TEST(ExchangeCommands, OnDriveZThePickerStartsBesideTheDatabaseThenAtItsOwnFolderForEachOfTwoSameNamedDatabases)
{
    const storetest::TestFolder onZ(L"quillbox drive z", ProgramFolder());
    const std::wstring root = onZ.Path();
    ASSERT_EQ(0u, root.find(L"Z:\\")) << "the test runs in a folder on Z:, not in " << windowtest::Narrow(root);
    for (const wchar_t* folder : {L"\\first", L"\\second", L"\\second\\out two"})
        ASSERT_TRUE(::CreateDirectoryW((root + folder).c_str(), nullptr)) << windowtest::Narrow(root + folder);
    const std::wstring first = root + L"\\first\\notes.mdb", second = root + L"\\second\\notes.mdb";
    ASSERT_EQ(L"", notefiles::MakeNoteDatabase(first, notefiles::SampleStatements()));
    ASSERT_EQ(L"", notefiles::MakeNoteDatabase(second, notefiles::SampleStatements()));

    harness::Host host;
    CommandResult firstTime, secondTime, firstAgain, secondAgain, firstNextRun;
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(dialogdriver::OpenFile(dialog, first).boxes.empty());
        // Export makes the folder typed for it.
        firstTime = dialogdriver::TypeFolder(dialog, ID_FILE_EXPORT, root + L"\\first\\out one");
        ASSERT_TRUE(dialogdriver::OpenFile(dialog, second).boxes.empty());
        secondTime = ChooseFolder(dialog, ID_FILE_IMPORT, L"");
        dialogdriver::TypeFolder(dialog, ID_FILE_EXPORT, root + L"\\second\\out two");
        ASSERT_TRUE(dialogdriver::OpenFile(dialog, first).boxes.empty());
        firstAgain = ChooseFolder(dialog, ID_FILE_EXPORT, L"");
        ASSERT_TRUE(dialogdriver::OpenFile(dialog, second).boxes.empty());
        secondAgain = ChooseFolder(dialog, ID_FILE_SYNCHRONIZE, L"");
    });
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(dialogdriver::OpenFile(dialog, first).boxes.empty());
        firstNextRun = ChooseFolder(dialog, ID_FILE_IMPORT, L"");
    });
    EXPECT_EQ(L"first", firstTime.pickerStart) << "the first time: the database's own folder on Z:";
    EXPECT_EQ(L"second", secondTime.pickerStart) << "a database of the same name elsewhere starts at its own folder";
    EXPECT_EQ(L"out one", firstAgain.pickerStart) << "the folder kept for the first";
    EXPECT_EQ(L"out two", secondAgain.pickerStart) << "and the one kept for the second";
    EXPECT_EQ(L"out one", firstNextRun.pickerStart) << "kept for later runs";
}

// Export files under `folder` that read whole: the header, then a query that ends as written.
int WholeExportFiles(const std::wstring& folder, int& other)
{
    int whole = 0;
    for (const std::wstring& name : storetest::FilesUnder(folder)) {
        const std::string bytes = storetest::ReadFileBytes(folder + L"\\" + name);
        const size_t body = bytes.find("\n\n");
        const bool note = bytes.rfind("-- Quillbox note\n", 0) == 0 && body != std::string::npos &&
                          bytes.compare(body + 2, 7, "SELECT ") == 0 && bytes.compare(bytes.size() - 2, 2, ";\n") == 0;
        if (note) ++whole;
        else if (bytes.rfind("<!-- Quillbox group -->", 0) != 0) ++other;
    }
    return whole;
}

TEST(ExchangeCommands, CancelInTheExportsProgressWindowLeavesEveryFileWholeAndTheNextExportCompletes)
{
    // Enough notes that writing their files takes well over the half second after which the progress window shows.
    constexpr int kNotes = 3000;
    const std::wstring path = windowtest::FileIn(L"long export.mdb");
    std::vector<std::wstring> inserts;
    for (int i = 1; i <= kNotes; ++i) {
        const std::wstring n = std::to_wstring(i);
        inserts.push_back(L"INSERT INTO notes VALUES(" + n + L",0,'note " + n + L"','c','SELECT " + n + L";')");
    }
    ASSERT_EQ(L"", notefiles::MakeNoteDatabase(path, inserts));
    const std::wstring folder = windowtest::FileIn(L"long export");
    ::CreateDirectoryW(folder.c_str(), nullptr);

    harness::Host host;
    int wholeAfterCancel = 0, otherAfterCancel = 0;
    CommandResult cancelled, completed;
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(dialogdriver::OpenFile(dialog, path).boxes.empty());
        cancelled = ChooseFolder(dialog, ID_FILE_EXPORT, folder, IDOK, nullptr, true);
        wholeAfterCancel = WholeExportFiles(folder, otherAfterCancel);
        completed = ChooseFolder(dialog, ID_FILE_EXPORT, folder);
    });

    EXPECT_TRUE(cancelled.progressCancelled) << "the progress window showed and took the Cancel";
    ASSERT_EQ(1u, cancelled.boxes.size());
    EXPECT_TRUE(Contains(cancelled.boxes[0].text, L"Export cancelled")) << windowtest::Narrow(cancelled.boxes[0].text);
    EXPECT_GT(wholeAfterCancel, 0);
    EXPECT_LT(wholeAfterCancel, kNotes) << "the export stopped early";
    EXPECT_EQ(0, otherAfterCancel) << "no partial or temporary file";

    ASSERT_EQ(1u, completed.boxes.size());
    EXPECT_TRUE(Contains(completed.boxes[0].text, L"Exported 3000 notes")) << windowtest::Narrow(completed.boxes[0].text);
    int other = 0;
    EXPECT_EQ(kNotes, WholeExportFiles(folder, other));
}

} // namespace
