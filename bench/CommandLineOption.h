// "--name=value" arguments of the programs that drive the dialog.
#pragma once

#include <cwchar>
#include <string>

// True, with `value` set, when `argument` is `name` followed by '=' and the value.
inline bool ParseOption(const wchar_t* argument, const wchar_t* name, std::wstring& value)
{
    const size_t length = std::wcslen(name);
    if (std::wcsncmp(argument, name, length) != 0 || argument[length] != L'=') return false;
    value = argument + length + 1;
    return true;
}
