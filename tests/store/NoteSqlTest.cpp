// The note store's SQL texts as they are composed: connect string, creation
// attributes, the search statement for every scope, every record statement
// and the quoting of texts; and what the schema, catalogue and next-id
// statements do when plain SQLite runs them.
#include "store/records/NoteSql.h"
#include "tests/support/SqliteRows.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

namespace {

std::wstring S(const CString& s) { return s.str(); }

// A statement as its text and its values: "sql [value|value]", NULL as <null>.
std::wstring S(const SqlStatement& statement)
{
    std::wstring shown = statement.sql.str() + L" [";
    for (const CDBParameters::Value& value : statement.parameters.Values()) {
        if (&value != &statement.parameters.Values().front()) shown += L"|";
        shown += value.kind == CDBParameters::Kind::Null ? std::wstring(L"<null>") : value.text.str();
    }
    return shown + L"]";
}

std::string Utf8(const wchar_t* text)
{
    std::string out;
    for (; *text; ++text) out += static_cast<char>(*text);  // the statements are ASCII
    return out;
}

// An in-memory SQLite database with foreign keys on, as the driver keeps them.
class MemoryDatabase {
public:
    MemoryDatabase()
    {
        sqlite3_open(":memory:", &m_db);
        Run("PRAGMA foreign_keys=ON");
    }
    ~MemoryDatabase() { sqlite3_close(m_db); }
    MemoryDatabase(const MemoryDatabase&) = delete;
    MemoryDatabase& operator=(const MemoryDatabase&) = delete;

    // True when `sql` ran to its end.
    bool Run(const std::string& sql) { return sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK; }
    void Schema()
    {
        for (const wchar_t* statement : kSchemaStatements) ASSERT_TRUE(Run(Utf8(statement))) << Utf8(statement) << ": " << sqlite3_errmsg(m_db);
    }
    // Every row, its columns joined with '|' (NULL for a null).
    std::vector<std::string> Rows(const std::string& sql)
    {
        sqlite3_stmt* statement = nullptr;
        EXPECT_EQ(SQLITE_OK, sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr)) << sql << ": " << sqlite3_errmsg(m_db);
        return JoinedRows(statement, "NULL");
    }
    std::vector<std::string> Rows(const wchar_t* sql) { return Rows(Utf8(sql)); }

private:
    sqlite3* m_db = nullptr;  // owned
};

TEST(ConnectString, NamesTheDriverAndPassesThePathUnchanged)
{
    EXPECT_EQ(L"ODBC;DRIVER={Microsoft Access Driver (*.mdb)};DSN='';DBQ=C:\\data\\notes.mdb", S(BuildConnectString(L"C:\\data\\notes.mdb")));
    // No quoting, no extension added, spaces kept.
    EXPECT_EQ(L"ODBC;DRIVER={Microsoft Access Driver (*.mdb)};DSN='';DBQ=C:\\My Notes\\notes", S(BuildConnectString(L"C:\\My Notes\\notes")));
}

TEST(ConnectString, PathWithSemicolonGoesInBracesWithClosingBracesDoubled)
{
    // Unbraced, the ';' would end DBQ and the driver would open C:\old.
    EXPECT_EQ(L"ODBC;DRIVER={Microsoft Access Driver (*.mdb)};DSN='';DBQ={C:\\old;2\\notes.mdb}",
              S(BuildConnectString(L"C:\\old;2\\notes.mdb")));
    EXPECT_EQ(L"ODBC;DRIVER={Microsoft Access Driver (*.mdb)};DSN='';DBQ={C:\\a;b}}\\{c}}.mdb}", S(BuildConnectString(L"C:\\a;b}\\{c}.mdb")));
    // Braces alone need nothing.
    EXPECT_EQ(L"ODBC;DRIVER={Microsoft Access Driver (*.mdb)};DSN='';DBQ=C:\\{c}.mdb", S(BuildConnectString(L"C:\\{c}.mdb")));
}

TEST(CreationAttributes, QuoteThePathAndEndWithSemicolon)
{
    EXPECT_EQ(L"CREATE_DB=\"C:\\data\\notes.mdb\";", S(BuildCreationAttributes(L"C:\\data\\notes.mdb")));
    EXPECT_EQ(L"CREATE_DB=\"Z:\\tmp\\a b\\new file\";", S(BuildCreationAttributes(L"Z:\\tmp\\a b\\new file")));
}

// Columns as "name type notnull pk", in order.
std::vector<std::string> ColumnsOf(MemoryDatabase& db, const std::string& table)
{
    std::vector<std::string> columns;
    for (const std::string& row : db.Rows("SELECT name || ' ' || type || ' ' || \"notnull\" || ' ' || pk FROM pragma_table_info('" + table + "')"))
        columns.push_back(row);
    return columns;
}

TEST(Schema, MakesTheTwoTablesWithGroupNoneAndNotesThatNeedTheirGroup)
{
    MemoryDatabase db;
    db.Schema();
    EXPECT_EQ((std::vector<std::string>{"id SMALLINT 1 1", "groupName VARCHAR(255) 1 0", "groupDescription LONGTEXT 0 0"}), ColumnsOf(db, "groups"));
    EXPECT_EQ((std::vector<std::string>{"id SMALLINT 1 1", "groupId SMALLINT 1 0", "name VARCHAR(255) 1 0", "comments VARCHAR(255) 0 0",
                                        "query LONGTEXT 1 0"}),
              ColumnsOf(db, "notes"));
    EXPECT_EQ((std::vector<std::string>{"0|None|NULL"}), db.Rows("SELECT * FROM groups"));

    // Empty tables: no next id (the store reads that as 0 for a note).
    EXPECT_EQ((std::vector<std::string>{"NULL"}), db.Rows(kNextNoteIdStatement));
    EXPECT_EQ((std::vector<std::string>{"1"}), db.Rows(kNextGroupIdStatement));
    EXPECT_EQ(0, NoteIdFromText(L""));

    EXPECT_FALSE(db.Run("INSERT INTO notes VALUES(0,5,'orphan','','q')")) << "a note needs its group";
    EXPECT_TRUE(db.Run("INSERT INTO notes VALUES(7,0,'kept','','q')"));
    EXPECT_FALSE(db.Run("DELETE FROM groups WHERE id=0")) << "a group with notes stays";
    EXPECT_FALSE(db.Run("INSERT INTO notes VALUES(7,0,'twice','','q')")) << "one note per id";
    EXPECT_EQ((std::vector<std::string>{"8"}), db.Rows(kNextNoteIdStatement)) << "the largest id plus one";
    EXPECT_FALSE(db.Run(Utf8(kSchemaStatements[0]))) << "the schema is written once";
}

TEST(CatalogueStatements, ListGroupsByNameAndNotesByGroupNumberThenName)
{
    MemoryDatabase db;
    db.Schema();
    // Names whose order every collation agrees on.
    ASSERT_TRUE(db.Run("INSERT INTO groups VALUES(1,'Zeta',NULL); INSERT INTO groups VALUES(2,'Alpha','a');"
                       "INSERT INTO notes VALUES(0,2,'b note','two','q'); INSERT INTO notes VALUES(1,1,'z note',NULL,'q');"
                       "INSERT INTO notes VALUES(2,0,'m note','','q'); INSERT INTO notes VALUES(3,2,'a note','','q');"));
    EXPECT_EQ((std::vector<std::string>{"2|Alpha", "0|None", "1|Zeta"}), db.Rows(kGroupListStatement));
    // The catalogue: id, group id, group name, name, comments; by group
    // number first, the group's name playing no part.
    EXPECT_EQ((std::vector<std::string>{"2|0|None|m note|", "1|1|Zeta|z note|NULL", "3|2|Alpha|a note|", "0|2|Alpha|b note|two"}),
              db.Rows(kCatalogueStatement));
}

struct SearchCase {
    bool name, description, sequel;
    std::wstring conditions;
};

TEST(SearchStatement, AllEightScopeCombinations)
{
    const std::wstring head = L"SELECT notes.id, groups.id AS groupId, groups.groupName, notes.name, notes.comments FROM groups, notes "
                              L"WHERE notes.groupId=groups.id AND (";
    const std::wstring tail = L") ORDER BY notes.groupId, notes.name;";
    const SearchCase cases[] = {
        {false, false, false, L"InStr(1,notes.name,?,1)>0) ORDER BY notes.groupId, notes.name; [ab]"},
        {true, false, false, L"InStr(1,notes.name,?,1)>0) ORDER BY notes.groupId, notes.name; [ab]"},
        {false, true, false, L"InStr(1,notes.comments,?,1)>0) ORDER BY notes.groupId, notes.name; [ab]"},
        {false, false, true, L"InStr(1,notes.query,?,1)>0) ORDER BY notes.groupId, notes.name; [ab]"},
        {true, true, false, L"InStr(1,notes.name,?,1)>0 OR InStr(1,notes.comments,?,1)>0" + tail + L" [ab|ab]"},
        {true, false, true, L"InStr(1,notes.name,?,1)>0 OR InStr(1,notes.query,?,1)>0" + tail + L" [ab|ab]"},
        {false, true, true, L"InStr(1,notes.comments,?,1)>0 OR InStr(1,notes.query,?,1)>0" + tail + L" [ab|ab]"},
        {true, true, true, L"InStr(1,notes.name,?,1)>0 OR InStr(1,notes.comments,?,1)>0 OR InStr(1,notes.query,?,1)>0" + tail + L" [ab|ab|ab]"},
    };
    for (const SearchCase& c : cases) {
        SearchScope scope;
        scope.inName = c.name;
        scope.inDescription = c.description;
        scope.inSequel = c.sequel;
        EXPECT_EQ(head + c.conditions, S(BuildSearchStatement(L"ab", scope)))
            << "name " << c.name << " description " << c.description << " sequel " << c.sequel;
    }
}

// A text never enters the statement; one with LIKE's wildcards is a pattern
// between two '%', any other is looked for as it is.
TEST(SearchStatement, TextsTravelAsValuesAndWildcardsKeepTheirMeaning)
{
    SearchScope scope;
    scope.inSequel = true;
    const std::wstring condition = L"AND (InStr(1,notes.query,?,1)>0) ORDER BY notes.groupId, notes.name; [";
    for (const wchar_t* text : {L"it's", L"a||b", L"[dbo].[t]", L"#temp", L"*", L"?", L" ", L"\u00e9\U0001F600"}) {
        EXPECT_NE(std::wstring::npos, S(BuildSearchStatement(text, scope)).find(condition + text + L"]")) << text;
    }
    EXPECT_NE(std::wstring::npos, S(BuildSearchStatement(L"%", scope)).find(L"AND (notes.query LIKE ?) ORDER BY notes.groupId, notes.name; [%%%]"));
    EXPECT_NE(std::wstring::npos, S(BuildSearchStatement(L"a_c", scope)).find(L"(notes.query LIKE ?) ORDER BY notes.groupId, notes.name; [%a_c%]"));
}

TEST(QuoteSqlText, DoublesEveryApostropheAndNothingElse)
{
    EXPECT_EQ(L"today''s query", S(QuoteSqlText(L"today's query")));
    EXPECT_EQ(L"''''", S(QuoteSqlText(L"''")));
    EXPECT_EQ(L"", S(QuoteSqlText(L"")));
    EXPECT_EQ(L"\"\\%_\t\r\n\u00e9\U0001F600", S(QuoteSqlText(L"\"\\%_\t\r\n\u00e9\U0001F600")));
}

TEST(NoteStatements, ReadStatements)
{
    EXPECT_EQ(L"SELECT id,groupId,name,comments,query FROM notes WHERE id=12", S(BuildReadNoteStatement(12)));
    EXPECT_EQ(L"SELECT query FROM notes WHERE id=-3", S(BuildReadNoteQueryStatement(-3)));
    EXPECT_EQ(L"DELETE FROM notes WHERE id=7", S(BuildDeleteNoteStatement(7)));
}

TEST(NoteStatements, InsertAndUpdatePassTheTextsAsValuesInColumnOrder)
{
    NoteRecord note;
    note.id = 4;
    note.groupId = 2;
    note.name = L"a|b";
    note.comments = L"";
    note.query = L"SELECT 'x' || y FROM t";
    EXPECT_EQ(L"INSERT INTO notes(id,groupId,name,comments,query) VALUES(4,2,?,?,?); [a|b||SELECT 'x' || y FROM t]",
              S(BuildInsertNoteStatement(note)));
    EXPECT_EQ(L"UPDATE notes SET groupId=2, name=?, comments=?, query=? WHERE id=4; [a|b||SELECT 'x' || y FROM t]",
              S(BuildUpdateNoteStatement(note)));
}

TEST(GroupStatements, TakeTheIdAsTextAndPassNameAndDescriptionAsValues)
{
    EXPECT_EQ(L"SELECT groupDescription FROM groups WHERE groups.id=5", S(BuildReadGroupDescriptionStatement(5)));
    EXPECT_EQ(L"INSERT INTO groups VALUES(3,?,?) [Sales's|]", S(BuildInsertGroupStatement(L"3", L"Sales's", L"")));
    EXPECT_EQ(L"UPDATE groups SET groupName=?,groupDescription=? WHERE id=7 [A|]", S(BuildUpdateGroupStatement(L"7", L"A", L"")));
    EXPECT_EQ(L"DELETE FROM groups WHERE groups.id=9", S(BuildDeleteGroupStatement(9)));
}

TEST(NoteIdFromText, LeadingIntegerOrZero)
{
    EXPECT_EQ(0, NoteIdFromText(L""));
    EXPECT_EQ(17, NoteIdFromText(L"17"));
    EXPECT_EQ(-2, NoteIdFromText(L"-2"));
    EXPECT_EQ(32768, NoteIdFromText(L"32768"));
    EXPECT_EQ(12, NoteIdFromText(L"12abc"));
    EXPECT_EQ(0, NoteIdFromText(L"abc"));
    EXPECT_EQ(2147483647, NoteIdFromText(L"99999999999999"));
}

} // namespace
