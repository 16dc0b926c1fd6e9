// Raw access to the stored settings for the tests.
#include "tests/window/StoredSettings.h"

#include "tests/window/WindowTestSupport.h"

namespace storedsettings {

namespace {

const wchar_t kKey[] = L"Software\\Quillbox";

} // namespace

RawValue Read(const wchar_t* name)
{
    RawValue value;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        value.bytes.resize(size);
        if (::RegQueryValueExW(key, name, nullptr, &type, value.bytes.data(), &size) == ERROR_SUCCESS) {
            value.type = type;
            value.bytes.resize(size);
        } else {
            value.bytes.clear();
        }
    }
    ::RegCloseKey(key);
    return value;
}

bool Write(const wchar_t* name, DWORD type, const void* bytes, size_t size)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) return false;
    const bool written = ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(bytes), static_cast<DWORD>(size)) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return written;
}

bool WriteText(const wchar_t* name, DWORD type, const std::wstring& text)
{
    return Write(name, type, text.data(), text.size() * sizeof(wchar_t));
}

bool WriteDword(const wchar_t* name, DWORD value) { return Write(name, REG_DWORD, &value, sizeof value); }

std::string Describe(const RawValue& value)
{
    const auto text = [&value] {
        return std::wstring(reinterpret_cast<const wchar_t*>(value.bytes.data()), value.bytes.size() / sizeof(wchar_t));
    };
    switch (value.type) {
    case REG_NONE: return "absent";
    case REG_DWORD:
        if (value.bytes.size() == sizeof(DWORD)) return "dword " + std::to_string(*reinterpret_cast<const DWORD*>(value.bytes.data()));
        return "dword of " + std::to_string(value.bytes.size()) + " bytes";
    case REG_SZ: return "sz " + windowtest::Narrow(text());
    case REG_MULTI_SZ: {
        std::wstring all = text();
        std::string out = "multi [";
        size_t start = 0;
        bool first = true;
        while (start < all.size()) {
            size_t end = all.find(L'\0', start);
            if (end == std::wstring::npos) end = all.size();
            if (end > start) {
                out += (first ? "" : " | ") + windowtest::Narrow(all.substr(start, end - start));
                first = false;
            }
            start = end + 1;
        }
        // Well formed: every entry ends with a NUL and one more NUL closes the list.
        const bool closed = all.size() >= 1 && all.back() == L'\0' && (all.size() == 1 || all[all.size() - 2] == L'\0');
        return out + "]" + (closed ? "" : " unterminated");
    }
    default: return "type " + std::to_string(value.type) + ", " + std::to_string(value.bytes.size()) + " bytes";
    }
}

std::wstring MultiString(const std::vector<std::wstring>& paths)
{
    std::wstring stored;
    for (const std::wstring& path : paths) stored += path + std::wstring(1, L'\0');
    return stored + std::wstring(1, L'\0');
}

} // namespace storedsettings
