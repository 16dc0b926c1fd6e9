// A small tokenizer and the CREATE TABLE / ALTER TABLE ADD rewriting.
#include "AccessDdl.h"

#include <cctype>
#include <cstdlib>
#include <vector>

const char* const kGeneralCollation = "GENERAL";

namespace {

struct Token {
    enum Kind { Word, Quoted, String, Number, Punct } kind;
    size_t begin;
    size_t end;
};

std::vector<Token> Tokenize(const std::string& s)
{
    std::vector<Token> out;
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
            out.push_back({c == '\'' ? Token::String : Token::Quoted, start, i});
        } else if (std::isalpha(c) || c == '_' || c >= 0x80) {
            while (i < n && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '_' || s[i] == '$' ||
                             static_cast<unsigned char>(s[i]) >= 0x80)) ++i;
            out.push_back({Token::Word, start, i});
        } else if (std::isdigit(c)) {
            while (i < n && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '.')) ++i;
            out.push_back({Token::Number, start, i});
        } else {
            ++i;
            out.push_back({Token::Punct, start, i});
        }
    }
    return out;
}

std::string Upper(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

class Rewriter {
public:
    explicit Rewriter(const std::string& sql) : m_sql(sql), m_tokens(Tokenize(sql)) {}

    std::string Run()
    {
        if (IsWord(0, "CREATE")) {
            size_t i = 1;
            if (IsWord(i, "TEMP") || IsWord(i, "TEMPORARY")) ++i;
            if (!IsWord(i, "TABLE")) return m_sql;
            ++i;
            if (IsWord(i, "IF") && IsWord(i + 1, "NOT") && IsWord(i + 2, "EXISTS")) i += 3;
            if (!ReadTableName(i)) return m_sql;
            if (!IsPunct(i, '(')) return m_sql;
            RewriteColumnList(i);
        } else if (IsWord(0, "ALTER") && IsWord(1, "TABLE")) {
            size_t i = 2;
            if (!ReadTableName(i) || !IsWord(i, "ADD")) return m_sql;
            ++i;
            if (IsWord(i, "COLUMN")) ++i;
            size_t end = m_tokens.size();
            if (end > i && IsPunct(end - 1, ';')) --end;
            RewriteColumn(i, end);
        }
        return Apply();
    }

private:
    std::string Text(size_t i) const { return m_sql.substr(m_tokens[i].begin, m_tokens[i].end - m_tokens[i].begin); }
    bool IsWord(size_t i, const char* word) const { return i < m_tokens.size() && m_tokens[i].kind == Token::Word && Upper(Text(i)) == word; }
    bool IsPunct(size_t i, char c) const { return i < m_tokens.size() && m_tokens[i].kind == Token::Punct && m_sql[m_tokens[i].begin] == c; }
    bool IsName(size_t i) const { return i < m_tokens.size() && (m_tokens[i].kind == Token::Word || m_tokens[i].kind == Token::Quoted); }

    static std::string Unquote(const std::string& name)
    {
        if (name.size() >= 2 && (name[0] == '"' || name[0] == '`' || name[0] == '[')) return name.substr(1, name.size() - 2);
        return name;
    }

    bool ReadTableName(size_t& i)
    {
        if (!IsName(i)) return false;
        m_table = Unquote(Text(i++));
        if (IsPunct(i, '.') && IsName(i + 1)) {
            m_table = Unquote(Text(i + 1));
            i += 2;
        }
        return true;
    }

    void RewriteColumnList(size_t open)
    {
        int depth = 0;
        size_t itemStart = open + 1;
        for (size_t i = open; i < m_tokens.size(); ++i) {
            if (IsPunct(i, '(')) { ++depth; continue; }
            const bool close = IsPunct(i, ')');
            if ((close && depth == 1) || (IsPunct(i, ',') && depth == 1)) {
                RewriteItem(itemStart, i);
                itemStart = i + 1;
            }
            if (close && --depth == 0) return;
        }
    }

    void RewriteItem(size_t begin, size_t end)
    {
        if (begin >= end) return;
        static const char* const tableConstraints[] = {"CONSTRAINT", "PRIMARY", "FOREIGN", "UNIQUE", "CHECK"};
        for (const char* word : tableConstraints) {
            if (IsWord(begin, word)) return;
        }
        RewriteColumn(begin, end);
    }

    void RewriteColumn(size_t begin, size_t end)
    {
        if (begin >= end || !IsName(begin)) return;
        const std::string columnSql = Text(begin);
        const std::string column = Unquote(columnSql);
        static const char* const stops[] = {"CONSTRAINT", "PRIMARY", "NOT", "NULL", "UNIQUE", "CHECK", "DEFAULT",
                                            "COLLATE", "REFERENCES", "GENERATED", "AS", "WITH"};
        size_t i = begin + 1;
        std::string typeWord;
        std::vector<long long> args;
        bool hasCollate = false;
        while (i < end && m_tokens[i].kind == Token::Word) {
            bool stop = false;
            for (const char* word : stops) stop = stop || IsWord(i, word);
            if (stop) break;
            if (typeWord.empty()) typeWord = Upper(Text(i));
            ++i;
        }
        if (IsPunct(i, '(')) {
            for (++i; i < end && !IsPunct(i, ')'); ++i) {
                if (m_tokens[i].kind == Token::Number) args.push_back(std::atoll(Text(i).c_str()));
            }
        }
        for (size_t k = begin; k < end; ++k) hasCollate = hasCollate || IsWord(k, "COLLATE");

        std::string addition;
        const std::string qualified = m_table + "." + column;
        auto named = [&](const std::string& type) {
            std::string name = "QB " + type + " " + qualified;
            std::string quoted = "\"";
            for (char c : name) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
            return " CONSTRAINT " + quoted + "\"";
        };
        auto range = [&](const char* type, const char* low, const char* high) {
            addition = named(type) + " CHECK(" + columnSql + " IS NULL OR (typeof(" + columnSql + ")='integer' AND " +
                       columnSql + " BETWEEN " + low + " AND " + high + "))";
        };
        auto text = [&](long long limit) {
            if (!hasCollate) addition += std::string(" COLLATE ") + kGeneralCollation;
            if (limit > 0) {
                addition += named("VARCHAR(" + std::to_string(limit) + ")") + " CHECK(length(" + columnSql +
                            ")<=" + std::to_string(limit) + ")";
            }
        };
        const std::string& t = typeWord;
        if (t == "SMALLINT" || t == "SHORT" || t == "INTEGER2" || t == "INT2") {
            range("SMALLINT", "-32768", "32767");
        } else if (t == "INTEGER" || t == "INT" || t == "LONG" || t == "INTEGER4" || t == "INT4" || t == "COUNTER" ||
                   t == "AUTOINCREMENT") {
            range("INTEGER", "-2147483648", "2147483647");
        } else if (t == "BYTE" || t == "TINYINT" || t == "INTEGER1") {
            range("BYTE", "0", "255");
        } else if (t == "VARCHAR" || t == "CHAR" || t == "TEXT" || t == "NVARCHAR" || t == "NCHAR" ||
                   t == "CHARACTER" || t == "STRING" || t == "ALPHANUMERIC" || t == "VARYING") {
            text(args.empty() ? 255 : args[0]);
        } else if (t == "LONGTEXT" || t == "MEMO" || t == "LONGCHAR" || t == "NOTE" || t == "NTEXT") {
            text(0);
        }
        if (!addition.empty()) m_insertions.push_back({m_tokens[end - 1].end, addition});
    }

    std::string Apply() const
    {
        std::string out;
        size_t pos = 0;
        for (const auto& insertion : m_insertions) {
            out.append(m_sql, pos, insertion.first - pos);
            out += insertion.second;
            pos = insertion.first;
        }
        out.append(m_sql, pos, std::string::npos);
        return out;
    }

    const std::string& m_sql;
    std::vector<Token> m_tokens;
    std::string m_table;
    std::vector<std::pair<size_t, std::string>> m_insertions;  // offset, text; ascending
};

} // namespace

std::string TranslateAccessSql(const std::string& sql) { return Rewriter(sql).Run(); }

bool ParseTypeCheckFailure(const std::string& sqliteMessage, TypeCheckFailure& failure)
{
    static const std::string prefix = "CHECK constraint failed: QB ";
    if (sqliteMessage.compare(0, prefix.size(), prefix) != 0) return false;
    failure = TypeCheckFailure();
    const std::string rest = sqliteMessage.substr(prefix.size());
    const size_t space = rest.find(' ');
    if (space == std::string::npos) return false;
    failure.typeName = rest.substr(0, space);
    failure.column = rest.substr(space + 1);
    if (failure.typeName.compare(0, 8, "VARCHAR(") == 0) {
        failure.isLength = true;
        failure.limitLow = 0;
        failure.limitHigh = std::atoll(failure.typeName.c_str() + 8);
    } else if (failure.typeName == "SMALLINT") {
        failure.limitLow = -32768, failure.limitHigh = 32767;
    } else if (failure.typeName == "INTEGER") {
        failure.limitLow = -2147483648LL, failure.limitHigh = 2147483647LL;
    } else if (failure.typeName == "BYTE") {
        failure.limitLow = 0, failure.limitHigh = 255;
    } else {
        return false;
    }
    return true;
}

std::string StatementVerb(const std::string& sql)
{
    const std::vector<Token> tokens = Tokenize(sql);
    for (const Token& t : tokens) {
        if (t.kind == Token::Word) return Upper(sql.substr(t.begin, t.end - t.begin));
        if (!(t.kind == Token::Punct && sql[t.begin] == '(')) break;
    }
    return std::string();
}

std::string StatementTargetTable(const std::string& sql)
{
    const std::vector<Token> tokens = Tokenize(sql);
    auto word = [&](size_t i) {
        return i < tokens.size() && tokens[i].kind == Token::Word ? Upper(sql.substr(tokens[i].begin, tokens[i].end - tokens[i].begin)) : std::string();
    };
    auto name = [&](size_t i) {
        if (i >= tokens.size() || (tokens[i].kind != Token::Word && tokens[i].kind != Token::Quoted)) return std::string();
        std::string text = sql.substr(tokens[i].begin, tokens[i].end - tokens[i].begin);
        if (tokens[i].kind == Token::Quoted) text = text.substr(1, text.size() - 2);
        return text;
    };
    const std::string verb = word(0);
    size_t i = 1;
    if (verb == "UPDATE") {
        if (word(i) == "OR") i += 2;
        return name(i);
    }
    if (verb == "DELETE") return word(i) == "FROM" ? name(i + 1) : std::string();
    if (verb == "INSERT" || verb == "REPLACE") {
        if (word(i) == "OR") i += 2;
        return word(i) == "INTO" ? name(i + 1) : std::string();
    }
    return std::string();
}
