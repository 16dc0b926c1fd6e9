// Binding parameter values and sending long texts in pieces.
#include "BoundParameters.h"

#include <sqlext.h>

#include <algorithm>

namespace {

// Texts up to this many characters are bound in place; the Access driver
// reads longer ones (its memo values) only as data sent at execution.
constexpr int kLongestBoundText = 255;
// The size of each piece of a long text, in characters.
constexpr int kPieceChars = 8192;

} // namespace

SQLRETURN ExecuteDirectWithParameters(SQLHSTMT statement, LPCWSTR sql, const CDBParameters& parameters)
{
    const auto& values = parameters.Values();
    // Lengths and numbers must stay where they are until the execution ends.
    std::vector<SQLLEN> lengths(values.size(), 0);
    std::vector<SQLINTEGER> numbers(values.size(), 0);
    for (size_t i = 0; i < values.size(); ++i) {
        const CDBParameters::Value& value = values[i];
        const auto number = static_cast<SQLUSMALLINT>(i + 1);
        SQLRETURN rc = SQL_SUCCESS;
        switch (value.kind) {
        case CDBParameters::Kind::Null:
            lengths[i] = SQL_NULL_DATA;
            rc = ::SQLBindParameter(statement, number, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, 255, 0, nullptr, 0, &lengths[i]);
            break;
        case CDBParameters::Kind::Integer:
            numbers[i] = value.integer;
            rc = ::SQLBindParameter(statement, number, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 10, 0, &numbers[i], 0, &lengths[i]);
            break;
        case CDBParameters::Kind::Text: {
            const int chars = value.text.GetLength();
            const auto bytes = static_cast<SQLLEN>(chars) * static_cast<SQLLEN>(sizeof(wchar_t));
            auto* text = const_cast<wchar_t*>(value.text.GetString());
            if (chars <= kLongestBoundText) {
                lengths[i] = bytes;
                rc = ::SQLBindParameter(statement, number, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, std::max(chars, 1), 0, text,
                                        bytes, &lengths[i]);
            } else {
                // The value pointer is the token SQLParamData hands back: the value's own place in the list.
                lengths[i] = SQL_LEN_DATA_AT_EXEC(bytes);
                rc = ::SQLBindParameter(statement, number, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WLONGVARCHAR, static_cast<SQLULEN>(chars), 0,
                                        const_cast<CDBParameters::Value*>(&value), 0, &lengths[i]);
            }
            break;
        }
        }
        if (!SQL_SUCCEEDED(rc)) return rc;
    }
    SQLRETURN rc = ::SQLExecDirectW(statement, reinterpret_cast<SQLWCHAR*>(const_cast<wchar_t*>(sql ? sql : L"")), SQL_NTS);
    while (rc == SQL_NEED_DATA) {
        SQLPOINTER token = nullptr;
        rc = ::SQLParamData(statement, &token);
        if (rc != SQL_NEED_DATA) break;
        const auto* value = static_cast<const CDBParameters::Value*>(token);
        const wchar_t* text = value->text.GetString();
        const int chars = value->text.GetLength();
        for (int sent = 0; sent < chars;) {
            int piece = std::min(kPieceChars, chars - sent);
            // A surrogate pair stays in one piece.
            if (sent + piece < chars && text[sent + piece - 1] >= 0xD800 && text[sent + piece - 1] < 0xDC00) --piece;
            const SQLRETURN put = ::SQLPutData(statement, const_cast<wchar_t*>(text + sent),
                                               static_cast<SQLLEN>(piece) * static_cast<SQLLEN>(sizeof(wchar_t)));
            if (!SQL_SUCCEEDED(put)) return put;  // its diagnostics stay on the statement
            sent += piece;
        }
    }
    return rc;
}
