// Reads SQL text as a series of tokens, so that a ';' or a keyword inside a
// string constant, a quoted name, a comment or a dollar-quoted body is never
// taken for code. Dialect-neutral: it knows the quoting of the common SQL
// engines, not their grammars. Portable.
#pragma once

#include <cstddef>
#include <string>

enum class SqlTokenKind {
    Blank,      // spaces and tabs, ending after a line break if it holds one
    Comment,    // -- to the end of the line, or /* ... */
    Word,       // a keyword, a name or a number
    Quoted,     // '...', E'...', "...", [...], `...` or $tag$...$tag$
    Semicolon,
    Symbol,     // any other single character
};

struct SqlToken {
    SqlTokenKind kind;
    size_t begin;
    size_t end;     // one past the last character
};

class SqlScanner {
public:
    explicit SqlScanner(const std::wstring& text) : m_text(text) {}

    bool AtEnd() const { return m_pos >= m_text.size(); }
    size_t Position() const { return m_pos; }
    // Moves to a position known to lie between tokens, such as a line's start.
    void SkipTo(size_t pos) { m_pos = pos; }
    SqlToken Next();

private:
    size_t EndOfBlank(size_t pos) const;
    size_t EndOfQuote(size_t pos, wchar_t close, bool backslashEscapes) const;
    size_t EndOfWord(size_t pos) const;
    // The end of a dollar-quoted body that opens at pos, or 0 when the '$'
    // there opens none (a "$1" parameter, a lone '$').
    size_t EndOfDollarQuote(size_t pos) const;

    const std::wstring& m_text;   // borrowed: the caller keeps it alive
    size_t m_pos = 0;
};

bool IsSqlWordStart(wchar_t c);
bool IsSqlWordPart(wchar_t c);
