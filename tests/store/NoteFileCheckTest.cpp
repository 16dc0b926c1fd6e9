// Independent check of the note database files written under Wine by
// NoteStoreWineTest: they are opened here with SQLite directly, without the
// driver, and their schema and rows are compared with what was written; and
// any SQLite program (the sqlite3 shell, plain SQLite) reads and changes them.
#include "NoteStoreTestData.h"
#include "tests/driver/PlainSqliteStory.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace notestore_test;

std::string Exchange(const char* name) { return std::string(QB_STORE_EXCHANGE) + "/" + name; }

// A read-only SQLite connection to one exchange file.
class RawFile {
public:
    explicit RawFile(const std::string& path)
    {
        if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            sqlite3_close(m_db);
            m_db = nullptr;
        }
    }
    ~RawFile() { sqlite3_close(m_db); }
    RawFile(const RawFile&) = delete;
    RawFile& operator=(const RawFile&) = delete;
    bool IsOpen() const { return m_db != nullptr; }

    // Every row of `sql`, each column as UTF-16 text ("<NULL>" for NULL).
    std::vector<std::vector<std::u16string>> Rows(const std::string& sql) const
    {
        std::vector<std::vector<std::u16string>> rows;
        sqlite3_stmt* s = nullptr;
        EXPECT_EQ(SQLITE_OK, sqlite3_prepare_v2(m_db, sql.c_str(), -1, &s, nullptr)) << sqlite3_errmsg(m_db) << " in " << sql;
        while (s && sqlite3_step(s) == SQLITE_ROW) {
            std::vector<std::u16string> row;
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

private:
    sqlite3* m_db = nullptr;  // owned
};

std::u16string U(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::string Printable(const std::u16string& text)
{
    std::string out;
    for (char16_t c : text.substr(0, 200)) out += c < 128 && c >= 32 ? static_cast<char>(c) : '?';
    return out;
}

void ExpectNoteSchema(const RawFile& file)
{
    using Rows = std::vector<std::vector<std::u16string>>;
    EXPECT_EQ((Rows{{u"groups"}, {u"notes"}}), file.Rows("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"));
    // name, declared type, NOT NULL, position in the primary key
    EXPECT_EQ((Rows{{u"id", u"SMALLINT", u"1", u"1"}, {u"groupName", u"VARCHAR(255)", u"1", u"0"}, {u"groupDescription", u"LONGTEXT", u"0", u"0"}}),
              file.Rows("SELECT name, type, \"notnull\", pk FROM pragma_table_info('groups')"));
    EXPECT_EQ((Rows{{u"id", u"SMALLINT", u"1", u"1"},
                    {u"groupId", u"SMALLINT", u"1", u"0"},
                    {u"name", u"VARCHAR(255)", u"1", u"0"},
                    {u"comments", u"VARCHAR(255)", u"0", u"0"},
                    {u"query", u"LONGTEXT", u"1", u"0"}}),
              file.Rows("SELECT name, type, \"notnull\", pk FROM pragma_table_info('notes')"));
    EXPECT_EQ((Rows{{u"groups", u"groupId", u"<NULL>"}}), file.Rows("SELECT \"table\", \"from\", \"to\" FROM pragma_foreign_key_list('notes')"));
    EXPECT_EQ((Rows{{u"ok"}}), file.Rows("PRAGMA integrity_check"));
}

TEST(NoteFileCheck, TheWineTestWroteItsFiles)
{
    std::ifstream marker(Exchange("complete.txt"));
    ASSERT_TRUE(marker.good()) << "run NoteStoreWineTest first: " << Exchange("complete.txt") << " is missing";
}

TEST(NoteFileCheck, NewFileHoldsTheSchemaAndGroupNone)
{
    RawFile file(Exchange("fresh.mdb"));
    ASSERT_TRUE(file.IsOpen());
    ExpectNoteSchema(file);
    using Rows = std::vector<std::vector<std::u16string>>;
    EXPECT_EQ((Rows{{u"0", u"None", u"<NULL>"}}), file.Rows("SELECT id, groupName, groupDescription FROM groups"));
    EXPECT_EQ((Rows{{u"0"}}), file.Rows("SELECT count(*) FROM notes"));
}

TEST(NoteFileCheck, GroupsKeepTheirTextsExactly)
{
    RawFile file(Exchange("tricky.mdb"));
    ASSERT_TRUE(file.IsOpen());
    ExpectNoteSchema(file);
    using Rows = std::vector<std::vector<std::u16string>>;
    EXPECT_EQ((Rows{{u"0", u"None", u"<NULL>"}, {u"1", kFirstGroupName, kFirstGroupDescription}, {u"2", kSecondGroupName, u""}}),
              file.Rows("SELECT id, groupName, groupDescription FROM groups ORDER BY id"));
    // An empty description is stored as '' and not as NULL.
    EXPECT_EQ((Rows{{u"text"}}), file.Rows("SELECT typeof(groupDescription) FROM groups WHERE id=2"));
}

TEST(NoteFileCheck, NotesKeepTheirTextsExactly)
{
    RawFile file(Exchange("tricky.mdb"));
    ASSERT_TRUE(file.IsOpen());
    const auto rows = file.Rows("SELECT id, groupId, name, comments, query, typeof(comments) FROM notes WHERE id<5 ORDER BY id");
    ASSERT_EQ(std::size(kTrickyNotes), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const TrickyNote& note = kTrickyNotes[i];
        EXPECT_EQ(U(std::to_string(note.id)), rows[i][0]);
        EXPECT_EQ(U(std::to_string(note.groupId)), rows[i][1]);
        EXPECT_EQ(std::u16string(note.name), rows[i][2]) << "note " << note.id << ": " << Printable(rows[i][2]);
        EXPECT_EQ(std::u16string(note.comments), rows[i][3]) << "note " << note.id << ": " << Printable(rows[i][3]);
        EXPECT_EQ(std::u16string(note.query), rows[i][4]) << "note " << note.id << ": " << Printable(rows[i][4]);
        EXPECT_EQ(u"text", rows[i][5]) << "note " << note.id << ": comments are never NULL";
    }
}

TEST(NoteFileCheck, TheMegabyteQueryIsWhole)
{
    RawFile file(Exchange("tricky.mdb"));
    ASSERT_TRUE(file.IsOpen());
    const auto rows = file.Rows("SELECT query FROM notes WHERE id=" + std::to_string(kLongQueryNoteId));
    ASSERT_EQ(1u, rows.size());
    const std::u16string expected = MakeLongQuery();
    EXPECT_EQ(expected.size(), rows[0][0].size());
    EXPECT_TRUE(expected == rows[0][0]) << "the stored query differs from the one written";
}

TEST(NoteFileCheck, RefusedChangesLeftNoTrace)
{
    RawFile file(Exchange("tricky.mdb"));
    ASSERT_TRUE(file.IsOpen());
    using Rows = std::vector<std::vector<std::u16string>>;
    // The Wine test tried a 256-character title, id 32768 and deleting group 1.
    EXPECT_EQ((Rows{{u"0"}}), file.Rows("SELECT count(*) FROM notes WHERE length(name)>255 OR id>32767"));
    EXPECT_EQ((Rows{{u"7"}}), file.Rows("SELECT count(*) FROM notes"));
    EXPECT_EQ((Rows{{u"the last id"}}), file.Rows("SELECT name FROM notes WHERE id=32767"));
    EXPECT_EQ((Rows{{u"3"}}), file.Rows("SELECT count(*) FROM notes WHERE groupId=1"));
}

// The output of the sqlite3 shell for `sql` on `path`, and its exit status.
std::string Shell(const std::string& path, const std::string& sql, int& status)
{
    std::string output;
    FILE* pipe = ::popen(("sqlite3 '" + path + "' \"" + sql + "\" 2>&1").c_str(), "r");
    if (!pipe) return "cannot start sqlite3";
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    status = ::pclose(pipe);
    return output;
}

TEST(NoteFileCheck, AnySqliteProgramReadsAndChangesTheFile)
{
    // On a copy: the exchange file stays as the Wine test left it.
    const std::string copy = Exchange("tricky-plain.mdb");
    std::filesystem::copy_file(Exchange("tricky.mdb"), copy, std::filesystem::copy_options::overwrite_existing);
    int status = -1;
    const std::string names = Shell(copy, "SELECT name FROM notes ORDER BY name", status);
    EXPECT_EQ(0, status) << names;
    EXPECT_EQ(0u, names.find("%_ percent underscore _%\n")) << names;
    const std::vector<std::string> faults = RunPlainSqliteStory(copy, "query");
    EXPECT_TRUE(faults.empty()) << faults.front();
    std::filesystem::remove(copy);
}

} // namespace
