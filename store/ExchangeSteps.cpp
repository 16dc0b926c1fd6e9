// The steps that export, import and sync share.
#include "ExchangeSteps.h"

#include "framework/CDBVariant.h"
#include "framework/CRecordset.h"

#include <cstdlib>

ExchangeOutcome Failed(const CString& message)
{
    ExchangeOutcome outcome;
    outcome.ok = false;
    outcome.message = message;
    return outcome;
}

ExchangeOutcome Cancelled()
{
    ExchangeOutcome outcome = Failed(L"Cancelled.");
    outcome.cancelled = true;
    return outcome;
}

int FieldInt(CRecordset& recordset, short index)
{
    CDBVariant value;
    recordset.GetFieldValue(index, value);
    switch (value.m_dwType) {
    case DBVT_SHORT: return value.m_iVal;
    case DBVT_LONG: return static_cast<int>(value.m_lVal);
    case DBVT_STRING: return _wtoi(*value.m_pstring);
    default: return 0;
    }
}

bool FieldText(CRecordset& recordset, short index, CString& text)
{
    CDBVariant value;
    recordset.GetFieldValue(index, value);
    text = value.m_dwType == DBVT_STRING ? *value.m_pstring : CString();
    return value.m_dwType != DBVT_NULL;
}
