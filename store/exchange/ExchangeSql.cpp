// Composing the statements of exports and imports.
#include "store/exchange/ExchangeSql.h"

#include "store/records/NoteSql.h"

#include <string>

const wchar_t* const kExportGroupsStatement = L"SELECT id,groupName,groupDescription FROM groups";
const wchar_t* const kExportNotesStatement = L"SELECT id,groupId,name,comments,query FROM notes";

SqlStatement BuildImportGroupStatement(const ImportGroupStep& step)
{
    const GroupFileFields& g = step.fields;
    SqlStatement statement;
    if (step.action == ImportAction::Add) {
        statement.sql.Format(L"INSERT INTO groups VALUES(%d,?,?)", step.id);
        statement.parameters.Text(g.name).NullableText(g.hasDescription, g.description);
    } else {
        statement.sql.Format(L"UPDATE groups SET groupName=?,groupDescription=? WHERE id=%d", step.id);
        statement.parameters.Text(g.name).NullableText(g.hasDescription, g.description);
    }
    return statement;
}

SqlStatement BuildImportNoteStatement(const ImportNoteStep& step)
{
    const NoteFileFields& n = step.fields;
    SqlStatement statement;
    if (step.action == ImportAction::Add) {
        statement.sql.Format(L"INSERT INTO notes VALUES(%d,%d,?,?,?)", step.id, step.groupId);
        statement.parameters.Text(n.title).NullableText(n.hasComments, n.comments).Text(n.query);
    } else {
        statement.sql.Format(L"UPDATE notes SET comments=?,query=? WHERE id=%d", step.id);
        statement.parameters.NullableText(n.hasComments, n.comments).Text(n.query);
    }
    return statement;
}

SqlStatement BuildMoveNoteStatement(int id, int groupId, const CString& title)
{
    SqlStatement statement;
    statement.sql.Format(L"UPDATE notes SET groupId=%d,name=? WHERE id=%d", groupId, id);
    statement.parameters.Text(title);
    return statement;
}
