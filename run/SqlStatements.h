// Splitting a script into statements.
#pragma once

#include <string>
#include <vector>

struct SqlStatement {
    std::wstring text;
    int number;
};
std::vector<SqlStatement> SplitSqlStatements(const std::wstring& text);
std::wstring FirstLineOf(const std::wstring& statement);
bool MayChangeData(const std::wstring& statement);
