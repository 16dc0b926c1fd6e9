// ParseConnectString.
#include "ConnectString.h"

#include <cctype>

namespace {

std::string Trim(const std::string& text)
{
    size_t b = 0, e = text.size();
    while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
    return text.substr(b, e - b);
}

} // namespace

std::map<std::string, std::string> ParseConnectString(const std::string& text)
{
    std::map<std::string, std::string> out;
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        const size_t eq = text.find('=', i);
        const size_t semi = text.find(';', i);
        if (eq == std::string::npos || (semi != std::string::npos && semi < eq)) {
            if (semi == std::string::npos) break;
            i = semi + 1;  // a piece without '=' is ignored
            continue;
        }
        std::string key = Trim(text.substr(i, eq - i));
        for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        size_t v = eq + 1;
        while (v < n && text[v] == ' ') ++v;
        std::string value;
        if (v < n && text[v] == '{') {
            // Inside braces "}}" stands for one '}' (ODBC's escape).
            size_t end = v + 1;
            for (; end < n; ++end) {
                if (text[end] == '}' && !(end + 1 < n && text[end + 1] == '}')) break;
                value += text[end];
                if (text[end] == '}') ++end;
            }
            const size_t next = text.find(';', end);
            i = next == std::string::npos ? n : next + 1;
        } else if (v < n && text[v] == '"') {
            size_t end = text.find('"', v + 1);
            if (end == std::string::npos) end = n;
            value = text.substr(v + 1, end - v - 1);
            const size_t next = text.find(';', end);
            i = next == std::string::npos ? n : next + 1;
        } else {
            const size_t end = text.find(';', v);
            value = Trim(text.substr(v, (end == std::string::npos ? n : end) - v));
            i = end == std::string::npos ? n : end + 1;
        }
        if (!key.empty() && out.find(key) == out.end()) out[key] = value;
    }
    return out;
}
