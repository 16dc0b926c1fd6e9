// The sync memory's statements.
#include "store/sync/SyncMemorySql.h"

const wchar_t* const kCreateSyncMemoryStatement =
    L"CREATE TABLE syncFolders (id SMALLINT NOT NULL, folderKey VARCHAR(255) NOT NULL, folderPath LONGTEXT, "
    L"pending INTEGER NOT NULL, state LONGTEXT NOT NULL, PRIMARY KEY(id));";
const wchar_t* const kListSyncMemoryStatement = L"SELECT id,folderKey,folderPath,pending FROM syncFolders ORDER BY id";
const wchar_t* const kNextSyncMemoryIdStatement = L"SELECT Max(id)+1 FROM syncFolders";

CString BuildReadSyncStateStatement(int id)
{
    CString sql;
    sql.Format(L"SELECT state FROM syncFolders WHERE id=%d", id);
    return sql;
}

SqlStatement BuildInsertSyncMemoryStatement(int id, const CString& folderKey, const CString& folderPath, int pending,
                                            const CString& state)
{
    SqlStatement statement;
    statement.sql.Format(L"INSERT INTO syncFolders (id,folderKey,folderPath,pending,state) VALUES(%d,?,?,%d,?)", id, pending);
    statement.parameters.Text(folderKey).Text(folderPath).Text(state);
    return statement;
}

SqlStatement BuildUpdateSyncMemoryStatement(int id, const CString& folderPath, int pending, const CString& state)
{
    SqlStatement statement;
    statement.sql.Format(L"UPDATE syncFolders SET folderPath=?,pending=%d,state=? WHERE id=%d", pending, id);
    statement.parameters.Text(folderPath).Text(state);
    return statement;
}
