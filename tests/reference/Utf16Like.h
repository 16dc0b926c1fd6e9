// A LIKE over UTF-16 text: the pattern split into literal, one-character and
// any-run elements, every code point folded with FoldCase, then matched
// greedily with backtracking to the last '%'. Simple and slow (it folds the
// whole text into a vector per call); the tests, the fuzz target and the
// bench compare the driver's LIKE with it, as SQLite calls it after turning
// UTF-8 into UTF-16.
#pragma once

#include <cstddef>

struct sqlite3;

// '%' matches any run of characters, '_' exactly one character (a surrogate
// pair is one character); `escape` (0 for none, compared folded) makes the
// next pattern character literal. Letters match without regard to case.
bool Utf16Like(const char16_t* pattern, size_t patternLength, const char16_t* text, size_t textLength, char32_t escape);

// Registers Utf16Like as like(pattern, text [, escape]) on `db` (SQLITE_UTF16,
// so SQLite converts every value to UTF-16 first). SQLITE_OK on success.
int RegisterUtf16Like(sqlite3* db);
