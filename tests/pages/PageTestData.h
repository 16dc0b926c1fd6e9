// What the page tests type into the dialog, shared by the Wine tests that
// type it and the native check that reads the saved files with SQLite.
// Portable: UTF-16 literals only.
#pragma once

#include <string>

namespace pagedata {

// Groups page.
inline const char16_t* const kSales = u"Sales";
inline const char16_t* const kSalesLower = u"sales";
inline const char16_t* const kSalesDescription = u"Monthly figures";
inline const char16_t* const kSalesRenamedDescription = u"Renamed";
inline const char16_t* const kAccounts = u"Accounts";
inline const char16_t* const kAccountsDescription = u"Ledger queries";
inline const char16_t* const kNoteInSales = u"Sales by region";
inline const char16_t* const kNoteInSalesQuery = u"SELECT region, SUM(total) FROM sales GROUP BY region";

// Edit page.
inline const char16_t* const kReports = u"Reports";
inline const char16_t* const kDailyTitleTyped = u"  Daily totals  ";
inline const char16_t* const kDailyTitle = u"Daily totals";
inline const char16_t* const kDailyQuery = u"SELECT day, SUM(total) FROM orders GROUP BY day";
inline const char16_t* const kDailyComments = u"per day";
inline const char16_t* const kWeeklyTitle = u"Weekly";
inline const char16_t* const kWeeklyQuery = u"SELECT week, SUM(total) FROM orders GROUP BY week";

// Leaving and newer notes: what SaveNewNote types.
inline const char16_t* const kSavedComments = u"typed by the test's user";
inline const char16_t* const kDailySaved = u"SELECT 'Daily totals'";
inline const char16_t* const kWeeklySaved = u"SELECT 'Weekly'";

// View page.
inline const char16_t* const kMultiLineQuery = u"SELECT *\r\nFROM orders\r\nWHERE total > 100";
inline const char16_t* const kSingleQuery = u"SELECT 1";

// Bad input.
inline const char16_t* const kQuotedGroup = u"Editor's picks | [dbo]";
inline const char16_t* const kQuotedGroupDescription = u"Sam's group | #temp \u6f22\u5b57 \U0001F600";
inline const char16_t* const kQuotedTitle = u"Today's orders a|b";
inline const char16_t* const kQuotedComments = u"Bob's list * ? % _";
inline const char16_t* const kQuotedQuery = u"SELECT a || b FROM [dbo].[t] WHERE note = 'it''s' AND c = '|'";
inline const char16_t* const kKeptTitle = u"Kept";
inline const char16_t* const kKeptQuery = u"SELECT * FROM kept";
inline const char16_t* const kBigTitle = u"Big";

// A query of at least one megabyte: numbered lines of a UNION.
inline std::u16string BigQuery()
{
    std::u16string query;
    for (int line = 0; query.size() < 1048576; ++line) {
        const std::string text = "SELECT 'row " + std::to_string(line) + "' AS value UNION ALL\r\n";
        query.append(text.begin(), text.end());
    }
    query += u"SELECT 'end' AS value";
    return query;
}

// The journey: two groups and five notes, apostrophes and non-Latin text.
inline const char16_t* const kJourneyGroups[2] = {u"Reports", u"Отчёты"};
inline const char16_t* const kJourneyGroupDescriptions[2] = {u"Monthly reports", u"Русские запросы"};
struct JourneyNote {
    const char16_t* title;
    const char16_t* comments;
    const char16_t* query;
    int group;  // index into kJourneyGroups, -1 for none
};
inline const JourneyNote kJourneyNotes[5] = {
    {u"Today's sales", u"Bob's favourite", u"SELECT * FROM sales WHERE seller = 'O''Brien'", 0},
    {u"Продажи за месяц", u"Сводка по месяцам", u"SELECT month, SUM(total) FROM продажи GROUP BY month", 1},
    {u"顧客一覧", u"全ての顧客", u"SELECT * FROM customers", 0},
    {u"Ελληνικά", u"It's Greek", u"SELECT 'αβγ' AS letters", 1},
    {u"Loose note", u"", u"SELECT 42", -1},
};
// The journey edits note 3's comments and deletes note 4.
inline const char16_t* const kJourneyEditedComments = u"It's Greek to me";

} // namespace pagedata
