// The message boxes of the note store's outcomes.
#include "pages/StoreReports.h"

#include "framework/MessageBox.h"
#include "framework/ResourceString.h"
#include "res/resource.h"
#include "store/records/StoreOutcome.h"

namespace {

void ShowNotFound(HWND owner, UINT textId)
{
    const CString text = LoadResourceString(textId);
    const CString caption = LoadResourceString(IDS_INTERNAL_MALFUNCTION);
    CenteredMessageBox(owner, text, caption, MB_ICONHAND);
}

} // namespace

bool ReportStoreOutcome(const StoreOutcome& outcome, UINT failureIcon, HWND owner, UINT notFoundText)
{
    if (outcome.result == StoreResult::Failed || !outcome.error.IsEmpty()) AfxMessageBox(outcome.error, failureIcon);
    if (outcome.result == StoreResult::NoRow && notFoundText != 0) ShowNotFound(owner, notFoundText);
    return outcome.IsDone();
}

CString Quoted(const CString& text) { return L"\"" + text + L"\""; }

int AskAboutNewerVersion(const CString& subject)
{
    return AfxMessageBox(subject +
                             L" was changed in the note database after it was loaded here (by a synchronization, an import or "
                             L"another user).\n\nYes: save your version over it.\nNo: load the newer version (your changes are "
                             L"dropped).\nCancel: go on editing.",
                         MB_YESNOCANCEL | MB_ICONQUESTION);
}
