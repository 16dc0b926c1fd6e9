// CRecordset: executing a SELECT, moving through its rows and reading fields.
#include "CRecordset.h"

#include "BoundParameters.h"
#include "CDBException.h"
#include "CDBVariant.h"
#include "CDatabase.h"

#include <sqlext.h>

#include <cwchar>
#include <type_traits>

namespace {

// The C type a variant gets for a column's SQL type.
SQLSMALLINT VariantCType(SQLSMALLINT sqlType)
{
    switch (sqlType) {
    case SQL_BIT: return SQL_C_BIT;
    case SQL_TINYINT: return SQL_C_UTINYINT;
    case SQL_SMALLINT: return SQL_C_SSHORT;
    case SQL_INTEGER: return SQL_C_SLONG;
    case SQL_REAL: return SQL_C_FLOAT;
    case SQL_FLOAT:
    case SQL_DOUBLE: return SQL_C_DOUBLE;
    case SQL_DATE:
    case SQL_TIME:
    case SQL_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
    case SQL_TYPE_TIMESTAMP: return SQL_C_TYPE_TIMESTAMP;
    default: return SQL_C_WCHAR;  // text, and numbers too wide for the variant's fields
    }
}

} // namespace

CRecordset::CRecordset(CDatabase* database) : m_pDatabase(database) {}

CRecordset::~CRecordset() { Close(); }

BOOL CRecordset::Open(UINT openType, LPCWSTR sql, DWORD options) { return Open(openType, sql, options, CDBParameters()); }

BOOL CRecordset::Open(UINT, LPCWSTR sql, DWORD, const CDBParameters& parameters)
{
    Close();
    if (sql) m_strSQL = sql;
    if (!m_pDatabase || !m_pDatabase->IsOpen()) AfxThrowDBException(L"The database is not open.");

    SQLRETURN rc = m_statement.Allocate(SQL_HANDLE_STMT, m_pDatabase->GetConnectionHandle());
    if (!SQL_SUCCEEDED(rc)) {
        m_statement.Detach();
        AfxThrowDBException(rc, m_pDatabase, nullptr);
    }
    m_pDatabase->AttachRecordset(this);
    // A new statement is already forward-only and read-only (ODBC's
    // defaults), which is how every recordset reads.
    // The text goes to the driver as it is, executed directly.
    rc = ExecuteDirectWithParameters(m_statement.Get(), m_strSQL, parameters);
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) ThrowFromStatement(rc);

    SQLSMALLINT count = 0;
    ::SQLNumResultCols(m_statement.Get(), &count);
    // Columns are described when a name or a column's own type is asked for.
    m_fields.assign(static_cast<size_t>(count), Field());
    m_bof = false;
    m_eof = false;
    if (count == 0) {
        m_bof = m_eof = true;
        return TRUE;
    }
    Fetch();
    m_bof = m_eof;
    return TRUE;
}

void CRecordset::Close()
{
    if (!m_statement) return;
    // Freeing the statement closes its cursor too.
    m_statement.Free();
    if (m_pDatabase) m_pDatabase->DetachRecordset(this);
    m_fields.clear();
    m_eof = m_bof = true;
}

void CRecordset::Fetch()
{
    const SQLRETURN rc = ::SQLFetch(m_statement.Get());
    if (rc == SQL_NO_DATA) {
        m_eof = true;
        return;
    }
    if (!SQL_SUCCEEDED(rc)) ThrowFromStatement(rc);
}

void CRecordset::MoveNext()
{
    if (!m_statement || m_eof) AfxThrowDBException(L"Attempt to scroll past end or before beginning of data.");
    m_bof = false;
    Fetch();
}

void CRecordset::ThrowFromStatement(SQLRETURN rc) { AfxThrowDBException(rc, SQL_HANDLE_STMT, m_statement.Get()); }

const CRecordset::Field& CRecordset::DescribedField(short index)
{
    Field& field = m_fields[static_cast<size_t>(index)];
    if (field.described) return field;
    SQLWCHAR name[256] = {};
    SQLSMALLINT nameLength = 0, type = 0, decimals = 0, nullable = 0;
    SQLULEN size = 0;
    const SQLRETURN rc =
        ::SQLDescribeColW(m_statement.Get(), static_cast<SQLUSMALLINT>(index + 1), name, 256, &nameLength, &type, &size, &decimals, &nullable);
    if (!SQL_SUCCEEDED(rc)) ThrowFromStatement(rc);
    field.name = reinterpret_cast<const wchar_t*>(name);
    field.sqlType = type;
    field.described = true;
    return field;
}

short CRecordset::IndexOf(LPCWSTR name)
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (DescribedField(static_cast<short>(i)).name.CompareNoCase(name ? name : L"") == 0) return static_cast<short>(i);
    }
    AfxThrowDBException(CString(L"The field '") + (name ? name : L"") + L"' is not a column of the result.");
}

void CRecordset::CheckField(short index) const
{
    if (!m_statement || m_eof) AfxThrowDBException(L"No current record.");
    if (index < 0 || static_cast<size_t>(index) >= m_fields.size()) {
        CString text;
        text.Format(L"Field index %d is out of range: the result has %d columns.", index, static_cast<int>(m_fields.size()));
        AfxThrowDBException(text);
    }
}

void CRecordset::GetFieldValue(LPCWSTR name, CString& value) { GetFieldValue(IndexOf(name), value); }

void CRecordset::GetFieldValue(LPCWSTR name, CDBVariant& value, short fieldType) { GetFieldValue(IndexOf(name), value, fieldType); }

void CRecordset::GetFieldValue(short index, CString& value)
{
    CheckField(index);
    value.Empty();
    // The value arrives in pieces until the driver says it is complete. The
    // first piece goes to a small buffer that holds a whole name or comment;
    // a longer value goes on in large pieces. A large buffer for every field
    // would cost more than the read itself on a long list.
    SQLWCHAR small[1024];
    std::vector<SQLWCHAR> large;
    SQLWCHAR* buffer = small;
    size_t capacity = sizeof small / sizeof *small;
    CString text;
    for (;;) {
        const SQLLEN capacityBytes = static_cast<SQLLEN>(capacity * sizeof(SQLWCHAR));
        SQLLEN indicator = 0;
        const SQLRETURN rc = ::SQLGetData(m_statement.Get(), static_cast<SQLUSMALLINT>(index + 1), SQL_C_WCHAR, buffer,
                                          capacityBytes, &indicator);
        if (rc == SQL_NO_DATA) break;
        if (!SQL_SUCCEEDED(rc)) ThrowFromStatement(rc);
        if (indicator == SQL_NULL_DATA) break;
        const bool complete = rc == SQL_SUCCESS ||
                              (indicator != SQL_NO_TOTAL && indicator <= capacityBytes - static_cast<SQLLEN>(sizeof(SQLWCHAR)));
        const size_t chars = complete && indicator != SQL_NO_TOTAL ? static_cast<size_t>(indicator) / sizeof(SQLWCHAR)
                                                                   : wcsnlen(reinterpret_cast<const wchar_t*>(buffer), capacity - 1);
        if (complete && text.IsEmpty()) {
            // The usual case: the whole value in the first piece.
            value = CString(reinterpret_cast<const wchar_t*>(buffer), static_cast<int>(chars));
            return;
        }
        text += CString(reinterpret_cast<const wchar_t*>(buffer), static_cast<int>(chars));
        if (complete) break;
        if (buffer == small) {
            large.resize(16384);
            buffer = large.data();
            capacity = large.size();
        }
    }
    value = text;
}

void CRecordset::GetFieldValue(short index, CDBVariant& value, short fieldType)
{
    CheckField(index);
    value.Clear();
    const SQLSMALLINT cType = fieldType == DEFAULT_FIELD_TYPE ? VariantCType(DescribedField(index).sqlType) : fieldType;
    const auto column = static_cast<SQLUSMALLINT>(index + 1);
    SQLLEN indicator = 0;
    auto read = [&](SQLSMALLINT type, void* target, SQLLEN size) {
        const SQLRETURN rc = ::SQLGetData(m_statement.Get(), column, type, target, size, &indicator);
        if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) ThrowFromStatement(rc);
        return rc != SQL_NO_DATA && indicator != SQL_NULL_DATA;
    };
    // A number read as `type` into the variant's `member`, tagged `variantType`; NULL leaves the variant null.
    auto readNumber = [&](SQLSMALLINT type, auto CDBVariant::*member, DWORD variantType) {
        std::remove_reference_t<decltype(value.*member)> number = 0;
        if (!read(type, &number, sizeof number)) return;
        value.*member = number;
        value.m_dwType = variantType;
    };
    switch (cType) {
    case SQL_C_BIT: {
        unsigned char v = 0;
        if (read(SQL_C_BIT, &v, sizeof v)) value.m_boolVal = v != 0, value.m_dwType = DBVT_BOOL;
        break;
    }
    case SQL_C_UTINYINT:
    case SQL_C_TINYINT:
    case SQL_C_STINYINT:
        readNumber(SQL_C_UTINYINT, &CDBVariant::m_chVal, DBVT_UCHAR);
        break;
    case SQL_C_SSHORT:
    case SQL_C_SHORT:
        readNumber(SQL_C_SSHORT, &CDBVariant::m_iVal, DBVT_SHORT);
        break;
    case SQL_C_SLONG:
    case SQL_C_LONG:
        readNumber(SQL_C_SLONG, &CDBVariant::m_lVal, DBVT_LONG);
        break;
    case SQL_C_FLOAT:
        readNumber(SQL_C_FLOAT, &CDBVariant::m_fltVal, DBVT_SINGLE);
        break;
    case SQL_C_DOUBLE:
        readNumber(SQL_C_DOUBLE, &CDBVariant::m_dblVal, DBVT_DOUBLE);
        break;
    case SQL_C_TYPE_TIMESTAMP:
    case SQL_C_TIMESTAMP: {
        TIMESTAMP_STRUCT v = {};
        if (read(SQL_C_TYPE_TIMESTAMP, &v, sizeof v)) value.m_pdate = new TIMESTAMP_STRUCT(v), value.m_dwType = DBVT_DATE;
        break;
    }
    default: {
        // Text (and any other type) as a string; NULL stays a null variant.
        CString text;
        SQLWCHAR probe[1];
        const SQLRETURN rc = ::SQLGetData(m_statement.Get(), column, SQL_C_WCHAR, probe, 0, &indicator);
        if (rc == SQL_NO_DATA || indicator == SQL_NULL_DATA) break;
        if (!SQL_SUCCEEDED(rc)) ThrowFromStatement(rc);
        GetFieldValue(index, text);
        value.m_pstring = new CString(text);
        value.m_dwType = DBVT_STRING;
        break;
    }
    }
}
