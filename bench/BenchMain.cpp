// QuillboxBench.exe: loads Quillbox.dll as a host does, runs its command
// (Execute) and, while the dialog is up, lets CBenchRunner drive it from a
// second thread. Prints one line per scenario; exit code 0 when every check held.
//
//   QuillboxBench.exe --db=<Windows path> --unix-db=<Unix path> --notes=<n>
//                     [--runs=5] [--saves=1000] [--rare=<word>] [--name-words=<words>]
//                     [--sqlite-driver=<odbcinst section> --sqlite-ext=<Unix path of the extension>]
//                     [--trace]  (each scenario's dialog actions, message by message, on stderr)
#include "bench/BenchOptions.h"
#include "bench/BenchRunner.h"
#include "bench/CommandLineOption.h"
#include "bench/MessageTrace.h"
#include "bench/UiAgent.h"
#include "host/PluginModule.h"
#include "tests/support/HostedDialog.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

bool ParseArguments(int argc, wchar_t** argv, BenchOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring value;
        if (ParseOption(argv[i], L"--db", options.database)) continue;
        if (ParseOption(argv[i], L"--unix-db", options.unixDatabase)) continue;
        if (ParseOption(argv[i], L"--rare", options.rareWord)) continue;
        if (ParseOption(argv[i], L"--name-words", options.nameWords)) continue;
        if (ParseOption(argv[i], L"--sqlite-driver", options.sqliteDriver)) continue;
        if (ParseOption(argv[i], L"--sqlite-ext", options.sqliteExtension)) continue;
        if (std::wcscmp(argv[i], L"--trace") == 0) { options.trace = true; continue; }
        if (ParseOption(argv[i], L"--notes", value)) { options.notes = std::stoi(value); continue; }
        if (ParseOption(argv[i], L"--runs", value)) { options.runs = std::stoi(value); continue; }
        if (ParseOption(argv[i], L"--saves", value)) { options.saves = std::stoi(value); continue; }
        std::fprintf(stderr, "QuillboxBench: unknown argument %ls\n", argv[i]);
        return false;
    }
    return !options.database.empty() && options.notes > 0 && options.runs > 0 && options.saves > 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    BenchOptions options;
    if (!ParseArguments(argc, argv, options)) {
        std::fprintf(stderr, "usage: QuillboxBench --db=<path> --unix-db=<path> --notes=<n> [--runs=<n>] [--saves=<n>] [--rare=<word>] [--name-words=<words>] "
                             "[--sqlite-driver=<name> --sqlite-ext=<path>] [--trace]\n");
        return 2;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    CUiAgent agent;
    CMessageTrace trace;
    CBenchRunner runner(options, agent, options.trace ? &trace : nullptr);
    PluginModule module(L"Quillbox.dll");
    dialogdriver::Host host;
    const char* error = !agent.Start(options.trace ? &trace : nullptr) ? "the agent could not start" : !module.GetPluginInterface() ? "Quillbox.dll or its GetPluginInterface is missing" : nullptr;
    if (!error && !dialogdriver::RunHostedDialog(module.GetPluginInterface(), host, [&](HWND dialog) { runner.Run(dialog); }).dialogShown) {
        error = "the Quillbox dialog did not appear";
    }
    runner.Print(stdout);
    if (error) std::fprintf(stderr, "QuillboxBench: %s\n", error);
    return !error && runner.Succeeded() ? 0 : 1;
}
