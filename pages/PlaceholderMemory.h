// The values last given to a query's blanks, per note database, under
// HKEY_CURRENT_USER\Software\Quillbox\PlaceholderValues: one multi-string
// value named by the database's path, each entry "name=value" with the name
// in lower case. What cannot be read is forgotten, never trusted.
#pragma once

#include "framework/CString.h"
#include "run/Placeholders.h"

#include <string>
#include <vector>

PlaceholderValues LoadPlaceholderValues(const CString& databasePath);
// Keeps `values` for `names`, beside what is kept for other names.
void SavePlaceholderValues(const CString& databasePath, const std::vector<std::wstring>& names, const PlaceholderValues& values);
