// The ODBC statement handle: one SQLite statement, its result columns, the
// forward-only cursor, bound columns and SQLGetData reading in pieces.
#pragma once

#include "HandleObject.h"

#include <sqlext.h>
#include <memory>
#include <string>
#include <vector>

struct sqlite3_stmt;
class Connection;

// Finalizes the SQLite statement a Statement owns.
struct SqliteStatementFinalizer {
    void operator()(sqlite3_stmt* statement) const;
};

class Statement : public HandleObject<0x51535430> {  // "QST0"
public:
    explicit Statement(Connection* connection);

    Connection* connection;  // the owning connection (not owned)

    SQLRETURN ExecDirect(const std::u16string& sql);
    SQLRETURN Prepare(const std::u16string& sql);
    SQLRETURN Execute();
    SQLRETURN NumResultCols(SQLSMALLINT* count);
    SQLRETURN DescribeCol(SQLUSMALLINT column, SQLWCHAR* name, SQLSMALLINT capacity, SQLSMALLINT* nameLength,
                          SQLSMALLINT* dataType, SQLULEN* size, SQLSMALLINT* decimals, SQLSMALLINT* nullable);
    SQLRETURN ColAttribute(SQLUSMALLINT column, SQLUSMALLINT field, SQLPOINTER text, SQLSMALLINT capacity,
                           SQLSMALLINT* length, SQLLEN* number);
    SQLRETURN Fetch();
    SQLRETURN FetchScroll(SQLSMALLINT orientation);
    SQLRETURN GetData(SQLUSMALLINT column, SQLSMALLINT cType, SQLPOINTER target, SQLLEN capacity, SQLLEN* indicator);
    SQLRETURN BindCol(SQLUSMALLINT column, SQLSMALLINT cType, SQLPOINTER target, SQLLEN capacity, SQLLEN* indicator);
    SQLRETURN RowCount(SQLLEN* count);
    // Closes the cursor; with `mustBeOpen` a closed cursor is an error (SQLCloseCursor).
    SQLRETURN CloseCursor(bool mustBeOpen);
    void Unbind() { m_bindings.clear(); }
    // Parameters: values bound to the statement's '?' markers (input only),
    // read at execution; a value whose length says "at execution" is asked
    // for with SQL_NEED_DATA and arrives through ParamData and PutData.
    SQLRETURN BindParameter(SQLUSMALLINT number, SQLSMALLINT ioType, SQLSMALLINT cType, SQLSMALLINT sqlType,
                            SQLULEN columnSize, SQLPOINTER value, SQLLEN capacity, SQLLEN* indicator);
    SQLRETURN NumParams(SQLSMALLINT* count);
    SQLRETURN ParamData(SQLPOINTER* token);
    SQLRETURN PutData(SQLPOINTER data, SQLLEN length);
    void ResetParameters() { m_parameters.clear(); }
    // Abandons an execution that waits for parameter data (SQLCancel).
    SQLRETURN Cancel();
    SQLRETURN SetAttribute(SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length);
    SQLRETURN GetAttribute(SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER capacity, SQLINTEGER* length);
    // Drops the SQLite statement (at disconnect).
    void Finalize();

private:
    struct Column {
        std::u16string name;
        std::string declaredType;
        SQLSMALLINT sqlType = SQL_WVARCHAR;
        SQLULEN size = 255;
        SQLSMALLINT decimals = 0;
        SQLSMALLINT nullable = SQL_NULLABLE_UNKNOWN;
        bool typeFromValue = false;  // an expression: the first row's value decides
    };
    struct Binding {
        SQLSMALLINT cType = 0;
        SQLPOINTER target = nullptr;
        SQLLEN capacity = 0;
        SQLLEN* indicator = nullptr;
    };
    struct Parameter {
        bool bound = false;
        SQLSMALLINT cType = SQL_C_DEFAULT;
        SQLSMALLINT sqlType = SQL_WVARCHAR;
        SQLPOINTER value = nullptr;   // the application's buffer, or its token for data at execution (not owned)
        SQLLEN* indicator = nullptr;  // length or SQL_NULL_DATA, SQL_NTS, data at execution (not owned)
    };
    // A value sent at execution: its pieces joined, in the C type's bytes.
    struct SentValue {
        int marker = 0;  // 0-based
        bool started = false;
        bool isNull = false;
        std::string bytes;
    };
    // Progress of reading one column's value, in pieces or at once.
    struct Piece {
        bool done = false;
        size_t offset = 0;  // characters or bytes already handed out
    };

    void DescribeColumns();
    void RefineTypesFromRow();
    void SnapshotRowTypes();
    SQLRETURN StepRow();
    SQLRETURN Convert(int column, SQLSMALLINT cType, SQLPOINTER target, SQLLEN capacity, SQLLEN* indicator, Piece& piece);
    SQLRETURN ConvertNumber(int column, SQLSMALLINT cType, SQLPOINTER target, SQLLEN* indicator);
    SQLSMALLINT DefaultCType(int column) const;
    SQLRETURN BindMarkers();
    SQLRETURN BindValue(int marker, const Parameter& parameter, const void* data, SQLLEN length);
    SQLRETURN BindSentValues();
    SQLRETURN AppendData(SQLPOINTER data, SQLLEN length);
    SQLRETURN Run();

    std::unique_ptr<sqlite3_stmt, SqliteStatementFinalizer> m_statement;
    std::string m_sql;                    // UTF-8, as the application wrote it
    std::vector<Column> m_columns;
    std::vector<Binding> m_bindings;      // index = column number - 1
    std::vector<int> m_rowTypes;          // SQLite types of the current row's values
    std::vector<Parameter> m_parameters;  // index = marker number - 1
    std::vector<SentValue> m_sentValues;  // the values awaited at execution, in marker order
    bool m_needsData = false;             // Execute returned SQL_NEED_DATA and waits for ParamData
    int m_sending = -1;                   // index into m_sentValues that PutData appends to
    bool m_cursorOpen = false;
    bool m_rowPending = false;            // Execute stepped onto the first row already
    bool m_onRow = false;                 // a fetched row is current
    SQLLEN m_rowCount = -1;
    SQLULEN m_rowNumber = 0;
    int m_dataColumn = -1;                // column that SQLGetData is reading
    Piece m_dataPiece;
    SQLULEN* m_rowsFetched = nullptr;     // application's SQL_ATTR_ROWS_FETCHED_PTR (not owned)
    SQLUSMALLINT* m_rowStatus = nullptr;  // application's SQL_ATTR_ROW_STATUS_PTR (not owned)
    SQLULEN m_queryTimeout = 0;
    SQLULEN m_maxRows = 0;
};
