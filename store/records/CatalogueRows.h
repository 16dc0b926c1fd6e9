// The row sources of the catalogue: the group list, the catalogue of notes
// and the search. Each opens its statement, hands every row to a receiver in
// order (the receiver handles a row before the next one is fetched) and
// closes it. A statement that cannot be opened is the Failed outcome, with
// nothing handed over; a failure while fetching is the Failed outcome too,
// after the rows before it and the receiver's OnRowsEnd.
#pragma once

#include "store/records/NoteSql.h"
#include "store/records/StoreOutcome.h"
#include "framework/CString.h"

class CDatabase;

struct GroupRow {
    int id = 0;
    CString groupName;
};

struct CatalogueRow {
    int id = 0;
    int groupId = 0;
    CString groupName;
    CString name;
    CString comments;  // empty when NULL
};

struct SearchRow {
    int id = 0;
    CString name;
    CString comments;  // empty when NULL
};

// Receives the rows of one row source.
template <class Row>
class CRowReceiver {
public:
    virtual ~CRowReceiver() = default;
    // The statement is open and no row has been handed over yet.
    virtual void OnRowsBegin() {}
    // The row is the receiver's to keep: its texts may be taken, not copied.
    virtual void OnRow(Row&& row) = 0;
    // Called once after OnRowsBegin: when every row has been handed over and
    // the statement closed, or when fetching failed.
    virtual void OnRowsEnd() {}
};

// "SELECT id,groupName FROM groups ORDER BY groupName": every group, group 0 included.
StoreOutcome ReadGroupList(CDatabase& database, CRowReceiver<GroupRow>& receiver);
// Notes with their groups, ordered by group number, then note name.
StoreOutcome ReadCatalogue(CDatabase& database, CRowReceiver<CatalogueRow>& receiver);
// The notes that BuildSearchStatement(text, scope) finds, in the same order.
StoreOutcome RunSearch(CDatabase& database, const CString& text, const SearchScope& scope, CRowReceiver<SearchRow>& receiver);
