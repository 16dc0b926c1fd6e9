// The note store under Wine through the real ODBC stack (odbc32, unixODBC,
// the note database driver) on real files: creation, schema, catalogue
// order, search scopes, note and group records, the outcome of every
// failure (the database's text and its kind), and the bad input the store
// must survive. Files for the independent native
// check are written to QB_STORE_EXCHANGE.
#include "NoteStoreTestData.h"
#include "StoreTestSupport.h"

#include "framework/CDBException.h"
#include "framework/CDatabase.h"
#include "framework/CRecordset.h"
#include "framework/ThrownException.h"
#include "store/records/CatalogueRows.h"
#include "store/records/NoteDatabaseFile.h"
#include "store/records/NoteRecords.h"
#include "store/records/NoteSql.h"

#include <gtest/gtest.h>
#include <sqlext.h>

#include <string>
#include <vector>

namespace {

using namespace storetest;
using namespace notestore_test;

const wchar_t* W(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
std::wstring S(const CString& text) { return text.str(); }
std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}
bool Contains(const std::wstring& text, const wchar_t* part) { return text.find(part) != std::wstring::npos; }

::testing::AssertionResult Unexpected(const StoreOutcome& outcome)
{
    return ::testing::AssertionFailure() << "result " << static_cast<int>(outcome.result) << ", error: " << Narrow(S(outcome.error));
}

// Passes for a Done outcome with nothing to report.
::testing::AssertionResult IsDone(const StoreOutcome& outcome)
{
    return outcome.IsDone() && outcome.error.IsEmpty() ? ::testing::AssertionSuccess() : Unexpected(outcome);
}

::testing::AssertionResult IsNoRow(const StoreOutcome& outcome)
{
    return outcome.result == StoreResult::NoRow && outcome.error.IsEmpty() ? ::testing::AssertionSuccess() : Unexpected(outcome);
}

// Passes for a failure whose text holds `part` and whose SQLSTATE is `state`.
::testing::AssertionResult FailedWith(const StoreOutcome& outcome, const wchar_t* part, const wchar_t* state)
{
    if (outcome.result != StoreResult::Failed) return Unexpected(outcome);
    if (!Contains(S(outcome.error), part))
        return ::testing::AssertionFailure() << "error: " << Narrow(S(outcome.error)) << "\nexpected part: " << Narrow(part);
    if (S(outcome.SqlState()) != state)
        return ::testing::AssertionFailure() << "SQLSTATE \"" << Narrow(S(outcome.SqlState())) << "\", expected \"" << Narrow(state) << "\"";
    return ::testing::AssertionSuccess();
}

template <class Row>
struct Collected : CRowReceiver<Row> {
    std::vector<Row> rows;
    int begins = 0;
    int ends = 0;
    bool beganFirst = true;  // OnRowsBegin came before any row
    void OnRowsBegin() override { ++begins; }
    void OnRow(Row&& row) override
    {
        if (begins == 0) beganFirst = false;
        rows.push_back(row);
    }
    void OnRowsEnd() override { ++ends; }
};

class NoteStoreTest : public ::testing::Test {
protected:
    // A new note database at `path`: created, connected, schema written.
    void NewDatabase(CDatabase& db, const std::wstring& path)
    {
        ASSERT_TRUE(RequestNoteDatabaseFile(path.c_str()));
        ConnectNoteDatabase(db, path.c_str());
        ASSERT_TRUE(db.IsOpen());
        ASSERT_TRUE(IsDone(CreateSchema(db)));
    }
    void Exec(CDatabase& db, const std::wstring& sql)
    {
        try {
            db.ExecuteSQL(sql.c_str());
        } catch (CDBException* e) {
            const CThrownException<CDBException> thrown(e);
            ADD_FAILURE() << Narrow(sql) << ": " << Narrow(S(thrown->m_strError));
        }
    }
    // The first column of every row, as text.
    std::vector<std::wstring> Column(CDatabase& db, const wchar_t* sql)
    {
        std::vector<std::wstring> values;
        try {
            CRecordset rs(&db);
            rs.Open(CRecordset::forwardOnly, sql, CRecordset::executeDirect);
            for (; !rs.IsEOF(); rs.MoveNext()) {
                CString value;
                rs.GetFieldValue(static_cast<short>(0), value);
                values.push_back(S(value));
            }
        } catch (CDBException* e) {
            const CThrownException<CDBException> thrown(e);
            ADD_FAILURE() << Narrow(sql) << ": " << Narrow(S(thrown->m_strError));
        }
        return values;
    }
    std::vector<std::wstring> NamesOf(const std::vector<SearchRow>& rows)
    {
        std::vector<std::wstring> names;
        for (const SearchRow& row : rows) names.push_back(S(row.name));
        return names;
    }
    void AddNote(CDatabase& db, int id, int groupId, const wchar_t* name, const wchar_t* comments, const wchar_t* query)
    {
        const NoteRecord note{id, groupId, name, comments, query};
        EXPECT_TRUE(IsDone(InsertNote(db, note))) << Narrow(name);
    }

    TestFolder m_folder{L"quillbox store"};
};

TEST_F(NoteStoreTest, NewFileHoldsTwoTablesAndGroupNone)
{
    const std::wstring exchange = WindowsPathOf(QB_STORE_EXCHANGE);
    RemoveFolderTree(exchange);
    ASSERT_TRUE(::CreateDirectoryW(exchange.c_str(), nullptr));
    const std::wstring path = exchange + L"\\fresh.mdb";
    CDatabase db;
    NewDatabase(db, path);
    EXPECT_EQ((std::vector<std::wstring>{L"0"}), Column(db, L"SELECT id FROM groups"));
    EXPECT_EQ((std::vector<std::wstring>{L"None"}), Column(db, L"SELECT groupName FROM groups"));
    EXPECT_EQ((std::vector<std::wstring>{L"1"}), Column(db, L"SELECT count(*) FROM groups WHERE groupDescription IS NULL"));
    EXPECT_EQ((std::vector<std::wstring>{L"groups", L"notes"}), Column(db, L"SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"));

    int noteId = -1;
    EXPECT_TRUE(IsDone(NextNoteId(db, noteId)));
    EXPECT_EQ(0, noteId) << "the first note of a database gets id 0";
    CString groupId;
    EXPECT_TRUE(IsDone(NextGroupId(db, groupId)));
    EXPECT_EQ(L"1", S(groupId));
    Collected<GroupRow> groups;
    EXPECT_TRUE(IsDone(ReadGroupList(db, groups)));
    ASSERT_EQ(1u, groups.rows.size());
    EXPECT_EQ(0, groups.rows[0].id);
    EXPECT_EQ(L"None", S(groups.rows[0].groupName));
    Collected<CatalogueRow> catalogue;
    EXPECT_TRUE(IsDone(ReadCatalogue(db, catalogue)));
    EXPECT_EQ(0u, catalogue.rows.size());
    EXPECT_EQ(1, catalogue.ends);
}

TEST_F(NoteStoreTest, CreatingOntoAnExistingFileIsRefusedAndLeavesItUnchanged)
{
    const std::wstring path = m_folder.File(L"existing notes.mdb");
    const std::string content = "precious bytes that must survive\r\n\0with a NUL";
    WriteFileBytes(path, content);
    EXPECT_FALSE(RequestNoteDatabaseFile(path.c_str()));
    EXPECT_EQ(content, ReadFileBytes(path));
}

TEST_F(NoteStoreTest, CreatingIntoAMissingFolderIsRefused)
{
    const std::wstring path = m_folder.File(L"no such folder\\notes.mdb");
    EXPECT_FALSE(RequestNoteDatabaseFile(path.c_str()));
    EXPECT_FALSE(FileExists(path));
    EXPECT_FALSE(FileExists(m_folder.File(L"no such folder")));
}

TEST_F(NoteStoreTest, NewFileIsEmptyUntilTheFirstChangeAndPathsKeepTheirSpaces)
{
    const std::wstring path = m_folder.File(L"my notes without extension");
    ASSERT_TRUE(RequestNoteDatabaseFile(path.c_str()));
    EXPECT_EQ(std::string(), ReadFileBytes(path)) << "the installer creates an empty file";
    CDatabase db;
    ConnectNoteDatabase(db, path.c_str());
    EXPECT_TRUE(db.IsOpen());
    EXPECT_EQ(std::string(), ReadFileBytes(path)) << "connecting writes nothing";
    EXPECT_TRUE(IsDone(CreateSchema(db)));
    EXPECT_EQ(0, ReadFileBytes(path).compare(0, 16, std::string("SQLite format 3\0", 16))) << "the schema is the first change";
}

// A ';' is legal in a Windows file name: the connect string must not end
// the path there (which would open, or create tables in, another file).
TEST_F(NoteStoreTest, APathWithSemicolonAndBracesOpensItsOwnFile)
{
    ASSERT_TRUE(::CreateDirectoryW(m_folder.File(L"old;2}").c_str(), nullptr));
    const std::wstring path = m_folder.File(L"old;2}\{notes};x.mdb");
    {
        CDatabase db;
        NewDatabase(db, path);
        NoteRecord note;
        note.name = L"kept";
        note.query = L"SELECT 1";
        ASSERT_TRUE(IsDone(NextNoteId(db, note.id)));
        ASSERT_TRUE(IsDone(InsertNote(db, note)));
    }
    EXPECT_FALSE(FileExists(m_folder.File(L"old"))) << "nothing was written to the path cut at the ';'";
    CDatabase db;
    ConnectNoteDatabase(db, path.c_str());
    ASSERT_TRUE(db.IsOpen());
    EXPECT_EQ((std::vector<std::wstring>{L"kept"}), Column(db, L"SELECT name FROM notes"));
}

TEST_F(NoteStoreTest, SchemaOnAFileThatHasGroupsFailsWithTheErrorTextAndChangesNothing)
{
    const std::wstring path = m_folder.File(L"twice.mdb");
    {
        CDatabase db;
        NewDatabase(db, path);
    }
    const std::string before = ReadFileBytes(path);
    CDatabase db;
    ConnectNoteDatabase(db, path.c_str());
    ASSERT_TRUE(db.IsOpen());
    EXPECT_TRUE(FailedWith(CreateSchema(db), L"The table 'groups' already exists", L"42S01"));
    EXPECT_TRUE(db.IsOpen()) << "the connection stays open";
    db.Close();
    EXPECT_EQ(before, ReadFileBytes(path));
}

TEST_F(NoteStoreTest, GroupListAndCatalogueOrder)
{
    CDatabase db;
    NewDatabase(db, m_folder.File(L"order.mdb"));
    Exec(db, L"INSERT INTO groups VALUES(1,'Zeta',NULL)");
    Exec(db, L"INSERT INTO groups VALUES(2,'alpha',NULL)");
    Exec(db, L"INSERT INTO groups VALUES(3,'Beta','b')");
    AddNote(db, 0, 0, L"cherry", L"red", L"q");
    AddNote(db, 1, 3, L"b2", L"", L"q");
    AddNote(db, 2, 0, L"apple", L"", L"q");
    AddNote(db, 3, 1, L"x", L"", L"q");
    AddNote(db, 4, 3, L"B1", L"", L"q");
    AddNote(db, 5, 0, L"Banana", L"", L"q");
    Exec(db, L"INSERT INTO notes VALUES(6,1,'nullcomments',NULL,'q')");

    Collected<GroupRow> groups;
    ASSERT_TRUE(IsDone(ReadGroupList(db, groups)));
    std::vector<std::wstring> groupNames;
    for (const GroupRow& row : groups.rows) groupNames.push_back(std::to_wstring(row.id) + L":" + S(row.groupName));
    EXPECT_EQ((std::vector<std::wstring>{L"2:alpha", L"3:Beta", L"0:None", L"1:Zeta"}), groupNames);

    Collected<CatalogueRow> catalogue;
    ASSERT_TRUE(IsDone(ReadCatalogue(db, catalogue)));
    std::vector<std::wstring> rows;
    for (const CatalogueRow& row : catalogue.rows) {
        rows.push_back(std::to_wstring(row.id) + L"|" + std::to_wstring(row.groupId) + L"|" + S(row.groupName) + L"|" + S(row.name) + L"|" + S(row.comments));
    }
    // Group number first (not group name), then the note name without regard to case.
    EXPECT_EQ((std::vector<std::wstring>{L"2|0|None|apple|", L"5|0|None|Banana|", L"0|0|None|cherry|red", L"6|1|Zeta|nullcomments|",
                                         L"3|1|Zeta|x|", L"4|3|Beta|B1|", L"1|3|Beta|b2|"}),
              rows);
    EXPECT_EQ(1, catalogue.begins);
    EXPECT_TRUE(catalogue.beganFirst);
    EXPECT_EQ(1, catalogue.ends);
}

TEST_F(NoteStoreTest, SearchScopesAndSearchTexts)
{
    CDatabase db;
    NewDatabase(db, m_folder.File(L"search.mdb"));
    AddNote(db, 0, 0, L"it's mine", L"plain", L"SELECT 1");
    AddNote(db, 1, 0, L"Report", L"it's in the comments", L"SELECT 2");
    AddNote(db, 2, 0, L"Totals", L"sums", L"SELECT it's FROM the query");
    AddNote(db, 3, 0, L"two words", L"", L"SELECT 3");
    AddNote(db, 4, 0, L"CAFÉ list", L"", L"SELECT 4");
    Exec(db, L"INSERT INTO notes VALUES(5,0,'Nulls',NULL,'SELECT 5')");

    auto search = [&](const wchar_t* text, bool name, bool description, bool sequel) {
        SearchScope scope;
        scope.inName = name;
        scope.inDescription = description;
        scope.inSequel = sequel;
        Collected<SearchRow> found;
        EXPECT_TRUE(IsDone(RunSearch(db, text, scope, found))) << Narrow(text);
        return NamesOf(found.rows);
    };
    EXPECT_EQ((std::vector<std::wstring>{L"it's mine"}), search(L"it's", false, false, false));
    EXPECT_EQ((std::vector<std::wstring>{L"it's mine"}), search(L"it's", true, false, false));
    EXPECT_EQ((std::vector<std::wstring>{L"Report"}), search(L"it's", false, true, false));
    EXPECT_EQ((std::vector<std::wstring>{L"Totals"}), search(L"it's", false, false, true));
    EXPECT_EQ((std::vector<std::wstring>{L"it's mine", L"Report", L"Totals"}), search(L"it's", true, true, true));
    EXPECT_EQ((std::vector<std::wstring>{L"CAFÉ list", L"it's mine", L"Nulls", L"Report", L"Totals", L"two words"}), search(L"%", false, false, false));
    EXPECT_EQ((std::vector<std::wstring>{L"CAFÉ list", L"it's mine", L"Nulls", L"Report", L"Totals", L"two words"}), search(L"_", false, false, false));
    EXPECT_EQ((std::vector<std::wstring>{L"CAFÉ list", L"it's mine", L"two words"}), search(L" ", false, false, false));
    EXPECT_EQ((std::vector<std::wstring>{L"CAFÉ list"}), search(L"café", false, false, false));
    EXPECT_EQ((std::vector<std::wstring>{}), search(L"sums", false, false, false)) << "Description only is not the default";
    EXPECT_EQ((std::vector<std::wstring>{L"Totals"}), search(L"SUMS", false, true, false));

    SearchScope scope;
    Collected<SearchRow> found;
    Exec(db, L"INSERT INTO notes VALUES(6,0,'aa',NULL,'q')");
    EXPECT_TRUE(IsDone(RunSearch(db, L"Nu", scope, found)));
    ASSERT_EQ(1u, found.rows.size());
    EXPECT_EQ(5, found.rows[0].id);
    EXPECT_EQ(L"", S(found.rows[0].comments)) << "NULL comments arrive empty";
}

TEST_F(NoteStoreTest, NoteInsertReadUpdateDelete)
{
    CDatabase db;
    NewDatabase(db, m_folder.File(L"notes.mdb"));
    Exec(db, L"INSERT INTO groups VALUES(1,'Sales',NULL)");
    int id = -1;
    ASSERT_TRUE(IsDone(NextNoteId(db, id)));
    NoteRecord note;
    note.id = id;
    note.groupId = 1;
    note.name = L"today's query";
    note.comments = L"";
    note.query = L"SELECT 'x'\r\nFROM t";
    ASSERT_TRUE(IsDone(InsertNote(db, note)));
    EXPECT_EQ((std::vector<std::wstring>{L""}), Column(db, L"SELECT comments FROM notes WHERE id=0 AND comments IS NOT NULL")) << "an empty comment is '' and not NULL";

    NoteRecord read;
    ASSERT_TRUE(IsDone(ReadNote(db, 0, read)));
    EXPECT_EQ(0, read.id);
    EXPECT_EQ(1, read.groupId);
    EXPECT_EQ(L"today's query", S(read.name));
    EXPECT_EQ(L"", S(read.comments));
    EXPECT_EQ(L"SELECT 'x'\r\nFROM t", S(read.query));
    ASSERT_TRUE(IsDone(NextNoteId(db, id)));
    EXPECT_EQ(1, id);

    note.groupId = 0;
    note.name = L"renamed";
    note.comments = L"now with comments";
    note.query = L"SELECT 2";
    ASSERT_TRUE(IsDone(UpdateNote(db, note)));
    ASSERT_TRUE(IsDone(UpdateNote(db, note))) << "a second save updates the same note";
    CString query;
    ASSERT_TRUE(IsDone(ReadNoteQuery(db, 0, query)));
    EXPECT_EQ(L"SELECT 2", S(query));
    ASSERT_TRUE(IsDone(ReadNote(db, 0, read)));
    EXPECT_EQ(0, read.groupId);
    EXPECT_EQ(L"now with comments", S(read.comments));
    EXPECT_EQ((std::vector<std::wstring>{L"1"}), Column(db, L"SELECT count(*) FROM notes"));

    Exec(db, L"INSERT INTO notes VALUES(7,1,'nullcomments',NULL,'q')");
    ASSERT_TRUE(IsDone(ReadNote(db, 7, read)));
    EXPECT_EQ(L"", S(read.comments));

    ASSERT_TRUE(IsDone(DeleteNote(db, 0)));

    // A note that is gone: no row, and nothing read or written.
    read.name = L"kept";
    EXPECT_TRUE(IsNoRow(ReadNote(db, 0, read)));
    EXPECT_EQ(L"kept", S(read.name));
    query = L"kept";
    EXPECT_TRUE(IsNoRow(ReadNoteQuery(db, 0, query)));
    EXPECT_EQ(L"kept", S(query));
    EXPECT_TRUE(IsNoRow(UpdateNote(db, note))) << "saving a note deleted meanwhile";
    EXPECT_EQ((std::vector<std::wstring>{L"7"}), Column(db, L"SELECT id FROM notes")) << "the update wrote no row";
    EXPECT_TRUE(IsDone(DeleteNote(db, 0))) << "deleting a note that is gone is no failure";
}

TEST_F(NoteStoreTest, GroupInsertUpdateDelete)
{
    CDatabase db;
    NewDatabase(db, m_folder.File(L"groups.mdb"));
    CString idText;
    ASSERT_TRUE(IsDone(NextGroupId(db, idText)));
    EXPECT_EQ(L"1", S(idText));
    ASSERT_TRUE(IsDone(InsertGroup(db, idText, L"Sales's", L"")));
    CString description = L"old";
    ASSERT_TRUE(IsDone(ReadGroupDescription(db, 1, description)));
    EXPECT_EQ(L"", S(description));
    EXPECT_EQ((std::vector<std::wstring>{L""}), Column(db, L"SELECT groupDescription FROM groups WHERE id=1 AND groupDescription IS NOT NULL"));
    ASSERT_TRUE(IsDone(ReadGroupDescription(db, 0, description)));
    EXPECT_EQ(L"", S(description)) << "NULL description of group 0";

    ASSERT_TRUE(IsDone(UpdateGroup(db, L"1", L"sales", L"Line 1\r\nLine 2")));
    ASSERT_TRUE(IsDone(ReadGroupDescription(db, 1, description)));
    EXPECT_EQ(L"Line 1\r\nLine 2", S(description));
    EXPECT_EQ((std::vector<std::wstring>{L"sales"}), Column(db, L"SELECT groupName FROM groups WHERE id=1"));
    ASSERT_TRUE(IsDone(NextGroupId(db, idText)));
    EXPECT_EQ(L"2", S(idText));
    ASSERT_TRUE(IsDone(DeleteGroup(db, 1)));
    ASSERT_TRUE(IsDone(NextGroupId(db, idText)));
    EXPECT_EQ(L"1", S(idText)) << "a freed id comes back";

    // A group that is gone: no row, and nothing read or written.
    description = L"kept";
    EXPECT_TRUE(IsNoRow(ReadGroupDescription(db, 1, description)));
    EXPECT_EQ(L"kept", S(description));
    EXPECT_TRUE(IsNoRow(UpdateGroup(db, L"1", L"back", L""))) << "saving a group deleted meanwhile";
    EXPECT_EQ((std::vector<std::wstring>{L"0"}), Column(db, L"SELECT id FROM groups")) << "the update wrote no row";
}

TEST_F(NoteStoreTest, DeletingAGroupWithNotesIsRefusedAndKeepsEverything)
{
    CDatabase db;
    NewDatabase(db, m_folder.File(L"fk.mdb"));
    Exec(db, L"INSERT INTO groups VALUES(1,'Sales',NULL)");
    AddNote(db, 0, 1, L"one", L"", L"q1");
    AddNote(db, 1, 1, L"two", L"", L"q2");
    EXPECT_TRUE(FailedWith(DeleteGroup(db, 1), L"because table 'notes' (field 'notes.groupId') includes related rows", L"23000"));
    EXPECT_EQ((std::vector<std::wstring>{L"Sales"}), Column(db, L"SELECT groupName FROM groups WHERE id=1"));
    EXPECT_EQ((std::vector<std::wstring>{L"2"}), Column(db, L"SELECT count(*) FROM notes WHERE groupId=1"));
}

TEST_F(NoteStoreTest, BadInputIsStoredExactlyAndRefusedValuesChangeNothing)
{
    const std::wstring path = WindowsPathOf(QB_STORE_EXCHANGE) + L"\\tricky.mdb";
    ::DeleteFileW(path.c_str());
    ::DeleteFileW((WindowsPathOf(QB_STORE_EXCHANGE) + L"\\complete.txt").c_str());
    CDatabase db;
    NewDatabase(db, path);
    EXPECT_TRUE(IsDone(InsertGroup(db, L"1", W(kFirstGroupName), W(kFirstGroupDescription))));
    EXPECT_TRUE(IsDone(InsertGroup(db, L"2", W(kSecondGroupName), L"")));
    for (const TrickyNote& n : kTrickyNotes) AddNote(db, n.id, n.groupId, W(n.name), W(n.comments), W(n.query));
    const std::u16string longQuery = MakeLongQuery();
    AddNote(db, kLongQueryNoteId, 0, L"a megabyte", L"", W(longQuery.c_str()));

    for (const TrickyNote& n : kTrickyNotes) {
        NoteRecord read;
        ASSERT_TRUE(IsDone(ReadNote(db, n.id, read)));
        EXPECT_EQ(W(n.name), S(read.name));
        EXPECT_EQ(W(n.comments), S(read.comments));
        EXPECT_EQ(W(n.query), S(read.query));
        EXPECT_EQ(n.groupId, read.groupId);
    }
    CString query;
    ASSERT_TRUE(IsDone(ReadNoteQuery(db, kLongQueryNoteId, query)));
    EXPECT_EQ(longQuery.size(), static_cast<size_t>(query.GetLength()));
    EXPECT_TRUE(S(query) == W(longQuery.c_str())) << "the megabyte query reads back exactly";
    CString description;
    ASSERT_TRUE(IsDone(ReadGroupDescription(db, 1, description)));
    EXPECT_EQ(W(kFirstGroupDescription), S(description));
    Collected<GroupRow> groups;
    ASSERT_TRUE(IsDone(ReadGroupList(db, groups)));
    ASSERT_EQ(3u, groups.rows.size());
    EXPECT_EQ(W(kFirstGroupName), S(groups.rows[1].groupName));
    // Searching with wildcard characters and apostrophes of stored texts.
    SearchScope scope;
    Collected<SearchRow> found;
    ASSERT_TRUE(IsDone(RunSearch(db, L"y's", scope, found)));
    ASSERT_EQ(1u, found.rows.size());
    EXPECT_EQ(W(kTrickyNotes[0].name), S(found.rows[0].name));

    // Texts no string constant could carry are found where they sit, a word
    // of the long query far beyond its 255th character too.
    scope.inName = scope.inDescription = scope.inSequel = true;
    for (const wchar_t* text : {L"a|b", L"[dbo].[t]", L"#temp", L"a || b", L"*?#"}) {
        found.rows.clear();
        ASSERT_TRUE(IsDone(RunSearch(db, text, scope, found))) << Narrow(text);
        EXPECT_EQ((std::vector<std::wstring>{L"a|b"}), NamesOf(found.rows)) << Narrow(text);
    }
    found.rows.clear();
    ASSERT_TRUE(IsDone(RunSearch(db, L"as C20000 from", scope, found)));
    EXPECT_EQ((std::vector<std::wstring>{L"a megabyte"}), NamesOf(found.rows));

    // 256 characters in a title, comments or group name: refused by the
    // store with the field's name, and nothing is written.
    NoteRecord tooLong;
    tooLong.id = 7;
    tooLong.name = CString(L'T', 256);
    tooLong.query = L"q";
    EXPECT_TRUE(FailedWith(InsertNote(db, tooLong), L"The title is 256 characters long, but it can hold at most 255 characters. Nothing was saved.", L"22001"));
    tooLong.name = L"T";
    tooLong.comments = CString(L'\u6f22', 256);
    EXPECT_TRUE(FailedWith(InsertNewNote(db, tooLong), L"The comments field is 256 characters long", L"22001"));
    tooLong.id = 0;
    EXPECT_TRUE(FailedWith(UpdateNote(db, tooLong), L"The comments field is 256 characters long", L"22001"));
    EXPECT_TRUE(FailedWith(InsertGroup(db, L"3", CString(L'G', 256), L""), L"The group name is 256 characters long", L"22001"));
    EXPECT_TRUE(FailedWith(UpdateGroup(db, L"1", CString(L'G', 256), L""), L"The group name is 256 characters long", L"22001"));
    EXPECT_EQ((std::vector<std::wstring>{L"0", L"1", L"2", L"3", L"4", L"5", L"6"}), Column(db, L"SELECT id FROM notes ORDER BY id"));
    EXPECT_EQ((std::vector<std::wstring>{W(kFirstGroupName)}), Column(db, L"SELECT groupName FROM groups WHERE id=1"));

    // The 32,769th id: 32767 is the last one a SMALLINT holds.
    AddNote(db, 32767, 0, L"the last id", L"", L"q");
    int next = 0;
    ASSERT_TRUE(IsDone(NextNoteId(db, next)));
    EXPECT_EQ(32768, next);
    NoteRecord overflow;
    overflow.id = next;
    overflow.name = L"one too many";
    overflow.query = L"q";
    EXPECT_TRUE(FailedWith(InsertNote(db, overflow), L"The value for the field 'notes.id' is out of range: the field holds whole numbers from -32768 to 32767", L"22003"));
    EXPECT_TRUE(FailedWith(InsertNewNote(db, overflow), L"is out of range", L"22003")) << "no retry past the last id";

    // Deleting a group with notes.
    EXPECT_TRUE(FailedWith(DeleteGroup(db, 1), L"includes related rows", L"23000"));
    db.Close();
    WriteFileBytes(WindowsPathOf(QB_STORE_EXCHANGE) + L"\\complete.txt", "written by NoteStoreWineTest\n");
}

TEST_F(NoteStoreTest, FileThatIsNotADatabaseIsRefusedAtConnect)
{
    const std::wstring path = m_folder.File(L"letter.mdb");
    const std::string content = "Dear reader, this file is a letter and not a database at all. It has more than a hundred bytes, too.\r\n";
    WriteFileBytes(path, content);
    CDatabase db;
    const std::wstring error = DatabaseErrorOf([&] { ConnectNoteDatabase(db, path.c_str()); });
    EXPECT_NE(kNoDatabaseError, error);
    EXPECT_TRUE(Contains(error, L"is not a note database")) << Narrow(error);
    EXPECT_TRUE(Contains(error, path.c_str())) << Narrow(error);
    EXPECT_FALSE(Contains(error, L"[Quillbox]")) << "the origin is not part of the text";
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(content, ReadFileBytes(path));
}

TEST_F(NoteStoreTest, MissingFileIsRefusedAtConnect)
{
    CDatabase db;
    EXPECT_EQ(L"Could not find file '" + m_folder.File(L"gone.mdb") + L"'.\n",
              DatabaseErrorOf([&] { ConnectNoteDatabase(db, m_folder.File(L"gone.mdb").c_str()); }));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_FALSE(FileExists(m_folder.File(L"gone.mdb")));
}

TEST_F(NoteStoreTest, DatabaseThatIsNotANoteDatabaseConnectsAndTheCatalogueReportsIt)
{
    const std::wstring path = m_folder.File(L"recipes.mdb");
    {
        ASSERT_TRUE(RequestNoteDatabaseFile(path.c_str()));
        CDatabase db;
        ConnectNoteDatabase(db, path.c_str());
        Exec(db, L"CREATE TABLE recipes (name VARCHAR(50))");
    }
    CDatabase db;
    ConnectNoteDatabase(db, path.c_str());
    EXPECT_TRUE(db.IsOpen());
    Collected<GroupRow> groups;
    EXPECT_TRUE(FailedWith(ReadGroupList(db, groups), L"The table 'groups' does not exist", L"42S02"));
    EXPECT_EQ(0u, groups.rows.size());
    EXPECT_EQ(0, groups.begins);
    EXPECT_EQ(0, groups.ends);

    NoteRecord note;
    EXPECT_TRUE(FailedWith(ReadNote(db, 1, note), L"The table 'notes' does not exist", L"42S02"));
    CString query = L"kept";
    EXPECT_TRUE(FailedWith(ReadNoteQuery(db, 1, query), L"The table 'notes' does not exist", L"42S02"));
    EXPECT_EQ(L"kept", S(query));
    int id = -1;
    EXPECT_TRUE(FailedWith(NextNoteId(db, id), L"The table 'notes' does not exist", L"42S02"));
    EXPECT_EQ(-1, id);

    // Tables of the right names whose second note has an id that is not a
    // number: the catalogue and the search fail on that row, half-way.
    Exec(db, L"CREATE TABLE groups (id SMALLINT NOT NULL, groupName VARCHAR(255) NOT NULL, groupDescription LONGTEXT, PRIMARY KEY(id))");
    Exec(db, L"INSERT INTO groups VALUES(0,'None',NULL)");
    Exec(db, L"CREATE TABLE notes (id VARCHAR(10) NOT NULL, groupId SMALLINT NOT NULL, name VARCHAR(255) NOT NULL, "
             L"comments VARCHAR(255), query LONGTEXT NOT NULL, PRIMARY KEY(id))");
    Exec(db, L"INSERT INTO notes VALUES('1',0,'alpha','','q')");
    Exec(db, L"INSERT INTO notes VALUES('x',0,'beta','','q')");
    Collected<CatalogueRow> catalogue;
    EXPECT_TRUE(FailedWith(ReadCatalogue(db, catalogue), L"holds text that is not a number", L"22018"));
    ASSERT_EQ(1u, catalogue.rows.size()) << "the row before the failure was handed over";
    EXPECT_EQ(L"alpha", S(catalogue.rows[0].name));
    EXPECT_EQ(1, catalogue.ends) << "the receiver heard the end";
    Collected<SearchRow> found;
    EXPECT_TRUE(FailedWith(RunSearch(db, L"%", SearchScope(), found), L"holds text that is not a number", L"22018"));
    EXPECT_EQ(1u, found.rows.size());
    EXPECT_EQ(1, found.ends);
}

TEST_F(NoteStoreTest, ClosedDatabaseReportsEveryRowSource)
{
    CDatabase db;
    Collected<CatalogueRow> catalogue;
    const StoreOutcome listed = ReadCatalogue(db, catalogue);
    EXPECT_TRUE(FailedWith(listed, L"The database is not open.", L"")) << "a failure of the framework's own has no SQLSTATE";
    EXPECT_EQ(L"The database is not open.\n", S(listed.error));
    Collected<SearchRow> found;
    EXPECT_TRUE(FailedWith(RunSearch(db, L"x", SearchScope(), found), L"The database is not open.", L""));
    EXPECT_EQ(0, catalogue.begins + found.begins);
}

TEST_F(NoteStoreTest, ReadOnlyFileReadsButRefusesChanges)
{
    const std::wstring path = m_folder.File(L"read only.mdb");
    {
        CDatabase db;
        NewDatabase(db, path);
        AddNote(db, 0, 0, L"kept", L"", L"q");
    }
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string before = ReadFileBytes(path);
    CDatabase db;
    ConnectNoteDatabase(db, path.c_str());
    ASSERT_TRUE(db.IsOpen());
    Collected<CatalogueRow> catalogue;
    EXPECT_TRUE(IsDone(ReadCatalogue(db, catalogue)));
    ASSERT_EQ(1u, catalogue.rows.size());
    EXPECT_EQ(L"kept", S(catalogue.rows[0].name));

    NoteRecord note;
    note.id = 1;
    note.name = L"new";
    note.query = L"q";
    EXPECT_TRUE(FailedWith(InsertNote(db, note), L"is read-only, so the change cannot be saved", L"HY000"));
    EXPECT_TRUE(FailedWith(DeleteNote(db, 0), L"is read-only", L"HY000"));
    db.Close();
    EXPECT_EQ(before, ReadFileBytes(path));
}

TEST_F(NoteStoreTest, FileHeldByAnotherWriterFailsAfterABoundedWait)
{
    const std::wstring path = m_folder.File(L"locked.mdb");
    CDatabase db;
    NewDatabase(db, path);
    // A second connection holds an unfinished write.
    CDatabase holder;
    ConnectNoteDatabase(holder, path.c_str());
    ASSERT_TRUE(holder.IsOpen());
    ASSERT_TRUE(SQL_SUCCEEDED(::SQLSetConnectAttrW(holder.GetConnectionHandle(), SQL_ATTR_AUTOCOMMIT,
                                                   reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), SQL_IS_UINTEGER)));
    Exec(holder, L"INSERT INTO groups VALUES(5,'held',NULL)");

    NoteRecord note;
    note.id = 0;
    note.name = L"waiting";
    note.query = L"q";
    EXPECT_TRUE(FailedWith(InsertNote(db, note), L"is locked by another program or user", L"HYT00"));

    ASSERT_TRUE(SQL_SUCCEEDED(::SQLEndTran(SQL_HANDLE_DBC, holder.GetConnectionHandle(), SQL_COMMIT)));
    EXPECT_TRUE(IsDone(InsertNote(db, note)));
    EXPECT_EQ((std::vector<std::wstring>{L"held"}), Column(db, L"SELECT groupName FROM groups WHERE id=5"));
}

} // namespace
