// Composing the statements of exports and imports.
#include "ExchangeSql.h"

#include "NoteSql.h"

#include <string>

const wchar_t* const kExportGroupsStatement = L"SELECT id,groupName,groupDescription FROM groups";
const wchar_t* const kExportNotesStatement = L"SELECT id,groupId,name,comments,query FROM notes";

namespace {

// Statements are built in one buffer: a query can be megabytes long.
class StatementText {
public:
    explicit StatementText(const wchar_t* start, size_t room) { m_sql.reserve(room + 96); m_sql = start; }
    StatementText& operator<<(const wchar_t* text) { m_sql += text; return *this; }
    StatementText& operator<<(int value) { m_sql += std::to_wstring(value); return *this; }
    // A quoted SQL string: quotes inside are doubled.
    StatementText& Text(const CString& value)
    {
        const std::wstring& text = value.str();
        m_sql += L'\'';
        size_t from = 0;
        for (size_t quote = text.find(L'\''); quote != std::wstring::npos; quote = text.find(L'\'', from)) {
            m_sql.append(text, from, quote + 1 - from);
            m_sql += L'\'';
            from = quote + 1;
        }
        m_sql.append(text, from, std::wstring::npos);
        m_sql += L'\'';
        return *this;
    }
    StatementText& Nullable(bool present, const CString& value) { return present ? Text(value) : (*this << L"NULL"); }
    CString Take() { return CString(std::move(m_sql)); }

private:
    std::wstring m_sql;
};

size_t Room(const CString& a, const CString& b, const CString& c = CString())
{
    return static_cast<size_t>(a.GetLength() + b.GetLength() + c.GetLength());
}

} // namespace

CString BuildImportGroupStatement(const ImportGroupStep& step)
{
    const GroupFileFields& g = step.fields;
    if (step.action == ImportAction::Add) {
        StatementText sql(L"INSERT INTO groups VALUES(", Room(g.name, g.description));
        sql << step.id << L",";
        sql.Text(g.name) << L",";
        sql.Nullable(g.hasDescription, g.description) << L")";
        return sql.Take();
    }
    StatementText sql(L"UPDATE groups SET groupName=", Room(g.name, g.description));
    sql.Text(g.name) << L",groupDescription=";
    sql.Nullable(g.hasDescription, g.description) << L" WHERE id=" << step.id;
    return sql.Take();
}

CString BuildImportNoteStatement(const ImportNoteStep& step)
{
    const NoteFileFields& n = step.fields;
    if (step.action == ImportAction::Add) {
        StatementText sql(L"INSERT INTO notes VALUES(", Room(n.title, n.comments, n.query));
        sql << step.id << L"," << step.groupId << L",";
        sql.Text(n.title) << L",";
        sql.Nullable(n.hasComments, n.comments) << L",";
        sql.Text(n.query) << L")";
        return sql.Take();
    }
    StatementText sql(L"UPDATE notes SET comments=", Room(n.comments, n.query));
    sql.Nullable(n.hasComments, n.comments) << L",query=";
    sql.Text(n.query) << L" WHERE id=" << step.id;
    return sql.Take();
}
