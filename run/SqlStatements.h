// The text the user runs, cut into the statements that go to the data
// source one by one, and what the dialog says and asks about each. Portable.
#pragma once

#include <string>
#include <vector>

// One statement of a script (the store's SqlStatement is a statement text
// with its parameters: a different thing under a different name).
struct ScriptStatement {
    std::wstring text;   // trimmed of blanks at both ends
    int number;          // counts from 1, over the statements that run
};

// Splits at ';' outside string constants, quoted names, comments and
// dollar-quoted bodies, and at every line that holds only GO. Statements
// holding only blanks and comments are dropped.
std::vector<ScriptStatement> SplitSqlStatements(const std::wstring& text);

// The first line that is not blank, trimmed.
std::wstring FirstLineOf(const std::wstring& statement);

// True unless the statement only reads: it starts (after blanks, comments and
// opening parentheses) with SELECT, WITH, VALUES, SHOW, EXPLAIN or DESCRIBE,
// and holds no keyword that writes (SELECT ... INTO, a WITH whose part
// deletes, EXPLAIN ANALYZE of an UPDATE, ...).
bool MayChangeData(const std::wstring& statement);
