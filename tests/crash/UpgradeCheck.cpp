// CheckUpgradedNoteFile: the independent reader of a killed upgrade.
#include "tests/crash/UpgradeCheck.h"

#include "tests/driver/OldFormatNoteFile.h"

#include <sqlite3.h>

namespace {

class RawFile {
public:
    RawFile(const std::string& path, int flags, bool general)
    {
        if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) == SQLITE_OK && general) oldformat::RegisterGeneralCollation(m_db);
    }
    ~RawFile() { sqlite3_close(m_db); }
    RawFile(const RawFile&) = delete;
    RawFile& operator=(const RawFile&) = delete;

    // Each row's columns joined with a unit separator; `ok` false on failure.
    std::vector<std::string> Rows(const char* sql, bool& ok) const
    {
        std::vector<std::string> rows;
        sqlite3_stmt* statement = nullptr;
        int rc = sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr);
        while (rc == SQLITE_OK || rc == SQLITE_ROW) {
            if ((rc = sqlite3_step(statement)) != SQLITE_ROW) break;
            std::string row;
            for (int c = 0; c < sqlite3_column_count(statement); ++c) {
                const unsigned char* text = sqlite3_column_text(statement, c);
                row += (c ? "\x1f" : "") + std::string(text ? reinterpret_cast<const char*>(text) : "\x1e");
            }
            rows.push_back(row);
        }
        if (rc != SQLITE_DONE) {
            ok = false;
            m_error = std::string(sql) + ": " + sqlite3_errmsg(m_db);
        }
        sqlite3_finalize(statement);
        return rows;
    }
    const std::string& Error() const { return m_error; }

private:
    sqlite3* m_db = nullptr;  // owned
    mutable std::string m_error;
};

const char* const kContent[] = {"SELECT id, groupId, name, comments, query FROM notes ORDER BY id",
                                "SELECT id, groupName, groupDescription FROM groups ORDER BY id", "SELECT tag FROM tags ORDER BY tag COLLATE BINARY"};
const char kGeneralCount[] = "SELECT count(*) FROM sqlite_master WHERE instr(upper(sql), 'COLLATE GENERAL')";

} // namespace

NoteCheckResult CheckUpgradedNoteFile(const std::string& databasePath, const std::string& templatePath)
{
    NoteCheckResult result;
    const auto fail = [&result](const std::string& what) { result.faults.push_back(what); };
    bool ok = true;
    // Read-write, as any reader of a killed writer's file: a hot journal is rolled back first.
    RawFile file(databasePath, SQLITE_OPEN_READWRITE, true);
    RawFile original(templatePath, SQLITE_OPEN_READONLY, true);
    if (file.Rows("PRAGMA integrity_check", ok) != std::vector<std::string>{"ok"}) fail("integrity_check did not say ok");
    const std::vector<std::string> general = file.Rows(kGeneralCount, ok);
    const std::vector<std::string> generalBefore = original.Rows(kGeneralCount, ok);
    const bool upgraded = general == std::vector<std::string>{"0"};
    if (!upgraded && general != generalBefore) fail("the schema is partly upgraded");
    if (generalBefore == std::vector<std::string>{"0"}) fail("the template is not a file of an earlier build");
    for (const char* sql : kContent) {
        if (file.Rows(sql, ok) != original.Rows(sql, ok)) fail(std::string("the rows of \"") + sql + "\" changed");
    }
    if (upgraded) {
        RawFile plain(databasePath, SQLITE_OPEN_READONLY, false);
        bool plainOk = true;
        const size_t sorted = plain.Rows("SELECT name FROM notes ORDER BY name", plainOk).size();
        if (!plainOk) fail("plain SQLite cannot sort the upgraded file: " + plain.Error());
        if (sorted != file.Rows(kContent[0], ok).size()) fail("plain SQLite did not hand over every note");
    }
    if (!ok) fail("SQLite failed: " + (file.Error().empty() ? original.Error() : file.Error()));
    result.summary = std::string("schema ") + (upgraded ? "upgraded" : "old") + ", template notes, groups and tags intact";
    return result;
}
