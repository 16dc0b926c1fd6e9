// Reading and changing single notes and groups, and reporting their failures.
#include "NoteRecords.h"

#include "NoteSql.h"
#include "StoreReports.h"
#include "res/resource.h"
#include "framework/CDBException.h"
#include "framework/CDBVariant.h"
#include "framework/CDatabase.h"
#include "framework/CRecordset.h"

#include <cwchar>

namespace {

// A variant read with the column's default type, as an int.
int VariantToInt(const CDBVariant& value)
{
    switch (value.m_dwType) {
    case DBVT_SHORT: return value.m_iVal;
    case DBVT_LONG: return static_cast<int>(value.m_lVal);
    case DBVT_UCHAR: return value.m_chVal;
    case DBVT_BOOL: return value.m_boolVal ? 1 : 0;
    case DBVT_SINGLE: return static_cast<int>(value.m_fltVal);
    case DBVT_DOUBLE: return static_cast<int>(value.m_dblVal);
    case DBVT_STRING: return NoteIdFromText(*value.m_pstring);
    default: return 0;
    }
}

int ReadIntField(CRecordset& recordset, short index)
{
    CDBVariant value;
    recordset.GetFieldValue(index, value);
    const int result = VariantToInt(value);
    value.Clear();
    return result;
}

// Runs a change; on failure shows the report `report` and returns false.
template <class Report>
bool Change(CDatabase& database, const CString& sql, Report report)
{
    try {
        database.ExecuteSQL(sql);
        return true;
    } catch (CDBException* e) {
        report(e);
        e->Delete();
        return false;
    }
}

// After an update: false, with the not-found message, when it touched no row
// because the row is gone. A driver that cannot count rows is taken at its word.
bool FoundRow(const CDatabase& database, HWND owner, UINT notFoundText)
{
    if (database.GetRowsAffected() != 0) return true;
    ShowNotFound(owner, notFoundText);
    return false;
}

// Reads the single text of a "SELECT Max(id)+1" statement. Failure: error
// box; no row: the not-found message.
bool ReadMaxIdText(CDatabase& database, HWND owner, const wchar_t* sql, CString& text)
{
    try {
        CRecordset recordset(&database);
        recordset.Open(CRecordset::forwardOnly, sql, CRecordset::executeDirect);
        if (recordset.IsEOF()) {
            ShowNotFound(owner, IDS_NO_MAX_ID);
            return false;
        }
        recordset.GetFieldValue(static_cast<short>(0), text);
        recordset.Close();
        return true;
    } catch (CDBException* e) {
        ShowErrorBox(e);
        e->Delete();
        return false;
    }
}

} // namespace

ReadResult ReadNote(CDatabase& database, int noteId, NoteRecord& record)
{
    try {
        CRecordset recordset(&database);
        recordset.Open(CRecordset::forwardOnly, BuildReadNoteStatement(noteId), CRecordset::executeDirect);
        if (recordset.IsEOF()) return ReadResult::NoRow;
        NoteRecord row;
        row.id = ReadIntField(recordset, 0);
        row.groupId = ReadIntField(recordset, 1);
        recordset.GetFieldValue(static_cast<short>(2), row.name);
        recordset.GetFieldValue(static_cast<short>(3), row.comments);
        recordset.GetFieldValue(static_cast<short>(4), row.query);
        recordset.Close();
        record = row;
        return ReadResult::Row;
    } catch (CDBException* e) {
        ShowOwnReport(e);
        e->Delete();
        return ReadResult::Failed;
    }
}

ReadResult ReadNoteQuery(CDatabase& database, HWND owner, int noteId, CString& query)
{
    CRecordset recordset(&database);
    try {
        recordset.Open(CRecordset::forwardOnly, BuildReadNoteQueryStatement(noteId), CRecordset::executeDirect);
    } catch (CDBException* e) {
        ShowOwnReport(e);
        e->Delete();
        return ReadResult::Failed;
    }
    if (recordset.IsEOF()) {
        ShowNotFound(owner, IDS_NOTE_NOT_FOUND);
        return ReadResult::NoRow;
    }
    query.Empty();
    try {
        recordset.GetFieldValue(static_cast<short>(0), query);
    } catch (CDBException* e) {
        if (!e->m_strError.IsEmpty()) ShowOwnReport(e);
        e->Delete();
    }
    return ReadResult::Row;
}

bool NextNoteId(CDatabase& database, HWND owner, int& noteId)
{
    CString text;
    if (!ReadMaxIdText(database, owner, kNextNoteIdStatement, text)) return false;
    noteId = NoteIdFromText(text);
    return true;
}

bool InsertNote(CDatabase& database, const NoteRecord& record)
{
    return Change(database, BuildInsertNoteStatement(record), ShowErrorBox);
}

bool InsertNewNote(CDatabase& database, HWND owner, NoteRecord& record)
{
    constexpr int kRetries = 5;
    if (!NextNoteId(database, owner, record.id)) return false;
    for (int attempt = 0;; ++attempt) {
        try {
            database.ExecuteSQL(BuildInsertNoteStatement(record));
            return true;
        } catch (CDBException* e) {
            int next = record.id;
            const bool keyBroken = attempt < kRetries && e->m_strStateNativeOrigin.Find(L"State:23000") >= 0;
            if (keyBroken && !NextNoteId(database, owner, next)) {
                e->Delete();  // the re-read has shown its own report
                return false;
            }
            if (next <= record.id) {
                // Not a number taken meanwhile: the insert broke another rule.
                ShowErrorBox(e);
                e->Delete();
                return false;
            }
            e->Delete();
            record.id = next;
        }
    }
}

bool UpdateNote(CDatabase& database, HWND owner, const NoteRecord& record)
{
    if (!Change(database, BuildUpdateNoteStatement(record), ShowErrorBox)) return false;
    return FoundRow(database, owner, IDS_NOTE_NOT_FOUND);
}

bool DeleteNote(CDatabase& database, int noteId) { return Change(database, BuildDeleteNoteStatement(noteId), ShowOwnReport); }

ReadResult ReadGroupDescription(CDatabase& database, HWND owner, int groupId, CString& description)
{
    try {
        CRecordset recordset(&database);
        recordset.Open(CRecordset::forwardOnly, BuildReadGroupDescriptionStatement(groupId), CRecordset::executeDirect);
        if (recordset.IsEOF()) {
            ShowNotFound(owner, IDS_GROUP_NOT_FOUND);
            return ReadResult::NoRow;
        }
        CString text;
        recordset.GetFieldValue(static_cast<short>(0), text);
        description = text;
        return ReadResult::Row;
    } catch (CDBException* e) {
        ShowErrorBox(e);
        e->Delete();
        return ReadResult::Failed;
    }
}

bool NextGroupId(CDatabase& database, HWND owner, CString& idText)
{
    return ReadMaxIdText(database, owner, kNextGroupIdStatement, idText);
}

bool InsertGroup(CDatabase& database, const CString& idText, const CString& name, const CString& description)
{
    return Change(database, BuildInsertGroupStatement(idText, name, description), ShowErrorBox);
}

bool UpdateGroup(CDatabase& database, HWND owner, const CString& idText, const CString& name, const CString& description)
{
    if (!Change(database, BuildUpdateGroupStatement(idText, name, description), ShowErrorBox)) return false;
    return FoundRow(database, owner, IDS_GROUP_NOT_FOUND);
}

bool DeleteGroup(CDatabase& database, int groupId)
{
    return Change(database, BuildDeleteGroupStatement(groupId), ShowErrorBox);
}
