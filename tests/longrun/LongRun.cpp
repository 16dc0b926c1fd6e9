// CLongRun: the cycles, the script of one cycle and the reading after it.
#include "tests/longrun/LongRun.h"

#include "bench/Clock.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/HostedDialog.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

constexpr size_t kInjectedBytes = 64 * 1024;

// How many live GDI objects there are of each described kind.
std::map<std::string, int> GdiObjectKinds()
{
    std::map<std::string, int> kinds;
    for (HGDIOBJ object : LiveGdiHandles()) ++kinds[DescribeGdiObject(object)];
    return kinds;
}

} // namespace

std::wstring CLongRun::NoteName(int noteId)
{
    wchar_t name[32];
    std::swprintf(name, 32, L"longrun note %04d", noteId);
    return name;
}

std::wstring CLongRun::OriginalQuery(int noteId) { return L"SELECT * FROM orders WHERE id=" + std::to_wstring(noteId); }

std::wstring CLongRun::EditedQuery(int noteId, int cycle)
{
    return OriginalQuery(noteId) + L" AND cycle=" + std::to_wstring(cycle) + L" -- changed by the long run";
}

void CLongRun::Run(void* pluginInterface)
{
    dialogdriver::Host host;

    m_before = ReadResourceCounts();
    m_records.reserve(static_cast<size_t>(m_cycles));
    int drifts = 0;
    for (int cycle = 1; cycle <= m_cycles && m_failures.empty(); ++cycle) {
        const double start = NowMs();
        const dialogdriver::HostedRun run = dialogdriver::RunHostedDialog(pluginInterface, host, [this, cycle](HWND dialog) {
            try {
                EditOneNote(cycle, dialog);
            } catch (const std::exception& e) {
                m_failures.push_back("cycle " + std::to_string(cycle) + ": " + e.what());
            }
        });
        if (!run.dialogShown) m_failures.push_back("cycle " + std::to_string(cycle) + ": the Quillbox dialog did not appear");
        if (m_leakEvery > 0 && cycle % m_leakEvery == 0) {
            ::CreateSolidBrush(RGB(cycle % 256, 0, 0));
            ::CreateMenu();
            if (void* block = ::HeapAlloc(::GetProcessHeap(), 0, kInjectedBytes)) std::memset(block, 1, kInjectedBytes);
        }
        CycleRecord record;
        record.cycle = cycle;
        record.ms = NowMs() - start;
        record.counts = ReadResourceCounts();
        m_records.push_back(record);
        std::map<std::string, int> kinds = GdiObjectKinds();
        if (cycle > m_warmUpCycles && record.counts.gdiObjects != m_records[m_records.size() - 2].counts.gdiObjects && drifts < 10) {
            ++drifts;
            for (const auto& kind : m_gdiKindsBefore) kinds.emplace(kind.first, 0);
            for (const auto& kind : kinds) {
                const auto before = m_gdiKindsBefore.find(kind.first);
                const int was = before == m_gdiKindsBefore.end() ? 0 : before->second;
                if (was != kind.second) {
                    m_gdiDifferences.push_back("cycle " + std::to_string(cycle) + ": " + kind.first + " " + std::to_string(was) + " -> " +
                                               std::to_string(kind.second));
                }
            }
        }
        m_gdiKindsBefore.swap(kinds);
        // File, Exit ends the dialog with OK.
        if (!run.executed && m_failures.empty()) m_failures.push_back("cycle " + std::to_string(cycle) + ": Execute returned false after File, Exit");
    }
}

void CLongRun::EditOneNote(int cycle, HWND dialog)
{
    using namespace dialogdriver;
    auto require = [](bool ok, const std::string& what) {
        if (!ok) throw std::runtime_error(what);
    };
    const CommandResult opened = OpenFile(dialog, m_databasePath);
    require(opened.boxes.empty(), "File, Open showed " + Describe(opened.boxes));
    require(!ListRows(dialog).empty(), "the list is empty after File, Open");

    const int noteId = NoteIdOfCycle(cycle);
    const std::wstring name = NoteName(noteId);
    const Boxes found = Find(dialog, name);
    require(found.empty(), "Find showed " + Describe(found));
    const std::vector<std::wstring> rows = RowNames(dialog);
    require(rows.size() == 1 && rows[0] == name, "Find \"" + Narrow(name) + "\" listed " + std::to_string(rows.size()) + " rows, the first \"" +
                                                     Narrow(rows.empty() ? std::wstring() : rows[0]) + "\"");

    const Boxes shownBoxes = DoubleClickRow(dialog, 0);
    require(shownBoxes.empty(), "showing the note showed " + Describe(shownBoxes));
    const TypedNote shown = EditPageNote(dialog);
    require(shown.title == name, "the Edit page holds \"" + Narrow(shown.title) + "\" after the double-click");
    require(shown.query == OriginalQuery(noteId), "the Edit page shows the query \"" + Narrow(shown.query) + "\"");

    HWND edit = FindPages(dialog).edit;
    SetItemText(edit, IDC_EDIT_QUERY, EditedQuery(noteId, cycle));
    const Boxes saved = Click(edit, IDC_EDIT_SAVE);
    require(saved.empty(), "Save showed " + Describe(saved));
    ::PostMessageW(dialog, WM_COMMAND, ID_FILE_EXIT, 0);
}
