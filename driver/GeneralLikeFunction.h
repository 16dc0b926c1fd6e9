// The note database's SQL functions over SQLite's UTF-8 text: like(pattern,
// text [, escape]) as SQLite calls it for "text LIKE pattern", and the
// General collation's comparison. Each pattern is compiled once per
// statement (kept with the pattern argument) and matched without allocating.
#pragma once

struct sqlite3_context;
struct sqlite3_value;

// Register with SQLITE_UTF8 | SQLITE_DETERMINISTIC for 2 and 3 arguments;
// with &kLikeComparesWindowsLength as user data, only the first 255
// characters of the text are compared, as Windows' Access driver does.
extern const int kLikeComparesWindowsLength;
void GeneralLikeFunction(sqlite3_context* context, int argc, sqlite3_value** argv);
// Register with SQLITE_UTF8 as the General collation.
int GeneralCollationFunction(void*, int aBytes, const void* a, int bBytes, const void* b);
