// CLongRun: the cycles, the script of one cycle and the reading after it.
#include "tests/longrun/LongRun.h"

#include "bench/Clock.h"
#include "bench/DialogDriver.h"
#include "bench/UiAgent.h"
#include "host/HostObjects.h"
#include "host/PluginSlots.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <thread>

namespace {

constexpr int kFileExit = 32774;
constexpr int kNoteList = 1020;
constexpr DWORD kDialogPatienceMs = 30000;
constexpr size_t kInjectedBytes = 64 * 1024;

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

BOOL CALLBACK CollectOwn(HWND window, LPARAM param)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<HWND> OwnVisibleTopLevel()
{
    std::vector<HWND> windows;
    ::EnumWindows(&CollectOwn, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// The main dialog: a visible "Quillbox" dialog with the note list in it
// (message boxes carry the same caption but have no list).
HWND WaitForMainDialog()
{
    const DWORD start = ::GetTickCount();
    do {
        for (HWND window : OwnVisibleTopLevel()) {
            wchar_t caption[32] = {};
            ::GetWindowTextW(window, caption, 32);
            if (ClassOf(window) == L"#32770" && std::wstring(caption) == L"Quillbox" && ::GetDlgItem(window, kNoteList)) return window;
        }
        ::Sleep(10);
    } while (::GetTickCount() - start < kDialogPatienceMs);
    return nullptr;
}

// After a failed step: cancels message boxes and file dialogs, so that Exit
// reaches the dialog's own loop, then ends the dialog.
void EndDialogAfterFailure(HWND dialog)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        HWND stray = nullptr;
        for (HWND window : OwnVisibleTopLevel()) {
            if (window != dialog && ClassOf(window) == L"#32770") stray = window;
        }
        if (!stray) break;
        ::PostMessageW(stray, WM_COMMAND, IDCANCEL, 0);
        ::Sleep(100);
    }
    ::PostMessageW(dialog, WM_COMMAND, kFileExit, 0);
}

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
    CUiAgent agent;
    if (!agent.Start()) {
        m_failures.push_back("the script's agent could not start on the host's thread");
        return;
    }
    HostLink link;
    HostContext context(&link);
    HostObject host(&context);
    PluginSlots slots(pluginInterface);
    slots.SetHost(&host);

    m_before = ReadResourceCounts();
    m_records.reserve(static_cast<size_t>(m_cycles));
    int drifts = 0;
    for (int cycle = 1; cycle <= m_cycles && m_failures.empty(); ++cycle) {
        const double start = NowMs();
        std::thread script([this, cycle, &agent] { Script(cycle, agent); });
        const bool executed = slots.Execute();
        script.join();
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
        if (!executed && m_failures.empty()) m_failures.push_back("cycle " + std::to_string(cycle) + ": Execute returned false after File, Exit");
    }
}

void CLongRun::Script(int cycle, CUiAgent& agent)
{
    HWND dialog = WaitForMainDialog();
    if (!dialog) {
        m_failures.push_back("cycle " + std::to_string(cycle) + ": the Quillbox dialog did not appear");
        return;
    }
    try {
        CDialogDriver driver(dialog, agent);
        agent.SetDrawnList(driver.List());
        EditOneNote(cycle, driver);
        driver.Exit();
    } catch (const std::exception& e) {
        m_failures.push_back("cycle " + std::to_string(cycle) + ": " + e.what());
        EndDialogAfterFailure(dialog);
    }
}

void CLongRun::EditOneNote(int cycle, CDialogDriver& dialog)
{
    auto require = [](bool ok, const std::string& what) {
        if (!ok) throw std::runtime_error(what);
    };
    dialog.Open(m_databasePath);
    require(dialog.OpenMessageBoxText().empty(), "File, Open showed a message: " + Narrow(dialog.OpenMessageBoxText()));
    require(dialog.RowCount() > 0, "the list is empty after File, Open");

    const int noteId = NoteIdOfCycle(cycle);
    const std::wstring name = NoteName(noteId);
    dialog.Find(name);
    require(dialog.OpenMessageBoxText().empty(), "Find showed a message: " + Narrow(dialog.OpenMessageBoxText()));
    require(dialog.RowCount() == 1 && dialog.RowText(0) == name,
            "Find \"" + Narrow(name) + "\" listed " + std::to_string(dialog.RowCount()) + " rows, the first \"" +
                Narrow(dialog.RowCount() > 0 ? dialog.RowText(0) : std::wstring()) + "\"");

    dialog.DoubleClickRow(0);
    require(dialog.OpenMessageBoxText().empty(), "showing the note showed a message: " + Narrow(dialog.OpenMessageBoxText()));
    const NewNote shown = dialog.EditPageNote();
    require(shown.title == name, "the Edit page holds \"" + Narrow(shown.title) + "\" after the double-click");
    require(shown.query == OriginalQuery(noteId), "the Edit page shows the query \"" + Narrow(shown.query) + "\"");

    dialog.SaveEditedQuery(EditedQuery(noteId, cycle));
    require(dialog.OpenMessageBoxText().empty(), "Save showed a message: " + Narrow(dialog.OpenMessageBoxText()));
}
