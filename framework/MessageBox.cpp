// AfxMessageBox and CException::ReportError.
#include "MessageBox.h"

#include "CException.h"
#include "CWinApp.h"
#include "ModuleState.h"

int AfxMessageBox(const wchar_t* text, UINT type, UINT)
{
    if ((type & MB_ICONMASK) == 0) {
        switch (type & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL: type |= MB_ICONEXCLAMATION; break;
        case MB_YESNO:
        case MB_YESNOCANCEL: type |= MB_ICONQUESTION; break;
        default: break;
        }
    }
    HWND owner = ::GetActiveWindow();
    if (owner) {
        for (HWND parent; (::GetWindowLongW(owner, GWL_STYLE) & WS_CHILD) && (parent = ::GetParent(owner)); owner = parent) {}
    }
    CWinApp* app = AfxGetApp();
    const CString caption = app ? app->GetAppName() : CString();
    return ::MessageBoxW(owner, text, caption.IsEmpty() ? nullptr : caption.GetString(), type);
}

int CException::ReportError(unsigned type, unsigned) const
{
    return AfxMessageBox(GetErrorText(), type);
}
