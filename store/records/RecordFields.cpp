// Reading one field of a row.
#include "store/records/RecordFields.h"

#include "store/records/NoteSql.h"
#include "framework/CDBVariant.h"
#include "framework/CRecordset.h"

int FieldInt(CRecordset& recordset, short index)
{
    CDBVariant value;
    recordset.GetFieldValue(index, value);
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

bool FieldText(CRecordset& recordset, short index, CString& text)
{
    CDBVariant value;
    recordset.GetFieldValue(index, value);
    text = value.m_dwType == DBVT_STRING ? *value.m_pstring : CString();
    return value.m_dwType != DBVT_NULL;
}
