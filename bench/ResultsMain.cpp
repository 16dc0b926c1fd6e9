// QuillboxBenchResults.exe: the Results page's rows of the benchmark. Loads
// Quillbox.dll as a host that allows results, and while the dialog is up
// lets CResultsBench drive it from a second thread; with --memory-floor it
// only measures the floor's memory for the whole result, alone in this process.
//
//   QuillboxBenchResults.exe --source=<ODBC connection string> --rows=<n> [--runs=5]
//                            [--sql=<statement>] [--memory-floor]
//                            [--trace]  (each first screen's row counts and paints, timed from the click, on stderr)
#include "bench/CommandLineOption.h"
#include "bench/ResultsBench.h"
#include "bench/UiAgent.h"
#include "host/PluginModule.h"
#include "tests/support/HostedDialog.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <exception>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    ResultsBenchOptions options;
    options.sql = L"SELECT * FROM bench_rows";
    bool memoryFloor = false;
    for (int i = 1; i < argc; ++i) {
        std::wstring value;
        if (ParseOption(argv[i], L"--source", options.source) || ParseOption(argv[i], L"--sql", options.sql)) continue;
        if (ParseOption(argv[i], L"--rows", value)) { options.rows = std::stoi(value); continue; }
        if (ParseOption(argv[i], L"--runs", value)) { options.runs = std::stoi(value); continue; }
        if (std::wcscmp(argv[i], L"--memory-floor") == 0) { memoryFloor = true; continue; }
        if (std::wcscmp(argv[i], L"--trace") == 0) { options.trace = true; continue; }
        std::fprintf(stderr, "QuillboxBenchResults: unknown argument %ls\n", argv[i]);
        return 2;
    }
    if (options.source.empty() || options.rows <= 0 || options.runs <= 0) {
        std::fprintf(stderr, "usage: QuillboxBenchResults --source=<connection string> --rows=<n> [--runs=<n>] [--sql=<statement>] [--memory-floor] [--trace]\n");
        return 2;
    }
    if (memoryFloor) {
        try {
            std::printf("RESULTSMEMORY\t%d\tfloor\t%.1f\n", options.rows, MeasureFloorMemory(options));
            return 0;
        } catch (const std::exception& e) {
            std::printf("FAILED\tthe floor's memory: %s\n", e.what());
            return 1;
        }
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    CUiAgent agent;
    CResultsBench bench(options, agent);
    PluginModule module(L"Quillbox.dll");
    dialogdriver::Host host(true);
    const char* error = !agent.Start() ? "the agent could not start" : !module.GetPluginInterface() ? "Quillbox.dll or its GetPluginInterface is missing" : nullptr;
    if (!error && !dialogdriver::RunHostedDialog(module.GetPluginInterface(), host, [&](HWND dialog) { bench.Run(dialog); }).dialogShown) {
        error = "the Quillbox dialog did not appear";
    }
    bench.Print(stdout);
    if (error) std::fprintf(stderr, "QuillboxBenchResults: %s\n", error);
    return !error && bench.Succeeded() ? 0 : 1;
}
