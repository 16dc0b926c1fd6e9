// Composing the statements of exports and imports.
#include "ExchangeSql.h"

#include "NoteSql.h"

#include <cwchar>

const wchar_t* const kExportGroupsStatement = L"SELECT id,groupName,groupDescription FROM groups";
const wchar_t* const kExportNotesStatement = L"SELECT id,groupId,name,comments,query FROM notes";

namespace {

CString Text(const CString& value) { return L"'" + QuoteSqlText(value) + L"'"; }
CString Nullable(bool present, const CString& value) { return present ? Text(value) : CString(L"NULL"); }

CString Number(int value)
{
    wchar_t text[16];
    std::swprintf(text, 16, L"%d", value);
    return text;
}

} // namespace

CString BuildImportGroupStatement(const ImportGroupStep& step)
{
    const GroupFileFields& g = step.fields;
    if (step.action == ImportAction::Add)
        return L"INSERT INTO groups VALUES(" + Number(step.id) + L"," + Text(g.name) + L"," + Nullable(g.hasDescription, g.description) + L")";
    return L"UPDATE groups SET groupName=" + Text(g.name) + L",groupDescription=" + Nullable(g.hasDescription, g.description) +
           L" WHERE id=" + Number(step.id);
}

CString BuildImportNoteStatement(const ImportNoteStep& step)
{
    const NoteFileFields& n = step.fields;
    if (step.action == ImportAction::Add)
        return L"INSERT INTO notes VALUES(" + Number(step.id) + L"," + Number(step.groupId) + L"," + Text(n.title) + L"," +
               Nullable(n.hasComments, n.comments) + L"," + Text(n.query) + L")";
    return L"UPDATE notes SET comments=" + Nullable(n.hasComments, n.comments) + L",query=" + Text(n.query) + L" WHERE id=" + Number(step.id);
}
