// Message maps: each class has a static table of entries that point to typed
// handlers, chained to its base class's table. The ON_... macros generate an
// entry whose thunk unpacks WPARAM/LPARAM and calls the handler.
#pragma once

#include <windows.h>
#include <windowsx.h>
#undef SubclassWindow  // CWnd has a member of that name

#include "GdiTypes.h"

class CCmdTarget;
class CWnd;

// Reflected messages reach the control that sent them with this offset added.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

struct AFX_MSGMAP_ENTRY {
    UINT message;  // window message, or a reflected one (message + WM_REFLECT_BASE)
    UINT code;     // notification code of WM_COMMAND / WM_NOTIFY entries
    UINT idFirst;  // control or command id range of WM_COMMAND / WM_NOTIFY entries
    UINT idLast;
    // Calls the handler; FALSE means "not handled, go on looking".
    BOOL (*thunk)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result);
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Looks up the first entry of the map chain that matches; null when none does.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id);

CWnd* AfxWndFromHandle(HWND hWnd);

#define DECLARE_MESSAGE_MAP()                                  \
protected:                                                     \
    static const AFX_MSGMAP* GetThisMessageMap();              \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                   \
    {                                                                                 \
        using ThisClass = theClass;                                                   \
        using TheBaseClass = baseClass;                                               \
        static_assert(sizeof(ThisClass) > 0, "message map of a complete class");      \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                  \
            { 0, 0, 0, 0, nullptr }                                        \
        };                                                                 \
        static const AFX_MSGMAP map = { &TheBaseClass::GetThisMessageMap, &entries[0] }; \
        return &map;                                                       \
    }

#define AFX_THUNK                                                                                  \
    [](CCmdTarget* target_, [[maybe_unused]] WPARAM wParam, [[maybe_unused]] LPARAM lParam,       \
       [[maybe_unused]] LRESULT* pResult) -> BOOL

#define AFX_SELF static_cast<ThisClass*>(target_)

// Commands and control notifications (WM_COMMAND).
#define ON_COMMAND(id, fn) { WM_COMMAND, 0, (UINT)(id), (UINT)(id), AFX_THUNK { AFX_SELF->fn(); return TRUE; } },
#define ON_COMMAND_RANGE(id1, id2, fn) \
    { WM_COMMAND, 0, (UINT)(id1), (UINT)(id2), AFX_THUNK { AFX_SELF->fn(LOWORD(wParam)); return TRUE; } },
#define ON_CONTROL(code, id, fn) { WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(id), AFX_THUNK { AFX_SELF->fn(); return TRUE; } },
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)

// Notifications (WM_NOTIFY) handled by the parent: void fn(NMHDR*, LRESULT*).
#define ON_NOTIFY(code, id, fn) \
    { WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(id), AFX_THUNK { AFX_SELF->fn(reinterpret_cast<NMHDR*>(lParam), pResult); return TRUE; } },

// Reflected to the control that sent them. The _EX forms return BOOL: TRUE
// stops the parent from seeing the notification.
#define ON_NOTIFY_REFLECT(code, fn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (UINT)(code), 0, 0, AFX_THUNK { AFX_SELF->fn(reinterpret_cast<NMHDR*>(lParam), pResult); return TRUE; } },
#define ON_NOTIFY_REFLECT_EX(code, fn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (UINT)(code), 0, 0, AFX_THUNK { return AFX_SELF->fn(reinterpret_cast<NMHDR*>(lParam), pResult); } },
#define ON_CONTROL_REFLECT(code, fn) \
    { WM_COMMAND + WM_REFLECT_BASE, (UINT)(code), 0, 0, AFX_THUNK { AFX_SELF->fn(); return TRUE; } },
#define ON_CONTROL_REFLECT_EX(code, fn) \
    { WM_COMMAND + WM_REFLECT_BASE, (UINT)(code), 0, 0, AFX_THUNK { return AFX_SELF->fn(); } },
#define ON_WM_DRAWITEM_REFLECT() \
    { WM_DRAWITEM + WM_REFLECT_BASE, 0, 0, 0, AFX_THUNK { AFX_SELF->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); *pResult = TRUE; return TRUE; } },
#define ON_WM_MEASUREITEM_REFLECT() \
    { WM_MEASUREITEM + WM_REFLECT_BASE, 0, 0, 0, AFX_THUNK { AFX_SELF->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); *pResult = TRUE; return TRUE; } },

// Any message: LRESULT fn(WPARAM, LPARAM).
#define ON_MESSAGE(message, fn) \
    { (UINT)(message), 0, 0, 0, AFX_THUNK { *pResult = AFX_SELF->fn(wParam, lParam); return TRUE; } },

#define AFX_ON_VOID(message, call) { message, 0, 0, 0, AFX_THUNK { AFX_SELF->call; return TRUE; } },
#define AFX_ON_RESULT(message, call) { message, 0, 0, 0, AFX_THUNK { *pResult = (LRESULT)(AFX_SELF->call); return TRUE; } },

#define ON_WM_CREATE() AFX_ON_RESULT(WM_CREATE, OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)))
#define ON_WM_DESTROY() AFX_ON_VOID(WM_DESTROY, OnDestroy())
#define ON_WM_CLOSE() AFX_ON_VOID(WM_CLOSE, OnClose())
#define ON_WM_SIZE() AFX_ON_VOID(WM_SIZE, OnSize((UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam)))
#define ON_WM_MOVE() AFX_ON_VOID(WM_MOVE, OnMove((short)LOWORD(lParam), (short)HIWORD(lParam)))
#define ON_WM_PAINT() AFX_ON_VOID(WM_PAINT, OnPaint())
#define ON_WM_ERASEBKGND() AFX_ON_RESULT(WM_ERASEBKGND, OnEraseBkgnd(reinterpret_cast<HDC>(wParam)))
#define ON_WM_SHOWWINDOW() AFX_ON_VOID(WM_SHOWWINDOW, OnShowWindow((BOOL)wParam, (UINT)lParam))
#define ON_WM_ENABLE() AFX_ON_VOID(WM_ENABLE, OnEnable((BOOL)wParam))
#define ON_WM_TIMER() AFX_ON_VOID(WM_TIMER, OnTimer((UINT_PTR)wParam))
#define ON_WM_SETFOCUS() AFX_ON_VOID(WM_SETFOCUS, OnSetFocus(AfxWndFromHandle(reinterpret_cast<HWND>(wParam))))
#define ON_WM_KILLFOCUS() AFX_ON_VOID(WM_KILLFOCUS, OnKillFocus(AfxWndFromHandle(reinterpret_cast<HWND>(wParam))))
#define ON_WM_CAPTURECHANGED() AFX_ON_VOID(WM_CAPTURECHANGED, OnCaptureChanged(AfxWndFromHandle(reinterpret_cast<HWND>(lParam))))
#define ON_WM_GETMINMAXINFO() AFX_ON_VOID(WM_GETMINMAXINFO, OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)))
#define ON_WM_GETDLGCODE() AFX_ON_RESULT(WM_GETDLGCODE, OnGetDlgCode())
#define ON_WM_SETCURSOR() \
    AFX_ON_RESULT(WM_SETCURSOR, OnSetCursor(AfxWndFromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_NCHITTEST() AFX_ON_RESULT(WM_NCHITTEST, OnNcHitTest(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))))
#define ON_WM_NCLBUTTONDOWN() \
    AFX_ON_VOID(WM_NCLBUTTONDOWN, OnNcLButtonDown((UINT)wParam, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))))
#define ON_WM_SYSCOLORCHANGE() AFX_ON_VOID(WM_SYSCOLORCHANGE, OnSysColorChange())
#define ON_WM_CONTEXTMENU() \
    AFX_ON_VOID(WM_CONTEXTMENU, OnContextMenu(AfxWndFromHandle(reinterpret_cast<HWND>(wParam)), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))))
#define ON_WM_DRAWITEM() AFX_ON_VOID(WM_DRAWITEM, OnDrawItem((int)wParam, reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)))
#define ON_WM_MEASUREITEM() AFX_ON_VOID(WM_MEASUREITEM, OnMeasureItem((int)wParam, reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)))
#define ON_WM_WINDOWPOSCHANGED() AFX_ON_VOID(WM_WINDOWPOSCHANGED, OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)))

#define AFX_MOUSE(message, fn) AFX_ON_VOID(message, fn((UINT)wParam, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))))
#define ON_WM_LBUTTONDOWN() AFX_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_MOUSEMOVE() AFX_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_MOUSELEAVE() AFX_ON_VOID(WM_MOUSELEAVE, OnMouseLeave())
#define ON_WM_MOUSEWHEEL() \
    AFX_ON_RESULT(WM_MOUSEWHEEL, OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))))

#define AFX_KEY(message, fn) AFX_ON_VOID(message, fn((UINT)wParam, LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_KEYDOWN() AFX_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_CHAR() AFX_KEY(WM_CHAR, OnChar)

// Scroll bars: void fn(UINT code, UINT position, HWND scrollBar).
#define ON_WM_HSCROLL() AFX_ON_VOID(WM_HSCROLL, OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
#define ON_WM_VSCROLL() AFX_ON_VOID(WM_VSCROLL, OnVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
