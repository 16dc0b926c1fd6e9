// CLongRun: many Execute cycles of Quillbox.dll in one host process. In each
// cycle a script on a second thread opens the note database through the File,
// Open dialog, searches one note by name, double-clicks it, changes its query
// text on the Edit page, saves it and ends the dialog with File, Exit. After
// each cycle the host's GDI objects, USER objects and memory are read.
#pragma once

#include "tests/longrun/ProcessResources.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>


struct CycleRecord {
    int cycle = 0;  // from 1
    ResourceCounts counts;
    double ms = 0;  // the whole Execute, from the call to its return
};

class CLongRun {
public:
    // `databasePath` (a Windows path) holds at least `cycles` notes named by NoteName.
    CLongRun(const std::wstring& databasePath, int cycles, int warmUpCycles)
        : m_databasePath(databasePath), m_cycles(cycles), m_warmUpCycles(warmUpCycles)
    {
    }

    // Runs the cycles on this thread, which becomes the host's user-interface
    // thread; stops after the first cycle that fails.
    void Run(void* pluginInterface);

    // For showing that the run finds a leak: the host itself leaks one brush,
    // one menu and 64 KiB of written memory after every `cycles`-th cycle
    // (0, the default: never).
    void InjectLeakEvery(int cycles) { m_leakEvery = cycles; }

    const ResourceCounts& Before() const { return m_before; }
    const std::vector<CycleRecord>& Records() const { return m_records; }
    const std::vector<std::string>& Failures() const { return m_failures; }
    // For the first cycles after the warm-up whose GDI count differed from the
    // cycle before: the kinds of object whose number changed ("cycle 9: region 40 -> 41").
    const std::vector<std::string>& GdiDifferences() const { return m_gdiDifferences; }

    // The note that cycle `cycle` edits, its name and the query text it saves.
    static int NoteIdOfCycle(int cycle) { return cycle - 1; }
    static std::wstring NoteName(int noteId);
    static std::wstring OriginalQuery(int noteId);
    static std::wstring EditedQuery(int noteId, int cycle);

private:
    void EditOneNote(int cycle, HWND dialog);

    std::wstring m_databasePath;
    int m_cycles;
    int m_warmUpCycles;
    int m_leakEvery = 0;
    std::map<std::string, int> m_gdiKindsBefore;  // after the cycle before
    std::vector<std::string> m_gdiDifferences;
    ResourceCounts m_before;
    std::vector<CycleRecord> m_records;
    std::vector<std::string> m_failures;  // written by the script thread of a cycle, read after it joined
};
