// Synchronize as the user drives it.
#include "window/SyncCommand.h"

#include "framework/CDatabase.h"
#include "framework/CWnd.h"
#include "framework/MessageBox.h"
#include "store/sync/NoteSync.h"
#include "store/sync/SyncSummary.h"
#include "window/CProgressWindow.h"
#include "window/ExchangeCommands.h"
#include "window/FolderPicker.h"

namespace {

constexpr size_t kListedInSummary = 10;

} // namespace

bool RunSync(CWnd& owner, CDatabase& database, const CString& databasePath, CString& lastFolder)
{
    if (!EnsureOpen(database)) return false;
    CString folder;
    if (!PickFolder(owner.m_hWnd, L"Synchronize the note database with this folder:", lastFolder, folder)) return false;
    lastFolder = folder;
    NoteSync sync;
    ExchangeOutcome outcome;
    {
        CProgressWindow progress(&owner, L"Reading " + folder);
        outcome = PlanNoteSync(database, databasePath, folder, sync, &progress);
    }
    if (outcome.cancelled) return false;
    if (!outcome.ok) {
        AfxMessageBox(L"Synchronize failed: " + outcome.message + L"\n\nNothing was changed.", MB_ICONEXCLAMATION);
        return false;
    }
    const CString summary = L"Synchronize the open note database with " + folder + L":\n\n" +
                            DescribeSync(sync.plan, sync.refusals, kListedInSummary);
    const bool changesDatabase = sync.plan.ChangesDatabase();
    if (!changesDatabase && !sync.plan.ChangesFolder()) {
        // Still recorded as this database's last sync with the folder.
        outcome = ApplyNoteSync(database, sync, nullptr);
        AfxMessageBox(summary + (outcome.ok ? CString(L"\nBoth sides already hold the same notes.") : L"\n" + outcome.message),
                      outcome.ok ? MB_ICONINFORMATION : MB_ICONEXCLAMATION);
        return false;
    }
    if (AfxMessageBox(summary + L"\nSynchronize now?", MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return false;
    {
        CProgressWindow progress(&owner, L"Synchronizing with " + folder);
        outcome = ApplyNoteSync(database, sync, &progress);
    }
    if (outcome.cancelled) {
        AfxMessageBox(L"Synchronize cancelled. No note is lost; the next sync completes the work.", MB_ICONINFORMATION);
    } else if (!outcome.ok) {
        AfxMessageBox(L"Synchronize stopped: " + outcome.message + L"\n\nNo note is lost; the next sync completes the work.",
                      MB_ICONEXCLAMATION);
    }
    return changesDatabase;
}
