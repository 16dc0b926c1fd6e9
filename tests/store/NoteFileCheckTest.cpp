// Independent check of the note database files written under Wine by
// NoteStoreWineTest: they are opened here with SQLite directly, without the
// driver, and their schema and rows are compared with what was written; and
// any SQLite program (the sqlite3 shell, plain SQLite) reads and changes them.
#include "NoteStoreTestData.h"
#include "tests/store/ReadOnlyNoteFile.h"
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

std::u16string U(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::string Printable(const std::u16string& text)
{
    std::string out;
    for (char16_t c : text.substr(0, 200)) out += c < 128 && c >= 32 ? static_cast<char>(c) : '?';
    return out;
}

void ExpectNoteSchema(const ReadOnlyNoteFile& file)
{
    using Rows = std::vector<std::vector<std::u16string>>;
    EXPECT_EQ((Rows{{u"groups"}, {u"notes"}}), file.Query("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"));
    // name, declared type, NOT NULL, position in the primary key
    EXPECT_EQ((Rows{{u"id", u"SMALLINT", u"1", u"1"}, {u"groupName", u"VARCHAR(255)", u"1", u"0"}, {u"groupDescription", u"LONGTEXT", u"0", u"0"}}),
              file.Query("SELECT name, type, \"notnull\", pk FROM pragma_table_info('groups')"));
    EXPECT_EQ((Rows{{u"id", u"SMALLINT", u"1", u"1"},
                    {u"groupId", u"SMALLINT", u"1", u"0"},
                    {u"name", u"VARCHAR(255)", u"1", u"0"},
                    {u"comments", u"VARCHAR(255)", u"0", u"0"},
                    {u"query", u"LONGTEXT", u"1", u"0"}}),
              file.Query("SELECT name, type, \"notnull\", pk FROM pragma_table_info('notes')"));
    EXPECT_EQ((Rows{{u"groups", u"groupId", u"<NULL>"}}), file.Query("SELECT \"table\", \"from\", \"to\" FROM pragma_foreign_key_list('notes')"));
    EXPECT_EQ((Rows{{u"ok"}}), file.Query("PRAGMA integrity_check"));
}

TEST(NoteFileCheck, TheWineTestWroteItsFiles)
{
    std::ifstream marker(Exchange("complete.txt"));
    ASSERT_TRUE(marker.good()) << "run NoteStoreWineTest first: " << Exchange("complete.txt") << " is missing";
}

TEST(NoteFileCheck, NewFileHoldsTheSchemaAndGroupNone)
{
    ReadOnlyNoteFile file(Exchange("fresh.mdb"));
    ASSERT_TRUE(file.IsReadable());
    ExpectNoteSchema(file);
    using Rows = std::vector<std::vector<std::u16string>>;
    EXPECT_EQ((Rows{{u"0", u"None", u"<NULL>"}}), file.Query("SELECT id, groupName, groupDescription FROM groups"));
    EXPECT_EQ((Rows{{u"0"}}), file.Query("SELECT count(*) FROM notes"));
}

TEST(NoteFileCheck, GroupsKeepTheirTextsExactly)
{
    ReadOnlyNoteFile file(Exchange("tricky.mdb"));
    ASSERT_TRUE(file.IsReadable());
    ExpectNoteSchema(file);
    using Rows = std::vector<std::vector<std::u16string>>;
    EXPECT_EQ((Rows{{u"0", u"None", u"<NULL>"}, {u"1", kFirstGroupName, kFirstGroupDescription}, {u"2", kSecondGroupName, u""}}),
              file.Query("SELECT id, groupName, groupDescription FROM groups ORDER BY id"));
    // An empty description is stored as '' and not as NULL.
    EXPECT_EQ((Rows{{u"text"}}), file.Query("SELECT typeof(groupDescription) FROM groups WHERE id=2"));
}

TEST(NoteFileCheck, NotesKeepTheirTextsExactly)
{
    ReadOnlyNoteFile file(Exchange("tricky.mdb"));
    ASSERT_TRUE(file.IsReadable());
    const auto rows = file.Query("SELECT id, groupId, name, comments, query, typeof(comments) FROM notes WHERE id<>5 AND id<32767 ORDER BY id");
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
    ReadOnlyNoteFile file(Exchange("tricky.mdb"));
    ASSERT_TRUE(file.IsReadable());
    const auto rows = file.Query("SELECT query FROM notes WHERE id=" + std::to_string(kLongQueryNoteId));
    ASSERT_EQ(1u, rows.size());
    const std::u16string expected = MakeLongQuery();
    EXPECT_EQ(expected.size(), rows[0][0].size());
    EXPECT_TRUE(expected == rows[0][0]) << "the stored query differs from the one written";
}

TEST(NoteFileCheck, RefusedChangesLeftNoTrace)
{
    ReadOnlyNoteFile file(Exchange("tricky.mdb"));
    ASSERT_TRUE(file.IsReadable());
    using Rows = std::vector<std::vector<std::u16string>>;
    // The Wine test tried 256 characters in each short field, id 32768 and deleting group 1.
    EXPECT_EQ((Rows{{u"0"}}), file.Query("SELECT count(*) FROM notes WHERE length(name)>255 OR length(comments)>255 OR id>32767"));
    EXPECT_EQ((Rows{{u"0"}}), file.Query("SELECT count(*) FROM groups WHERE length(groupName)>255"));
    EXPECT_EQ((Rows{{u"8"}}), file.Query("SELECT count(*) FROM notes"));
    EXPECT_EQ((Rows{{u"the last id"}}), file.Query("SELECT name FROM notes WHERE id=32767"));
    EXPECT_EQ((Rows{{u"3"}}), file.Query("SELECT count(*) FROM notes WHERE groupId=1"));
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
