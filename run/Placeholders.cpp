// Finding and filling a query's blanks over the SQL token reader, so that a
// colon inside a string constant, a quoted name or a comment is no blank.
#include "run/Placeholders.h"

#include "run/SqlScanner.h"

#include <algorithm>
#include <cwctype>

namespace {

std::wstring Lower(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

bool IsNameStart(wchar_t c) { return IsSqlWordStart(c); }
bool IsNamePart(wchar_t c) { return IsSqlWordPart(c) && c != L'$'; }

size_t EndOfName(const std::wstring& text, size_t pos)
{
    while (pos < text.size() && IsNamePart(text[pos])) ++pos;
    return pos;
}

enum class BlankKind { Value, Text };

struct Blank {
    BlankKind kind;
    size_t begin;     // at ':' or '$'
    size_t end;       // one past the name, or past '}'
    std::wstring name;
};

// "${name}" anywhere in the text, inside constants too: users write
// LIKE '${prefix}%'.
void FindTextBlanks(const std::wstring& text, std::vector<Blank>& blanks)
{
    for (size_t pos = text.find(L"${"); pos != std::wstring::npos; pos = text.find(L"${", pos + 1)) {
        const size_t nameBegin = pos + 2;
        if (nameBegin >= text.size() || !IsNameStart(text[nameBegin])) continue;
        const size_t nameEnd = EndOfName(text, nameBegin);
        if (nameEnd >= text.size() || text[nameEnd] != L'}') continue;
        blanks.push_back({BlankKind::Text, pos, nameEnd + 1, text.substr(nameBegin, nameEnd - nameBegin)});
    }
}

// ":name" in code only. Not a blank: "::" (a cast, on either colon), ":=",
// and a colon not followed by a name's first letter.
void FindValueBlanks(const std::wstring& text, std::vector<Blank>& blanks)
{
    SqlScanner scanner(text);
    while (!scanner.AtEnd()) {
        const SqlToken token = scanner.Next();
        if (token.kind != SqlTokenKind::Symbol || text[token.begin] != L':') continue;
        const size_t nameBegin = token.end;
        const bool afterColon = token.begin > 0 && text[token.begin - 1] == L':';
        if (afterColon || nameBegin >= text.size() || !IsNameStart(text[nameBegin])) continue;
        const size_t nameEnd = EndOfName(text, nameBegin);
        blanks.push_back({BlankKind::Value, token.begin, nameEnd, text.substr(nameBegin, nameEnd - nameBegin)});
        scanner.SkipTo(nameEnd);
    }
}

// Every blank in text order; a ":name" inside a "${...}" cannot occur, as a
// name holds no colon.
std::vector<Blank> FindBlanks(const std::wstring& text)
{
    std::vector<Blank> blanks;
    FindTextBlanks(text, blanks);
    FindValueBlanks(text, blanks);
    std::sort(blanks.begin(), blanks.end(), [](const Blank& a, const Blank& b) { return a.begin < b.begin; });
    return blanks;
}

// Copies text with each blank that has a value replaced by what fill makes of it.
template <typename Fill>
std::wstring Replaced(const std::wstring& text, const PlaceholderValues& values, Fill fill)
{
    std::wstring out;
    out.reserve(text.size());
    size_t copied = 0;
    for (const Blank& blank : FindBlanks(text)) {
        const std::wstring* value = values.Find(blank.name);
        if (!value) continue;
        out.append(text, copied, blank.begin - copied);
        fill(blank, *value, out);
        copied = blank.end;
    }
    out.append(text, copied, std::wstring::npos);
    return out;
}

} // namespace

std::vector<std::wstring> FindPlaceholders(const std::wstring& text)
{
    std::vector<std::wstring> names;
    std::vector<std::wstring> seen;
    for (const Blank& blank : FindBlanks(text)) {
        std::wstring key = Lower(blank.name);
        if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
        seen.push_back(std::move(key));
        names.push_back(blank.name);
    }
    return names;
}

void PlaceholderValues::Set(const std::wstring& name, const std::wstring& value) { m_values[Lower(name)] = value; }

const std::wstring* PlaceholderValues::Find(const std::wstring& name) const
{
    const auto found = m_values.find(Lower(name));
    return found == m_values.end() ? nullptr : &found->second;
}

BoundStatement BindPlaceholders(const std::wstring& statement, const PlaceholderValues& values)
{
    BoundStatement bound;
    bound.text = Replaced(statement, values, [&](const Blank& blank, const std::wstring& value, std::wstring& out) {
        if (blank.kind == BlankKind::Text) {
            out += value;
        } else {
            out += L'?';
            bound.parameters.push_back(value);
        }
    });
    return bound;
}

std::wstring FillPlaceholders(const std::wstring& text, const PlaceholderValues& values)
{
    return Replaced(text, values, [](const Blank& blank, const std::wstring& value, std::wstring& out) {
        out += blank.kind == BlankKind::Text ? value : SqlLiteral(value);
    });
}

bool ReadsAsNumber(const std::wstring& value)
{
    size_t pos = 0;
    const size_t size = value.size();
    const auto digits = [&] {
        const size_t start = pos;
        while (pos < size && value[pos] >= L'0' && value[pos] <= L'9') ++pos;
        return pos - start;
    };
    if (pos < size && (value[pos] == L'-' || value[pos] == L'+')) ++pos;
    const size_t intStart = pos;
    const size_t intDigits = digits();
    if (intDigits == 0) return false;
    // 007 is a code, not seven: it keeps its quotes.
    if (intDigits > 1 && value[intStart] == L'0') return false;
    if (pos < size && value[pos] == L'.') {
        ++pos;
        if (digits() == 0) return false;
    }
    if (pos < size && (value[pos] == L'e' || value[pos] == L'E')) {
        ++pos;
        if (pos < size && (value[pos] == L'-' || value[pos] == L'+')) ++pos;
        if (digits() == 0) return false;
    }
    return pos == size;
}

std::wstring SqlLiteral(const std::wstring& value)
{
    if (ReadsAsNumber(value)) return value;
    std::wstring quoted = L"'";
    for (const wchar_t c : value) {
        quoted += c;
        if (c == L'\'') quoted += L'\'';
    }
    quoted += L'\'';
    return quoted;
}
