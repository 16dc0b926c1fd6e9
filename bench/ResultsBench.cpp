// CResultsBench: the Results page's scenarios against their bare floors.
#include "bench/ResultsBench.h"

#include "bench/BareVirtualList.h"
#include "bench/Clock.h"
#include "bench/ListPaintWatch.h"
#include "bench/Median.h"
#include "bench/OdbcConnection.h"
#include "bench/ProcessMemory.h"
#include "bench/ResultFloors.h"
#include "bench/UiAgent.h"
#include "run/ResultRows.h"
#include "tests/support/DialogDriver.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>

using namespace dialogdriver;

namespace {

constexpr DWORD kLongestWaitMs = 10 * 60 * 1000;
constexpr double kMiB = 1024.0 * 1024.0;

int ListCount(HWND list) { return static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

} // namespace

void CResultsBench::Check(bool ok, const std::string& what)
{
    if (!ok) m_failures.push_back(what);
}

void CResultsBench::Run(HWND dialog)
{
    const Pages pages = FindPages(dialog);
    HWND list = ::GetDlgItem(pages.results, IDC_RESULTS_LIST);
    if (!pages.view || !list || !::IsWindowEnabled(::GetDlgItem(pages.view, IDC_VIEW_EXECUTE))) {
        Check(false, "no View page with an enabled Execute button, or no Results list");
        return;
    }
    SetRunSource(dialog, m_options.source);
    SetItemText(pages.view, IDC_VIEW_QUERY, m_options.sql);

    COdbcConnection connection;
    CResultFloors floors(connection);
    CBareVirtualList floorList;
    CListPaintWatch watch;
    std::unique_ptr<ResultRows> floorRows;
    try {
        m_agent.Run([&] {
            connection.Connect(m_options.source);
            watch.SetTrace(m_options.trace);
            if (!watch.Install(list)) throw std::runtime_error("the Results list could not be watched");
            RECT bounds;
            ::GetWindowRect(dialog, &bounds);
            if (!floorList.Create(list, bounds.right + 8, bounds.top)) throw std::runtime_error("the floor's list could not be made");
        });
    } catch (const std::exception& e) {
        Check(false, e.what());
        return;
    }

    const int perPage = static_cast<int>(::SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
    const int screen = std::min(perPage, m_options.rows);
    // Execute until the first screen is drawn; the run then stays open on its rows.
    const auto dialogFirstScreen = [&]() -> double {
        watch.Arm(screen, false, true);
        const double start = NowMs();
        if (!PostClick(pages.view, IDC_VIEW_EXECUTE)) throw std::runtime_error("Execute took no click");
        const double drawn = watch.Wait(kLongestWaitMs);
        if (drawn < 0) throw std::runtime_error("the first screen was never drawn");
        if (m_options.trace) std::fprintf(stderr, "first screen, %d rows: %s\n", m_options.rows, watch.TakeTrace(start).c_str());
        WaitForRunEnd(dialog, kLongestWaitMs);
        return drawn - start;
    };
    const auto dialogToEnd = [&]() -> double {
        watch.Arm(m_options.rows, true, false);
        const double start = NowMs();
        PostKey(list, VK_END);
        const double drawn = watch.Wait(kLongestWaitMs);
        if (drawn < 0) throw std::runtime_error("the last row was never drawn");
        WaitForRunEnd(dialog, kLongestWaitMs);
        return drawn - start;
    };
    const auto floorFirstScreen = [&] {
        double ms = 0;
        m_agent.Run([&] { ms = floors.FirstScreen(m_options.sql, floorList); });
        return ms;
    };
    const auto floorToEnd = [&] {
        double ms = 0;
        m_agent.Run([&] { ms = floors.FetchAll(m_options.sql, floorRows); });
        const bool whole = floorRows && static_cast<int>(floorRows->RowCount()) == m_options.rows;
        floorRows.reset();
        if (!whole) throw std::runtime_error("the floor read another number of rows");
        return ms;
    };

    try {
        // The warm-up connects the dialog (its first Execute) and reads both sides once.
        dialogFirstScreen();
        floorFirstScreen();
        Check(ResultColumns(dialog) == std::vector<std::wstring>({L"id", L"name", L"body", L"amount", L"day"}),
              "the Results list's columns are not the table's");
        // First screens while the dialog's results before held only their first rows.
        Scenario first{"results first screen", {}, {}};
        for (int run = 0; run < m_options.runs; ++run) {
            const bool dialogFirst = run % 2 == 0;
            if (!dialogFirst) first.floor.push_back(floorFirstScreen());
            first.dialog.push_back(dialogFirstScreen());
            if (dialogFirst) first.floor.push_back(floorFirstScreen());
        }
        m_scenarios.push_back(first);

        // The dialog's memory for the whole result, before any floor has read it in this process.
        const size_t before = CurrentWorkingSet();
        ResetPeakWorkingSet();
        dialogFirstScreen();
        dialogToEnd();
        Check(ListCount(list) == m_options.rows, "the Results list does not hold every row at the end");
        m_growthMiB = (PeakWorkingSet() - std::min(before, PeakWorkingSet())) / kMiB;

        // Each End reads a fresh result (its Execute untimed) to the last row.
        Scenario end{"results to the last row", {}, {}};
        for (int run = 0; run < m_options.runs; ++run) {
            dialogFirstScreen();
            const bool dialogFirst = run % 2 == 0;
            if (!dialogFirst) end.floor.push_back(floorToEnd());
            end.dialog.push_back(dialogToEnd());
            if (dialogFirst) end.floor.push_back(floorToEnd());
        }
        m_scenarios.push_back(end);
    } catch (const std::exception& e) {
        Check(false, e.what());
    }
    m_agent.Run([&] {
        watch.Remove();
        connection.Disconnect();
    });
}

void CResultsBench::Print(std::FILE* out) const
{
    for (const Scenario& s : m_scenarios) {
        std::fprintf(out, "RESULTS\t%s\t%d\t%.2f\t%.2f\t%.3f\n", s.name.c_str(), m_options.rows, Median(s.dialog), Median(s.floor),
                     MedianPairRatio(s.dialog, s.floor));
    }
    if (m_growthMiB >= 0) std::fprintf(out, "RESULTSMEMORY\t%d\tdialog\t%.1f\n", m_options.rows, m_growthMiB);
    for (const std::string& failure : m_failures) std::fprintf(out, "FAILED\t%s\n", failure.c_str());
}

double MeasureFloorMemory(const ResultsBenchOptions& options)
{
    COdbcConnection connection;
    connection.Connect(options.source);
    CResultFloors floors(connection);
    std::unique_ptr<ResultRows> rows;
    const size_t before = CurrentWorkingSet();
    ResetPeakWorkingSet();
    floors.FetchAll(options.sql, rows);
    if (!rows || static_cast<int>(rows->RowCount()) != options.rows) throw std::runtime_error("the floor read another number of rows");
    return (PeakWorkingSet() - std::min(before, PeakWorkingSet())) / kMiB;
}
