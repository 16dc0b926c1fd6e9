// The crash-safety checker must fail when a note file lost or damaged
// anything, or every crash run would pass whatever happened to the file.
#include "tests/crash/NoteCheck.h"

#include "NoteDatabase.h"
#include "store/records/NoteSql.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Row {
    int id;
    std::string name, comments, query;
};

std::string Hex(const std::string& bytes)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) hex += {kDigits[c >> 4], kDigits[c & 15]};
    return hex;
}

class NoteCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("qb-notecheck-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        // The template: a real note file (the driver's schema) with two notes.
        std::ofstream(Path("template.mdb")).close();
        Run(Path("template.mdb"), [&](NoteDatabase& db) {
            for (const wchar_t* statement : kSchemaStatements) Exec(db, std::string(statement, statement + std::wcslen(statement)));
            Insert(db, {1, "kept one", "", "SELECT 1"});
            Insert(db, {2, "kept two", "it's", "SELECT 2"});
        });
        fs::copy_file(Path("template.mdb"), Path("run.mdb"));
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Path(const char* name) const { return (m_dir / name).string(); }

    template <typename Work>
    void Run(const std::string& path, Work work)
    {
        NoteDatabase db;
        DriverError error;
        ASSERT_TRUE(db.Open(path, false, 1000, error)) << error.message;
        work(db);
    }
    static void Exec(NoteDatabase& db, const std::string& sql)
    {
        sqlite3_stmt* statement = nullptr;
        DriverError error;
        ASSERT_TRUE(db.Prepare(sql, statement, error)) << error.message;
        EXPECT_EQ(sqlite3_step(statement), SQLITE_DONE) << sql;
        sqlite3_finalize(statement);
    }
    static void Insert(NoteDatabase& db, const Row& row)
    {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db.Handle(), "INSERT INTO notes(id,groupId,name,comments,query) VALUES(?,0,?,?,?)", -1, &statement, nullptr);
        sqlite3_bind_int(statement, 1, row.id);
        sqlite3_bind_text(statement, 2, row.name.c_str(), -1, SQLITE_TRANSIENT);
        if (!row.comments.empty()) sqlite3_bind_text(statement, 3, row.comments.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(statement, 4, row.query.c_str(), -1, SQLITE_TRANSIENT);
        EXPECT_EQ(sqlite3_step(statement), SQLITE_DONE);
        sqlite3_finalize(statement);
    }
    // The saver's line for a note it is about to save.
    static std::string TryLine(int index, const Row& row)
    {
        return "try " + std::to_string(index) + " " + Hex(row.name) + " " + Hex(row.comments) + " " + Hex(row.query) + " 0\n";
    }
    void WriteLog(const std::string& text) { std::ofstream(Path("run.log"), std::ios::binary) << text; }
    NoteCheckResult Check() { return CheckNoteFile(Path("run.mdb"), Path("run.log"), Path("template.mdb")); }

    // Two notes saved and a third whose Save was under way.
    const Row m_first{3, "crash 1-0 O'Brien \xd0\x96", "100% \"quoted\"\r\n", "SELECT 'a'\r\nFROM t"};
    const Row m_second{4, "crash 1-1", "", "SELECT \xf0\x9f\x93\x9a"};
    const Row m_third{5, "crash 1-2", "c", "SELECT 3"};
    const std::string m_log = "open\n" + TryLine(0, m_first) + "saved 0\n" + TryLine(1, m_second) + "saved 1\n" + TryLine(2, m_third);
    fs::path m_dir;
};

TEST_F(NoteCheckTest, AcceptsAFileHoldingEverySavedNoteWithTheNoteUnderWayAbsentOrWhole)
{
    Run(Path("run.mdb"), [&](NoteDatabase& db) {
        Insert(db, m_first);
        Insert(db, m_second);
    });
    WriteLog(m_log);
    NoteCheckResult result = Check();
    EXPECT_TRUE(result.Ok()) << result.faults.front();
    EXPECT_EQ(result.summary, "opened yes, 2 saved notes present, note under way absent, 2 template notes intact");

    Run(Path("run.mdb"), [&](NoteDatabase& db) { Insert(db, m_third); });
    result = Check();
    EXPECT_TRUE(result.Ok());
    EXPECT_NE(result.summary.find("note under way present whole"), std::string::npos);
}

TEST_F(NoteCheckTest, FindsASavedNoteMissingChangedOrTwice)
{
    Run(Path("run.mdb"), [&](NoteDatabase& db) { Insert(db, m_first); });
    WriteLog(m_log);
    EXPECT_EQ(Check().faults, std::vector<std::string>{"note 1 was saved but is missing"});

    Row changed = m_second;
    changed.query += " ";
    Run(Path("run.mdb"), [&](NoteDatabase& db) { Insert(db, changed); });
    EXPECT_EQ(Check().faults, std::vector<std::string>{"note 1 differs from what was saved"});

    Row copy = m_first;
    copy.id = 9;
    Run(Path("run.mdb"), [&](NoteDatabase& db) { Insert(db, copy); });
    EXPECT_FALSE(Check().Ok());
}

TEST_F(NoteCheckTest, FindsANoteUnderWayWrittenInPartAndNotesNoSaveWrote)
{
    Row part = m_third;
    part.query.resize(4);
    Run(Path("run.mdb"), [&](NoteDatabase& db) {
        Insert(db, m_first);
        Insert(db, m_second);
        Insert(db, part);
    });
    WriteLog(m_log);
    EXPECT_EQ(Check().faults, std::vector<std::string>{"note 2 differs from what was saved"});

    Run(Path("run.mdb"), [&](NoteDatabase& db) { Exec(db, "DELETE FROM notes WHERE id=5"); });
    Run(Path("run.mdb"), [&](NoteDatabase& db) { Insert(db, {7, "stray", "", "SELECT 7"}); });
    EXPECT_EQ(Check().faults, std::vector<std::string>{"notes appeared that no Save wrote"});
}

TEST_F(NoteCheckTest, FindsATemplateNoteChangedOrLost)
{
    Run(Path("run.mdb"), [&](NoteDatabase& db) { Exec(db, "UPDATE notes SET comments='its' WHERE id=2"); });
    WriteLog("open\n");
    EXPECT_EQ(Check().faults, std::vector<std::string>{"note 2 of the template changed or vanished"});
    Run(Path("run.mdb"), [&](NoteDatabase& db) { Exec(db, "DELETE FROM notes WHERE id=1"); });
    EXPECT_EQ(Check().faults.size(), 2u);
}

TEST_F(NoteCheckTest, FindsADamagedFile)
{
    WriteLog("open\n");
    const auto size = fs::file_size(Path("run.mdb"));
    ASSERT_GE(size, 3 * 4096u);
    // The second page (a table's root) overwritten, as a torn write would leave it.
    std::fstream file(Path("run.mdb"), std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(4096);
    file << std::string(4096, '\xff');
    file.close();
    EXPECT_FALSE(Check().Ok());
}

TEST_F(NoteCheckTest, CountsOnlyWholeLogLinesAndFailsOnAReportedError)
{
    // The kill cut "saved 1" before its line feed: note 1 was under way, and it is absent.
    Run(Path("run.mdb"), [&](NoteDatabase& db) { Insert(db, m_first); });
    WriteLog("open\n" + TryLine(0, m_first) + "saved 0\n" + TryLine(1, m_second) + "saved 1");
    NoteCheckResult result = Check();
    EXPECT_TRUE(result.Ok());
    EXPECT_NE(result.summary.find("1 saved notes present, note under way absent"), std::string::npos);

    WriteLog("open\n" + TryLine(0, m_first) + "saved 0\nerror 1 Failed\n");
    EXPECT_EQ(Check().faults, std::vector<std::string>{"a message came up where a Save should have succeeded"});
}

} // namespace
