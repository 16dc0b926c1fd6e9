// CDBVariant: one field value read from a recordset, of the type named by
// m_dwType (DBVT_...). A text value is owned through m_pstring, a date
// through m_pdate; Clear releases them.
#pragma once

#include "CString.h"

#include <windows.h>
#include <sqltypes.h>

#define DBVT_NULL 0
#define DBVT_BOOL 1
#define DBVT_UCHAR 2
#define DBVT_SHORT 3
#define DBVT_LONG 4
#define DBVT_SINGLE 5
#define DBVT_DOUBLE 6
#define DBVT_DATE 7
#define DBVT_STRING 8
#define DBVT_BINARY 9

class CDBVariant {
public:
    CDBVariant() { m_lVal = 0; }
    ~CDBVariant() { Clear(); }
    CDBVariant(const CDBVariant&) = delete;
    CDBVariant& operator=(const CDBVariant&) = delete;

    void Clear()
    {
        if (m_dwType == DBVT_STRING) delete m_pstring;
        else if (m_dwType == DBVT_DATE) delete m_pdate;
        m_dwType = DBVT_NULL;
        m_lVal = 0;
    }

    DWORD m_dwType = DBVT_NULL;
    union {
        BOOL m_boolVal;
        unsigned char m_chVal;
        short m_iVal;
        long m_lVal;
        float m_fltVal;
        double m_dblVal;
        TIMESTAMP_STRUCT* m_pdate;  // owned when m_dwType is DBVT_DATE
        CString* m_pstring;         // owned when m_dwType is DBVT_STRING
    };
};
