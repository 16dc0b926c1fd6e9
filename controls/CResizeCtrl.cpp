// CResizeCtrl: window-procedure replacement, the batch layout of registered
// children, tracking sizes, the borrowed sizing border and the size grip.
#include "CResizeCtrl.h"

#include <windowsx.h>

#include <unordered_map>

#include "framework/CWnd.h"
#include "framework/GuardedCall.h"
#include "framework/UniqueHandle.h"

namespace {

const wchar_t kPropertyName[] = L"___CResizeCtrl___Class___";

// The control of every window that carries the property, set and cleared
// together with it. The window procedure looks the control up here: reading
// the property itself on every message costs a round trip to the Wine server
// (about 13 microseconds), and a list filling 30,000 rows sends its parent
// three notifications per row.
std::unordered_map<HWND, CResizeCtrl*>& Attached()
{
    static std::unordered_map<HWND, CResizeCtrl*> attached;
    return attached;
}

ControlRect ToControlRect(const RECT& r) { return ControlRect{r.left, r.top, r.right, r.bottom}; }

// Gives a window's DC back to that window. The framework's CClientDC
// throws when GetDC fails, and nothing may be thrown through this class's
// window procedure, which the framework does not guard.
struct WindowDCRelease {
    HWND window = nullptr;  // not owned
    void operator()(HDC dc) const { ::ReleaseDC(window, dc); }
};

// Moves and sizes `window` to a rectangle given in screen coordinates.
void MoveToScreenRect(HWND window, const ControlRect& r)
{
    POINT topLeft{r.left, r.top};
    if (::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ::ScreenToClient(::GetParent(window), &topLeft);
    ::SetWindowPos(window, nullptr, topLeft.x, topLeft.y, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

CResizeCtrl::CResizeCtrl()
    : m_hadSizingBorder(FALSE),
      m_previousWndProc(nullptr),
      m_enabled(FALSE),
      m_shareScale(kAnchorShareScale),
      m_window(nullptr),
      m_clientWidth(0),
      m_clientHeight(0),
      m_items(nullptr),
      m_maxTrackSize{-1, -1},
      m_minTrackSize{-1, -1},
      m_inLayout(FALSE),
      m_sizingHitCode(0),
      m_sizingOffsetX(0),
      m_sizingOffsetY(0),
      m_inSizingMove(FALSE),
      m_gripRect{0, 0, 0, 0},
      m_gripEnabled(FALSE)
{
}

CResizeCtrl::~CResizeCtrl()
{
    Enable(FALSE);
    delete m_items;
}

const wchar_t* CResizeCtrl::PropertyName() { return kPropertyName; }

BOOL CResizeCtrl::Create(HWND window)
{
    if (m_items || !window || !::IsWindow(window)) return FALSE;
    m_items = new CResizeArray;
    m_window = window;
    m_shareScale = kAnchorShareScale;
    m_inLayout = FALSE;
    m_previousWndProc = nullptr;
    m_enabled = FALSE;
    m_minTrackSize = SIZE{-1, -1};
    m_maxTrackSize = SIZE{-1, -1};
    // A child window is sized by its parent, never by its user: it borrows no border.
    m_hadSizingBorder = (::GetWindowLongW(window, GWL_STYLE) & (WS_THICKFRAME | WS_CHILD)) ? TRUE : FALSE;
    Enable(TRUE);
    return TRUE;
}

BOOL CResizeCtrl::Create(CWnd* window) { return window ? Create(window->GetSafeHwnd()) : FALSE; }

BOOL CResizeCtrl::Enable(BOOL enable)
{
    if ((enable != FALSE) == (m_enabled != FALSE)) return FALSE;
    if (!m_window) return FALSE;
    if (enable) {
        if (!::IsWindow(m_window)) return FALSE;
        m_inLayout = FALSE;
        m_sizingHitCode = 0;
        m_sizingOffsetX = m_sizingOffsetY = 0;
        m_inSizingMove = FALSE;
        if (!m_hadSizingBorder) SetSizingBorder(true);
        RECT client;
        ::GetClientRect(m_window, &client);
        m_clientWidth = client.right - client.left;
        m_clientHeight = client.bottom - client.top;
        ::SetPropW(m_window, kPropertyName, this);
        Attached()[m_window] = this;
        m_previousWndProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_window, GWLP_WNDPROC));
        ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CResizeCtrl::WindowProcedure));
        m_enabled = TRUE;
    } else {
        ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousWndProc));
        m_previousWndProc = nullptr;
        ::RemovePropW(m_window, kPropertyName);
        Attached().erase(m_window);
        if (!m_hadSizingBorder) SetSizingBorder(false);
        m_enabled = FALSE;
    }
    if (m_gripEnabled) UpdateGrip();
    return TRUE;
}

BOOL CResizeCtrl::Add(HWND child, int leftShare, int topShare, int widthShare, int heightShare)
{
    if (!m_items) return FALSE;
    if (!AnchorSharesValid(leftShare, topShare, widthShare, heightShare, m_shareScale)) return FALSE;
    if (!child || !::IsWindow(child)) return FALSE;
    CRPItemState item;
    item.hwnd = child;
    item.leftShare = leftShare;
    item.topShare = topShare;
    item.widthShare = widthShare;
    item.heightShare = heightShare;
    m_items->push_back(item);
    return TRUE;
}

BOOL CResizeCtrl::Add(UINT controlId, int leftShare, int topShare, int widthShare, int heightShare)
{
    if (!m_window) return FALSE;
    return Add(::GetDlgItem(m_window, static_cast<int>(controlId)), leftShare, topShare, widthShare, heightShare);
}

void CResizeCtrl::SetMinimumTrackingSize(SIZE size) { m_minTrackSize = size; }

void CResizeCtrl::SetMinimumTrackingSize()
{
    if (!m_window) return;
    RECT window;
    ::GetWindowRect(m_window, &window);
    m_minTrackSize = SIZE{window.right - window.left, window.bottom - window.top};
}

void CResizeCtrl::SetGripEnabled(BOOL enable)
{
    if ((enable != FALSE) == (m_gripEnabled != FALSE)) return;
    if (m_window && ::IsWindow(m_window)) ::InvalidateRect(m_window, &m_gripRect, TRUE);
    m_gripEnabled = enable ? TRUE : FALSE;
    if (m_gripEnabled) UpdateGrip();
}

LRESULT CALLBACK CResizeCtrl::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto found = Attached().find(window);
    if (found == Attached().end()) return 0;
    CResizeCtrl* control = found->second;
    // Handling WM_DESTROY puts the previous procedure back and clears it here.
    const WNDPROC previous = control->m_previousWndProc;
    LRESULT result = 0;
    BOOL handled = FALSE;
    // What the layout raises is reported here and does not cross the procedure.
    if (!AfxGuardedCall(nullptr, [&] { handled = control->HandleMessage(message, wParam, lParam, &result, previous); })) return 0;
    if (handled) return result;
    return ::CallWindowProcW(previous, window, message, wParam, lParam);
}

BOOL CResizeCtrl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result, WNDPROC previous)
{
    switch (message) {
    case WM_NCHITTEST:
        return m_gripEnabled && OnNcHitTest(lParam, result);
    case WM_PAINT:
        return m_gripEnabled && OnPaint(wParam, lParam, result, previous);
    case WM_DESTROY:
        Enable(FALSE);
        return FALSE;
    case WM_SIZE:
        return OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam), wParam, lParam, result, previous);
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam), wParam, lParam, result, previous);
    default:
        break;
    }
    if (m_hadSizingBorder) return FALSE;
    switch (message) {
    case WM_NCLBUTTONDOWN:
        OnNcLButtonDown(static_cast<int>(wParam));
        break;
    case WM_MOUSEMOVE:
        OnMouseMove();
        break;
    case WM_LBUTTONUP:
        OnLButtonUp();
        break;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(reinterpret_cast<HWND>(lParam));
        break;
    default:
        break;
    }
    return FALSE;
}

BOOL CResizeCtrl::OnNcHitTest(LPARAM lParam, LRESULT* result)
{
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ScreenToClient(m_window, &point);
    if (!::PtInRect(&m_gripRect, point)) return FALSE;
    *result = HTBOTTOMRIGHT;
    return TRUE;
}

BOOL CResizeCtrl::OnPaint(WPARAM wParam, LPARAM lParam, LRESULT* result, WNDPROC previous)
{
    *result = ::CallWindowProcW(previous, m_window, WM_PAINT, wParam, lParam);
    const CUniqueHandle<HDC, WindowDCRelease> dc(::GetDC(m_window), WindowDCRelease{m_window});
    if (dc.Get()) ::DrawFrameControl(dc.Get(), &m_gripRect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    return TRUE;
}

BOOL CResizeCtrl::OnSize(UINT sizeType, int width, int height, WPARAM wParam, LPARAM lParam, LRESULT* result,
                         WNDPROC previous)
{
    *result = ::CallWindowProcW(previous, m_window, WM_SIZE, wParam, lParam);
    // A minimized window reports a client area of 0 x 0; laying the children
    // out for it would squash them against controls that refuse to shrink and
    // leave them misplaced after the restore.
    if (sizeType == SIZE_MINIMIZED) return TRUE;
    LayoutChildren(width, height);
    if (m_gripEnabled) {
        ::InvalidateRect(m_window, &m_gripRect, TRUE);
        UpdateGrip();
    }
    return TRUE;
}

BOOL CResizeCtrl::OnGetMinMaxInfo(MINMAXINFO* info, WPARAM wParam, LPARAM lParam, LRESULT* result, WNDPROC previous)
{
    *result = ::CallWindowProcW(previous, m_window, WM_GETMINMAXINFO, wParam, lParam);
    if (!info) return TRUE;
    if (m_minTrackSize.cx == -1) m_minTrackSize.cx = info->ptMinTrackSize.x;
    if (m_minTrackSize.cy == -1) m_minTrackSize.cy = info->ptMinTrackSize.y;
    if (m_maxTrackSize.cx == -1) m_maxTrackSize.cx = info->ptMaxTrackSize.x;
    if (m_maxTrackSize.cy == -1) m_maxTrackSize.cy = info->ptMaxTrackSize.y;
    info->ptMinTrackSize.x = m_minTrackSize.cx;
    info->ptMinTrackSize.y = m_minTrackSize.cy;
    info->ptMaxTrackSize.x = m_maxTrackSize.cx;
    info->ptMaxTrackSize.y = m_maxTrackSize.cy;
    // Maximised, a top-level window fills its monitor's work area, frame and
    // caption included: nothing of it lies off the screen or under a task bar.
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!(::GetWindowLongW(m_window, GWL_STYLE) & WS_CHILD) &&
        ::GetMonitorInfoW(::MonitorFromWindow(m_window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        info->ptMaxPosition.x = monitor.rcWork.left - monitor.rcMonitor.left;
        info->ptMaxPosition.y = monitor.rcWork.top - monitor.rcMonitor.top;
        info->ptMaxSize.x = monitor.rcWork.right - monitor.rcWork.left;
        info->ptMaxSize.y = monitor.rcWork.bottom - monitor.rcWork.top;
    }
    return TRUE;
}

void CResizeCtrl::OnNcLButtonDown(int hitCode)
{
    POINT cursor;
    ::GetCursorPos(&cursor);
    RECT window;
    ::GetWindowRect(m_window, &window);
    const EdgeDrag drag = BeginEdgeDrag(hitCode, ToControlRect(window), cursor.x, cursor.y);
    m_sizingHitCode = drag.hitCode;
    m_sizingOffsetX = drag.offsetX;
    m_sizingOffsetY = drag.offsetY;
    if (m_sizingHitCode) ::SetCapture(m_window);
}

void CResizeCtrl::OnMouseMove()
{
    if (!m_sizingHitCode || m_inSizingMove) return;
    // A drag whose capture went elsewhere (the system's own sizing loop, a
    // switch to another window) is over: the edge must not follow the mouse.
    if (::GetCapture() != m_window) {
        EndBorderDrag();
        return;
    }
    m_inSizingMove = TRUE;
    POINT cursor;
    ::GetCursorPos(&cursor);
    RECT window;
    ::GetWindowRect(m_window, &window);
    const EdgeDrag drag{m_sizingHitCode, m_sizingOffsetX, m_sizingOffsetY};
    const ControlRect current = ToControlRect(window);
    const ControlRect moved = DragEdges(drag, current, cursor.x, cursor.y);
    if (moved != current) MoveToScreenRect(m_window, moved);
    m_inSizingMove = FALSE;
}

void CResizeCtrl::OnLButtonUp()
{
    if (!m_sizingHitCode) return;
    ::ReleaseCapture();
    m_sizingHitCode = 0;
}

void CResizeCtrl::OnCaptureChanged(HWND newCapture)
{
    if (m_sizingHitCode && newCapture != m_window) EndBorderDrag();
}

void CResizeCtrl::EndBorderDrag()
{
    m_sizingHitCode = 0;
    m_sizingOffsetX = m_sizingOffsetY = 0;
}

void CResizeCtrl::LayoutChildren(int clientWidth, int clientHeight)
{
    if (m_inLayout) return;
    m_inLayout = TRUE;
    if (!m_items || m_items->empty()) {
        // Nothing to move, but the size is the one later children start from:
        // without it a child registered now would be moved by changes that
        // happened before it was registered.
        m_clientWidth = clientWidth;
        m_clientHeight = clientHeight;
        m_inLayout = FALSE;
        return;
    }
    const int dx = clientWidth - m_clientWidth;
    const int dy = clientHeight - m_clientHeight;
    if (dx == 0 && dy == 0) {
        m_inLayout = FALSE;
        return;
    }
    HDWP batch = ::BeginDeferWindowPos(0);
    for (CRPItemState& item : *m_items) {
        // A child destroyed since it was registered would fail the whole batch.
        if (!::IsWindow(item.hwnd)) continue;
        RECT r;
        ::GetWindowRect(item.hwnd, &r);
        ::MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&r), 2);
        AnchorBox box{r.left, r.top, r.right - r.left, r.bottom - r.top};
        if (!ApplyAnchor(item, box, dx, dy, m_shareScale)) continue;
        if (batch)
            batch = ::DeferWindowPos(batch, item.hwnd, nullptr, box.x, box.y, box.width, box.height, SWP_NOZORDER);
        else
            ::SetWindowPos(item.hwnd, nullptr, box.x, box.y, box.width, box.height, SWP_NOZORDER);
    }
    if (batch) ::EndDeferWindowPos(batch);
    // Controls that do not erase what they leave (a group box's frame) would
    // leave their old lines behind: the whole window is drawn again.
    ::RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    m_clientWidth = clientWidth;
    m_clientHeight = clientHeight;
    m_inLayout = FALSE;
}

void CResizeCtrl::SetSizingBorder(bool add)
{
    const BOOL hasMenu = ::GetMenu(m_window) != nullptr && !(::GetWindowLongW(m_window, GWL_STYLE) & WS_CHILD);
    const DWORD style = static_cast<DWORD>(::GetWindowLongW(m_window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(m_window, GWL_EXSTYLE));
    const DWORD newStyle = add ? (style | WS_THICKFRAME) : (style & ~static_cast<DWORD>(WS_THICKFRAME));
    if (newStyle == style) return;
    RECT window, client;
    ::GetWindowRect(m_window, &window);
    ::GetClientRect(m_window, &client);
    RECT outerOld = client, outerNew = client;
    ::AdjustWindowRectEx(&outerOld, style, hasMenu, exStyle);
    ::AdjustWindowRectEx(&outerNew, newStyle, hasMenu, exStyle);
    const ControlRect moved = KeepClientArea(ToControlRect(window), ToControlRect(outerOld), ToControlRect(outerNew));
    ::SetWindowLongW(m_window, GWL_STYLE, static_cast<LONG>(newStyle));
    POINT topLeft{moved.left, moved.top};
    if (style & WS_CHILD) ::ScreenToClient(::GetParent(m_window), &topLeft);
    // SWP_FRAMECHANGED makes the system measure the new frame even when the
    // outer rectangle happens not to change.
    ::SetWindowPos(m_window, nullptr, topLeft.x, topLeft.y, moved.Width(), moved.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CResizeCtrl::UpdateGrip()
{
    if (!m_window || !::IsWindow(m_window)) return;
    RECT client;
    ::GetClientRect(m_window, &client);
    const ControlRect grip =
        GripRect(ToControlRect(client), ::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL));
    m_gripRect = RECT{grip.left, grip.top, grip.right, grip.bottom};
    ::InvalidateRect(m_window, &m_gripRect, TRUE);
}
