// QuillboxTour.exe <note database> <output folder>: loads Quillbox.dll
// through the host contract, runs its command and, from a second thread,
// opens the note database through File, Open as a user would, then saves
// screenshots of the list with expanded groups, the View page showing a
// note, the Edit page and the Group Edit page, then exports the notes into a
// folder, adds a note file there and captures the import's summary. Each <name>.bmp is the whole
// screen; <name>.crop beside it holds the dialog's rectangle (WxH+X+Y).
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <functional>
#include <string>
#include <thread>

#include "host/HostObjects.h"
#include "host/PluginModule.h"
#include "host/PluginSlots.h"
#include "host/ScreenCapture.h"

namespace {

constexpr int kFileOpen = 32782;
constexpr int kFileExit = 32774;
constexpr int kFileExport = 32786;
constexpr int kFileImport = 32787;
constexpr int kTab = 1007;
constexpr int kNoteList = 1020;
constexpr int kGroupCombo = 1015;
constexpr int kGroupSave = 1016;
constexpr DWORD kPatienceMs = 30000;

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    ::SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

struct WindowSearch {
    const wchar_t* className;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId() || !::IsWindowVisible(window)) return TRUE;
    if (ClassOf(window) != search->className || (search->caption && TextOf(window) != search->caption)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindTopLevel(const wchar_t* className, const wchar_t* caption)
{
    WindowSearch search = {className, caption, nullptr};
    ::EnumWindows(&MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopLevel(const wchar_t* className, const wchar_t* caption)
{
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < kPatienceMs; ::Sleep(50)) {
        if (HWND found = FindTopLevel(className, caption)) return found;
    }
    return nullptr;
}

BOOL CALLBACK MatchPage(HWND window, LPARAM param)
{
    if (ClassOf(window) == L"#32770" && ::GetDlgItem(window, kGroupSave)) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

HWND GroupEditPage(HWND dialog)
{
    HWND page = nullptr;
    ::EnumChildWindows(dialog, &MatchPage, reinterpret_cast<LPARAM>(&page));
    return page;
}

int FindRow(HWND list, const wchar_t* text)
{
    const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        wchar_t cell[256] = {};
        LVITEMW item = {};
        item.pszText = cell;
        item.cchTextMax = 256;
        ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        if (std::wstring(cell) == text) return row;
    }
    return -1;
}

// A click, or a double-click, on the middle of a row's text.
void ClickRow(HWND list, const wchar_t* text, bool twice)
{
    const int row = FindRow(list, text);
    if (row < 0) {
        std::fwprintf(stderr, L"no row %ls\n", text);
        return;
    }
    ::SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
    RECT label = {};
    label.left = LVIR_LABEL;
    ::SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&label));
    const LPARAM at = MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2);
    ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(list, WM_LBUTTONUP, 0, at);
    if (!twice) return;
    ::SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::SendMessageW(list, WM_LBUTTONUP, 0, at);
}

bool Capture(HWND dialog, const std::wstring& folder, const wchar_t* name)
{
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::Sleep(500);  // let the desktop's own drawing settle before the copy
    RECT window = {};
    ::GetWindowRect(dialog, &window);
    const std::wstring base = folder + L"\\" + name;
    FILE* crop = _wfopen((base + L".crop").c_str(), L"w");
    if (!crop) return false;
    std::fprintf(crop, "%ldx%ld+%ld+%ld\n", window.right - window.left, window.bottom - window.top, window.left, window.top);
    std::fclose(crop);
    const bool saved = SaveScreenToBitmap((base + L".bmp").c_str());
    std::fwprintf(stdout, L"%ls %ls\n", saved ? L"saved" : L"could not save", (base + L".bmp").c_str());
    return saved;
}

// A File command that asks for a folder: chooses `folder` in the picker's tree.
bool ChooseFolder(HWND dialog, int command, const std::wstring& folder)
{
    ::PostMessageW(dialog, WM_COMMAND, command, 0);
    HWND picker = nullptr;
    for (DWORD start = ::GetTickCount(); !picker && ::GetTickCount() - start < kPatienceMs; ::Sleep(50)) {
        HWND candidate = FindTopLevel(L"#32770", nullptr);
        if (candidate && candidate != dialog && ::FindWindowExW(candidate, nullptr, L"SysTreeView32", nullptr)) picker = candidate;
    }
    if (!picker) {
        std::fwprintf(stderr, L"no folder picker\n");
        return false;
    }
    ::SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    ::PostMessageW(picker, WM_COMMAND, IDOK, 0);
    return true;
}

// The box an export or import ends with (its caption is the dialog's).
HWND WaitForBox(HWND dialog)
{
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < kPatienceMs; ::Sleep(50)) {
        HWND box = FindTopLevel(L"#32770", L"Quillbox");
        if (box && box != dialog) return box;
    }
    return nullptr;
}

bool CaptureImportSummary(HWND dialog, const std::wstring& folder)
{
    const std::wstring notes = folder + L"\\tour notes";
    ::CreateDirectoryW(notes.c_str(), nullptr);
    if (!ChooseFolder(dialog, kFileExport, notes)) return false;
    HWND done = WaitForBox(dialog);
    if (!done) {
        std::fwprintf(stderr, L"no box after the export\n");
        return false;
    }
    ::PostMessageW(done, WM_COMMAND, IDOK, 0);
    for (DWORD start = ::GetTickCount(); ::IsWindow(done) && ::GetTickCount() - start < kPatienceMs;) ::Sleep(50);
    // A note from another tool, dropped into a group's folder.
    FILE* file = _wfopen((notes + L"\\Orders\\Orders by region.sql").c_str(), L"wb");
    if (!file) return false;
    std::fputs("SELECT region, Count(*) FROM orders GROUP BY region\n", file);
    std::fclose(file);
    if (!ChooseFolder(dialog, kFileImport, notes)) return false;
    HWND summary = WaitForBox(dialog);
    if (!summary) return false;
    const bool ok = Capture(summary, folder, L"quillbox-import");
    ::PostMessageW(summary, WM_COMMAND, IDCANCEL, 0);
    for (DWORD start = ::GetTickCount(); ::IsWindow(summary) && ::GetTickCount() - start < kPatienceMs;) ::Sleep(50);
    return ok;
}

bool Tour(const std::wstring& database, const std::wstring& folder)
{
    HWND dialog = WaitForTopLevel(L"#32770", L"Quillbox");
    if (!dialog) return false;

    ::PostMessageW(dialog, WM_COMMAND, kFileOpen, 0);
    HWND open = WaitForTopLevel(L"#32770", L"Open");
    if (!open) return false;
    ::SendMessageW(::GetDlgItem(open, 1148), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(database.c_str()));
    ::PostMessageW(open, WM_COMMAND, IDOK, 0);
    HWND list = ::GetDlgItem(dialog, kNoteList);
    for (DWORD start = ::GetTickCount(); ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 0; ::Sleep(50)) {
        if (::GetTickCount() - start > kPatienceMs) return false;
    }

    bool ok = true;
    ClickRow(list, L"Orders", true);
    ClickRow(list, L"Open orders", false);
    ::SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
    ok = Capture(dialog, folder, L"quillbox-list") && ok;

    ClickRow(list, L"Open orders", true);
    HWND tab = ::GetDlgItem(dialog, kTab);
    ::SendMessageW(tab, TCM_SETCURFOCUS, 0, 0);
    ok = Capture(dialog, folder, L"quillbox-view") && ok;
    ::SendMessageW(tab, TCM_SETCURFOCUS, 1, 0);
    ok = Capture(dialog, folder, L"quillbox-edit") && ok;

    ::SendMessageW(tab, TCM_SETCURFOCUS, 2, 0);
    if (HWND page = GroupEditPage(dialog)) {
        HWND combo = ::GetDlgItem(page, kGroupCombo);
        const LRESULT index = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"Reports"));
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(kGroupCombo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    }
    ok = Capture(dialog, folder, L"quillbox-group-edit") && ok;
    ok = CaptureImportSummary(dialog, folder) && ok;
    ::PostMessageW(dialog, WM_COMMAND, kFileExit, 0);
    return ok;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::fwprintf(stderr, L"usage: QuillboxTour <note database> <output folder>\n");
        return 2;
    }
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&init);
    PluginModule module(L"Quillbox.dll");
    void* pluginInterface = module.GetPluginInterface();
    if (!pluginInterface) {
        std::fwprintf(stderr, L"Quillbox.dll could not be loaded\n");
        return 1;
    }
    HostLink link;
    link.m_resultsAllowed = 1;
    HostContext context(&link);
    HostObject host(&context);
    PluginSlots slots(pluginInterface);
    slots.SetHost(&host);

    bool toured = false;
    std::thread script([&] {
        toured = Tour(argv[1], argv[2]);
        if (toured) return;
        // Whatever went wrong, the dialog must end so that Execute returns.
        std::fwprintf(stderr, L"the tour did not finish\n");
        if (HWND open = FindTopLevel(L"#32770", L"Open")) ::PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
        if (HWND dialog = WaitForTopLevel(L"#32770", L"Quillbox")) ::PostMessageW(dialog, WM_COMMAND, kFileExit, 0);
    });
    slots.Execute();
    script.join();
    return toured ? 0 : 1;
}
