// The note database over SQLite as the driver opens it: new files, the
// Access types enforced with readable errors, foreign keys, the General
// order and LIKE, files that are not databases, read-only and locked files.
#include "DriverTestFiles.h"
#include "driver/MappedReadVfs.h"
#include "driver/NoteDatabase.h"
#include "tests/driver/PlainSqliteStory.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const char* const kSchema[] = {
    "CREATE TABLE groups (id SMALLINT NOT NULL, groupName VARCHAR(255) NOT NULL, groupDescription LONGTEXT, PRIMARY KEY(id));",
    "INSERT INTO groups VALUES(0,'None',NULL);",
    "CREATE TABLE notes (id SMALLINT NOT NULL,groupId SMALLINT NOT NULL,name VARCHAR(255) NOT NULL,comments VARCHAR(255),"
    "query LONGTEXT NOT NULL,PRIMARY KEY(id),CONSTRAINT groupNotes FOREIGN KEY(groupId) REFERENCES groups);",
};

// Runs one statement to its end; returns the rows' first column as text.
bool RunSql(NoteDatabase& db, const std::string& sql, DriverError& error, std::vector<std::string>* rows = nullptr)
{
    sqlite3_stmt* statement = nullptr;
    if (!db.Prepare(sql, statement, error)) return false;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        if (rows) {
            const unsigned char* text = sqlite3_column_text(statement, 0);
            rows->push_back(text ? reinterpret_cast<const char*>(text) : "NULL");
        }
    }
    if (rc != SQLITE_DONE) error = db.ErrorFor(rc, sql);
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE;
}

class NoteDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = m_temp.Write("notes.mdb", "");
        DriverError error;
        ASSERT_TRUE(m_db.Open(m_path, false, 200, error)) << error.message;
        for (const char* sql : kSchema) ASSERT_TRUE(RunSql(m_db, sql, error)) << error.message;
    }
    void Ok(const std::string& sql)
    {
        DriverError error;
        EXPECT_TRUE(RunSql(m_db, sql, error)) << sql << ": " << error.message;
    }
    DriverError Fails(const std::string& sql)
    {
        DriverError error;
        EXPECT_FALSE(RunSql(m_db, sql, error)) << sql;
        return error;
    }
    // `sql` fails with `sqlState` and a message that holds `part`.
    ::testing::AssertionResult FailsWith(const std::string& sql, const std::string& sqlState, const std::string& part)
    {
        const DriverError e = Fails(sql);
        if (e.sqlState == sqlState && e.message.find(part) != std::string::npos) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << sql << "\n  got " << e.sqlState << ": " << e.message << "\n  expected " << sqlState
                                             << " with: " << part;
    }
    // Opens the file again, keeping Windows' limits or not.
    void ReopenKeepingWindowsLimits(bool on)
    {
        DriverError error;
        m_db.Close();
        m_db.SetWindowsLimits(on);
        ASSERT_TRUE(m_db.Open(m_path, false, 200, error)) << error.message;
    }
    std::vector<std::string> Rows(const std::string& sql)
    {
        DriverError error;
        std::vector<std::string> rows;
        EXPECT_TRUE(RunSql(m_db, sql, error, &rows)) << error.message;
        return rows;
    }
    TempFolder m_temp;
    std::string m_path;
    NoteDatabase m_db;
};

TEST(NoteDatabaseOpen, ZeroLengthFileBecomesAnEmptyDatabase)
{
    TempFolder temp;
    const std::string path = temp.Write("new.mdb", "");
    NoteDatabase db;
    DriverError error;
    ASSERT_TRUE(db.Open(path, false, 200, error)) << error.message;
    struct stat st;
    sqlite3_stmt* read = nullptr;
    ASSERT_TRUE(db.Prepare("SELECT count(*) FROM sqlite_master", read, error)) << error.message;
    EXPECT_EQ(SQLITE_ROW, sqlite3_step(read));
    sqlite3_finalize(read);
    ASSERT_EQ(0, ::stat(path.c_str(), &st));
    EXPECT_EQ(0, st.st_size) << "connecting and reading leave an empty file as it was";
    sqlite3_stmt* write = nullptr;
    ASSERT_TRUE(db.Prepare("CREATE TABLE t (id SMALLINT)", write, error)) << error.message;
    EXPECT_EQ(SQLITE_DONE, sqlite3_step(write));
    sqlite3_finalize(write);
    db.Close();
    ASSERT_EQ(0, ::stat(path.c_str(), &st));
    EXPECT_GT(st.st_size, 0) << "the first change writes the header";
    sqlite3* raw = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &raw));
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(raw, "PRAGMA application_id", -1, &s, nullptr);
    ASSERT_EQ(SQLITE_ROW, sqlite3_step(s));
    EXPECT_EQ(NoteDatabase::kApplicationId, sqlite3_column_int(s, 0));
    sqlite3_finalize(s);
    sqlite3_close(raw);
}

TEST(NoteDatabaseOpen, MissingFileIsNamed)
{
    TempFolder temp;
    NoteDatabase db;
    DriverError error;
    EXPECT_FALSE(db.Open(temp.File("nothing.mdb"), false, 200, error));
    EXPECT_EQ("08001", error.sqlState);
    EXPECT_EQ("Could not find file '" + temp.File("nothing.mdb") + "'.", error.message);
    struct stat st;
    EXPECT_NE(0, ::stat(temp.File("nothing.mdb").c_str(), &st)) << "connecting never creates a file";
}

TEST(NoteDatabaseOpen, FileThatIsNotADatabaseIsRefusedAndLeftAlone)
{
    TempFolder temp;
    const std::string content = "Dear diary, this is not a database. It is long enough to look like a header, though.\n";
    const std::string path = temp.Write("diary.mdb", content);
    NoteDatabase db;
    DriverError error;
    EXPECT_FALSE(db.Open(path, false, 200, error));
    EXPECT_EQ("08001", error.sqlState);
    EXPECT_NE(std::string::npos, error.message.find("is not a note database")) << error.message;
    EXPECT_NE(std::string::npos, error.message.find(path)) << error.message;
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(content, std::string(std::istreambuf_iterator<char>(in), {}));
}

TEST_F(NoteDatabaseTest, SmallintRangeIsEnforcedWithTheColumnAndLimits)
{
    Ok("INSERT INTO notes VALUES(32767,0,'last','','q')");
    Ok("INSERT INTO notes VALUES(-32768,0,'first','','q')");
    DriverError e = Fails("INSERT INTO notes VALUES(32768,0,'over','','q')");
    EXPECT_EQ("22003", e.sqlState);
    EXPECT_EQ("The value for the field 'notes.id' is out of range: the field holds whole numbers from -32768 to 32767 (SMALLINT).", e.message);
    e = Fails("UPDATE notes SET groupId=70000 WHERE id=32767");
    EXPECT_NE(std::string::npos, e.message.find("'notes.groupId'")) << e.message;
    EXPECT_EQ((std::vector<std::string>{"0"}), Rows("SELECT groupId FROM notes WHERE id=32767"));
}

TEST_F(NoteDatabaseTest, TextThatIsNotANumberIsRefusedForSmallint)
{
    EXPECT_EQ("22003", Fails("INSERT INTO groups VALUES('one','x',NULL)").sqlState);
    Ok("INSERT INTO groups VALUES('7','seven',NULL)");  // a number written as text is a number
    EXPECT_EQ((std::vector<std::string>{"integer"}), Rows("SELECT typeof(id) FROM groups WHERE groupName='seven'"));
}

TEST_F(NoteDatabaseTest, VarcharLengthIsEnforcedNeverTruncated)
{
    Ok("INSERT INTO notes VALUES(1,0,'" + std::string(255, 'a') + "','','q')");
    const DriverError e = Fails("INSERT INTO notes VALUES(2,0,'" + std::string(256, 'a') + "','','q')");
    EXPECT_EQ("22001", e.sqlState);
    EXPECT_EQ("The text for the field 'notes.name' is too long: the field holds at most 255 characters (VARCHAR(255)).", e.message);
    // 255 letters outside ASCII are 255 characters too.
    std::string umlauts;
    for (int i = 0; i < 255; ++i) umlauts += "ä";
    Ok("INSERT INTO notes VALUES(3,0,'" + umlauts + "','','q')");
    EXPECT_EQ((std::vector<std::string>{"1", "3"}), Rows("SELECT id FROM notes ORDER BY id"));
}

// Each limit of Windows' Access driver: refused with a message that names
// it while the limits are kept, run as SQLite runs it otherwise.
TEST_F(NoteDatabaseTest, WindowsLimitsRefuseWhatTheAccessDriverRefusesWhileTheLenientEngineRunsIt)
{
    const std::string head = "SELECT id FROM notes WHERE name='";
    std::string smileys;  // 32,501 characters outside the BMP: 65,002 UTF-16 characters
    for (int i = 0; i < 32501; ++i) smileys += "\xF0\x9F\x98\x80";
    const struct {
        std::string sql;
        const char* refusal;
    } cases[] = {
        {head + std::string(65001 - head.size() - 1, 'x') + "'",
         "The statement is 65,001 characters long; the Access driver accepts at most 65,000. Pass long texts as parameters."},
        {head + smileys + "'", "The statement is 65,036 characters long"},
        {"SELECT id FROM notes WHERE query='a|b'", "The string constant 'a|b' holds the character |, which the Access driver does not accept"},
        {"SELECT id FROM notes WHERE name=\"x\"", "\"x\" is in double quotes: the Access driver takes string constants in single quotes only"},
        {"SELECT \"name\" FROM notes", "\"name\" is in double quotes"},
        {"SELECT id FROM notes WHERE name LIKE 'a!%' ESCAPE '!'", "LIKE ... ESCAPE is not supported by the Access driver."},
        {"SELECT id FROM notes ORDER BY id LIMIT 5", "LIMIT is SQLite's own: the Access driver does not know it."},
        {"SELECT name || comments FROM notes", "The operator || is SQLite's own"},
        {"INSERT OR IGNORE INTO groups VALUES(9,'g',NULL)", "INSERT OR ... is SQLite's own"},
        {"INSERT INTO groups VALUES(8,'h',NULL) ON CONFLICT DO NOTHING", "ON CONFLICT is SQLite's own"},
        {"WITH g AS (SELECT id FROM groups) SELECT id FROM g", "WITH is SQLite's own"},
        {"CREATE TABLE IF NOT EXISTS extra (id SMALLINT)", "IF NOT EXISTS is SQLite's own"},
        {"DROP TABLE IF EXISTS extra", "IF EXISTS is SQLite's own"},
        {"PRAGMA user_version", "PRAGMA is SQLite's own"},
        {"SELECT lower(name) FROM notes", "The function lower is not one the Access driver shares with this driver"},
        {"SELECT id FROM notes WHERE (typeof(id)='integer')", "The function typeof is not one"},
    };
    ReopenKeepingWindowsLimits(true);
    for (const auto& c : cases) EXPECT_TRUE(FailsWith(c.sql, "42000", c.refusal));
    ReopenKeepingWindowsLimits(false);
    for (const auto& c : cases) Ok(c.sql);
}

TEST_F(NoteDatabaseTest, WindowsLimitsPassEveryStatementTheNoteStoreSends)
{
    const char* const statements[] = {
        kSchema[0], kSchema[1], kSchema[2], "SELECT id,groupName FROM groups ORDER BY groupName",
        "SELECT notes.id,groups.id AS groupId,groups.groupName,notes.name,notes.comments FROM groups,notes WHERE notes.groupId=groups.id "
        "ORDER BY notes.groupId,notes.name",
        "SELECT notes.id, groups.id AS groupId, groups.groupName, notes.name, notes.comments FROM groups, notes WHERE "
        "notes.groupId=groups.id AND (notes.name LIKE ? OR notes.comments LIKE ? OR InStr(1,notes.query,?,1)>0) ORDER BY notes.groupId, notes.name;",
        "SELECT id,groupId,name,comments,query FROM notes WHERE id=5", "SELECT query FROM notes WHERE id=5", "SELECT Max(id)+1 FROM notes",
        "INSERT INTO notes(id,groupId,name,comments,query) VALUES(3,0,?,?,?);", "UPDATE notes SET groupId=0, name=?, comments=?, query=? WHERE id=3;",
        "DELETE FROM notes WHERE id=3", "SELECT groupDescription FROM groups WHERE groups.id=2", "SELECT Max(id)+1 FROM groups",
        "INSERT INTO groups VALUES(4,?,?)", "UPDATE groups SET groupName=?,groupDescription=? WHERE id=4", "DELETE FROM groups WHERE groups.id=4",
        "SELECT id,groupName,groupDescription FROM groups", "SELECT id,groupId,name,comments,query FROM notes",
        "INSERT INTO notes VALUES(3,0,?,NULL,?)", "UPDATE notes SET comments=?,query=? WHERE id=3", "SELECT Count(*) FROM notes",
        "SELECT Count(*) FROM groups", "SELECT id,groupName,groupDescription FROM groups WHERE id=4",
        "CREATE TABLE syncFolders (id SMALLINT NOT NULL, folderKey VARCHAR(255) NOT NULL, folderPath LONGTEXT, pending INTEGER NOT NULL, "
        "state LONGTEXT NOT NULL, PRIMARY KEY(id));",
        "SELECT id,folderKey,folderPath,pending FROM syncFolders ORDER BY id", "SELECT Max(id)+1 FROM syncFolders",
        "INSERT INTO syncFolders (id,folderKey,folderPath,pending,state) VALUES(0,?,?,3,?)", "SELECT state FROM syncFolders WHERE id=0",
        "UPDATE syncFolders SET folderPath=?,pending=0,state=? WHERE id=0",
    };
    m_db.Close();
    m_path = m_temp.Write("limits.mdb", "");
    ReopenKeepingWindowsLimits(true);
    for (const char* sql : statements) {
        DriverError error;
        sqlite3_stmt* statement = nullptr;
        // InStr comes with the driver's parameter support; here only the limits matter.
        const bool prepared = m_db.Prepare(sql, statement, error);
        EXPECT_TRUE(prepared || error.message.find("InStr") != std::string::npos) << sql << ": " << error.message;
        if (statement) sqlite3_step(statement);
        sqlite3_finalize(statement);
    }
    // The longest statement the limit allows.
    const std::string head = "SELECT id FROM notes WHERE name='";
    Ok(head + std::string(65000 - head.size() - 1, 'x') + "'");
}

TEST_F(NoteDatabaseTest, WindowsLimitsCutTooLongTextToItsColumnAndLikeReadsTheFirst255Characters)
{
    ReopenKeepingWindowsLimits(true);
    const std::string x300(300, 'x');
    Ok("INSERT INTO notes VALUES(1,0,'" + x300 + "',NULL,'" + x300 + "')");
    Ok("INSERT INTO notes(query,name,id,groupId) VALUES('" + std::string(254, 'q') + "needle','" + x300 + "',2,0)");
    Ok("UPDATE notes SET comments='" + std::string(256, 'c') + "', groupId=0 WHERE id=1");
    Ok("INSERT INTO groups VALUES(1,'" + x300 + "','" + x300 + "')");
    // The needle starts at character 255: Windows' LIKE does not see it, SQLite's does.
    EXPECT_EQ((std::vector<std::string>{}), Rows("SELECT id FROM notes WHERE query LIKE '%needle%'"));
    EXPECT_EQ((std::vector<std::string>{"2"}), Rows("SELECT id FROM notes WHERE query LIKE '%qn%'"));
    ReopenKeepingWindowsLimits(false);
    EXPECT_EQ((std::vector<std::string>{"2"}), Rows("SELECT id FROM notes WHERE query LIKE '%needle%'"));
    EXPECT_EQ((std::vector<std::string>{"255|255|300", "255|NULL|260"}),
              Rows("SELECT length(name) || '|' || ifnull(length(comments),'NULL') || '|' || length(query) FROM notes ORDER BY id"));
    EXPECT_EQ((std::vector<std::string>{"255|300"}), Rows("SELECT length(groupName) || '|' || length(groupDescription) FROM groups WHERE id=1"));
}

TEST_F(NoteDatabaseTest, NotNullIsEnforced)
{
    const DriverError e = Fails("INSERT INTO notes VALUES(1,0,'n','',NULL)");
    EXPECT_EQ("23000", e.sqlState);
    EXPECT_EQ("The field 'notes.query' cannot be empty: a value is required (NOT NULL).", e.message);
}

TEST_F(NoteDatabaseTest, ForeignKeyRefusesDeletingAGroupWithNotes)
{
    Ok("INSERT INTO groups VALUES(1,'Sales',NULL)");
    Ok("INSERT INTO notes VALUES(1,1,'n','','q')");
    DriverError e = Fails("DELETE FROM groups WHERE groups.id=1");
    EXPECT_EQ("23000", e.sqlState);
    EXPECT_EQ("The row cannot be deleted from table 'groups' because table 'notes' (field 'notes.groupId') includes related rows. Nothing was changed.",
              e.message);
    e = Fails("INSERT INTO notes VALUES(2,9,'n','','q')");
    EXPECT_NE(std::string::npos, e.message.find("a related row is required in table 'groups'")) << e.message;
    EXPECT_EQ((std::vector<std::string>{"1"}), Rows("SELECT count(*) FROM groups WHERE id=1"));
    EXPECT_EQ((std::vector<std::string>{"1"}), Rows("SELECT count(*) FROM notes"));
}

TEST_F(NoteDatabaseTest, DuplicateKeyNamesTheField)
{
    EXPECT_TRUE(FailsWith("INSERT INTO groups VALUES(0,'again',NULL)", "23000", "'groups.id' is already used"));
}

TEST_F(NoteDatabaseTest, OrderByIgnoresCaseForEveryLetter)
{
    Ok("INSERT INTO notes VALUES(1,0,'cherry','','q')");
    Ok("INSERT INTO notes VALUES(2,0,'Banana','','q')");
    Ok("INSERT INTO notes VALUES(3,0,'apple','','q')");
    Ok("INSERT INTO notes VALUES(4,0,'Éclair','','q')");
    Ok("INSERT INTO notes VALUES(5,0,'date','','q')");
    Ok("INSERT INTO notes VALUES(6,0,'ÄPFEL','','q')");
    EXPECT_EQ((std::vector<std::string>{"ÄPFEL", "apple", "Banana", "cherry", "date", "Éclair"}),
              Rows("SELECT notes.name FROM groups,notes WHERE notes.groupId=groups.id ORDER BY notes.groupId,notes.name"));
}

TEST_F(NoteDatabaseTest, LikeIgnoresCaseForEveryLetter)
{
    Ok("INSERT INTO notes VALUES(1,0,'CAFÉ','','q')");
    Ok("INSERT INTO notes VALUES(2,0,'cafe','','q')");
    Ok("INSERT INTO notes VALUES(3,0,'ПРИВЕТ','','q')");
    EXPECT_EQ((std::vector<std::string>{"CAFÉ"}), Rows("SELECT name FROM notes WHERE name LIKE '%é%'"));
    EXPECT_EQ((std::vector<std::string>{"ПРИВЕТ"}), Rows("SELECT name FROM notes WHERE name LIKE '%при%'"));
    EXPECT_EQ((std::vector<std::string>{"CAFÉ", "cafe"}), Rows("SELECT name FROM notes WHERE name LIKE 'caf_' ORDER BY id"));
}

TEST_F(NoteDatabaseTest, EqualityIgnoresCaseForEveryLetterWhileTheFileNamesOnlySqliteCollations)
{
    Ok("INSERT INTO groups VALUES(1,'Übersicht',NULL)");
    Ok("INSERT INTO notes VALUES(1,1,'Äpfel','','q')");
    Ok("INSERT INTO notes VALUES(2,0,'ΣΟΦΙΑ','','q')");
    Ok("INSERT INTO notes VALUES(3,0,'apple','','q')");
    EXPECT_EQ((std::vector<std::string>{"Äpfel"}), Rows("SELECT name FROM notes WHERE name = 'äPFEL'"));
    EXPECT_EQ((std::vector<std::string>{"ΣΟΦΙΑ"}), Rows("SELECT name FROM notes WHERE 'σοφια' = name"));
    EXPECT_EQ((std::vector<std::string>{"Übersicht"}), Rows("SELECT groupName FROM groups WHERE groupName IN ('übersicht')"));
    EXPECT_EQ((std::vector<std::string>{"1"}), Rows("SELECT max(name = 'äPFEL') FROM notes")) << "in the select list too";
    EXPECT_EQ((std::vector<std::string>{"Äpfel"}), Rows("SELECT min(name) FROM notes")) << "Äpfel before apple: accents count last";
    Ok("UPDATE notes SET comments='found' WHERE name = 'ÄPFEL'");
    EXPECT_EQ((std::vector<std::string>{"found"}), Rows("SELECT comments FROM notes WHERE id=1"));
    Ok("DELETE FROM notes WHERE name = 'APPLE'");
    EXPECT_EQ((std::vector<std::string>{"2"}), Rows("SELECT count(*) FROM notes"));
    EXPECT_EQ((std::vector<std::string>{"0"}), Rows("SELECT count(*) FROM sqlite_master WHERE instr(upper(sql), 'GENERAL')"));
    EXPECT_EQ((std::vector<std::string>{"groups", "notes"}),
              Rows("SELECT name FROM sqlite_master WHERE type='table' AND instr(sql, 'COLLATE NOCASE') ORDER BY name"));
}

TEST_F(NoteDatabaseTest, AColumnAnotherConnectionAddsComparesByTheGeneralOrderToo)
{
    EXPECT_EQ((std::vector<std::string>{}), Rows("SELECT id FROM notes WHERE name = 'x'")) << "the columns as they were";
    NoteDatabase other;
    DriverError error;
    ASSERT_TRUE(other.Open(m_path, false, 200, error)) << error.message;
    ASSERT_TRUE(RunSql(other, "ALTER TABLE notes ADD COLUMN author VARCHAR(40)", error)) << error.message;
    ASSERT_TRUE(RunSql(other, "INSERT INTO notes(id,groupId,name,query,author) VALUES(1,0,'n','q','Ärger')", error)) << error.message;
    EXPECT_EQ((std::vector<std::string>{"1"}), Rows("SELECT id FROM notes WHERE author = 'äRGER'"));
}

TEST_F(NoteDatabaseTest, PlainSqliteReadsAndChangesANewFile)
{
    Ok("INSERT INTO groups VALUES(1,'Sales',NULL)");
    Ok("INSERT INTO notes VALUES(1,0,'cherry','','q')");
    Ok("INSERT INTO notes VALUES(2,0,'Banana split','','q')");
    Ok("INSERT INTO notes VALUES(3,1,'banana bread','','q')");
    Ok("INSERT INTO notes VALUES(4,0,'apple','','q')");
    m_db.Close();
    const std::vector<std::string> faults = RunPlainSqliteStory(m_path, "banana");
    EXPECT_TRUE(faults.empty()) << faults.front();
    DriverError error;
    ASSERT_TRUE(m_db.Open(m_path, false, 200, error)) << error.message;
    EXPECT_EQ((std::vector<std::string>{"apple", "Banana split", "cherry", "banana bread"}),
              Rows("SELECT notes.name FROM groups,notes WHERE notes.groupId=groups.id ORDER BY notes.groupId,notes.name"));
}

TEST_F(NoteDatabaseTest, LikeWithPatternsAndEscapesThatChangeFromRowToRow)
{
    // Each row brings its own pattern and escape, so none is kept between rows.
    EXPECT_EQ((std::vector<std::string>{"1", "2", "4", "6"}),
              Rows("SELECT column1 FROM (VALUES (1,'CAFÉ','%é%','!'),(2,'100%','100!%','!'),(3,'1000','100!%','!'),"
                   "(4,'a😀b','a_b','#'),(5,'a😀b','a__b','#'),(6,'ΣΟΦΊΑ','%σοφ%','x')) WHERE column2 LIKE column3 ESCAPE column4"));
    // One constant pattern over many rows: compiled once, right for every row.
    Ok("CREATE TABLE words (w TEXT)");
    Ok("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<500) "
       "INSERT INTO words SELECT CASE WHEN i%50=0 THEN 'xx QuillWort ' || i ELSE 'quill wort ' || i END FROM n");
    EXPECT_EQ((std::vector<std::string>{"10"}), Rows("SELECT count(*) FROM words WHERE w LIKE '%quillwort%'"));
    EXPECT_EQ((std::vector<std::string>{"111"}), Rows("SELECT count(*) FROM words WHERE w LIKE '%' || 'WORT' || ' 1%'"));
    // NULL in any place gives NULL; the escape must be one character, which may lie outside the BMP.
    EXPECT_EQ((std::vector<std::string>{"NULL", "NULL", "NULL"}),
              Rows("SELECT NULL LIKE 'a' UNION ALL SELECT 'a' LIKE NULL UNION ALL SELECT 'a' LIKE 'a' ESCAPE NULL"));
    EXPECT_EQ((std::vector<std::string>{"1"}), Rows("SELECT '50%' LIKE '50😀%' ESCAPE '😀'"));
    for (const char* escape : {"''", "'!!'"}) {
        const DriverError e = Fails(std::string("SELECT 'a' LIKE 'a' ESCAPE ") + escape);
        EXPECT_NE(std::string::npos, e.message.find("ESCAPE expression must be a single character")) << e.message;
    }
    // Text that is not well-formed UTF-8 (a blob read as text): each stray byte is one character.
    EXPECT_EQ((std::vector<std::string>{"1|1|0|1"}),
              Rows("SELECT (CAST(x'61FF62' AS TEXT) LIKE 'a_b') || '|' || (CAST(x'61E282' AS TEXT) LIKE 'a__') || '|' || "
                   "(CAST(x'C3' AS TEXT) LIKE '%é%') || '|' || (CAST(x'6100C3A9' AS TEXT) LIKE '%É')"));
}

TEST_F(NoteDatabaseTest, OneStatementAtATime)
{
    const DriverError e = Fails("INSERT INTO groups VALUES(5,'a',NULL); DELETE FROM notes");
    EXPECT_EQ("42000", e.sqlState);
    Ok("INSERT INTO groups VALUES(5,'a',NULL);  -- trailing comment\n");
}

TEST_F(NoteDatabaseTest, MissingTableSaysTheFileMayNotBeANoteDatabase)
{
    EXPECT_TRUE(FailsWith("SELECT * FROM recipes", "42S02", "'recipes' does not exist"));
}

TEST_F(NoteDatabaseTest, ReadOnlyFileReadsButRefusesWrites)
{
    Ok("INSERT INTO groups VALUES(1,'Sales',NULL)");
    m_db.Close();
    ASSERT_EQ(0, ::chmod(m_path.c_str(), 0444));
    DriverError error;
    ASSERT_TRUE(m_db.Open(m_path, false, 200, error)) << error.message;
    EXPECT_TRUE(m_db.IsReadOnly());
    EXPECT_EQ((std::vector<std::string>{"None", "Sales"}), Rows("SELECT groupName FROM groups ORDER BY groupName"));
    const DriverError e = Fails("INSERT INTO groups VALUES(2,'Other',NULL)");
    EXPECT_EQ("The note database file '" + m_path + "' is read-only, so the change cannot be saved. Nothing was changed.", e.message);
}

TEST_F(NoteDatabaseTest, LockedFileFailsAfterABoundedWait)
{
    NoteDatabase writer;
    DriverError error;
    ASSERT_TRUE(writer.Open(m_path, false, 200, error)) << error.message;
    ASSERT_TRUE(writer.Execute("BEGIN IMMEDIATE", error)) << error.message;
    ASSERT_TRUE(RunSql(writer, "INSERT INTO groups VALUES(1,'held',NULL)", error)) << error.message;

    EXPECT_TRUE(FailsWith("INSERT INTO groups VALUES(2,'waiting',NULL)", "HYT00", "is locked by another program or user"));
    // Reading is not blocked by a writer that has not started committing.
    EXPECT_EQ((std::vector<std::string>{"None"}), Rows("SELECT groupName FROM groups"));

    ASSERT_TRUE(writer.Execute("COMMIT", error)) << error.message;
    Ok("INSERT INTO groups VALUES(2,'waiting',NULL)");
    EXPECT_EQ((std::vector<std::string>{"None", "held", "waiting"}), Rows("SELECT groupName FROM groups ORDER BY id"));
}

TEST_F(NoteDatabaseTest, ConnectionIsSetUpForDurableCommitsAndForeignKeys)
{
    EXPECT_EQ((std::vector<std::string>{"1"}), Rows("PRAGMA foreign_keys"));
    EXPECT_EQ((std::vector<std::string>{"2"}), Rows("PRAGMA synchronous")) << "FULL";
    EXPECT_EQ((std::vector<std::string>{"delete"}), Rows("PRAGMA journal_mode")) << "a rollback journal";
}

// The pages of files this process has mapped and holds (kB).
long MappedFileKb()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long kb = -1;
    while (status >> key) {
        if (key == "RssFile:" && status >> kb) return kb;
        status.ignore(1 << 12, '\n');
    }
    return -1;
}

TEST_F(NoteDatabaseTest, AFileOnALocalDiskIsReadThroughAMapOfWhichTheProcessKeepsLittle)
{
    struct stat shm;
    if (::stat("/dev/shm", &shm) == 0) {
        EXPECT_TRUE(IsOnLocalDisk("/dev/shm")) << "tmpfs";
    }
    EXPECT_FALSE(IsOnLocalDisk("/proc/self/status")) << "not a disk";
    EXPECT_FALSE(IsOnLocalDisk(m_temp.File("missing")));
    // A temporary folder elsewhere than on a local disk keeps its read calls;
    // the rest of the story holds for it too.
    const bool mapped = IsOnLocalDisk(m_path);
    EXPECT_EQ((std::vector<std::string>{mapped ? "268435456" : "0"}), Rows("PRAGMA mmap_size")) << m_path;

    // 4,000 notes of 4 KB and more: a file of about 20 MB, every tenth query
    // over a page long; notes 7, 1007, ... hold the word searched for.
    Ok("BEGIN");
    for (int id = 1; id <= 4000; ++id) {
        const std::string query = std::string(id % 10 ? 4000 : 9000, 'x') + (id % 1000 == 7 ? "quillwort" : "");
        Ok("INSERT INTO notes VALUES(" + std::to_string(id) + ",0,'note " + std::to_string(id) + "',NULL,'" + query + "')");
    }
    Ok("COMMIT");
    struct stat file;
    ASSERT_EQ(0, ::stat(m_path.c_str(), &file));
    ASSERT_GT(file.st_size, 18 << 20);

    const char* const search = "SELECT id FROM notes WHERE query LIKE '%QUILLWORT%' ORDER BY id";
    const long before = MappedFileKb();
    EXPECT_EQ((std::vector<std::string>{"7", "1007", "2007", "3007"}), Rows(search));
    const long grown = MappedFileKb() - before;
    EXPECT_LT(grown, 6 << 10) << "kB of the file still held after reading all of it";

    // Another connection empties most of the file and shrinks it, then
    // changes a note the scan has already seen: the next scan reads the file
    // as it is now.
    NoteDatabase other;
    DriverError error;
    ASSERT_TRUE(other.Open(m_path, false, 200, error)) << error.message;
    ASSERT_TRUE(RunSql(other, "DELETE FROM notes WHERE id > 1500", error)) << error.message;
    ASSERT_TRUE(RunSql(other, "VACUUM", error)) << error.message;
    ASSERT_TRUE(RunSql(other, "UPDATE notes SET query = 'a QuillWort' WHERE id = 3", error)) << error.message;
    ASSERT_EQ(0, ::stat(m_path.c_str(), &file));
    EXPECT_LT(file.st_size, 10 << 20);
    EXPECT_EQ((std::vector<std::string>{"3", "7", "1007"}), Rows(search));
    EXPECT_EQ((std::vector<std::string>{"1500"}), Rows("SELECT count(*) FROM notes"));

    // A program that ignores the locks cuts the file short between two
    // statements, then empties it: the statements fail with an error, they do
    // not stop the process by reading the map past the file's end.
    ASSERT_EQ(0, ::truncate(m_path.c_str(), file.st_size / 2));
    std::vector<std::string> rows;
    EXPECT_FALSE(RunSql(m_db, search, error, &rows)) << rows.size() << " rows";
    ASSERT_EQ(0, ::truncate(m_path.c_str(), 0));
    EXPECT_FALSE(RunSql(m_db, search, error)) << "an empty file";
}

TEST_F(NoteDatabaseTest, ACommittedRowSurvivesAProcessThatDiesRightAfter)
{
    const pid_t child = ::fork();
    ASSERT_NE(-1, child);
    if (child == 0) {
        // The child commits one row and dies without closing anything.
        NoteDatabase db;
        DriverError error;
        const bool ok = db.Open(m_path, false, 2000, error) && RunSql(db, "INSERT INTO groups VALUES(9,'survivor',NULL)", error);
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(child, ::waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(0, WEXITSTATUS(status));
    NoteDatabase fresh;
    DriverError error;
    ASSERT_TRUE(fresh.Open(m_path, false, 200, error)) << error.message;
    std::vector<std::string> rows;
    ASSERT_TRUE(RunSql(fresh, "SELECT groupName FROM groups WHERE id=9", error, &rows)) << error.message;
    EXPECT_EQ((std::vector<std::string>{"survivor"}), rows);
}

} // namespace
