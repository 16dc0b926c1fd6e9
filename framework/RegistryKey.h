// CRegistryKey: owns an open registry key and closes it. Reads accept a
// value only when it has the asked-for type and a size that fits it;
// anything else reads as absent, so a damaged setting never gets further.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

class CRegistryKey {
public:
    CRegistryKey() = default;
    ~CRegistryKey() { Close(); }
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;
    CRegistryKey(CRegistryKey&& other) noexcept : m_hKey(other.Detach()) {}
    CRegistryKey& operator=(CRegistryKey&& other) noexcept
    {
        if (this != &other) {
            Close();
            m_hKey = other.Detach();
        }
        return *this;
    }

    // Opens `path` under `parent` for reading and writing, creating it when
    // missing; the key held before is closed.
    bool Create(HKEY parent, const wchar_t* path);
    // Opens an existing `path` under `parent` for reading.
    bool OpenForReading(HKEY parent, const wchar_t* path);
    void Close();
    HKEY Detach();
    bool IsOpen() const { return m_hKey != nullptr; }
    HKEY Get() const { return m_hKey; }

    // Whether a value of that name exists, whatever its type.
    bool HasValue(const wchar_t* name) const;
    // A REG_DWORD value.
    bool QueryDword(const wchar_t* name, DWORD& value) const;
    // A REG_MULTI_SZ value of at most `maxChars` characters, as stored: its
    // NULs included, none added.
    bool QueryMultiString(const wchar_t* name, std::wstring& value, std::size_t maxChars) const;
    bool SetDword(const wchar_t* name, DWORD value);
    // `value` holds its own NULs (every string's and the closing one).
    bool SetMultiString(const wchar_t* name, const std::wstring& value);

private:
    HKEY m_hKey = nullptr;  // owned
};
