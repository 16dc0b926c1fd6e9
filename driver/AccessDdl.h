// Translation of Access SQL to SQLite. CREATE TABLE and ALTER TABLE ADD keep
// the declared type names, and each column gets what Access enforces for its
// type: a range check for SMALLINT/INTEGER/BYTE, a length check for
// VARCHAR(n)/TEXT(n), and for text columns SQLite's built-in NOCASE, so that
// the schema reads in any SQLite program. Statements that read or change
// rows get the General collation on their text columns (TextCollation.h).
// Other statements pass through unchanged. Portable.
#pragma once

#include "SchemaColumns.h"

#include <string>

// The collation that the driver registers on every connection.
extern const char* const kGeneralCollation;
// The collation that new schemas declare for text columns: SQLite's own.
extern const char* const kFileTextCollation;

// Returns the statement SQLite should run for `sql` (UTF-8); `columns` are
// the file's columns, which tell text columns from others.
std::string TranslateAccessSql(const std::string& sql, const SchemaColumns& columns);
// The same for a file with no tables yet (DDL).
std::string TranslateAccessSql(const std::string& sql);

// `sql` (any statement) with every "COLLATE GENERAL" clause made "COLLATE
// NOCASE"; quoted names and texts that merely read so are kept.
std::string WithFileTextCollation(const std::string& sql);

enum class AccessType { SmallInt, Integer, Byte, Text, LongText, Other };
// The Access type of a declared type's first word (VARCHAR, MEMO, SHORT ...).
AccessType ClassifyAccessType(const std::string& typeWord);
// Whether a column of this declared type holds text ("VARCHAR(255)", "LONGTEXT", "TEXT" ...).
bool IsTextColumnType(const std::string& declaredType);
// The characters a column of this declared type holds when it is text of
// limited length, as its CHECK enforces ("VARCHAR(80)" -> 80, "TEXT" -> 255); 0 otherwise.
long long DeclaredTextLength(const std::string& declaredType);

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
