// oldformat::Write: the schema exactly as the earlier driver stored it.
#include "tests/driver/OldFormatNoteFile.h"

#include "GeneralText.h"

#include <sqlite3.h>

namespace oldformat {

namespace {

// The earlier driver's translation of the module's CREATE TABLE statements.
const char* const kOldSchema[] = {
    "CREATE TABLE groups (id SMALLINT NOT NULL CONSTRAINT \"QB SMALLINT groups.id\" CHECK(id IS NULL OR (typeof(id)='integer' AND id "
    "BETWEEN -32768 AND 32767)), groupName VARCHAR(255) NOT NULL COLLATE GENERAL CONSTRAINT \"QB VARCHAR(255) groups.groupName\" "
    "CHECK(length(groupName)<=255), groupDescription LONGTEXT COLLATE GENERAL, PRIMARY KEY(id));",
    "CREATE TABLE notes (id SMALLINT NOT NULL CONSTRAINT \"QB SMALLINT notes.id\" CHECK(id IS NULL OR (typeof(id)='integer' AND id "
    "BETWEEN -32768 AND 32767)),groupId SMALLINT NOT NULL CONSTRAINT \"QB SMALLINT notes.groupId\" CHECK(groupId IS NULL OR "
    "(typeof(groupId)='integer' AND groupId BETWEEN -32768 AND 32767)),name VARCHAR(255) NOT NULL COLLATE GENERAL CONSTRAINT \"QB "
    "VARCHAR(255) notes.name\" CHECK(length(name)<=255),comments VARCHAR(255) COLLATE GENERAL CONSTRAINT \"QB VARCHAR(255) "
    "notes.comments\" CHECK(length(comments)<=255),query LONGTEXT NOT NULL COLLATE GENERAL,PRIMARY KEY(id),CONSTRAINT groupNotes "
    "FOREIGN KEY(groupId) REFERENCES groups);",
};
const char* const kOldUserObjects[] = {
    "CREATE TABLE tags (tag VARCHAR(40) NOT NULL COLLATE GENERAL CONSTRAINT \"QB VARCHAR(40) tags.tag\" CHECK(length(tag)<=40), "
    "PRIMARY KEY(tag));",
    "CREATE INDEX notesByName ON notes(name);",
};

int CollateGeneral(void*, int aBytes, const void* a, int bBytes, const void* b)
{
    return CompareGeneral(static_cast<const char16_t*>(a), static_cast<size_t>(aBytes) / 2, static_cast<const char16_t*>(b),
                          static_cast<size_t>(bBytes) / 2);
}

class Connection {
public:
    explicit Connection(const std::string& path)
    {
        if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
            m_error = m_db ? sqlite3_errmsg(m_db) : "cannot open";
        }
        RegisterGeneralCollation(m_db);
    }
    ~Connection() { sqlite3_close(m_db); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool Exec(const std::string& sql)
    {
        if (!m_error.empty()) return false;
        if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) m_error = sql + ": " + sqlite3_errmsg(m_db);
        return m_error.empty();
    }
    // Runs `sql` with its ?1.. bound to `ints` then `texts`.
    bool Run(const char* sql, const std::vector<int>& ints, const std::vector<const std::string*>& texts)
    {
        if (!m_error.empty()) return false;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) == SQLITE_OK) {
            int index = 1;
            for (int value : ints) sqlite3_bind_int(statement, index++, value);
            for (const std::string* text : texts) sqlite3_bind_text(statement, index++, text->c_str(), static_cast<int>(text->size()), SQLITE_STATIC);
            if (sqlite3_step(statement) != SQLITE_DONE) m_error = std::string(sql) + ": " + sqlite3_errmsg(m_db);
        } else {
            m_error = std::string(sql) + ": " + sqlite3_errmsg(m_db);
        }
        sqlite3_finalize(statement);
        return m_error.empty();
    }
    const std::string& Error() const { return m_error; }

private:
    sqlite3* m_db = nullptr;  // owned
    std::string m_error;
};

} // namespace

void RegisterGeneralCollation(sqlite3* db)
{
    sqlite3_create_collation_v2(db, "GENERAL", SQLITE_UTF16, nullptr, CollateGeneral, nullptr);
}

bool Write(const std::string& path, const Content& content, std::string& error)
{
    Connection db(path);
    db.Exec("PRAGMA foreign_keys=ON");
    db.Exec("BEGIN");
    for (const char* sql : kOldSchema) db.Exec(sql);
    db.Exec("INSERT INTO groups VALUES(0,'None',NULL);");
    for (const Group& group : content.groups) db.Run("INSERT INTO groups VALUES(?1,?2,NULL)", {group.id}, {&group.name});
    for (const Note& note : content.notes) {
        db.Run("INSERT INTO notes VALUES(?1,?2,?3,?4,?5)", {note.id, note.groupId}, {&note.name, &note.comments, &note.query});
    }
    if (content.userObjects) {
        for (const char* sql : kOldUserObjects) db.Exec(sql);
        for (const std::string& tag : content.tags) db.Run("INSERT INTO tags VALUES(?1)", {}, {&tag});
    }
    db.Exec("COMMIT");
    error = db.Error();
    return error.empty();
}

Content Sample(int notes)
{
    static const char* const words[] = {"apple", "Banana", "cherry", "Éclair", "ärger", "Zebra", "привет", "Ωmega", "delta", "ÉCOLE"};
    Content content;
    for (int g = 1; g <= 20; ++g) content.groups.push_back({g, (g % 2 ? "group " : "Group ") + std::to_string(g)});
    for (int id = 1; id <= notes; ++id) {
        const std::string word = words[id % 10];
        std::string query = "SELECT * FROM t" + std::to_string(id) + " WHERE x LIKE '%" + word + "%'";
        while (query.size() < static_cast<size_t>(200 + id % 400)) query += " AND y<>'" + std::to_string(query.size()) + "'";
        content.notes.push_back({id, id % 21, word + " note " + std::to_string(id), id % 3 ? "about " + word : "", query});
    }
    content.userObjects = true;
    content.tags = {"sql", "Reports", "élan", "Zeit", "ПОИСК"};
    return content;
}

} // namespace oldformat
