// The note store's message boxes.
#include "StoreReports.h"

#include "res/resource.h"
#include "framework/CDBException.h"
#include "framework/MessageBox.h"
#include "framework/ResourceString.h"

void ShowErrorBox(const CDBException* e) { AfxMessageBox(e->m_strError, MB_ICONHAND); }

void ShowWarningBox(const CDBException* e) { AfxMessageBox(e->m_strError, MB_ICONEXCLAMATION); }

void ShowOwnReport(const CDBException* e) { e->ReportError(MB_OK); }

void ShowNotFound(HWND owner, UINT textId)
{
    const CString text = LoadResourceString(textId);
    const CString caption = LoadResourceString(IDS_INTERNAL_MALFUNCTION);
    ::MessageBoxW(owner, text, caption, MB_ICONHAND);
}
