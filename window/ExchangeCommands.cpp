// Export and import as the user drives them.
#include "window/ExchangeCommands.h"

#include "framework/CDatabase.h"
#include "framework/CWnd.h"
#include "framework/MessageBox.h"
#include "store/exchange/NoteExchange.h"
#include "window/CProgressWindow.h"
#include "window/FolderPicker.h"

#include <cwchar>

namespace {

constexpr size_t kListedRefusals = 10;

CString Count(int count, const wchar_t* one, const wchar_t* many)
{
    wchar_t text[128];
    std::swprintf(text, 128, L"%d %ls", count, count == 1 ? one : many);
    return text;
}

} // namespace

bool EnsureOpen(const CDatabase& database)
{
    if (database.IsOpen()) return true;
    AfxMessageBox(L"No note database is open. Open or create one first (File, Open or File, New).", MB_ICONINFORMATION);
    return false;
}

CString DescribeImportPlan(const CString& folder, const ImportPlan& plan)
{
    CString text = L"Import from " + folder + L" into the open note database:\n\n";
    text += L"    " + Count(plan.Count(ImportAction::Add), L"note to add", L"notes to add") + L"\n";
    text += L"    " + Count(plan.Count(ImportAction::Change), L"note to change", L"notes to change") + L"\n";
    text += L"    " + Count(plan.Count(ImportAction::Unchanged), L"note unchanged", L"notes unchanged") + L"\n";
    text += L"    " + Count(plan.CountGroups(ImportAction::Add), L"group to add", L"groups to add") + L"\n";
    text += L"    " + Count(plan.CountGroups(ImportAction::Change), L"group to change", L"groups to change") + L"\n";
    if (!plan.refusals.empty()) {
        text += L"    " + Count(static_cast<int>(plan.refusals.size()), L"file cannot be taken:", L"files cannot be taken:") + L"\n";
        for (size_t i = 0; i < plan.refusals.size() && i < kListedRefusals; ++i)
            text += L"        " + plan.refusals[i].source + L": " + plan.refusals[i].reason + L"\n";
        if (plan.refusals.size() > kListedRefusals)
            text += L"        " + Count(static_cast<int>(plan.refusals.size() - kListedRefusals), L"more", L"more") + L"\n";
    }
    return text;
}

void RunExport(CWnd& owner, CDatabase& database, CString& lastFolder)
{
    if (!EnsureOpen(database)) return;
    CString folder;
    if (!PickFolder(owner.m_hWnd, L"Export the note database into this folder:", lastFolder, folder, true)) return;
    lastFolder = folder;
    ExchangeOutcome outcome;
    {
        CProgressWindow progress(&owner, L"Exporting to " + folder);
        outcome = ExportNoteDatabase(database, folder, &progress);
    }
    if (outcome.cancelled) {
        AfxMessageBox(L"Export cancelled. Every file it wrote is whole; the next export completes the folder.", MB_ICONINFORMATION);
    } else if (!outcome.ok) {
        AfxMessageBox(L"Export stopped: " + outcome.message + L"\n\nEvery file written before is whole.", MB_ICONEXCLAMATION);
    } else {
        AfxMessageBox(L"Exported " + Count(outcome.notes, L"note", L"notes") + L" and " + Count(outcome.groups, L"group", L"groups") +
                          L" to " + folder + L".\n\n" + Count(outcome.written, L"file written", L"files written") + L", " +
                          Count(outcome.unchanged, L"unchanged", L"unchanged") + L", " + Count(outcome.removed, L"removed", L"removed") + L".",
                      MB_ICONINFORMATION);
    }
}

bool RunImport(CWnd& owner, CDatabase& database, CString& lastFolder)
{
    if (!EnsureOpen(database)) return false;
    CString folder;
    if (!PickFolder(owner.m_hWnd, L"Import the notes of this folder:", lastFolder, folder)) return false;
    lastFolder = folder;
    ImportPlan plan;
    ExchangeOutcome outcome;
    {
        CProgressWindow progress(&owner, L"Reading " + folder);
        outcome = PlanNoteImport(database, folder, plan, &progress);
    }
    if (outcome.cancelled) return false;
    if (!outcome.ok) {
        AfxMessageBox(L"Import failed: " + outcome.message + L"\n\nThe note database was not changed.", MB_ICONEXCLAMATION);
        return false;
    }
    if (plan.ChangesNothing()) {
        AfxMessageBox(DescribeImportPlan(folder, plan) + L"\nThere is nothing to import.", MB_ICONINFORMATION);
        return false;
    }
    if (AfxMessageBox(DescribeImportPlan(folder, plan) + L"\nImport now?", MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return false;
    {
        CProgressWindow progress(&owner, L"Importing from " + folder);
        outcome = ApplyNoteImport(database, plan, &progress);
    }
    if (outcome.cancelled) {
        AfxMessageBox(L"Import cancelled. The note database was not changed.", MB_ICONINFORMATION);
        return false;
    }
    if (!outcome.ok) {
        AfxMessageBox(L"Import failed: " + outcome.message + L"\n\nThe note database was not changed.", MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}
