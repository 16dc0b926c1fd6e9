// RunPlainSqliteStory: each step through sqlite3_exec/prepare on a connection
// that registers nothing.
#include "tests/driver/PlainSqliteStory.h"

#include <sqlite3.h>

#include <cctype>

namespace {

class PlainFile {
public:
    explicit PlainFile(const std::string& path)
    {
        if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) Fault("open: " + Message());
    }
    ~PlainFile() { sqlite3_close(m_db); }
    PlainFile(const PlainFile&) = delete;
    PlainFile& operator=(const PlainFile&) = delete;

    // The first column of every row; a failure is a fault.
    std::vector<std::string> Rows(const std::string& sql)
    {
        std::vector<std::string> rows;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            Fault(sql + ": " + Message());
            return rows;
        }
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            const unsigned char* text = sqlite3_column_text(statement, 0);
            rows.push_back(text ? reinterpret_cast<const char*>(text) : "<NULL>");
        }
        if (rc != SQLITE_DONE) Fault(sql + ": " + Message());
        sqlite3_finalize(statement);
        return rows;
    }
    // Runs a change; returns the rows it changed, -1 on failure.
    int Change(const std::string& sql, bool mustSucceed = true)
    {
        if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            if (mustSucceed) Fault(sql + ": " + Message());
            return -1;
        }
        return sqlite3_changes(m_db);
    }
    void Fault(const std::string& what) { m_faults.push_back(what); }
    std::string Message() const { return m_db ? sqlite3_errmsg(m_db) : "no connection"; }
    const std::vector<std::string>& Faults() const { return m_faults; }

private:
    sqlite3* m_db = nullptr;  // owned
    std::vector<std::string> m_faults;
};

std::string Lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Upper(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

std::vector<std::string> RunPlainSqliteStory(const std::string& path, const std::string& searchWord)
{
    PlainFile file(path);
    if (!file.Faults().empty()) return file.Faults();
    if (file.Rows("PRAGMA integrity_check") != std::vector<std::string>{"ok"}) file.Fault("integrity_check did not say ok");
    for (const std::string& sql : file.Rows("SELECT sql FROM sqlite_master WHERE sql IS NOT NULL")) {
        if (Upper(sql).find("GENERAL") != std::string::npos) file.Fault("the schema names GENERAL: " + sql);
    }

    // The catalogue as the module reads it; names within a group in order, whatever their case.
    const std::vector<std::string> count = file.Rows("SELECT count(*) FROM notes");
    file.Rows("SELECT id,groupName FROM groups ORDER BY groupName");
    const std::vector<std::string> catalogue = file.Rows(
        "SELECT notes.name FROM groups,notes WHERE notes.groupId=groups.id AND notes.groupId=0 ORDER BY notes.groupId,notes.name");
    for (size_t i = 1; i < catalogue.size(); ++i) {
        if (sqlite3_stricmp(catalogue[i - 1].c_str(), catalogue[i].c_str()) > 0) {
            file.Fault("catalogue order: '" + catalogue[i - 1] + "' before '" + catalogue[i] + "'");
        }
    }
    if (file.Rows("SELECT name FROM notes ORDER BY name").size() != (count.empty() ? 0 : std::stoul(count[0]))) {
        file.Fault("ORDER BY name did not hand over every note");
    }

    // A search as the Find box makes it, and the same with an equality.
    const std::vector<std::string> found = file.Rows("SELECT notes.name FROM groups, notes WHERE notes.groupId=groups.id AND "
                                                     "(notes.name LIKE '%" + Upper(searchWord) + "%') ORDER BY notes.groupId, notes.name;");
    if (found.empty()) file.Fault("the search for '" + Upper(searchWord) + "' found nothing");
    for (const std::string& name : found) {
        if (Lower(name).find(Lower(searchWord)) == std::string::npos) file.Fault("the search found '" + name + "'");
    }

    // A note added, changed and deleted by its name in other letter cases.
    const std::string note = "Plain SQLite " + searchWord;
    if (file.Change("INSERT INTO notes(id,groupId,name,comments,query) VALUES((SELECT min(id)+1 FROM notes WHERE id<32767 AND "
                    "id+1 NOT IN (SELECT id FROM notes)),0,'" + note +
                    "','added by sqlite3','SELECT 1')") != 1) {
        file.Fault("the insert did not add one note");
    }
    if (file.Change("UPDATE notes SET comments='changed' WHERE name='" + Lower(note) + "'") != 1) file.Fault("the update by name did not change one note");
    if (file.Rows("SELECT comments FROM notes WHERE name='" + Upper(note) + "'") != std::vector<std::string>{"changed"}) {
        file.Fault("the changed note does not read back");
    }
    if (file.Change("DELETE FROM notes WHERE name='" + Upper(note) + "'") != 1) file.Fault("the delete by name did not delete one note");
    if (file.Rows("SELECT count(*) FROM notes") != count) file.Fault("the note count changed");
    // The file's rules hold in any program too.
    if (file.Change("INSERT INTO notes VALUES(32768,0,'too big','','q')", false) != -1) file.Fault("id 32768 was accepted");
    return file.Faults();
}
