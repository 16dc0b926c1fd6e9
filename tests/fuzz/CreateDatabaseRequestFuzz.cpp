// Fuzzes the setup DLL's reading of CREATE_DB out of the installer's
// attribute text. Any text: a path is reported only with success, is never
// empty and is a piece of the text. The store's creation attributes for any
// Windows file name, behind other pairs, give back exactly that name.
#include "driver/setup/CreateDatabaseRequest.h"
#include "store/records/NoteSql.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Require(bool ok, const char* what)
{
    if (ok) return;
    std::fprintf(stderr, "CreateDatabaseRequestFuzz: %s\n", what);
    std::abort();
}

// Bytes as UTF-16 code units the way an edit box could hold them: ASCII,
// Latin-1 and, after 0xFF, a raw unit from the next two bytes.
std::wstring Units(const std::string& bytes)
{
    std::wstring out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == 0xFF && i + 2 < bytes.size()) {
            out += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i + 1]) << 8 | static_cast<unsigned char>(bytes[i + 2]));
            i += 2;
        } else {
            out += static_cast<wchar_t>(c);
        }
    }
    return out;
}

void CheckAnyText(const std::wstring& attributes)
{
    std::wstring path = L"unchanged";
    const bool found = ParseCreateDatabaseRequest(attributes, path);
    if (found) {
        Require(!path.empty(), "success with an empty path");
        Require(attributes.find(path) != std::wstring::npos, "path is not a piece of the text");
        Require(path.size() < attributes.size(), "path as long as the whole text");
    }
}

void CheckStoreAttributes(FuzzedDataProvider& data)
{
    // Other pairs first (no CREATE_DB among them), then the store's request.
    const std::wstring raw = Units(data.ConsumeRandomLengthString(40));
    const std::wstring name = Units(data.ConsumeRandomLengthString(80));
    // Pairs before must be complete (an even number of quotes) and hold no
    // CREATE_DB key; the attributes are a C string, so no NUL.
    std::wstring before, prefix;
    size_t quotes = 0;
    for (wchar_t c : raw) if (c != 0) before += c;
    for (wchar_t c : before) quotes += c == L'"';
    if (quotes % 2 == 0 && before.find(L'=') == std::wstring::npos) prefix = before.empty() ? L"" : before + L";";
    // A Windows file name: no NUL and none of the characters <>"|?* (the quote is what matters here).
    std::wstring path = L"C:\\";
    for (wchar_t c : name) {
        if (c == 0 || std::wstring(L"<>\"|?*").find(c) != std::wstring::npos) continue;
        path += c;
    }
    const CString attributes = CString(prefix.c_str()) + BuildCreationAttributes(CString(path.c_str()));
    std::wstring got;
    Require(ParseCreateDatabaseRequest(attributes.str(), got), "the store's request is not recognised");
    Require(got == path, "the store's request reads back as another path");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size > 4096) return 0;
    CheckAnyText(Units(std::string(reinterpret_cast<const char*>(bytes), size)));
    FuzzedDataProvider data(bytes, size);
    CheckStoreAttributes(data);
    return 0;
}
