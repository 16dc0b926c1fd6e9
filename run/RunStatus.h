// The texts of the Results page's status line: row counts ("1 row",
// "1,000+ rows" while more are to come), times, and a statement's outcome.
#pragma once

#include <cstddef>
#include <string>

// 1234567 -> "1,234,567".
std::wstring GroupedNumber(unsigned long long number);
// "1 row", "25 rows", "1,000+ rows" when `more` are still to be read.
std::wstring RowCountText(std::size_t rows, bool more);
// "0.25 s", "12.3 s", "2 min 05 s".
std::wstring SecondsText(double seconds);

// What one statement of a run did.
struct StatementOutcome {
    int number = 0;
    bool returnsRows = false;
    std::size_t rows = 0;        // read so far, when it returns rows
    bool moreRows = false;       // rows still to be read
    long long affected = -1;     // rows changed, when it returns none (-1: unknown)
    double seconds = 0;
};
// "Statement 2: 3 rows affected, 0.01 s".
std::wstring OutcomeText(const StatementOutcome& outcome);
