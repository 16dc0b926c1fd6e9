// Steps a prepared SQLite statement to its end and gives each row as its
// columns' text joined with '|', a NULL written as the caller's marker.
#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

// Finalizes `statement`; a null statement gives no rows.
inline std::vector<std::string> JoinedRows(sqlite3_stmt* statement, const char* nullText)
{
    std::vector<std::string> rows;
    while (statement && sqlite3_step(statement) == SQLITE_ROW) {
        std::string row;
        for (int column = 0; column < sqlite3_column_count(statement); ++column) {
            const unsigned char* text = sqlite3_column_text(statement, column);
            row += (column ? "|" : "") + std::string(text ? reinterpret_cast<const char*>(text) : nullText);
        }
        rows.push_back(row);
    }
    sqlite3_finalize(statement);
    return rows;
}
