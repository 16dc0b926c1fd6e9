// Files written by earlier builds (their schema names the collation GENERAL):
// upgraded at the first read-write connection so that any SQLite program
// reads them, with every note kept; left as they are when read-only or when
// the upgrade cannot finish, and working through the driver either way.
#include "DriverTestFiles.h"
#include "GeneralText.h"
#include "Utf.h"
#include "driver/NoteDatabase.h"
#include "driver/NoteFileUpgrade.h"
#include "tests/driver/OldFormatNoteFile.h"
#include "tests/driver/PlainSqliteStory.h"
#include "tests/support/SqliteRows.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A plain connection, with GENERAL registered when `general` (as an earlier build's reader).
class RawConnection {
public:
    RawConnection(const std::string& path, bool general)
    {
        sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        if (general) oldformat::RegisterGeneralCollation(m_db);
    }
    ~RawConnection() { sqlite3_close(m_db); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;
    sqlite3* Handle() const { return m_db; }

    // Each row's columns joined with '|'; "error: <message>" on failure.
    std::vector<std::string> Rows(const std::string& sql) const
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) return {"error: " + std::string(sqlite3_errmsg(m_db))};
        return JoinedRows(statement, "<NULL>");
    }

private:
    sqlite3* m_db = nullptr;  // owned
};

// First column of every row of `sql` run through the driver's connection.
std::vector<std::string> DriverRows(NoteDatabase& db, const std::string& sql)
{
    std::vector<std::string> rows;
    sqlite3_stmt* statement = nullptr;
    DriverError error;
    if (!db.Prepare(sql, statement, error)) return {"error: " + error.message};
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) rows.push_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    if (rc != SQLITE_DONE) rows.push_back("error: " + db.ErrorFor(rc, sql).message);
    sqlite3_finalize(statement);
    return rows;
}

bool GeneralLess(const std::string& a, const std::string& b)
{
    const std::u16string wa = Utf8ToUtf16(a), wb = Utf8ToUtf16(b);
    return CompareGeneral(wa.data(), wa.size(), wb.data(), wb.size()) < 0;
}

const char kNotesSql[] = "SELECT id, groupId, name, comments, query FROM notes ORDER BY id";

class NoteFileUpgradeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = m_temp.File("old notes.mdb");
        std::string error;
        ASSERT_TRUE(oldformat::Write(m_path, oldformat::Sample(300), error)) << error;
        RawConnection old(m_path, true);
        m_notes = old.Rows(kNotesSql);
        ASSERT_EQ(300u, m_notes.size());
    }
    // The driver's order and comparisons on the file, whatever its schema says.
    void ExpectGeneralOrderAndComparisons(NoteDatabase& db)
    {
        std::vector<std::string> names = DriverRows(db, "SELECT name FROM notes WHERE groupId=0 ORDER BY name");
        ASSERT_EQ(14u, names.size()) << names[0];
        EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), GeneralLess)) << names[0] << ", " << names[1] << ", ...";
        EXPECT_EQ((std::vector<std::string>{"Éclair note 273"}), DriverRows(db, "SELECT name FROM notes WHERE name = 'ÉCLAIR NOTE 273'"));
        EXPECT_EQ((std::vector<std::string>{"привет note 6", "привет note 6"}),
                  DriverRows(db, "SELECT name FROM notes WHERE name = 'ПРИВЕТ NOTE 6' UNION ALL SELECT name FROM notes WHERE name LIKE 'ПРИВЕТ NOTE 6'"));
        EXPECT_EQ((std::vector<std::string>{"Reports", "sql", "Zeit", "ПОИСК"}), DriverRows(db, "SELECT tag FROM tags WHERE tag >= 'P' ORDER BY tag"));
    }
    TempFolder m_temp;
    std::string m_path;
    std::vector<std::string> m_notes;  // as the earlier build wrote them
};

TEST_F(NoteFileUpgradeTest, AnOldFileIsUpgradedAtConnectAndEveryProgramReadsIt)
{
    {
        RawConnection plain(m_path, false);
        EXPECT_EQ((std::vector<std::string>{"error: no such collation sequence: GENERAL"}), plain.Rows("SELECT name FROM notes ORDER BY name"))
            << "the fault that the upgrade mends";
    }
    {
        NoteDatabase db;
        DriverError error;
        ASSERT_TRUE(db.Open(m_path, false, 500, error)) << error.message;
        EXPECT_EQ("", db.UpgradeFailure());
        ExpectGeneralOrderAndComparisons(db);
        std::string failure;
        EXPECT_EQ(UpgradeResult::NotNeeded, UpgradeNoteFile(db.Handle(), 100, failure)) << "once is enough";
    }
    RawConnection plain(m_path, false);
    EXPECT_EQ(m_notes, plain.Rows(kNotesSql)) << "every note kept exactly";
    EXPECT_EQ((std::vector<std::string>{"ok"}), plain.Rows("PRAGMA integrity_check"));
    EXPECT_EQ((std::vector<std::string>{"0"}), plain.Rows("SELECT count(*) FROM sqlite_master WHERE sql LIKE '%GENERAL%'"));
    EXPECT_EQ((std::vector<std::string>{"groups", "notes", "tags"}),
              plain.Rows("SELECT name FROM sqlite_master WHERE instr(sql, 'groupName VARCHAR(255) NOT NULL COLLATE NOCASE CONSTRAINT') OR "
                         "instr(sql, ',name VARCHAR(255) NOT NULL COLLATE NOCASE CONSTRAINT') OR instr(sql, 'tag VARCHAR(40) NOT NULL COLLATE NOCASE') "
                         "ORDER BY name"));
    // The primary key of tags and the index on names were rebuilt in the new order.
    EXPECT_EQ((std::vector<std::string>{"Reports", "sql", "Zeit", "élan", "ПОИСК"}), plain.Rows("SELECT tag FROM tags ORDER BY tag"));
    EXPECT_EQ((std::vector<std::string>{"1"}), plain.Rows("SELECT count(*) FROM notes INDEXED BY notesByName WHERE name = 'APPLE NOTE 10'"));

    const std::vector<std::string> faults = RunPlainSqliteStory(m_path, "apple");
    EXPECT_TRUE(faults.empty()) << faults.front();
}

TEST_F(NoteFileUpgradeTest, ReadOnlyOldFilesAreLeftAsTheyAreAndStillWork)
{
    const std::string before = Bytes(m_path);
    {
        NoteDatabase db;
        DriverError error;
        ASSERT_TRUE(db.Open(m_path, true, 500, error)) << error.message;  // read-only asked for
        ExpectGeneralOrderAndComparisons(db);
    }
    ASSERT_EQ(0, ::chmod(m_path.c_str(), 0444));
    {
        NoteDatabase db;
        DriverError error;
        ASSERT_TRUE(db.Open(m_path, false, 500, error)) << error.message;  // a file without write permission
        EXPECT_TRUE(db.IsReadOnly());
        ExpectGeneralOrderAndComparisons(db);
    }
    EXPECT_TRUE(before == Bytes(m_path)) << "the read-only file changed";
}

TEST_F(NoteFileUpgradeTest, AnUpgradeThatCannotFinishLeavesTheOldFileAndTheConnectionWorks)
{
    // Another program reading the file keeps the upgrade from committing.
    RawConnection reader(m_path, true);
    sqlite3_stmt* reading = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_prepare_v2(reader.Handle(), "SELECT name FROM notes", -1, &reading, nullptr));
    ASSERT_EQ(SQLITE_ROW, sqlite3_step(reading));
    const std::string before = Bytes(m_path);

    NoteDatabase db;
    DriverError error;
    ASSERT_TRUE(db.Open(m_path, false, 300, error)) << error.message;
    EXPECT_NE(std::string::npos, db.UpgradeFailure().find("COMMIT")) << db.UpgradeFailure();
    EXPECT_TRUE(before == Bytes(m_path)) << "the failed upgrade changed the file";
    ExpectGeneralOrderAndComparisons(db);
    sqlite3_finalize(reading);

    // The connection goes on with the old schema; the next one upgrades.
    EXPECT_EQ((std::vector<std::string>{}), DriverRows(db, "INSERT INTO notes VALUES(301,0,'after','','q')"));
    EXPECT_EQ((std::vector<std::string>{"1"}), reader.Rows("SELECT count(*) FROM sqlite_master WHERE sql LIKE '%COLLATE GENERAL%' AND name='notes'"));
    db.Close();
    ASSERT_TRUE(db.Open(m_path, false, 300, error)) << error.message;
    EXPECT_EQ("", db.UpgradeFailure());
    db.Close();
    RawConnection plain(m_path, false);
    EXPECT_EQ(301u, plain.Rows(kNotesSql).size());
    EXPECT_EQ((std::vector<std::string>{"0"}), plain.Rows("SELECT count(*) FROM sqlite_master WHERE sql LIKE '%GENERAL%'"));
}

TEST_F(NoteFileUpgradeTest, OnlyTheCollationClausesChange)
{
    {
        RawConnection old(m_path, true);
        ASSERT_EQ((std::vector<std::string>{}), old.Rows("CREATE VIEW odd AS SELECT name AS [COLLATE GENERAL] FROM notes "
                                                         "WHERE comments <> 'COLLATE GENERAL' ORDER BY name COLLATE \"general\""));
    }
    NoteDatabase db;
    DriverError error;
    ASSERT_TRUE(db.Open(m_path, false, 500, error)) << error.message;
    EXPECT_EQ("", db.UpgradeFailure());
    db.Close();
    RawConnection plain(m_path, false);
    EXPECT_EQ((std::vector<std::string>{"CREATE VIEW odd AS SELECT name AS [COLLATE GENERAL] FROM notes WHERE comments <> 'COLLATE GENERAL' "
                                        "ORDER BY name COLLATE NOCASE"}),
              plain.Rows("SELECT sql FROM sqlite_master WHERE name='odd'"));
    EXPECT_EQ(300u, plain.Rows("SELECT * FROM odd").size());
}

} // namespace
