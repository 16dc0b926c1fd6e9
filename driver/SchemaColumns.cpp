// SchemaColumns: the column names of a file, read with table_info.
#include "SchemaColumns.h"

#include "AccessDdl.h"

#include <sqlite3.h>

#include <cctype>
#include <vector>

namespace {

std::string Lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string ColumnText(sqlite3_stmt* statement, int column)
{
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text ? reinterpret_cast<const char*>(text) : std::string();
}

} // namespace

void SchemaColumns::Add(const std::string& name, bool isText)
{
    bool& text = m_columns[Lower(name)];
    text = text || isText;
}

SchemaColumns::Kind SchemaColumns::Find(const std::string& name) const
{
    const auto found = m_columns.find(Lower(name));
    if (found == m_columns.end()) return Kind::Unknown;
    return found->second ? Kind::Text : Kind::Other;
}

void SchemaColumns::AddToTable(const std::string& table, const std::string& name, const std::string& declaredType)
{
    Add(name, IsTextColumnType(declaredType));
    m_tables[Lower(table)].push_back({name, DeclaredTextLength(declaredType)});
}

const std::vector<SchemaColumns::TableColumn>* SchemaColumns::TableColumns(const std::string& table) const
{
    const auto found = m_tables.find(Lower(table));
    return found == m_tables.end() ? nullptr : &found->second;
}

void SchemaColumns::Forget()
{
    m_columns.clear();
    m_tables.clear();
    m_schemaVersion = -1;
}

bool SchemaColumns::Refresh(sqlite3* db)
{
    sqlite3_stmt* statement = nullptr;
    long long version = -1;
    if (sqlite3_prepare_v2(db, "PRAGMA schema_version", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        version = sqlite3_column_int64(statement, 0);
    }
    sqlite3_finalize(statement);
    if (version < 0 || version == m_schemaVersion) return false;

    // Each table and view on its own: one broken view must not hide the rest.
    std::vector<std::string> tables;
    if (sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type IN ('table','view')", -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) tables.push_back(ColumnText(statement, 0));
    }
    sqlite3_finalize(statement);
    m_columns.clear();
    m_tables.clear();
    for (const std::string& table : tables) {
        if (sqlite3_prepare_v2(db, "SELECT name, type FROM pragma_table_info(?1)", -1, &statement, nullptr) != SQLITE_OK) continue;
        sqlite3_bind_text(statement, 1, table.c_str(), -1, SQLITE_TRANSIENT);
        while (sqlite3_step(statement) == SQLITE_ROW) AddToTable(table, ColumnText(statement, 0), ColumnText(statement, 1));
        sqlite3_finalize(statement);
    }
    m_schemaVersion = version;
    return true;
}
