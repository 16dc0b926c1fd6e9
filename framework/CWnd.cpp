// CWnd: handle map, subclassing, message dispatch with reflection, and the
// framework's window procedure.
#include "CWnd.h"

#include <commctrl.h>

#include "CException.h"
#include "CMenu.h"
#include "GuardedCall.h"
#include "HandleMap.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, nullptr } };
    static const AFX_MSGMAP map = { nullptr, &entries[0] };
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, nullptr } };
    static const AFX_MSGMAP map = { &CCmdTarget::GetThisMessageMap, &entries[0] };
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id)
{
    const bool routed = message == WM_COMMAND || message == WM_NOTIFY;
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->thunk; ++e) {
            if (e->message != message) continue;
            if (routed && (e->code != code || id < e->idFirst || id > e->idLast)) continue;
            if (!routed && message >= WM_REFLECT_BASE && e->code != code) continue;
            return e;
        }
    }
    return nullptr;
}

CWnd* AfxWndFromHandle(HWND hWnd) { return CWnd::FromHandle(hWnd); }

CWnd::~CWnd()
{
    if (m_hWnd && HandleMap::Find(m_hWnd) == this) {
        // The object dies before its window: destroy the window so that no
        // message reaches a dead object.
        DestroyWindow();
    }
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd) return nullptr;
    if (CWnd* wnd = HandleMap::Find(hWnd)) return wnd;
    return HandleMap::Temporary(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return hWnd ? HandleMap::Find(hWnd) : nullptr; }

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || m_hWnd) return FALSE;
    m_hWnd = hWnd;
    HandleMap::Add(hWnd, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd && HandleMap::Find(hWnd) == this) HandleMap::Remove(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd)) return FALSE;
    PreSubclassWindow();
    auto previous = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (previous != &AfxWndProc) m_pfnSuper = previous;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND control = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return control ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper) ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

namespace {

thread_local CWnd* t_windowInCreation = nullptr;
thread_local HHOOK t_createHook = nullptr;

LRESULT CALLBACK CreateHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_windowInCreation) {
        CWnd* wnd = t_windowInCreation;
        t_windowInCreation = nullptr;
        AfxGuardedCall(nullptr, [&] { wnd->SubclassWindow(reinterpret_cast<HWND>(wParam)); });
    }
    return ::CallNextHookEx(t_createHook, code, wParam, lParam);
}

} // namespace

void AfxHookWindowCreate(CWnd* wnd)
{
    if (!t_createHook) t_createHook = ::SetWindowsHookExW(WH_CBT, &CreateHookProc, nullptr, ::GetCurrentThreadId());
    t_windowInCreation = wnd;
}

bool AfxUnhookWindowCreate()
{
    const bool created = t_windowInCreation == nullptr;
    t_windowInCreation = nullptr;
    if (t_createHook) {
        ::UnhookWindowsHookEx(t_createHook);
        t_createHook = nullptr;
    }
    return created;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, LPVOID param)
{
    CREATESTRUCTW cs = {};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = windowName;
    cs.style = static_cast<LONG>(style);
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = parent ? parent->m_hWnd : nullptr;
    cs.hMenu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs)) return FALSE;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    AfxUnhookWindowCreate();
    if (!hWnd) {
        if (m_hWnd) Detach();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd) return FALSE;
    HWND hWnd = m_hWnd;
    const bool permanent = HandleMap::Find(hWnd) == this;
    const BOOL destroyed = ::DestroyWindow(hWnd);
    // A permanent object may have deleted itself in PostNcDestroy: touch it
    // only while the map still says the handle is its own.
    if (!permanent) m_hWnd = nullptr;
    else if (HandleMap::Find(hWnd) == this && !::IsWindow(hWnd)) Detach();
    return destroyed;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam)) { *result = 0; return TRUE; }
        return FALSE;
    case WM_NOTIFY:
        return OnNotify(wParam, lParam, result);
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        CWnd* child = draw && draw->CtlType != ODT_MENU ? FromHandlePermanent(draw->hwndItem) : nullptr;
        if (child && child->OnChildNotify(message, wParam, lParam, result)) return TRUE;
        break;
    }
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
        CWnd* child = measure && measure->CtlType != ODT_MENU ? FromHandlePermanent(::GetDlgItem(m_hWnd, static_cast<int>(measure->CtlID))) : nullptr;
        if (child && child->OnChildNotify(message, wParam, lParam, result)) return TRUE;
        break;
    }
    default:
        break;
    }
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), message, 0, 0);
    return entry ? entry->thunk(this, wParam, lParam, result) : FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control) {
        CWnd* child = FromHandlePermanent(control);
        LRESULT ignored = 0;
        if (child && child->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored)) return TRUE;
    }
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), WM_COMMAND, HIWORD(wParam), LOWORD(wParam));
    LRESULT ignored = 0;
    return entry ? entry->thunk(this, wParam, lParam, &ignored) : FALSE;
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header) return FALSE;
    CWnd* child = FromHandlePermanent(header->hwndFrom);
    if (child && child->OnChildNotify(WM_NOTIFY, wParam, lParam, result)) return TRUE;
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), WM_NOTIFY, header->code, static_cast<UINT>(header->idFrom));
    return entry ? entry->thunk(this, wParam, lParam, result) : FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    UINT code = 0;
    if (message == WM_COMMAND) code = HIWORD(wParam);
    else if (message == WM_NOTIFY) code = reinterpret_cast<NMHDR*>(lParam)->code;
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), message + WM_REFLECT_BASE, code, 0);
    return entry ? entry->thunk(this, wParam, lParam, result) : FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg)
{
    for (HWND hWnd = msg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* wnd = FromHandlePermanent(hWnd);
        if (wnd && wnd->PreTranslateMessage(msg)) return TRUE;
        if (hWnd == stop) break;
    }
    return FALSE;
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND top = m_hWnd;
    for (HWND parent; (parent = ::GetParent(top)) && (::GetWindowLongW(top, GWL_STYLE) & WS_CHILD); top = parent) {}
    return FromHandle(top);
}

CString CWnd::GetWindowText() const
{
    CString text;
    const int length = ::GetWindowTextLengthW(m_hWnd);
    ::GetWindowTextW(m_hWnd, text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer();
    return text;
}

CString CWnd::GetDlgItemText(int id) const
{
    HWND item = ::GetDlgItem(m_hWnd, id);
    return item ? FromHandle(item)->GetWindowText() : CString();
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(rect));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(rect) + 1);
}

void CWnd::ClientToScreen(LPRECT rect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(rect));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(rect) + 1);
}

namespace {

BOOL ModifyLong(HWND hWnd, int index, DWORD remove, DWORD add, UINT flags)
{
    const DWORD old = static_cast<DWORD>(::GetWindowLongW(hWnd, index));
    const DWORD now = (old & ~remove) | add;
    if (old == now) return FALSE;
    ::SetWindowLongW(hWnd, index, static_cast<LONG>(now));
    if (flags) ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) { return ModifyLong(m_hWnd, GWL_STYLE, remove, add, flags); }

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) { return ModifyLong(m_hWnd, GWL_EXSTYLE, remove, add, flags); }

BOOL CWnd::SetMenu(CMenu* menu) { return ::SetMenu(m_hWnd, menu ? menu->m_hMenu : nullptr); }

void AfxDeleteTempMap() { HandleMap::DeleteTemporaries(); }

namespace {

// What a message returns when its handler failed.
LRESULT FailedResult(HWND hWnd, UINT message)
{
    if (message == WM_CREATE) return -1;
    if (message == WM_PAINT) ::ValidateRect(hWnd, nullptr);
    return 0;
}

} // namespace

LRESULT AfxCallWndProc(CWnd* wnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!AfxGuardedCall(nullptr, [&] { result = wnd->WindowProc(message, wParam, lParam); })) result = FailedResult(hWnd, message);
    if (message == WM_NCDESTROY && wnd->m_hWnd == hWnd) {
        // The window is gone: give the original procedure back and let go of the handle.
        if (wnd->m_pfnSuper && reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == &AfxWndProc)
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wnd->m_pfnSuper));
        wnd->m_pfnSuper = nullptr;
        wnd->Detach();
        wnd->PostNcDestroy();
    }
    return result;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (!wnd) return ::DefWindowProcW(hWnd, message, wParam, lParam);
    return AfxCallWndProc(wnd, hWnd, message, wParam, lParam);
}
