// Executing statements and reading their results.
#include "Statement.h"

#include "AccessDdl.h"
#include "Connection.h"
#include "OdbcText.h"
#include "Utf.h"

#include <sqlite3.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

std::string Upper(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool Has(const std::string& text, const char* word) { return text.find(word) != std::string::npos; }

// The ODBC type of a declared column type, Access names first.
void TypeFromDeclaration(const std::string& declared, SQLSMALLINT& type, SQLULEN& size, SQLSMALLINT& decimals)
{
    const std::string t = Upper(declared);
    decimals = 0;
    long long length = 0;
    if (const size_t open = t.find('('); open != std::string::npos) length = std::atoll(t.c_str() + open + 1);
    if (Has(t, "LONGTEXT") || Has(t, "MEMO") || Has(t, "LONGCHAR") || Has(t, "NOTE") || Has(t, "NTEXT") || Has(t, "CLOB")) {
        type = SQL_WLONGVARCHAR, size = 1073741823;
    } else if (Has(t, "BLOB") || Has(t, "BINARY") || Has(t, "IMAGE") || Has(t, "OLEOBJECT")) {
        type = SQL_LONGVARBINARY, size = 1073741823;
    } else if (Has(t, "SMALLINT") || Has(t, "SHORT") || Has(t, "INT2") || Has(t, "INTEGER2")) {
        type = SQL_SMALLINT, size = 5;
    } else if (Has(t, "TINYINT") || Has(t, "BYTE") || Has(t, "INTEGER1")) {
        type = SQL_TINYINT, size = 3;
    } else if (Has(t, "BIGINT")) {
        type = SQL_BIGINT, size = 19;
    } else if (Has(t, "INT") || Has(t, "LONG") || Has(t, "COUNTER")) {
        type = SQL_INTEGER, size = 10;
    } else if (Has(t, "BIT") || Has(t, "YESNO") || Has(t, "LOGICAL") || Has(t, "BOOL")) {
        type = SQL_BIT, size = 1;
    } else if (Has(t, "REAL") || Has(t, "SINGLE") || Has(t, "FLOAT4")) {
        type = SQL_REAL, size = 7;
    } else if (Has(t, "FLOAT") || Has(t, "DOUBLE") || Has(t, "NUMERIC") || Has(t, "DECIMAL") || Has(t, "CURRENCY") ||
               Has(t, "MONEY") || Has(t, "NUMBER")) {
        type = SQL_DOUBLE, size = 15;
    } else {
        type = SQL_WVARCHAR, size = length > 0 ? static_cast<SQLULEN>(length) : 255;
    }
}

SQLRETURN NoRowError(Diagnostics& diag) { return diag.Add(DriverErrorId::NoCurrentRow); }

template <class T>
void Store(SQLPOINTER target, SQLLEN* indicator, T value)
{
    if (target) std::memcpy(target, &value, sizeof(T));
    if (indicator) *indicator = sizeof(T);
}

} // namespace

Statement::Statement(Connection* owner) : connection(owner) {}

void SqliteStatementFinalizer::operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }

void Statement::Finalize()
{
    m_statement.reset();
    m_cursorOpen = m_rowPending = m_onRow = false;
}

SQLRETURN Statement::ExecDirect(const std::u16string& sql)
{
    const SQLRETURN prepared = Prepare(sql);
    if (!SQL_SUCCEEDED(prepared)) return prepared;
    return Execute();
}

SQLRETURN Statement::Prepare(const std::u16string& sql)
{
    if (!connection->IsConnected()) return diag.Add(DriverErrorId::NotConnected);
    if (m_needsData) return diag.Add(DriverErrorId::StillNeedsData);
    Finalize();
    m_columns.clear();
    m_rowCount = -1;
    m_sql = Utf16ToUtf8(sql);
    DriverError error;
    sqlite3_stmt* prepared = nullptr;
    if (!connection->Database().Prepare(m_sql, prepared, error)) return diag.Add(error);
    m_statement.reset(prepared);
    DescribeColumns();
    return SQL_SUCCESS;
}

void Statement::DescribeColumns()
{
    const int count = sqlite3_column_count(m_statement.get());
    m_columns.assign(static_cast<size_t>(count), Column());
    for (int i = 0; i < count; ++i) {
        Column& column = m_columns[static_cast<size_t>(i)];
        const void* name = sqlite3_column_name16(m_statement.get(), i);
        column.name = name ? std::u16string(static_cast<const char16_t*>(name)) : std::u16string();
        const char* declared = sqlite3_column_decltype(m_statement.get(), i);
        column.declaredType = declared ? declared : "";
        column.typeFromValue = declared == nullptr;
        TypeFromDeclaration(column.declaredType, column.sqlType, column.size, column.decimals);
    }
}

void Statement::SnapshotRowTypes()
{
    m_rowTypes.resize(m_columns.size());
    for (size_t i = 0; i < m_columns.size(); ++i) m_rowTypes[i] = sqlite3_column_type(m_statement.get(), static_cast<int>(i));
}

void Statement::RefineTypesFromRow()
{
    for (size_t i = 0; i < m_columns.size(); ++i) {
        Column& column = m_columns[i];
        if (!column.typeFromValue) continue;
        switch (m_rowTypes[i]) {
        case SQLITE_INTEGER: {
            const sqlite3_int64 v = sqlite3_column_int64(m_statement.get(), static_cast<int>(i));
            if (v >= INT_MIN && v <= INT_MAX) column.sqlType = SQL_INTEGER, column.size = 10;
            else column.sqlType = SQL_BIGINT, column.size = 19;
            break;
        }
        case SQLITE_FLOAT: column.sqlType = SQL_DOUBLE, column.size = 15; break;
        case SQLITE_BLOB: column.sqlType = SQL_LONGVARBINARY, column.size = 1073741823; break;
        default: break;  // text or NULL: variable text
        }
    }
}

SQLRETURN Statement::Execute()
{
    if (!m_statement) return diag.Add(DriverErrorId::NotPrepared);
    if (m_needsData) return diag.Add(DriverErrorId::StillNeedsData);
    CloseCursor(false);
    m_rowCount = -1;
    const SQLRETURN bound = BindMarkers();
    if (bound != SQL_SUCCESS) return bound;
    return Run();
}

SQLRETURN Statement::Run()
{
    DriverError error;
    if (!connection->BeginIfManual(error)) return diag.Add(error);
    sqlite3* db = connection->Database().Handle();
    const int rc = sqlite3_step(m_statement.get());
    if (rc == SQLITE_ROW) {
        m_cursorOpen = true;
        m_rowPending = true;
        SnapshotRowTypes();
        RefineTypesFromRow();
        return SQL_SUCCESS;
    }
    if (rc == SQLITE_DONE) {
        if (!m_columns.empty()) {
            m_cursorOpen = true;  // an empty result set
            return SQL_SUCCESS;
        }
        // Only row changes have a row count; SQLite keeps the last one through DDL.
        const std::string verb = StatementVerb(m_sql);
        const bool changesRows = verb == "INSERT" || verb == "UPDATE" || verb == "DELETE" || verb == "REPLACE";
        m_rowCount = changesRows ? sqlite3_changes(db) : -1;
        sqlite3_reset(m_statement.get());
        if (m_rowCount == 0 && (verb == "UPDATE" || verb == "DELETE")) return SQL_NO_DATA;
        return SQL_SUCCESS;
    }
    const DriverError failure = connection->Database().ErrorFor(rc, m_sql);
    sqlite3_reset(m_statement.get());
    return diag.Add(failure);
}

SQLRETURN Statement::CloseCursor(bool mustBeOpen)
{
    if (!m_cursorOpen && mustBeOpen) return diag.Add(DriverErrorId::NoOpenCursor);
    if (m_statement) sqlite3_reset(m_statement.get());
    m_cursorOpen = m_rowPending = m_onRow = false;
    m_rowNumber = 0;
    m_dataColumn = -1;
    return SQL_SUCCESS;
}

SQLRETURN Statement::NumResultCols(SQLSMALLINT* count)
{
    if (count) *count = static_cast<SQLSMALLINT>(m_columns.size());
    return SQL_SUCCESS;
}

SQLRETURN Statement::RowCount(SQLLEN* count)
{
    if (count) *count = m_rowCount;
    return SQL_SUCCESS;
}

SQLRETURN Statement::DescribeCol(SQLUSMALLINT number, SQLWCHAR* name, SQLSMALLINT capacity, SQLSMALLINT* nameLength,
                                 SQLSMALLINT* dataType, SQLULEN* size, SQLSMALLINT* decimals, SQLSMALLINT* nullable)
{
    if (number < 1 || number > m_columns.size()) return diag.Add(DriverErrorId::InvalidDescriptorIndex, {std::to_string(number)});
    const Column& column = m_columns[number - 1u];
    SQLLEN full = 0;
    const bool cut = CopyWideOut(column.name, name, capacity, &full);
    if (nameLength) *nameLength = static_cast<SQLSMALLINT>(full);
    if (dataType) *dataType = column.sqlType;
    if (size) *size = column.size;
    if (decimals) *decimals = column.decimals;
    if (nullable) *nullable = column.nullable;
    return cut && name ? diag.Add(DriverErrorId::StringTruncated) : SQL_SUCCESS;
}

SQLRETURN Statement::ColAttribute(SQLUSMALLINT number, SQLUSMALLINT field, SQLPOINTER text, SQLSMALLINT capacity,
                                  SQLSMALLINT* length, SQLLEN* numeric)
{
    auto textOut = [&](const std::u16string& s) -> SQLRETURN {
        SQLLEN full = 0;
        const bool cut = CopyWideOut(s, static_cast<SQLWCHAR*>(text), capacity / static_cast<SQLSMALLINT>(sizeof(SQLWCHAR)), &full);
        if (length) *length = static_cast<SQLSMALLINT>(full * sizeof(SQLWCHAR));
        return cut && text ? diag.Add(DriverErrorId::StringTruncated) : SQL_SUCCESS;
    };
    auto numberOut = [&](SQLLEN n) -> SQLRETURN {
        if (numeric) *numeric = n;
        return SQL_SUCCESS;
    };
    if (field == SQL_DESC_COUNT || field == SQL_COLUMN_COUNT) return numberOut(static_cast<SQLLEN>(m_columns.size()));
    if (number < 1 || number > m_columns.size()) return diag.Add(DriverErrorId::InvalidDescriptorIndex, {std::to_string(number)});
    const Column& column = m_columns[number - 1u];
    const bool isText = column.sqlType == SQL_WVARCHAR || column.sqlType == SQL_WLONGVARCHAR;
    switch (field) {
    case SQL_DESC_NAME:
    case SQL_COLUMN_NAME:
    case SQL_DESC_LABEL:
    case SQL_DESC_BASE_COLUMN_NAME: return textOut(column.name);
    case SQL_DESC_TYPE_NAME:
    case SQL_DESC_LOCAL_TYPE_NAME: return textOut(Utf8ToUtf16(column.declaredType));
    case SQL_DESC_TABLE_NAME:
    case SQL_DESC_BASE_TABLE_NAME:
    case SQL_DESC_SCHEMA_NAME:
    case SQL_DESC_CATALOG_NAME:
    case SQL_DESC_LITERAL_PREFIX:
    case SQL_DESC_LITERAL_SUFFIX: return textOut(isText ? (field == SQL_DESC_LITERAL_PREFIX || field == SQL_DESC_LITERAL_SUFFIX ? u"'" : u"") : u"");
    case SQL_DESC_TYPE:
    case SQL_DESC_CONCISE_TYPE: return numberOut(column.sqlType);
    case SQL_DESC_LENGTH:
    case SQL_COLUMN_LENGTH:
    case SQL_DESC_PRECISION:
    case SQL_COLUMN_PRECISION:
    case SQL_DESC_DISPLAY_SIZE: return numberOut(static_cast<SQLLEN>(column.size));
    case SQL_DESC_OCTET_LENGTH: return numberOut(static_cast<SQLLEN>(isText ? column.size * 2 : column.size));
    case SQL_DESC_SCALE:
    case SQL_COLUMN_SCALE: return numberOut(column.decimals);
    case SQL_DESC_NULLABLE:
    case SQL_COLUMN_NULLABLE: return numberOut(column.nullable);
    case SQL_DESC_UNSIGNED: return numberOut(column.sqlType == SQL_TINYINT || !(column.sqlType == SQL_SMALLINT || column.sqlType == SQL_INTEGER ||
                                              column.sqlType == SQL_BIGINT || column.sqlType == SQL_REAL || column.sqlType == SQL_DOUBLE) ? SQL_TRUE : SQL_FALSE);
    case SQL_DESC_AUTO_UNIQUE_VALUE: return numberOut(SQL_FALSE);
    case SQL_DESC_CASE_SENSITIVE: return numberOut(SQL_FALSE);
    case SQL_DESC_SEARCHABLE: return numberOut(column.sqlType == SQL_WLONGVARCHAR ? SQL_PRED_CHAR : SQL_PRED_SEARCHABLE);
    case SQL_DESC_UPDATABLE: return numberOut(SQL_ATTR_READWRITE_UNKNOWN);
    case SQL_DESC_FIXED_PREC_SCALE: return numberOut(SQL_FALSE);
    case SQL_DESC_NUM_PREC_RADIX: return numberOut(isText ? 0 : 10);
    case SQL_DESC_UNNAMED: return numberOut(column.name.empty() ? SQL_UNNAMED : SQL_NAMED);
    default: return diag.Add(DriverErrorId::InvalidDescriptorField, {std::to_string(field)});
    }
}

SQLRETURN Statement::StepRow()
{
    if (m_rowPending) {
        m_rowPending = false;
        return SQL_SUCCESS;
    }
    if (!m_onRow && m_rowNumber > 0) return SQL_NO_DATA;  // already past the end
    const int rc = sqlite3_step(m_statement.get());
    if (rc == SQLITE_ROW) {
        SnapshotRowTypes();
        return SQL_SUCCESS;
    }
    if (rc == SQLITE_DONE) return SQL_NO_DATA;
    const DriverError failure = connection->Database().ErrorFor(rc, m_sql);
    sqlite3_reset(m_statement.get());
    return diag.Add(failure);
}

SQLRETURN Statement::Fetch()
{
    if (!m_cursorOpen) return diag.Add(DriverErrorId::NoResultSet);
    m_dataColumn = -1;
    if (m_maxRows > 0 && m_rowNumber >= m_maxRows) {
        m_onRow = false;
        return SQL_NO_DATA;
    }
    const bool first = m_rowNumber == 0;
    const SQLRETURN stepped = (first && !m_rowPending) ? SQL_NO_DATA : StepRow();
    if (stepped != SQL_SUCCESS) {
        m_onRow = false;
        m_rowNumber = m_rowNumber == 0 ? 1 : m_rowNumber;  // remembered as past the end
        if (m_rowsFetched) *m_rowsFetched = 0;
        return stepped;
    }
    m_onRow = true;
    ++m_rowNumber;
    SQLRETURN result = SQL_SUCCESS;
    for (size_t i = 0; i < m_bindings.size(); ++i) {
        const Binding& binding = m_bindings[i];
        if (!binding.target && !binding.indicator) continue;
        Piece piece;
        const SQLRETURN rc = Convert(static_cast<int>(i), binding.cType, binding.target, binding.capacity, binding.indicator, piece);
        if (rc == SQL_ERROR) result = SQL_ERROR;
        else if (rc == SQL_SUCCESS_WITH_INFO && result == SQL_SUCCESS) result = SQL_SUCCESS_WITH_INFO;
    }
    if (m_rowsFetched) *m_rowsFetched = 1;
    if (m_rowStatus) *m_rowStatus = result == SQL_ERROR ? SQL_ROW_ERROR : result == SQL_SUCCESS_WITH_INFO ? SQL_ROW_SUCCESS_WITH_INFO : SQL_ROW_SUCCESS;
    return result;
}

SQLRETURN Statement::FetchScroll(SQLSMALLINT orientation)
{
    if (orientation != SQL_FETCH_NEXT) return diag.Add(DriverErrorId::FetchTypeOutOfRange);
    return Fetch();
}

SQLRETURN Statement::BindCol(SQLUSMALLINT number, SQLSMALLINT cType, SQLPOINTER target, SQLLEN capacity, SQLLEN* indicator)
{
    if (number < 1) return diag.Add(DriverErrorId::BookmarkColumnNotSupported);
    if (m_bindings.size() < number) m_bindings.resize(number);
    m_bindings[number - 1u] = Binding{cType, target, capacity, indicator};
    return SQL_SUCCESS;
}

SQLRETURN Statement::GetData(SQLUSMALLINT number, SQLSMALLINT cType, SQLPOINTER target, SQLLEN capacity, SQLLEN* indicator)
{
    if (!m_cursorOpen || !m_onRow) return NoRowError(diag);
    if (number < 1 || number > m_columns.size()) return diag.Add(DriverErrorId::InvalidDescriptorIndex, {std::to_string(number)});
    const int column = static_cast<int>(number) - 1;
    if (column != m_dataColumn) {
        m_dataColumn = column;
        m_dataPiece = Piece();
    }
    return Convert(column, cType, target, capacity, indicator, m_dataPiece);
}

SQLSMALLINT Statement::DefaultCType(int column) const
{
    switch (m_columns[static_cast<size_t>(column)].sqlType) {
    case SQL_SMALLINT: return SQL_C_SSHORT;
    case SQL_TINYINT: return SQL_C_UTINYINT;
    case SQL_INTEGER: return SQL_C_SLONG;
    case SQL_BIGINT: return SQL_C_SBIGINT;
    case SQL_BIT: return SQL_C_BIT;
    case SQL_REAL: return SQL_C_FLOAT;
    case SQL_DOUBLE: return SQL_C_DOUBLE;
    case SQL_LONGVARBINARY: return SQL_C_BINARY;
    default: return SQL_C_WCHAR;
    }
}

SQLRETURN Statement::Convert(int column, SQLSMALLINT cType, SQLPOINTER target, SQLLEN capacity, SQLLEN* indicator, Piece& piece)
{
    if (piece.done) return SQL_NO_DATA;
    if (cType == SQL_C_DEFAULT) cType = DefaultCType(column);
    if (m_rowTypes[static_cast<size_t>(column)] == SQLITE_NULL) {
        if (!indicator) return diag.Add(DriverErrorId::IndicatorRequired);
        *indicator = SQL_NULL_DATA;
        piece.done = true;
        return SQL_SUCCESS;
    }
    if (cType == SQL_C_WCHAR) {
        const auto* data = static_cast<const char16_t*>(sqlite3_column_text16(m_statement.get(), column));
        const size_t total = static_cast<size_t>(sqlite3_column_bytes16(m_statement.get(), column)) / 2;
        const size_t remaining = total - piece.offset;
        if (indicator) *indicator = static_cast<SQLLEN>(remaining * sizeof(SQLWCHAR));
        if (!target || capacity < static_cast<SQLLEN>(sizeof(SQLWCHAR))) {
            return remaining ? diag.Add(DriverErrorId::StringTruncated) : SQL_SUCCESS;
        }
        size_t n = std::min(remaining, static_cast<size_t>(capacity) / sizeof(SQLWCHAR) - 1);
        // Keep a surrogate pair together when the piece has room to spare.
        if (n < remaining && n > 1 && data[piece.offset + n - 1] >= 0xD800 && data[piece.offset + n - 1] < 0xDC00) --n;
        if (n) std::memcpy(target, data + piece.offset, n * sizeof(SQLWCHAR));
        static_cast<SQLWCHAR*>(target)[n] = 0;
        piece.offset += n;
        if (piece.offset < total) return diag.Add(DriverErrorId::StringTruncated);
        piece.done = true;
        return SQL_SUCCESS;
    }
    if (cType == SQL_C_CHAR || cType == SQL_C_BINARY) {
        const bool binary = cType == SQL_C_BINARY;
        const auto* data = static_cast<const unsigned char*>(
            binary && m_rowTypes[static_cast<size_t>(column)] == SQLITE_BLOB ? sqlite3_column_blob(m_statement.get(), column)
                                                                              : static_cast<const void*>(sqlite3_column_text(m_statement.get(), column)));
        const size_t total = static_cast<size_t>(sqlite3_column_bytes(m_statement.get(), column));
        const size_t remaining = total - piece.offset;
        const size_t terminator = binary ? 0 : 1;
        if (indicator) *indicator = static_cast<SQLLEN>(remaining);
        if (!target || capacity < static_cast<SQLLEN>(terminator) + (binary ? 1 : 0) || (!binary && capacity < 1)) {
            return remaining ? diag.Add(DriverErrorId::StringTruncated) : SQL_SUCCESS;
        }
        size_t n = std::min(remaining, static_cast<size_t>(capacity) - terminator);
        // Text pieces end on whole UTF-8 characters.
        if (!binary && n < remaining) {
            size_t k = n;
            while (k > 0 && (data[piece.offset + k] & 0xC0) == 0x80) --k;
            if (k > 0) n = k;
        }
        if (n) std::memcpy(target, data + piece.offset, n);
        if (!binary) static_cast<char*>(target)[n] = 0;
        piece.offset += n;
        if (piece.offset < total) return diag.Add(DriverErrorId::StringTruncated);
        piece.done = true;
        return SQL_SUCCESS;
    }
    const SQLRETURN rc = ConvertNumber(column, cType, target, indicator);
    if (SQL_SUCCEEDED(rc)) piece.done = true;
    return rc;
}

SQLRETURN Statement::ConvertNumber(int column, SQLSMALLINT cType, SQLPOINTER target, SQLLEN* indicator)
{
    const int storage = m_rowTypes[static_cast<size_t>(column)];
    bool isInteger = false;
    sqlite3_int64 integer = 0;
    double real = 0;
    if (storage == SQLITE_INTEGER) {
        isInteger = true;
        integer = sqlite3_column_int64(m_statement.get(), column);
    } else if (storage == SQLITE_FLOAT) {
        real = sqlite3_column_double(m_statement.get(), column);
    } else if (storage == SQLITE_TEXT) {
        const char* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement.get(), column));
        std::string s = text ? text : "";
        while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.pop_back();
        char* end = nullptr;
        errno = 0;
        const long long asInteger = std::strtoll(s.c_str(), &end, 10);
        if (!s.empty() && end && *end == 0 && errno == 0) {
            isInteger = true;
            integer = asInteger;
        } else {
            errno = 0;
            real = std::strtod(s.c_str(), &end);
            if (s.empty() || !end || *end != 0 || errno != 0) {
                return diag.Add(DriverErrorId::TextIsNotANumber, {std::to_string(column + 1)});
            }
        }
    } else {
        return diag.Add(DriverErrorId::BinaryIsNotANumber);
    }

    bool fractional = false;
    if (!isInteger) {
        const double whole = std::trunc(real);
        fractional = whole != real;
        if (whole < -9.2e18 || whole > 9.2e18) return diag.Add(DriverErrorId::NumberOutOfRange);
        integer = static_cast<sqlite3_int64>(whole);
    }
    // An integer type takes the value when it lies in the type's range; a
    // dropped fraction is then a warning.
    auto storeInteger = [&](auto typed, long long low, long long high) {
        using Target = decltype(typed);
        if (integer < low || integer > high) {
            return diag.Add(DriverErrorId::NumberDoesNotFitType, {std::to_string(integer), std::to_string(column + 1)});
        }
        Store<Target>(target, indicator, static_cast<Target>(integer));
        return fractional ? diag.Add(DriverErrorId::FractionalTruncation) : SQLRETURN{SQL_SUCCESS};
    };
    switch (cType) {
    case SQL_C_SSHORT:
    case SQL_C_SHORT: return storeInteger(SQLSMALLINT{}, SHRT_MIN, SHRT_MAX);
    case SQL_C_USHORT: return storeInteger(SQLUSMALLINT{}, 0, USHRT_MAX);
    case SQL_C_SLONG:
    case SQL_C_LONG: return storeInteger(SQLINTEGER{}, INT_MIN, INT_MAX);
    case SQL_C_ULONG: return storeInteger(SQLUINTEGER{}, 0, UINT_MAX);
    case SQL_C_STINYINT:
    case SQL_C_TINYINT: return storeInteger(SQLSCHAR{}, SCHAR_MIN, SCHAR_MAX);
    case SQL_C_UTINYINT: return storeInteger(SQLCHAR{}, 0, UCHAR_MAX);
    case SQL_C_BIT: return storeInteger(SQLCHAR{}, 0, 1);
    case SQL_C_SBIGINT: return storeInteger(SQLBIGINT{}, LLONG_MIN, LLONG_MAX);
    case SQL_C_UBIGINT: return storeInteger(SQLUBIGINT{}, 0, LLONG_MAX);
    case SQL_C_DOUBLE:
        Store<SQLDOUBLE>(target, indicator, isInteger ? static_cast<double>(integer) : real);
        return SQL_SUCCESS;
    case SQL_C_FLOAT:
        Store<SQLREAL>(target, indicator, static_cast<float>(isInteger ? static_cast<double>(integer) : real));
        return SQL_SUCCESS;
    default:
        return diag.Add(DriverErrorId::InvalidBufferType, {std::to_string(cType)});
    }
}

SQLRETURN Statement::SetAttribute(SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER)
{
    const auto number = reinterpret_cast<SQLULEN>(value);
    auto changed = [&](const char* what) {
        return diag.Add(DriverErrorId::OptionValueChanged, {what});
    };
    switch (attribute) {
    case SQL_ATTR_CURSOR_TYPE:
        return number == SQL_CURSOR_FORWARD_ONLY ? SQL_SUCCESS : changed("only forward-only cursors are available.");
    case SQL_ATTR_CONCURRENCY:
        return number == SQL_CONCUR_READ_ONLY ? SQL_SUCCESS : changed("cursors are read-only.");
    case SQL_ATTR_ROW_ARRAY_SIZE:
    case SQL_ROWSET_SIZE:
        return number == 1 ? SQL_SUCCESS : changed("one row is fetched at a time.");
    case SQL_ATTR_CURSOR_SCROLLABLE:
        return number == SQL_NONSCROLLABLE ? SQL_SUCCESS : diag.Add(DriverErrorId::ScrollableNotSupported);
    case SQL_ATTR_USE_BOOKMARKS:
        return number == SQL_UB_OFF ? SQL_SUCCESS : diag.Add(DriverErrorId::BookmarksNotSupported);
    case SQL_ATTR_ROWS_FETCHED_PTR:
        m_rowsFetched = static_cast<SQLULEN*>(value);
        return SQL_SUCCESS;
    case SQL_ATTR_ROW_STATUS_PTR:
        m_rowStatus = static_cast<SQLUSMALLINT*>(value);
        return SQL_SUCCESS;
    case SQL_ATTR_QUERY_TIMEOUT:
        m_queryTimeout = number;
        return SQL_SUCCESS;
    case SQL_ATTR_MAX_ROWS:
        m_maxRows = number;
        return SQL_SUCCESS;
    default:
        return SQL_SUCCESS;  // binding offsets, no-scan, retrieve-data, ...: nothing to do
    }
}

SQLRETURN Statement::GetAttribute(SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER, SQLINTEGER* length)
{
    SQLULEN number = 0;
    switch (attribute) {
    case SQL_ATTR_CURSOR_TYPE: number = SQL_CURSOR_FORWARD_ONLY; break;
    case SQL_ATTR_CONCURRENCY: number = SQL_CONCUR_READ_ONLY; break;
    case SQL_ATTR_ROW_ARRAY_SIZE:
    case SQL_ROWSET_SIZE: number = 1; break;
    case SQL_ATTR_CURSOR_SCROLLABLE: number = SQL_NONSCROLLABLE; break;
    case SQL_ATTR_CURSOR_SENSITIVITY: number = SQL_INSENSITIVE; break;
    case SQL_ATTR_USE_BOOKMARKS: number = SQL_UB_OFF; break;
    case SQL_ATTR_QUERY_TIMEOUT: number = m_queryTimeout; break;
    case SQL_ATTR_MAX_ROWS: number = m_maxRows; break;
    case SQL_ATTR_ROW_NUMBER: number = m_onRow ? m_rowNumber : 0; break;
    case SQL_ATTR_ROWS_FETCHED_PTR: number = reinterpret_cast<SQLULEN>(m_rowsFetched); break;
    case SQL_ATTR_ROW_STATUS_PTR: number = reinterpret_cast<SQLULEN>(m_rowStatus); break;
    case SQL_ATTR_APP_ROW_DESC:
    case SQL_ATTR_APP_PARAM_DESC:
    case SQL_ATTR_IMP_ROW_DESC:
    case SQL_ATTR_IMP_PARAM_DESC:
        // The driver has no descriptor objects of its own; it hands out a
        // distinct non-null token per descriptor so that a driver manager
        // that records them has something to record.
        number = reinterpret_cast<SQLULEN>(this) + static_cast<SQLULEN>(attribute - SQL_ATTR_APP_ROW_DESC + 1);
        break;
    default:
        return diag.Add(DriverErrorId::InvalidStatementAttribute, {std::to_string(attribute)});
    }
    if (value) *static_cast<SQLULEN*>(value) = number;
    if (length) *length = sizeof(SQLULEN);
    return SQL_SUCCESS;
}
