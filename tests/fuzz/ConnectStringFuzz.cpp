// Fuzzes the driver's connect-string parser. Any text: keys are trimmed,
// upper-case and free of '=' and ';', no more output than input. Pairs
// written the way ODBC allows (plain, braced or quoted values) read back as
// written, first key wins; and the path in the store's connect string is
// the DBQ the driver opens.
#include "driver/ConnectString.h"
#include "driver/Utf.h"
#include "store/records/NoteSql.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

void Require(bool ok, const char* what)
{
    if (ok) return;
    std::fprintf(stderr, "ConnectStringFuzz: %s\n", what);
    std::abort();
}

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string Upper(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

void CheckAnyText(const std::string& text)
{
    const auto pairs = ParseConnectString(text);
    size_t total = 0;
    for (const auto& [key, value] : pairs) {
        Require(!key.empty(), "empty key");
        Require(key.find_first_of("=;") == std::string::npos, "key holds '=' or ';'");
        Require(!IsSpace(key.front()) && !IsSpace(key.back()), "key not trimmed");
        Require(Upper(key) == key, "key not upper-case");
        total += key.size() + value.size();
    }
    Require(total <= text.size(), "more output than input");
}

// Writes `value` as ODBC allows: {value} with each '}' doubled, "value"
// without '"', or plain when it has no ';' and no blanks or opening
// brace/quote at its ends.
bool Encode(const std::string& value, unsigned style, std::string& out)
{
    const bool plainOk = value.find(';') == std::string::npos &&
                         (value.empty() || (!IsSpace(value.front()) && !IsSpace(value.back()) && value.front() != '{' && value.front() != '"'));
    const bool quotesOk = value.find('"') == std::string::npos;
    for (unsigned k = 0; k < 3; ++k) {
        switch ((style + k) % 3) {
        case 0: if (plainOk) { out = value; return true; } break;
        case 1:
            out = "{";
            for (char c : value) out += c == '}' ? "}}" : std::string(1, c);
            out += "}";
            return true;
        case 2: if (quotesOk) { out = "\"" + value + "\""; return true; } break;
        }
    }
    return false;
}

void CheckRoundTrip(FuzzedDataProvider& data)
{
    std::string text;
    std::vector<std::pair<std::string, std::string>> expected;  // upper-case key, value; first wins
    const int count = data.ConsumeIntegralInRange(0, 6);
    for (int i = 0; i < count; ++i) {
        std::string key = data.ConsumeRandomLengthString(12);
        std::string value = data.ConsumeRandomLengthString(40);
        const unsigned style = data.ConsumeIntegral<unsigned char>();
        std::string trimmedKey;
        for (char c : key) if (c != '=' && c != ';') trimmedKey += c;
        while (!trimmedKey.empty() && IsSpace(trimmedKey.front())) trimmedKey.erase(0, 1);
        while (!trimmedKey.empty() && IsSpace(trimmedKey.back())) trimmedKey.pop_back();
        std::string encoded;
        if (trimmedKey.empty() || !Encode(value, style, encoded)) continue;
        text += (style & 8 ? " " : "") + trimmedKey + (style & 16 ? " = " : "=") + encoded + ";";
        bool seen = false;
        for (const auto& e : expected) seen = seen || e.first == Upper(trimmedKey);
        if (!seen) expected.push_back({Upper(trimmedKey), value});
    }
    const auto parsed = ParseConnectString(text);
    Require(parsed.size() == expected.size(), "round trip: number of pairs differs");
    for (const auto& [key, value] : expected) {
        const auto it = parsed.find(key);
        Require(it != parsed.end() && it->second == value, "round trip: value differs");
    }
}

// The store's connect string for a file the Open dialog returned: DBQ must
// name that file. Windows file names hold no control characters and none of <>:"/|?*.
void CheckStorePath(FuzzedDataProvider& data)
{
    const std::string raw = data.ConsumeRandomLengthString(60);
    std::wstring path = L"C:\\";
    for (unsigned char c : raw) {
        if (c < 0x20 || std::string("<>:\"/|?*").find(static_cast<char>(c)) != std::string::npos) continue;
        path += static_cast<wchar_t>(c);  // Latin-1
    }
    while (!path.empty() && (path.back() == L' ' || path.back() == L'.')) path.pop_back();  // Windows drops these
    const CString composed = BuildConnectString(CString(path));
    const std::u16string wide(composed.str().begin(), composed.str().end());
    const std::u16string wantWide(path.begin(), path.end());
    const auto parsed = ParseConnectString(Utf16ToUtf8(wide));
    const auto it = parsed.find("DBQ");
    Require(it != parsed.end() && it->second == Utf16ToUtf8(wantWide), "the store's connect string does not carry the path");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size > 4096) return 0;
    CheckAnyText(std::string(reinterpret_cast<const char*>(bytes), size));
    FuzzedDataProvider data(bytes, size);
    CheckStorePath(data);
    CheckRoundTrip(data);
    return 0;
}
