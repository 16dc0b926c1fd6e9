// QuillboxBenchParts.exe: where the dialog's time goes, part by part. Times
// the note store's row sources (the framework's CRecordset reading every
// row, handing it to a receiver that does nothing) against the same
// statements read with bare ODBC calls, on one note database. A diagnostic
// of the benchmark (docs/PERFORMANCE.md), not part of its table.
//
//   QuillboxBenchParts.exe <note database path> [runs]
#include "bench/BenchSql.h"
#include "bench/Clock.h"
#include "bench/OdbcConnection.h"
#include "bench/OdbcStatement.h"
#include "framework/CDatabase.h"
#include "framework/CDBException.h"
#include "framework/ThrownException.h"
#include "store/records/CatalogueRows.h"
#include "store/records/NoteRecords.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

template <class Row>
class CIgnoreRows : public CRowReceiver<Row> {
public:
    void OnRow(Row&&) override { ++m_rows; }
    int m_rows = 0;
};

double MedianOf(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    work();
    for (int i = 0; i < runs; ++i) {
        const double start = NowMs();
        work();
        times.push_back(NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int BareRead(COdbcConnection& connection, const std::wstring& sql, int textColumns[], int texts, int idColumns[], int ids)
{
    COdbcStatement statement(connection);
    statement.Execute(sql);
    std::wstring text;
    int rows = 0;
    while (statement.Fetch()) {
        for (int i = 0; i < ids; ++i) statement.GetShort(static_cast<SQLUSMALLINT>(idColumns[i]));
        for (int i = 0; i < texts; ++i) statement.GetText(static_cast<SQLUSMALLINT>(textColumns[i]), text);
        ++rows;
    }
    return rows;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: QuillboxBenchParts <note database path> [runs]\n");
        return 2;
    }
    const std::wstring path = argv[1];
    const int runs = argc > 2 ? std::stoi(argv[2]) : 5;
    try {
        CDatabase database;
        database.Open(nullptr, FALSE, FALSE, (L"ODBC;" + NoteConnectString(path)).c_str(), TRUE);
        COdbcConnection bare;
        bare.Connect(NoteConnectString(path));

        SearchScope name;
        SearchScope sequel;
        sequel.inSequel = true;
        int rows = 0;
        std::printf("part\tstore ms\tbare ms\tratio\trows\n");
        auto report = [&](const char* part, double store, double floor) {
            std::printf("%s\t%.1f\t%.1f\t%.2f\t%d\n", part, store, floor, store / floor, rows);
        };
        {
            const double store = MedianOf(runs, [&] { CIgnoreRows<CatalogueRow> r; ReadCatalogue(database, r); rows = r.m_rows; });
            int texts[] = {3, 4, 5}, ids[] = {1, 2};
            const double floor = MedianOf(runs, [&] { BareRead(bare, kBenchCatalogue, texts, 3, ids, 2); });
            report("ReadCatalogue", store, floor);
        }
        {
            const double store = MedianOf(runs, [&] { CIgnoreRows<GroupRow> r; ReadGroupList(database, r); rows = r.m_rows; });
            int texts[] = {2}, ids[] = {1};
            const double floor = MedianOf(runs, [&] { BareRead(bare, kBenchGroupList, texts, 1, ids, 1); });
            report("ReadGroupList", store, floor);
        }
        {
            const double store = MedianOf(runs, [&] { CIgnoreRows<SearchRow> r; RunSearch(database, L"%", name, r); rows = r.m_rows; });
            int texts[] = {4, 5}, ids[] = {1};
            const double floor = MedianOf(runs, [&] { BareRead(bare, BenchSearchStatement(L"%", SearchColumn::Name), texts, 2, ids, 1); });
            report("RunSearch %", store, floor);
        }
        {
            const double store = MedianOf(runs, [&] { CIgnoreRows<SearchRow> r; RunSearch(database, L"quillwort", sequel, r); rows = r.m_rows; });
            int texts[] = {4, 5}, ids[] = {1};
            const double floor = MedianOf(runs, [&] { BareRead(bare, BenchSearchStatement(L"quillwort", SearchColumn::Query), texts, 2, ids, 1); });
            report("RunSearch rare", store, floor);
        }
        {
            // Saving new notes: the Edit page's two statements through the store, and bare.
            int firstId = 0;
            {
                COdbcStatement next(bare);
                next.Execute(kBenchNextNoteId);
                std::wstring text;
                if (next.Fetch()) next.GetText(1, text);
                firstId = std::stoi(text);
            }
            const std::vector<NewNote> notes = MakeNewNotes(200, std::vector<int>{0});
            const std::wstring cleanUp = L"DELETE FROM notes WHERE id>=" + std::to_wstring(firstId);
            rows = static_cast<int>(notes.size());
            const double store = MedianOf(runs, [&] {
                for (const NewNote& n : notes) {
                    NoteRecord record;
                    record.groupId = n.groupId;
                    record.name = n.title.c_str();
                    record.comments = n.comments.c_str();
                    record.query = n.query.c_str();
                    if (!NextNoteId(database, record.id) || !InsertNote(database, record)) throw std::runtime_error("save failed");
                }
                bare.Execute(cleanUp);
            });
            const double floor = MedianOf(runs, [&] {
                for (const NewNote& n : notes) {
                    COdbcStatement next(bare);
                    next.Execute(kBenchNextNoteId);
                    std::wstring text;
                    if (next.Fetch()) next.GetText(1, text);
                    bare.Execute(BenchInsertStatement(std::stoi(text), n));
                }
                bare.Execute(cleanUp);
            });
            report("Save (NextNoteId, InsertNote)", store, floor);
            const double nextOnly = MedianOf(runs, [&] {
                for (size_t i = 0; i < notes.size(); ++i) {
                    int id = 0;
                    NextNoteId(database, id);
                }
            });
            const double bareNextOnly = MedianOf(runs, [&] {
                for (size_t i = 0; i < notes.size(); ++i) {
                    COdbcStatement next(bare);
                    next.Execute(kBenchNextNoteId);
                    std::wstring text;
                    if (next.Fetch()) next.GetText(1, text);
                }
            });
            report("NextNoteId alone", nextOnly, bareNextOnly);
        }
    } catch (CDBException* e) {
        const CThrownException<CDBException> caught(e);
        std::fprintf(stderr, "QuillboxBenchParts: %ls\n", e->m_strError.GetString());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "QuillboxBenchParts: %s\n", e.what());
        return 1;
    }
    return 0;
}
