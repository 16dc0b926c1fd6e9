// Wide-text helpers at the ODBC boundary (SQLWCHAR is UTF-16).
#pragma once

#include <sql.h>
#include <sqlext.h>
#include <string>

// The text of an input argument given with a length in characters or SQL_NTS.
std::u16string WideArgument(const SQLWCHAR* text, SQLINTEGER length);

// Copies `text` into `buffer` of `capacity` characters (terminator included)
// and stores the full length in characters. Returns true when the text was cut.
bool CopyWideOut(const std::u16string& text, SQLWCHAR* buffer, SQLLEN capacity, SQLLEN* fullLength);
