// UpgradeNoteFile: the schema's GENERAL collations become NOCASE through
// SQLite's writable schema, then the indexes on the changed tables are
// rebuilt in the new order and the file is checked, all before the commit.
#include "NoteFileUpgrade.h"

#include "AccessDdl.h"

#include <sqlite3.h>

#include <cstdlib>
#include <set>
#include <vector>

namespace {

struct SchemaEntry {
    std::string type, name, table, sql;
};

std::string ColumnText(sqlite3_stmt* statement, int column)
{
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text ? reinterpret_cast<const char*>(text) : std::string();
}

// The schema entries that name GENERAL.
bool ReadEntriesToUpgrade(sqlite3* db, std::vector<SchemaEntry>& entries)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT type, name, tbl_name, sql FROM sqlite_master WHERE sql IS NOT NULL", -1, &statement, nullptr) !=
        SQLITE_OK) {
        return false;
    }
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        SchemaEntry entry{ColumnText(statement, 0), ColumnText(statement, 1), ColumnText(statement, 2), ColumnText(statement, 3)};
        if (WithFileTextCollation(entry.sql) != entry.sql) entries.push_back(entry);
    }
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE;
}

std::string QuotedName(const std::string& name)
{
    std::string out = "\"";
    for (char c : name) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

class Upgrade {
public:
    explicit Upgrade(sqlite3* db) : m_db(db) {}

    bool Run(const std::vector<SchemaEntry>& entries)
    {
        long long version = 0;
        if (!Single("PRAGMA schema_version", version)) return false;
        if (!Exec("PRAGMA writable_schema=ON")) return false;
        std::set<std::string> tables;
        for (const SchemaEntry& entry : entries) {
            if (!Rewrite(entry)) return false;
            if (entry.type == "table" || entry.type == "index") tables.insert(entry.table);
        }
        // The new schema version makes every connection read the schema
        // again; RESET does it for this one, inside the transaction.
        if (!Exec("PRAGMA schema_version=" + std::to_string(version + 1)) || !Exec("PRAGMA writable_schema=RESET")) return false;
        for (const std::string& table : tables) {
            if (!Exec("REINDEX " + QuotedName(table))) return false;
        }
        std::string verdict;
        if (!Text("PRAGMA integrity_check", verdict)) return false;
        if (verdict != "ok") {
            m_failure = "the upgraded file failed its integrity check (" + verdict + ")";
            return false;
        }
        return true;
    }

    bool Exec(const std::string& sql)
    {
        char* message = nullptr;
        const int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message);
        if (rc != SQLITE_OK) m_failure = sql + ": " + (message ? message : sqlite3_errstr(rc));
        sqlite3_free(message);
        return rc == SQLITE_OK;
    }
    const std::string& Failure() const { return m_failure; }

private:
    bool Rewrite(const SchemaEntry& entry)
    {
        sqlite3_stmt* statement = nullptr;
        int rc = sqlite3_prepare_v2(m_db, "UPDATE sqlite_master SET sql=?1 WHERE type=?2 AND name=?3", -1, &statement, nullptr);
        if (rc == SQLITE_OK) {
            const std::string sql = WithFileTextCollation(entry.sql);
            sqlite3_bind_text(statement, 1, sql.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(statement, 2, entry.type.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(statement, 3, entry.name.c_str(), -1, SQLITE_TRANSIENT);
            rc = sqlite3_step(statement);
        }
        sqlite3_finalize(statement);
        if (rc != SQLITE_DONE) m_failure = "rewriting the schema of " + QuotedName(entry.name) + ": " + sqlite3_errmsg(m_db);
        return rc == SQLITE_DONE;
    }

    bool Text(const char* sql, std::string& value)
    {
        sqlite3_stmt* statement = nullptr;
        int rc = sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr);
        if (rc == SQLITE_OK) rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW) value = ColumnText(statement, 0);
        sqlite3_finalize(statement);
        if (rc != SQLITE_ROW) m_failure = std::string(sql) + ": " + sqlite3_errmsg(m_db);
        return rc == SQLITE_ROW;
    }

    bool Single(const char* sql, long long& value)
    {
        std::string text;
        if (!Text(sql, text)) return false;
        value = std::atoll(text.c_str());
        return true;
    }

    sqlite3* m_db;
    std::string m_failure;
};

} // namespace

bool SchemaNamesGeneralCollation(sqlite3* db)
{
    std::vector<SchemaEntry> entries;
    return ReadEntriesToUpgrade(db, entries) && !entries.empty();
}

UpgradeResult UpgradeNoteFile(sqlite3* db, int busyTimeoutMs, std::string& failure)
{
    // A cheap look first: most files need nothing, and looking takes no write lock.
    if (!SchemaNamesGeneralCollation(db)) return UpgradeResult::NotNeeded;
    sqlite3_busy_timeout(db, busyTimeoutMs);
    Upgrade upgrade(db);
    std::vector<SchemaEntry> entries;
    bool ok = upgrade.Exec("BEGIN IMMEDIATE");
    if (ok && !ReadEntriesToUpgrade(db, entries)) {
        failure = std::string("reading the schema: ") + sqlite3_errmsg(db);
        ok = false;
    }
    if (ok && entries.empty()) {
        upgrade.Exec("ROLLBACK");  // another connection upgraded it meanwhile
        return UpgradeResult::NotNeeded;
    }
    ok = ok && upgrade.Run(entries) && upgrade.Exec("COMMIT");
    if (ok) return UpgradeResult::Upgraded;
    if (failure.empty()) failure = upgrade.Failure();
    if (!sqlite3_get_autocommit(db)) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    // The schema this connection holds must be the file's again.
    sqlite3_exec(db, "PRAGMA writable_schema=RESET", nullptr, nullptr, nullptr);
    return UpgradeResult::Failed;
}
