// The note store's SQL texts and their composition.
#include "store/records/NoteSql.h"

#include <climits>
#include <cstdarg>

namespace {

// A statement's text from a printf-style format, as CString::Format writes it.
CString Formatted(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    CString text;
    text.FormatV(format, args);
    va_end(args);
    return text;
}

} // namespace

const wchar_t* const kNoteDriverName = L"Microsoft Access Driver (*.mdb)";

const wchar_t* const kSchemaStatements[3] = {
    L"CREATE TABLE groups (id SMALLINT NOT NULL, groupName VARCHAR(255) NOT NULL, groupDescription LONGTEXT, PRIMARY KEY(id));",
    L"INSERT INTO groups VALUES(0,'None',NULL);",
    L"CREATE TABLE notes (id SMALLINT NOT NULL,groupId SMALLINT NOT NULL,name VARCHAR(255) NOT NULL,comments VARCHAR(255),"
    L"query LONGTEXT NOT NULL,PRIMARY KEY(id),CONSTRAINT groupNotes FOREIGN KEY(groupId) REFERENCES groups);",
};

const wchar_t* const kGroupListStatement = L"SELECT id,groupName FROM groups ORDER BY groupName";
const wchar_t* const kCatalogueStatement =
    L"SELECT notes.id,groups.id AS groupId,groups.groupName,notes.name,notes.comments FROM groups,notes "
    L"WHERE notes.groupId=groups.id ORDER BY notes.groupId,notes.name";
const wchar_t* const kNextNoteIdStatement = L"SELECT Max(id)+1 FROM notes";
const wchar_t* const kCountNotesStatement = L"SELECT Count(*) FROM notes";
const wchar_t* const kCountUserGroupsStatement = L"SELECT Count(*) FROM groups WHERE id<>0";
const wchar_t* const kNextGroupIdStatement = L"SELECT Max(id)+1 FROM groups";

CString BuildConnectString(const CString& path)
{
    // A ';' would end the value early (C:\a;b\n.mdb would open C:\a): such a
    // path goes in braces, with ODBC's "}}" for each '}'.
    CString value = path;
    if (value.Find(L';') >= 0) {
        value.Replace(L"}", L"}}");
        value = L"{" + value + L"}";
    }
    return Formatted(L"ODBC;DRIVER={%s};DSN='';DBQ=%s", kNoteDriverName, value.GetString());
}

CString BuildCreationAttributes(const CString& path) { return CString(L"CREATE_DB=\"") + path + L"\";"; }

CString QuoteSqlText(const CString& text)
{
    CString quoted = text;
    quoted.Replace(L"'", L"''");
    return quoted;
}

SqlStatement BuildSearchStatement(const CString& text, const SearchScope& scope)
{
    const bool pattern = text.Find(L'%') >= 0 || text.Find(L'_') >= 0;
    SqlStatement statement;
    statement.sql = L"SELECT notes.id, groups.id AS groupId, groups.groupName, notes.name, notes.comments FROM groups, notes "
                    L"WHERE notes.groupId=groups.id AND (";
    bool first = true;
    auto append = [&](const wchar_t* column) {
        if (!first) statement.sql += L" OR ";
        first = false;
        if (pattern) {
            statement.sql.AppendFormat(L"%s LIKE ?", column);
            statement.parameters.Text(L"%" + text + L"%");
        } else {
            statement.sql.AppendFormat(L"InStr(1,%s,?,1)>0", column);
            statement.parameters.Text(text);
        }
    };
    if (scope.inName || (!scope.inDescription && !scope.inSequel)) append(L"notes.name");
    if (scope.inDescription) append(L"notes.comments");
    if (scope.inSequel) append(L"notes.query");
    statement.sql += L") ORDER BY notes.groupId, notes.name;";
    return statement;
}

CString BuildReadNoteStatement(int noteId)
{
    return Formatted(L"SELECT id,groupId,name,comments,query FROM notes WHERE id=%d", noteId);
}

CString BuildReadNoteQueryStatement(int noteId)
{
    return Formatted(L"SELECT query FROM notes WHERE id=%d", noteId);
}

SqlStatement BuildInsertNoteStatement(const NoteRecord& record)
{
    SqlStatement statement{Formatted(L"INSERT INTO notes(id,groupId,name,comments,query) VALUES(%d,%d,?,?,?);", record.id, record.groupId), {}};
    statement.parameters.Text(record.name).Text(record.comments).Text(record.query);
    return statement;
}

SqlStatement BuildUpdateNoteStatement(const NoteRecord& record)
{
    SqlStatement statement{Formatted(L"UPDATE notes SET groupId=%d, name=?, comments=?, query=? WHERE id=%d;", record.groupId, record.id), {}};
    statement.parameters.Text(record.name).Text(record.comments).Text(record.query);
    return statement;
}

CString BuildDeleteNoteStatement(int noteId)
{
    return Formatted(L"DELETE FROM notes WHERE id=%d", noteId);
}

CString BuildReadGroupDescriptionStatement(int groupId)
{
    return Formatted(L"SELECT groupDescription FROM groups WHERE groups.id=%d", groupId);
}

CString BuildReadGroupStatement(int groupId)
{
    return Formatted(L"SELECT groupName,groupDescription FROM groups WHERE groups.id=%d", groupId);
}

SqlStatement BuildRenameGroupStatement(int groupId, const CString& name)
{
    SqlStatement statement{Formatted(L"UPDATE groups SET groupName=? WHERE id=%d", groupId), {}};
    statement.parameters.Text(name);
    return statement;
}

SqlStatement BuildSameTitleStatement(int groupId, const CString& name, int noteId)
{
    SqlStatement statement{Formatted(L"SELECT id FROM notes WHERE groupId=%d AND name=? AND id<>%d", groupId, noteId), {}};
    statement.parameters.Text(name);
    return statement;
}

SqlStatement BuildInsertGroupStatement(const CString& idText, const CString& name, const CString& description)
{
    SqlStatement statement{Formatted(L"INSERT INTO groups VALUES(%s,?,?)", idText.GetString()), {}};
    statement.parameters.Text(name).Text(description);
    return statement;
}

SqlStatement BuildUpdateGroupStatement(const CString& idText, const CString& name, const CString& description)
{
    SqlStatement statement{Formatted(L"UPDATE groups SET groupName=?,groupDescription=? WHERE id=%s", idText.GetString()), {}};
    statement.parameters.Text(name).Text(description);
    return statement;
}

CString BuildDeleteGroupStatement(int groupId)
{
    return Formatted(L"DELETE FROM groups WHERE groups.id=%d", groupId);
}

int NoteIdFromText(const CString& text)
{
    const wchar_t* p = text.GetString();
    while (*p == L' ' || *p == L'\t') ++p;
    bool negative = false;
    if (*p == L'-' || *p == L'+') negative = *p++ == L'-';
    long long value = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        value = value * 10 + (*p - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}
