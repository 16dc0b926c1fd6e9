// A query's blanks: which colons and dollars are blanks, how a value reaches
// the statement, and how a filled-in copy reads in another program.
#include "run/Placeholders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::wstring>;

PlaceholderValues Values(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> pairs)
{
    PlaceholderValues values;
    for (const auto& [name, value] : pairs) values.Set(name, value);
    return values;
}

TEST(FindPlaceholders, NamesEachBlankOnceInOrderOfFirstAppearanceWithoutRegardToCase)
{
    EXPECT_EQ(FindPlaceholders(L"SELECT * FROM ${Table} WHERE id = :id AND (owner = :Name OR buyer = :name)\n"
                               L"; SELECT :ID FROM ${table}"),
              (Names{L"Table", L"id", L"Name"}));
}

TEST(FindPlaceholders, CastsAssignmentsQuotesCommentsAndBareColonsAreNoBlanks)
{
    EXPECT_TRUE(FindPlaceholders(L"SELECT a::int, b :: text, 'x:y :z', \"c:d\", [e:f] -- :g\n"
                                 L"/* :h */ FROM t WHERE x := 1 AND y = :1 AND z = : w AND t = '12:30'")
                    .empty());
    EXPECT_TRUE(FindPlaceholders(L"DO $$ BEGIN v := :inside; END $$").empty());
    // Inside a constant a text blank still counts: users write LIKE '${prefix}%'.
    EXPECT_EQ(FindPlaceholders(L"SELECT * FROM t WHERE name LIKE '${prefix}%' -- ${note}"), (Names{L"prefix", L"note"}));
    EXPECT_TRUE(FindPlaceholders(L"SELECT '${}', '${1x}', '${a b}', '$${'").empty());
}

TEST(BindPlaceholders, ValuesBecomeParametersAndTextsArePlacedAsTyped)
{
    const BoundStatement bound = BindPlaceholders(L"SELECT * FROM ${table} WHERE id = :id OR name = :NAME OR alias = :name",
                                                  Values({{L"TABLE", L"customers"}, {L"id", L"1 OR 1=1"}, {L"name", L"O'Brien"}}));
    EXPECT_EQ(bound.text, L"SELECT * FROM customers WHERE id = ? OR name = ? OR alias = ?");
    EXPECT_EQ(bound.parameters, (Names{L"1 OR 1=1", L"O'Brien", L"O'Brien"}));
    // A value that looks like a blank is not read again.
    EXPECT_EQ(BindPlaceholders(L"SELECT ${a}, :b", Values({{L"a", L":b ${a}"}, {L"b", L"x"}})).text, L"SELECT :b ${a}, ?");
}

TEST(FillPlaceholders, ValuesBecomeLiteralsThatAnotherProgramReadsAsMeant)
{
    EXPECT_EQ(FillPlaceholders(L"SELECT * FROM ${t} WHERE a = :a AND b = :b AND c = :c AND d = :d AND e IN (:e)",
                               Values({{L"t", L"orders"}, {L"a", L"42"}, {L"b", L"O'Brien"}, {L"c", L"-1.5e3"},
                                       {L"d", L"007"}, {L"e", L"1 OR 1=1"}})),
              L"SELECT * FROM orders WHERE a = 42 AND b = 'O''Brien' AND c = -1.5e3 AND d = '007' AND e IN ('1 OR 1=1')");
    EXPECT_EQ(FillPlaceholders(L"SELECT :missing", PlaceholderValues()), L"SELECT :missing");
}

TEST(SqlLiteral, OnlyWhatReadsAsANumberGoesUnquoted)
{
    for (const wchar_t* number : {L"0", L"42", L"-7", L"+3", L"0.25", L"10.5", L"1e9", L"2.5E-3"})
        EXPECT_EQ(SqlLiteral(number), number);
    for (const wchar_t* text : {L"", L"-", L"1.", L".5", L"1e", L"00", L"12abc", L"1 2", L"2026-12-01", L"0x1F"})
        EXPECT_EQ(SqlLiteral(text), std::wstring(L"'") + text + L"'") << text;
}

} // namespace
