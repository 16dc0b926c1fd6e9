// The blanks' last values in the registry, read with a check of every entry.
#include "pages/PlaceholderMemory.h"

#include "framework/RegistryKey.h"

#include <algorithm>
#include <cwctype>
#include <map>

namespace {

const wchar_t kPlaceholderValuesKey[] = L"Software\\Quillbox\\PlaceholderValues";
// Far more than a library's blanks take; a longer value is not read, and a
// value too long to keep is not kept.
constexpr std::size_t kMaxStoredChars = 256 * 1024;
constexpr std::size_t kMaxValueChars = 4096;

std::wstring Lower(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

// The stored entries by lower-case name; entries without '=' are dropped.
std::map<std::wstring, std::wstring> ReadEntries(const CString& databasePath)
{
    std::map<std::wstring, std::wstring> entries;
    CRegistryKey key;
    std::wstring stored;
    if (databasePath.IsEmpty() || !key.OpenForReading(HKEY_CURRENT_USER, kPlaceholderValuesKey)) return entries;
    if (!key.QueryMultiString(databasePath, stored, kMaxStoredChars)) return entries;
    for (size_t start = 0; start < stored.size();) {
        size_t end = stored.find(L'\0', start);
        if (end == std::wstring::npos) end = stored.size();
        const std::wstring entry = stored.substr(start, end - start);
        const size_t equals = entry.find(L'=');
        if (equals != std::wstring::npos && equals > 0) entries[Lower(entry.substr(0, equals))] = entry.substr(equals + 1);
        start = end + 1;
    }
    return entries;
}

} // namespace

PlaceholderValues LoadPlaceholderValues(const CString& databasePath)
{
    PlaceholderValues values;
    for (const auto& [name, value] : ReadEntries(databasePath)) values.Set(name, value);
    return values;
}

void SavePlaceholderValues(const CString& databasePath, const std::vector<std::wstring>& names, const PlaceholderValues& values)
{
    if (databasePath.IsEmpty()) return;
    std::map<std::wstring, std::wstring> entries = ReadEntries(databasePath);
    for (const std::wstring& name : names) {
        const std::wstring* value = values.Find(name);
        if (value && value->size() <= kMaxValueChars && value->find(L'\0') == std::wstring::npos) entries[Lower(name)] = *value;
    }
    std::wstring stored;
    for (const auto& [name, value] : entries) {
        stored += name + L"=" + value;
        stored += L'\0';
    }
    stored += L'\0';
    if (stored.size() > kMaxStoredChars) return;
    CRegistryKey key;
    if (key.Create(HKEY_CURRENT_USER, kPlaceholderValuesKey)) key.SetMultiString(databasePath, stored);
}
