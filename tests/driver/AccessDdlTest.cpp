// Translation of Access DDL: declared types stay, checks and SQLite's own
// case-insensitive collation are added, and no schema names GENERAL.
#include "driver/AccessDdl.h"

#include <gtest/gtest.h>

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(AccessDdl, GroupsTableGetsRangeLengthAndABuiltInCollation)
{
    const std::string sql = "CREATE TABLE groups (id SMALLINT NOT NULL, groupName VARCHAR(255) NOT NULL, groupDescription LONGTEXT, PRIMARY KEY(id));";
    const std::string out = TranslateAccessSql(sql);
    EXPECT_TRUE(Contains(out, "id SMALLINT NOT NULL CONSTRAINT \"QB SMALLINT groups.id\" CHECK(id IS NULL OR (typeof(id)='integer' AND id BETWEEN -32768 AND 32767))")) << out;
    EXPECT_TRUE(Contains(out, "groupName VARCHAR(255) NOT NULL COLLATE NOCASE CONSTRAINT \"QB VARCHAR(255) groups.groupName\" CHECK(length(groupName)<=255)")) << out;
    EXPECT_TRUE(Contains(out, "groupDescription LONGTEXT COLLATE NOCASE,")) << out;
    EXPECT_TRUE(Contains(out, ", PRIMARY KEY(id));")) << out;
}

TEST(AccessDdl, TableConstraintsAreKept)
{
    const std::string out = TranslateAccessSql(
        "CREATE TABLE notes (id SMALLINT NOT NULL,groupId SMALLINT NOT NULL,query LONGTEXT NOT NULL,PRIMARY KEY(id),CONSTRAINT groupNotes FOREIGN KEY(groupId) REFERENCES groups);");
    EXPECT_TRUE(Contains(out, "PRIMARY KEY(id),CONSTRAINT groupNotes FOREIGN KEY(groupId) REFERENCES groups);")) << out;
    EXPECT_TRUE(Contains(out, "\"QB SMALLINT notes.groupId\"")) << out;
    EXPECT_TRUE(Contains(out, "query LONGTEXT NOT NULL COLLATE NOCASE,")) << out;
}

TEST(AccessDdl, OtherStatementsPassUnchanged)
{
    for (const char* sql : {"SELECT * FROM notes", "INSERT INTO groups VALUES(0,'None',NULL);", "DELETE FROM notes WHERE id=1",
                            "UPDATE notes SET name='CREATE TABLE x (a SMALLINT)' WHERE id=1"}) {
        EXPECT_EQ(sql, TranslateAccessSql(sql));
    }
}

TEST(AccessDdl, QuotedNamesAndExistingCollation)
{
    const std::string out = TranslateAccessSql("CREATE TABLE [my table] ([a b] TEXT(10), c VARCHAR(5) COLLATE NOCASE, d INTEGER, e BYTE)");
    EXPECT_TRUE(Contains(out, "[a b] TEXT(10) COLLATE NOCASE CONSTRAINT \"QB VARCHAR(10) my table.a b\" CHECK(length([a b])<=10)")) << out;
    EXPECT_TRUE(Contains(out, "c VARCHAR(5) COLLATE NOCASE CONSTRAINT")) << out;
    EXPECT_FALSE(Contains(out, "COLLATE NOCASE COLLATE")) << out;
    EXPECT_TRUE(Contains(out, "BETWEEN -2147483648 AND 2147483647")) << out;
    EXPECT_TRUE(Contains(out, "BETWEEN 0 AND 255")) << out;
}

TEST(AccessDdl, AlterTableAddColumn)
{
    const std::string out = TranslateAccessSql("ALTER TABLE notes ADD COLUMN author VARCHAR(40);");
    EXPECT_TRUE(Contains(out, "author VARCHAR(40) COLLATE NOCASE CONSTRAINT \"QB VARCHAR(40) notes.author\" CHECK(length(author)<=40);")) << out;
}

TEST(AccessDdl, AnExplicitGeneralCollationIsStoredAsNocase)
{
    EXPECT_EQ("CREATE TABLE t (a VARCHAR(5) COLLATE NOCASE CONSTRAINT \"QB VARCHAR(5) t.a\" CHECK(length(a)<=5), b INTEGER2 COLLATE NOCASE "
              "CONSTRAINT \"QB SMALLINT t.b\" CHECK(b IS NULL OR (typeof(b)='integer' AND b BETWEEN -32768 AND 32767)))",
              TranslateAccessSql("CREATE TABLE t (a VARCHAR(5) COLLATE general, b INTEGER2 COLLATE \"GENERAL\")"));
    EXPECT_EQ("CREATE INDEX i ON notes(name COLLATE NOCASE, 'COLLATE GENERAL')",
              TranslateAccessSql("CREATE INDEX i ON notes(name COLLATE GENERAL, 'COLLATE GENERAL')"));
    EXPECT_EQ("CREATE VIEW v AS SELECT name FROM notes ORDER BY name COLLATE NOCASE",
              TranslateAccessSql("CREATE VIEW v AS SELECT name FROM notes ORDER BY name COLLATE GENERAL"));
}

TEST(AccessDdl, TextTypes)
{
    for (const char* type : {"VARCHAR(255)", "LONGTEXT", "memo", "TEXT", "CHAR(3)", "NVARCHAR(20)", "CLOB", "character varying(9)"}) {
        EXPECT_TRUE(IsTextColumnType(type)) << type;
    }
    for (const char* type : {"SMALLINT", "INTEGER", "", "BYTE", "REAL", "BLOB", "COUNTER"}) EXPECT_FALSE(IsTextColumnType(type)) << type;
}

TEST(TypeCheckFailure, ParsesTheConstraintNames)
{
    TypeCheckFailure f;
    ASSERT_TRUE(ParseTypeCheckFailure("CHECK constraint failed: QB VARCHAR(255) notes.name", f));
    EXPECT_TRUE(f.isLength);
    EXPECT_EQ(255, f.limitHigh);
    EXPECT_EQ("notes.name", f.column);
    ASSERT_TRUE(ParseTypeCheckFailure("CHECK constraint failed: QB SMALLINT notes.id", f));
    EXPECT_FALSE(f.isLength);
    EXPECT_EQ(-32768, f.limitLow);
    EXPECT_EQ(32767, f.limitHigh);
    EXPECT_FALSE(ParseTypeCheckFailure("CHECK constraint failed: x > 0", f));
}

TEST(StatementParts, VerbAndTargetTable)
{
    EXPECT_EQ("DELETE", StatementVerb("delete FROM groups WHERE groups.id=3"));
    EXPECT_EQ("groups", StatementTargetTable("DELETE FROM groups WHERE groups.id=3"));
    EXPECT_EQ("notes", StatementTargetTable("INSERT INTO notes(id) VALUES(1)"));
    EXPECT_EQ("groups", StatementTargetTable("UPDATE groups SET groupName='A' WHERE id=7"));
    EXPECT_EQ("", StatementTargetTable("SELECT * FROM notes"));
}

} // namespace
