// The sync memory through the database connection.
#include "store/sync/SyncMemory.h"

#include "store/records/RecordFields.h"
#include "store/sync/SyncMemorySql.h"
#include "framework/CDBException.h"
#include "framework/CDatabase.h"
#include "framework/CRecordset.h"

#include <string>

namespace {

bool IsNoSuchTable(const CDBException& e) { return e.m_strStateNativeOrigin.Find(L"42S02") >= 0; }

std::string Narrow(const CString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.GetLength()));
    for (wchar_t ch : text.str()) bytes.push_back(ch < 0x80 ? static_cast<char>(ch) : '?');
    return bytes;
}

CString Widen(const std::string& bytes)
{
    std::wstring text(bytes.begin(), bytes.end());
    return CString(text.c_str());
}

} // namespace

bool ListSyncMemories(CDatabase& database, std::vector<SyncMemoryRow>& rows)
{
    rows.clear();
    CRecordset list(&database);
    try {
        list.Open(CRecordset::forwardOnly, kListSyncMemoryStatement, CRecordset::executeDirect);
    } catch (CDBException* e) {
        if (!IsNoSuchTable(*e)) throw;
        e->Delete();
        return false;
    }
    for (; !list.IsEOF(); list.MoveNext()) {
        SyncMemoryRow row;
        row.id = FieldInt(list, 0);
        FieldText(list, 1, row.folderKey);
        FieldText(list, 2, row.folderPath);
        row.pending = FieldInt(list, 3);
        rows.push_back(row);
    }
    list.Close();
    return true;
}

bool ReadSyncMemoryState(CDatabase& database, int id, SyncState& state)
{
    CRecordset read(&database);
    read.Open(CRecordset::forwardOnly, BuildReadSyncStateStatement(id), CRecordset::executeDirect);
    CString text;
    const bool found = !read.IsEOF() && FieldText(read, 0, text);
    read.Close();
    return found && ParseSyncState(Narrow(text), state);
}

void EnsureSyncMemoryTable(CDatabase& database)
{
    std::vector<SyncMemoryRow> rows;
    if (!ListSyncMemories(database, rows)) database.ExecuteSQL(kCreateSyncMemoryStatement);
}

void WriteSyncMemory(CDatabase& database, SyncMemoryRow& row, const SyncState& state)
{
    const CString text = Widen(ComposeSyncState(state));
    if (row.id >= 0) {
        const SqlStatement update = BuildUpdateSyncMemoryStatement(row.id, row.folderPath, row.pending, text);
        database.ExecuteSQL(update.sql, update.parameters);
        return;
    }
    CRecordset next(&database);
    next.Open(CRecordset::forwardOnly, kNextSyncMemoryIdStatement, CRecordset::executeDirect);
    row.id = next.IsEOF() ? 0 : FieldInt(next, 0);
    next.Close();
    const SqlStatement insert = BuildInsertSyncMemoryStatement(row.id, row.folderKey, row.folderPath, row.pending, text);
    database.ExecuteSQL(insert.sql, insert.parameters);
}
