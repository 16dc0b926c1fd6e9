// QuillboxBench.exe: loads Quillbox.dll as a host does, runs its command
// (Execute) and, while the dialog is up, lets CBenchRunner drive it from a
// second thread. Prints one line per scenario; exit code 0 when every check held.
//
//   QuillboxBench.exe --db=<Windows path> --unix-db=<Unix path> --notes=<n>
//                     [--runs=5] [--saves=1000] [--rare=<word>]
//                     [--sqlite-driver=<odbcinst section> --sqlite-ext=<Unix path of the extension>]
#include "bench/BenchOptions.h"
#include "bench/BenchRunner.h"
#include "bench/UiAgent.h"
#include "host/HostObjects.h"
#include "host/PluginModule.h"
#include "host/PluginSlots.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <thread>

namespace {

bool ParseOption(const wchar_t* argument, const wchar_t* name, std::wstring& value)
{
    const size_t length = std::wcslen(name);
    if (std::wcsncmp(argument, name, length) != 0 || argument[length] != L'=') return false;
    value = argument + length + 1;
    return true;
}

bool ParseArguments(int argc, wchar_t** argv, BenchOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring value;
        if (ParseOption(argv[i], L"--db", options.database)) continue;
        if (ParseOption(argv[i], L"--unix-db", options.unixDatabase)) continue;
        if (ParseOption(argv[i], L"--rare", options.rareWord)) continue;
        if (ParseOption(argv[i], L"--sqlite-driver", options.sqliteDriver)) continue;
        if (ParseOption(argv[i], L"--sqlite-ext", options.sqliteExtension)) continue;
        if (ParseOption(argv[i], L"--notes", value)) { options.notes = std::stoi(value); continue; }
        if (ParseOption(argv[i], L"--runs", value)) { options.runs = std::stoi(value); continue; }
        if (ParseOption(argv[i], L"--saves", value)) { options.saves = std::stoi(value); continue; }
        std::fprintf(stderr, "QuillboxBench: unknown argument %ls\n", argv[i]);
        return false;
    }
    return !options.database.empty() && options.notes > 0 && options.runs > 0 && options.saves > 0;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    wchar_t name[32] = {}, caption[32] = {};
    ::GetClassNameW(window, name, 32);
    ::GetWindowTextW(window, caption, 32);
    if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window) && std::wcscmp(name, L"#32770") == 0 &&
        std::wcscmp(caption, L"Quillbox") == 0 && ::GetDlgItem(window, 1020)) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForQuillboxDialog()
{
    for (int attempt = 0; attempt < 3000; ++attempt) {
        HWND dialog = nullptr;
        ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&dialog));
        if (dialog) return dialog;
        ::Sleep(10);
    }
    return nullptr;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    BenchOptions options;
    if (!ParseArguments(argc, argv, options)) {
        std::fprintf(stderr, "usage: QuillboxBench --db=<path> --unix-db=<path> --notes=<n> [--runs=<n>] [--saves=<n>] [--rare=<word>] "
                             "[--sqlite-driver=<name> --sqlite-ext=<path>]\n");
        return 2;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    CUiAgent agent;
    if (!agent.Start()) {
        std::fprintf(stderr, "QuillboxBench: the agent could not start\n");
        return 1;
    }
    PluginModule module(L"Quillbox.dll");
    void* plugin = module.GetPluginInterface();
    if (!plugin) {
        std::fprintf(stderr, "QuillboxBench: Quillbox.dll or its GetPluginInterface is missing\n");
        return 1;
    }
    HostLink link;
    HostContext context(&link);
    HostObject host(&context);
    PluginSlots slots(plugin);
    slots.SetHost(&host);

    CBenchRunner runner(options, agent);
    bool sawDialog = false;
    std::thread script([&] {
        HWND dialog = WaitForQuillboxDialog();
        sawDialog = dialog != nullptr;
        if (dialog) runner.Run(dialog);
    });
    slots.Execute();
    script.join();
    runner.Print(stdout);
    if (!sawDialog) std::fprintf(stderr, "QuillboxBench: the Quillbox dialog did not appear\n");
    return sawDialog && runner.Succeeded() ? 0 : 1;
}
