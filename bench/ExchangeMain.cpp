// QuillboxBenchExchange.exe --db=<note database> --folder=<scratch folder>
//   --notes=<N> [--runs=5] [--sync]
// Times File, Export and File, Import's work (the store's export into an
// empty folder, and the import of that folder into an empty note database)
// against the bare platform doing the same in the same run: the same files
// written with bare Win32 calls (beside, then renamed into place, as the
// export does), and the same files read with bare calls plus the same
// INSERTs through bare ODBC in one transaction. With --sync it times the
// sync instead (bench/SyncScenarios.cpp), in a process of its own so its peak
// memory is measured as the export's is. Prints SCENARIO lines as
// QuillboxBench does, for scripts/bench.
#include "bench/Clock.h"
#include "bench/Median.h"
#include "bench/CommandLineOption.h"
#include "bench/OdbcConnection.h"
#include "bench/ProcessMemory.h"
#include "bench/SyncScenarios.h"
#include "framework/CDBException.h"
#include "framework/ThrownException.h"
#include "framework/CDatabase.h"
#include "store/exchange/ExchangeSql.h"
#include "store/records/NoteDatabaseFile.h"
#include "store/exchange/NoteExchange.h"
#include "store/exchange/NoteFolderFiles.h"
#include "store/records/NoteSql.h"
#include "store/format/Utf8Text.h"
#include "tests/store/FolderTree.h"

#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Options {
    std::wstring database;
    std::wstring folder;
    int notes = 0;
    int runs = 5;
    bool sync = false;
};

struct Timings {
    std::vector<double> ours, floor;
    size_t peakBytes = 0;  // the process's peak working set over our side's runs
};

void Print(const char* name, int notes, const Timings& t)
{
    constexpr double kMiB = 1024.0 * 1024.0;
    const double ours = Median(t.ours), floor = Median(t.floor);
    std::printf("SCENARIO\t%s\t%d\t%.2f\t%.2f\t%.3f\t%.1f\t0.0\t%.3f\t\t\n", name, notes, ours, floor, MedianPairRatio(t.ours, t.floor),
                static_cast<double>(t.peakBytes) / kMiB, floor > 0 ? ours / floor : 0);
}

// A file of the export: where it goes and what it holds.
struct ExportedFile {
    std::wstring folder, name;
    std::string bytes;
};

std::vector<ExportedFile> ReadExport(const std::wstring& root)
{
    std::vector<ExportedFile> files;
    std::vector<FolderItem> items, inner;
    CString error;
    ListFolder(root.c_str(), items, error);
    for (const FolderItem& item : items) {
        std::string bytes;
        bool tooLarge = false;
        if (!item.isFolder) {
            ReadWholeFile(JoinPath(root.c_str(), item.name), 1LL << 40, bytes, tooLarge, error);
            files.push_back({L"", item.name.str(), bytes});
            continue;
        }
        ListFolder(JoinPath(root.c_str(), item.name), inner, error);
        for (const FolderItem& file : inner) {
            ReadWholeFile(JoinPath(JoinPath(root.c_str(), item.name), file.name), 1LL << 40, bytes, tooLarge, error);
            files.push_back({item.name.str(), file.name.str(), bytes});
        }
    }
    return files;
}

// The floor of an export: folders made, each file written beside and renamed into place.
void WriteBare(const std::wstring& root, const std::vector<ExportedFile>& files)
{
    ::CreateDirectoryW(root.c_str(), nullptr);
    std::wstring lastFolder;
    for (const ExportedFile& file : files) {
        const std::wstring folder = file.folder.empty() ? root : root + L"\\" + file.folder;
        if (folder != lastFolder) ::CreateDirectoryW(folder.c_str(), nullptr);
        lastFolder = folder;
        const std::wstring temporary = folder + L"\\~qb1.tmp";
        HANDLE handle = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) throw std::runtime_error("floor: cannot create a file");
        DWORD written = 0;
        ::WriteFile(handle, file.bytes.data(), static_cast<DWORD>(file.bytes.size()), &written, nullptr);
        ::CloseHandle(handle);
        ::MoveFileExW(temporary.c_str(), (folder + L"\\" + file.name).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
}

// The floor of an import's reading: every file read whole with bare calls.
size_t ReadBare(const std::wstring& root, const std::vector<ExportedFile>& files)
{
    size_t total = 0;
    std::string buffer;
    for (const ExportedFile& file : files) {
        const std::wstring path = (file.folder.empty() ? root : root + L"\\" + file.folder) + L"\\" + file.name;
        HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (handle == INVALID_HANDLE_VALUE) throw std::runtime_error("floor: cannot read a file");
        buffer.resize(static_cast<size_t>(::GetFileSize(handle, nullptr)));
        DWORD read = 0;
        ::ReadFile(handle, &buffer[0], static_cast<DWORD>(buffer.size()), &read, nullptr);
        ::CloseHandle(handle);
        total += read;
    }
    return total;
}

// An empty note database at `path`, made through the installer and the schema statements.
void MakeEmptyNoteDatabase(const std::wstring& path)
{
    ::DeleteFileW(path.c_str());
    if (!RequestNoteDatabaseFile(path.c_str())) throw std::runtime_error("cannot create a note database");
    COdbcConnection connection;
    connection.Connect(BuildConnectString(path.c_str()).Mid(5).str());
    for (const wchar_t* statement : kSchemaStatements) connection.Execute(statement);
}

// The floor's statement: the import's own, its values written in as quoted
// constants, as a bare program with no parameters would send them.
std::wstring WithQuotedValues(const SqlStatement& statement)
{
    std::wstring sql;
    size_t next = 0;
    for (const wchar_t ch : statement.sql.str()) {
        if (ch != L'?' || next >= statement.parameters.Values().size()) {
            sql += ch;
            continue;
        }
        const CDBParameters::Value& value = statement.parameters.Values()[next++];
        sql += value.kind == CDBParameters::Kind::Null ? std::wstring(L"NULL") : L"'" + QuoteSqlText(value.text).str() + L"'";
    }
    return sql;
}

void Open(CDatabase& database, const std::wstring& path)
{
    database.Open(nullptr, FALSE, FALSE, BuildConnectString(path.c_str()), TRUE);
}

int Run(const Options& options)
{
    const std::wstring ourExport = options.folder + L"\\ours";
    const std::wstring floorExport = options.folder + L"\\floor";
    const std::wstring emptyDatabase = options.folder + L"\\import.mdb";
    storetest::RemoveFolderTree(ourExport);
    storetest::RemoveFolderTree(floorExport);
    ::CreateDirectoryW(options.folder.c_str(), nullptr);

    CDatabase source;
    Open(source, options.database);
    Timings exportTimes, importTimes;
    std::vector<ExportedFile> files;
    std::vector<std::wstring> inserts;
    for (int run = 0; run <= options.runs; ++run) {  // run 0 warms up
        storetest::RemoveFolderTree(ourExport);
        ::CreateDirectoryW(ourExport.c_str(), nullptr);
        ResetPeakWorkingSet();
        double start = NowMs();
        const ExchangeOutcome exported = ExportNoteDatabase(source, ourExport.c_str(), nullptr);
        const double ours = NowMs() - start;
        exportTimes.peakBytes = std::max(exportTimes.peakBytes, PeakWorkingSet());
        if (!exported.ok) throw std::runtime_error("export failed: " + ToUtf8(exported.message));
        if (files.empty()) files = ReadExport(ourExport);
        storetest::RemoveFolderTree(floorExport);
        start = NowMs();
        WriteBare(floorExport, files);
        const double floor = NowMs() - start;
        if (run > 0) {
            exportTimes.ours.push_back(ours);
            exportTimes.floor.push_back(floor);
        }
        std::fprintf(stderr, "bench: export, %d notes: %.1f ms, floor %.1f ms\n", options.notes, ours, floor);

        MakeEmptyNoteDatabase(emptyDatabase);
        CDatabase target;
        Open(target, emptyDatabase);
        ResetPeakWorkingSet();
        start = NowMs();
        ImportPlan plan;
        ExchangeOutcome imported = PlanNoteImport(target, ourExport.c_str(), plan, nullptr);
        if (imported.ok) imported = ApplyNoteImport(target, plan, nullptr);
        const double oursImport = NowMs() - start;
        importTimes.peakBytes = std::max(importTimes.peakBytes, PeakWorkingSet());
        target.Close();
        if (!imported.ok) throw std::runtime_error("import failed: " + ToUtf8(imported.message));
        if (plan.Count(ImportAction::Add) != options.notes) throw std::runtime_error("the import did not add every note");
        if (inserts.empty()) {
            for (const ImportGroupStep& step : plan.groups) inserts.push_back(WithQuotedValues(BuildImportGroupStatement(step)));
            for (const ImportNoteStep& step : plan.notes) inserts.push_back(WithQuotedValues(BuildImportNoteStatement(step)));
        }
        MakeEmptyNoteDatabase(emptyDatabase);
        COdbcConnection bare;
        bare.Connect(BuildConnectString(emptyDatabase.c_str()).Mid(5).str());
        start = NowMs();
        ReadBare(ourExport, files);
        ::SQLSetConnectAttrW(bare.Handle(), SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_AUTOCOMMIT_OFF)), SQL_IS_UINTEGER);
        for (const std::wstring& insert : inserts) bare.Execute(insert);
        ::SQLEndTran(SQL_HANDLE_DBC, bare.Handle(), SQL_COMMIT);
        const double floorImport = NowMs() - start;
        bare.Disconnect();
        if (run > 0) {
            importTimes.ours.push_back(oursImport);
            importTimes.floor.push_back(floorImport);
        }
        std::fprintf(stderr, "bench: import, %d notes: %.1f ms, floor %.1f ms\n", options.notes, oursImport, floorImport);
    }
    Print("export", options.notes, exportTimes);
    Print("import", options.notes, importTimes);
    storetest::RemoveFolderTree(ourExport);
    storetest::RemoveFolderTree(floorExport);
    ::DeleteFileW(emptyDatabase.c_str());
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    Options options;
    std::wstring value;
    for (int i = 1; i < argc; ++i) {
        if (ParseOption(argv[i], L"--db", value)) options.database = value;
        else if (ParseOption(argv[i], L"--folder", value)) options.folder = value;
        else if (ParseOption(argv[i], L"--notes", value)) options.notes = std::stoi(value);
        else if (ParseOption(argv[i], L"--runs", value)) options.runs = std::stoi(value);
        else if (std::wstring(argv[i]) == L"--sync") options.sync = true;
    }
    if (options.database.empty() || options.folder.empty()) {
        std::fprintf(stderr, "usage: QuillboxBenchExchange --db=<note database> --folder=<scratch folder> --notes=<N> [--runs=5] [--sync]\n");
        return 2;
    }
    try {
        if (options.sync) {
            RunSyncScenarios(options.database, options.folder, options.notes, options.runs);
            return 0;
        }
        return Run(options);
    } catch (const std::exception& e) {
        std::printf("FAILED\t%d\texchange: %s\n", options.notes, e.what());
        return 1;
    } catch (CDBException* e) {
        const CThrownException<CDBException> caught(e);
        std::printf("FAILED\t%d\texchange: %s\n", options.notes, ToUtf8(e->m_strError).c_str());
        return 1;
    }
}
