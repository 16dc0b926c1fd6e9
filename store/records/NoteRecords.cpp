// Reading and changing single notes and groups.
#include "store/records/NoteRecords.h"

#include "store/records/NoteSql.h"
#include "store/records/OutcomeOf.h"
#include "store/records/RecordFields.h"
#include "store/format/Utf8Text.h"
#include "framework/CDBVariant.h"
#include "framework/CDatabase.h"
#include "framework/CRecordset.h"

namespace {

StoreOutcome Change(CDatabase& database, const SqlStatement& statement)
{
    return OutcomeOf([&] {
        database.ExecuteSQL(statement.sql, statement.parameters);
        return StoreOutcome::Done();
    });
}

StoreOutcome Change(CDatabase& database, const CString& sql) { return Change(database, SqlStatement{sql, {}}); }

// A change that must touch its row: NoRow when it touched none because the
// row is gone. A driver that cannot count rows is taken at its word.
StoreOutcome ChangeRow(CDatabase& database, const SqlStatement& statement)
{
    const StoreOutcome changed = Change(database, statement);
    if (changed.IsDone() && database.GetRowsAffected() == 0) return StoreOutcome::NoRow();
    return changed;
}

// Runs `sql` and hands its first row to `read`: NoRow when there is none.
template <class Read>
StoreOutcome ReadFirstRow(CDatabase& database, const CString& sql, Read read)
{
    return OutcomeOf([&] {
        CRecordset recordset(&database);
        recordset.Open(CRecordset::forwardOnly, sql, CRecordset::executeDirect);
        if (recordset.IsEOF()) return StoreOutcome::NoRow();
        read(recordset);
        return StoreOutcome::Done();
    });
}

// Reads the single text of a "SELECT Max(id)+1" statement.
StoreOutcome ReadMaxIdText(CDatabase& database, const wchar_t* sql, CString& text)
{
    return ReadFirstRow(database, sql, [&](CRecordset& recordset) {
        recordset.GetFieldValue(static_cast<short>(0), text);
        recordset.Close();
    });
}

// Refused when `text` is longer than a VARCHAR(255) column holds; Done otherwise.
StoreOutcome CheckLength(const wchar_t* field, const CString& text)
{
    const int length = Utf16Length(text);
    if (length <= kTextColumnLimit) return StoreOutcome::Done();
    CString reason;
    reason.Format(L"The %s is %d characters long, but it can hold at most %d characters. Nothing was saved.", field, length,
                  kTextColumnLimit);
    return StoreOutcome::Refused(reason);
}

StoreOutcome CheckNoteLengths(const NoteRecord& record)
{
    const StoreOutcome title = CheckLength(L"title", record.name);
    return title.IsDone() ? CheckLength(L"comments field", record.comments) : title;
}

bool IsKeyViolation(const StoreOutcome& outcome) { return outcome.diagnostics.Find(L"State:23000") >= 0; }

} // namespace

StoreOutcome ReadNote(CDatabase& database, int noteId, NoteRecord& record)
{
    return ReadFirstRow(database, BuildReadNoteStatement(noteId), [&](CRecordset& recordset) {
        NoteRecord row;
        row.id = FieldInt(recordset, 0);
        row.groupId = FieldInt(recordset, 1);
        recordset.GetFieldValue(static_cast<short>(2), row.name);
        recordset.GetFieldValue(static_cast<short>(3), row.comments);
        recordset.GetFieldValue(static_cast<short>(4), row.query);
        recordset.Close();
        record = row;
    });
}

StoreOutcome ReadNoteQuery(CDatabase& database, int noteId, CString& query)
{
    CRecordset recordset(&database);
    const StoreOutcome opened = OutcomeOf([&] {
        recordset.Open(CRecordset::forwardOnly, BuildReadNoteQueryStatement(noteId), CRecordset::executeDirect);
        return recordset.IsEOF() ? StoreOutcome::NoRow() : StoreOutcome::Done();
    });
    if (!opened.IsDone()) return opened;
    query.Empty();
    StoreOutcome read = OutcomeOf([&] {
        recordset.GetFieldValue(static_cast<short>(0), query);
        return StoreOutcome::Done();
    });
    // The row was found: what was read of its text is the result.
    read.result = StoreResult::Done;
    return read;
}

StoreOutcome NextNoteId(CDatabase& database, int& noteId)
{
    CString text;
    const StoreOutcome read = ReadMaxIdText(database, kNextNoteIdStatement, text);
    if (read.IsDone()) noteId = NoteIdFromText(text);
    return read;
}

StoreOutcome InsertNote(CDatabase& database, const NoteRecord& record)
{
    const StoreOutcome fits = CheckNoteLengths(record);
    return fits.IsDone() ? Change(database, BuildInsertNoteStatement(record)) : fits;
}

StoreOutcome InsertNewNote(CDatabase& database, NoteRecord& record)
{
    constexpr int kRetries = 5;
    const StoreOutcome fits = CheckNoteLengths(record);
    if (!fits.IsDone()) return fits;
    const StoreOutcome first = NextNoteId(database, record.id);
    if (!first.IsDone()) return first;
    for (int attempt = 0;; ++attempt) {
        const StoreOutcome inserted = InsertNote(database, record);
        if (inserted.IsDone() || attempt >= kRetries || !IsKeyViolation(inserted)) return inserted;
        int next = record.id;
        const StoreOutcome reread = NextNoteId(database, next);
        if (!reread.IsDone()) return reread;
        // Not a number taken meanwhile: the insert broke another rule.
        if (next <= record.id) return inserted;
        record.id = next;
    }
}

StoreOutcome UpdateNote(CDatabase& database, const NoteRecord& record)
{
    const StoreOutcome fits = CheckNoteLengths(record);
    return fits.IsDone() ? ChangeRow(database, BuildUpdateNoteStatement(record)) : fits;
}

StoreOutcome DeleteNote(CDatabase& database, int noteId) { return Change(database, BuildDeleteNoteStatement(noteId)); }

StoreOutcome ReadGroupDescription(CDatabase& database, int groupId, CString& description)
{
    return ReadFirstRow(database, BuildReadGroupDescriptionStatement(groupId), [&](CRecordset& recordset) {
        CString text;
        recordset.GetFieldValue(static_cast<short>(0), text);
        description = text;
    });
}

StoreOutcome ReadGroup(CDatabase& database, int groupId, CString& name, CString& description)
{
    return ReadFirstRow(database, BuildReadGroupStatement(groupId), [&](CRecordset& recordset) {
        CString nameText, descriptionText;
        recordset.GetFieldValue(static_cast<short>(0), nameText);
        recordset.GetFieldValue(static_cast<short>(1), descriptionText);
        recordset.Close();
        name = nameText;
        description = descriptionText;
    });
}

StoreOutcome FindSameTitle(CDatabase& database, int groupId, const CString& name, int noteId)
{
    return OutcomeOf([&] {
        const SqlStatement statement = BuildSameTitleStatement(groupId, name, noteId);
        CRecordset recordset(&database);
        recordset.Open(CRecordset::forwardOnly, statement.sql, CRecordset::executeDirect, statement.parameters);
        return recordset.IsEOF() ? StoreOutcome::NoRow() : StoreOutcome::Done();
    });
}

StoreOutcome RenameGroup(CDatabase& database, int groupId, const CString& name)
{
    const StoreOutcome fits = CheckLength(L"group name", name);
    return fits.IsDone() ? ChangeRow(database, BuildRenameGroupStatement(groupId, name)) : fits;
}

StoreOutcome NextGroupId(CDatabase& database, CString& idText)
{
    return ReadMaxIdText(database, kNextGroupIdStatement, idText);
}

StoreOutcome InsertGroup(CDatabase& database, const CString& idText, const CString& name, const CString& description)
{
    const StoreOutcome fits = CheckLength(L"group name", name);
    return fits.IsDone() ? Change(database, BuildInsertGroupStatement(idText, name, description)) : fits;
}

StoreOutcome UpdateGroup(CDatabase& database, const CString& idText, const CString& name, const CString& description)
{
    const StoreOutcome fits = CheckLength(L"group name", name);
    return fits.IsDone() ? ChangeRow(database, BuildUpdateGroupStatement(idText, name, description)) : fits;
}

StoreOutcome DeleteGroup(CDatabase& database, int groupId) { return Change(database, BuildDeleteGroupStatement(groupId)); }
