// The column names of an open database file and whether each holds text,
// read from its schema and read again whenever the schema changes. The
// statement translation uses them to tell text columns from the rest.
#pragma once

#include <string>
#include <unordered_map>

struct sqlite3;

class SchemaColumns {
public:
    enum class Kind { Unknown, Text, Other };

    // Adds a column; a name that is text in any table counts as text.
    void Add(const std::string& name, bool isText);
    // Names compare without regard to ASCII case, as SQLite's do.
    Kind Find(const std::string& name) const;
    bool Empty() const { return m_columns.empty(); }

    // Reads the columns of every table and view of `db` when its schema
    // changed since the last call (PRAGMA schema_version); true when read.
    bool Refresh(sqlite3* db);
    void Forget();

private:
    std::unordered_map<std::string, bool> m_columns;  // lower-case name -> holds text
    long long m_schemaVersion = -1;
};
