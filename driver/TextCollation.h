// Access compares and orders text without regard to case. The file declares
// only SQLite's own collations, so the statements that read, compare or
// change rows name the driver's collation themselves: every reference to a
// text column in a condition (WHERE, ON, HAVING, a SET value, a function's
// arguments there) and every ORDER BY or GROUP BY term that is a text
// column, an alias or a column number gets "COLLATE <collation>" after it;
// so do text columns inside select-list expressions that end in ')' or
// carry an alias (max(name) ...), which get their own text as alias so that
// the column keeps its name. Left as written: plain columns of the select
// list (their names and declared types stay), other select-list items (a
// trailing word there may be an alias without AS; DISTINCT on a plain
// column compares as the file declares, NOCASE), column lists of INSERT,
// USING and ON CONFLICT, SET targets, table names, and any term that names
// a collation itself.
// Portable.
#pragma once

#include "SchemaColumns.h"
#include "SqlTokens.h"

#include <string>
#include <vector>

// `tokens` are TokenizeSql(sql); `collation` the registered collation's name.
std::string CollateTextColumns(const std::string& sql, const std::vector<SqlToken>& tokens, const SchemaColumns& columns,
                               const char* collation);
