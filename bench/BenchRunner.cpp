// CBenchRunner: the scenarios, their checks and the result lines.
#include "bench/BenchRunner.h"

#include "bench/DriverWorkload.h"
#include "bench/FloorWork.h"
#include "bench/Median.h"
#include "bench/MessageTrace.h"
#include "bench/OdbcStatement.h"
#include "bench/ProcessMemory.h"
#include "bench/UiAgent.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/UiDriver.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <stdexcept>

namespace {

constexpr int kBigGroupId = 1;
constexpr int kWarmUpSaves = 50;
constexpr double kMiB = 1024.0 * 1024.0;

using dialogdriver::Narrow;

int RowCount(HWND dialog) { return static_cast<int>(::SendMessageW(::GetDlgItem(dialog, IDC_NOTE_LIST), LVM_GETITEMCOUNT, 0, 0)); }

std::vector<int> GroupChoiceIds(HWND dialog) { return dialogdriver::ComboIds(::GetDlgItem(dialogdriver::FindPages(dialog).edit, IDC_EDIT_GROUP)); }

// The text of the message box the dialog shows, if one is up ("" otherwise).
std::wstring OpenBoxText(HWND dialog)
{
    HWND box = dialogdriver::Settle(dialog);
    return box ? ui::MessageBoxText(box) : std::wstring();
}

// Picks item `position` of the Find button's scope menu.
void ToggleScope(HWND dialog, int position)
{
    if (!dialogdriver::ToggleScope(dialog, position)) throw std::runtime_error("the Find button's scope menu did not appear");
}

// Notes whose query holds the rare word: every id that ends in 007.
int RareNotes(int notes)
{
    int count = 0;
    for (int id = 0; id < notes; ++id) count += id % 1000 == 7 ? 1 : 0;
    return count;
}

std::string Join(const std::vector<double>& values)
{
    std::string out;
    char number[32];
    for (double v : values) {
        std::snprintf(number, sizeof number, "%s%.2f", out.empty() ? "" : ",", v);
        out += number;
    }
    return out;
}

} // namespace

double CBenchRunner::OnDialogThread(const std::function<double()>& work)
{
    double ms = 0;
    m_agent.Run([&] { ms = work(); });
    return ms;
}

void CBenchRunner::Check(bool ok, const std::string& what)
{
    if (!ok) m_failures.push_back(what);
}

int CBenchRunner::CountNotesFrom(int firstId)
{
    COdbcStatement count(m_checks);
    count.Execute(L"SELECT COUNT(*) FROM notes WHERE id>=" + std::to_wstring(firstId));
    std::wstring text;
    if (count.Fetch()) count.GetText(1, text);
    return std::stoi(text.empty() ? std::wstring(L"0") : text);
}

void CBenchRunner::DeleteNotesFrom(int firstId)
{
    m_checks.Execute(L"DELETE FROM notes WHERE id>=" + std::to_wstring(firstId));
}

std::vector<NewNote> CBenchRunner::NotesFor(HWND dialog, int count) const
{
    // The Edit page's group choices in turn, so the dialog and the floor file each note alike.
    return MakeNewNotes(count, GroupChoiceIds(dialog));
}

void CBenchRunner::Measure(const char* name, const std::function<double()>& dialogRun, const std::function<double()>& floorRun)
{
    Scenario scenario;
    scenario.name = name;
    dialogRun();
    floorRun();
    if (m_trace) m_agent.Run([&] { m_trace->Clear(); });
    // The peak is reset before each of the dialog's runs (where the system
    // allows it), so it tells what that run needed.
    auto timedDialog = [&] {
        if (m_peakResets) ResetPeakWorkingSet();
        const size_t before = CurrentWorkingSet();
        scenario.dialog.push_back(dialogRun());
        const size_t peak = PeakWorkingSet();
        scenario.peakBytes = std::max(scenario.peakBytes, peak);
        if (peak > before) scenario.growthBytes = std::max(scenario.growthBytes, peak - before);
    };
    for (int run = 0; run < m_options.runs; ++run) {
        // Alternating the order spreads a drift of the machine's load over both.
        if (run % 2 == 0) {
            timedDialog();
            scenario.floor.push_back(floorRun());
        } else {
            scenario.floor.push_back(floorRun());
            timedDialog();
        }
    }
    m_scenarios.push_back(scenario);
    if (m_trace) m_agent.Run([&] { m_trace->Print(stderr, name); });
    std::fprintf(stderr, "bench: %s, %d notes: dialog %.1f ms, floor %.1f ms\n", name, m_options.notes, Median(scenario.dialog),
                 Median(scenario.floor));
}

void CBenchRunner::Run(HWND dialog)
{
    try {
        HWND list = ::GetDlgItem(dialog, IDC_NOTE_LIST);
        if (!list || !dialogdriver::FindPages(dialog).edit) throw std::runtime_error("the Quillbox dialog lacks a control the benchmark drives");
        m_agent.SetDrawnList(list);
        m_checks.Connect(NoteConnectString(m_options.database));
        std::unique_ptr<CFloorWork> floor(new CFloorWork(NoteConnectString(m_options.database), PlainSqliteConnectString(), kBigGroupId));
        HIMAGELIST images = nullptr;
        m_agent.Run([&] {
            images = ImageList_LoadImageW(::GetModuleHandleW(L"Quillbox.dll"), MAKEINTRESOURCEW(IDB_LIST_ICONS), 16, 1, RGB(0, 255, 255), IMAGE_BITMAP, 0);
            const dialogdriver::Pages pages = dialogdriver::FindPages(dialog);
            if (!floor->CreateControls(list, images, 0, 0, pages.edit, pages.groupEdit))
                throw std::runtime_error("the floor's list-view and page controls could not be created");
        });
        RunScenarios(dialog, *floor);
        // The floor's window belongs to the dialog's thread: it goes there.
        m_agent.Run([&] {
            floor.reset();
            ImageList_Destroy(images);
        });
        ::PostMessageW(dialog, WM_COMMAND, ID_FILE_EXIT, 0);
    } catch (const std::exception& e) {
        // The hosted run closes what is left open and ends the dialog.
        m_failures.push_back(e.what());
    }
}

double CBenchRunner::TimeOpen(HWND dialog)
{
    HWND open = dialogdriver::StartFileCommand(dialog, ID_FILE_OPEN, m_options.database);
    if (!open) throw std::runtime_error("the Open dialog did not appear");
    return m_agent.TimeOpen(open);
}

double CBenchRunner::TimeFloorOpen(HWND dialog, CFloorWork& floor)
{
    const std::function<void()> work = [&] { floor.PickAndOpen(dialog, m_options.database); };
    m_agent.BeginOpenWork(work);
    HWND open = dialogdriver::WaitForFileDialog(L"Open", m_options.database);
    if (!open) throw std::runtime_error("the floor's Open dialog did not appear");
    return m_agent.TimeOpen(open);
}

double CBenchRunner::TimeFind(HWND dialog, const std::wstring& text)
{
    dialogdriver::SetFindText(dialog, text);
    return m_agent.TimeAction([dialog] { dialogdriver::PostClick(dialog, IDC_FIND); });
}

double CBenchRunner::TimeKeyOnRow(HWND dialog, int row, WPARAM key)
{
    dialogdriver::SelectRow(dialog, row);
    return m_agent.TimeAction([dialog, key] { ::PostMessageW(::GetDlgItem(dialog, IDC_NOTE_LIST), WM_KEYDOWN, key, 1); });
}

void CBenchRunner::TypeFloorNote(HWND page, const NewNote& note, int groupChoice)
{
    dialogdriver::SetItemText(page, IDC_EDIT_TITLE, note.title);
    dialogdriver::SetItemText(page, IDC_EDIT_COMMENTS, note.comments);
    dialogdriver::SetItemText(page, IDC_EDIT_QUERY, note.query);
    ::SendMessageW(::GetDlgItem(page, IDC_EDIT_GROUP), CB_SETCURSEL, static_cast<WPARAM>(groupChoice), 0);
}

double CBenchRunner::TimeSave(HWND dialog, const NewNote& note, int groupChoice)
{
    dialogdriver::TypeNewNote(dialog, {note.title, note.comments, note.query, note.groupId}, groupChoice);
    HWND edit = dialogdriver::FindPages(dialog).edit;
    return m_agent.TimeAction([edit] { dialogdriver::PostClick(edit, IDC_EDIT_SAVE); });
}

std::wstring CBenchRunner::PlainSqliteConnectString() const
{
    if (m_options.sqliteDriver.empty()) return std::wstring();
    return L"DRIVER={" + m_options.sqliteDriver + L"};Database=" + m_options.unixDatabase + L";LoadExt=" + m_options.sqliteExtension +
           L";SyncPragma=FULL;FKSupport=1";
}

void CBenchRunner::CheckSameNotes(const char* scenario, HWND dialog, const CFloorWork& floor)
{
    const std::vector<std::wstring>& names = floor.LastSearchNames();
    const std::vector<std::wstring> shown = dialogdriver::RowNames(dialog);
    Check(shown == names, std::string(scenario) + ": the dialog shows " + std::to_string(shown.size()) + " notes, SQLite's LIKE found " +
                              std::to_string(names.size()) + (shown.size() == names.size() ? " (other notes or order)" : ""));
}

void CBenchRunner::RunScenarios(HWND dialog, CFloorWork& floor)
{
    const int notes = m_options.notes;

    // The empty dialog, then the first load of the database: the memory a loaded catalogue costs.
    m_agent.Sync();
    m_peakResets = ResetPeakWorkingSet();
    m_emptyDialogBytes = PeakWorkingSet();
    TimeOpen(dialog);
    m_loadedBytes = PeakWorkingSet();

    Measure("open", [&] { return TimeOpen(dialog); }, [&] { return TimeFloorOpen(dialog, floor); });
    Check(floor.CatalogueRowCount() == notes, "open: the floor read " + std::to_string(floor.CatalogueRowCount()) + " catalogue rows");
    Check(RowCount(dialog) == floor.ListCount(),
          "open: the dialog shows " + std::to_string(RowCount(dialog)) + " rows, the floor " + std::to_string(floor.ListCount()));
    Check(OpenBoxText(dialog).empty(), "open: a message box is up: " + Narrow(OpenBoxText(dialog)));
    {
        const dialogdriver::Pages pages = dialogdriver::FindPages(dialog);
        const int editGroups = static_cast<int>(::SendMessageW(::GetDlgItem(pages.edit, IDC_EDIT_GROUP), CB_GETCOUNT, 0, 0));
        const int groupEditGroups = static_cast<int>(::SendMessageW(::GetDlgItem(pages.groupEdit, IDC_GROUP_NAME), CB_GETCOUNT, 0, 0));
        Check(editGroups == floor.Pages().EditGroupCount() && groupEditGroups == floor.Pages().GroupEditGroupCount(),
              "open: the dialog's group lists hold " + std::to_string(editGroups) + " and " + std::to_string(groupEditGroups) + " groups, the floor's " +
                  std::to_string(floor.Pages().EditGroupCount()) + " and " + std::to_string(floor.Pages().GroupEditGroupCount()));
    }

    const std::wstring findAll = BenchSearchStatement(L"%", SearchColumn::Name);
    Measure(
        "find all", [&] { return TimeFind(dialog, L"%") + TimeFind(dialog, L"%"); },
        [&] { return OnDialogThread([&] { return floor.Search(findAll) + floor.Search(findAll); }); });
    Check(RowCount(dialog) == notes, "find all: the dialog shows " + std::to_string(RowCount(dialog)) + " rows");
    Check(floor.ListCount() == notes, "find all: the floor shows " + std::to_string(floor.ListCount()) + " rows");

    // Expand the big group of the catalogue, and collapse it again between runs.
    TimeFind(dialog, L"");
    m_agent.Run([&] { floor.ShowCatalogue(); });
    const int groupRow = dialogdriver::FindRow(dialog, floor.BigGroupName());
    Check(groupRow >= 0 && groupRow == floor.BigGroupRow(), "expand: the big group is on row " + std::to_string(groupRow) +
                                                                " of the dialog, " + std::to_string(floor.BigGroupRow()) + " of the floor");
    const int collapsedRows = RowCount(dialog);
    if (groupRow >= 0) {
        Measure(
            "expand",
            [&] {
                const double ms = TimeKeyOnRow(dialog, groupRow, VK_ADD);
                Check(RowCount(dialog) == collapsedRows + floor.BigGroupSize(), "expand: the dialog shows " + std::to_string(RowCount(dialog)) + " rows");
                TimeKeyOnRow(dialog, groupRow, VK_SUBTRACT);
                return ms;
            },
            [&] {
                return OnDialogThread([&] {
                    const double ms = floor.Expand();
                    floor.Collapse();
                    return ms;
                });
            });
    }

    // A rare word in the queries: the scope menu's "Sequel" only. The floor
    // is the statement with SQLite's own LIKE, which must find the same notes
    // in the same order, and the list emptied and filled with them.
    ToggleScope(dialog, 2);
    const std::wstring findRare = BenchSearchStatement(m_options.rareWord, SearchColumn::Query);
    int rareMarkers = 0;
    const std::wstring findRareWithMarkers = BenchSearchWithMarkers(SearchColumn::Query, rareMarkers);
    Measure("find text", [&] { return TimeFind(dialog, m_options.rareWord); },
            [&] { return OnDialogThread([&] { return floor.PlainSearch(findRareWithMarkers, rareMarkers, m_options.rareWord); }); });
    Check(floor.LastSearchRows() == RareNotes(notes), "find text: the floor found " + std::to_string(floor.LastSearchRows()) + " notes");
    Check(RowCount(dialog) == RareNotes(notes), "find text: the dialog shows " + std::to_string(RowCount(dialog)) + " rows");
    CheckSameNotes("find text", dialog, floor);

    // Words in the names and comments: "Sequel" off, "Name" and "Description" on.
    ToggleScope(dialog, 2);
    ToggleScope(dialog, 0);
    ToggleScope(dialog, 1);
    int nameMarkers = 0;
    const std::wstring findNames = BenchSearchWithMarkers(SearchColumn::NameAndComments, nameMarkers);
    Measure("find text in names and comments", [&] { return TimeFind(dialog, m_options.nameWords); },
            [&] { return OnDialogThread([&] { return floor.PlainSearch(findNames, nameMarkers, m_options.nameWords); }); });
    // Every database of the full run holds the words (a small one may not).
    Check(notes < 1000 || floor.LastSearchRows() > 0, "find text in names and comments: SQLite's LIKE found no note");
    CheckSameNotes("find text in names and comments", dialog, floor);

    // New notes saved through the Edit page; the notes written are taken out again after every run.
    const std::vector<NewNote> saved = NotesFor(dialog, m_options.saves);
    const std::vector<NewNote> warmUp(saved.begin(), saved.begin() + std::min<size_t>(saved.size(), kWarmUpSaves));
    bool warm = false;
    auto checkSaved = [&](const char* who, size_t count) {
        Check(CountNotesFrom(notes) == static_cast<int>(count), std::string("save: the ") + who + " wrote " + std::to_string(CountNotesFrom(notes)) + " notes");
        COdbcStatement first(m_checks);
        first.Execute(L"SELECT query FROM notes WHERE id=" + std::to_wstring(notes));
        std::wstring query;
        if (first.Fetch()) first.GetText(1, query);
        Check(query == saved.front().query, std::string("save: the ") + who + " stored another query text");
        DeleteNotesFrom(notes);
    };
    Measure(
        "save",
        [&] {
            const std::vector<NewNote>& batch = warm ? saved : warmUp;
            double ms = 0;
            const size_t choices = GroupChoiceIds(dialog).size();
            for (size_t i = 0; i < batch.size(); ++i) ms += TimeSave(dialog, batch[i], static_cast<int>(i % choices));
            Check(OpenBoxText(dialog).empty(), "save: a message box is up: " + Narrow(OpenBoxText(dialog)));
            checkSaved("dialog", batch.size());
            return ms;
        },
        [&] {
            const std::vector<NewNote>& batch = warm ? saved : warmUp;
            // One note at a time, typed into the floor's boxes from this
            // thread as into the dialog's, then a message of its own on the
            // dialog's thread timed between the markers as the click is.
            double ms = 0;
            const size_t choices = GroupChoiceIds(dialog).size();
            for (size_t i = 0; i < batch.size(); ++i) {
                m_agent.Run([&] { floor.PrepareSave(); });
                TypeFloorNote(floor.Pages().EditPage(), batch[i], static_cast<int>(i % choices));
                ms += m_agent.TimeWork([&] { floor.Save(); });
            }
            checkSaved("floor", batch.size());
            Check(floor.Pages().ShowsSavedNote(), "save: the floor's New is hidden or its Delete disabled");
            warm = true;
            return ms;
        });

    if (m_options.sqliteDriver.empty()) return;
    // The driver on its own: ours against Debian's SQLite ODBC driver on the same file.
    const std::wstring sqliteConnect = PlainSqliteConnectString();
    bool driverWarm = false;
    DriverRun ours, theirs;
    std::vector<DriverRun> ourRuns, theirRuns;
    auto driverRun = [&](const std::wstring& connect, DriverRun& result) {
        const std::vector<NewNote>& batch = driverWarm ? saved : warmUp;
        CDriverWorkload workload(connect, findRare, batch);
        m_agent.Run([&] { result = workload.Run(); });
        if (driverWarm) (&result == &ours ? ourRuns : theirRuns).push_back(result);
        Check(CountNotesFrom(notes) == static_cast<int>(batch.size()), "driver: " + std::to_string(CountNotesFrom(notes)) + " notes written");
        DeleteNotesFrom(notes);
        return result.ms;
    };
    Measure("driver", [&] { return driverRun(NoteConnectString(m_options.database), ours); }, [&] {
        const double ms = driverRun(sqliteConnect, theirs);
        driverWarm = true;
        return ms;
    });
    Check(ours.checksum == theirs.checksum && ours.rowsRead == theirs.rowsRead,
          "driver: the two drivers gave different answers (" + std::to_string(ours.rowsRead) + " and " + std::to_string(theirs.rowsRead) + " rows)");
    auto parts = [](const std::vector<DriverRun>& runs) {
        std::vector<double> read, search, write;
        for (const DriverRun& r : runs) {
            read.push_back(r.readMs);
            search.push_back(r.searchMs);
            write.push_back(r.writeMs);
        }
        char text[96];
        std::snprintf(text, sizeof text, "read %.1f, search %.1f, write %.1f", Median(read), Median(search), Median(write));
        return std::string(text);
    };
    m_driverParts = "ours: " + parts(ourRuns) + "; Debian: " + parts(theirRuns);
    m_driverAnswers = std::to_string(ours.rowsRead) + " rows read, checksum " + std::to_string(ours.checksum) + " from both drivers";
}

void CBenchRunner::Print(std::FILE* out) const
{
    for (const Scenario& s : m_scenarios) {
        const double dialog = Median(s.dialog);
        const double floor = Median(s.floor);
        std::fprintf(out, "SCENARIO\t%s\t%d\t%.2f\t%.2f\t%.3f\t%.1f\t%.1f\t%.3f\t%s\t%s\n", s.name.c_str(), m_options.notes, dialog,
                     floor, MedianPairRatio(s.dialog, s.floor), static_cast<double>(s.peakBytes) / kMiB, static_cast<double>(s.growthBytes) / kMiB,
                     floor > 0 ? dialog / floor : 0, Join(s.dialog).c_str(), Join(s.floor).c_str());
    }
    std::fprintf(out, "MEMORY\t%d\t%.1f\t%.1f\t%s\n", m_options.notes, static_cast<double>(m_emptyDialogBytes) / kMiB,
                 static_cast<double>(m_loadedBytes) / kMiB, m_peakResets ? "reset" : "cumulative");
    if (!m_driverAnswers.empty()) std::fprintf(out, "DRIVERS\t%d\t%s\n", m_options.notes, m_driverAnswers.c_str());
    if (!m_driverParts.empty()) std::fprintf(out, "DRIVERPARTS\t%d\t%s\n", m_options.notes, m_driverParts.c_str());
    for (const std::string& failure : m_failures) std::fprintf(out, "FAILED\t%d\t%s\n", m_options.notes, failure.c_str());
    std::fflush(out);
}
