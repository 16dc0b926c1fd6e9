// ReadOnlyNoteFile: a note database file the Wine tests wrote, opened
// read-only with SQLite directly (no driver, nothing of ours registered), for
// the native checks that compare its rows with what was written.
#pragma once

#include <string>
#include <vector>

struct sqlite3;

class ReadOnlyNoteFile {
public:
    using Row = std::vector<std::u16string>;
    using Rows = std::vector<Row>;

    explicit ReadOnlyNoteFile(const std::string& path);
    ~ReadOnlyNoteFile();
    ReadOnlyNoteFile(const ReadOnlyNoteFile&) = delete;
    ReadOnlyNoteFile& operator=(const ReadOnlyNoteFile&) = delete;

    // The file opened and SQLite reads it as a database.
    bool IsReadable() const;
    // Every row of `sql`, each column as UTF-16 text ("<NULL>" for NULL);
    // a statement SQLite refuses is a test failure.
    Rows Query(const std::string& sql) const;

private:
    sqlite3* m_db = nullptr;  // owned
};
