// Running the catalogue's row sources.
#include "store/records/CatalogueRows.h"

#include "store/records/OutcomeOf.h"
#include "framework/CDBVariant.h"
#include "framework/CDatabase.h"
#include "framework/CRecordset.h"

#include <sqlext.h>

namespace {

// Calls OnRowsEnd when the rows are done, normally or by an exception.
template <class Row>
class CRowsEndGuard {
public:
    explicit CRowsEndGuard(CRowReceiver<Row>& receiver) : m_receiver(receiver) {}
    ~CRowsEndGuard() { m_receiver.OnRowsEnd(); }
    CRowsEndGuard(const CRowsEndGuard&) = delete;
    CRowsEndGuard& operator=(const CRowsEndGuard&) = delete;

private:
    CRowReceiver<Row>& m_receiver;
};

int ReadId(CRecordset& recordset, short column)
{
    CDBVariant value;
    recordset.GetFieldValue(column, value, SQL_C_SSHORT);
    return value.m_dwType == DBVT_SHORT ? static_cast<int>(value.m_iVal) : 0;
}

CString ReadText(CRecordset& recordset, short column)
{
    CString value;
    recordset.GetFieldValue(column, value);
    return value;
}

// Runs `statement` and hands each row, read by `readRow`, to `receiver`. The
// columns named in `names` are looked up once, and `readRow` gets their
// positions in the same order: a long list is not searched by name for
// every field of every row.
template <class Row, size_t Count, class ReadRow>
StoreOutcome RunRows(CDatabase& database, const SqlStatement& statement, CRowReceiver<Row>& receiver, const wchar_t* const (&names)[Count],
                     ReadRow readRow)
{
    CRecordset recordset(&database);
    short columns[Count] = {};
    const StoreOutcome opened = OutcomeOf([&] {
        recordset.Open(CRecordset::forwardOnly, statement.sql, CRecordset::executeDirect, statement.parameters);
        for (size_t i = 0; i < Count; ++i) columns[i] = recordset.GetFieldIndexByName(names[i]);
        return StoreOutcome::Done();
    });
    if (!opened.IsDone()) return opened;
    receiver.OnRowsBegin();
    CRowsEndGuard<Row> end(receiver);
    return OutcomeOf([&] {
        while (!recordset.IsEOF()) {
            receiver.OnRow(readRow(recordset, columns));
            recordset.MoveNext();
        }
        recordset.Close();
        return StoreOutcome::Done();
    });
}

} // namespace

StoreOutcome ReadGroupList(CDatabase& database, CRowReceiver<GroupRow>& receiver)
{
    static const wchar_t* const kColumns[] = {L"id", L"groupName"};
    return RunRows(database, SqlStatement{kGroupListStatement, {}}, receiver, kColumns, [](CRecordset& rs, const short* column) {
        GroupRow row;
        row.id = ReadId(rs, column[0]);
        row.groupName = ReadText(rs, column[1]);
        return row;
    });
}

StoreOutcome ReadCatalogue(CDatabase& database, CRowReceiver<CatalogueRow>& receiver)
{
    static const wchar_t* const kColumns[] = {L"id", L"groupId", L"groupName", L"name", L"comments"};
    return RunRows(database, SqlStatement{kCatalogueStatement, {}}, receiver, kColumns, [](CRecordset& rs, const short* column) {
        CatalogueRow row;
        row.id = ReadId(rs, column[0]);
        row.groupId = ReadId(rs, column[1]);
        row.groupName = ReadText(rs, column[2]);
        row.name = ReadText(rs, column[3]);
        row.comments = ReadText(rs, column[4]);
        return row;
    });
}

StoreOutcome RunSearch(CDatabase& database, const CString& text, const SearchScope& scope, CRowReceiver<SearchRow>& receiver)
{
    static const wchar_t* const kColumns[] = {L"id", L"name", L"comments"};
    return RunRows(database, BuildSearchStatement(text, scope), receiver, kColumns, [](CRecordset& rs, const short* column) {
        SearchRow row;
        row.id = ReadId(rs, column[0]);
        row.name = ReadText(rs, column[1]);
        row.comments = ReadText(rs, column[2]);
        return row;
    });
}
