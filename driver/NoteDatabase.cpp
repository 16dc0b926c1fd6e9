// Opening a note database file, per-connection SQLite set-up and error texts.
#include "NoteDatabase.h"

#include "AccessDdl.h"
#include "DriverErrors.h"
#include "GeneralLikeFunction.h"
#include "GeneralText.h"
#include "InStrFunction.h"
#include "MappedReadVfs.h"
#include "NoteFileUpgrade.h"
#include "WinePath.h"
#include "WindowsLimits.h"

#include <sqlite3.h>

#include <cctype>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool OnlyBlanksLeft(const char* tail)
{
    for (const char* p = tail; p && *p;) {
        if (std::isspace(static_cast<unsigned char>(*p)) || *p == ';') { ++p; continue; }
        if (p[0] == '-' && p[1] == '-') { while (*p && *p != '\n') ++p; continue; }
        if (p[0] == '/' && p[1] == '*') {
            const char* close = std::strstr(p + 2, "*/");
            if (!close) return true;
            p = close + 2;
            continue;
        }
        return false;
    }
    return true;
}

std::string After(const std::string& text, const char* prefix)
{
    const size_t n = std::strlen(prefix);
    return text.compare(0, n, prefix) == 0 ? text.substr(n) : std::string();
}

} // namespace

NoteDatabase::~NoteDatabase() { Close(); }

void NoteDatabase::Close()
{
    if (m_db) sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_columns.Forget();
    m_upgradeFailure.clear();
}

bool NoteDatabase::Open(const std::string& path, bool readOnly, int busyTimeoutMs, DriverError& error)
{
    Close();
    m_displayPath = path;
    m_busyTimeoutMs = busyTimeoutMs > 0 ? busyTimeoutMs : kDefaultBusyTimeoutMs;
    if (path.empty()) {
        error = MakeDriverError(DriverErrorId::NoFileGiven);
        return false;
    }
    const std::string unixPath = MapWindowsPath(path, CurrentWinePrefix());
    struct stat st;
    if (::stat(unixPath.c_str(), &st) != 0) {
        error = MakeDriverError(DriverErrorId::FileNotFound, {Quoted(path)});
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        error = MakeDriverError(DriverErrorId::FileIsAFolder, {Quoted(path)});
        return false;
    }
    // A file without write permission is read-only, also for a user (root)
    // whom the system would let write: that is what the file's owner asked for.
    m_readOnly = readOnly || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(unixPath.c_str(), W_OK) != 0;

    const int flags = (m_readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_FULLMUTEX;
    const int rc = sqlite3_open_v2(unixPath.c_str(), &m_db, flags, MappedReadVfsName());
    if (rc != SQLITE_OK) {
        error = MakeDriverError(DriverErrorId::FileCannotBeOpened, {Quoted(path), m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc)}, rc);
        Close();
        return false;
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, m_busyTimeoutMs);
    sqlite3_create_collation_v2(m_db, kGeneralCollation, SQLITE_UTF8, nullptr, GeneralCollationFunction, nullptr);
    const int likeFlags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    void* likeLimit = m_windowsLimits ? const_cast<int*>(&kLikeComparesWindowsLength) : nullptr;
    sqlite3_create_function_v2(m_db, "like", 2, likeFlags, likeLimit, GeneralLikeFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(m_db, "like", 3, likeFlags, likeLimit, GeneralLikeFunction, nullptr, nullptr, nullptr);
    for (int arguments = 2; arguments <= 4; ++arguments) {
        sqlite3_create_function_v2(m_db, "instr", arguments, likeFlags, nullptr, InStrFunction, nullptr, nullptr, nullptr);
    }

    // The first read tells a database from any other file; a lock held by a
    // writer in the middle of a commit is waited for, within the timeout.
    sqlite3_stmt* probe = nullptr;
    int probeRc = sqlite3_prepare_v2(m_db, "SELECT count(*) FROM sqlite_master", -1, &probe, nullptr);
    if (probeRc == SQLITE_OK) probeRc = sqlite3_step(probe);
    sqlite3_finalize(probe);
    if (probeRc != SQLITE_ROW) {
        error = ErrorFor(probeRc, std::string());
        // A failure with no state of its own is a failed connection here.
        if (error.sqlState == DriverErrorFor(DriverErrorId::EngineFailure).sqlState) error.sqlState = DriverErrorFor(DriverErrorId::FileCannotBeOpened).sqlState;
        Close();
        return false;
    }
    DriverError ignored;
    Execute("PRAGMA foreign_keys=ON", ignored);
    Execute("PRAGMA synchronous=FULL", ignored);
    // A statement that reads every note reads the pages in place, not copied.
    if (MappedReadVfsName() && IsOnLocalDisk(unixPath)) Execute(kMapFilePragma, ignored);
    // A zero-length file (a new one from the setup routine, or any empty file
    // a user opens) gets its header with the first change, not at connect:
    // a connection that only reads, or fails to, leaves the file as it was.
    m_stampPending = st.st_size == 0 && !m_readOnly;
    // A file of an earlier build gets a schema that every SQLite program
    // reads; if that cannot be done now, it keeps working as it is.
    if (!m_readOnly && !m_stampPending) {
        UpgradeNoteFile(m_db, m_busyTimeoutMs < kUpgradeWaitMs ? m_busyTimeoutMs : kUpgradeWaitMs, m_upgradeFailure);
        sqlite3_busy_timeout(m_db, m_busyTimeoutMs);
    }
    return true;
}

bool NoteDatabase::Prepare(const std::string& sql, sqlite3_stmt*& statement, DriverError& error)
{
    statement = nullptr;
    if (m_windowsLimits && !CheckWindowsLimits(sql, error)) return false;
    m_columns.Refresh(m_db);
    const std::string translated = TranslateAccessSql(m_windowsLimits ? CutTextToColumnLengths(sql, m_columns) : sql, m_columns);
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, translated.c_str(), static_cast<int>(translated.size()), &statement, &tail);
    if (rc != SQLITE_OK) {
        error = ErrorFor(rc, sql);
        return false;
    }
    if (!statement) {
        error = MakeDriverError(DriverErrorId::EmptyStatement);
        return false;
    }
    if (!OnlyBlanksLeft(tail)) {
        sqlite3_finalize(statement);
        statement = nullptr;
        error = MakeDriverError(DriverErrorId::TextAfterStatement);
        return false;
    }
    if (m_stampPending && !sqlite3_stmt_readonly(statement)) {
        m_stampPending = false;
        DriverError ignored;
        Execute(("PRAGMA application_id=" + std::to_string(kApplicationId)).c_str(), ignored);
    }
    return true;
}

bool NoteDatabase::Execute(const char* sql, DriverError& error)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc == SQLITE_OK) return true;
    error = ErrorFor(rc, sql);
    return false;
}

bool NoteDatabase::InTransaction() const { return m_db && !sqlite3_get_autocommit(m_db); }

DriverError NoteDatabase::ErrorFor(int rc, const std::string& sql)
{
    const std::string message = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
    const int extended = m_db ? sqlite3_extended_errcode(m_db) : rc;
    const std::string file = Quoted(m_displayPath);
    const int seconds = (m_busyTimeoutMs + 999) / 1000;
    auto failure = [extended](DriverErrorId id, std::initializer_list<std::string> details = {}) {
        return MakeDriverError(id, details, extended);
    };
    switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return failure(DriverErrorId::FileLocked, {file, std::to_string(seconds)});
    case SQLITE_READONLY: return failure(DriverErrorId::FileReadOnly, {file});
    case SQLITE_NOTADB: return failure(DriverErrorId::NotANoteDatabase, {file});
    case SQLITE_CORRUPT: return failure(DriverErrorId::FileDamaged, {file, message});
    case SQLITE_FULL: return failure(DriverErrorId::DiskFull, {file});
    case SQLITE_IOERR: return failure(DriverErrorId::FileReadOrWriteFailed, {file, message});
    case SQLITE_CANTOPEN: return failure(DriverErrorId::FileCannotBeWritten, {file});
    case SQLITE_NOMEM: return failure(DriverErrorId::EngineOutOfMemory);
    case SQLITE_TOOBIG: return failure(DriverErrorId::ValueTooLarge);
    case SQLITE_CONSTRAINT: {
        TypeCheckFailure check;
        std::string column;
        if (extended == SQLITE_CONSTRAINT_CHECK && ParseTypeCheckFailure(message, check)) {
            if (check.isLength) {
                return failure(DriverErrorId::TextTooLong, {Quoted(check.column), std::to_string(check.limitHigh), check.typeName});
            }
            return failure(DriverErrorId::NumberOutOfFieldRange, {Quoted(check.column), std::to_string(check.limitLow),
                                                                  std::to_string(check.limitHigh), check.typeName});
        }
        if (!(column = After(message, "NOT NULL constraint failed: ")).empty()) return failure(DriverErrorId::FieldRequired, {Quoted(column)});
        if (!(column = After(message, "UNIQUE constraint failed: ")).empty()) return failure(DriverErrorId::DuplicateValue, {Quoted(column)});
        if ((extended == SQLITE_CONSTRAINT_FOREIGNKEY) || message.find("FOREIGN KEY") != std::string::npos) {
            return failure(DriverErrorId::ForeignKeyBroken, {DescribeForeignKeyFailure(sql)});
        }
        return failure(DriverErrorId::RuleBroken, {message});
    }
    default: {
        std::string name;
        if (!(name = After(message, "no such table: ")).empty()) return failure(DriverErrorId::NoSuchTable, {Quoted(name), file});
        if (!(name = After(message, "no such column: ")).empty()) return failure(DriverErrorId::NoSuchColumn, {Quoted(name)});
        if (message.compare(0, 6, "table ") == 0 && message.find(" already exists") != std::string::npos) {
            return failure(DriverErrorId::TableExists, {Quoted(message.substr(6, message.find(" already exists") - 6)), file});
        }
        if (message.find("syntax error") != std::string::npos || message == "incomplete input") {
            return failure(DriverErrorId::SyntaxError, {message});
        }
        return failure(DriverErrorId::EngineFailure, {message});
    }
    }
}

std::string NoteDatabase::DescribeForeignKeyFailure(const std::string& sql)
{
    const std::string verb = StatementVerb(sql);
    const std::string table = StatementTargetTable(sql);
    const std::string generic =
        "The change breaks a relationship between tables (foreign key): a row that other rows refer to cannot be deleted, "
        "and a row cannot refer to a row that does not exist. Nothing was changed.";
    if (table.empty() || !m_db) return generic;

    // Which relationships involve the table: those it refers to, and those that refer to it.
    std::vector<std::string> parents, children;
    sqlite3_stmt* list = nullptr;
    const char* query =
        "SELECT m.name, f.\"from\", f.\"table\" FROM sqlite_master AS m, pragma_foreign_key_list(m.name) AS f "
        "WHERE m.type='table'";
    if (sqlite3_prepare_v2(m_db, query, -1, &list, nullptr) == SQLITE_OK) {
        while (sqlite3_step(list) == SQLITE_ROW) {
            const std::string child = reinterpret_cast<const char*>(sqlite3_column_text(list, 0));
            const std::string from = reinterpret_cast<const char*>(sqlite3_column_text(list, 1));
            const std::string parent = reinterpret_cast<const char*>(sqlite3_column_text(list, 2));
            if (sqlite3_stricmp(child.c_str(), table.c_str()) == 0) parents.push_back(Quoted(parent) + " (field " + Quoted(child + "." + from) + ")");
            if (sqlite3_stricmp(parent.c_str(), table.c_str()) == 0) children.push_back(Quoted(child) + " (field " + Quoted(child + "." + from) + ")");
        }
    }
    sqlite3_finalize(list);
    auto join = [](const std::vector<std::string>& items) {
        std::string out;
        for (size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + items[i];
        return out;
    };
    if (verb == "DELETE" && !children.empty()) {
        return "The row cannot be deleted from table " + Quoted(table) + " because table " + join(children) +
               " includes related rows. Nothing was changed.";
    }
    if ((verb == "INSERT" || verb == "REPLACE" || verb == "UPDATE") && !parents.empty()) {
        return "The row cannot be added or changed in table " + Quoted(table) + " because a related row is required in table " +
               join(parents) + ". Nothing was changed.";
    }
    if (verb == "UPDATE" && !children.empty()) {
        return "The row cannot be changed in table " + Quoted(table) + " because table " + join(children) +
               " includes related rows. Nothing was changed.";
    }
    return generic;
}
