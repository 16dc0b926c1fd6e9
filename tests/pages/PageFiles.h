// Files of the page tests: copies of a note database put where the native
// check reads them, and a connection of the test's own for changes made "by
// someone else".
#pragma once

#include <string>
#include <vector>

namespace pages {

void Snapshot(const std::wstring& file, const char* name);
void ClearSnapshots();

// A connection of the test's own to a note database, for changes made "by
// someone else" while the dialog has the file open.
void ExecuteOnFile(const std::wstring& file, const std::vector<std::wstring>& statements);

// A UTF-16 literal of the shared test data as a Windows string.
inline std::wstring W(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
using Texts = std::vector<std::wstring>;
using Ids = std::vector<int>;

} // namespace pages
