// The token reader behind statement splitting and the read-only check.
#include "run/SqlScanner.h"

bool IsSqlWordStart(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_' || c >= 0x80;
}

bool IsSqlWordPart(wchar_t c)
{
    // '$' continues a name in PostgreSQL and MySQL (a$b), so "a$b$" opens no body.
    return IsSqlWordStart(c) || (c >= L'0' && c <= L'9') || c == L'$';
}

SqlToken SqlScanner::Next()
{
    const size_t begin = m_pos;
    const size_t size = m_text.size();
    const wchar_t c = m_text[begin];
    const wchar_t next = begin + 1 < size ? m_text[begin + 1] : L'\0';
    SqlTokenKind kind = SqlTokenKind::Symbol;
    size_t end = begin + 1;

    if (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == L'\v') {
        kind = SqlTokenKind::Blank;
        end = EndOfBlank(begin);
    } else if (c == L'-' && next == L'-') {
        kind = SqlTokenKind::Comment;
        end = m_text.find(L'\n', begin);
        end = end == std::wstring::npos ? size : end;   // the line break is a blank of its own
    } else if (c == L'/' && next == L'*') {
        kind = SqlTokenKind::Comment;
        end = m_text.find(L"*/", begin + 2);
        end = end == std::wstring::npos ? size : end + 2;
    } else if (c == L'\'' || c == L'"' || c == L'`') {
        kind = SqlTokenKind::Quoted;
        end = EndOfQuote(begin, c, false);
    } else if (c == L'[') {
        kind = SqlTokenKind::Quoted;
        end = EndOfQuote(begin, L']', false);
    } else if ((c == L'E' || c == L'e') && next == L'\'') {
        // PostgreSQL's escape string: a backslash takes the next character.
        kind = SqlTokenKind::Quoted;
        end = EndOfQuote(begin + 1, L'\'', true);
    } else if (c == L'$' && EndOfDollarQuote(begin) != 0) {
        kind = SqlTokenKind::Quoted;
        end = EndOfDollarQuote(begin);
    } else if (IsSqlWordPart(c) && c != L'$') {
        kind = SqlTokenKind::Word;
        end = EndOfWord(begin);
    } else if (c == L';') {
        kind = SqlTokenKind::Semicolon;
    }
    m_pos = end;
    return {kind, begin, end};
}

size_t SqlScanner::EndOfBlank(size_t pos) const
{
    // A blank ends after its first line break, so every line's start is a
    // token's start (a line holding only GO is found there).
    for (; pos < m_text.size(); ++pos) {
        const wchar_t c = m_text[pos];
        if (c == L'\n') return pos + 1;
        if (c != L' ' && c != L'\t' && c != L'\r' && c != L'\f' && c != L'\v') break;
    }
    return pos;
}

size_t SqlScanner::EndOfQuote(size_t pos, wchar_t close, bool backslashEscapes) const
{
    // pos is at the opening quote; a doubled closing quote stands for itself.
    // An unterminated quote runs to the end of the text.
    for (size_t i = pos + 1; i < m_text.size(); ++i) {
        if (backslashEscapes && m_text[i] == L'\\') {
            ++i;
        } else if (m_text[i] == close) {
            if (i + 1 < m_text.size() && m_text[i + 1] == close) {
                ++i;
            } else {
                return i + 1;
            }
        }
    }
    return m_text.size();
}

size_t SqlScanner::EndOfWord(size_t pos) const
{
    while (pos < m_text.size() && IsSqlWordPart(m_text[pos])) ++pos;
    return pos;
}

size_t SqlScanner::EndOfDollarQuote(size_t pos) const
{
    // $$ or $tag$, the tag a name that does not start with a digit.
    size_t tagEnd = pos + 1;
    if (tagEnd < m_text.size() && IsSqlWordStart(m_text[tagEnd])) {
        while (tagEnd < m_text.size() && IsSqlWordPart(m_text[tagEnd]) && m_text[tagEnd] != L'$') ++tagEnd;
    }
    if (tagEnd >= m_text.size() || m_text[tagEnd] != L'$') return 0;
    const std::wstring delimiter = m_text.substr(pos, tagEnd + 1 - pos);
    const size_t close = m_text.find(delimiter, tagEnd + 1);
    return close == std::wstring::npos ? m_text.size() : close + delimiter.size();
}
