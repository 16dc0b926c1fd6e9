// Export and import through the real ODBC stack and files: a cancel or a
// failure midway leaves the database exactly as it was and every exported
// file whole, and the next export completes the folder.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/CDBException.h"
#include "framework/ThrownException.h"
#include "framework/CDatabase.h"
#include "framework/CRecordset.h"
#include "store/NoteDatabaseFile.h"
#include "store/NoteExchange.h"
#include "store/NoteFile.h"
#include "store/Utf8Text.h"
#include "tests/store/StoreTestSupport.h"

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
    const std::wstring out = folder.File(L"out");
    ::CreateDirectoryW(out.c_str(), nullptr);

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
    const std::wstring out = folder.File(L"out");
    ::CreateDirectoryW(out.c_str(), nullptr);
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
    HANDLE locked = ::CreateFileW((out + L"\\Work\\note 3.sql").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    const ExchangeOutcome stopped = ExportNoteDatabase(db, out.c_str(), nullptr);
    ::CloseHandle(locked);
    EXPECT_FALSE(stopped.ok);
    EXPECT_NE(-1, stopped.message.Find(L"note 3.sql")) << ToUtf8(stopped.message);
    int other = 0;
    EXPECT_EQ(4, WholeNoteFiles(out, other));
    EXPECT_EQ(2, other) << "the two plain files, and no partial or temporary one";

    // A folder that is a file.
    const ExchangeOutcome notAFolder = ExportNoteDatabase(db, (out + L"\\plain one.sql").c_str(), nullptr);
    EXPECT_FALSE(notAFolder.ok);
    EXPECT_NE(-1, notAFolder.message.Find(L"plain one.sql")) << ToUtf8(notAFolder.message);
}

} // namespace
