// The data source a user chose to run notes on, as text: a data source
// name ("Sales") or a full connection string ("DRIVER={...};Database=...").
// A password is never kept: the stored form holds its key with no value
// ("PWD=;"), which tells that one is asked for when connecting.
#pragma once

#include <string>

// "DSN=Sales;" for a name; a connection string as it is.
std::wstring ConnectionStringOf(const std::wstring& choice);
// The choice with the value of every PWD= or Password= key removed.
std::wstring WithoutPassword(const std::wstring& choice);
// The password the choice holds (empty when none).
std::wstring PasswordIn(const std::wstring& choice);
// Whether the choice has a password key with no value: one must be asked for.
bool NeedsPassword(const std::wstring& choice);
// The choice with `password` as the value of its password keys, in braces
// when it holds a ';' or a brace.
std::wstring WithPassword(const std::wstring& choice, const std::wstring& password);
