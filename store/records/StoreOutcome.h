// StoreOutcome: what a note store operation came to. Done (the row was read,
// the change made), no row (the row it needs does not exist), or failed,
// with the database's own text and the failure's kind. The store shows
// nothing itself; the dialog decides what the user sees. Portable.
#pragma once

#include "framework/CString.h"

class CDBException;

enum class StoreResult {
    Done,
    NoRow,
    Failed,
};

struct StoreOutcome {
    StoreResult result = StoreResult::Done;
    // The database's text, one line per diagnostic: why a Failed outcome
    // failed, or what cut a Done row's text short (empty otherwise).
    CString error;
    // "State:<SQLSTATE>,Native:<code>,Origin:<origin>" for each diagnostic.
    CString diagnostics;

    static StoreOutcome Done() { return StoreOutcome(); }
    static StoreOutcome NoRow()
    {
        StoreOutcome outcome;
        outcome.result = StoreResult::NoRow;
        return outcome;
    }
    // A change the store refuses before any statement runs, with its reason.
    static StoreOutcome Refused(const CString& reason)
    {
        StoreOutcome outcome;
        outcome.result = StoreResult::Failed;
        outcome.error = reason;
        outcome.diagnostics = L"State:22001,Native:0,Origin:Quillbox";
        return outcome;
    }
    // The failure a database exception describes (Windows only).
    static StoreOutcome Failure(const CDBException& e);

    bool IsDone() const { return result == StoreResult::Done; }
    explicit operator bool() const { return IsDone(); }
    // The kind of failure: the SQLSTATE of the first diagnostic, "" when there is none.
    CString SqlState() const
    {
        const int at = diagnostics.Find(L"State:");
        return at < 0 ? CString() : diagnostics.Mid(at + 6, 5);
    }
};
