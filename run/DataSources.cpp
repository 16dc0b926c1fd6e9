// Listing data sources: a question to the driver manager only; no data
// source is connected.
#include "run/DataSources.h"

#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include "framework/OdbcHandle.h"

std::vector<std::wstring> ListDataSources()
{
    std::vector<std::wstring> names;
    COdbcHandle environment;
    if (!SQL_SUCCEEDED(environment.Allocate(SQL_HANDLE_ENV, SQL_NULL_HANDLE))) return names;
    ::SQLSetEnvAttr(environment.Get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLWCHAR name[SQL_MAX_DSN_LENGTH + 1];
    SQLWCHAR description[256];
    SQLSMALLINT nameLength = 0, descriptionLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(::SQLDataSourcesW(environment.Get(), direction, name, SQL_MAX_DSN_LENGTH + 1, &nameLength, description, 256,
                                           &descriptionLength))) {
        names.emplace_back(reinterpret_cast<const wchar_t*>(name));
        direction = SQL_FETCH_NEXT;
    }
    return names;
}
