// The statements that read and change rows name the General collation on
// their text columns: exactly where a comparison or an order happens, and
// nowhere that would change a column's name, a target or a table name.
#include "driver/AccessDdl.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

SchemaColumns NoteColumns()
{
    SchemaColumns columns;
    for (const char* name : {"id", "groupId"}) columns.Add(name, false);
    for (const char* name : {"groupName", "groupDescription", "name", "comments", "query"}) columns.Add(name, true);
    return columns;
}

std::string Translate(const std::string& sql) { return TranslateAccessSql(sql, NoteColumns()); }

TEST(TextCollation, TheModuleStatementsSortAndCompareTextByTheGeneralOrder)
{
    EXPECT_EQ("SELECT id,groupName FROM groups ORDER BY groupName COLLATE GENERAL",
              Translate("SELECT id,groupName FROM groups ORDER BY groupName"));
    EXPECT_EQ("SELECT notes.id,groups.id AS groupId,groups.groupName,notes.name,notes.comments FROM groups,notes WHERE "
              "notes.groupId=groups.id ORDER BY notes.groupId,notes.name COLLATE GENERAL",
              Translate("SELECT notes.id,groups.id AS groupId,groups.groupName,notes.name,notes.comments FROM groups,notes WHERE "
                        "notes.groupId=groups.id ORDER BY notes.groupId,notes.name"));
    EXPECT_EQ("SELECT notes.id, groups.id AS groupId, groups.groupName, notes.name, notes.comments FROM groups, notes WHERE "
              "notes.groupId=groups.id AND (notes.name COLLATE GENERAL LIKE '%it''s name%' OR notes.query COLLATE GENERAL LIKE "
              "'%x%') ORDER BY notes.groupId, notes.name COLLATE GENERAL;",
              Translate("SELECT notes.id, groups.id AS groupId, groups.groupName, notes.name, notes.comments FROM groups, notes WHERE "
                        "notes.groupId=groups.id AND (notes.name LIKE '%it''s name%' OR notes.query LIKE '%x%') ORDER BY "
                        "notes.groupId, notes.name;"));
    // Numbers are left alone, so lookups by id keep using the primary key.
    for (const char* sql : {"SELECT id,groupId,name,comments,query FROM notes WHERE id=3", "SELECT Max(id)+1 FROM notes",
                            "INSERT INTO notes(id,groupId,name,comments,query) VALUES(1,0,'name','comments','query');",
                            "INSERT INTO groups VALUES(0,'None',NULL);", "DELETE FROM groups WHERE groups.id=4",
                            "SELECT groupDescription FROM groups WHERE groups.id=2"}) {
        EXPECT_EQ(sql, Translate(sql));
    }
    EXPECT_EQ("UPDATE notes SET groupId=1, name='a', comments='b', query='c' WHERE id=2;",
              Translate("UPDATE notes SET groupId=1, name='a', comments='b', query='c' WHERE id=2;"));
}

TEST(TextCollation, ConditionsJoinsAndChangesByName)
{
    EXPECT_EQ("SELECT name FROM notes WHERE name COLLATE GENERAL = 'APPLE' AND 'x' <> comments COLLATE GENERAL",
              Translate("SELECT name FROM notes WHERE name = 'APPLE' AND 'x' <> comments"));
    EXPECT_EQ("UPDATE notes SET name = upper(name COLLATE GENERAL), comments='' WHERE name COLLATE GENERAL IN ('a', 'B')",
              Translate("UPDATE notes SET name = upper(name), comments='' WHERE name IN ('a', 'B')"));
    EXPECT_EQ("DELETE FROM notes WHERE \"name\" COLLATE GENERAL BETWEEN 'a' AND 'c'", Translate("DELETE FROM notes WHERE \"name\" BETWEEN 'a' AND 'c'"));
    EXPECT_EQ("SELECT n.id FROM notes AS n JOIN groups g ON g.groupName COLLATE GENERAL = n.name COLLATE GENERAL, notes AS name "
              "WHERE name.id=1",
              Translate("SELECT n.id FROM notes AS n JOIN groups g ON g.groupName = n.name, notes AS name WHERE name.id=1"));
    EXPECT_EQ("SELECT id FROM notes JOIN notes AS o USING (name) WHERE :name = 1",
              Translate("SELECT id FROM notes JOIN notes AS o USING (name) WHERE :name = 1"));
    EXPECT_EQ("SELECT id FROM notes WHERE groupId IN (SELECT id FROM groups WHERE groupName COLLATE GENERAL = 'a') AND "
              "EXISTS (SELECT 1 FROM groups GROUP BY groupName COLLATE GENERAL HAVING max(groupName COLLATE GENERAL) > 'b')",
              Translate("SELECT id FROM notes WHERE groupId IN (SELECT id FROM groups WHERE groupName = 'a') AND "
                        "EXISTS (SELECT 1 FROM groups GROUP BY groupName HAVING max(groupName) > 'b')"));
    EXPECT_EQ("INSERT INTO notes (id, name) SELECT id + 100, name FROM notes WHERE name COLLATE GENERAL = 'a' "
              "ON CONFLICT (id) DO UPDATE SET name = excluded.name COLLATE GENERAL WHERE comments COLLATE GENERAL IS NULL",
              Translate("INSERT INTO notes (id, name) SELECT id + 100, name FROM notes WHERE name = 'a' "
                        "ON CONFLICT (id) DO UPDATE SET name = excluded.name WHERE comments IS NULL"));
    EXPECT_EQ("WITH named(name) AS (SELECT name FROM notes WHERE query COLLATE GENERAL = 'q') SELECT name FROM named ORDER BY name COLLATE GENERAL",
              Translate("WITH named(name) AS (SELECT name FROM notes WHERE query = 'q') SELECT name FROM named ORDER BY name"));
    EXPECT_EQ("UPDATE groups SET (groupName, groupDescription) = ('a', groupName COLLATE GENERAL) WHERE id=1",
              Translate("UPDATE groups SET (groupName, groupDescription) = ('a', groupName) WHERE id=1"));
}

TEST(TextCollation, SortTermsAliasesNumbersAndWhatIsLeftAlone)
{
    // Columns of the select list keep their names and types; aliases and
    // column numbers sort by the General order; an explicit collation is the writer's.
    EXPECT_EQ("SELECT name, comments AS c, length(query COLLATE GENERAL) AS \"length(query)\" FROM notes ORDER BY c COLLATE GENERAL DESC, 1 COLLATE GENERAL, "
              "groupId, name COLLATE BINARY, lower(query COLLATE GENERAL) NULLS LAST LIMIT 3 OFFSET 1",
              Translate("SELECT name, comments AS c, length(query) FROM notes ORDER BY c DESC, 1, groupId, name COLLATE BINARY, "
                        "lower(query) NULLS LAST LIMIT 3 OFFSET 1"));
    EXPECT_EQ("SELECT name FROM notes UNION SELECT groupName FROM groups ORDER BY 1 COLLATE GENERAL",
              Translate("SELECT name FROM notes UNION SELECT groupName FROM groups ORDER BY 1"));
    // Expressions of the select list compare by the General order and keep
    // the names SQLite gives them; an item ending in a bare word may be an
    // alias written without AS, so such an item is left as written.
    EXPECT_EQ("SELECT max(name COLLATE GENERAL) AS \"max(name)\", count(DISTINCT comments COLLATE GENERAL) AS \"count(DISTINCT comments)\", "
              "row_number() OVER (PARTITION BY query COLLATE GENERAL ORDER BY name COLLATE GENERAL) AS "
              "\"row_number() OVER (PARTITION BY query ORDER BY name)\" FROM notes "
              "WINDOW w AS (PARTITION BY name COLLATE GENERAL ORDER BY comments COLLATE GENERAL)",
              Translate("SELECT max(name), count(DISTINCT comments), row_number() OVER (PARTITION BY query ORDER BY name) FROM notes "
                        "WINDOW w AS (PARTITION BY name ORDER BY comments)"));
    EXPECT_EQ("SELECT DISTINCT (name COLLATE GENERAL = 'a') AS \"(name = 'a')\", lower(\"name\" COLLATE GENERAL) AS low, name || 'x' n, "
              "CASE WHEN name = 'a' THEN 1 END FROM notes",
              Translate("SELECT DISTINCT (name = 'a'), lower(\"name\") AS low, name || 'x' n, CASE WHEN name = 'a' THEN 1 END FROM notes"));
    // Strings, comments, quoted aliases and keywords are no columns.
    EXPECT_EQ("SELECT 'name = x' FROM notes /* name = 1 */ WHERE CAST(name COLLATE GENERAL AS TEXT) = 'name' -- name\n",
              Translate("SELECT 'name = x' FROM notes /* name = 1 */ WHERE CAST(name AS TEXT) = 'name' -- name\n"));
    // Statements that do not read or change rows are not touched.
    for (const char* sql : {"PRAGMA table_info(notes)", "DROP TABLE notes", "EXPLAIN SELECT name FROM notes WHERE name='a'"}) {
        EXPECT_EQ(sql, Translate(sql));
    }
}

// What the translation writes must still be SQL that SQLite runs, and it
// must sort and compare as Access does.
TEST(TextCollation, TranslatedStatementsRunWithTheCollationRegistered)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(":memory:", &db));
    sqlite3_create_collation(db, "GENERAL", SQLITE_UTF8, nullptr, [](void*, int an, const void* a, int bn, const void* b) {
        return sqlite3_strnicmp(static_cast<const char*>(a), static_cast<const char*>(b), an < bn ? an : bn) ?: an - bn;
    });
    const char* const statements[] = {
        "CREATE TABLE groups (id SMALLINT NOT NULL, groupName VARCHAR(255) NOT NULL, groupDescription LONGTEXT, PRIMARY KEY(id))",
        "CREATE TABLE notes (id SMALLINT NOT NULL,groupId SMALLINT NOT NULL,name VARCHAR(255) NOT NULL,comments VARCHAR(255),"
        "query LONGTEXT NOT NULL,PRIMARY KEY(id))",
        "INSERT INTO groups VALUES(0,'None',NULL)",
        "INSERT INTO notes VALUES(1,0,'b','x','q'), (2,0,'A','y','q'), (3,0,'a','z','q')",
        "UPDATE notes SET comments = 'found' WHERE name = 'B'",
        "DELETE FROM notes WHERE name = 'nothing' OR comments IN ('Y')",
        "WITH named(name) AS (SELECT name FROM notes WHERE query = 'Q') SELECT name FROM named ORDER BY name",
        "SELECT name, comments AS c FROM notes ORDER BY c DESC, 1, groupId, name COLLATE BINARY LIMIT 3 OFFSET 0",
        "SELECT n.id FROM notes AS n JOIN groups g ON g.groupName = n.name, notes AS name WHERE name.id=1",
        "SELECT o.id FROM notes JOIN notes AS o USING (name) WHERE notes.id = 1",
        "SELECT name FROM notes UNION SELECT groupName FROM groups ORDER BY 1",
        "INSERT INTO notes (id, groupId, name, query) SELECT id + 100, 0, name, 'q' FROM notes WHERE name = 'b' "
        "ON CONFLICT (id) DO UPDATE SET name = excluded.name WHERE comments IS NULL",
    };
    // Beyond the module's statements: what a user's own SQL may hold.
    const char* const userStatements[] = {
        "SELECT DISTINCT name FROM notes WHERE name NOT IN ('x', 'y') AND comments IS NOT NULL ORDER BY 1 DESC NULLS FIRST",
        "SELECT g.groupName, count(*) AS n FROM groups AS g LEFT JOIN notes AS n2 ON n2.groupId = g.id AND n2.name LIKE 'a%' ESCAPE '!' "
        "GROUP BY g.groupName HAVING count(*) >= 0 ORDER BY n DESC, g.groupName",
        "SELECT name, row_number() OVER (PARTITION BY groupId ORDER BY name) FROM notes WINDOW w AS (ORDER BY comments) ORDER BY name",
        "SELECT name, rank() OVER w FROM notes WINDOW w AS (PARTITION BY query ORDER BY name ROWS BETWEEN UNBOUNDED PRECEDING AND CURRENT ROW)",
        "WITH RECURSIVE counter(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM counter WHERE x < 3) SELECT x FROM counter",
        "SELECT CASE WHEN name = 'a' THEN 'first' WHEN name BETWEEN 'b' AND 'c' THEN 'second' ELSE name END AS bucket FROM notes",
        "SELECT * FROM (SELECT name AS title, comments FROM notes WHERE query = 'q') AS sub WHERE sub.title = 'A' ORDER BY title",
        "SELECT name FROM notes NATURAL JOIN notes AS twin WHERE EXISTS (SELECT 1 FROM groups WHERE groupName = twin.name) LIMIT 5 OFFSET 1",
        "SELECT name FROM notes WHERE name = ?1 OR name = :name OR name = @name OR name = $name OR name = ?",
        "SELECT \"name\", [comments], `query` FROM notes WHERE \"name\" = 'a' AND [comments] <> 'b' AND `query` = 'q' ORDER BY [name]",
        "SELECT name FROM notes WHERE CAST(name AS TEXT) = 'a' AND substr(name, 1, 1) IN (SELECT groupName FROM groups) "
        "AND name COLLATE NOCASE = 'a' AND (name, comments) = ('a', 'z') AND name GLOB 'a*' ORDER BY length(name), name COLLATE BINARY",
        "SELECT name FROM notes INDEXED BY sqlite_autoindex_notes_1 WHERE id = 1",
        "VALUES (1, 'a'), (2, 'b')",
        "SELECT name FROM notes EXCEPT SELECT groupName FROM groups INTERSECT SELECT name FROM notes ORDER BY name",
        "UPDATE notes SET comments = (SELECT groupName FROM groups WHERE groupName = notes.name) WHERE name IN (SELECT name FROM notes)",
        "UPDATE notes SET comments = g.groupName FROM groups AS g WHERE g.groupName = notes.name",
        "DELETE FROM notes WHERE name = 'nobody' RETURNING id, name",
        "INSERT INTO groups (id, groupName) VALUES (5, 'e') RETURNING groupName",
        "INSERT OR REPLACE INTO groups VALUES (6, replace('f', 'f', 'F'), NULL)",
        "REPLACE INTO groups (id, groupName) SELECT 7, upper(name) FROM notes WHERE name = 'A' LIMIT 1",
        "SELECT max(name), min(comments), group_concat(query, ',') FILTER (WHERE name > 'a') FROM notes GROUP BY groupId",
        "SELECT name FROM notes -- a comment: name = 1\n WHERE /* name = 2 */ name = 'a'",
    };
    const auto run = [db](const char* sql) {
        SchemaColumns columns;
        columns.Refresh(db);
        const std::string translated = TranslateAccessSql(sql, columns);
        EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, translated.c_str(), nullptr, nullptr, nullptr)) << translated << ": " << sqlite3_errmsg(db);
    };
    for (const char* sql : statements) run(sql);
    SchemaColumns columns;
    ASSERT_TRUE(columns.Refresh(db));
    EXPECT_EQ(SchemaColumns::Kind::Text, columns.Find("NAME"));
    EXPECT_EQ(SchemaColumns::Kind::Other, columns.Find("groupid"));
    EXPECT_EQ(SchemaColumns::Kind::Unknown, columns.Find("c"));
    EXPECT_FALSE(columns.Refresh(db)) << "nothing changed, nothing read";

    std::string rows;
    sqlite3_stmt* statement = nullptr;
    const std::string sorted = TranslateAccessSql("SELECT name || ':' || ifnull(comments, '-') FROM notes WHERE name <> 'Z' ORDER BY name, id", columns);
    ASSERT_EQ(SQLITE_OK, sqlite3_prepare_v2(db, sorted.c_str(), -1, &statement, nullptr)) << sorted;
    while (sqlite3_step(statement) == SQLITE_ROW) rows += std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))) + " ";
    sqlite3_finalize(statement);
    EXPECT_EQ("a:z b:found b:- ", rows) << "'B' updated 'b', 'Y' deleted 'A', and 'b' was copied";
    for (const char* sql : userStatements) run(sql);

    // Names and types of the select list as SQLite gives them without the translation.
    const std::string listed = TranslateAccessSql("SELECT name, max(name), lower(comments) AS low, max(\"name\") FROM notes", columns);
    ASSERT_EQ(SQLITE_OK, sqlite3_prepare_v2(db, listed.c_str(), -1, &statement, nullptr)) << listed;
    EXPECT_STREQ("name", sqlite3_column_name(statement, 0));
    EXPECT_STREQ("VARCHAR(255)", sqlite3_column_decltype(statement, 0));
    EXPECT_STREQ("max(name)", sqlite3_column_name(statement, 1));
    EXPECT_STREQ("low", sqlite3_column_name(statement, 2));
    EXPECT_STREQ("max(\"name\")", sqlite3_column_name(statement, 3));
    sqlite3_finalize(statement);
    sqlite3_close(db);
}

} // namespace
