// The blanks of a saved query: ":name" is a value sent as a parameter,
// "${name}" is text placed into the statement as typed (a table's or a
// column's name). Names compare without regard to case; a name used twice
// is one blank. Portable.
#pragma once

#include <map>
#include <string>
#include <vector>

// The names of a text's blanks, each once, in the order they first appear,
// spelled as they first appear.
std::vector<std::wstring> FindPlaceholders(const std::wstring& text);

// The values the user gave, by name without regard to case.
class PlaceholderValues {
public:
    void Set(const std::wstring& name, const std::wstring& value);
    // Null when the name has no value.
    const std::wstring* Find(const std::wstring& name) const;

private:
    std::map<std::wstring, std::wstring> m_values;   // keyed by the lower-case name
};

// A statement ready to run: "${name}" replaced by its text, ":name" by a
// '?' whose value is the next in parameters.
struct BoundStatement {
    std::wstring text;
    std::vector<std::wstring> parameters;
};
// A blank without a value is left as written.
BoundStatement BindPlaceholders(const std::wstring& statement, const PlaceholderValues& values);

// The text with every blank filled in as another program would need it:
// "${name}" as typed, ":name" as a literal (see SqlLiteral).
std::wstring FillPlaceholders(const std::wstring& text, const PlaceholderValues& values);

// A value as a literal: as typed when it reads as a number (an optional
// sign, digits without a leading zero, a fraction, an exponent), otherwise in
// single quotes with each quote doubled.
std::wstring SqlLiteral(const std::wstring& value);
// True when a value reads as a number in the sense of SqlLiteral.
bool ReadsAsNumber(const std::wstring& value);
