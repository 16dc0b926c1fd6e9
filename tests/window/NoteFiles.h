// Note database files for the main-dialog tests, made and read through the
// note store and a connection of the test's own (not the dialog's).
#pragma once

#include "framework/CDBParameters.h"

#include <string>
#include <vector>

namespace notefiles {

// Creates a note database at `path` (file and schema) and runs `statements`
// on it. Empty when all went well, else what failed.
std::wstring MakeNoteDatabase(const std::wstring& path, const std::vector<std::wstring>& statements);
// Creates an empty database file at `path` and runs `statements` on it, with
// no note schema.
std::wstring MakeDatabase(const std::wstring& path, const std::vector<std::wstring>& statements);
// Runs `statements` on the existing file at `path`; empty when all ran.
std::wstring RunStatements(const std::wstring& path, const std::vector<std::wstring>& statements);
// The error text that connecting to `path` gives; empty when it connects.
std::wstring ConnectError(const std::wstring& path);
// The error text that opening `sql` on `path` gives; empty when it opens.
std::wstring StatementError(const std::wstring& path, const std::wstring& sql, const CDBParameters& parameters = CDBParameters());
// Every row of `sql` on `path`, its columns as text joined with '|'.
std::vector<std::wstring> Rows(const std::wstring& path, const std::wstring& sql);

// The sample of the list tests: group 0 "None" and groups 1 "Work",
// 2 "Admin" and 3 "Empty" (no notes); notes in group 0 and in groups 1, 2.
std::vector<std::wstring> SampleStatements();

} // namespace notefiles
