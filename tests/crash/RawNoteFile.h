// RawNoteFile: a note database opened with SQLite alone, none of the ODBC
// stack that wrote it, as the crash checks read a killed writer's file.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct sqlite3;

class RawNoteFile {
public:
    // A row's columns as text; a NULL column has no value.
    using Row = std::vector<std::optional<std::string>>;

    // `general`: with the General collation that note files name, as the driver has it.
    RawNoteFile(const std::string& path, int flags, bool general = true);
    ~RawNoteFile();
    RawNoteFile(const RawNoteFile&) = delete;
    RawNoteFile& operator=(const RawNoteFile&) = delete;

    // Every row of `sql`; `ok` turns false on any SQLite failure (see Error).
    std::vector<Row> Rows(const char* sql, bool& ok) const;
    // The last failure of Rows: the statement and SQLite's message.
    const std::string& Error() const { return m_error; }

private:
    sqlite3* m_db = nullptr;  // owned
    mutable std::string m_error;
};
