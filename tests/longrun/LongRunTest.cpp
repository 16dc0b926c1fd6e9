// The long run: Execute after Execute in one host process, each cycle opening
// the note database through the Open dialog, searching, editing and saving
// one note and closing with File, Exit. After a warm-up the host's USER
// objects must come back to the same count after every cycle, its GDI objects
// likewise apart from the few one-time steps of Wine's own caches (window DCs,
// which Wine keeps and never frees, and a pen of the common controls), its
// memory must stay within a few MiB, and every edit must be in the file at the end.
//
//   LongRunTest.exe [--cycles=N] [--inject-leak=K]
//     N cycles (200 when not given); with K the host itself leaks a brush, a
//     menu and 64 KiB every K cycles, which the run must report.
#include "host/PluginModule.h"
#include "tests/longrun/LongRun.h"
#include "tests/support/PrivateUserRegistry.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/window/NoteFiles.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

namespace {

int g_cycles = 200;
int g_injectLeakEvery = 0;
constexpr int kWarmUpCycles = 5;
constexpr int kGroups = 5;
// The memory a run may hold beyond its level after the warm-up (heap growth
// and fragmentation that does not grow with the number of cycles).
constexpr double kMemoryBoundMiB = 4.0;
constexpr double kMiB = 1024.0 * 1024.0;
// Wine fills its window-DC cache (a DC, its region and its surface per entry,
// 12 entries at once) and makes a few objects of its controls once (a pen, two
// small bitmaps) in one-time steps, at cycles that depend on timing; Quillbox
// keeps no GDI object from one Execute to the next. A leak grows with the
// cycles: one object every 3 cycles passes the total, one every 30 the number
// of cycles with a rise.
constexpr int kMostGdiRises = 6;
constexpr int kMostGdiGrowth = 64;

std::vector<std::wstring> NoteStatements(int notes)
{
    std::vector<std::wstring> statements;
    for (int group = 1; group <= kGroups; ++group) {
        statements.push_back(L"INSERT INTO groups VALUES(" + std::to_wstring(group) + L",'Group " + std::to_wstring(group) + L"','long run');");
    }
    for (int id = 0; id < notes; ++id) {
        // Every sixth note has no group; the others are spread over the groups.
        statements.push_back(L"INSERT INTO notes VALUES(" + std::to_wstring(id) + L"," + std::to_wstring(id % (kGroups + 1)) + L",'" +
                             CLongRun::NoteName(id) + L"','note " + std::to_wstring(id) + L"','" + CLongRun::OriginalQuery(id) + L"');");
    }
    return statements;
}

double MiB(size_t bytes) { return static_cast<double>(bytes) / kMiB; }

void PrintRecord(const char* label, const ResourceCounts& counts, double ms)
{
    std::printf("%-12s gdi %4d  user %4d (windows %3d, menus %2d, cursors/icons %3d)  private %7.2f MiB  working set %7.2f MiB",
                label, counts.gdiObjects, counts.UserObjects(), counts.windows, counts.menus, counts.cursorsAndIcons,
                MiB(counts.privateBytes), MiB(counts.workingSet));
    if (ms > 0) std::printf("  %6.0f ms", ms);
    std::printf("\n");
}

TEST(LongRun, ExecuteCyclesReturnObjectsAndMemoryToTheirLevelAndKeepEveryEdit)
{
    ASSERT_GT(g_cycles, kWarmUpCycles) << "the run needs more cycles than its warm-up";
    storetest::TestFolder folder(L"quillbox long run");
    const std::wstring path = folder.File(L"long run notes.mdb");
    const int notes = g_cycles + 10;
    ASSERT_EQ(notefiles::MakeNoteDatabase(path, NoteStatements(notes)), L"");

    PluginModule module(L"Quillbox.dll");
    ASSERT_TRUE(module.IsLoaded()) << "Quillbox.dll did not load";
    void* plugin = module.GetPluginInterface();
    ASSERT_NE(plugin, nullptr);

    CLongRun run(path, g_cycles, kWarmUpCycles);
    run.InjectLeakEvery(g_injectLeakEvery);
    run.Run(plugin);
    for (const std::string& failure : run.Failures()) ADD_FAILURE() << failure;
    const std::vector<CycleRecord>& records = run.Records();
    ASSERT_EQ(static_cast<int>(records.size()), g_cycles) << "not every cycle ran";

    PrintRecord("before", run.Before(), 0);
    for (const CycleRecord& record : records) {
        char label[32];
        std::snprintf(label, sizeof label, "cycle %d", record.cycle);
        PrintRecord(label, record.counts, record.ms);
    }

    // The level after the warm-up, and every later cycle against it.
    const ResourceCounts& level = records[kWarmUpCycles - 1].counts;
    int gdiRises = 0, userDrifts = 0;
    size_t mostPrivate = level.privateBytes;
    double totalMs = 0;
    for (size_t i = kWarmUpCycles; i < records.size(); ++i) {
        const CycleRecord& record = records[i];
        totalMs += record.ms;
        mostPrivate = std::max(mostPrivate, record.counts.privateBytes);
        if (record.counts.gdiObjects > records[i - 1].counts.gdiObjects) ++gdiRises;
        if (record.counts.UserObjects() != level.UserObjects() && userDrifts++ < 5) {
            ADD_FAILURE() << "cycle " << record.cycle << ": " << record.counts.UserObjects() << " USER objects (" << record.counts.windows
                          << " windows, " << record.counts.menus << " menus, " << record.counts.cursorsAndIcons << " cursors/icons), "
                          << level.UserObjects() << " (" << level.windows << ", " << level.menus << ", " << level.cursorsAndIcons
                          << ") after the warm-up";
        }
    }
    const ResourceCounts& last = records.back().counts;
    EXPECT_LE(gdiRises, kMostGdiRises) << "the GDI count rose in " << gdiRises << " cycles after the warm-up";
    EXPECT_LE(last.gdiObjects, level.gdiObjects + kMostGdiGrowth)
        << "GDI objects: " << level.gdiObjects << " after the warm-up, " << last.gdiObjects << " after cycle " << records.back().cycle;
    for (const std::string& difference : run.GdiDifferences()) std::printf("GDI objects changed, %s\n", difference.c_str());
    const double growthMiB = MiB(last.privateBytes) - MiB(level.privateBytes);
    EXPECT_LE(growthMiB, kMemoryBoundMiB) << "private memory grew from " << MiB(level.privateBytes) << " MiB after the warm-up to "
                                          << MiB(last.privateBytes) << " MiB after cycle " << records.back().cycle;
    std::printf("summary: %d cycles, warm-up %d; first cycle gdi %d, user %d, private %.2f MiB; after the warm-up gdi %d, user %d, "
                "private %.2f MiB, working set %.2f MiB; last gdi %d (rose in %d cycles), user %d, private %.2f MiB (%+.2f), working set %.2f MiB, "
                "most private %.2f MiB; %.0f ms per cycle after the warm-up\n",
                g_cycles, kWarmUpCycles, records.front().counts.gdiObjects, records.front().counts.UserObjects(),
                MiB(records.front().counts.privateBytes), level.gdiObjects, level.UserObjects(), MiB(level.privateBytes),
                MiB(level.workingSet), last.gdiObjects, gdiRises, last.UserObjects(), MiB(last.privateBytes), growthMiB,
                MiB(last.workingSet), MiB(mostPrivate),
                totalMs / static_cast<double>(records.size() - kWarmUpCycles));

    // Every edit, read back from the file through a connection of the test's own.
    std::map<int, std::wstring> stored;
    for (const std::wstring& row : notefiles::Rows(path, L"SELECT id, query FROM notes ORDER BY id")) {
        const size_t bar = row.find(L'|');
        ASSERT_NE(bar, std::wstring::npos) << "unexpected row: " << std::string(row.begin(), row.end());
        stored[std::stoi(row.substr(0, bar))] = row.substr(bar + 1);
    }
    ASSERT_EQ(static_cast<int>(stored.size()), notes) << "the file holds another number of notes";
    int lost = 0;
    for (int id = 0; id < notes; ++id) {
        const int cycle = id + 1;  // NoteIdOfCycle
        const std::wstring expected = cycle <= g_cycles ? CLongRun::EditedQuery(id, cycle) : CLongRun::OriginalQuery(id);
        if (stored[id] != expected && lost++ < 5) {
            ADD_FAILURE() << "note " << id << " holds \"" << std::string(stored[id].begin(), stored[id].end()) << "\", expected \""
                          << std::string(expected.begin(), expected.end()) << "\"";
        }
    }
    EXPECT_EQ(lost, 0) << "edits missing from the file";
}

} // namespace

int main(int argc, char** argv)
{
    // The dialog's stored settings (recent files) go to a key of this run, removed at the end.
    CPrivateUserRegistry userRegistry;
    // --cycles and --inject-leak are the program's own; the rest goes to GoogleTest.
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--cycles=", 9) == 0) {
            g_cycles = std::atoi(argv[i] + 9);
        } else if (std::strncmp(argv[i], "--inject-leak=", 14) == 0) {
            g_injectLeakEvery = std::atoi(argv[i] + 14);
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
