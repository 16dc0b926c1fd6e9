// CResultsBench: the Results scenarios on one result (a table of a SQLite
// file read through Debian's SQLite ODBC driver). On the script's thread it
// types the statement into the View box and the data source into the
// Results page, then times, one warm-up and `runs` pairs alternating which
// goes first: the first screen (Execute until the Results list has drawn
// its first screen of rows, against a bare execute, fetch of a screen and
// drawing in a bare virtual list-view), and the last row (End in the list
// until its last row is drawn, against a bare fetch of every row into the
// same compact storage); and the process's memory growth for the whole
// result read. Prints one line per scenario for scripts/bench.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

class CUiAgent;

struct ResultsBenchOptions {
    std::wstring source;  // the ODBC connection string of the SQLite file
    std::wstring sql;     // the statement run
    int rows = 0;         // rows it returns
    int runs = 5;
    bool trace = false;   // each timed first screen's row counts and paints on stderr
};

class CResultsBench {
public:
    CResultsBench(const ResultsBenchOptions& options, CUiAgent& agent) : m_options(options), m_agent(agent) {}

    // Runs every scenario on the open dialog; failures are recorded, not thrown.
    void Run(HWND dialog);
    bool Succeeded() const { return m_failures.empty(); }
    void Print(std::FILE* out) const;

private:
    struct Scenario {
        std::string name;
        std::vector<double> dialog;
        std::vector<double> floor;
    };
    void Check(bool ok, const std::string& what);

    const ResultsBenchOptions& m_options;
    CUiAgent& m_agent;
    std::vector<Scenario> m_scenarios;
    double m_growthMiB = -1;  // the dialog's, with the whole result read
    std::vector<std::string> m_failures;
};

// The bare floor's memory growth (MiB) for reading the whole result into the
// compact storage, measured alone in a process of its own.
double MeasureFloorMemory(const ResultsBenchOptions& options);
