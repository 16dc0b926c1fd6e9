// The data sources the ODBC driver manager lists, user and system.
#pragma once

#include <string>
#include <vector>

// Their names, as SQLDataSources gives them; empty when none are listed.
std::vector<std::wstring> ListDataSources();
