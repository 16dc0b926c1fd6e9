// Sync of a note database with its folder, timed against the bare platform.
// Both rows start each run from the same point: the database and the folder
// synced, then (for the second row) 300 notes changed in the database with
// bare ODBC and 300 other notes' files rewritten, untimed, as a git pull
// leaves them. The folder starts as a checkout made an hour before; each run
// waits out the listing's time resolution and syncs once, untimed, so the
// sync with nothing changed finds every file as its memory keeps it. The
// floor of that row reads both tables with bare ODBC and lists the folder
// with bare FindFirstFileW, opening no file; a second floor also reads every
// file. The second row's floor reads both tables, lists the folder, reads the
// 300 changed files, and writes the same 300 rows (one transaction, texts as
// parameters) and the same 300 files (written beside, then renamed). Before
// each timed sync, a plan that reads every file is made, untimed: the timed
// sync must plan exactly the same.
#include "bench/SyncScenarios.h"

#include "bench/Clock.h"
#include "bench/OwnedHandles.h"
#include "bench/Median.h"
#include "bench/OdbcConnection.h"
#include "bench/OdbcStatement.h"
#include "bench/ProcessMemory.h"
#include "framework/CDatabase.h"
#include "store/exchange/ExchangeSql.h"
#include "store/format/ExportNames.h"
#include "store/exchange/ExportPlan.h"
#include "store/exchange/NoteExchange.h"
#include "store/format/NoteFile.h"
#include "store/records/NoteDatabaseFile.h"
#include "store/exchange/NoteFolderFiles.h"
#include "store/sync/NoteSync.h"
#include "store/format/Utf8Text.h"
#include "tests/store/FolderTree.h"

#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr size_t kChangedOnEachSide = 300;

struct FolderFile {
    std::wstring path;
    bool isNote = false;
};

// A note changed on one side: its number, its file, and the file's bytes.
struct ChangedNote {
    int id = 0;
    std::wstring path;
    std::string original;  // the file as the synced folder held it
    std::string lineEnd;
};

std::vector<FolderFile> ListNoteFolder(const std::wstring& root)
{
    std::vector<FolderFile> files;
    std::vector<FolderItem> items, inner;
    CString error;
    ListFolder(root.c_str(), items, error);
    for (const FolderItem& item : items) {
        const std::wstring path = root + L"\\" + item.name.str();
        if (!item.isFolder) {
            files.push_back({path, HasExtension(item.name, kNoteFileExtension)});
            continue;
        }
        ListFolder(path.c_str(), inner, error);
        for (const FolderItem& file : inner) files.push_back({path + L"\\" + file.name.str(), HasExtension(file.name, kNoteFileExtension)});
    }
    return files;
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::string bytes;
    bool tooLarge = false;
    CString error;
    if (!ReadWholeFile(path.c_str(), 1LL << 40, bytes, tooLarge, error)) throw std::runtime_error("cannot read " + ToUtf8(path.c_str()));
    return bytes;
}

// One bare write of a file: beside, then renamed into place.
void WriteBeside(const std::wstring& path, const std::string& bytes)
{
    const std::wstring temporary = path.substr(0, path.rfind(L'\\')) + L"\\~qb1.tmp";
    HANDLE handle = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) throw std::runtime_error("floor: cannot create a file");
    DWORD written = 0;
    ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(handle);
    if (!::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw std::runtime_error("floor: cannot rename a file");
}

// The floor's listing: the folder and each folder in it, with bare calls, as
// a sync must find the files before it reads them.
void ListBare(const std::wstring& folder, bool descend, std::vector<std::wstring>& paths)
{
    WIN32_FIND_DATAW found;
    HANDLE first = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) throw std::runtime_error("floor: cannot list a folder");
    const OwnedFind find(first);
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) paths.push_back(folder + L"\\" + name);
        else if (descend) ListBare(folder + L"\\" + name, false, paths);
    } while (::FindNextFileW(find.Get(), &found));
}

// The floor's reading of the database: both tables with SQLFetch and SQLGetData.
size_t ReadTables(COdbcConnection& connection)
{
    size_t total = 0;
    std::wstring text;
    {
        COdbcStatement groups(connection);
        groups.Execute(kExportGroupsStatement);
        while (groups.Fetch()) {
            total += static_cast<size_t>(groups.GetShort(1));
            for (SQLUSMALLINT column = 2; column <= 3; ++column) groups.GetText(column, text), total += text.size();
        }
    }
    {
        COdbcStatement notes(connection);
        notes.Execute(kExportNotesStatement);
        while (notes.Fetch()) {
            total += static_cast<size_t>(notes.GetShort(1) + notes.GetShort(2));
            for (SQLUSMALLINT column = 3; column <= 5; ++column) notes.GetText(column, text), total += text.size();
        }
    }
    return total;
}

size_t ReadFilesBare(const std::vector<std::wstring>& files)
{
    size_t total = 0;
    std::string buffer;
    for (const std::wstring& file : files) {
        HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (handle == INVALID_HANDLE_VALUE) throw std::runtime_error("floor: cannot read a file");
        buffer.resize(static_cast<size_t>(::GetFileSize(handle, nullptr)));
        DWORD read = 0;
        ::ReadFile(handle, buffer.empty() ? nullptr : &buffer[0], static_cast<DWORD>(buffer.size()), &read, nullptr);
        ::CloseHandle(handle);
        total += read;
    }
    return total;
}

// Both tables read and the folder listed, and every file read when `everyFile`.
size_t ReadBothSides(COdbcConnection& connection, const std::wstring& folder, bool everyFile)
{
    size_t total = ReadTables(connection);
    std::vector<std::wstring> files;
    ListBare(folder, true, files);
    return total + files.size() + (everyFile ? ReadFilesBare(files) : 0);
}

// Every file of the folder written an hour before now, as an earlier checkout leaves them.
void AgeFiles(const std::vector<FolderFile>& files)
{
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time;
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart -= 3600ULL * 10000000ULL;
    const FILETIME earlier{time.LowPart, time.HighPart};
    for (const FolderFile& file : files) {
        HANDLE handle = ::CreateFileW(file.path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open a file to age it");
        const BOOL set = ::SetFileTime(handle, nullptr, nullptr, &earlier);
        ::CloseHandle(handle);
        if (!set) throw std::runtime_error("cannot age a file");
    }
}

void SetAutocommit(COdbcConnection& connection, bool on)
{
    ::SQLSetConnectAttrW(connection.Handle(), SQL_ATTR_AUTOCOMMIT,
                         reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF)), SQL_IS_UINTEGER);
}

void Commit(COdbcConnection& connection)
{
    if (!SQL_SUCCEEDED(::SQLEndTran(SQL_HANDLE_DBC, connection.Handle(), SQL_COMMIT)))
        throw std::runtime_error("commit refused: " + OdbcDiagnostics(SQL_HANDLE_DBC, connection.Handle()));
    SetAutocommit(connection, true);
}

// Each note file's place (group name, title) and the note's number, for the notes whose place is theirs alone.
std::map<std::pair<std::wstring, std::wstring>, int> NotesByPlace(COdbcConnection& connection)
{
    std::map<int, std::wstring> groupNames;
    std::wstring text, title;
    {
        COdbcStatement groups(connection);
        groups.Execute(L"SELECT id,groupName FROM groups");
        while (groups.Fetch()) {
            const int id = groups.GetShort(1);
            groups.GetText(2, text);
            groupNames[id] = text;
        }
    }
    std::map<std::pair<std::wstring, std::wstring>, int> byPlace;
    COdbcStatement notes(connection);
    notes.Execute(L"SELECT id,groupId,name FROM notes");
    while (notes.Fetch()) {
        const int id = notes.GetShort(1);
        const int group = notes.GetShort(2);
        notes.GetText(3, title);
        const auto key = std::make_pair(group == 0 ? std::wstring() : groupNames[group], title);
        auto found = byPlace.find(key);
        if (found == byPlace.end()) byPlace[key] = id;
        else found->second = -1;  // two notes in one place: not chosen
    }
    return byPlace;
}

bool NoteFieldsOf(const std::string& bytes, NoteFileFields& fields)
{
    CString text;
    return FromUtf8(bytes, text) && ParseNoteFile(text, fields);
}

// 600 notes spread over the library (fewer in a small one), each found both as a file and as a row:
// the first half is changed in the folder, the second in the database.
void ChooseChangedNotes(COdbcConnection& connection, const std::wstring& folder, const std::vector<FolderFile>& files, std::vector<ChangedNote>& inFolder,
                        std::vector<ChangedNote>& inDatabase)
{
    const auto byPlace = NotesByPlace(connection);
    std::vector<const FolderFile*> noteFiles;
    for (const FolderFile& file : files)
        if (file.isNote) noteFiles.push_back(&file);
    std::vector<ChangedNote> chosen;
    // A small library (the quick run's) changes a third of its notes on each side.
    const size_t onEachSide = std::min(kChangedOnEachSide, noteFiles.size() / 3);
    const size_t wanted = 2 * onEachSide;
    const size_t step = std::max<size_t>(1, noteFiles.size() / wanted);
    for (size_t i = 0; i < noteFiles.size() && chosen.size() < wanted; i += step) {
        ChangedNote note;
        note.path = noteFiles[i]->path;
        note.original = ReadFileBytes(note.path);
        NoteFileFields fields;
        if (!NoteFieldsOf(note.original, fields)) continue;
        // A group 0 note's file sits in the folder's root.
        const bool inRoot = note.path.find(L'\\', folder.size() + 1) == std::wstring::npos;
        auto found = byPlace.find({inRoot ? std::wstring() : fields.group.str(), fields.title.str()});
        if (found == byPlace.end() || found->second < 0) continue;
        note.id = found->second;
        note.lineEnd = note.original.find("\r\n") == std::string::npos ? "\n" : "\r\n";
        chosen.push_back(std::move(note));
    }
    if (onEachSide == 0 || chosen.size() < wanted) throw std::runtime_error("too few notes to change");
    inFolder.assign(chosen.begin(), chosen.begin() + static_cast<std::ptrdiff_t>(onEachSide));
    inDatabase.assign(chosen.begin() + static_cast<std::ptrdiff_t>(onEachSide), chosen.end());
}

// The texts of this run's changes, all of one length in every run.
std::string Marker(int run)
{
    char text[32];
    std::snprintf(text, sizeof text, "-- bench edit %04d", run % 10000);
    return text;
}

// Untimed: 300 rows changed with bare ODBC in one transaction, 300 other notes' files rewritten.
void ChangeBothSides(COdbcConnection& connection, const std::vector<ChangedNote>& inFolder, const std::vector<ChangedNote>& inDatabase, int run)
{
    const std::string marker = Marker(run);
    const std::wstring comments(marker.begin(), marker.end());
    SetAutocommit(connection, false);
    for (const ChangedNote& note : inDatabase) {
        COdbcStatement update(connection);
        update.BindText(1, comments);
        update.Execute(L"UPDATE notes SET comments=? WHERE id=" + std::to_wstring(note.id));
    }
    Commit(connection);
    CString error;
    for (const ChangedNote& note : inFolder)
        if (!WriteFileWhole(note.path.c_str(), note.original + marker + note.lineEnd, error)) throw std::runtime_error(ToUtf8(error));
}

ExchangeOutcome Sync(CDatabase& database, const std::wstring& path, const std::wstring& folder, NoteSync& sync)
{
    ExchangeOutcome outcome = PlanNoteSync(database, path.c_str(), folder.c_str(), sync, nullptr);
    if (outcome.ok) outcome = ApplyNoteSync(database, sync, nullptr);
    if (!outcome.ok) throw std::runtime_error("sync failed: " + ToUtf8(outcome.message));
    return outcome;
}

// Untimed: the plan of a sync that reads every file, to compare the timed sync's with.
SyncPlan PlanReadingEveryFile(CDatabase& database, const std::wstring& path, const std::wstring& folder)
{
    NoteSync sync;
    const ExchangeOutcome outcome = PlanNoteSync(database, path.c_str(), folder.c_str(), sync, nullptr, true);
    if (!outcome.ok) throw std::runtime_error("planning failed: " + ToUtf8(outcome.message));
    return sync.plan;
}

template <class Step>
std::vector<std::wstring> StepNames(const std::vector<Step>& steps)
{
    std::vector<std::wstring> names;
    for (const Step& step : steps) names.push_back(std::to_wstring(static_cast<int>(step.action)) + L"|" + step.group.str() + L"|" + step.title.str());
    std::sort(names.begin(), names.end());
    return names;
}

// A sync that took files unread from its memory planned what reading every file plans.
void CheckSamePlan(const SyncPlan& fast, const SyncPlan& full, const char* what)
{
    const auto counts = [](const SyncPlan& plan) {
        return std::vector<int>{plan.databaseNotes.added, plan.databaseNotes.changed, plan.databaseNotes.deleted, plan.folderNotes.added,
                                plan.folderNotes.changed, plan.folderNotes.deleted, plan.unchanged, static_cast<int>(plan.conflicts.size())};
    };
    std::vector<std::wstring> groupSteps, fullGroupSteps;
    for (const SyncGroupStep& step : fast.groups) groupSteps.push_back(step.key.str());
    for (const SyncGroupStep& step : full.groups) fullGroupSteps.push_back(step.key.str());
    if (counts(fast) != counts(full) || StepNames(fast.notes) != StepNames(full.notes) || StepNames(fast.files) != StepNames(full.files) ||
        groupSteps != fullGroupSteps || fast.state.notes != full.state.notes || fast.state.groups != full.state.groups)
        throw std::runtime_error(std::string(what) + ": the sync planned otherwise than one that reads every file");
}

void Print(const char* name, int notes, const std::vector<double>& ours, const std::vector<double>& floor, size_t peakBytes)
{
    constexpr double kMiB = 1024.0 * 1024.0;
    const double oursMedian = Median(ours), floorMedian = Median(floor);
    std::printf("SCENARIO\t%s\t%d\t%.2f\t%.2f\t%.3f\t%.1f\t0.0\t%.3f\t\t\n", name, notes, oursMedian, floorMedian, MedianPairRatio(ours, floor),
                static_cast<double>(peakBytes) / kMiB, floorMedian > 0 ? oursMedian / floorMedian : 0);
    std::fflush(stdout);
}

} // namespace

void RunSyncScenarios(const std::wstring& source, const std::wstring& scratch, int notes, int runs)
{
    const std::wstring database = scratch + L"\\sync.mdb";
    const std::wstring folder = scratch + L"\\sync";
    ::CreateDirectoryW(scratch.c_str(), nullptr);
    storetest::RemoveFolderTree(folder);
    storetest::RemoveFolderTree(database + L".sync");
    ::DeleteFileW(database.c_str());
    if (!::CopyFileW(source.c_str(), database.c_str(), FALSE)) throw std::runtime_error("cannot copy the note database");

    CDatabase connection;
    connection.Open(nullptr, FALSE, FALSE, BuildConnectString(database.c_str()), TRUE);
    COdbcConnection bare;
    bare.Connect(BuildConnectString(database.c_str()).Mid(5).str());
    // The starting point: the folder exported, then synced once, so both sides and the state agree.
    const ExchangeOutcome exported = ExportNoteDatabase(connection, folder.c_str(), nullptr);
    if (!exported.ok) throw std::runtime_error("export failed: " + ToUtf8(exported.message));
    const std::vector<FolderFile> files = ListNoteFolder(folder);
    AgeFiles(files);
    {
        NoteSync first;
        Sync(connection, database, folder, first);
    }
    std::vector<ChangedNote> inFolder, inDatabase;
    ChooseChangedNotes(bare, folder, files, inFolder, inDatabase);

    std::vector<double> unchangedOurs, unchangedFloor, everyFileFloor, changedOurs, changedFloor;
    size_t unchangedPeak = 0, changedPeak = 0;
    for (int run = 0; run <= runs; ++run) {  // run 0 warms up
        // Untimed: the files the last run wrote or changed, settled, are taken into the memory.
        if (run > 0) {
            ::Sleep(2500);
            NoteSync settle;
            Sync(connection, database, folder, settle);
        }
        // Nothing changed: the sync reads the database and lists the folder, and writes nothing.
        const SyncPlan full = PlanReadingEveryFile(connection, database, folder);
        ResetPeakWorkingSet();
        double start = NowMs();
        {
            NoteSync sync;
            const ExchangeOutcome outcome = Sync(connection, database, folder, sync);
            if (sync.plan.ChangesDatabase() || sync.plan.ChangesFolder() || outcome.written != 0)
                throw std::runtime_error("a sync with nothing changed changed something");
            CheckSamePlan(sync.plan, full, "a sync with nothing changed");
        }
        const double ours = NowMs() - start;
        unchangedPeak = std::max(unchangedPeak, PeakWorkingSet());
        start = NowMs();
        ReadBothSides(bare, folder, false);
        const double floor = NowMs() - start;
        start = NowMs();
        ReadBothSides(bare, folder, true);
        const double everyFile = NowMs() - start;
        if (run > 0) unchangedOurs.push_back(ours), unchangedFloor.push_back(floor), everyFileFloor.push_back(everyFile);
        std::fprintf(stderr, "bench: sync with nothing changed, %d notes: %.1f ms, floor %.1f ms, reading every file %.1f ms\n", notes, ours,
                     floor, everyFile);

        // 300 notes changed on each side: each goes to the other side.
        ChangeBothSides(bare, inFolder, inDatabase, run + 1);
        const SyncPlan fullChanged = PlanReadingEveryFile(connection, database, folder);
        ResetPeakWorkingSet();
        start = NowMs();
        {
            NoteSync sync;
            Sync(connection, database, folder, sync);
            if (sync.plan.notes.size() != inFolder.size() || sync.plan.folderNotes.changed != static_cast<int>(inDatabase.size()))
                throw std::runtime_error("the sync did not carry every change to the other side");
            CheckSamePlan(sync.plan, fullChanged, "a sync with 300 changed on each side");
        }
        const double oursChanged = NowMs() - start;
        changedPeak = std::max(changedPeak, PeakWorkingSet());
        // The floor writes what the sync wrote: the folder's texts into the rows, the rows' files.
        std::vector<NoteFileFields> rows(inFolder.size());
        std::vector<std::string> written(inDatabase.size());
        for (size_t i = 0; i < inFolder.size(); ++i)
            if (!NoteFieldsOf(inFolder[i].original + Marker(run + 1) + inFolder[i].lineEnd, rows[i])) throw std::runtime_error("a changed file is no note file");
        for (size_t i = 0; i < inDatabase.size(); ++i) written[i] = ReadFileBytes(inDatabase[i].path);
        std::vector<std::wstring> changedFiles;
        for (const ChangedNote& note : inFolder) changedFiles.push_back(note.path);
        start = NowMs();
        ReadBothSides(bare, folder, false);
        ReadFilesBare(changedFiles);
        SetAutocommit(bare, false);
        for (size_t i = 0; i < inFolder.size(); ++i) {
            COdbcStatement update(bare);
            update.BindText(1, rows[i].query.str());
            const std::wstring where = L" WHERE id=" + std::to_wstring(inFolder[i].id);
            if (rows[i].hasComments) {
                update.BindText(2, rows[i].comments.str());
                update.Execute(L"UPDATE notes SET query=?,comments=?" + where);
            } else {
                update.Execute(L"UPDATE notes SET query=?,comments=NULL" + where);
            }
        }
        Commit(bare);
        for (size_t i = 0; i < inDatabase.size(); ++i) WriteBeside(inDatabase[i].path, written[i]);
        const double floorChanged = NowMs() - start;
        if (run > 0) changedOurs.push_back(oursChanged), changedFloor.push_back(floorChanged);
        std::fprintf(stderr, "bench: sync with 300 changed on each side, %d notes: %.1f ms, floor %.1f ms\n", notes, oursChanged, floorChanged);
    }
    Print("sync with nothing changed", notes, unchangedOurs, unchangedFloor, unchangedPeak);
    Print("sync with nothing changed against reading every file", notes, unchangedOurs, everyFileFloor, unchangedPeak);
    Print("sync with 300 changed on each side", notes, changedOurs, changedFloor, changedPeak);
    bare.Disconnect();
    connection.Close();
    storetest::RemoveFolderTree(folder);
    storetest::RemoveFolderTree(database + L".sync");
    ::DeleteFileW(database.c_str());
}
