// CRecordset: the result of one SELECT on a CDatabase, read row by row from
// front to back. Fields are read with GetFieldValue by position (0 first) or
// by column name, as text or as a CDBVariant; a long text is read whole in
// pieces, NULL reads as an empty text and a number as its decimal digits.
#pragma once

#include "CDBParameters.h"
#include "CString.h"
#include "OdbcHandle.h"

#include <vector>

class CDatabase;
class CDBVariant;

#define AFX_DB_USE_DEFAULT_TYPE (0xffffffff)

class CRecordset {
public:
    enum OpenType { dynaset, snapshot, forwardOnly, dynamic };
    enum OpenOptions {
        none = 0x0,
        readOnly = 0x0004,
        appendOnly = 0x0008,
        skipDeletedRecords = 0x0010,
        noDirtyFieldCheck = 0x0020,
        useBookmarks = 0x0100,
        useMultiRowFetch = 0x0200,
        userAllocMultiRowBuffers = 0x0400,
        useExtendedFetch = 0x0800,
        executeDirect = 0x2000,
        optimizeBulkAdd = 0x4000,
        firstBulkAdd = 0x8000,
    };
    // Field type that lets the column's own SQL type choose the variant type.
    static constexpr short DEFAULT_FIELD_TYPE = 0;

    explicit CRecordset(CDatabase* database = nullptr);
    virtual ~CRecordset();
    CRecordset(const CRecordset&) = delete;
    CRecordset& operator=(const CRecordset&) = delete;

    // Runs `sql` and moves to the first row. Every open type gives a
    // forward-only, read-only cursor. Throws CDBException on failure.
    virtual BOOL Open(UINT openType = AFX_DB_USE_DEFAULT_TYPE, LPCWSTR sql = nullptr, DWORD options = none);
    // The same with a value for each '?' marker of `sql`, in order.
    BOOL Open(UINT openType, LPCWSTR sql, DWORD options, const CDBParameters& parameters);
    virtual void Close();
    BOOL IsOpen() const { return static_cast<bool>(m_statement); }
    BOOL IsEOF() const { return m_eof; }
    BOOL IsBOF() const { return m_bof; }
    void MoveNext();

    short GetODBCFieldCount() const { return static_cast<short>(m_fields.size()); }
    // The position of the column `name` (any case); throws CDBException when
    // the result has no such column.
    short GetFieldIndexByName(LPCWSTR name) { return IndexOf(name); }
    void GetFieldValue(short index, CString& value);
    void GetFieldValue(LPCWSTR name, CString& value);
    void GetFieldValue(short index, CDBVariant& value, short fieldType = DEFAULT_FIELD_TYPE);
    void GetFieldValue(LPCWSTR name, CDBVariant& value, short fieldType = DEFAULT_FIELD_TYPE);

    CDatabase* m_pDatabase;  // the connection (not owned)
    CString m_strSQL;

private:
    struct Field {
        CString name;
        SQLSMALLINT sqlType = 0;
        bool described = false;  // name and type read from the driver
    };

    void Fetch();
    short IndexOf(LPCWSTR name);
    // The column, described by the driver on first use.
    const Field& DescribedField(short index);
    void CheckField(short index) const;
    [[noreturn]] void ThrowFromStatement(SQLRETURN rc);

    COdbcHandle m_statement;
    std::vector<Field> m_fields;
    bool m_eof = true;
    bool m_bof = true;
};
