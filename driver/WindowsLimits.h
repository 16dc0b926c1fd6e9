// The documented limits of Windows' Access ODBC driver, which the driver
// keeps when its odbcinst.ini section says WindowsLimits=Yes, so that a
// statement that runs here also runs there: statements of at most 65,000
// characters; string constants in single quotes and without '|'; no ESCAPE
// in LIKE, which compares only a value's first 255 characters; none of
// SQLite's own forms (LIMIT, ||, INSERT OR, WITH, ...) and only the
// functions both engines have; too-long text cut to its column's length
// without a word. Portable.
#pragma once

#include "DriverError.h"
#include "SchemaColumns.h"

#include <cstddef>
#include <string>

constexpr size_t kWindowsMaxStatementLength = 65000;  // UTF-16 characters
constexpr size_t kWindowsLikeCompareLength = 255;      // UTF-16 characters

// Whether Windows' Access driver accepts the statement `sql` (UTF-8);
// otherwise false, with the limit it breaks in `error`.
bool CheckWindowsLimits(const std::string& sql, DriverError& error);

// `sql` with each value that an INSERT ... VALUES or an UPDATE ... SET gives
// a text column of limited length cut to that length (substr(value,1,n)),
// as Windows' driver cuts too-long text; other statements as they are.
std::string CutTextToColumnLengths(const std::string& sql, const SchemaColumns& columns);

// The length of UTF-8 text in UTF-16 characters, as the application sent it.
size_t Utf16Length(const unsigned char* text, size_t bytes);
// The bytes of `text` (UTF-8) that hold its first `limit` UTF-16 characters;
// a character that would straddle the limit is left out whole.
size_t BytesOfFirstCharacters(const unsigned char* text, size_t bytes, size_t limit);
