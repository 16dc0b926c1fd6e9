// RawNoteFile: rows of a note file read with SQLite directly.
#include "tests/crash/RawNoteFile.h"

#include "tests/driver/OldFormatNoteFile.h"

#include <sqlite3.h>

RawNoteFile::RawNoteFile(const std::string& path, int flags, bool general)
{
    if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) == SQLITE_OK && general) oldformat::RegisterGeneralCollation(m_db);
}

RawNoteFile::~RawNoteFile() { sqlite3_close(m_db); }

std::vector<RawNoteFile::Row> RawNoteFile::Rows(const char* sql, bool& ok) const
{
    std::vector<Row> rows;
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr);
    while (rc == SQLITE_OK || rc == SQLITE_ROW) {
        if ((rc = sqlite3_step(statement)) != SQLITE_ROW) break;
        Row row;
        for (int c = 0; c < sqlite3_column_count(statement); ++c) {
            const auto* text = sqlite3_column_text(statement, c);
            if (text) row.emplace_back(std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(sqlite3_column_bytes(statement, c))));
            else row.emplace_back(std::nullopt);
        }
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        ok = false;
        m_error = std::string(sql) + ": " + sqlite3_errmsg(m_db);
    }
    sqlite3_finalize(statement);
    return rows;
}
