// QuillboxCli: exports a note database to a folder of .sql files, or imports
// such a folder into one, for scripts (a pre-commit hook, a CI job).
//   QuillboxCli export <database> <folder>
//   QuillboxCli import <database> <folder> [--dry-run]
//   QuillboxCli sync <database> <folder> [--dry-run] [--allow-deletions]
//   QuillboxCli run <database> <note> --connect <connection string> [--set name=value ...] [--format tsv|csv]
//   QuillboxCli --help | --version
// An import or a sync into a database file that does not exist creates it;
// an export into a folder that does not exist makes it, inside a folder that does.
// Exits 0 on success, 1 with a message on standard error otherwise, and 2
// when a sync or import did its work but refused files that are or may be
// notes (listed in its output): what they may hold was left as it was.
#include "CliReport.h"
#include "cli/RunCommand.h"
#include "store/records/NoteDatabaseFile.h"
#include "store/exchange/NoteExchange.h"
#include "store/exchange/NoteFolderFiles.h"
#include "store/records/NoteSql.h"
#include "store/sync/NoteSync.h"
#include "store/sync/SyncLock.h"
#include "store/sync/SyncSummary.h"
#include "store/format/Utf8Text.h"
#include "framework/CDBException.h"
#include "framework/CDatabase.h"
#include "framework/ThrownException.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <fcntl.h>
#include <io.h>

namespace {

void Print(FILE* stream, const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

int Fail(const CString& message)
{
    Print(stderr, "QuillboxCli: " + ToUtf8(message) + "\n");
    return 1;
}

const char kUsage[] = "usage: QuillboxCli export <database> <folder>\n"
                      "       QuillboxCli import <database> <folder> [--dry-run]\n"
                      "       QuillboxCli sync <database> <folder> [--dry-run] [--allow-deletions]\n"
                      "       QuillboxCli run <database> <note> --connect <connection string>\n"
                      "                       [--set name=value ...] [--format tsv|csv]\n"
                      "       QuillboxCli --help | --version\n";

// A refused file that may hold a note makes the run a failure a script sees.
int Refused(const std::vector<ImportRefusal>& refusals)
{
    const auto count = std::count_if(refusals.begin(), refusals.end(), [](const ImportRefusal& r) { return r.mayHideANote; });
    if (count == 0) return 0;
    Print(stderr, "QuillboxCli: " + std::to_string(count) + (count == 1 ? " file" : " files") +
                      " could not be taken (listed as refused); the notes and groups they may hold were left as they "
                      "were. Mend them (finish git's merge, repair the header) and run again.\n");
    return 2;
}

int Usage()
{
    Print(stderr, kUsage);
    return 1;
}

int Help()
{
    Print(stdout, std::string(kUsage) +
                      "\n"
                      "export   writes every group and note of the note database into the folder:\n"
                      "         a folder per group with a README.md, a .sql file per note. Files it\n"
                      "         did not write, and names starting with a dot (.git), are left alone.\n"
                      "         A missing folder is made. Prints written/unchanged/removed.\n"
                      "import   reads such a folder (or any folder of .sql files) into the note\n"
                      "         database, matching notes by group and title; it never deletes. A\n"
                      "         missing database file is created. Prints added/changed/unchanged and\n"
                      "         the files it refused with the reason. --dry-run changes nothing.\n"
                      "sync     makes the note database and the folder hold the same notes: what\n"
                      "         one side added, changed or deleted since their last sync, the other\n"
                      "         does too; a note changed differently on both sides is kept twice, the\n"
                      "         folder's under \"<title> (conflict n)\". Prints what each side adds,\n"
                      "         changes and deletes, and the conflicts. --dry-run changes nothing.\n"
                      "         The first sync of a database with a folder deletes nothing. A sync\n"
                      "         that would delete all of a side's notes, or more than a fifth and\n"
                      "         more than 20, stops without a change unless given --allow-deletions.\n"
                      "         One sync of a database runs at a time; a second waits a few seconds.\n"
                      "run      runs a note, named by its title or as group/title, on the data\n"
                      "         source of the ODBC connection string, and writes the rows of its\n"
                      "         results to standard output, a header line first: tab-separated, or\n"
                      "         CSV with --format csv. Each :name or ${name} in the query needs a\n"
                      "         --set name=value (:name is sent as a parameter, ${name} placed as\n"
                      "         typed); a missing one stops before anything runs. The statements\n"
                      "         run in order; the first failure stops the run. Nothing is asked\n"
                      "         and nothing remembered.\n"
                      "\n"
                      "Exits 0 on success, 1 with a message on standard error, 2 when an import or\n"
                      "sync refused files that are or may be notes (git's conflict markers, a\n"
                      "damaged header, unreadable): what they may hold was left as it was.\n");
    return 0;
}

bool IsFolder(const wchar_t* path)
{
    const DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const wchar_t* path)
{
    const DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

struct Options {
    bool dryRun = false;
    bool allowDeletions = false;
};

// The summary first, then the work unless it is a dry run or a mass
// deletion that was not asked for.
int Sync(CDatabase& database, const CString& databasePath, const CString& folder, const Options& options)
{
    NoteSync sync;
    ExchangeOutcome outcome = PlanNoteSync(database, databasePath, folder, sync, nullptr);
    if (!outcome.ok) return Fail(outcome.message);
    Print(stdout, ToUtf8(DescribeSync(sync.plan, sync.refusals, 1000, sync.firstSyncReason)));
    const CString massDeletion = DescribeMassDeletion(sync);
    if (options.dryRun) {
        if (!massDeletion.IsEmpty()) Print(stdout, ToUtf8(massDeletion + L" A sync would stop here without --allow-deletions.\n"));
        Print(stdout, "dry run: nothing was changed\n");
        return Refused(sync.refusals);
    }
    if (!massDeletion.IsEmpty() && !options.allowDeletions)
        return Fail(massDeletion + L" Nothing was changed. If that is meant, run the sync again with --allow-deletions.");
    outcome = ApplyNoteSync(database, sync, nullptr);
    if (!outcome.ok) return Fail(outcome.message + L" (the next sync completes the work; no note is lost)");
    if (outcome.leftForNextSync > 0)
        Print(stdout, "left to the next sync, as they changed while this one ran: " + std::to_string(outcome.leftForNextSync) + "\n");
    return Refused(sync.refusals);
}

int Run(const CString& command, const CString& databasePath, const CString& folder, const Options& options)
{
    const bool dryRun = options.dryRun;
    // One sync of a database at a time, from before a missing database is made to the last write.
    CSyncLock lock;
    CString lockError;
    if (command == L"sync" && !dryRun && !lock.Acquire(databasePath, kSyncLockWait, lockError)) return Fail(lockError);
    // An export makes its folder, but only inside one that exists: a mistyped path makes no tree of folders.
    if (!IsFolder(folder) && (command != L"export" || !IsFolder(ParentFolder(folder))))
        return Fail(folder + L": no such folder");
    // An import into a file that does not exist yet makes a new note database first.
    const bool create = command != L"export" && !dryRun && !IsFile(databasePath);
    if (!create && !IsFile(databasePath)) return Fail(databasePath + L": no such note database");
    if (create && !RequestNoteDatabaseFile(databasePath)) return Fail(databasePath + L": the note database could not be created");
    CDatabase database;
    try {
        // Never the driver's own prompt: a script must not wait on a window.
        if (!database.OpenEx(BuildConnectString(databasePath), CDatabase::noOdbcDialog)) {
            return Fail(databasePath + L": the note database could not be opened");
        }
        if (create) {
            for (const wchar_t* statement : kSchemaStatements) database.ExecuteSQL(statement);
            Print(stdout, "created " + ToUtf8(databasePath) + "\n");
        }
    } catch (CDBException* e) {
        const CThrownException<CDBException> thrown(e);
        const CString text = thrown->m_strError;
        return Fail(databasePath + L": " + text);
    }
    if (!database.IsOpen()) return Fail(databasePath + L": the note database could not be opened");
    if (command == L"export") {
        const ExchangeOutcome outcome = ExportNoteDatabase(database, folder, nullptr);
        if (!outcome.ok) return Fail(outcome.message);
        Print(stdout, DescribeExport(outcome));
        return 0;
    }
    if (command == L"sync") return Sync(database, databasePath, folder, options);
    ImportPlan plan;
    ExchangeOutcome outcome = PlanNoteImport(database, folder, plan, nullptr);
    if (!outcome.ok) return Fail(outcome.message);
    if (!dryRun && !plan.ChangesNothing()) {
        outcome = ApplyNoteImport(database, plan, nullptr);
        if (!outcome.ok) return Fail(outcome.message + L" (the note database was not changed)");
    }
    Print(stdout, DescribeImport(plan, dryRun));
    return Refused(plan.refusals);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    // Bytes as they are: "\n" stays "\n", as scripts reading the output expect.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    if (argc == 2 && (std::wcscmp(argv[1], L"--help") == 0 || std::wcscmp(argv[1], L"-h") == 0)) return Help();
    if (argc == 2 && std::wcscmp(argv[1], L"--version") == 0) {
        Print(stdout, "QuillboxCli " QB_VERSION_TEXT "\n");
        return 0;
    }
    if (argc >= 2 && std::wcscmp(argv[1], L"run") == 0) {
        try {
            return RunNoteCommand(argc, argv);
        } catch (...) {
            return Fail(L"an unexpected failure");
        }
    }
    if (argc < 4) return Usage();
    const CString command = argv[1];
    if (command != L"export" && command != L"import" && command != L"sync") return Usage();
    Options options;
    for (int i = 4; i < argc; ++i) {
        if (command != L"export" && std::wcscmp(argv[i], L"--dry-run") == 0 && !options.dryRun) options.dryRun = true;
        else if (command == L"sync" && std::wcscmp(argv[i], L"--allow-deletions") == 0 && !options.allowDeletions) options.allowDeletions = true;
        else return Usage();
    }
    try {
        return Run(command, argv[2], argv[3], options);
    } catch (CException* e) {
        const CThrownException<CException> thrown(e);
        return Fail(L"an unexpected failure");
    } catch (...) {
        return Fail(L"an unexpected failure");
    }
}
