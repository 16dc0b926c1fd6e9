// CTabCtrlSSL: adding pages, placing them, switching them on the selection
// notifications, the focus kept per tab, routing and destruction.
#include "CTabCtrlSSL.h"

#include "TabPlacement.h"

BEGIN_MESSAGE_MAP(CTabCtrlSSL, CTabCtrl)
    ON_WM_DESTROY()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_SIZE()
    ON_NOTIFY_REFLECT(TCN_SELCHANGING, OnSelChanging)
    ON_NOTIFY_REFLECT(TCN_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

CTabCtrlSSL::CTabCtrlSSL() = default;

// The pages are left alone: their windows went with this control's window,
// and caller-owned page objects belong to the caller.
CTabCtrlSSL::~CTabCtrlSSL() { m_book.Clear(); }

int CTabCtrlSSL::AddPage(const wchar_t* title, int pageId, CTabPageSSL* page)
{
    return AddPage(title, pageId, TabDelete{page, 0});
}

int CTabCtrlSSL::AddPage(const wchar_t* title, int pageId, TabDelete entry)
{
    const int index = GetItemCount();
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(title ? title : L"");
    if (InsertItem(index, &item) == -1) return -1;
    // A page needs its window: it is re-parented, placed and shown here.
    if (!entry.page || !::IsWindow(entry.page->m_hWnd)) {
        DeleteItem(index);
        return -1;
    }
    m_book.Append(entry.page, entry.owned == 1, pageId);
    ::SetParent(entry.page->m_hWnd, m_hWnd);

    RECT client;
    GetClientRect(&client);
    if (TabClientHasRoom(client.right - client.left, client.bottom - client.top))
        PlacePage(index, client.right - client.left, client.bottom - client.top);

    HWND focus = nullptr;
    if (OnPageInit(index, pageId)) {
        focus = FirstControl(entry.page->m_hWnd);
    } else {
        focus = ::GetFocus();
    }
    m_book.SetFocusWindow(index, focus);

    if (index == 0) entry.page->ShowWindow(SW_SHOW);
    return index;
}

int CTabCtrlSSL::GetPageCount() { return GetItemCount(); }

CTabPageSSL* CTabCtrlSSL::GetPage(int index)
{
    if (index < 0 || index >= GetPageCount()) return nullptr;
    return m_book.GetPage(index);
}

void CTabCtrlSSL::PlacePage(int index, int width, int height)
{
    CTabPageSSL* page = m_book.GetPage(index);
    if (index == -1 || !page) return;
    RECT item = {};
    GetItemRect(index, &item);
    const TabPagePlacement place = PlaceTabPage(GetStyle(), ControlRect{item.left, item.top, item.right, item.bottom},
                                                GetRowCount(), width, height);
    page->SetWindowPos(nullptr, place.x, place.y, place.width, place.height, SWP_NOZORDER);
}

void CTabCtrlSSL::RememberFocus(int index, HWND focus)
{
    // Only a window of the page itself is remembered: a window elsewhere in
    // the dialog would pull the focus out of the page each time it is entered.
    CTabPageSSL* page = m_book.GetPage(index);
    if (!page || !focus) return;
    if (focus == page->m_hWnd || ::IsChild(page->m_hWnd, focus)) m_book.SetFocusWindow(index, focus);
}

HWND CTabCtrlSSL::FocusTarget(int index) const
{
    CTabPageSSL* page = m_book.GetPage(index);
    if (!page) return nullptr;
    HWND focus = m_book.GetFocusWindow(index);
    if (focus && ::IsWindow(focus) && (focus == page->m_hWnd || ::IsChild(page->m_hWnd, focus))) return focus;
    // The remembered window is gone or lies outside the page: its first control.
    return FirstControl(page->m_hWnd);
}

// The page's first tab stop, else its first child (a label takes no input);
// a page without children takes the focus itself.
HWND CTabCtrlSSL::FirstControl(HWND page)
{
    HWND first = ::GetTopWindow(page);
    for (HWND child = first; child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) return child;
    }
    return first ? first : page;
}

void CTabCtrlSSL::OnSelChanging(NMHDR*, LRESULT* result)
{
    const int index = GetCurSel();
    if (index == -1) return;
    OnPageDeactivate(index, m_book.GetPageId(index));
    if (CTabPageSSL* page = m_book.GetPage(index)) {
        const HWND focus = ::GetFocus();
        m_focusWasInPage = focus && (focus == page->m_hWnd || ::IsChild(page->m_hWnd, focus));
        RememberFocus(index, focus);
        page->ShowWindow(SW_HIDE);
    }
    *result = 0;
}

void CTabCtrlSSL::OnSelChange(NMHDR*, LRESULT* result)
{
    const int index = GetCurSel();
    if (index == -1) return;
    ReleasePressedTabs(index);
    if (CTabPageSSL* page = m_book.GetPage(index)) {
        if (!m_stripKeepsFocus || m_focusWasInPage) ::SetFocus(FocusTarget(index));
        m_focusWasInPage = false;
        RECT client;
        GetClientRect(&client);
        PlacePage(index, client.right - client.left, client.bottom - client.top);
        page->ShowWindow(SW_SHOW);
    }
    OnPageActivate(index, m_book.GetPageId(index));
    *result = 0;
}

// The page in front follows the control's size; the others are placed when selected.
void CTabCtrlSSL::OnSize(UINT type, int width, int height)
{
    DefWindowProc(WM_SIZE, type, MAKELPARAM(width, height));
    if (TabClientHasRoom(width, height)) PlacePage(GetCurSel(), width, height);
}

// The tab control keeps a pressed state per tab. TCM_SETCURFOCUS moves the
// selection without taking it from the tab that was selected (Wine's
// comctl32), and while a tab other than the selected one is pressed the
// strip takes a click as "release the pressed tabs" instead of a selection:
// it stops answering clicks. Only the selected tab stays pressed.
void CTabCtrlSSL::ReleasePressedTabs(int selected)
{
    for (int index = 0; index < GetItemCount(); ++index) {
        TCITEMW item = {};
        item.mask = TCIF_STATE;
        item.dwStateMask = TCIS_BUTTONPRESSED;
        item.dwState = index == selected ? TCIS_BUTTONPRESSED : 0;
        SendMessage(TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
}

void CTabCtrlSSL::OnKillFocus(CWnd* newWnd)
{
    HWND taker = newWnd ? newWnd->m_hWnd : nullptr; // the window that takes the focus
    DefWindowProc(WM_KILLFOCUS, reinterpret_cast<WPARAM>(taker), 0);
    const int index = GetCurSel();
    if (index != -1) RememberFocus(index, taker);
}

void CTabCtrlSSL::OnSetFocus(CWnd* oldWnd)
{
    DefWindowProc(WM_SETFOCUS, reinterpret_cast<WPARAM>(oldWnd ? oldWnd->m_hWnd : nullptr), 0);
    if (m_stripKeepsFocus) return;
    const int index = GetCurSel();
    if (index == -1 || !m_book.GetPage(index)) return;
    ::SetFocus(FocusTarget(index));
}

void CTabCtrlSSL::OnDestroy()
{
    m_book.DestroyAll([this](int index, int pageId, CTabPageSSL* page) {
        OnPageDestroy(index, pageId);
        if (page) page->DestroyWindow();
    });
    DefWindowProc(WM_DESTROY, 0, 0);
}

BOOL CTabCtrlSSL::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return static_cast<BOOL>(::SendMessageW(::GetParent(m_hWnd), WM_COMMAND, wParam, lParam));
}

BOOL CTabCtrlSSL::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // Handled here: the tab control's own procedure would pass the same
    // notification to the parent a second time. The parent's answer goes
    // back to the sender.
    const LRESULT answer = ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, wParam, lParam);
    if (result) *result = answer;
    return TRUE;
}

BOOL CTabCtrlSSL::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    if (code == static_cast<int>(CN_EVENT))
        return RouteCmdMsg(CWnd::FromHandlePermanent(::GetParent(m_hWnd)), id, CN_EVENT, extra, handlerInfo);
    return RouteCmdMsgToMap(this, id, code);
}

BOOL CTabCtrlSSL::OnPageInit(int, int) { return TRUE; }

void CTabCtrlSSL::OnPageActivate(int, int) {}

void CTabCtrlSSL::OnPageDeactivate(int, int) {}

void CTabCtrlSSL::OnPageDestroy(int, int) {}
