// CDriverWorkload: the driver scenario's work, the same for any ODBC driver:
// connect, read the group list and the catalogue, run the rare-word search,
// then give 1,000 new notes their next id and insert them, each committed on
// its own; disconnect. It adds up what it read into a checksum, so two
// drivers can be shown to have given the same answers.
#pragma once

#include "bench/BenchSql.h"

#include <cstdint>
#include <string>
#include <vector>

struct DriverRun {
    double ms = 0;
    double readMs = 0;    // connect, group list and catalogue
    double searchMs = 0;  // the rare-word search
    double writeMs = 0;   // next ids and inserts, disconnect
    std::uint32_t checksum = 0;
    int rowsRead = 0;
};

class CDriverWorkload {
public:
    CDriverWorkload(std::wstring connect, std::wstring searchStatement, const std::vector<NewNote>& notes)
        : m_connect(std::move(connect)), m_search(std::move(searchStatement)), m_notes(notes) {}

    DriverRun Run() const;

private:
    std::wstring m_connect;
    std::wstring m_search;
    const std::vector<NewNote>& m_notes;
};
