// CRegistryKey: registry calls with the type and size checks on reading.
#include "framework/RegistryKey.h"

bool CRegistryKey::Create(HKEY parent, const wchar_t* path)
{
    Close();
    HKEY key = nullptr;
    if (::RegCreateKeyExW(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    m_key.Reset(key);
    return true;
}

bool CRegistryKey::OpenForReading(HKEY parent, const wchar_t* path)
{
    Close();
    HKEY key = nullptr;
    if (::RegOpenKeyExW(parent, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    m_key.Reset(key);
    return true;
}

bool CRegistryKey::HasValue(const wchar_t* name) const
{
    return Get() && ::RegQueryValueExW(Get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool CRegistryKey::QueryDword(const wchar_t* name, DWORD& value) const
{
    if (!Get()) return false;
    DWORD type = 0, read = 0, size = sizeof read;
    if (::RegQueryValueExW(Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&read), &size) != ERROR_SUCCESS) return false;
    if (type != REG_DWORD || size != sizeof read) return false;
    value = read;
    return true;
}

bool CRegistryKey::QueryMultiString(const wchar_t* name, std::wstring& value, std::size_t maxChars) const
{
    return QueryChars(name, REG_MULTI_SZ, value, maxChars);
}

bool CRegistryKey::QueryString(const wchar_t* name, std::wstring& value, std::size_t maxChars) const
{
    std::wstring read;
    if (!QueryChars(name, REG_SZ, read, maxChars + 1)) return false;
    if (!read.empty() && read.back() == L'\0') read.pop_back();
    if (read.find(L'\0') != std::wstring::npos || read.size() > maxChars) return false;
    value = read;
    return true;
}

bool CRegistryKey::QueryChars(const wchar_t* name, DWORD expectedType, std::wstring& value, std::size_t maxChars) const
{
    if (!Get()) return false;
    // The size first, so that a huge value is refused before it is read.
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (type != expectedType || size % sizeof(wchar_t) != 0 || size / sizeof(wchar_t) > maxChars) return false;
    std::wstring read(size / sizeof(wchar_t), L'\0');
    DWORD got = size;
    if (size > 0 && ::RegQueryValueExW(Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&read[0]), &got) != ERROR_SUCCESS) return false;
    // The value may have changed between the two calls.
    if (type != expectedType || got != size) return false;
    value = read;
    return true;
}

bool CRegistryKey::SetDword(const wchar_t* name, DWORD value)
{
    return Get() && ::RegSetValueExW(Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
}

bool CRegistryKey::SetMultiString(const wchar_t* name, const std::wstring& value)
{
    const DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    return Get() && ::RegSetValueExW(Get(), name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(value.data()), size) == ERROR_SUCCESS;
}

bool CRegistryKey::SetString(const wchar_t* name, const std::wstring& value)
{
    // The closing NUL is stored with the characters, as REG_SZ values are.
    const DWORD size = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return Get() && ::RegSetValueExW(Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), size) == ERROR_SUCCESS;
}
