// The portable pieces of running notes: rows kept compactly, the texts of
// cells and copies, connection strings without passwords, status texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run/CellText.h"
#include "run/ConnectionText.h"
#include "run/ResultRows.h"
#include "run/RowsAsText.h"
#include "run/RunStatus.h"

namespace {

void AddRow(ResultRows& rows, const std::wstring& text, bool nullSecond)
{
    rows.AddText(text.data(), text.size());
    if (nullSecond) rows.AddNull();
    else rows.AddText(L"7", 1, CellKind::Number);
}

TEST(ResultRows, KeepsEveryCellAcrossBlocksAndMovedBlocks)
{
    ResultRows rows(2);
    const std::wstring big(300000, L'\x00e9');  // larger than a block of memory
    AddRow(rows, L"first", false);
    AddRow(rows, big, true);
    ResultRows block(2);
    for (int i = 0; i < 5000; ++i) AddRow(block, L"row " + std::to_wstring(i) + L" \U0001F600", i % 2 == 0);
    rows.Append(std::move(block));
    EXPECT_EQ(0u, block.RowCount());
    ASSERT_EQ(5002u, rows.RowCount());
    EXPECT_EQ(L"first", rows.WideText(0, 0));
    EXPECT_EQ(CellKind::Number, rows.Cell(0, 1).kind);
    EXPECT_EQ(big, rows.WideText(1, 0));
    EXPECT_EQ(CellKind::Null, rows.Cell(1, 1).kind);
    EXPECT_EQ(L"row 4999 \U0001F600", rows.WideText(5001, 0));
    EXPECT_EQ(CellKind::Number, rows.Cell(5001, 1).kind);
    EXPECT_EQ(CellKind::Null, rows.Cell(5000, 1).kind);
}

TEST(ResultRows, RefusesABlockOfAnotherShapeOrAHalfRow)
{
    ResultRows rows(2);
    ResultRows other(3);
    EXPECT_THROW(rows.Append(std::move(other)), std::invalid_argument);
    ResultRows half(2);
    half.AddNull();
    EXPECT_THROW(rows.Append(std::move(half)), std::invalid_argument);
    EXPECT_THROW(rows.Cell(0, 0), std::out_of_range);
}

TEST(CellText, NullEmptyBinaryAndLongTextsReadApart)
{
    ResultRows rows(5);
    rows.AddNull();
    rows.AddText(L"", 0);
    rows.AddText(L"NULL", 4);
    const unsigned char bytes[] = {0x00, 0xA1, 0xFF};
    rows.AddBytes(bytes, 3);
    const std::wstring lines = L"one\r\ntwo\tthree" + std::wstring(500, L'x');
    rows.AddText(lines.data(), lines.size());
    EXPECT_EQ(L"<NULL>", CellDisplayText(rows.Cell(0, 0), 100));
    EXPECT_EQ(L"", CellCopyText(rows.Cell(0, 0)));
    EXPECT_EQ(L"", CellDisplayText(rows.Cell(0, 1), 100));
    EXPECT_EQ(L"NULL", CellDisplayText(rows.Cell(0, 2), 100));
    EXPECT_EQ(L"0x00A1FF", CellDisplayText(rows.Cell(0, 3), 100));
    EXPECT_EQ(L"0x00A1\x2026", CellDisplayText(rows.Cell(0, 3), 7)) << "a cut value keeps within its room";
    const std::wstring shown = CellDisplayText(rows.Cell(0, 4), 20);
    EXPECT_EQ(L"one  two threexxxxx\x2026", shown) << "line breaks and tabs read as spaces";
    EXPECT_EQ(lines, CellWholeText(rows.Cell(0, 4)));
}

TEST(RowsAsText, HeaderAndQuotedFieldsKeepRowsRows)
{
    ResultRows rows(2);
    const std::vector<std::wstring> cells = {L"a\tb", L"say \"hi\"", L"one\ntwo", L"plain"};
    for (const std::wstring& cell : cells) rows.AddText(cell.data(), cell.size());
    rows.AddNull();
    rows.AddText(L"x", 1);
    EXPECT_EQ(L"c1\t\"c\"\"2\"\"\"\r\n\"a\tb\"\t\"say \"\"hi\"\"\"\r\n\tx\r\n", RowsAsTabText(rows, {L"c1", L"c\"2\""}, {0, 2}, true));
    EXPECT_EQ(L"\"one\ntwo\"\tplain\r\n", RowsAsTabText(rows, {L"c1", L"c2"}, {1}, false));
}

TEST(ConnectionText, PasswordsAreLeftOutAndAskedFor)
{
    const std::wstring typed = L"DRIVER={PostgreSQL Unicode};Server=localhost;UID=me;pwd={a;b}};Port=5432";
    EXPECT_EQ(L"DRIVER={PostgreSQL Unicode};Server=localhost;UID=me;pwd=;Port=5432;", WithoutPassword(typed));
    EXPECT_EQ(L"a;b}", PasswordIn(L"UID=me;Password={a;b}}"));
    EXPECT_FALSE(NeedsPassword(typed));
    EXPECT_TRUE(NeedsPassword(WithoutPassword(typed)));
    EXPECT_EQ(L"UID=me;PWD={x;y};", WithPassword(L"UID=me;PWD=;", L"x;y"));
    EXPECT_EQ(L"UID=me;PWD=plain;", WithPassword(L"UID=me;PWD=;", L"plain"));
    EXPECT_EQ(L"Sales", WithoutPassword(L"Sales")) << "a data source name is kept as it is";
    EXPECT_EQ(L"DSN=Sales;", ConnectionStringOf(L" Sales "));
    EXPECT_EQ(L"", PasswordIn(L"Sales"));
}

TEST(RunStatus, CountsAndTimesRead)
{
    EXPECT_EQ(L"1,000+ rows", RowCountText(1000, true));
    EXPECT_EQ(L"1 row", RowCountText(1, false));
    EXPECT_EQ(L"1,234,567 rows", RowCountText(1234567, false));
    EXPECT_EQ(L"0.25 s", SecondsText(0.25));
    EXPECT_EQ(L"2 min 05 s", SecondsText(125.2));
    StatementOutcome changed;
    changed.number = 2;
    changed.affected = 1;
    changed.seconds = 0.5;
    EXPECT_EQ(L"Statement 2: 1 row affected, 0.50 s", OutcomeText(changed));
}

} // namespace
