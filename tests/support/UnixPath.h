// The Unix path of a Windows path under Wine: what a native driver (Debian's
// SQLite ODBC driver takes Database=<path> as it is) needs to find a file
// that the test made through Windows calls.
#pragma once

#include <string>

// Empty when not running under Wine or when the path has no Unix side.
std::wstring UnixPathOf(const std::wstring& windowsPath);
