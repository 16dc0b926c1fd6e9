// qb-notegen: writes a note database of a given size for the benchmarks,
// through the driver's own file set-up (the same SQLite file, schema
// translation and checks the driver gives every file), in one transaction.
// The content comes from a fixed seed, so every run builds the same file:
//   notes in 300 groups plus group 0, one group ("the big group", id 1) of
//   min(1000, notes / 2) notes, titles of 20 to 60 characters, comments of
//   0 to 200 (none when 0), queries of 200 bytes to 4 KB with one note in a
//   hundred at 100 KB, and the rare word in the query of every note whose id
//   ends in 007.
//
// usage: qb-notegen <file> <notes>
#include "NoteDatabase.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kGroups = 300;
constexpr int kBigGroup = 1;
constexpr std::uint64_t kSeed = 0x5157494C4C424F58ULL;  // fixed: the same file on every machine
const char kRareWord[] = "quillwort";

// splitmix64: small, and the same sequence with every compiler and library.
class CRandom {
public:
    explicit CRandom(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [low, high].
    int Between(int low, int high) { return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1)); }

private:
    std::uint64_t m_state;
};

const char* const kTitleWords[] = {
    "monthly", "orders", "customer", "report", "invoice", "totals", "open", "items", "by", "region", "late",
    "payments", "stock", "levels", "supplier", "ranking", "daily", "sales", "per", "product", "returns", "Überblick",
    "café", "Ärger", "clients", "revenue", "year", "quarter", "top", "ten", "duplicate", "rows", "cleanup",
    "archive", "audit", "trail", "user", "logins", "failed", "jobs", "index", "usage", "slow", "queries", "éditions",
    "budget", "forecast", "shipping", "delays", "warehouse", "count", "missing", "prices", "currency", "rates"};

const char* const kSqlWords[] = {
    "SELECT", "o.id", "o.total", "c.name", "FROM", "orders", "o", "JOIN", "customers", "c", "ON", "c.id", "=",
    "o.customer_id", "WHERE", "o.created", ">=", "'2020-01-01'", "AND", "o.status", "<>", "'closed'", "GROUP", "BY",
    "ORDER", "HAVING", "SUM(o.total)", ">", "100", "COUNT(*)", "AS", "n", "LEFT", "items", "i", "i.order_id",
    "i.qty", "*", "i.price", "UNION", "ALL", "DISTINCT", "p.sku", "products", "p", "IN", "(SELECT", "id)", "LIKE",
    "'%box%'", "IS", "NULL", "NOT", "EXISTS", "MAX(o.created)", "DESC", "ASC", "stock_levels", "s", "s.level", "<", "5"};

template <size_t N>
const char* Pick(CRandom& random, const char* const (&words)[N])
{
    return words[random.Next() % N];
}

// Words until `length` characters (UTF-8 code points), then cut there.
std::string Words(CRandom& random, const char* const* words, size_t count, size_t length)
{
    std::string text;
    size_t characters = 0;
    while (characters < length) {
        if (!text.empty()) {
            text += ' ';
            ++characters;
        }
        for (const char* p = words[random.Next() % count]; *p && characters < length; ++p) {
            text += *p;
            if ((static_cast<unsigned char>(p[1]) & 0xC0) != 0x80) ++characters;
        }
    }
    if (!text.empty() && text.back() == ' ') text.back() = 'x';
    return text;
}

std::string Title(CRandom& random, int id)
{
    const int length = random.Between(20, 60);
    std::string text = Words(random, kTitleWords, sizeof kTitleWords / sizeof *kTitleWords, static_cast<size_t>(length));
    // A distinct tail keeps titles apart without changing their length.
    const std::string tag = " #" + std::to_string(id);
    size_t cut = text.size();
    size_t kept = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (kept == static_cast<size_t>(length) - tag.size()) { cut = i; break; }
            ++kept;
        }
    }
    return text.substr(0, cut) + tag;
}

std::string Query(CRandom& random, int id)
{
    const size_t length = id % 100 == 50 ? 100 * 1024 : static_cast<size_t>(random.Between(200, 4096));
    std::string text;
    text.reserve(length + 16);
    if (id % 1000 == 7) text += std::string("-- ") + kRareWord + "\n";
    while (text.size() < length) {
        text += Pick(random, kSqlWords);
        text += random.Next() % 9 == 0 ? '\n' : ' ';
    }
    text.resize(length);
    return text;
}

bool Run(NoteDatabase& db, const char* sql)
{
    DriverError error;
    sqlite3_stmt* statement = nullptr;
    if (!db.Prepare(sql, statement, error)) {
        std::fprintf(stderr, "qb-notegen: %s: %s\n", sql, error.message.c_str());
        return false;
    }
    const int rc = sqlite3_step(statement);
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE) {
        std::fprintf(stderr, "qb-notegen: %s: %s\n", sql, sqlite3_errmsg(db.Handle()));
        return false;
    }
    return true;
}

// Owns a prepared statement.
class CStatement {
public:
    CStatement(NoteDatabase& db, const char* sql)
    {
        DriverError error;
        if (!db.Prepare(sql, m_statement, error)) std::fprintf(stderr, "qb-notegen: %s: %s\n", sql, error.message.c_str());
    }
    ~CStatement() { sqlite3_finalize(m_statement); }
    CStatement(const CStatement&) = delete;
    CStatement& operator=(const CStatement&) = delete;
    sqlite3_stmt* Get() const { return m_statement; }

private:
    sqlite3_stmt* m_statement = nullptr;  // owned
};

void BindText(sqlite3_stmt* statement, int index, const std::string& text)
{
    sqlite3_bind_text(statement, index, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

bool StepAndReset(NoteDatabase& db, sqlite3_stmt* statement)
{
    const int rc = sqlite3_step(statement);
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (rc == SQLITE_DONE) return true;
    std::fprintf(stderr, "qb-notegen: insert failed: %s\n", sqlite3_errmsg(db.Handle()));
    return false;
}

bool Generate(const std::string& path, int notes)
{
    // The setup routine creates new files empty; the driver prepares them on first open.
    FILE* file = std::fopen(path.c_str(), "wx");
    if (!file) {
        std::perror(path.c_str());
        return false;
    }
    std::fclose(file);

    NoteDatabase db;
    DriverError error;
    if (!db.Open(path, false, 0, error)) {
        std::fprintf(stderr, "qb-notegen: %s\n", error.message.c_str());
        return false;
    }
    // The module's own schema statements.
    if (!Run(db, "CREATE TABLE groups (id SMALLINT NOT NULL, groupName VARCHAR(255) NOT NULL, groupDescription LONGTEXT, PRIMARY KEY(id));") ||
        !Run(db, "INSERT INTO groups VALUES(0,'None',NULL);") ||
        !Run(db, "CREATE TABLE notes (id SMALLINT NOT NULL,groupId SMALLINT NOT NULL,name VARCHAR(255) NOT NULL,comments VARCHAR(255),query LONGTEXT NOT NULL,PRIMARY KEY(id),CONSTRAINT groupNotes FOREIGN KEY(groupId) REFERENCES groups);")) {
        return false;
    }
    if (!Run(db, "BEGIN")) return false;

    CRandom random(kSeed);
    {
        CStatement insert(db, "INSERT INTO groups VALUES(?,?,?)");
        if (!insert.Get()) return false;
        for (int id = 1; id <= kGroups; ++id) {
            char prefix[32];
            std::snprintf(prefix, sizeof prefix, "Group %03d ", id);
            sqlite3_bind_int(insert.Get(), 1, id);
            BindText(insert.Get(), 2, prefix + Words(random, kTitleWords, sizeof kTitleWords / sizeof *kTitleWords,
                                                     static_cast<size_t>(random.Between(6, 30))));
            if (id % 3 == 0) BindText(insert.Get(), 3, Words(random, kTitleWords, sizeof kTitleWords / sizeof *kTitleWords, 80));
            if (!StepAndReset(db, insert.Get())) return false;
        }
    }

    // The big group's notes first, the rest spread over group 0 and groups 2..300; then shuffled.
    const int bigGroupNotes = std::min(1000, notes / 2);
    std::vector<int> groupOf(static_cast<size_t>(notes));
    for (int i = 0; i < notes; ++i) {
        if (i < bigGroupNotes) {
            groupOf[static_cast<size_t>(i)] = kBigGroup;
        } else {
            const int pick = random.Between(0, kGroups - 1);  // 0 or 2..300
            groupOf[static_cast<size_t>(i)] = pick == 0 ? 0 : pick + 1;
        }
    }
    for (int i = notes - 1; i > 0; --i) std::swap(groupOf[static_cast<size_t>(i)], groupOf[static_cast<size_t>(random.Between(0, i))]);

    CStatement insert(db, "INSERT INTO notes(id,groupId,name,comments,query) VALUES(?,?,?,?,?)");
    if (!insert.Get()) return false;
    for (int id = 0; id < notes; ++id) {
        sqlite3_bind_int(insert.Get(), 1, id);
        sqlite3_bind_int(insert.Get(), 2, groupOf[static_cast<size_t>(id)]);
        BindText(insert.Get(), 3, Title(random, id));
        const int commentLength = random.Between(0, 200);
        if (commentLength > 0) {
            BindText(insert.Get(), 4, Words(random, kTitleWords, sizeof kTitleWords / sizeof *kTitleWords, static_cast<size_t>(commentLength)));
        }
        BindText(insert.Get(), 5, Query(random, id));
        if (!StepAndReset(db, insert.Get())) return false;
    }
    return Run(db, "COMMIT");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: qb-notegen <file> <notes>\n");
        return 2;
    }
    const int notes = std::atoi(argv[2]);
    if (notes < 10 || notes > 32000) {
        std::fprintf(stderr, "qb-notegen: notes must be between 10 and 32000\n");
        return 2;
    }
    const std::string path = argv[1];
    if (!Generate(path, notes)) {
        ::unlink(path.c_str());
        return 1;
    }
    return 0;
}
