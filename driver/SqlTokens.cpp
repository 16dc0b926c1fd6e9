// TokenizeSql and the small helpers on its tokens.
#include "SqlTokens.h"

#include <cctype>

std::vector<SqlToken> TokenizeSql(const std::string& s)
{
    std::vector<SqlToken> out;
    size_t i = 0;
    const size_t n = s.size();
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (std::isspace(c)) { ++i; continue; }
        if (c == '-' && i + 1 < n && s[i + 1] == '-') { while (i < n && s[i] != '\n') ++i; continue; }
        if (c == '/' && i + 1 < n && s[i + 1] == '*') {
            const size_t close = s.find("*/", i + 2);
            i = close == std::string::npos ? n : close + 2;
            continue;
        }
        const size_t start = i;
        if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const char close = c == '[' ? ']' : static_cast<char>(c);
            ++i;
            while (i < n) {
                if (s[i] == close) {
                    if (close != ']' && i + 1 < n && s[i + 1] == close) { i += 2; continue; }
                    ++i;
                    break;
                }
                ++i;
            }
            out.push_back({c == '\'' ? SqlToken::String : SqlToken::Quoted, start, i});
        } else if (std::isalpha(c) || c == '_' || c >= 0x80) {
            while (i < n && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '_' || s[i] == '$' ||
                             static_cast<unsigned char>(s[i]) >= 0x80)) ++i;
            out.push_back({SqlToken::Word, start, i});
        } else if (std::isdigit(c)) {
            while (i < n && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '.')) ++i;
            out.push_back({SqlToken::Number, start, i});
        } else {
            ++i;
            out.push_back({SqlToken::Punct, start, i});
        }
    }
    return out;
}

std::string UnquotedName(const std::string& sql, const SqlToken& token)
{
    std::string name = sql.substr(token.begin, token.end - token.begin);
    if (token.kind != SqlToken::Quoted || name.size() < 2) return name;
    const char close = name[0] == '[' ? ']' : name[0];
    std::string inner;
    for (size_t i = 1; i + 1 < name.size(); ++i) {
        inner += name[i];
        if (close != ']' && name[i] == close && name[i + 1] == close) ++i;
    }
    return inner;
}

std::string UpperAscii(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}
