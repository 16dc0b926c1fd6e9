// ParseCreateDatabaseRequest.
#include "CreateDatabaseRequest.h"

#include <cwctype>

namespace {

std::wstring Trim(const std::wstring& text)
{
    size_t b = 0, e = text.size();
    while (b < e && std::iswspace(static_cast<wint_t>(text[b]))) ++b;
    while (e > b && std::iswspace(static_cast<wint_t>(text[e - 1]))) --e;
    return text.substr(b, e - b);
}

std::wstring Upper(std::wstring text)
{
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return text;
}

} // namespace

bool ParseCreateDatabaseRequest(const std::wstring& attributes, std::wstring& path)
{
    size_t i = 0;
    const size_t n = attributes.size();
    while (i < n) {
        // One pair: up to the next ';' that is not inside double quotes.
        size_t end = i;
        bool quoted = false;
        for (; end < n && (quoted || attributes[end] != L';'); ++end) {
            if (attributes[end] == L'"') quoted = !quoted;
        }
        const std::wstring pair = attributes.substr(i, end - i);
        i = end + 1;
        const size_t eq = pair.find(L'=');
        if (eq == std::wstring::npos || Upper(Trim(pair.substr(0, eq))) != L"CREATE_DB") continue;
        const std::wstring value = Trim(pair.substr(eq + 1));
        if (!value.empty() && value[0] == L'"') {
            const size_t close = value.find(L'"', 1);
            path = value.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1);
        } else {
            // Unquoted: the path runs to the sort order word, if any.
            const size_t space = value.find_last_of(L' ');
            const std::wstring tail = space == std::wstring::npos ? std::wstring() : Upper(value.substr(space + 1));
            const bool sortOrder = tail == L"GENERAL" || tail == L"ENGLISH";
            path = sortOrder ? Trim(value.substr(0, space)) : value;
        }
        return !path.empty();
    }
    return false;
}
