// Reading a statement's result: its columns (names and how their values
// are kept and shown) and its rows, a block at a time, into ResultRows.
#pragma once

#include <windows.h>
#include <sql.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "run/OdbcError.h"
#include "run/ResultRows.h"

struct ResultColumn {
    std::wstring name;
    CellKind kind = CellKind::Text;  // Text, Number (shown right-aligned) or Binary
};

// The columns of the result open on `statement`.
std::vector<ResultColumn> DescribeResult(SQLHSTMT statement);

enum class FetchStop { Limit, End, Cancelled, Failed };
// Reads up to `limit` rows from `statement` into `rows`, checking
// `cancelled` between rows; on Failed, `error` says why.
FetchStop FetchRows(SQLHSTMT statement, const std::vector<ResultColumn>& columns, ResultRows& rows, std::size_t limit,
                    const std::function<bool()>& cancelled, OdbcError& error);
