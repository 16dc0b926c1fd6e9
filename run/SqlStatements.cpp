// Splitting a script into statements at ';' (a stand-in until the full rules land).
#include "run/SqlStatements.h"

#include <cwctype>

namespace {
std::wstring Trim(const std::wstring& s)
{
    const auto a = s.find_first_not_of(L" \t\r\n");
    if (a == std::wstring::npos) return {};
    return s.substr(a, s.find_last_not_of(L" \t\r\n") - a + 1);
}
} // namespace

std::vector<SqlStatement> SplitSqlStatements(const std::wstring& text)
{
    std::vector<SqlStatement> out;
    std::wstring current;
    bool quote = false;
    auto flush = [&] {
        const std::wstring t = Trim(current);
        if (!t.empty()) out.push_back(SqlStatement{t, static_cast<int>(out.size()) + 1});
        current.clear();
    };
    for (wchar_t c : text) {
        if (c == L'\'') quote = !quote;
        if (c == L';' && !quote) flush();
        else current.push_back(c);
    }
    flush();
    return out;
}

std::wstring FirstLineOf(const std::wstring& statement)
{
    std::size_t start = 0;
    while (start < statement.size()) {
        std::size_t end = statement.find(L'\n', start);
        if (end == std::wstring::npos) end = statement.size();
        const std::wstring line = Trim(statement.substr(start, end - start));
        if (!line.empty()) return line;
        start = end + 1;
    }
    return {};
}

bool MayChangeData(const std::wstring& statement)
{
    std::wstring word;
    for (wchar_t c : Trim(statement)) {
        if (!std::iswalpha(c)) break;
        word.push_back(static_cast<wchar_t>(std::towupper(c)));
    }
    for (const wchar_t* reading : {L"SELECT", L"WITH", L"VALUES", L"SHOW", L"EXPLAIN", L"DESCRIBE"}) {
        if (word == reading) return false;
    }
    return true;
}
