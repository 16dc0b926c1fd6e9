// Synchronize as the user drives it.
#include "window/SyncCommand.h"

#include "framework/CDatabase.h"
#include "framework/CWnd.h"
#include "framework/MessageBox.h"
#include "store/sync/NoteSync.h"
#include "store/sync/SyncLock.h"
#include "store/sync/SyncSummary.h"
#include "window/CProgressWindow.h"
#include "window/ExchangeCommands.h"
#include "window/FolderPicker.h"

#include <vector>

namespace {

constexpr size_t kListedInSummary = 10;
constexpr size_t kListedDeletions = 30;

CString NamedList(const wchar_t* heading, const std::vector<CString>& names)
{
    if (names.empty()) return CString();
    CString text = CString(L"\n") + heading + L"\n";
    for (size_t i = 0; i < names.size() && i < kListedDeletions; ++i) text += L"  " + names[i] + L"\n";
    if (names.size() > kListedDeletions) {
        CString more;
        more.Format(L"  and %d more\n", static_cast<int>(names.size() - kListedDeletions));
        text += more;
    }
    return text;
}

// The question before a sync changes anything. A mass deletion names the
// notes to go and has Cancel as the default button.
bool AskToSync(const NoteSync& sync, const CString& summary)
{
    const CString massDeletion = DescribeMassDeletion(sync);
    if (massDeletion.IsEmpty()) return AfxMessageBox(summary + L"\nSynchronize now?", MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
    const CString text = summary + L"\n" + massDeletion + L"\n" +
                         NamedList(L"Notes to delete from the database:", NotesDeletedFromDatabase(sync)) +
                         NamedList(L"Notes to delete from the folder:", NotesDeletedFromFolder(sync)) +
                         L"\nDelete these notes and synchronize?";
    return AfxMessageBox(text, MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2) == IDOK;
}

void ReportApplied(const ExchangeOutcome& outcome)
{
    if (outcome.cancelled) {
        AfxMessageBox(L"Synchronize cancelled. No note is lost; the next sync completes the work.", MB_ICONINFORMATION);
    } else if (!outcome.ok) {
        AfxMessageBox(L"Synchronize stopped: " + outcome.message + L"\n\nNo note is lost; the next sync completes the work.",
                      MB_ICONEXCLAMATION);
    } else if (outcome.leftForNextSync > 0) {
        CString text;
        text.Format(L"Synchronized. %d notes or groups changed while the sync ran; they were left as they are for the next sync.",
                    outcome.leftForNextSync);
        AfxMessageBox(text, MB_ICONINFORMATION);
    }
}

} // namespace

bool RunSync(CWnd& owner, CDatabase& database, const CString& databasePath, CString& lastFolder)
{
    if (!EnsureOpen(database)) return false;
    CString folder;
    if (!PickFolder(owner.m_hWnd, L"Synchronize the note database with this folder:", lastFolder, folder)) return false;
    lastFolder = folder;
    // The lock is not held while the user reads the question: after it, the
    // sync plans again and carries out only the summary the user agreed to.
    CString agreed;
    for (;;) {
        CSyncLock lock;
        CString error;
        if (!lock.Acquire(databasePath, kSyncLockWait, error)) {
            AfxMessageBox(L"Synchronize failed: " + error, MB_ICONEXCLAMATION);
            return false;
        }
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
                                DescribeSync(sync.plan, sync.refusals, kListedInSummary, sync.firstSyncReason);
        const bool changesDatabase = sync.plan.ChangesDatabase();
        if (!changesDatabase && !sync.plan.ChangesFolder()) {
            // Still recorded as this database's last sync with the folder.
            outcome = ApplyNoteSync(database, sync, nullptr);
            AfxMessageBox(summary + (outcome.ok ? CString(L"\nBoth sides already hold the same notes.") : L"\n" + outcome.message),
                          outcome.ok ? MB_ICONINFORMATION : MB_ICONEXCLAMATION);
            return false;
        }
        if (summary == agreed) {
            {
                CProgressWindow progress(&owner, L"Synchronizing with " + folder);
                outcome = ApplyNoteSync(database, sync, &progress);
            }
            lock.Release();
            ReportApplied(outcome);
            return changesDatabase;
        }
        lock.Release();
        const CString changedMeanwhile =
            agreed.IsEmpty() ? CString() : CString(L"The database or the folder changed while you decided; this is what a sync does now.\n\n");
        if (!AskToSync(sync, changedMeanwhile + summary)) return false;
        agreed = summary;
    }
}
