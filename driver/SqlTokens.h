// The tokens of an SQL text as SQLite reads them: words, quoted names,
// string literals, numbers and punctuation; blanks and comments skipped.
// Portable.
#pragma once

#include <string>
#include <vector>

struct SqlToken {
    enum Kind { Word, Quoted, String, Number, Punct } kind;
    size_t begin;  // byte offsets into the text
    size_t end;
};

std::vector<SqlToken> TokenizeSql(const std::string& sql);

// A word or quoted name without its quotes ([a b], "a b", `a b` -> a b).
std::string UnquotedName(const std::string& sql, const SqlToken& token);
std::string UpperAscii(std::string text);
