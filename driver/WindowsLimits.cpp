// CheckWindowsLimits reads a statement's tokens once and stops at the first
// form Windows' driver refuses; CutTextToColumnLengths wraps the values of
// the simple INSERT and UPDATE forms in substr().
#include "WindowsLimits.h"

#include "DriverErrors.h"
#include "SqlEdits.h"
#include "SqlTokens.h"
#include "Utf.h"

#include <unordered_set>
#include <vector>

namespace {

// Words that stand before '(' without calling a function.
bool OpensParenthesisItself(const std::string& upper)
{
    static const std::unordered_set<std::string> words = {
        "ALL",     "AND",   "ANY",    "AS",     "BETWEEN", "BY",     "CASE",   "CHECK",  "DEFAULT", "DISTINCT",
        "ELSE",    "END",   "EXCEPT", "EXISTS", "FILTER",  "FROM",   "HAVING", "IN",     "INTERSECT", "INTO",
        "IS",      "JOIN",  "KEY",    "LIKE",   "NOT",     "ON",     "OR",     "OVER",   "REFERENCES", "SELECT",
        "SET",     "SOME",  "TABLE",  "THEN",   "UNION",   "UNIQUE", "USING",  "VALUES", "WHEN",    "WHERE"};
    return words.count(upper) != 0;
}

// Words after which a word and '(' are a function call; after any other
// word they are a table and its columns, or a column and its type.
bool LeadsAnExpression(const std::string& upper)
{
    static const std::unordered_set<std::string> words = {"ALL",  "AND",  "BETWEEN", "BY",  "CASE", "DISTINCT", "ELSE", "HAVING",
                                                          "IS",   "LIKE", "NOT",     "ON",  "OR",   "SELECT",   "SET",  "THEN",
                                                          "WHEN", "WHERE"};
    return words.count(upper) != 0;
}

bool IsSharedFunction(const std::string& upper)
{
    static const std::unordered_set<std::string> names = {"COUNT", "MAX", "MIN", "SUM", "AVG", "INSTR"};
    return names.count(upper) != 0;
}

// At most 40 characters of a token, for a message.
std::string Excerpt(const std::string& text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const size_t kept = BytesOfFirstCharacters(bytes, text.size(), 40);
    return kept == text.size() ? text : text.substr(0, kept) + "...";
}

std::string WithThousands(size_t n)
{
    std::string digits = std::to_string(n);
    for (size_t i = digits.size(); i > 3; i -= 3) digits.insert(i - 3, ",");
    return digits;
}

class LimitChecker {
public:
    explicit LimitChecker(const std::string& sql) : m_sql(sql), m_tokens(TokenizeSql(sql)) {}

    bool Check(DriverError& error)
    {
        size_t first = 0;
        while (first < m_tokens.size() && IsPunct(first, '(')) ++first;
        const std::string verb = Upper(first);
        for (size_t i = 0; i < m_tokens.size(); ++i) {
            const SqlToken& token = m_tokens[i];
            const std::string text = Text(i);
            if (token.kind == SqlToken::String && text.find('|') != std::string::npos) {
                return Refuse(error, DriverErrorId::PipeInStringConstant, Excerpt(text));
            }
            if (token.kind == SqlToken::Quoted && text[0] == '"') return Refuse(error, DriverErrorId::DoubleQuotedToken, Excerpt(text));
            if (IsPunct(i, '|')) return Refuse(error, DriverErrorId::SqliteOnlyForm, "The operator ||");
            if (token.kind != SqlToken::Word) continue;
            const std::string word = Upper(i);
            const std::string next = Upper(i + 1);
            if (word == "ESCAPE") return Refuse(error, DriverErrorId::LikeEscapeNotSupported);
            if (word == "LIMIT" || word == "OFFSET" || word == "PRAGMA") return Refuse(error, DriverErrorId::SqliteOnlyForm, word);
            if ((word == "INSERT" || word == "UPDATE") && next == "OR") return Refuse(error, DriverErrorId::SqliteOnlyForm, word + " OR ...");
            if (word == "REPLACE" && i == first) return Refuse(error, DriverErrorId::SqliteOnlyForm, "REPLACE INTO");
            if (word == "ON" && next == "CONFLICT") return Refuse(error, DriverErrorId::SqliteOnlyForm, "ON CONFLICT");
            if (word == "WITH" && (i == first || IsPunct(i - 1, '('))) return Refuse(error, DriverErrorId::SqliteOnlyForm, "WITH");
            if (word == "IF" && next == "EXISTS") return Refuse(error, DriverErrorId::SqliteOnlyForm, "IF EXISTS");
            if (word == "IF" && next == "NOT" && Upper(i + 2) == "EXISTS") return Refuse(error, DriverErrorId::SqliteOnlyForm, "IF NOT EXISTS");
            if (IsFunctionCall(i, verb) && !IsSharedFunction(word)) return Refuse(error, DriverErrorId::FunctionNotShared, text);
        }
        return true;
    }

private:
    std::string Text(size_t i) const { return m_sql.substr(m_tokens[i].begin, m_tokens[i].end - m_tokens[i].begin); }
    std::string Upper(size_t i) const { return i < m_tokens.size() && m_tokens[i].kind == SqlToken::Word ? UpperAscii(Text(i)) : std::string(); }
    bool IsPunct(size_t i, char c) const { return i < m_tokens.size() && m_tokens[i].kind == SqlToken::Punct && m_sql[m_tokens[i].begin] == c; }

    // A word and '(' call a function unless the word is a keyword that opens
    // a parenthesis itself (VALUES, IN, KEY ...) or follows a name, as a
    // table (INSERT INTO t(...)) or a type (name VARCHAR(255)) does.
    bool IsFunctionCall(size_t i, const std::string& verb) const
    {
        if (!IsPunct(i + 1, '(') || OpensParenthesisItself(Upper(i))) return false;
        if (i == 0) return true;
        const SqlToken& previous = m_tokens[i - 1];
        if (previous.kind == SqlToken::Quoted) return false;
        if (previous.kind != SqlToken::Word) return true;
        const std::string before = Upper(i - 1);
        // CREATE INDEX i ON t(column) names a table after ON.
        if (before == "ON" && (verb == "CREATE" || verb == "ALTER")) return false;
        return LeadsAnExpression(before);
    }

    bool Refuse(DriverError& error, DriverErrorId id, const std::string& detail = std::string()) const
    {
        error = MakeDriverError(id, {detail});
        return false;
    }

    const std::string& m_sql;
    std::vector<SqlToken> m_tokens;
};

// Wraps each value of INSERT INTO t [(columns)] VALUES (...)[, (...)] and
// UPDATE t SET column=value, ... that goes to a text column of limited length.
class TextCutter {
public:
    TextCutter(const std::string& sql, const SchemaColumns& columns) : m_sql(sql), m_tokens(TokenizeSql(sql)), m_columns(columns) {}

    std::string Run()
    {
        if (Upper(0) == "INSERT" && Upper(1) == "INTO") CutInsert(2);
        if (Upper(0) == "UPDATE") CutUpdate(1);
        return ApplySqlEdits(m_sql, std::move(m_edits));
    }

private:
    std::string Text(size_t i) const { return m_sql.substr(m_tokens[i].begin, m_tokens[i].end - m_tokens[i].begin); }
    std::string Upper(size_t i) const { return i < m_tokens.size() && m_tokens[i].kind == SqlToken::Word ? UpperAscii(Text(i)) : std::string(); }
    bool IsPunct(size_t i, char c) const { return i < m_tokens.size() && m_tokens[i].kind == SqlToken::Punct && m_sql[m_tokens[i].begin] == c; }
    bool IsName(size_t i) const { return i < m_tokens.size() && (m_tokens[i].kind == SqlToken::Word || m_tokens[i].kind == SqlToken::Quoted); }

    // The columns of the table named at i, which moves past the name.
    const std::vector<SchemaColumns::TableColumn>* ReadTable(size_t& i) const
    {
        if (!IsName(i)) return nullptr;
        std::string table = UnquotedName(m_sql, m_tokens[i++]);
        if (IsPunct(i, '.') && IsName(i + 1)) {
            table = UnquotedName(m_sql, m_tokens[i + 1]);
            i += 2;
        }
        return m_columns.TableColumns(table);
    }

    long long LengthOf(const std::vector<SchemaColumns::TableColumn>& columns, const std::string& name) const
    {
        const std::string upper = UpperAscii(name);
        for (const auto& column : columns) {
            if (UpperAscii(column.name) == upper) return column.maxLength;
        }
        return 0;
    }

    void Cut(size_t first, size_t last, long long length)
    {
        if (length <= 0 || first > last) return;
        m_edits.push_back({m_tokens[first].begin, m_tokens[first].begin, "substr("});
        m_edits.push_back({m_tokens[last].end, m_tokens[last].end, ",1," + std::to_string(length) + ")"});
    }

    // The end of the expression that starts at i: the first ',' or ')' at its
    // own depth, a word in `stops` at its depth, ';' or the end.
    size_t ExpressionEnd(size_t i, const std::unordered_set<std::string>& stops) const
    {
        int depth = 0;
        for (; i < m_tokens.size(); ++i) {
            if (IsPunct(i, '(')) ++depth;
            else if (IsPunct(i, ')') && depth-- == 0) return i;
            else if (depth == 0 && (IsPunct(i, ',') || IsPunct(i, ';') || stops.count(Upper(i)))) return i;
        }
        return i;
    }

    void CutInsert(size_t i)
    {
        const auto* table = ReadTable(i);
        if (!table) return;
        std::vector<long long> lengths;
        if (IsPunct(i, '(')) {
            for (++i; i < m_tokens.size() && !IsPunct(i, ')'); ++i) {
                if (IsName(i)) lengths.push_back(LengthOf(*table, UnquotedName(m_sql, m_tokens[i])));
            }
            ++i;
        } else {
            for (const auto& column : *table) lengths.push_back(column.maxLength);
        }
        if (Upper(i) != "VALUES") return;
        for (++i; IsPunct(i, '('); ++i) {
            size_t item = 0;
            for (++i; i < m_tokens.size();) {
                const size_t end = ExpressionEnd(i, {});
                if (item < lengths.size() && end > i) Cut(i, end - 1, lengths[item]);
                ++item;
                i = end;
                if (!IsPunct(i, ',')) break;
                ++i;
            }
            if (!IsPunct(i, ')') || !IsPunct(i + 1, ',')) return;
            ++i;
        }
    }

    void CutUpdate(size_t i)
    {
        const auto* table = ReadTable(i);
        if (!table || Upper(i) != "SET") return;
        static const std::unordered_set<std::string> stops = {"WHERE", "FROM", "RETURNING"};
        for (++i; IsName(i) && IsPunct(i + 1, '=');) {
            const long long length = LengthOf(*table, UnquotedName(m_sql, m_tokens[i]));
            i += 2;
            const size_t end = ExpressionEnd(i, stops);
            if (end > i) Cut(i, end - 1, length);
            i = end;
            if (!IsPunct(i, ',')) return;
            ++i;
        }
    }

    const std::string& m_sql;
    std::vector<SqlToken> m_tokens;
    const SchemaColumns& m_columns;
    std::vector<SqlEdit> m_edits;
};

} // namespace

bool CheckWindowsLimits(const std::string& sql, DriverError& error)
{
    const size_t length = Utf16Length(reinterpret_cast<const unsigned char*>(sql.data()), sql.size());
    if (length > kWindowsMaxStatementLength) {
        error = MakeDriverError(DriverErrorId::StatementTooLong, {WithThousands(length)});
        return false;
    }
    return LimitChecker(sql).Check(error);
}

std::string CutTextToColumnLengths(const std::string& sql, const SchemaColumns& columns) { return TextCutter(sql, columns).Run(); }

size_t Utf16Length(const unsigned char* text, size_t bytes)
{
    size_t length = 0;
    for (size_t pos = 0; pos < bytes;) length += NextUtf8CodePoint(text, bytes, pos) > 0xFFFF ? 2 : 1;
    return length;
}

size_t BytesOfFirstCharacters(const unsigned char* text, size_t bytes, size_t limit)
{
    size_t pos = 0;
    for (size_t count = 0; pos < bytes;) {
        size_t next = pos;
        count += NextUtf8CodePoint(text, bytes, next) > 0xFFFF ? 2 : 1;
        if (count > limit) break;
        pos = next;
    }
    return pos;
}
