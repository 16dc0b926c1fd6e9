// Composing a sync's summary.
#include "store/sync/SyncSummary.h"

#include <cwchar>

namespace {

CString Line(const wchar_t* side, const SyncCounts& notes, const SyncCounts& groups)
{
    wchar_t text[256];
    std::swprintf(text, 256, L"%ls: %d %ls to add, %d to change, %d to delete; %d %ls to add, %d to change, %d to delete\n", side,
                  notes.added, notes.added == 1 ? L"note" : L"notes", notes.changed, notes.deleted, groups.added,
                  groups.added == 1 ? L"group" : L"groups", groups.changed, groups.deleted);
    return text;
}

CString Number(const wchar_t* what, size_t count)
{
    wchar_t text[96];
    std::swprintf(text, 96, L"%ls %d\n", what, static_cast<int>(count));
    return text;
}

CString More(size_t shown, size_t total)
{
    return shown < total ? Number(L"  and more:", total - shown) : CString();
}

// A count and the names, none of it when there are none.
CString Names(const wchar_t* what, const std::vector<CString>& names, size_t listed)
{
    if (names.empty()) return CString();
    CString text = Number(what, names.size());
    for (size_t i = 0; i < names.size() && i < listed; ++i) text += L"  " + names[i] + L"\n";
    return text + More(listed, names.size());
}

CString Deletion(const wchar_t* side, int deleted, int held)
{
    if (!IsMassDeletion(deleted, held)) return CString();
    wchar_t text[160];
    if (held == 1) std::swprintf(text, 160, L"This sync would delete the only note of the %ls.", side);
    else if (deleted >= held) std::swprintf(text, 160, L"This sync would delete all %d notes of the %ls.", held, side);
    else std::swprintf(text, 160, L"This sync would delete %d of the %d notes of the %ls.", deleted, held, side);
    return text;
}

} // namespace

CString DescribeSync(const SyncPlan& plan, const std::vector<ImportRefusal>& refusals, size_t listed,
                     const CString& firstSyncReason)
{
    CString text;
    if (!firstSyncReason.IsEmpty()) text = L"first sync (" + firstSyncReason + L"): notes of both sides are kept, none is deleted\n";
    text += Line(L"database", plan.databaseNotes, plan.databaseGroups) + Line(L"folder", plan.folderNotes, plan.folderGroups);
    text += Number(L"unchanged", static_cast<size_t>(plan.unchanged));
    text += Number(L"conflicts", plan.conflicts.size());
    for (size_t i = 0; i < plan.conflicts.size() && i < listed; ++i) {
        const SyncConflict& c = plan.conflicts[i];
        if (c.isGroup)
            text += L"  group \"" + (c.group.IsEmpty() ? CString(L"None") : c.group) + L"\": changed on both sides; the folder's description kept as group \"" + c.copy + L"\"\n";
        else
            text += L"  " + (c.group.IsEmpty() ? CString() : c.group + L"\\") + c.title + L": changed on both sides; the folder's version kept as \"" + c.copy + L"\"\n";
    }
    text += More(listed, plan.conflicts.size());
    // Files that are or may be notes, then what can never be one.
    for (const bool notes : {true, false}) {
        size_t count = 0;
        CString lines;
        for (const ImportRefusal& refusal : refusals) {
            if (refusal.mayHideANote != notes) continue;
            if (count++ < listed) lines += L"  " + refusal.source + L": " + refusal.reason + L"\n";
        }
        if (!notes && count == 0) continue;
        text += Number(notes ? L"refused" : L"left alone, never a note:", count) + lines + More(listed, count);
    }
    text += Names(L"kept, as changed on one side and gone from the other (moved there, perhaps):", plan.keptChanges, listed);
    text += Names(L"held back, as they may be in files that cannot be read:", plan.heldBack, listed);
    return text;
}

CString DescribeMassDeletion(const SyncPlan& plan, int databaseHeld, int folderHeld)
{
    CString text = Deletion(L"database", plan.databaseNotes.deleted, databaseHeld);
    const CString folder = Deletion(L"folder", plan.folderNotes.deleted, folderHeld);
    if (!text.IsEmpty() && !folder.IsEmpty()) text += L" ";
    return text + folder;
}
