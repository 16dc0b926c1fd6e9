// Counting notes and the user's groups with two Count(*) statements.
#include "store/records/NoteCounts.h"

#include "store/records/NoteSql.h"
#include "store/records/OutcomeOf.h"
#include "framework/CDatabase.h"
#include "framework/CRecordset.h"

#include <cwchar>

namespace {

// The single number a "SELECT Count(*) ..." statement returns; NoRow when
// the statement returns no number.
StoreOutcome ReadCount(CDatabase& database, const wchar_t* sql, long& count)
{
    return OutcomeOf([&] {
        CRecordset rows(&database);
        rows.Open(CRecordset::forwardOnly, sql, CRecordset::executeDirect);
        CString text;
        if (!rows.IsEOF()) rows.GetFieldValue(static_cast<short>(0), text);
        rows.Close();
        wchar_t* end = nullptr;
        const long read = std::wcstol(text, &end, 10);
        if (text.IsEmpty() || *end) return StoreOutcome::NoRow();
        count = read;
        return StoreOutcome::Done();
    });
}

} // namespace

StoreOutcome CountNotesAndGroups(CDatabase& database, NoteCounts& counts)
{
    NoteCounts read;
    StoreOutcome outcome = ReadCount(database, kCountNotesStatement, read.notes);
    if (outcome.IsDone()) outcome = ReadCount(database, kCountUserGroupsStatement, read.groups);
    if (outcome.IsDone()) counts = read;
    return outcome;
}
