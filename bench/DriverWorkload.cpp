// CDriverWorkload: one pass of the driver scenario through plain ODBC.
#include "bench/DriverWorkload.h"

#include "bench/Clock.h"
#include "bench/OdbcConnection.h"
#include "bench/OdbcStatement.h"

#include <cwchar>
#include <stdexcept>

namespace {

// FNV-1a over what was read.
class CChecksum {
public:
    void Add(int value) { Bytes(&value, sizeof value); }
    void Add(const std::wstring& text)
    {
        Add(static_cast<int>(text.size()));
        for (wchar_t c : text) Add(static_cast<int>(c));
    }
    std::uint32_t Value() const { return m_hash; }

private:
    void Bytes(const void* data, size_t size)
    {
        for (size_t i = 0; i < size; ++i) m_hash = (m_hash ^ static_cast<const unsigned char*>(data)[i]) * 16777619u;
    }
    std::uint32_t m_hash = 2166136261u;
};

} // namespace

DriverRun CDriverWorkload::Run() const
{
    DriverRun run;
    CChecksum checksum;
    const double start = NowMs();
    COdbcConnection database;
    database.Connect(m_connect);
    std::wstring a, b, c;
    {
        COdbcStatement groups(database);
        groups.Execute(kBenchGroupList);
        while (groups.Fetch()) {
            checksum.Add(groups.GetShort(1));
            groups.GetText(2, a);
            checksum.Add(a);
            ++run.rowsRead;
        }
    }
    {
        COdbcStatement catalogue(database);
        catalogue.Execute(kBenchCatalogue);
        while (catalogue.Fetch()) {
            checksum.Add(catalogue.GetShort(1));
            checksum.Add(catalogue.GetShort(2));
            catalogue.GetText(3, a);
            catalogue.GetText(4, b);
            catalogue.GetText(5, c);
            checksum.Add(a);
            checksum.Add(b);
            checksum.Add(c);
            ++run.rowsRead;
        }
    }
    run.readMs = NowMs() - start;
    {
        COdbcStatement search(database);
        search.Execute(m_search);
        while (search.Fetch()) {
            checksum.Add(search.GetShort(1));
            search.GetText(4, a);
            search.GetText(5, b);
            checksum.Add(a);
            checksum.Add(b);
            ++run.rowsRead;
        }
    }
    run.searchMs = NowMs() - start - run.readMs;
    for (const NewNote& note : m_notes) {
        {
            COdbcStatement next(database);
            next.Execute(kBenchNextNoteId);
            if (!next.Fetch()) throw std::runtime_error("no next id");
            next.GetText(1, a);
        }
        const int id = static_cast<int>(std::wcstol(a.c_str(), nullptr, 10));
        checksum.Add(id);
        database.Execute(BenchInsertStatement(id, note));
    }
    database.Disconnect();
    run.ms = NowMs() - start;
    run.writeMs = run.ms - run.readMs - run.searchMs;
    run.checksum = checksum.Value();
    return run;
}
