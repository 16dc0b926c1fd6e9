// CPropertyPage: the page description for the system, the attachment of the
// page window on WM_INITDIALOG, and the sheet's notifications turned into
// the page's hooks.
#include "CPropertyPage.h"

#include "CPropertySheet.h"
#include "GuardedCall.h"
#include "ModuleState.h"

namespace {

CString LoadCaption(UINT id)
{
    const wchar_t* text = nullptr;
    // With a zero length LoadStringW hands out a pointer into the resource.
    const int length = ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? CString(text, length) : CString();
}

} // namespace

CPropertyPage::CPropertyPage() : m_psp()
{
    m_psp.dwSize = sizeof(PROPSHEETPAGEW);
}

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId), m_psp()
{
    m_psp.dwSize = sizeof(PROPSHEETPAGEW);
    Construct(templateId, captionId);
}

void CPropertyPage::Construct(UINT templateId, UINT captionId)
{
    m_templateId = templateId;
    m_nIDHelp = templateId;
    m_psp.pszTemplate = MAKEINTRESOURCEW(templateId);
    m_strCaption = captionId ? LoadCaption(captionId) : CString();
    m_bFirstSetActive = true;
}

void CPropertyPage::PreparePage()
{
    m_psp.dwSize = sizeof(PROPSHEETPAGEW);
    m_psp.dwFlags &= ~static_cast<DWORD>(PSP_DLGINDIRECT | PSP_USETITLE);
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = MAKEINTRESOURCEW(m_templateId);
    if (!m_strCaption.IsEmpty()) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
    m_psp.pfnDlgProc = &CPropertyPage::PageDialogProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
}

INT_PTR CALLBACK CPropertyPage::PageDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG) return FALSE;
    // The sheet hands over its copy of the page description; lParam is the page.
    const auto* description = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
    auto* page = description ? reinterpret_cast<CPropertyPage*>(description->lParam) : nullptr;
    if (!page) return TRUE;
    // The sheet is attached before its first page initialises, so that the
    // page finds its sheet object.
    CPropertySheet::AttachSheetInCreation(::GetParent(hWnd));
    const bool attached = AfxGuardedCall(hWnd, [&] {
        if (page->m_hWnd != hWnd) {
            if (page->m_hWnd) page->Detach();
            page->m_bFirstSetActive = true;
            page->SubclassWindow(hWnd);
        }
    });
    if (!attached) return TRUE;
    return AfxDlgProc(hWnd, message, wParam, lParam);
}

void CPropertyPage::SetModified(BOOL changed)
{
    if (m_hWnd) ::SendMessageW(::GetParent(m_hWnd), changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CPropertyPage::CancelToClose()
{
    if (m_hWnd) ::SendMessageW(::GetParent(m_hWnd), PSM_CANCELTOCLOSE, 0, 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    return m_hWnd ? ::SendMessageW(::GetParent(m_hWnd), PSM_QUERYSIBLINGS, wParam, lParam) : 0;
}

CPropertySheet* CPropertyPage::GetParentSheet() const
{
    return m_hWnd ? dynamic_cast<CPropertySheet*>(FromHandlePermanent(::GetParent(m_hWnd))) : nullptr;
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive) m_bFirstSetActive = false;
    else UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // The page's own message map (and reflection to its controls) comes first.
    if (CDialog::OnNotify(wParam, lParam, result)) return TRUE;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || (header->hwndFrom != m_hWnd && header->hwndFrom != ::GetParent(m_hWnd))) return FALSE;
    BOOL handled = FALSE;
    const bool finished = AfxGuardedCall(m_hWnd, [&] {
        handled = TRUE;
        switch (header->code) {
        case PSN_SETACTIVE: *result = OnSetActive() ? 0 : -1; break;
        case PSN_KILLACTIVE: *result = OnKillActive() ? FALSE : TRUE; break;
        case PSN_APPLY: *result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE; break;
        case PSN_RESET: OnReset(); *result = 0; break;
        case PSN_QUERYCANCEL: *result = OnQueryCancel() ? FALSE : TRUE; break;
        default: handled = FALSE; break;
        }
    });
    if (finished) return handled;
    // A hook that failed keeps the sheet where it is: the user saw why.
    switch (header->code) {
    case PSN_KILLACTIVE: *result = TRUE; break;
    case PSN_APPLY: *result = PSNRET_INVALID_NOCHANGEPAGE; break;
    default: *result = 0; break;
    }
    return TRUE;
}
