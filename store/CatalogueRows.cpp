// Running the catalogue's row sources.
#include "CatalogueRows.h"

#include "OutcomeOf.h"
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

int ReadId(CRecordset& recordset, const wchar_t* column)
{
    CDBVariant value;
    recordset.GetFieldValue(column, value, SQL_C_SSHORT);
    return value.m_dwType == DBVT_SHORT ? static_cast<int>(value.m_iVal) : 0;
}

CString ReadText(CRecordset& recordset, const wchar_t* column)
{
    CString value;
    recordset.GetFieldValue(column, value);
    return value;
}

template <class Row, class ReadRow>
StoreOutcome RunRows(CDatabase& database, const SqlStatement& statement, CRowReceiver<Row>& receiver, ReadRow readRow)
{
    CRecordset recordset(&database);
    const StoreOutcome opened = OutcomeOf([&] {
        recordset.Open(CRecordset::forwardOnly, statement.sql, CRecordset::executeDirect, statement.parameters);
        return StoreOutcome::Done();
    });
    if (!opened.IsDone()) return opened;
    receiver.OnRowsBegin();
    CRowsEndGuard<Row> end(receiver);
    return OutcomeOf([&] {
        while (!recordset.IsEOF()) {
            receiver.OnRow(readRow(recordset));
            recordset.MoveNext();
        }
        recordset.Close();
        return StoreOutcome::Done();
    });
}

} // namespace

StoreOutcome ReadGroupList(CDatabase& database, CRowReceiver<GroupRow>& receiver)
{
    return RunRows(database, SqlStatement{kGroupListStatement, {}}, receiver, [](CRecordset& rs) {
        GroupRow row;
        row.id = ReadId(rs, L"id");
        row.groupName = ReadText(rs, L"groupName");
        return row;
    });
}

StoreOutcome ReadCatalogue(CDatabase& database, CRowReceiver<CatalogueRow>& receiver)
{
    return RunRows(database, SqlStatement{kCatalogueStatement, {}}, receiver, [](CRecordset& rs) {
        CatalogueRow row;
        row.id = ReadId(rs, L"id");
        row.groupId = ReadId(rs, L"groupId");
        row.groupName = ReadText(rs, L"groupName");
        row.name = ReadText(rs, L"name");
        row.comments = ReadText(rs, L"comments");
        return row;
    });
}

StoreOutcome RunSearch(CDatabase& database, const CString& text, const SearchScope& scope, CRowReceiver<SearchRow>& receiver)
{
    return RunRows(database, BuildSearchStatement(text, scope), receiver, [](CRecordset& rs) {
        SearchRow row;
        row.id = ReadId(rs, L"id");
        row.name = ReadText(rs, L"name");
        row.comments = ReadText(rs, L"comments");
        return row;
    });
}
