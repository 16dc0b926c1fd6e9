// Bad files through the main dialog's File, Open and File, New, with the
// real file dialogs: a zero-length file, a note database cut in half, random
// bytes named .mdb, a folder named x.mdb, a path longer than MAX_PATH, a
// read-only file and a file another process holds a write lock on. For each:
// what the user is told (the text), the dialog still works afterwards (a good
// file opens and lists its notes), and the bad file is byte for byte as it
// was. A path in Cyrillic and CJK is not bad at all: it must work end to end.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/twousers/PeerProcess.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/DialogHarness.h"
#include "tests/window/NoteFiles.h"
#include "tests/window/WindowTestSupport.h"

namespace {

using namespace dialogdriver;
using storetest::ReadFileBytes;
using windowtest::FileIn;
using windowtest::Join;
using windowtest::Narrow;
using Names = std::vector<std::wstring>;

std::wstring Trimmed(std::wstring text)
{
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text;
}

std::wstring Quoted(const std::wstring& path) { return L"'" + path + L"'"; }

// What the user sees after choosing a file.
enum class Seen {
    Box,          // one Quillbox message box with the given text
    Opens,        // no message; the file's notes are listed
    StaysInFiles  // the file dialog does not take the name (and is then cancelled)
};

struct Expectation {
    Seen seen;
    std::wstring text;  // the message box text, for Seen::Box
};

Expectation Box(const std::wstring& text) { return {Seen::Box, text}; }

// File, New onto an existing file asks first; these tests answer No.
Expectation ReplaceQuestion(const std::wstring& path)
{
    return Box(path.substr(path.rfind(L'\\') + 1) +
               L" already exists.\nDo you want to replace it with an empty note database? Everything it holds is lost.");
}

std::wstring NotADatabase(const std::wstring& path)
{
    return L"The file " + Quoted(path) + L" is not a note database: it is not a database file this driver can read.";
}

std::wstring NoGroupsTable(const std::wstring& path)
{
    return L"The table 'groups' does not exist in the database " + Quoted(path) + L"; the file may not be a note database.";
}

std::wstring Locked(const std::wstring& path)
{
    return L"The note database file " + Quoted(path) +
           L" is locked by another program or user, and it was still locked after 3 seconds of waiting. Nothing was changed; try again when the other program has finished.";
}

std::wstring Damaged(const std::wstring& path)
{
    return L"The note database file " + Quoted(path) + L" is damaged (database disk image is malformed).";
}

void ExpectOutcome(const Expectation& expected, const CommandResult& run, const std::string& what)
{
    SCOPED_TRACE(what + ": " + Describe(run));
    EXPECT_TRUE(run.fileDialogShown);
    switch (expected.seen) {
    case Seen::Box:
        EXPECT_FALSE(run.stayedOpen);
        ASSERT_EQ(1u, run.boxes.size());
        EXPECT_EQ(expected.text, Trimmed(run.boxes[0].text));
        EXPECT_NE(0u, run.boxes[0].icon) << "a message box with an icon";
        break;
    case Seen::Opens:
        EXPECT_FALSE(run.stayedOpen);
        EXPECT_TRUE(run.boxes.empty());
        EXPECT_TRUE(run.fileDialogBoxes.empty());
        break;
    case Seen::StaysInFiles:
        EXPECT_TRUE(run.stayedOpen);
        EXPECT_TRUE(run.boxes.empty()) << "nothing reached Quillbox";
        break;
    }
}

// The dialog still works: a good file opens and lists its notes.
void ExpectUsable(HWND dialog, const std::wstring& good, const std::string& after)
{
    const CommandResult run = RunFileCommand(dialog, ID_FILE_OPEN, good);
    EXPECT_TRUE(run.boxes.empty() && !run.stayedOpen) << "after " << after << ": " << Describe(run);
    EXPECT_EQ(windowtest::SampleCatalogue(), RowNames(dialog)) << "after " << after << ": " << Join(RowNames(dialog));
}

// A note database big enough to span many pages, cut after half its bytes.
std::wstring MakeTruncated(const wchar_t* name)
{
    const std::wstring whole = FileIn(L"whole for cutting.mdb");
    std::vector<std::wstring> statements = notefiles::SampleStatements();
    for (int id = 10; id < 400; ++id) {
        statements.push_back(L"INSERT INTO notes VALUES(" + std::to_wstring(id) + L",1,'note " + std::to_wstring(id) + L"','filler','SELECT " +
                             std::wstring(200, L'x') + L"');");
    }
    EXPECT_EQ(L"", notefiles::MakeNoteDatabase(whole, statements));
    const std::string bytes = ReadFileBytes(whole);
    const std::wstring path = FileIn(name);
    storetest::WriteFileBytes(path, bytes.substr(0, bytes.size() / 2));
    return path;
}

std::string RandomBytes(size_t count)
{
    std::string bytes(count, '\0');
    unsigned state = 20261207u;
    for (char& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<char>(state >> 16);
    }
    return bytes;
}

// A folder chain under the test folder whose file path is longer than MAX_PATH.
std::wstring MakeLongPathSample()
{
    std::wstring folder = windowtest::Folder().Path();
    for (wchar_t part : {L'a', L'b', L'c'}) {
        folder += L"\\" + std::wstring(90, part);
        ::CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr);
    }
    const std::wstring path = folder + L"\\long path notes.mdb";
    const std::wstring sample = windowtest::MakeSample(L"long path source.mdb");
    EXPECT_TRUE(::CopyFileW(sample.c_str(), (L"\\\\?\\" + path).c_str(), TRUE)) << ::GetLastError();
    EXPECT_GT(path.size(), static_cast<size_t>(MAX_PATH));
    return path;
}

struct BadFile {
    std::string name;
    std::wstring typed;    // what the user types into the file dialog
    std::wstring onDisk;   // the file to compare before and after (\\?\ form when long)
    Expectation open;
    Expectation create;
};

// Every bad file in one walk: Open it, then use the dialog; New onto it, then
// use the dialog; the file unchanged throughout.
TEST(BadFiles, EveryBadFileIsReportedAndChangesNothing)
{
    const std::wstring good = windowtest::MakeSample(L"good.mdb");

    std::vector<BadFile> cases;
    const std::wstring empty = FileIn(L"empty.mdb");
    storetest::WriteFileBytes(empty, "");
    cases.push_back({"zero-length file", empty, empty, Box(NoGroupsTable(empty)), ReplaceQuestion(empty)});

    const std::wstring cut = MakeTruncated(L"cut in half.mdb");
    cases.push_back({"note database cut in half", cut, cut, Box(Damaged(cut)), ReplaceQuestion(cut)});

    const std::wstring random = FileIn(L"random.mdb");
    storetest::WriteFileBytes(random, RandomBytes(8192));
    cases.push_back({"random bytes", random, random, Box(NotADatabase(random)), ReplaceQuestion(random)});

    const std::wstring folder = FileIn(L"x.mdb");
    ::CreateDirectoryW(folder.c_str(), nullptr);
    cases.push_back({"folder named x.mdb", folder, folder, {Seen::StaysInFiles, L""}, {Seen::StaysInFiles, L""}});

    const std::wstring readOnly = windowtest::MakeSample(L"read only.mdb");
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    cases.push_back({"read-only file", readOnly, readOnly, {Seen::Opens, L""}, ReplaceQuestion(readOnly)});

    const std::wstring locked = windowtest::MakeSample(L"locked.mdb");
    cases.push_back({"file write-locked by another process", locked, locked, Box(Locked(locked)), ReplaceQuestion(locked)});
    CPeerProcess locker(false);
    ASSERT_TRUE(locker.IsReady());
    ASSERT_EQ(L"ok locked", locker.Ask(L"lock-write " + locked));

    std::vector<std::string> before;
    for (const BadFile& bad : cases) before.push_back(ReadFileBytes(bad.onDisk));

    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        for (const BadFile& bad : cases) {
            ExpectOutcome(bad.open, RunFileCommand(dialog, ID_FILE_OPEN, bad.typed), bad.name + ", File Open");
            if (bad.open.seen == Seen::Opens) {
                EXPECT_EQ(windowtest::SampleCatalogue(), RowNames(dialog)) << bad.name;
            }
            ExpectUsable(dialog, good, bad.name + ", File Open");
            ExpectOutcome(bad.create, RunFileCommand(dialog, ID_FILE_NEW, bad.typed, true, {IDNO}), bad.name + ", File New");
            if (bad.create.seen == Seen::Box) {
                EXPECT_EQ(windowtest::SampleCatalogue(), RowNames(dialog)) << bad.name << ": a refused New keeps the open file listed";
            }
            ExpectUsable(dialog, good, bad.name + ", File New");
        }
    });
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(before[i], ReadFileBytes(cases[i].onDisk)) << cases[i].name << " was changed";
    }
    EXPECT_EQ(L"ok released", locker.Ask(L"release"));
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

std::wstring ReadOnlyText(const std::wstring& path)
{
    return L"The note database file " + Quoted(path) + L" is read-only, so the change cannot be saved. Nothing was changed.";
}

// A read-only note database opens and lists (covered in the main-dialog
// tests); saving a note into it is refused with a message naming the file,
// the page keeps the note, and the file stays as it was.
TEST(BadFiles, SavingIntoAReadOnlyFileSaysSoAndKeepsTheNote)
{
    const std::wstring path = windowtest::MakeSample(L"read only save.mdb");
    const std::wstring good = windowtest::MakeSample(L"writable.mdb");
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string bytes = ReadFileBytes(path);
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(RunFileCommand(dialog, ID_FILE_OPEN, path).boxes.empty());
        const std::vector<SeenBox> refused = dialogdriver::SaveNewNote(dialog, L"cannot be kept here");
        ASSERT_EQ(1u, refused.size()) << dialogdriver::Describe(refused);
        EXPECT_EQ(ReadOnlyText(path), Trimmed(refused[0].text));
        EXPECT_EQ(L"cannot be kept here", ItemText(FindPages(dialog).edit, IDC_EDIT_TITLE)) << "the Edit page keeps the note";
        // New asks about the unsaved note; No drops it.
        const std::vector<SeenBox> asked = dialogdriver::Click(FindPages(dialog).edit, IDC_EDIT_NEW, {IDNO});
        ASSERT_EQ(1u, asked.size()) << dialogdriver::Describe(asked);
        EXPECT_EQ(L"Save changes to the note \"cannot be kept here\"?", asked[0].text);
        // A note goes into a writable file once that one is open.
        ASSERT_TRUE(RunFileCommand(dialog, ID_FILE_OPEN, good).boxes.empty());
        const std::vector<SeenBox> saved = dialogdriver::SaveNewNote(dialog, L"kept elsewhere");
        EXPECT_TRUE(saved.empty()) << dialogdriver::Describe(saved);
    });
    EXPECT_EQ(bytes, ReadFileBytes(path));
    EXPECT_EQ(Names{L"0"}, notefiles::Rows(good, L"SELECT count(*) FROM notes WHERE name='cannot be kept here'"));
    EXPECT_EQ(Names{L"1"}, notefiles::Rows(good, L"SELECT count(*) FROM notes WHERE name='kept elsewhere'"));
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Another program in the middle of a write transaction (it has begun
// writing and not committed): reading goes on, so the file opens and lists;
// a save waits the bounded time and then says the file is locked, and the
// file keeps only what the other program commits.
TEST(BadFiles, AFileAnotherProgramIsWritingOpensAndASaveSaysItIsLocked)
{
    const std::wstring path = windowtest::MakeSample(L"being written.mdb");
    const std::string bytes = ReadFileBytes(path);
    CPeerProcess writer(false);
    ASSERT_TRUE(writer.IsReady());
    ASSERT_EQ(L"ok writing", writer.Ask(L"begin-write " + path));
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        const CommandResult opened = RunFileCommand(dialog, ID_FILE_OPEN, path);
        EXPECT_TRUE(opened.boxes.empty()) << Describe(opened);
        EXPECT_EQ(windowtest::SampleCatalogue(), RowNames(dialog));
        const std::vector<SeenBox> refused = dialogdriver::SaveNewNote(dialog, L"not while another writes");
        ASSERT_EQ(1u, refused.size()) << dialogdriver::Describe(refused);
        EXPECT_EQ(Locked(path), Trimmed(refused[0].text));
        EXPECT_EQ(windowtest::SampleCatalogue(), RowNames(dialog)) << "the list is as it was";
    });
    EXPECT_EQ(bytes, ReadFileBytes(path)) << "nothing was written while the other program held the file";
    EXPECT_EQ(L"ok released", writer.Ask(L"release"));
    EXPECT_EQ(bytes, ReadFileBytes(path));
}

// Folder and file names in Cyrillic and CJK are ordinary names: New creates
// the file there, notes with such titles are saved, and a later Open reads
// them back, in the list and in the file.
TEST(BadFiles, CyrillicAndCjkNamesWorkEndToEnd)
{
    const std::wstring folder = FileIn(L"\u0417\u0430\u043c\u0435\u0442\u043a\u0438 \u7b14\u8bb0");
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring path = folder + L"\\\u0437\u0430\u043f\u0438\u0441\u0438 \u30e1\u30e2.mdb";
    const std::wstring good = windowtest::MakeSample(L"plain.mdb");
    const std::wstring first = L"\u041e\u0442\u0447\u0451\u0442 \u0437\u0430 \u043c\u0430\u0439";   // a report for May
    const std::wstring second = L"\u6708\u5ea6\u62a5\u544a \u4e2d\u6587";                              // monthly report
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        const CommandResult created = RunFileCommand(dialog, ID_FILE_NEW, path);
        ASSERT_TRUE(created.boxes.empty() && !created.stayedOpen) << Describe(created);
        EXPECT_TRUE(dialogdriver::SaveNewNote(dialog, first).empty());
        EXPECT_TRUE(dialogdriver::SaveNewNote(dialog, second).empty());

        ASSERT_TRUE(RunFileCommand(dialog, ID_FILE_OPEN, good).boxes.empty());
        ASSERT_EQ(windowtest::SampleCatalogue(), RowNames(dialog));
        const CommandResult reopened = RunFileCommand(dialog, ID_FILE_OPEN, path);
        EXPECT_TRUE(reopened.boxes.empty() && !reopened.stayedOpen) << Describe(reopened);
        EXPECT_EQ((Names{first, second}), RowNames(dialog)) << "both notes, Cyrillic sorting before CJK";
        EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, first)).empty());
        EXPECT_EQ(L"SELECT '" + first + L"'", ItemText(FindPages(dialog).view, IDC_VIEW_QUERY)) << "the query reads back whole";
    });
    EXPECT_TRUE(storetest::FileExists(path));
    EXPECT_EQ((Names{first, second}), notefiles::Rows(path, L"SELECT name FROM notes ORDER BY id"));
}

// A path longer than MAX_PATH cannot go through Wine 8's file dialog: its
// Open button copies the name into a MAX_PATH buffer on the stack and the
// process dies (an overflow inside comdlg32, before the dialog returns).
// What stands behind the dialog takes such a path in both forms: the note
// store connects and reads the catalogue, and New creates a note database there.
TEST(BadFiles, PathLongerThanMaxPathWorksBehindTheFileDialog)
{
    const std::wstring path = MakeLongPathSample();
    const Names catalogue = {L"zeta top|last of the loose notes", L"alpha top|", L"report b|weekly", L"Report a|daily", L"users|who is there"};
    EXPECT_EQ(catalogue, notefiles::Rows(path, L"SELECT name, comments FROM notes ORDER BY id")) << "the plain long form";
    EXPECT_EQ(catalogue, notefiles::Rows(L"\\\\?\\" + path, L"SELECT name, comments FROM notes ORDER BY id")) << "the \\\\?\\ form";
    const std::wstring created = path.substr(0, path.rfind(L'\\')) + L"\\created there.mdb";
    EXPECT_EQ(L"", notefiles::MakeNoteDatabase(created, {L"INSERT INTO notes VALUES(1,0,'deep','','SELECT 1');"}));
    EXPECT_EQ(Names{L"deep"}, notefiles::Rows(L"\\\\?\\" + created, L"SELECT name FROM notes"));
}

} // namespace
