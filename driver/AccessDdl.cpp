// The CREATE TABLE / ALTER TABLE ADD rewriting, and which statements go to
// it and which to the collation of text columns.
#include "AccessDdl.h"

#include "SqlEdits.h"
#include "SqlTokens.h"
#include "TextCollation.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <vector>

const char* const kGeneralCollation = "GENERAL";
const char* const kFileTextCollation = "NOCASE";

namespace {

using Token = SqlToken;

class Rewriter {
public:
    Rewriter(const std::string& sql, const std::vector<Token>& tokens) : m_sql(sql), m_tokens(tokens) {}

    std::string Run()
    {
        MapGeneralCollation();
        if (IsWord(0, "CREATE")) {
            size_t i = 1;
            if (IsWord(i, "TEMP") || IsWord(i, "TEMPORARY")) ++i;
            if (!IsWord(i, "TABLE")) return Apply();
            ++i;
            if (IsWord(i, "IF") && IsWord(i + 1, "NOT") && IsWord(i + 2, "EXISTS")) i += 3;
            if (!ReadTableName(i)) return Apply();
            if (!IsPunct(i, '(')) return Apply();
            RewriteColumnList(i);
        } else if (IsWord(0, "ALTER") && IsWord(1, "TABLE")) {
            size_t i = 2;
            if (!ReadTableName(i) || !IsWord(i, "ADD")) return Apply();
            ++i;
            if (IsWord(i, "COLUMN")) ++i;
            size_t end = m_tokens.size();
            if (end > i && IsPunct(end - 1, ';')) --end;
            RewriteColumn(i, end);
        }
        return Apply();
    }

    std::string RunCollationOnly()
    {
        MapGeneralCollation();
        return Apply();
    }

private:
    std::string Text(size_t i) const { return m_sql.substr(m_tokens[i].begin, m_tokens[i].end - m_tokens[i].begin); }
    bool IsWord(size_t i, const char* word) const { return i < m_tokens.size() && m_tokens[i].kind == Token::Word && UpperAscii(Text(i)) == word; }
    bool IsPunct(size_t i, char c) const { return i < m_tokens.size() && m_tokens[i].kind == Token::Punct && m_sql[m_tokens[i].begin] == c; }
    bool IsName(size_t i) const { return i < m_tokens.size() && (m_tokens[i].kind == Token::Word || m_tokens[i].kind == Token::Quoted); }

    // The schema must read in any SQLite program: an explicit General
    // collation is stored as SQLite's own case-insensitive one.
    void MapGeneralCollation()
    {
        for (size_t i = 0; i + 1 < m_tokens.size(); ++i) {
            if (IsWord(i, "COLLATE") && IsName(i + 1) && UpperAscii(UnquotedName(m_sql, m_tokens[i + 1])) == kGeneralCollation) {
                m_edits.push_back({m_tokens[i + 1].begin, m_tokens[i + 1].end, kFileTextCollation});
            }
        }
    }

    bool ReadTableName(size_t& i)
    {
        if (!IsName(i)) return false;
        m_table = UnquotedName(m_sql, m_tokens[i++]);
        if (IsPunct(i, '.') && IsName(i + 1)) {
            m_table = UnquotedName(m_sql, m_tokens[i + 1]);
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
        const std::string column = UnquotedName(m_sql, m_tokens[begin]);
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
            if (typeWord.empty()) typeWord = UpperAscii(Text(i));
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
            if (!hasCollate) addition += std::string(" COLLATE ") + kFileTextCollation;
            if (limit > 0) {
                addition += named("VARCHAR(" + std::to_string(limit) + ")") + " CHECK(length(" + columnSql +
                            ")<=" + std::to_string(limit) + ")";
            }
        };
        switch (ClassifyAccessType(typeWord)) {
        case AccessType::SmallInt: range("SMALLINT", "-32768", "32767"); break;
        case AccessType::Integer: range("INTEGER", "-2147483648", "2147483647"); break;
        case AccessType::Byte: range("BYTE", "0", "255"); break;
        case AccessType::Text: text(args.empty() ? 255 : args[0]); break;
        case AccessType::LongText: text(0); break;
        case AccessType::Other: break;
        }
        if (!addition.empty()) m_edits.push_back({m_tokens[end - 1].end, m_tokens[end - 1].end, addition});
    }

    std::string Apply()
    {
        return ApplySqlEdits(m_sql, std::move(m_edits));
    }

    // Replaces m_sql[begin, end) by text; an insertion when begin == end.
    const std::string& m_sql;
    const std::vector<Token>& m_tokens;
    std::string m_table;
    std::vector<SqlEdit> m_edits;
};

} // namespace

AccessType ClassifyAccessType(const std::string& typeWord)
{
    const std::string t = UpperAscii(typeWord);
    if (t == "SMALLINT" || t == "SHORT" || t == "INTEGER2" || t == "INT2") return AccessType::SmallInt;
    if (t == "INTEGER" || t == "INT" || t == "LONG" || t == "INTEGER4" || t == "INT4" || t == "COUNTER" || t == "AUTOINCREMENT") {
        return AccessType::Integer;
    }
    if (t == "BYTE" || t == "TINYINT" || t == "INTEGER1") return AccessType::Byte;
    if (t == "VARCHAR" || t == "CHAR" || t == "TEXT" || t == "NVARCHAR" || t == "NCHAR" || t == "CHARACTER" || t == "STRING" ||
        t == "ALPHANUMERIC" || t == "VARYING") {
        return AccessType::Text;
    }
    if (t == "LONGTEXT" || t == "MEMO" || t == "LONGCHAR" || t == "NOTE" || t == "NTEXT") return AccessType::LongText;
    return AccessType::Other;
}

bool IsTextColumnType(const std::string& declaredType)
{
    const std::string upper = UpperAscii(declaredType);
    size_t wordEnd = 0;
    while (wordEnd < upper.size() && (std::isalnum(static_cast<unsigned char>(upper[wordEnd])) || upper[wordEnd] == '_')) ++wordEnd;
    const AccessType type = ClassifyAccessType(upper.substr(0, wordEnd));
    if (type == AccessType::Text || type == AccessType::LongText) return true;
    // SQLite's own rule for text affinity, for tables that other programs made.
    return upper.find("CHAR") != std::string::npos || upper.find("CLOB") != std::string::npos || upper.find("TEXT") != std::string::npos;
}

long long DeclaredTextLength(const std::string& declaredType)
{
    size_t wordEnd = 0;
    while (wordEnd < declaredType.size() && (std::isalnum(static_cast<unsigned char>(declaredType[wordEnd])) || declaredType[wordEnd] == '_')) ++wordEnd;
    if (ClassifyAccessType(declaredType.substr(0, wordEnd)) != AccessType::Text) return 0;
    const size_t open = declaredType.find('(', wordEnd);
    if (open == std::string::npos) return 255;
    const long long length = std::atoll(declaredType.c_str() + open + 1);
    return length > 0 ? length : 0;
}

std::string TranslateAccessSql(const std::string& sql, const SchemaColumns& columns)
{
    const std::vector<SqlToken> tokens = TokenizeSql(sql);
    size_t first = 0;
    while (first < tokens.size() && tokens[first].kind == SqlToken::Punct && sql[tokens[first].begin] == '(') ++first;
    if (first == tokens.size() || tokens[first].kind != SqlToken::Word) return sql;
    const std::string verb = UpperAscii(sql.substr(tokens[first].begin, tokens[first].end - tokens[first].begin));
    if (verb == "CREATE" || verb == "ALTER") return Rewriter(sql, tokens).Run();
    if (verb == "SELECT" || verb == "WITH" || verb == "VALUES" || verb == "INSERT" || verb == "REPLACE" || verb == "UPDATE" ||
        verb == "DELETE") {
        return CollateTextColumns(sql, tokens, columns, kGeneralCollation);
    }
    return sql;
}

std::string TranslateAccessSql(const std::string& sql) { return TranslateAccessSql(sql, SchemaColumns()); }

std::string WithFileTextCollation(const std::string& sql)
{
    const std::vector<SqlToken> tokens = TokenizeSql(sql);
    return Rewriter(sql, tokens).RunCollationOnly();
}

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
    const std::vector<Token> tokens = TokenizeSql(sql);
    for (const Token& t : tokens) {
        if (t.kind == Token::Word) return UpperAscii(sql.substr(t.begin, t.end - t.begin));
        if (!(t.kind == Token::Punct && sql[t.begin] == '(')) break;
    }
    return std::string();
}

std::string StatementTargetTable(const std::string& sql)
{
    const std::vector<Token> tokens = TokenizeSql(sql);
    auto word = [&](size_t i) {
        return i < tokens.size() && tokens[i].kind == Token::Word ? UpperAscii(sql.substr(tokens[i].begin, tokens[i].end - tokens[i].begin)) : std::string();
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
