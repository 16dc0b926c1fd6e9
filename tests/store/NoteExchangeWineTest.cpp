// Export and import through the real ODBC stack and files: a cancel or a
// failure midway leaves the database exactly as it was and every exported
// file whole, and the next export completes the folder; hostile folders are
// refused file by file, with a reason, and nothing of them is half-imported.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/CDBException.h"
#include "framework/ThrownException.h"
#include "framework/CDatabase.h"
#include "framework/CRecordset.h"
#include "store/format/ExportNames.h"
#include "store/records/NoteDatabaseFile.h"
#include "store/exchange/NoteExchange.h"
#include "store/format/NoteFile.h"
#include "store/exchange/NoteFolderFiles.h"
#include "store/format/Utf8Text.h"
#include "tests/store/StoreTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using storetest::TestFolder;

// Says stop after `steps` steps.
class StopAfter : public IExchangeProgress {
public:
    explicit StopAfter(int steps) : m_steps(steps) {}
    bool Continue(int, int) override { return m_calls++ < m_steps; }

private:
    int m_steps;
    int m_calls = 0;
};

void Exec(CDatabase& db, const std::wstring& sql)
{
    try {
        db.ExecuteSQL(sql.c_str());
    } catch (CDBException* e) {
        const CThrownException<CDBException> caught(e);
        ADD_FAILURE() << ToUtf8(e->m_strError);
    }
}

std::wstring Count(CDatabase& db, const wchar_t* sql)
{
    CRecordset rows(&db);
    rows.Open(CRecordset::forwardOnly, sql, CRecordset::executeDirect);
    CString text;
    rows.GetFieldValue(static_cast<short>(0), text);
    rows.Close();
    return text.str();
}

void NewDatabase(CDatabase& db, const std::wstring& path, int notes)
{
    ASSERT_TRUE(RequestNoteDatabaseFile(path.c_str()));
    ConnectNoteDatabase(db, path.c_str());
    ASSERT_TRUE(db.IsOpen());
    ASSERT_TRUE(CreateSchema(db));
    if (notes > 0) Exec(db, L"INSERT INTO groups VALUES(1,'Work','desc')");
    for (int i = 1; i <= notes; ++i)
        Exec(db, L"INSERT INTO notes VALUES(" + std::to_wstring(i) + L"," + std::to_wstring(i % 2) + L",'note " + std::to_wstring(i) +
                     L"','c','SELECT " + std::to_wstring(i) + L";')");
}

// The first column of every row, in the statement's order.
std::vector<std::wstring> Column(CDatabase& db, const wchar_t* sql)
{
    std::vector<std::wstring> values;
    CRecordset rows(&db);
    rows.Open(CRecordset::forwardOnly, sql, CRecordset::executeDirect);
    for (; !rows.IsEOF(); rows.MoveNext()) {
        CString text;
        rows.GetFieldValue(static_cast<short>(0), text);
        values.push_back(text.str());
    }
    rows.Close();
    return values;
}

std::map<std::wstring, std::wstring> Refusals(const ImportPlan& plan)
{
    std::map<std::wstring, std::wstring> reasons;
    for (const ImportRefusal& refusal : plan.refusals) reasons[refusal.source.str()] = refusal.reason.str();
    return reasons;
}

std::string Utf8(const std::wstring& text) { return ToUtf8(text.c_str()); }

// The note files under `folder` that read as whole export files; `other` counts the rest.
int WholeNoteFiles(const std::wstring& folder, int& other)
{
    int whole = 0;
    for (const std::wstring& name : storetest::FilesUnder(folder)) {
        CString text;
        NoteFileFields note;
        GroupFileFields group;
        const bool decoded = FromUtf8(storetest::ReadFileBytes(folder + L"\\" + name), text);
        if (decoded && ParseNoteFile(text, note) && note.query.Left(7) == L"SELECT " && note.query.Right(1) == L";") ++whole;
        else if (!(decoded && ParseGroupFile(text, group))) ++other;
    }
    return whole;
}

TEST(NoteExchange, CancelledWorkKeepsTheDatabaseAndEveryFileWholeAndTheNextExportCompletes)
{
    TestFolder folder(L"exchange cancel");
    CDatabase db;
    NewDatabase(db, folder.File(L"notes.mdb"), 30);
    const std::wstring out = folder.MakeFolder(L"out");

    StopAfter tenFiles(10);
    ExchangeOutcome outcome = ExportNoteDatabase(db, out.c_str(), &tenFiles);
    EXPECT_TRUE(outcome.cancelled);
    int other = 0;
    const int written = WholeNoteFiles(out, other);
    EXPECT_GT(written, 0);
    EXPECT_LT(written, 30);
    EXPECT_EQ(0, other) << "no partial or temporary file";

    outcome = ExportNoteDatabase(db, out.c_str(), nullptr);
    ASSERT_TRUE(outcome.ok) << ToUtf8(outcome.message);
    EXPECT_EQ(30, WholeNoteFiles(out, other));
    EXPECT_EQ(0, ExportNoteDatabase(db, out.c_str(), nullptr).written) << "the folder is complete";

    // Into a second database: a cancelled import keeps nothing, a whole one everything.
    CDatabase second;
    NewDatabase(second, folder.File(L"second.mdb"), 0);
    ImportPlan plan;
    ASSERT_TRUE(PlanNoteImport(second, out.c_str(), plan, nullptr).ok);
    EXPECT_EQ(30, plan.Count(ImportAction::Add));
    StopAfter someSteps(12);
    outcome = ApplyNoteImport(second, plan, &someSteps);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(L"0", Count(second, L"SELECT Count(*) FROM notes"));
    EXPECT_EQ(L"1", Count(second, L"SELECT Count(*) FROM groups")) << "the new group went with the cancel";
    outcome = ApplyNoteImport(second, plan, nullptr);
    ASSERT_TRUE(outcome.ok) << ToUtf8(outcome.message);
    EXPECT_EQ(L"30", Count(second, L"SELECT Count(*) FROM notes"));
    EXPECT_EQ(L"2", Count(second, L"SELECT Count(*) FROM groups"));
}

TEST(NoteExchange, AFailureMidwayNamesItsCauseAndChangesNothing)
{
    TestFolder folder(L"exchange failure");
    CDatabase db;
    NewDatabase(db, folder.File(L"notes.mdb"), 4);
    const std::wstring out = folder.MakeFolder(L"out");
    ASSERT_TRUE(ExportNoteDatabase(db, out.c_str(), nullptr).ok);
    storetest::WriteFileBytes(out + L"\\plain one.sql", "SELECT 'one';");
    storetest::WriteFileBytes(out + L"\\plain two.sql", "SELECT 'two';");

    // Another user takes the number the second new note was given, after the plan was made.
    ImportPlan plan;
    ASSERT_TRUE(PlanNoteImport(db, out.c_str(), plan, nullptr).ok);
    ASSERT_EQ(2, plan.Count(ImportAction::Add));
    Exec(db, L"INSERT INTO notes VALUES(6,0,'meanwhile','c','SELECT 6;')");
    const ExchangeOutcome outcome = ApplyNoteImport(db, plan, nullptr);
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.message.IsEmpty());
    EXPECT_EQ(L"5", Count(db, L"SELECT Count(*) FROM notes")) << "the first new note went with the failure";

    // A note file that cannot be replaced: the export stops and names it; the rest stay whole.
    Exec(db, L"UPDATE notes SET query='SELECT 33;' WHERE id=3");
    const std::wstring note3 = NoteFileStem(L"note 3").str() + L".sql";
    HANDLE locked = ::CreateFileW((out + L"\\Work\\" + note3).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    const ExchangeOutcome stopped = ExportNoteDatabase(db, out.c_str(), nullptr);
    ::CloseHandle(locked);
    EXPECT_FALSE(stopped.ok);
    EXPECT_NE(-1, stopped.message.Find(note3.c_str())) << ToUtf8(stopped.message);
    int other = 0;
    EXPECT_EQ(4, WholeNoteFiles(out, other));
    EXPECT_EQ(2, other) << "the two plain files, and no partial or temporary one";

    // A folder that is a file.
    const ExchangeOutcome notAFolder = ExportNoteDatabase(db, (out + L"\\plain one.sql").c_str(), nullptr);
    EXPECT_FALSE(notAFolder.ok);
    EXPECT_NE(-1, notAFolder.message.Find(L"plain one.sql")) << ToUtf8(notAFolder.message);
}

// Deletes one file when the import's reading reaches it, and changes another.
class PullTheRug : public IExchangeProgress {
public:
    PullTheRug(int at, std::wstring gone, std::wstring changed) : m_at(at), m_gone(std::move(gone)), m_changed(std::move(changed)) {}
    bool Continue(int done, int) override
    {
        if (done == m_at) {
            ::DeleteFileW(m_gone.c_str());
            storetest::WriteFileBytes(m_changed, "SELECT 'changed while it was read';");
        }
        return true;
    }

private:
    int m_at;
    std::wstring m_gone, m_changed;
};

std::string Header(const std::string& title, const std::string& group, const std::string& comments)
{
    return "-- Quillbox note\n-- title: \"" + title + "\"\n-- group: \"" + group + "\"\n-- comments: \"" + comments + "\"\n\nSELECT 1;";
}

TEST(HostileFolders, EachFileIsTakenOrRefusedWithItsReasonAndNothingIsHalfImported)
{
    TestFolder folder(L"hostile");
    CDatabase db;
    NewDatabase(db, folder.File(L"notes.mdb"), 2);
    const std::wstring in = folder.MakeFolder(L"in");
    const auto put = [&](const std::wstring& name, const std::string& bytes) { storetest::WriteFileBytes(in + L"\\" + name, bytes); };

    // Every character Windows allows in a name, the awkward ASCII ones and beyond the BMP.
    const std::wstring oddName = L" !#$%&'()+,-.;=@[]^_`{}~ \u00e9\u6f22\U0001F600 x";
    ::CreateDirectoryW((in + L"\\" + oddName).c_str(), nullptr);
    put(oddName + L"\\" + oddName + L".sql", "SELECT 'odd';");
    put(L"zero.sql", "");
    put(L"latin.sql", "SELECT '\xe9t\xe9';");            // not UTF-8: read in the ANSI code page
    put(L"utf16 no bom.sql", std::string("S\0E\0L\0", 6));  // NULs without a byte order mark: not text
    put(L"long title.sql", Header(std::string(256, 't'), "None", ""));
    put(L"long comments.sql", Header("ok title", "None", std::string(300, 'c')));
    put(oddName + L"\\long group.sql", Header("ok title", std::string(256, 'g'), ""));
    put(L"max title.sql", Header(std::string(255, 'm'), "None", std::string(255, 'c')));
    put(L"gone.sql", "SELECT 'gone';");
    put(L"changed.sql", "SELECT 'as planned';");
    // 200 MB, sparse: refused by its size before any of it is read.
    {
        HANDLE huge = ::CreateFileW((in + L"\\huge.sql").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, huge);
        LARGE_INTEGER size;
        size.QuadPart = 200LL * 1024 * 1024;
        EXPECT_TRUE(::SetFilePointerEx(huge, size, nullptr, FILE_BEGIN) && ::SetEndOfFile(huge));
        ::CloseHandle(huge);
    }
    // 50 folders deep: a group's folder holds notes, not more folders.
    std::wstring deep = in + L"\\deep";
    ::CreateDirectoryW(deep.c_str(), nullptr);
    put(L"deep\\top.sql", "SELECT 'top';");
    for (int level = 2; level <= 50; ++level) {
        deep += L"\\d";
        ASSERT_TRUE(::CreateDirectoryW(deep.c_str(), nullptr)) << level;
        storetest::WriteFileBytes(deep + L"\\buried.sql", "SELECT 'buried';");
    }

    // A file that vanishes between the listing and its read, and one changed then: the
    // summary says which cannot be read, and the import writes what the summary showed.
    ImportPlan plan;
    PullTheRug rug(0, in + L"\\gone.sql", in + L"\\changed.sql");
    // A file another program holds with no sharing cannot be read by anyone else.
    HANDLE held = ::CreateFileW((in + L"\\held.sql").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    const ExchangeOutcome planned = PlanNoteImport(db, in.c_str(), plan, &rug);
    ::CloseHandle(held);
    ASSERT_TRUE(planned.ok) << Utf8(planned.message.str());

    std::map<std::wstring, std::wstring> refused = Refusals(plan);
    EXPECT_EQ(L"empty file", refused[L"zero.sql"]);
    EXPECT_EQ(L"not text", refused[L"utf16 no bom.sql"]);
    EXPECT_EQ(L"too large", refused[L"huge.sql"]);
    EXPECT_EQ(L"title over 255 characters", refused[L"long title.sql"]);
    EXPECT_EQ(L"comments over 255 characters", refused[L"long comments.sql"]);
    EXPECT_EQ(L"group name over 255 characters", refused[oddName + L"\\long group.sql"]);
    EXPECT_EQ(L"a folder inside a group's folder", refused[L"deep\\d"]);
    EXPECT_EQ(0u, refused[L"gone.sql"].find(L"cannot be read (")) << Utf8(refused[L"gone.sql"]);
    EXPECT_EQ(0u, refused[L"held.sql"].find(L"cannot be read (")) << Utf8(refused[L"held.sql"]);
    EXPECT_EQ(9u, plan.refusals.size());
    EXPECT_EQ(5, plan.Count(ImportAction::Add)) << "odd name, latin, max title, changed, deep\\top";

    storetest::WriteFileBytes(in + L"\\changed.sql", "SELECT 'changed after the summary';");
    ::DeleteFileW((in + L"\\latin.sql").c_str());
    const ExchangeOutcome applied = ApplyNoteImport(db, plan, nullptr);
    ASSERT_TRUE(applied.ok) << Utf8(applied.message.str());

    EXPECT_EQ(L"7", Count(db, L"SELECT Count(*) FROM notes"));
    EXPECT_EQ(std::vector<std::wstring>{oddName}, Column(db, L"SELECT name FROM notes WHERE query = 'SELECT ''odd'';'"));
    std::vector<std::wstring> groups = Column(db, L"SELECT groupName FROM groups WHERE id > 1");
    std::sort(groups.begin(), groups.end());
    EXPECT_EQ((std::vector<std::wstring>{oddName, L"deep"}), groups);
    EXPECT_EQ(std::vector<std::wstring>{L"SELECT '\u00e9t\u00e9';"}, Column(db, L"SELECT query FROM notes WHERE name = 'latin'"));
    EXPECT_EQ(std::vector<std::wstring>{L"SELECT 'changed while it was read';"},
              Column(db, L"SELECT query FROM notes WHERE name = 'changed'"));
    EXPECT_EQ(std::vector<std::wstring>{std::wstring(255, L'c')},
              Column(db, (L"SELECT comments FROM notes WHERE name = '" + std::wstring(255, L'm') + L"'").c_str()));
    EXPECT_EQ(L"0", Count(db, L"SELECT Count(*) FROM notes WHERE name IN ('buried', 'gone', 'zero', 'huge', 'ok title')"));

    // The same folder again (without the file that went): nothing to add or change.
    ImportPlan again;
    ASSERT_TRUE(PlanNoteImport(db, in.c_str(), again, nullptr).ok);
    EXPECT_EQ(0, again.Count(ImportAction::Add));
}

// 1,000 files, or QB_MANY_FILES (the long form: 10,000, some 40 s, most of it
// making the files), in 100 group folders: Wine looks a new name up in the
// whole folder, so 10,000 files in one folder would take minutes to make.
TEST(HostileFolders, ManyFilesAreTakenInOneTransaction)
{
    const char* many = std::getenv("QB_MANY_FILES");
    const int files = many && std::atoi(many) >= 100 ? std::atoi(many) / 100 * 100 : 1000;
    TestFolder folder(L"many files");
    CDatabase db;
    NewDatabase(db, folder.File(L"notes.mdb"), 0);
    const std::wstring in = folder.MakeFolder(L"in");
    for (int g = 0; g < 100; ++g) ::CreateDirectoryW((in + L"\\g" + std::to_wstring(g)).c_str(), nullptr);
    for (int i = 0; i < files; ++i)
        storetest::WriteFileBytes(in + L"\\g" + std::to_wstring(i % 100) + L"\\n" + std::to_wstring(i) + L".sql",
                                  "SELECT " + std::to_string(i) + ";");
    ImportPlan plan;
    ASSERT_TRUE(PlanNoteImport(db, in.c_str(), plan, nullptr).ok);
    EXPECT_EQ(files, plan.Count(ImportAction::Add));
    EXPECT_EQ(100, plan.CountGroups(ImportAction::Add));
    EXPECT_TRUE(plan.refusals.empty());
    StopAfter nearTheEnd(100 + files - 10);
    EXPECT_TRUE(ApplyNoteImport(db, plan, &nearTheEnd).cancelled);
    EXPECT_EQ(L"0", Count(db, L"SELECT Count(*) FROM notes"));
    EXPECT_EQ(L"1", Count(db, L"SELECT Count(*) FROM groups"));
    const ExchangeOutcome applied = ApplyNoteImport(db, plan, nullptr);
    ASSERT_TRUE(applied.ok) << Utf8(applied.message.str());
    EXPECT_EQ(std::to_wstring(files), Count(db, L"SELECT Count(*) FROM notes"));
    EXPECT_EQ(std::to_wstring(files / 100), Count(db, L"SELECT Count(*) FROM notes n, groups g WHERE n.groupId = g.id AND g.groupName = 'g7'"));
    const std::wstring last = std::to_wstring(files - 1);
    EXPECT_EQ(L"1", Count(db, (L"SELECT Count(*) FROM notes WHERE name = 'n" + last + L"' AND query = 'SELECT " + last + L";'").c_str()));
}

} // namespace
