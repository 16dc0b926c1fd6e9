// The note store's SQL texts as they are composed: connect string, creation
// attributes, the search statement for every scope, every record statement
// and the quoting of texts.
#include "store/NoteSql.h"

#include <gtest/gtest.h>

namespace {

std::wstring S(const CString& s) { return s.str(); }

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

TEST(Schema, StatementsAreExactlyTheAccessTexts)
{
    EXPECT_STREQ(L"CREATE TABLE groups (id SMALLINT NOT NULL, groupName VARCHAR(255) NOT NULL, groupDescription LONGTEXT, PRIMARY KEY(id));",
                 kSchemaStatements[0]);
    EXPECT_STREQ(L"INSERT INTO groups VALUES(0,'None',NULL);", kSchemaStatements[1]);
    EXPECT_STREQ(L"CREATE TABLE notes (id SMALLINT NOT NULL,groupId SMALLINT NOT NULL,name VARCHAR(255) NOT NULL,comments VARCHAR(255),"
                 L"query LONGTEXT NOT NULL,PRIMARY KEY(id),CONSTRAINT groupNotes FOREIGN KEY(groupId) REFERENCES groups);",
                 kSchemaStatements[2]);
}

TEST(CatalogueStatements, AreExactlyTheCatalogueTexts)
{
    EXPECT_STREQ(L"SELECT id,groupName FROM groups ORDER BY groupName", kGroupListStatement);
    EXPECT_STREQ(L"SELECT notes.id,groups.id AS groupId,groups.groupName,notes.name,notes.comments FROM groups,notes WHERE "
                 L"notes.groupId=groups.id ORDER BY notes.groupId,notes.name",
                 kCatalogueStatement);
}

struct SearchCase {
    bool name, description, sequel;
    const wchar_t* conditions;
};

TEST(SearchStatement, AllEightScopeCombinations)
{
    const std::wstring head = L"SELECT notes.id, groups.id AS groupId, groups.groupName, notes.name, notes.comments FROM groups, notes "
                              L"WHERE notes.groupId=groups.id AND (";
    const std::wstring tail = L") ORDER BY notes.groupId, notes.name;";
    const SearchCase cases[] = {
        {false, false, false, L"notes.name LIKE '%ab%'"},
        {true, false, false, L"notes.name LIKE '%ab%'"},
        {false, true, false, L"notes.comments LIKE '%ab%'"},
        {false, false, true, L"notes.query LIKE '%ab%'"},
        {true, true, false, L"notes.name LIKE '%ab%' OR notes.comments LIKE '%ab%'"},
        {true, false, true, L"notes.name LIKE '%ab%' OR notes.query LIKE '%ab%'"},
        {false, true, true, L"notes.comments LIKE '%ab%' OR notes.query LIKE '%ab%'"},
        {true, true, true, L"notes.name LIKE '%ab%' OR notes.comments LIKE '%ab%' OR notes.query LIKE '%ab%'"},
    };
    for (const SearchCase& c : cases) {
        SearchScope scope;
        scope.inName = c.name;
        scope.inDescription = c.description;
        scope.inSequel = c.sequel;
        EXPECT_EQ(head + c.conditions + tail, S(BuildSearchStatement(L"ab", scope)))
            << "name " << c.name << " description " << c.description << " sequel " << c.sequel;
    }
}

TEST(SearchStatement, DoublesApostrophesAndKeepsWildcardsAndSpaces)
{
    SearchScope scope;
    EXPECT_NE(std::wstring::npos, S(BuildSearchStatement(L"it's", scope)).find(L"(notes.name LIKE '%it''s%')"));
    EXPECT_NE(std::wstring::npos, S(BuildSearchStatement(L"%", scope)).find(L"(notes.name LIKE '%%%')"));
    EXPECT_NE(std::wstring::npos, S(BuildSearchStatement(L"_", scope)).find(L"(notes.name LIKE '%_%')"));
    EXPECT_NE(std::wstring::npos, S(BuildSearchStatement(L" ", scope)).find(L"(notes.name LIKE '% %')"));
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
    EXPECT_STREQ(L"SELECT Max(id)+1 FROM notes", kNextNoteIdStatement);
    EXPECT_EQ(L"DELETE FROM notes WHERE id=7", S(BuildDeleteNoteStatement(7)));
}

TEST(NoteStatements, InsertAndUpdateQuoteTheTextsInColumnOrder)
{
    NoteRecord note;
    note.id = 4;
    note.groupId = 2;
    note.name = L"today's query";
    note.comments = L"";
    note.query = L"SELECT 'x' FROM t";
    EXPECT_EQ(L"INSERT INTO notes(id,groupId,name,comments,query) VALUES(4,2,'today''s query','','SELECT ''x'' FROM t');",
              S(BuildInsertNoteStatement(note)));
    EXPECT_EQ(L"UPDATE notes SET groupId=2, name='today''s query', comments='', query='SELECT ''x'' FROM t' WHERE id=4;",
              S(BuildUpdateNoteStatement(note)));
}

TEST(GroupStatements, TakeTheIdAsTextAndQuoteNameAndDescription)
{
    EXPECT_EQ(L"SELECT groupDescription FROM groups WHERE groups.id=5", S(BuildReadGroupDescriptionStatement(5)));
    EXPECT_STREQ(L"SELECT Max(id)+1 FROM groups", kNextGroupIdStatement);
    EXPECT_EQ(L"INSERT INTO groups VALUES(3,'Sales''s','')", S(BuildInsertGroupStatement(L"3", L"Sales's", L"")));
    EXPECT_EQ(L"UPDATE groups SET groupName='A',groupDescription='' WHERE id=7", S(BuildUpdateGroupStatement(L"7", L"A", L"")));
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
