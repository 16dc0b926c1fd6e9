// A statement's parameters: values bound to its '?' markers and read at
// execution, and values sent in pieces at execution (SQLParamData,
// SQLPutData), so that texts of any length travel outside the statement.
#include "Statement.h"

#include "Connection.h"
#include "Utf.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

bool IsPieceType(SQLSMALLINT cType) { return cType == SQL_C_WCHAR || cType == SQL_C_CHAR || cType == SQL_C_BINARY; }

bool IsKnownCType(SQLSMALLINT cType)
{
    switch (cType) {
    case SQL_C_WCHAR: case SQL_C_CHAR: case SQL_C_BINARY:
    case SQL_C_SSHORT: case SQL_C_SHORT: case SQL_C_USHORT:
    case SQL_C_SLONG: case SQL_C_LONG: case SQL_C_ULONG:
    case SQL_C_STINYINT: case SQL_C_TINYINT: case SQL_C_UTINYINT: case SQL_C_BIT:
    case SQL_C_SBIGINT: case SQL_C_UBIGINT: case SQL_C_DOUBLE: case SQL_C_FLOAT:
        return true;
    default:
        return false;
    }
}

bool IsNumericSqlType(SQLSMALLINT sqlType)
{
    switch (sqlType) {
    case SQL_SMALLINT: case SQL_INTEGER: case SQL_TINYINT: case SQL_BIGINT: case SQL_BIT:
    case SQL_REAL: case SQL_FLOAT: case SQL_DOUBLE: case SQL_NUMERIC: case SQL_DECIMAL:
        return true;
    default:
        return false;
    }
}

bool IsKnownSqlType(SQLSMALLINT sqlType)
{
    switch (sqlType) {
    case SQL_CHAR: case SQL_VARCHAR: case SQL_LONGVARCHAR: case SQL_WCHAR: case SQL_WVARCHAR: case SQL_WLONGVARCHAR:
    case SQL_BINARY: case SQL_VARBINARY: case SQL_LONGVARBINARY:
        return true;
    default:
        return IsNumericSqlType(sqlType);
    }
}

// The C type that SQL_C_DEFAULT stands for with a parameter of `sqlType`.
SQLSMALLINT DefaultCTypeFor(SQLSMALLINT sqlType)
{
    switch (sqlType) {
    case SQL_SMALLINT: return SQL_C_SSHORT;
    case SQL_TINYINT: return SQL_C_STINYINT;
    case SQL_INTEGER: return SQL_C_SLONG;
    case SQL_BIGINT: return SQL_C_SBIGINT;
    case SQL_BIT: return SQL_C_BIT;
    case SQL_REAL: return SQL_C_FLOAT;
    case SQL_FLOAT: case SQL_DOUBLE: case SQL_NUMERIC: case SQL_DECIMAL: return SQL_C_DOUBLE;
    case SQL_BINARY: case SQL_VARBINARY: case SQL_LONGVARBINARY: return SQL_C_BINARY;
    case SQL_CHAR: case SQL_VARCHAR: case SQL_LONGVARCHAR: return SQL_C_CHAR;
    default: return SQL_C_WCHAR;
    }
}

bool AtExecution(const SQLLEN* indicator)
{
    return indicator && (*indicator == SQL_DATA_AT_EXEC || *indicator <= SQL_LEN_DATA_AT_EXEC_OFFSET);
}

size_t WideLength(const char16_t* text)
{
    size_t n = 0;
    while (text[n]) ++n;
    return n;
}

// The size of one value of a fixed-size C type.
size_t FixedSize(SQLSMALLINT cType)
{
    switch (cType) {
    case SQL_C_SSHORT: case SQL_C_SHORT: case SQL_C_USHORT: return sizeof(SQLSMALLINT);
    case SQL_C_SLONG: case SQL_C_LONG: case SQL_C_ULONG: return sizeof(SQLINTEGER);
    case SQL_C_STINYINT: case SQL_C_TINYINT: case SQL_C_UTINYINT: case SQL_C_BIT: return 1;
    case SQL_C_SBIGINT: case SQL_C_UBIGINT: return sizeof(SQLBIGINT);
    case SQL_C_DOUBLE: return sizeof(SQLDOUBLE);
    case SQL_C_FLOAT: return sizeof(SQLREAL);
    default: return 0;
    }
}

template <class T>
T Read(const void* data)
{
    T value;
    std::memcpy(&value, data, sizeof(T));
    return value;
}

} // namespace

SQLRETURN Statement::BindParameter(SQLUSMALLINT number, SQLSMALLINT ioType, SQLSMALLINT cType, SQLSMALLINT sqlType,
                                   SQLULEN, SQLPOINTER value, SQLLEN, SQLLEN* indicator)
{
    const std::string which = std::to_string(number);
    if (number < 1) return diag.Add(DriverErrorId::InvalidParameterNumber, {which});
    if (m_needsData) return diag.Add(DriverErrorId::StillNeedsData);
    if (ioType != SQL_PARAM_INPUT) return diag.Add(DriverErrorId::ParameterTypeNotSupported, {which});
    if (!IsKnownSqlType(sqlType)) return diag.Add(DriverErrorId::InvalidSqlType, {std::to_string(sqlType), which});
    if (cType == SQL_C_DEFAULT) cType = DefaultCTypeFor(sqlType);
    if (!IsKnownCType(cType)) return diag.Add(DriverErrorId::InvalidBufferType, {std::to_string(cType)});
    if (m_parameters.size() < number) m_parameters.resize(number);
    m_parameters[number - 1u] = Parameter{true, cType, sqlType, value, indicator};
    return SQL_SUCCESS;
}

SQLRETURN Statement::NumParams(SQLSMALLINT* count)
{
    if (!m_statement) return diag.Add(DriverErrorId::NotPrepared);
    if (count) *count = static_cast<SQLSMALLINT>(sqlite3_bind_parameter_count(m_statement.get()));
    return SQL_SUCCESS;
}

SQLRETURN Statement::BindMarkers()
{
    sqlite3_stmt* statement = m_statement.get();
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    m_sentValues.clear();
    m_sending = -1;
    const int count = sqlite3_bind_parameter_count(statement);
    for (int i = 0; i < count; ++i) {
        if (static_cast<size_t>(i) >= m_parameters.size() || !m_parameters[static_cast<size_t>(i)].bound) {
            return diag.Add(DriverErrorId::ParametersNotBound, {std::to_string(count), std::to_string(i + 1)});
        }
        const Parameter& parameter = m_parameters[static_cast<size_t>(i)];
        if (AtExecution(parameter.indicator)) {
            SentValue sent;
            sent.marker = i;
            m_sentValues.push_back(std::move(sent));
            continue;
        }
        const SQLRETURN rc = BindValue(i, parameter, parameter.value, parameter.indicator ? *parameter.indicator : SQL_NTS);
        if (rc != SQL_SUCCESS) return rc;
    }
    if (m_sentValues.empty()) return SQL_SUCCESS;
    m_needsData = true;
    return SQL_NEED_DATA;
}

SQLRETURN Statement::BindValue(int marker, const Parameter& parameter, const void* data, SQLLEN length)
{
    sqlite3_stmt* statement = m_statement.get();
    const int index = marker + 1;
    const std::string which = std::to_string(index);
    auto checked = [&](int rc) -> SQLRETURN {
        return rc == SQLITE_OK ? SQLRETURN{SQL_SUCCESS} : diag.Add(connection->Database().ErrorFor(rc, m_sql));
    };
    if (length == SQL_NULL_DATA) return checked(sqlite3_bind_null(statement, index));
    if (!data || (length < 0 && length != SQL_NTS)) return diag.Add(DriverErrorId::InvalidParameterLength, {std::to_string(length), which});

    // Text meant for a number column is bound as the number it spells.
    auto bindText = [&](const std::string& utf8) -> SQLRETURN {
        if (IsNumericSqlType(parameter.sqlType)) {
            char* end = nullptr;
            errno = 0;
            const long long integer = std::strtoll(utf8.c_str(), &end, 10);
            if (!utf8.empty() && end && *end == 0 && errno == 0) return checked(sqlite3_bind_int64(statement, index, integer));
            errno = 0;
            const double real = std::strtod(utf8.c_str(), &end);
            if (!utf8.empty() && end && *end == 0 && errno == 0) return checked(sqlite3_bind_double(statement, index, real));
            return diag.Add(DriverErrorId::TextIsNotANumber, {which});
        }
        return checked(sqlite3_bind_text(statement, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT));
    };
    switch (parameter.cType) {
    case SQL_C_WCHAR: {
        const auto* text = static_cast<const char16_t*>(data);
        if (length != SQL_NTS && length % 2 != 0) return diag.Add(DriverErrorId::InvalidParameterLength, {std::to_string(length), which});
        const size_t units = length == SQL_NTS ? WideLength(text) : static_cast<size_t>(length) / 2;
        if (IsNumericSqlType(parameter.sqlType)) return bindText(Utf16ToUtf8(std::u16string(text, units)));
        return checked(sqlite3_bind_text16(statement, index, text, static_cast<int>(units * 2), SQLITE_TRANSIENT));
    }
    case SQL_C_CHAR: {
        const auto* text = static_cast<const char*>(data);
        return bindText(std::string(text, length == SQL_NTS ? std::strlen(text) : static_cast<size_t>(length)));
    }
    case SQL_C_BINARY:
        if (length == SQL_NTS) return diag.Add(DriverErrorId::InvalidParameterLength, {std::to_string(length), which});
        return checked(sqlite3_bind_blob(statement, index, data, static_cast<int>(length), SQLITE_TRANSIENT));
    case SQL_C_SSHORT: case SQL_C_SHORT: return checked(sqlite3_bind_int64(statement, index, Read<SQLSMALLINT>(data)));
    case SQL_C_USHORT: return checked(sqlite3_bind_int64(statement, index, Read<SQLUSMALLINT>(data)));
    case SQL_C_SLONG: case SQL_C_LONG: return checked(sqlite3_bind_int64(statement, index, Read<SQLINTEGER>(data)));
    case SQL_C_ULONG: return checked(sqlite3_bind_int64(statement, index, Read<SQLUINTEGER>(data)));
    case SQL_C_STINYINT: case SQL_C_TINYINT: return checked(sqlite3_bind_int64(statement, index, Read<SQLSCHAR>(data)));
    case SQL_C_UTINYINT: case SQL_C_BIT: return checked(sqlite3_bind_int64(statement, index, Read<SQLCHAR>(data)));
    case SQL_C_SBIGINT: return checked(sqlite3_bind_int64(statement, index, Read<SQLBIGINT>(data)));
    case SQL_C_UBIGINT: {
        const SQLUBIGINT value = Read<SQLUBIGINT>(data);
        if (value > static_cast<SQLUBIGINT>(INT64_MAX)) return diag.Add(DriverErrorId::NumberOutOfRange);
        return checked(sqlite3_bind_int64(statement, index, static_cast<sqlite3_int64>(value)));
    }
    case SQL_C_DOUBLE: return checked(sqlite3_bind_double(statement, index, Read<SQLDOUBLE>(data)));
    case SQL_C_FLOAT: return checked(sqlite3_bind_double(statement, index, Read<SQLREAL>(data)));
    default: return diag.Add(DriverErrorId::InvalidBufferType, {std::to_string(parameter.cType)});
    }
}

SQLRETURN Statement::ParamData(SQLPOINTER* token)
{
    if (!m_needsData) return diag.Add(DriverErrorId::DataNotExpected);
    if (m_sending >= 0 && !m_sentValues[static_cast<size_t>(m_sending)].started) {
        const int marker = m_sentValues[static_cast<size_t>(m_sending)].marker;
        Cancel();
        return diag.Add(DriverErrorId::NoDataSentForParameter, {std::to_string(marker + 1)});
    }
    ++m_sending;
    if (static_cast<size_t>(m_sending) < m_sentValues.size()) {
        if (token) *token = m_parameters[static_cast<size_t>(m_sentValues[static_cast<size_t>(m_sending)].marker)].value;
        return SQL_NEED_DATA;
    }
    const SQLRETURN bound = BindSentValues();
    Cancel();  // the values are bound (or refused): nothing more is awaited
    if (bound != SQL_SUCCESS) return bound;
    return Run();
}

SQLRETURN Statement::BindSentValues()
{
    for (const SentValue& sent : m_sentValues) {
        const Parameter& parameter = m_parameters[static_cast<size_t>(sent.marker)];
        const SQLLEN length = sent.isNull ? SQL_NULL_DATA : static_cast<SQLLEN>(sent.bytes.size());
        const SQLRETURN rc = BindValue(sent.marker, parameter, sent.bytes.data(), length);
        if (rc != SQL_SUCCESS) return rc;
    }
    return SQL_SUCCESS;
}

SQLRETURN Statement::PutData(SQLPOINTER data, SQLLEN length)
{
    if (!m_needsData || m_sending < 0 || static_cast<size_t>(m_sending) >= m_sentValues.size()) {
        return diag.Add(DriverErrorId::DataNotExpected);
    }
    // A refused piece abandons the execution, as the driver manager takes it.
    const SQLRETURN rc = AppendData(data, length);
    if (rc == SQL_ERROR) Cancel();
    return rc;
}

SQLRETURN Statement::AppendData(SQLPOINTER data, SQLLEN length)
{
    SentValue& sent = m_sentValues[static_cast<size_t>(m_sending)];
    const Parameter& parameter = m_parameters[static_cast<size_t>(sent.marker)];
    const std::string which = std::to_string(sent.marker + 1);
    if (length == SQL_NULL_DATA) {
        if (sent.started) return diag.Add(DriverErrorId::NullAppendedToData, {which});
        sent.started = sent.isNull = true;
        return SQL_SUCCESS;
    }
    if (sent.isNull) return diag.Add(DriverErrorId::NullAppendedToData, {which});
    if (!IsPieceType(parameter.cType)) {
        if (sent.started) return diag.Add(DriverErrorId::NumberSentInPieces, {which});
        if (!data) return diag.Add(DriverErrorId::InvalidParameterLength, {std::to_string(length), which});
        sent.bytes.assign(static_cast<const char*>(data), FixedSize(parameter.cType));
        sent.started = true;
        return SQL_SUCCESS;
    }
    size_t bytes = 0;
    if (length == SQL_NTS && parameter.cType == SQL_C_WCHAR && data) bytes = WideLength(static_cast<const char16_t*>(data)) * 2;
    else if (length == SQL_NTS && parameter.cType == SQL_C_CHAR && data) bytes = std::strlen(static_cast<const char*>(data));
    else if (length >= 0 && (data || length == 0) && !(parameter.cType == SQL_C_WCHAR && length % 2 != 0)) bytes = static_cast<size_t>(length);
    else return diag.Add(DriverErrorId::InvalidParameterLength, {std::to_string(length), which});
    if (bytes) sent.bytes.append(static_cast<const char*>(data), bytes);
    sent.started = true;
    return SQL_SUCCESS;
}

SQLRETURN Statement::Cancel()
{
    m_needsData = false;
    m_sending = -1;
    m_sentValues.clear();
    return SQL_SUCCESS;
}
