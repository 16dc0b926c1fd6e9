// qb-search: runs one statement on a note database with SQLite's C API and
// prints what it read, so scripts/bench can show that the driver's LIKE, the
// UTF-16 reference LIKE and SQLite's built-in LIKE find the same rows in the
// same order, and time the statement alone; also the program to profile the
// driver's search path with (valgrind --tool=callgrind qb-search ...).
//
//   qb-search <file> <driver|utf16|builtin> <statement> [repeat]
//     driver   the file opened as the driver opens it (its collation and LIKE)
//     utf16    the General collation and the UTF-16 reference LIKE
//     builtin  the General collation and SQLite's own LIKE
// Prints "<rows>\t<checksum of the first column's values, in order>\t<median ms>".
#include "GeneralText.h"
#include "NoteDatabase.h"
#include "tests/reference/Utf16Like.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

double NowMs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

int CollateGeneral(void*, int aBytes, const void* a, int bBytes, const void* b)
{
    return CompareGeneral(static_cast<const char16_t*>(a), static_cast<size_t>(aBytes) / 2,
                          static_cast<const char16_t*>(b), static_cast<size_t>(bBytes) / 2);
}

struct Answer {
    int rows = 0;
    std::uint32_t checksum = 2166136261u;  // FNV-1a over the first column's text
};

bool Read(sqlite3_stmt* statement, Answer& answer)
{
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        ++answer.rows;
        const auto* text = sqlite3_column_text(statement, 0);
        const int bytes = sqlite3_column_bytes(statement, 0);
        for (int i = 0; i < bytes; ++i) answer.checksum = (answer.checksum ^ text[i]) * 16777619u;
        answer.checksum = (answer.checksum ^ 0xFFu) * 16777619u;
    }
    return rc == SQLITE_DONE;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || argc > 5) {
        std::fprintf(stderr, "usage: qb-search <file> <driver|utf16|builtin> <statement> [repeat]\n");
        return 2;
    }
    const std::string path = argv[1], mode = argv[2], sql = argv[3];
    const int repeat = argc == 5 ? std::max(1, std::atoi(argv[4])) : 1;

    NoteDatabase driver;
    sqlite3* plain = nullptr;
    if (mode == "driver") {
        DriverError error;
        if (!driver.Open(path, true, 1000, error)) {
            std::fprintf(stderr, "qb-search: %s\n", error.message.c_str());
            return 1;
        }
    } else if (mode == "utf16" || mode == "builtin") {
        if (sqlite3_open_v2(path.c_str(), &plain, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "qb-search: cannot open %s\n", path.c_str());
            return 1;
        }
        sqlite3_create_collation_v2(plain, "GENERAL", SQLITE_UTF16, nullptr, CollateGeneral, nullptr);
        if (mode == "utf16") RegisterUtf16Like(plain);
    } else {
        std::fprintf(stderr, "qb-search: unknown LIKE '%s'\n", mode.c_str());
        return 2;
    }

    std::vector<double> times;
    Answer answer;
    for (int run = 0; run < repeat; ++run) {
        const double start = NowMs();
        sqlite3_stmt* statement = nullptr;
        bool ok;
        if (plain) {
            ok = sqlite3_prepare_v2(plain, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK;
        } else {
            DriverError error;
            ok = driver.Prepare(sql, statement, error);
        }
        answer = Answer();
        ok = ok && Read(statement, answer);
        sqlite3_finalize(statement);
        times.push_back(NowMs() - start);
        if (!ok) {
            std::fprintf(stderr, "qb-search: %s\n", sqlite3_errmsg(plain ? plain : driver.Handle()));
            sqlite3_close(plain);
            return 1;
        }
    }
    sqlite3_close(plain);
    std::sort(times.begin(), times.end());
    std::printf("%d\t%u\t%.1f\n", answer.rows, answer.checksum, times[times.size() / 2]);
    return 0;
}
