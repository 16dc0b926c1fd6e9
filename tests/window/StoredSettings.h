// The dialog's stored settings as the tests see and spoil them: raw values
// under HKEY_CURRENT_USER\Software\Quillbox, read and written with plain
// registry calls (the test program's own, not the dialog's).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace storedsettings {

// One stored value as it is: its type and bytes; type REG_NONE when absent.
struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
};
RawValue Read(const wchar_t* name);
// Writes a value of any type with the given bytes; false when that failed.
bool Write(const wchar_t* name, DWORD type, const void* bytes, size_t size);
bool WriteText(const wchar_t* name, DWORD type, const std::wstring& text);  // the text's characters as stored, no NUL added
bool WriteDword(const wchar_t* name, DWORD value);

// "dword 2", "sz Edit", "multi [a | b]", "binary 3 bytes", "absent": for
// comparing and printing.
std::string Describe(const RawValue& value);
// The multi-string form of `paths`: each one with its NUL, then one more NUL.
std::wstring MultiString(const std::vector<std::wstring>& paths);

} // namespace storedsettings
