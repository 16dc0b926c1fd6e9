// Statement splitting and the read-only check, over the SQL token reader.
#include "run/SqlStatements.h"

#include "run/SqlScanner.h"

#include <algorithm>
#include <cwctype>

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == L'\v';
}

std::wstring Trimmed(const std::wstring& text, size_t begin, size_t end)
{
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::wstring Upper(std::wstring word)
{
    std::transform(word.begin(), word.end(), word.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    return word;
}

// The end of the line at lineStart (after its line break) when the line holds
// only GO and blanks; 0 otherwise.
size_t EndOfGoLine(const std::wstring& text, size_t lineStart)
{
    size_t lineEnd = text.find(L'\n', lineStart);
    const size_t next = lineEnd == std::wstring::npos ? text.size() : lineEnd + 1;
    if (lineEnd == std::wstring::npos) lineEnd = text.size();
    return Upper(Trimmed(text, lineStart, lineEnd)) == L"GO" ? next : 0;
}

bool OneOf(const std::wstring& word, std::initializer_list<const wchar_t*> words)
{
    return std::any_of(words.begin(), words.end(), [&](const wchar_t* w) { return word == w; });
}

} // namespace

std::vector<ScriptStatement> SplitSqlStatements(const std::wstring& text)
{
    std::vector<ScriptStatement> statements;
    SqlScanner scanner(text);
    size_t start = 0;
    bool holdsCode = false;
    const auto finish = [&](size_t end) {
        if (holdsCode) statements.push_back({Trimmed(text, start, end), static_cast<int>(statements.size()) + 1});
        holdsCode = false;
    };
    while (!scanner.AtEnd()) {
        const size_t pos = scanner.Position();
        if (pos == 0 || text[pos - 1] == L'\n') {
            if (const size_t after = EndOfGoLine(text, pos)) {
                finish(pos);
                start = after;
                scanner.SkipTo(after);
                continue;
            }
        }
        const SqlToken token = scanner.Next();
        if (token.kind == SqlTokenKind::Semicolon) {
            finish(token.begin);
            start = token.end;
        } else if (token.kind != SqlTokenKind::Blank && token.kind != SqlTokenKind::Comment) {
            holdsCode = true;
        }
    }
    finish(text.size());
    return statements;
}

std::wstring FirstLineOf(const std::wstring& statement)
{
    size_t lineStart = 0;
    while (lineStart < statement.size()) {
        size_t lineEnd = statement.find(L'\n', lineStart);
        if (lineEnd == std::wstring::npos) lineEnd = statement.size();
        std::wstring line = Trimmed(statement, lineStart, lineEnd);
        if (!line.empty()) return line;
        lineStart = lineEnd + 1;
    }
    return std::wstring();
}

bool MayChangeData(const std::wstring& statement)
{
    SqlScanner scanner(statement);
    bool leading = true;
    std::wstring previous;
    while (!scanner.AtEnd()) {
        const SqlToken token = scanner.Next();
        if (token.kind == SqlTokenKind::Blank || token.kind == SqlTokenKind::Comment) continue;
        if (leading && token.kind == SqlTokenKind::Symbol && statement[token.begin] == L'(') continue;
        if (token.kind != SqlTokenKind::Word) {
            if (leading) return true;
            continue;
        }
        const std::wstring word = Upper(statement.substr(token.begin, token.end - token.begin));
        if (leading) {
            if (!OneOf(word, {L"SELECT", L"WITH", L"VALUES", L"SHOW", L"EXPLAIN", L"DESCRIBE"})) return true;
            leading = false;
        } else if (OneOf(word, {L"INSERT", L"DELETE", L"MERGE", L"INTO", L"CREATE", L"DROP", L"ALTER",
                                L"TRUNCATE", L"GRANT", L"REVOKE", L"CALL", L"EXEC", L"EXECUTE"})) {
            return true;
        } else if (word == L"UPDATE" && previous != L"FOR" && previous != L"KEY") {
            // SELECT ... FOR UPDATE (or FOR NO KEY UPDATE) only locks rows.
            return true;
        }
        previous = word;
    }
    return leading;
}
