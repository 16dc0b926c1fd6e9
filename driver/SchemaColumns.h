// The column names of an open database file and whether each holds text,
// and each table's columns in order with the length of the text they hold,
// read from its schema and read again whenever the schema changes. The
// statement translation uses them to tell text columns from the rest, and
// to cut text to its column's length where Windows' limits say so.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;

class SchemaColumns {
public:
    enum class Kind { Unknown, Text, Other };
    struct TableColumn {
        std::string name;
        long long maxLength;  // characters a text column of limited length holds; 0 for any other column
    };

    // Adds a column; a name that is text in any table counts as text.
    void Add(const std::string& name, bool isText);
    // Names compare without regard to ASCII case, as SQLite's do.
    Kind Find(const std::string& name) const;
    bool Empty() const { return m_columns.empty(); }
    // Adds a column to the end of `table`'s columns (and to the names above).
    void AddToTable(const std::string& table, const std::string& name, const std::string& declaredType);
    // The columns of `table` in their order, or nullptr for a table it does not know.
    const std::vector<TableColumn>* TableColumns(const std::string& table) const;

    // Reads the columns of every table and view of `db` when its schema
    // changed since the last call (PRAGMA schema_version); true when read.
    bool Refresh(sqlite3* db);
    void Forget();

private:
    std::unordered_map<std::string, bool> m_columns;  // lower-case name -> holds text
    std::unordered_map<std::string, std::vector<TableColumn>> m_tables;  // lower-case table name -> its columns
    long long m_schemaVersion = -1;
};
