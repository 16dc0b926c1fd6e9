// ReadOnlyNoteFile: rows of a note file as UTF-16 texts.
#include "tests/store/ReadOnlyNoteFile.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

ReadOnlyNoteFile::ReadOnlyNoteFile(const std::string& path)
{
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
    }
}

ReadOnlyNoteFile::~ReadOnlyNoteFile() { sqlite3_close(m_db); }

bool ReadOnlyNoteFile::IsReadable() const
{
    return m_db && sqlite3_exec(m_db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) == SQLITE_OK;
}

ReadOnlyNoteFile::Rows ReadOnlyNoteFile::Query(const std::string& sql) const
{
    Rows rows;
    if (!m_db) return rows;
    sqlite3_stmt* s = nullptr;
    EXPECT_EQ(SQLITE_OK, sqlite3_prepare_v2(m_db, sql.c_str(), -1, &s, nullptr)) << sqlite3_errmsg(m_db) << " in " << sql;
    while (s && sqlite3_step(s) == SQLITE_ROW) {
        Row row;
        for (int i = 0; i < sqlite3_column_count(s); ++i) {
            if (sqlite3_column_type(s, i) == SQLITE_NULL) {
                row.push_back(u"<NULL>");
                continue;
            }
            const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(s, i));
            row.emplace_back(text, static_cast<size_t>(sqlite3_column_bytes16(s, i)) / 2);
        }
        rows.push_back(row);
    }
    sqlite3_finalize(s);
    return rows;
}
