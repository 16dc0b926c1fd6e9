// Translation of Access DDL to SQLite: column types keep their declared names,
// and each column gets what Access enforces for its type: a range check for
// SMALLINT/INTEGER/BYTE, a length check for VARCHAR(n)/TEXT(n) and the General
// collation for every text column. Other statements pass through unchanged.
// Portable.
#pragma once

#include <string>

// The collation that the driver registers on every connection.
extern const char* const kGeneralCollation;

// Returns the statement SQLite should run for `sql` (UTF-8).
std::string TranslateAccessSql(const std::string& sql);

// What a failed CHECK named by the translation guarded, parsed back from
// SQLite's message "CHECK constraint failed: <name>".
struct TypeCheckFailure {
    bool isLength = false;  // VARCHAR(n) length, else a number range
    std::string column;     // table.column
    long long limitLow = 0; // range low, or 0 for lengths
    long long limitHigh = 0;// range high, or the maximum length
    std::string typeName;   // SMALLINT, INTEGER, BYTE, VARCHAR(255) ...
};
bool ParseTypeCheckFailure(const std::string& sqliteMessage, TypeCheckFailure& failure);

// The verb (upper-case: INSERT, UPDATE, DELETE, SELECT, ...) of a statement
// and the table it changes (INSERT INTO t, UPDATE t, DELETE FROM t; empty otherwise).
std::string StatementVerb(const std::string& sql);
std::string StatementTargetTable(const std::string& sql);
