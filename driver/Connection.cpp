// Connecting to a note database file, connection attributes, transactions
// and SQLGetInfo.
#include "Connection.h"

#include "ConnectString.h"
#include "Environment.h"
#include "OdbcText.h"
#include "Statement.h"
#include "Utf.h"

#include <odbcinst.h>
#include <sqlite3.h>

#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace {

// Whether the driver's own section of odbcinst.ini says WindowsLimits=Yes.
bool WindowsLimitsRegistered()
{
    char value[16] = {};
    SQLGetPrivateProfileString("Microsoft Access Driver (*.mdb)", "WindowsLimits", "", value, sizeof value, "odbcinst.ini");
    return ::strcasecmp(value, "Yes") == 0 || ::strcasecmp(value, "1") == 0 || ::strcasecmp(value, "True") == 0;
}

} // namespace

Connection::Connection(Environment* env) : environment(env) { environment->connections.insert(this); }

Connection::~Connection()
{
    for (Statement* statement : statements) delete statement;
    statements.clear();
    m_database.Close();
    environment->connections.erase(this);
}

SQLRETURN Connection::DriverConnect(const std::u16string& connectString, SQLWCHAR* out, SQLSMALLINT outCapacity,
                                    SQLSMALLINT* outLength)
{
    if (IsConnected()) return diag.Add(DriverErrorId::AlreadyConnected);
    const auto attributes = ParseConnectString(Utf16ToUtf8(connectString));
    auto find = [&](const char* key) {
        const auto it = attributes.find(key);
        return it == attributes.end() ? std::string() : it->second;
    };
    std::string path = find("DBQ");
    if (path.empty()) path = find("DATABASE");
    int busyMs = NoteDatabase::kDefaultBusyTimeoutMs;
    if (const std::string busy = find("BUSYTIMEOUT"); !busy.empty()) busyMs = std::atoi(busy.c_str());
    const std::string readOnly = find("READONLY");
    const bool readOnlyRequested = m_readOnly || readOnly == "1" || readOnly == "Y" || readOnly == "YES" || readOnly == "TRUE";

    DriverError error;
    m_database.SetWindowsLimits(WindowsLimitsRegistered());
    if (!m_database.Open(path, readOnlyRequested, busyMs, error)) return diag.Add(error);

    // The completed connection string names the driver and the file.
    std::string driver = find("DRIVER");
    std::string completed;
    if (!driver.empty()) completed += "DRIVER={" + driver + "};";
    completed += "DBQ=" + path + ";";
    SQLLEN full = 0;
    const bool cut = CopyWideOut(Utf8ToUtf16(completed), out, outCapacity, &full);
    if (outLength) *outLength = static_cast<SQLSMALLINT>(full);
    if (cut && out) return diag.Add(DriverErrorId::ConnectStringTruncated);
    return SQL_SUCCESS;
}

SQLRETURN Connection::Disconnect()
{
    if (!IsConnected()) return diag.Add(DriverErrorId::NotConnected);
    for (Statement* statement : statements) delete statement;
    statements.clear();
    // Work of a manual-commit transaction that was never committed is undone.
    if (m_database.InTransaction()) {
        DriverError ignored;
        m_database.Execute("ROLLBACK", ignored);
    }
    m_database.Close();
    return SQL_SUCCESS;
}

bool Connection::BeginIfManual(DriverError& error)
{
    if (m_autocommit || m_database.InTransaction()) return true;
    return m_database.Execute("BEGIN", error);
}

SQLRETURN Connection::EndTransaction(SQLSMALLINT completion)
{
    if (!IsConnected()) return diag.Add(DriverErrorId::NotConnected);
    if (!m_database.InTransaction()) return SQL_SUCCESS;
    DriverError error;
    if (completion == SQL_COMMIT) {
        if (!m_database.Execute("COMMIT", error)) return diag.Add(error);
    } else if (completion == SQL_ROLLBACK) {
        if (!m_database.Execute("ROLLBACK", error)) return diag.Add(error);
    } else {
        return diag.Add(DriverErrorId::InvalidTransactionOperation);
    }
    return SQL_SUCCESS;
}

SQLRETURN Connection::SetAttribute(SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER)
{
    const auto number = static_cast<SQLUINTEGER>(reinterpret_cast<SQLULEN>(value));
    switch (attribute) {
    case SQL_ATTR_AUTOCOMMIT: {
        const bool on = number == SQL_AUTOCOMMIT_ON;
        if (on && !m_autocommit && m_database.InTransaction()) {
            DriverError error;
            if (!m_database.Execute("COMMIT", error)) return diag.Add(error);
        }
        m_autocommit = on;
        return SQL_SUCCESS;
    }
    case SQL_ATTR_ACCESS_MODE:
        m_readOnly = number == SQL_MODE_READ_ONLY;
        return SQL_SUCCESS;
    case SQL_ATTR_LOGIN_TIMEOUT:
        m_loginTimeout = number;
        return SQL_SUCCESS;
    case SQL_ATTR_TXN_ISOLATION:
        m_txnIsolation = number;
        return SQL_SUCCESS;
    default:
        // Cursor library, trace, packet size, quiet mode, ...: nothing to do here.
        return SQL_SUCCESS;
    }
}

SQLRETURN Connection::GetAttribute(SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER capacity, SQLINTEGER* length)
{
    SQLUINTEGER number = 0;
    switch (attribute) {
    case SQL_ATTR_AUTOCOMMIT: number = m_autocommit ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF; break;
    case SQL_ATTR_ACCESS_MODE: number = (m_readOnly || m_database.IsReadOnly()) ? SQL_MODE_READ_ONLY : SQL_MODE_READ_WRITE; break;
    case SQL_ATTR_LOGIN_TIMEOUT: number = m_loginTimeout; break;
    case SQL_ATTR_CONNECTION_TIMEOUT: number = 0; break;
    case SQL_ATTR_TXN_ISOLATION: number = m_txnIsolation; break;
    case SQL_ATTR_ODBC_CURSORS: number = SQL_CUR_USE_DRIVER; break;
    case SQL_ATTR_CONNECTION_DEAD: number = IsConnected() ? SQL_CD_FALSE : SQL_CD_TRUE; break;
    case SQL_ATTR_ASYNC_ENABLE: number = SQL_ASYNC_ENABLE_OFF; break;
    case SQL_ATTR_METADATA_ID: number = SQL_FALSE; break;
    case SQL_ATTR_AUTO_IPD: number = SQL_FALSE; break;
    case SQL_ATTR_CURRENT_CATALOG: {
        SQLLEN full = 0;
        const bool cut = CopyWideOut(Utf8ToUtf16(m_database.DisplayPath()), static_cast<SQLWCHAR*>(value),
                                     capacity / static_cast<SQLINTEGER>(sizeof(SQLWCHAR)), &full);
        if (length) *length = static_cast<SQLINTEGER>(full * sizeof(SQLWCHAR));
        return cut && value ? diag.Add(DriverErrorId::StringTruncated) : SQL_SUCCESS;
    }
    default:
        return diag.Add(DriverErrorId::InvalidConnectionAttribute, {std::to_string(attribute)});
    }
    if (value) *static_cast<SQLUINTEGER*>(value) = number;
    if (length) *length = sizeof(SQLUINTEGER);
    return SQL_SUCCESS;
}

SQLRETURN Connection::GetInfo(SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT capacity, SQLSMALLINT* length)
{
    auto text = [&](const std::string& s) -> SQLRETURN {
        SQLLEN full = 0;
        const bool cut = CopyWideOut(Utf8ToUtf16(s), static_cast<SQLWCHAR*>(value), capacity / static_cast<SQLSMALLINT>(sizeof(SQLWCHAR)), &full);
        if (length) *length = static_cast<SQLSMALLINT>(full * sizeof(SQLWCHAR));
        return cut && value ? diag.Add(DriverErrorId::StringTruncated) : SQL_SUCCESS;
    };
    auto small = [&](SQLUSMALLINT n) -> SQLRETURN {
        if (value) *static_cast<SQLUSMALLINT*>(value) = n;
        if (length) *length = sizeof(SQLUSMALLINT);
        return SQL_SUCCESS;
    };
    auto big = [&](SQLUINTEGER n) -> SQLRETURN {
        if (value) *static_cast<SQLUINTEGER*>(value) = n;
        if (length) *length = sizeof(SQLUINTEGER);
        return SQL_SUCCESS;
    };
    switch (type) {
    case SQL_DRIVER_NAME: return text("libquillbox-mdb.so");
    case SQL_DRIVER_VER: return text("01.00.0000");
    case SQL_DRIVER_ODBC_VER: return text("03.00");
    case SQL_DBMS_NAME: return text("Quillbox note database (SQLite)");
    case SQL_DBMS_VER: return text(sqlite3_libversion());
    case SQL_DATA_SOURCE_NAME: return text("");
    case SQL_SERVER_NAME: return text("");
    case SQL_USER_NAME: return text("");
    case SQL_DATABASE_NAME: return text(m_database.DisplayPath());
    case SQL_IDENTIFIER_QUOTE_CHAR: return text("`");
    case SQL_SEARCH_PATTERN_ESCAPE: return text("\\");
    case SQL_CATALOG_NAME_SEPARATOR: return text(".");
    case SQL_CATALOG_TERM: return text("");
    case SQL_SCHEMA_TERM: return text("");
    case SQL_PROCEDURE_TERM: return text("");
    case SQL_TABLE_TERM: return text("table");
    case SQL_SPECIAL_CHARACTERS: return text("");
    case SQL_KEYWORDS: return text("");
    case SQL_COLLATION_SEQ: return text("General");
    case SQL_XOPEN_CLI_YEAR: return text("1995");
    case SQL_DATA_SOURCE_READ_ONLY: return text(m_readOnly || m_database.IsReadOnly() ? "Y" : "N");
    case SQL_ACCESSIBLE_TABLES: return text("Y");
    case SQL_ACCESSIBLE_PROCEDURES:
    case SQL_CATALOG_NAME:
    case SQL_MULT_RESULT_SETS:
    case SQL_NEED_LONG_DATA_LEN:
    case SQL_ORDER_BY_COLUMNS_IN_SELECT:
    case SQL_PROCEDURES:
    case SQL_ROW_UPDATES:
    case SQL_DESCRIBE_PARAMETER: return text("N");
    case SQL_COLUMN_ALIAS:
    case SQL_EXPRESSIONS_IN_ORDERBY:
    case SQL_LIKE_ESCAPE_CLAUSE:
    case SQL_MULTIPLE_ACTIVE_TXN:
    case SQL_OUTER_JOINS:
    case SQL_INTEGRITY:
    case SQL_MAX_ROW_SIZE_INCLUDES_LONG: return text("Y");

    case SQL_MAX_CONCURRENT_ACTIVITIES:
    case SQL_MAX_DRIVER_CONNECTIONS:
    case SQL_ACTIVE_ENVIRONMENTS:
    case SQL_MAX_CATALOG_NAME_LEN:
    case SQL_MAX_SCHEMA_NAME_LEN:
    case SQL_MAX_CURSOR_NAME_LEN:
    case SQL_MAX_PROCEDURE_NAME_LEN:
    case SQL_MAX_COLUMNS_IN_GROUP_BY:
    case SQL_MAX_COLUMNS_IN_INDEX:
    case SQL_MAX_COLUMNS_IN_ORDER_BY:
    case SQL_MAX_COLUMNS_IN_SELECT:
    case SQL_MAX_COLUMNS_IN_TABLE:
    case SQL_MAX_TABLES_IN_SELECT:
    case SQL_MAX_USER_NAME_LEN: return small(0);
    case SQL_MAX_COLUMN_NAME_LEN:
    case SQL_MAX_TABLE_NAME_LEN:
    case SQL_MAX_IDENTIFIER_LEN: return small(64);
    case SQL_CURSOR_COMMIT_BEHAVIOR:
    case SQL_CURSOR_ROLLBACK_BEHAVIOR: return small(SQL_CB_PRESERVE);
    case SQL_TXN_CAPABLE: return small(SQL_TC_ALL);
    case SQL_IDENTIFIER_CASE:
    case SQL_QUOTED_IDENTIFIER_CASE: return small(SQL_IC_MIXED);
    case SQL_CONCAT_NULL_BEHAVIOR: return small(SQL_CB_NULL);
    case SQL_CORRELATION_NAME: return small(SQL_CN_ANY);
    case SQL_NON_NULLABLE_COLUMNS: return small(SQL_NNC_NON_NULL);
    case SQL_NULL_COLLATION: return small(SQL_NC_LOW);
    case SQL_GROUP_BY: return small(SQL_GB_GROUP_BY_CONTAINS_SELECT);
    case SQL_FILE_USAGE: return small(SQL_FILE_CATALOG);
    case SQL_ODBC_API_CONFORMANCE: return small(SQL_OAC_LEVEL1);
    case SQL_ODBC_SQL_CONFORMANCE: return small(SQL_OSC_MINIMUM);

    case SQL_GETDATA_EXTENSIONS: return big(SQL_GD_ANY_COLUMN | SQL_GD_ANY_ORDER | SQL_GD_BOUND);
    case SQL_SCROLL_OPTIONS: return big(SQL_SO_FORWARD_ONLY);
    case SQL_FETCH_DIRECTION: return big(SQL_FD_FETCH_NEXT);
    case SQL_SCROLL_CONCURRENCY: return big(SQL_SCCO_READ_ONLY);
    case SQL_ASYNC_MODE: return big(SQL_AM_NONE);
    case SQL_CURSOR_SENSITIVITY: return big(SQL_INSENSITIVE);
    case SQL_FORWARD_ONLY_CURSOR_ATTRIBUTES1: return big(SQL_CA1_NEXT);
    case SQL_FORWARD_ONLY_CURSOR_ATTRIBUTES2: return big(SQL_CA2_READ_ONLY_CONCURRENCY);
    case SQL_ODBC_INTERFACE_CONFORMANCE: return big(SQL_OIC_CORE);
    case SQL_SQL_CONFORMANCE: return big(SQL_SC_SQL92_ENTRY);
    case SQL_TXN_ISOLATION_OPTION:
    case SQL_DEFAULT_TXN_ISOLATION: return big(SQL_TXN_SERIALIZABLE);
    case SQL_UNION: return big(SQL_U_UNION | SQL_U_UNION_ALL);
    case SQL_ALTER_TABLE: return big(SQL_AT_ADD_COLUMN);
    case SQL_CREATE_TABLE: return big(SQL_CT_CREATE_TABLE | SQL_CT_TABLE_CONSTRAINT | SQL_CT_CONSTRAINT_NAME_DEFINITION);
    case SQL_DROP_TABLE: return big(SQL_DT_DROP_TABLE);
    case SQL_INSERT_STATEMENT: return big(SQL_IS_INSERT_LITERALS | SQL_IS_INSERT_SEARCHED);
    case SQL_AGGREGATE_FUNCTIONS: return big(SQL_AF_ALL | SQL_AF_AVG | SQL_AF_COUNT | SQL_AF_DISTINCT | SQL_AF_MAX | SQL_AF_MIN | SQL_AF_SUM);
    case SQL_OJ_CAPABILITIES: return big(SQL_OJ_LEFT | SQL_OJ_NESTED | SQL_OJ_NOT_ORDERED | SQL_OJ_ALL_COMPARISON_OPS);
    case SQL_STATIC_CURSOR_ATTRIBUTES1:
    case SQL_STATIC_CURSOR_ATTRIBUTES2:
    case SQL_DYNAMIC_CURSOR_ATTRIBUTES1:
    case SQL_DYNAMIC_CURSOR_ATTRIBUTES2:
    case SQL_KEYSET_CURSOR_ATTRIBUTES1:
    case SQL_KEYSET_CURSOR_ATTRIBUTES2:
    case SQL_STATIC_SENSITIVITY:
    case SQL_POS_OPERATIONS:
    case SQL_LOCK_TYPES:
    case SQL_BOOKMARK_PERSISTENCE:
    case SQL_MAX_ASYNC_CONCURRENT_STATEMENTS:
    case SQL_BATCH_SUPPORT:
    case SQL_BATCH_ROW_COUNT:
    case SQL_PARAM_ARRAY_ROW_COUNTS:
    case SQL_PARAM_ARRAY_SELECTS:
    case SQL_MAX_STATEMENT_LEN:
    case SQL_MAX_ROW_SIZE:
    case SQL_MAX_CHAR_LITERAL_LEN:
    case SQL_MAX_BINARY_LITERAL_LEN:
    case SQL_MAX_INDEX_SIZE:
    case SQL_CATALOG_USAGE:
    case SQL_SCHEMA_USAGE:
    case SQL_DATETIME_LITERALS:
    case SQL_TIMEDATE_FUNCTIONS:
    case SQL_SYSTEM_FUNCTIONS:
    case SQL_STRING_FUNCTIONS:
    case SQL_NUMERIC_FUNCTIONS:
    case SQL_CONVERT_FUNCTIONS:
    case SQL_SUBQUERIES:
    case SQL_DTC_TRANSITION_COST:
    case SQL_CONVERT_BIGINT:
    case SQL_CONVERT_BINARY:
    case SQL_CONVERT_BIT:
    case SQL_CONVERT_CHAR:
    case SQL_CONVERT_DATE:
    case SQL_CONVERT_DECIMAL:
    case SQL_CONVERT_DOUBLE:
    case SQL_CONVERT_FLOAT:
    case SQL_CONVERT_INTEGER:
    case SQL_CONVERT_LONGVARCHAR:
    case SQL_CONVERT_NUMERIC:
    case SQL_CONVERT_REAL:
    case SQL_CONVERT_SMALLINT:
    case SQL_CONVERT_TIME:
    case SQL_CONVERT_TIMESTAMP:
    case SQL_CONVERT_TINYINT:
    case SQL_CONVERT_VARBINARY:
    case SQL_CONVERT_VARCHAR:
    case SQL_CONVERT_LONGVARBINARY:
    case SQL_CONVERT_WCHAR:
    case SQL_CONVERT_WVARCHAR:
    case SQL_CONVERT_WLONGVARCHAR: return big(0);
    default:
        return diag.Add(DriverErrorId::InformationTypeNotSupported, {std::to_string(type)});
    }
}
