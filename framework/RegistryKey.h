// CRegistryKey: owns an open registry key and closes it. Reads accept a
// value only when it has the asked-for type and a size that fits it;
// anything else reads as absent, so a damaged setting never gets further.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "UniqueHandle.h"

// Closes a registry key.
struct RegistryKeyClose {
    void operator()(HKEY key) const { ::RegCloseKey(key); }
};

class CRegistryKey {
public:
    // Opens `path` under `parent` for reading and writing, creating it when
    // missing; the key held before is closed.
    bool Create(HKEY parent, const wchar_t* path);
    // Opens an existing `path` under `parent` for reading.
    bool OpenForReading(HKEY parent, const wchar_t* path);
    void Close() { m_key.Reset(); }
    HKEY Detach() { return m_key.Detach(); }
    bool IsOpen() const { return static_cast<bool>(m_key); }
    HKEY Get() const { return m_key.Get(); }

    // Whether a value of that name exists, whatever its type.
    bool HasValue(const wchar_t* name) const;
    // A REG_DWORD value.
    bool QueryDword(const wchar_t* name, DWORD& value) const;
    // A REG_MULTI_SZ value of at most `maxChars` characters, as stored: its
    // NULs included, none added.
    bool QueryMultiString(const wchar_t* name, std::wstring& value, std::size_t maxChars) const;
    // A REG_SZ value of at most `maxChars` characters, without its closing
    // NUL; one with a NUL inside reads as absent.
    bool QueryString(const wchar_t* name, std::wstring& value, std::size_t maxChars) const;
    bool SetDword(const wchar_t* name, DWORD value);
    // `value` holds its own NULs (every string's and the closing one).
    bool SetMultiString(const wchar_t* name, const std::wstring& value);
    bool SetString(const wchar_t* name, const std::wstring& value);

private:
    // The characters of a value of type `expectedType`, as stored.
    bool QueryChars(const wchar_t* name, DWORD expectedType, std::wstring& value, std::size_t maxChars) const;

    CUniqueHandle<HKEY, RegistryKeyClose> m_key;
};
