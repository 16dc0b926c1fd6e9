// Binding the values of a statement's blanks and executing it.
#include "run/BoundExecution.h"

#include <sqlext.h>

#include <vector>

namespace {

// The SQL type a value is sent as, with its column size and digits.
struct ParameterType {
    SQLSMALLINT type;
    SQLULEN size;
    SQLSMALLINT digits;
};

ParameterType TypeOf(const std::wstring& value)
{
    if (ReadsAsNumber(value)) {
        const bool whole = value.find_first_of(L".eE") == std::wstring::npos;
        // Up to 18 digits fit a 64-bit integer whatever they are.
        if (whole && value.size() <= 18) return {SQL_BIGINT, 19, 0};
        return {SQL_DOUBLE, 15, 0};
    }
    return {SQL_WVARCHAR, value.empty() ? 1 : value.size(), 0};
}

} // namespace

SQLRETURN ExecuteBound(SQLHSTMT statement, const BoundStatement& bound)
{
    auto* text = reinterpret_cast<SQLWCHAR*>(const_cast<wchar_t*>(bound.text.c_str()));
    if (bound.parameters.empty()) return ::SQLExecDirectW(statement, text, SQL_NTS);
    SQLRETURN rc = ::SQLPrepareW(statement, text, SQL_NTS);
    if (!SQL_SUCCEEDED(rc)) return rc;
    // The lengths live until SQLExecute has read the values.
    std::vector<SQLLEN> lengths(bound.parameters.size());
    for (size_t i = 0; i < bound.parameters.size(); ++i) {
        const std::wstring& value = bound.parameters[i];
        const ParameterType type = TypeOf(value);
        lengths[i] = static_cast<SQLLEN>(value.size() * sizeof(SQLWCHAR));
        rc = ::SQLBindParameter(statement, static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT, SQL_C_WCHAR, type.type, type.size,
                                type.digits, const_cast<wchar_t*>(value.c_str()), lengths[i], &lengths[i]);
        if (!SQL_SUCCEEDED(rc)) return rc;
    }
    return ::SQLExecute(statement);
}
