// One result of a run as the Results page keeps it: the statement that made
// it, its columns, the rows read so far and whether more are to come.
#pragma once

#include <string>
#include <vector>

#include "run/ResultFetch.h"
#include "run/ResultRows.h"

struct RunResult {
    explicit RunResult(std::vector<ResultColumn> resultColumns) : columns(std::move(resultColumns)), rows(columns.size()) {}
    int statement = 0;
    std::wstring firstLine;
    std::vector<ResultColumn> columns;
    ResultRows rows;
    bool ended = false;     // every row is read
    bool fetching = false;  // more rows were asked for and are on their way
};
