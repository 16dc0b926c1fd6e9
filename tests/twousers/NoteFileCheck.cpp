// qb-note-check: reads the note databases the two-user test left behind with
// plain SQLite (i386, the General collation loaded from
// libqb-general-text.so, no driver and no ODBC) and checks each file against
// the notes the test expects in it.
//
//   qb-note-check <exchange folder> <path of libqb-general-text.so>
//
// The folder holds expected.txt: lines "<file name>\t<note|note|...>" (the
// note names by id). Every file must pass PRAGMA integrity_check and
// foreign_key_check and hold exactly those notes. Exit code 0 when all do.
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

// The first column of every row of `sql`, joined with '|'; "(error: ...)" on failure.
std::string Column(sqlite3* db, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) return std::string("(error: ") + sqlite3_errmsg(db) + ")";
    std::string out;
    int rc;
    bool first = true;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(statement, 0);
        out += (first ? "" : "|") + std::string(text ? reinterpret_cast<const char*>(text) : "");
        first = false;
    }
    if (rc != SQLITE_DONE) out = std::string("(error: ") + sqlite3_errmsg(db) + ")";
    sqlite3_finalize(statement);
    return out;
}

bool CheckFile(const std::string& path, const std::string& extension, const std::string& expectedNotes)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::printf("FAIL %s: cannot open (%s)\n", path.c_str(), sqlite3_errmsg(db));
        sqlite3_close(db);
        return false;
    }
    sqlite3_enable_load_extension(db, 1);
    char* message = nullptr;
    if (sqlite3_load_extension(db, extension.c_str(), nullptr, &message) != SQLITE_OK) {
        std::printf("FAIL %s: the General collation did not load (%s)\n", path.c_str(), message ? message : "?");
        sqlite3_free(message);
        sqlite3_close(db);
        return false;
    }
    bool ok = true;
    const std::string integrity = Column(db, "PRAGMA integrity_check");
    if (integrity != "ok") {
        std::printf("FAIL %s: integrity_check says %s\n", path.c_str(), integrity.c_str());
        ok = false;
    }
    const std::string keys = Column(db, "PRAGMA foreign_key_check");
    if (!keys.empty()) {
        std::printf("FAIL %s: foreign_key_check says %s\n", path.c_str(), keys.c_str());
        ok = false;
    }
    const std::string notes = Column(db, "SELECT name FROM notes ORDER BY id");
    if (notes != expectedNotes) {
        std::printf("FAIL %s: notes\n  got      %s\n  expected %s\n", path.c_str(), notes.c_str(), expectedNotes.c_str());
        ok = false;
    }
    if (ok) std::printf("ok %s: integrity ok, %s\n", path.c_str(), notes.c_str());
    sqlite3_close(db);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: qb-note-check <exchange folder> <libqb-general-text.so>\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::ifstream expected(folder + "/expected.txt");
    if (!expected) {
        std::printf("FAIL %s/expected.txt is missing: the two-user test did not leave its files\n", folder.c_str());
        return 1;
    }
    int files = 0, failed = 0;
    std::string line;
    while (std::getline(expected, line)) {
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        ++files;
        if (!CheckFile(folder + "/" + line.substr(0, tab), argv[2], line.substr(tab + 1))) ++failed;
    }
    std::printf("%d file(s) checked, %d failed\n", files, failed);
    return files > 0 && failed == 0 ? 0 : 1;
}
