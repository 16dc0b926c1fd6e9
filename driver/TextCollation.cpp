// CollateTextColumns: one pass over the tokens with a stack of parenthesis
// levels, each knowing which clause it is in.
#include "TextCollation.h"

#include "SqlEdits.h"

#include <algorithm>
#include <unordered_set>

namespace {

enum class Clause {
    Other,      // statement heads, UNION, WINDOW ...: nothing is collated
    Result,     // the select list, RETURNING
    Tables,     // FROM, JOIN, INTO: table names and aliases
    Expr,       // WHERE, HAVING, VALUES, LIMIT, function arguments
    OnExpr,     // a join's ON: ',' or a join word goes back to Tables
    Sort,       // ORDER BY, GROUP BY terms
    SetTarget,  // the columns UPDATE SET assigns
    SetValue,   // the values assigned
    Names,      // column names: INSERT INTO t(...), USING(...), ON CONFLICT(...), WITH t(...)
    Cte,        // WITH name AS (...), ...
};

bool Collates(Clause clause)
{
    return clause == Clause::Expr || clause == Clause::OnExpr || clause == Clause::Sort || clause == Clause::SetValue;
}

// Keywords that can stand in a statement that reads or changes rows; such a
// word written without quotes is never taken for a column.
bool IsStatementKeyword(const std::string& upper)
{
    static const std::unordered_set<std::string> keywords = {
        "ABORT", "ALL", "AND", "AS", "ASC", "BETWEEN", "BY", "CASE", "CAST", "COLLATE", "CONFLICT", "CROSS", "CURRENT",
        "CURRENT_DATE", "CURRENT_TIME", "CURRENT_TIMESTAMP", "DEFAULT", "DELETE", "DESC", "DISTINCT", "DO", "ELSE", "END",
        "ESCAPE", "EXCEPT", "EXCLUDE", "EXISTS", "FAIL", "FILTER", "FIRST", "FOLLOWING", "FROM", "FULL", "GLOB", "GROUP",
        "GROUPS", "HAVING", "IGNORE", "IN", "INDEXED", "INNER", "INSERT", "INTERSECT", "INTO", "IS", "ISNULL", "JOIN",
        "LAST", "LEFT", "LIKE", "LIMIT", "MATCH", "MATERIALIZED", "NATURAL", "NO", "NOT", "NOTHING", "NOTNULL", "NULL",
        "NULLS", "OFFSET", "ON", "OR", "ORDER", "OTHERS", "OUTER", "OVER", "PARTITION", "PRECEDING", "RAISE", "RANGE",
        "RECURSIVE", "REGEXP", "REPLACE", "RETURNING", "RIGHT", "ROLLBACK", "ROW", "ROWS", "SELECT", "SET", "THEN",
        "TIES", "UNBOUNDED", "UNION", "UPDATE", "USING", "VALUES", "WHEN", "WHERE", "WINDOW", "WITH"};
    return keywords.count(upper) != 0;
}

// Words that may follow a whole ORDER BY or GROUP BY term.
bool EndsSortTerm(const std::string& upper)
{
    static const std::unordered_set<std::string> words = {"ASC",    "DESC",  "NULLS", "LIMIT", "OFFSET",    "HAVING", "WINDOW",
                                                          "ORDER",  "UNION", "EXCEPT", "INTERSECT", "ROWS", "RANGE",
                                                          "GROUPS", "COLLATE"};
    return words.count(upper) != 0;
}

// Words that end a select list.
bool EndsSelectList(const std::string& upper)
{
    static const std::unordered_set<std::string> words = {"FROM",  "WHERE",     "GROUP",  "HAVING", "ORDER",
                                                          "LIMIT", "WINDOW",    "UNION",  "EXCEPT", "INTERSECT"};
    return words.count(upper) != 0;
}

class Collator {
public:
    Collator(const std::string& sql, const std::vector<SqlToken>& tokens, const SchemaColumns& columns, const char* collation)
        : m_sql(sql), m_tokens(tokens), m_columns(columns), m_suffix(std::string(" COLLATE ") + collation)
    {
    }

    std::string Run()
    {
        MarkSelectListExpressions();
        m_frames.push_back(Frame());
        for (size_t i = 0; i < m_tokens.size(); ++i) Visit(i);
        return ApplySqlEdits(m_sql, std::move(m_insertions));
    }

private:
    struct Frame {
        Clause clause = Clause::Other;
        bool locked = false;     // inside the select list: keywords do not change the clause
        bool namesNext = false;  // the next '(' opens a list of column names
    };

    std::string Upper(size_t i) const
    {
        return UpperAscii(m_sql.substr(m_tokens[i].begin, m_tokens[i].end - m_tokens[i].begin));
    }
    bool IsWord(size_t i) const { return i < m_tokens.size() && m_tokens[i].kind == SqlToken::Word; }
    bool IsWord(size_t i, const char* word) const { return IsWord(i) && Upper(i) == word; }
    bool IsPunct(size_t i, char c) const
    {
        return i < m_tokens.size() && m_tokens[i].kind == SqlToken::Punct && m_sql[m_tokens[i].begin] == c;
    }
    bool IsName(size_t i) const
    {
        return i < m_tokens.size() && (m_tokens[i].kind == SqlToken::Quoted || (IsWord(i) && !IsStatementKeyword(Upper(i))));
    }

    void Visit(size_t i)
    {
        Frame& frame = m_frames.back();
        if (IsPunct(i, '(')) return OpenParenthesis(i, frame);
        if (IsPunct(i, ')')) {
            if (m_frames.size() > 1) m_frames.pop_back();
            return;
        }
        if (IsPunct(i, ',')) {
            if (frame.clause == Clause::OnExpr) frame.clause = Clause::Tables;
            if (frame.clause == Clause::SetValue) frame.clause = Clause::SetTarget;
            return;
        }
        if (IsPunct(i, '=') && frame.clause == Clause::SetTarget) {
            frame.clause = Clause::SetValue;
            return;
        }
        if (IsWord(i) && IsStatementKeyword(Upper(i))) {
            if (!frame.locked && frame.clause != Clause::Names) SwitchClause(i, frame);
            return;
        }
        const bool selectExpression = frame.clause == Clause::Result && InSelectExpression(i);
        if ((!Collates(frame.clause) || frame.locked) && !selectExpression) return;
        if (IsName(i)) {
            Reference(i, frame);
        } else if (m_tokens[i].kind == SqlToken::Number && frame.clause == Clause::Sort && IsWholeSortTerm(i, i)) {
            Collate(i);  // ORDER BY 2: the second column
        }
    }

    // A select-list item that is an expression (max(name), lower(name) = 'a'
    // ...) compares its text by the General order too, and keeps the column
    // name SQLite gives it (its own text) through an alias. Only items that
    // end in ')' or in "AS name" are taken: there a trailing word can never be
    // an alias written without AS.
    void MarkSelectListExpressions()
    {
        for (size_t s = 0; s < m_tokens.size(); ++s) {
            if (!IsWord(s, "SELECT")) continue;
            size_t itemStart = s + 1;
            if (IsWord(itemStart, "DISTINCT") || IsWord(itemStart, "ALL")) ++itemStart;
            int depth = 0;
            for (size_t j = itemStart; j <= m_tokens.size(); ++j) {
                const bool end = j == m_tokens.size() || IsPunct(j, ';') || (depth == 0 && IsPunct(j, ')')) ||
                                 (depth == 0 && IsWord(j) && EndsSelectList(Upper(j)));
                if (end || (depth == 0 && IsPunct(j, ','))) {
                    if (j > itemStart) MarkSelectItem(itemStart, j - 1);
                    itemStart = j + 1;
                    if (end) break;
                    continue;
                }
                if (IsPunct(j, '(')) ++depth;
                if (IsPunct(j, ')')) --depth;
            }
        }
    }

    void MarkSelectItem(size_t first, size_t last)
    {
        if (last >= first + 2 && IsWord(last - 1, "AS")) {
            if (!IsReference(first, last - 2)) m_selectExpressions.push_back({first, last - 2});
        } else if (IsPunct(last, ')')) {
            m_selectExpressions.push_back({first, last});
            const std::string text = m_sql.substr(m_tokens[first].begin, m_tokens[last].end - m_tokens[first].begin);
            std::string alias = " AS \"";
            for (char c : text) alias += c == '"' ? std::string("\"\"") : std::string(1, c);
            m_insertions.push_back({m_tokens[last].end, m_tokens[last].end, alias + "\""});
        }
    }

    // Whether tokens [first, last] are a column, or a dotted chain ending in one.
    bool IsReference(size_t first, size_t last) const
    {
        if (!IsName(last)) return false;
        size_t i = last;
        while (i >= first + 2 && IsPunct(i - 1, '.') && IsName(i - 2)) i -= 2;
        return i == first;
    }

    bool InSelectExpression(size_t i) const
    {
        for (const auto& range : m_selectExpressions) {
            if (i >= range.first && i <= range.second) return true;
        }
        return false;
    }

    void OpenParenthesis(size_t i, Frame& frame)
    {
        Frame child;
        if (IsWord(i + 1, "SELECT") || IsWord(i + 1, "WITH") || IsWord(i + 1, "VALUES")) {
            child.clause = Clause::Other;  // a subquery: its own keywords set its clauses
        } else if (frame.namesNext || frame.clause == Clause::Cte || frame.clause == Clause::SetTarget || frame.clause == Clause::Names) {
            child.clause = Clause::Names;
        } else if (frame.clause == Clause::Result || frame.locked) {
            child.clause = Clause::Result;
            child.locked = true;
        } else if (Collates(frame.clause)) {
            child.clause = Clause::Expr;
        } else {
            child.clause = frame.clause;
        }
        frame.namesNext = false;
        m_frames.push_back(child);
    }

    void SwitchClause(size_t i, Frame& frame)
    {
        const std::string word = Upper(i);
        Clause& clause = frame.clause;
        if (word == "SELECT" || word == "RETURNING") {
            clause = Clause::Result;
        } else if (word == "FROM") {
            clause = Clause::Tables;
        } else if (word == "JOIN" || word == "INNER" || word == "LEFT" || word == "RIGHT" || word == "FULL" || word == "CROSS" ||
                   word == "NATURAL" || word == "OUTER") {
            if (clause == Clause::OnExpr) clause = Clause::Tables;
        } else if (word == "ON") {
            if (IsWord(i + 1, "CONFLICT")) {
                clause = Clause::Other;
                frame.namesNext = true;
            } else if (clause == Clause::Tables) {
                clause = Clause::OnExpr;
            }
        } else if (word == "USING") {
            frame.namesNext = true;
        } else if (word == "INTO") {
            clause = Clause::Tables;
            frame.namesNext = true;
        } else if (word == "WHERE" || word == "HAVING" || word == "VALUES" || word == "LIMIT" || word == "OFFSET") {
            clause = Clause::Expr;
            frame.namesNext = false;
        } else if (word == "BY") {
            if (i > 0 && (IsWord(i - 1, "ORDER") || IsWord(i - 1, "GROUP"))) clause = Clause::Sort;
            if (i > 0 && IsWord(i - 1, "PARTITION")) clause = Clause::Expr;
        } else if (word == "SET") {
            clause = Clause::SetTarget;
        } else if (word == "WITH") {
            clause = Clause::Cte;
        } else if (word == "UNION" || word == "INTERSECT" || word == "EXCEPT" || word == "WINDOW" || word == "INSERT" ||
                   word == "UPDATE" || word == "DELETE" || word == "DO") {
            clause = Clause::Other;
        }
    }

    // A column name (the last of a dotted chain) in a clause that compares or sorts.
    void Reference(size_t i, const Frame& frame)
    {
        if (IsPunct(i + 1, '(') || IsPunct(i + 1, '.') || IsWord(i + 1, "COLLATE")) return;
        if (i > 0 && (IsWord(i - 1, "AS") || IsPunct(i - 1, ':') || IsPunct(i - 1, '@') || IsPunct(i - 1, '$'))) return;
        size_t first = i;
        while (first >= 2 && IsPunct(first - 1, '.') && IsName(first - 2)) first -= 2;
        const SchemaColumns::Kind kind = m_columns.Find(UnquotedName(m_sql, m_tokens[i]));
        // A sort term that names no column of the file is an alias of the select list.
        const bool alias = kind == SchemaColumns::Kind::Unknown && first == i && frame.clause == Clause::Sort && IsWholeSortTerm(first, i);
        if (kind == SchemaColumns::Kind::Text || alias) Collate(i);
    }

    // Whether tokens [first, last] are a whole ORDER BY or GROUP BY term.
    bool IsWholeSortTerm(size_t first, size_t last) const
    {
        const bool starts = first > 0 && (IsWord(first - 1, "BY") || IsPunct(first - 1, ','));
        const size_t next = last + 1;
        const bool ends = next >= m_tokens.size() || IsPunct(next, ',') || IsPunct(next, ')') || IsPunct(next, ';') ||
                          (IsWord(next) && EndsSortTerm(Upper(next)));
        return starts && ends && !IsWord(next, "COLLATE");
    }

    const std::string& m_sql;
    const std::vector<SqlToken>& m_tokens;
    const SchemaColumns& m_columns;
    void Collate(size_t i) { m_insertions.push_back({m_tokens[i].end, m_tokens[i].end, m_suffix}); }

    const std::string m_suffix;
    std::vector<Frame> m_frames;  // one per open parenthesis, the statement's own first
    std::vector<SqlEdit> m_insertions;
    std::vector<std::pair<size_t, size_t>> m_selectExpressions;  // token ranges of select-list items that compare text
};

} // namespace

std::string CollateTextColumns(const std::string& sql, const std::vector<SqlToken>& tokens, const SchemaColumns& columns,
                               const char* collation)
{
    return Collator(sql, tokens, columns, collation).Run();
}
