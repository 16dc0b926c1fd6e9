// Runs a statement with its parameter values bound to its '?' markers: a
// short text is bound in place, a long one is sent in pieces at execution
// (SQLParamData, SQLPutData), as the Access driver wants long texts sent.
#pragma once

#include "CDBParameters.h"

#include <windows.h>
#include <sql.h>

// SQLExecDirectW of `sql` on `statement` with `parameters` bound; the
// driver's answer (SQL_NO_DATA included) is returned, its diagnostics left
// on the statement.
SQLRETURN ExecuteDirectWithParameters(SQLHSTMT statement, LPCWSTR sql, const CDBParameters& parameters);
