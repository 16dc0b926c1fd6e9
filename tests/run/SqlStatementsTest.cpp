// How the text of the View box is cut into statements, and which of them the
// dialog asks about before running: the places where a lexer breaks.
#include "run/SqlStatements.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The statements' texts, each as "<number>:<text>".
std::vector<std::wstring> Split(const std::wstring& text)
{
    std::vector<std::wstring> shown;
    for (const ScriptStatement& statement : SplitSqlStatements(text))
        shown.push_back(std::to_wstring(statement.number) + L":" + statement.text);
    return shown;
}

using Texts = std::vector<std::wstring>;

TEST(SplitSqlStatements, CutsAtSemicolonsAndTrimsEachStatement)
{
    EXPECT_EQ(Split(L"SELECT 1;\n  SELECT 2 ;SELECT 3"), (Texts{L"1:SELECT 1", L"2:SELECT 2", L"3:SELECT 3"}));
}

TEST(SplitSqlStatements, DropsEmptyStatementsAndNumbersOnlyThoseThatRun)
{
    EXPECT_EQ(Split(L";; SELECT 1;\n-- only a comment\n; /* and another */ ;SELECT 2;  "),
              (Texts{L"1:SELECT 1", L"2:SELECT 2"}));
    EXPECT_TRUE(Split(L"  \r\n -- nothing\n/* here */ ; ").empty());
}

TEST(SplitSqlStatements, KeepsSemicolonsInsideStringsWithDoubledQuotes)
{
    EXPECT_EQ(Split(L"INSERT INTO t VALUES ('it''s; fine', ''); SELECT ';'''"),
              (Texts{L"1:INSERT INTO t VALUES ('it''s; fine', '')", L"2:SELECT ';'''"}));
}

TEST(SplitSqlStatements, KeepsSemicolonsInsideQuotedNames)
{
    EXPECT_EQ(Split(L"SELECT \"a;\"\"b\", [c;]]d], `e;``f` FROM t; SELECT 2"),
              (Texts{L"1:SELECT \"a;\"\"b\", [c;]]d], `e;``f` FROM t", L"2:SELECT 2"}));
}

TEST(SplitSqlStatements, KeepsSemicolonsInsideComments)
{
    EXPECT_EQ(Split(L"SELECT 1 -- not here; nor 'here\nFROM t; /* nor; ' here */ SELECT 2"),
              (Texts{L"1:SELECT 1 -- not here; nor 'here\nFROM t", L"2:/* nor; ' here */ SELECT 2"}));
}

TEST(SplitSqlStatements, UnterminatedQuotesAndCommentsRunToTheEnd)
{
    EXPECT_EQ(Split(L"SELECT 1; SELECT 'open; SELECT 3"), (Texts{L"1:SELECT 1", L"2:SELECT 'open; SELECT 3"}));
    EXPECT_EQ(Split(L"SELECT 1; /* open; SELECT 3"), (Texts{L"1:SELECT 1"}));
    EXPECT_EQ(Split(L"SELECT [open; SELECT 3"), (Texts{L"1:SELECT [open; SELECT 3"}));
    EXPECT_EQ(Split(L"SELECT 1 -- last"), (Texts{L"1:SELECT 1 -- last"}));
    EXPECT_EQ(Split(L"SELECT 1; $$ open; SELECT 3"), (Texts{L"1:SELECT 1", L"2:$$ open; SELECT 3"}));
}

TEST(SplitSqlStatements, KeepsDollarQuotedBodiesWhole)
{
    const std::wstring function =
        L"CREATE FUNCTION f() RETURNS int AS $$ BEGIN PERFORM 1; RETURN 2; END $$ LANGUAGE plpgsql";
    EXPECT_EQ(Split(function + L";\nSELECT f();"), (Texts{L"1:" + function, L"2:SELECT f()"}));
    const std::wstring tagged = L"DO $body$ BEGIN RAISE NOTICE 'a;'; END $body$";
    EXPECT_EQ(Split(tagged + L"; SELECT 1"), (Texts{L"1:" + tagged, L"2:SELECT 1"}));
}

TEST(SplitSqlStatements, OnlyTheSameTagClosesADollarQuotedBody)
{
    const std::wstring nested = L"DO $outer$ EXECUTE $inner$ SELECT 1; $inner$; $out$; $outer$";
    EXPECT_EQ(Split(nested + L"; SELECT 2"), (Texts{L"1:" + nested, L"2:SELECT 2"}));
}

TEST(SplitSqlStatements, ParametersAndNamesWithDollarsOpenNoBody)
{
    EXPECT_EQ(Split(L"SELECT $1, $2; SELECT 3"), (Texts{L"1:SELECT $1, $2", L"2:SELECT 3"}));
    EXPECT_EQ(Split(L"SELECT a$b$ FROM t; SELECT 2; SELECT $x$"),
              (Texts{L"1:SELECT a$b$ FROM t", L"2:SELECT 2", L"3:SELECT $x$"}));
}

TEST(SplitSqlStatements, BackslashEscapesOnlyInEscapeStrings)
{
    EXPECT_EQ(Split(L"SELECT E'a\\';b'; SELECT 'c\\'; SELECT 3"),
              (Texts{L"1:SELECT E'a\\';b'", L"2:SELECT 'c\\'", L"3:SELECT 3"}));
}

TEST(SplitSqlStatements, ALineHoldingOnlyGoSeparates)
{
    EXPECT_EQ(Split(L"SELECT 1\nGO\nSELECT 2\n  go  \nSELECT 3\nGo"),
              (Texts{L"1:SELECT 1", L"2:SELECT 2", L"3:SELECT 3"}));
    EXPECT_EQ(Split(L"GO\nSELECT 1"), (Texts{L"1:SELECT 1"}));
}

TEST(SplitSqlStatements, GoInsideAWordAStringOrACommentDoesNotSeparate)
{
    EXPECT_EQ(Split(L"SELECT 1 GO\nGOTO\nGO 5\nx GO"), (Texts{L"1:SELECT 1 GO\nGOTO\nGO 5\nx GO"}));
    EXPECT_EQ(Split(L"SELECT 'a\nGO\nb'"), (Texts{L"1:SELECT 'a\nGO\nb'"}));
    EXPECT_EQ(Split(L"SELECT 1 /*\nGO\n*/"), (Texts{L"1:SELECT 1 /*\nGO\n*/"}));
    EXPECT_EQ(Split(L"SELECT $$\nGO\n$$"), (Texts{L"1:SELECT $$\nGO\n$$"}));
}

TEST(SplitSqlStatements, WindowsLineBreaks)
{
    EXPECT_EQ(Split(L"SELECT 1\r\nGO\r\nSELECT 'a;\r\nb';\r\n-- c;\r\nSELECT 3\r\n"),
              (Texts{L"1:SELECT 1", L"2:SELECT 'a;\r\nb'", L"3:-- c;\r\nSELECT 3"}));
}

TEST(FirstLineOf, SkipsBlankLinesAndTrims)
{
    EXPECT_EQ(FirstLineOf(L"\r\n   \r\n\tDELETE FROM t \r\nWHERE x = 1"), L"DELETE FROM t");
    EXPECT_EQ(FirstLineOf(L"UPDATE t SET a = 1"), L"UPDATE t SET a = 1");
    EXPECT_EQ(FirstLineOf(L" \n \t"), L"");
}

TEST(MayChangeData, ReadingStatementsDoNot)
{
    for (const wchar_t* text : {L"SELECT * FROM t", L"  select 1", L"-- why\n/* how */ ((SELECT 1) UNION (SELECT 2))",
                                L"WITH a AS (SELECT 1) SELECT * FROM a", L"values (1)", L"SHOW TABLES",
                                L"EXPLAIN SELECT 1", L"Describe t", L"SELECT * FROM t FOR UPDATE",
                                L"SELECT 'DELETE', \"drop\", [insert] FROM t -- update\n",
                                L"SELECT updated_at, into_x FROM t"})
        EXPECT_FALSE(MayChangeData(text)) << text;
}

TEST(MayChangeData, AnythingElseOrAReadingStatementThatWritesDoes)
{
    for (const wchar_t* text : {L"DELETE FROM t", L"insert into t values (1)", L"UPDATE t SET a = 1", L"CREATE TABLE x (a int)",
                                L"DROP TABLE x", L"(DELETE FROM t)", L"{call p}", L"SELECTX 1", L"'SELECT' 1",
                                L"SELECT * INTO copy FROM t", L"WITH d AS (DELETE FROM t RETURNING *) SELECT * FROM d",
                                L"EXPLAIN ANALYZE UPDATE t SET a = 1", L""})
        EXPECT_TRUE(MayChangeData(text)) << text;
}

} // namespace
