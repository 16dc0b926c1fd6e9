// CBenchRunner: the script of one benchmark run on one note database. On the
// script's thread it drives the dialog through each scenario (open, find all,
// expand, find text in the queries, find text in names and comments, save)
// and runs the same work as the floor on the
// dialog's thread, one warm-up and then `runs` timed pairs, alternating which
// goes first; then the driver scenario, our driver against Debian's SQLite
// ODBC driver. It checks that the dialog and the floor did the same work
// (same rows, same notes written, same answers from both drivers) and prints
// one line per scenario for scripts/bench.
#pragma once

#include "bench/BenchOptions.h"
#include "bench/BenchSql.h"
#include "bench/OdbcConnection.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

class CFloorWork;
class CMessageTrace;
class CUiAgent;

class CBenchRunner {
public:
    // With `trace`, each scenario's timed dialog actions are traced and printed to stderr.
    CBenchRunner(const BenchOptions& options, CUiAgent& agent, CMessageTrace* trace = nullptr)
        : m_options(options), m_agent(agent), m_trace(trace)
    {
    }

    // Runs every scenario on the open dialog; failures are recorded, not thrown.
    void Run(HWND dialog);
    bool Succeeded() const { return m_failures.empty(); }
    void Print(std::FILE* out) const;

private:
    struct Scenario {
        std::string name;
        std::vector<double> dialog;
        std::vector<double> floor;
        size_t peakBytes = 0;
        size_t growthBytes = 0;  // the most a dialog run added to the working set it started with
    };

    void RunScenarios(HWND dialog, CFloorWork& floor);
    // One warm-up of each, then `runs` timed pairs; the peak working set is
    // taken over the dialog's timed runs.
    void Measure(const char* name, const std::function<double()>& dialogRun, const std::function<double()>& floorRun);
    // Runs a floor's timed `work` on the dialog's thread; its milliseconds.
    double OnDialogThread(const std::function<double()>& work);
    void Check(bool ok, const std::string& what);
    // The dialog's rows are the names the floor's last plain search read, in order.
    void CheckSameNotes(const char* scenario, HWND dialog, const CFloorWork& floor);
    // Debian's SQLite ODBC driver on the same file with the General collation; empty when not given.
    std::wstring PlainSqliteConnectString() const;
    int CountNotesFrom(int firstId);
    void DeleteNotesFrom(int firstId);
    std::vector<NewNote> NotesFor(HWND dialog, int count) const;
    // The dialog's timed actions: tests/support's input, timed by the agent
    // from its start until the list is drawn. File, Open of the database is
    // timed from the Open dialog's end; a key pressed on a selected row:
    // VK_ADD expands, VK_SUBTRACT collapses; a new note typed on the Edit
    // page with group entry `groupChoice` is timed from its Save.
    double TimeOpen(HWND dialog);
    // The open floor, timed as TimeOpen times the dialog: its own Open
    // dialog over the Quillbox dialog, the file typed in and confirmed.
    double TimeFloorOpen(HWND dialog, CFloorWork& floor);
    double TimeFind(HWND dialog, const std::wstring& text);
    double TimeKeyOnRow(HWND dialog, int row, WPARAM key);
    double TimeSave(HWND dialog, const NewNote& note, int groupChoice);
    // The floor's counterpart of the typing before a save: the texts and the group choice put into its Edit page's stand-in.
    static void TypeFloorNote(HWND page, const NewNote& note, int groupChoice);

    const BenchOptions& m_options;
    CUiAgent& m_agent;
    CMessageTrace* m_trace;  // not owned; null: no trace
    COdbcConnection m_checks;  // our driver, for checks and for undoing the writes between runs
    std::vector<Scenario> m_scenarios;
    std::vector<std::string> m_failures;
    size_t m_emptyDialogBytes = 0;
    size_t m_loadedBytes = 0;
    bool m_peakResets = false;
    std::string m_driverAnswers;
    std::string m_driverParts;  // medians of the driver scenario's parts, ours and theirs
};
