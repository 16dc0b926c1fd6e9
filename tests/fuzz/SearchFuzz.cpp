// Differential fuzzing of Find. The fuzzer picks the Find text, the scope
// (name / comments / query, as the Find menu sets it) and a few notes; the
// notes go into a note database through the driver's core with the store's
// own INSERT statements, and the statement the dialog composes runs there
// (an empty Find text lists the catalogue instead). The rows must be exactly
// the notes whose scoped fields match '%' + text + '%' under LIKE ('%' any
// run, '_' one character, letters folded with the driver's FoldCase, no
// escape), as a plain matcher here computes it; names and comments come
// back as typed, ordered by group and then name.
#include "driver/CaseFold.h"
#include "driver/GeneralText.h"
#include "driver/NoteDatabase.h"
#include "driver/Utf.h"
#include "store/records/NoteSql.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "SearchFuzz: %s\n", what.c_str());
    std::abort();
}

// Text as a Windows edit box holds it: UTF-16 code units, kept one per wchar_t.
using Units = std::wstring;

// Letters whose case or form is worth trying, raw surrogates among them.
const char16_t kInteresting[] = {
    u'\u00C4', u'\u00E4', u'\u00C9', u'\u00E9', u'\u03A3', u'\u03C3', u'\u03C2', u'\u0130', u'\u0131', u'\u017F',
    u'\u212A', u'\u00DF', u'\u1E9E', u'\u2126', u'\u03C9', u'\u01C4', u'\u01C5', u'\u01C6', u'\uFF05', u'\uFF3F',
    0xD83D, 0xDE00, 0xD801, 0xDC00, 0xDC28, u'\u00B5', u'\u039C', u'\u03BC', u'\u00FF', u'\u0178', u'\u042F', u'\u044F',
    u'\u0345', u'\u1E9B', u'\u00A0', u'\u3000', u'\uFFFD', u'\u0301', u'\u1F88', u'\u1F80'};

Units ToUnits(const std::string& bytes)
{
    Units out;
    for (unsigned char c : bytes) {
        if (c == 0) continue;  // an edit box holds no NUL
        out += c < 0x80 ? static_cast<wchar_t>(c) : static_cast<wchar_t>(kInteresting[(c - 0x80) % (sizeof kInteresting / sizeof *kInteresting)]);
    }
    return out;
}

// What the driver receives: the units as UTF-16, then UTF-8 for SQLite.
std::string ToDriver(const CString& text)
{
    const std::u16string wide(text.str().begin(), text.str().end());
    return Utf16ToUtf8(wide);
}

// Characters (code points) of the text; a lone surrogate has no UTF-8 form
// and reaches the database as U+FFFD.
std::u32string Characters(const Units& units)
{
    std::u32string out;
    for (size_t i = 0; i < units.size(); ++i) {
        const char32_t u = static_cast<char16_t>(units[i]);
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
            out += 0x10000 + ((u - 0xD800) << 10) + (static_cast<char16_t>(units[++i]) - 0xDC00);
        } else {
            out += (u >= 0xD800 && u < 0xE000) ? 0xFFFD : u;
        }
    }
    return out;
}

// Written apart from the driver's encoder, so that a fault there cannot hide
// in what the rows are checked against: `tail` continuation bytes of six
// bits each follow a lead byte that marks their number.
std::string Utf8(const std::u32string& text)
{
    static const unsigned char kLeadMark[] = {0x00, 0xC0, 0xE0, 0xF0};
    std::string out;
    for (char32_t c : text) {
        const int tail = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        out += static_cast<char>(kLeadMark[tail] | (c >> (6 * tail)));
        for (int shift = 6 * (tail - 1); shift >= 0; shift -= 6) out += static_cast<char>(0x80 | ((c >> shift) & 0x3F));
    }
    return out;
}

// The reference LIKE: after i pattern characters, which text prefixes match.
bool Like(const std::u32string& pattern, const std::u32string& text)
{
    std::vector<char> match(text.size() + 1, 0);
    match[0] = 1;
    for (char32_t p : pattern) {
        std::vector<char> next(text.size() + 1, 0);
        if (p == U'%') {
            char any = 0;
            for (size_t j = 0; j <= text.size(); ++j) next[j] = any = any || match[j];
        } else {
            for (size_t j = 1; j <= text.size(); ++j)
                next[j] = match[j - 1] && (p == U'_' || FoldCase(p) == FoldCase(text[j - 1]));
        }
        match.swap(next);
    }
    return match[text.size()] != 0;
}

struct Note {
    int id;
    int groupId;
    Units name, comments, query;
    bool nullComments;
};

struct Row {
    int id;
    int groupId;
    bool nullComments;
    std::string name, comments;
    std::u16string name16;
};

class Database {
public:
    Database()
    {
        const char* dir = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        m_path = std::string(dir) + "/qb-searchfuzz-" + std::to_string(::getpid()) + ".mdb";
        const int fd = ::open(m_path.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0600);
        if (fd < 0) Fail("cannot create " + m_path);
        ::close(fd);
        DriverError error;
        if (!m_db.Open(m_path, false, 1000, error)) Fail("open: " + error.message);
        for (const wchar_t* statement : kSchemaStatements) Run(ToDriver(statement));
        Run(BuildInsertGroupStatement(L"1", L"Second", L""));
    }
    ~Database()
    {
        m_db.Close();
        ::unlink(m_path.c_str());
        ::unlink((m_path + "-journal").c_str());
    }

    // The statement with its values bound to its markers, as the ODBC driver binds them.
    void Run(const SqlStatement& sql, const std::function<void(sqlite3_stmt*)>& onRow = {})
    {
        std::vector<std::string> values;
        for (const CDBParameters::Value& value : sql.parameters.Values()) values.push_back(ToDriver(value.text));
        Run(ToDriver(sql.sql), onRow, &values);
    }

    void Run(const std::string& sql, const std::function<void(sqlite3_stmt*)>& onRow = {}, const std::vector<std::string>* values = nullptr)
    {
        sqlite3_stmt* statement = nullptr;
        DriverError error;
        if (!m_db.Prepare(sql, statement, error)) Fail("prepare failed: " + error.message + "\n" + sql);
        for (size_t i = 0; values && i < values->size(); ++i) {
            sqlite3_bind_text(statement, static_cast<int>(i + 1), (*values)[i].data(), static_cast<int>((*values)[i].size()), SQLITE_TRANSIENT);
        }
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            if (onRow) onRow(statement);
        }
        if (rc != SQLITE_DONE) {
            error = m_db.ErrorFor(rc, sql);
            sqlite3_finalize(statement);
            Fail("step failed: " + error.message + "\n" + sql);
        }
        sqlite3_finalize(statement);
    }

private:
    std::string m_path;
    NoteDatabase m_db;
};

Database& SharedDatabase()
{
    static Database db;
    return db;
}

const char* Text(sqlite3_stmt* s, int column) { return reinterpret_cast<const char*>(sqlite3_column_text(s, column)); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size > 1024) return 0;
    FuzzedDataProvider data(bytes, size);
    SearchScope scope;
    const unsigned char scopeBits = data.ConsumeIntegral<unsigned char>();
    scope.inName = scopeBits & 1;
    scope.inDescription = scopeBits & 2;
    scope.inSequel = scopeBits & 4;
    const Units text = ToUnits(data.ConsumeRandomLengthString(24));
    std::vector<Note> notes;
    const int count = data.ConsumeIntegralInRange(0, 5);
    for (int i = 0; i < count; ++i) {
        const unsigned char flags = data.ConsumeIntegral<unsigned char>();
        Note note{i + 1, flags & 1, ToUnits(data.ConsumeRandomLengthString(24)), ToUnits(data.ConsumeRandomLengthString(24)),
                  ToUnits(data.ConsumeRandomLengthString(48)), (flags & 2) != 0};
        notes.push_back(note);
    }

    Database& db = SharedDatabase();
    db.Run("BEGIN");
    for (const Note& note : notes) {
        NoteRecord record;
        record.id = note.id;
        record.groupId = note.groupId;
        record.name = CString(note.name);
        record.comments = CString(note.comments);
        record.query = CString(note.query);
        db.Run(BuildInsertNoteStatement(record));
        if (note.nullComments) db.Run("UPDATE notes SET comments=NULL WHERE id=" + std::to_string(note.id));
    }

    // The dialog: an empty Find text shows the catalogue, any other runs the search.
    const SqlStatement statement = text.empty() ? SqlStatement{kCatalogueStatement, {}} : BuildSearchStatement(CString(text), scope);
    std::vector<Row> rows;
    db.Run(statement, [&](sqlite3_stmt* s) {
        Row row{sqlite3_column_int(s, 0), sqlite3_column_int(s, 1), sqlite3_column_type(s, 4) == SQLITE_NULL, Text(s, 3),
                Text(s, 4) ? Text(s, 4) : "", std::u16string()};
        row.name16.assign(static_cast<const char16_t*>(sqlite3_column_text16(s, 3)), static_cast<size_t>(sqlite3_column_bytes16(s, 3)) / 2);
        rows.push_back(row);
    });
    db.Run("ROLLBACK");

    // Which notes should be found.
    const std::u32string pattern = U"%" + Characters(text) + U"%";
    const bool byName = scope.inName || (!scope.inDescription && !scope.inSequel);
    std::map<int, const Note*> expected;
    for (const Note& note : notes) {
        const bool found = text.empty() || (byName && Like(pattern, Characters(note.name))) ||
                           (scope.inDescription && !note.nullComments && Like(pattern, Characters(note.comments))) ||
                           (scope.inSequel && Like(pattern, Characters(note.query)));
        if (found) expected[note.id] = &note;
    }

    if (rows.size() != expected.size()) Fail("found " + std::to_string(rows.size()) + " notes, expected " + std::to_string(expected.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const auto it = expected.find(row.id);
        if (it == expected.end()) Fail("note " + std::to_string(row.id) + " found but does not match (or found twice)");
        const Note& note = *it->second;
        expected.erase(it);
        if (row.groupId != note.groupId) Fail("wrong group for note " + std::to_string(row.id));
        if (row.name != Utf8(Characters(note.name))) Fail("name of note " + std::to_string(row.id) + " came back changed");
        if (row.nullComments != note.nullComments || (!note.nullComments && row.comments != Utf8(Characters(note.comments))))
            Fail("comments of note " + std::to_string(row.id) + " came back changed");
        if (i > 0) {
            const Row& prev = rows[i - 1];
            const bool ordered = prev.groupId < row.groupId ||
                                 (prev.groupId == row.groupId &&
                                  CompareGeneral(prev.name16.data(), prev.name16.size(), row.name16.data(), row.name16.size()) <= 0);
            if (!ordered) Fail("rows not ordered by group and name");
        }
    }
    return 0;
}
