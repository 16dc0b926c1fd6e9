// CPropertySheet: runs PropertySheetW over the pages' descriptions, attaches
// the sheet window while it is shown, and tells OK from Cancel.
#include "CPropertySheet.h"

#include "CPropertyPage.h"
#include "GuardedCall.h"
#include "ModuleState.h"

namespace {

// The sheet whose window the system is making (one per thread at a time).
thread_local CPropertySheet* t_sheetInCreation = nullptr;

CString LoadCaption(UINT id)
{
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? CString(text, length) : CString();
}

HWND TopLevelOwner(CWnd* parent)
{
    HWND owner = parent ? parent->m_hWnd : ::GetActiveWindow();
    while (owner && (::GetWindowLongW(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetParent(owner);
    return owner;
}

} // namespace

CPropertySheet::CPropertySheet() : m_psh()
{
    m_psh.dwSize = sizeof(PROPSHEETHEADERW);
}

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage) : CPropertySheet()
{
    Construct(captionId, parent, selectPage);
}

CPropertySheet::CPropertySheet(LPCWSTR caption, CWnd* parent, UINT selectPage) : CPropertySheet()
{
    Construct(caption, parent, selectPage);
}

CPropertySheet::~CPropertySheet()
{
    if (t_sheetInCreation == this) t_sheetInCreation = nullptr;
}

void CPropertySheet::Construct(UINT captionId, CWnd* parent, UINT selectPage)
{
    Construct(LoadCaption(captionId).GetString(), parent, selectPage);
}

void CPropertySheet::Construct(LPCWSTR caption, CWnd* parent, UINT selectPage)
{
    m_strCaption = caption;
    m_pParentWnd = parent;
    m_psh.nStartPage = selectPage;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT message, LPARAM)
{
    if (message == PSCB_INITIALIZED) AttachSheetInCreation(hWnd);
    return 0;
}

void CPropertySheet::AttachSheetInCreation(HWND hWnd)
{
    CPropertySheet* sheet = t_sheetInCreation;
    if (!sheet || !hWnd) return;
    t_sheetInCreation = nullptr;
    AfxGuardedCall(hWnd, [&] {
        if (sheet->SubclassWindow(hWnd)) sheet->OnInitDialog();
    });
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd || m_pages.empty()) return -1;
    // The system copies the page descriptions; the pages stay ours.
    std::vector<PROPSHEETPAGEW> pages;
    pages.reserve(m_pages.size());
    for (CPropertyPage* page : m_pages) {
        page->PreparePage();
        pages.push_back(page->m_psp);
    }
    PROPSHEETHEADERW header = m_psh;
    header.dwSize = sizeof header;
    header.dwFlags = (header.dwFlags & ~static_cast<DWORD>(PSH_MODELESS | PSH_PROPSHEETPAGE | PSH_USECALLBACK))
                     | PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_NOCONTEXTHELP;
    header.hwndParent = TopLevelOwner(m_pParentWnd);
    header.hInstance = AfxGetResourceHandle();
    header.pszCaption = m_strCaption;
    header.nPages = static_cast<UINT>(pages.size());
    if (header.nStartPage >= header.nPages) header.nStartPage = 0;
    header.ppsp = pages.data();
    header.pfnCallback = &CPropertySheet::SheetCallback;

    m_endResult = IDCANCEL;
    CPropertySheet* outer = t_sheetInCreation;
    t_sheetInCreation = this;
    const INT_PTR shown = ::PropertySheetW(&header);
    t_sheetInCreation = outer;
    if (m_hWnd) Detach();
    if (shown < 0) return -1;
    // The system answers "changes were saved" (> 0) for OK and also after an
    // Apply; only a sheet closed by OK counts as IDOK.
    return shown > 0 && m_endResult == IDOK ? IDOK : IDCANCEL;
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Remember which closing command came last: the system's result alone
    // does not tell OK from a Cancel after Apply.
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) m_endResult = IDOK;
        else if (LOWORD(wParam) == IDCANCEL) m_endResult = IDCANCEL;
        break;
    case PSM_PRESSBUTTON:
        if (wParam == PSBTN_OK || wParam == PSBTN_FINISH) m_endResult = IDOK;
        else if (wParam == PSBTN_CANCEL) m_endResult = IDCANCEL;
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) m_endResult = IDCANCEL;
        break;
    case WM_CLOSE:
        m_endResult = IDCANCEL;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    if (!page) return;
    m_pages.push_back(page);
    if (m_hWnd) {
        page->PreparePage();
        HPROPSHEETPAGE handle = ::CreatePropertySheetPageW(&page->m_psp);
        if (handle && !PropSheet_AddPage(m_hWnd, handle)) ::DestroyPropertySheetPage(handle);
    }
}

void CPropertySheet::RemovePage(CPropertyPage* page)
{
    const int index = GetPageIndex(page);
    if (index >= 0) RemovePage(index);
}

void CPropertySheet::RemovePage(int index)
{
    if (index < 0 || index >= GetPageCount()) return;
    if (m_hWnd) PropSheet_RemovePage(m_hWnd, index, nullptr);
    m_pages.erase(m_pages.begin() + index);
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* page) const
{
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i] == page) return static_cast<int>(i);
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (!m_hWnd) return static_cast<int>(m_psh.nStartPage);
    HWND current = PropSheet_GetCurrentPageHwnd(m_hWnd);
    return current ? PropSheet_HwndToIndex(m_hWnd, current) : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

BOOL CPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= GetPageCount()) return FALSE;
    if (!m_hWnd) {
        m_psh.nStartPage = static_cast<UINT>(index);
        return TRUE;
    }
    return PropSheet_SetCurSel(m_hWnd, nullptr, index);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }

void CPropertySheet::SetTitle(LPCWSTR text, UINT style)
{
    m_strCaption = text;
    m_psh.dwFlags = (m_psh.dwFlags & ~static_cast<DWORD>(PSH_PROPTITLE)) | (style & PSH_PROPTITLE);
    if (m_hWnd) PropSheet_SetTitle(m_hWnd, style, text);
}

BOOL CPropertySheet::PressButton(int button)
{
    return m_hWnd ? ::PostMessageW(m_hWnd, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0) : FALSE;
}

void CPropertySheet::EndDialog(int result)
{
    if (!m_hWnd) return;
    // Closing goes through the system's buttons so that the pages hear of it.
    PressButton(result == IDOK ? PSBTN_OK : PSBTN_CANCEL);
}
