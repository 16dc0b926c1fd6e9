// CResizeCtrl: makes the registered children of a window follow its size.
// It attaches from outside: a window property carries its address and its
// own window procedure replaces the window's, passing on what it does not
// handle. It also keeps minimum/maximum tracking sizes, can give a window
// without a sizing border one (and size it by its own border dragging), and
// can draw a size grip.
#pragma once

#include <windows.h>

#include <vector>

#include "AnchorLayout.h"

class CWnd;

// One registered child: its handle, shares and carried remainders.
struct CRPItemState : AnchorItem {
    HWND hwnd = nullptr; // borrowed: the parent's child window
};

// The registered children, in the order of registration.
class CResizeArray : public std::vector<CRPItemState> {};

class CResizeCtrl {
public:
    CResizeCtrl();
    CResizeCtrl(const CResizeCtrl&) = delete;
    CResizeCtrl& operator=(const CResizeCtrl&) = delete;
    virtual ~CResizeCtrl();

    // Attaches to `window` and enables the control; FALSE when already
    // created or when `window` is not a window.
    BOOL Create(HWND window);
    BOOL Create(CWnd* window);
    // Installs (TRUE) or removes (FALSE) the control's window procedure;
    // FALSE when the control is already in that state or has no window.
    BOOL Enable(BOOL enable);
    BOOL IsEnabled() const { return m_enabled; }

    // Registers a child with its shares (0..100) of the parent's size change.
    BOOL Add(HWND child, int leftShare, int topShare, int widthShare, int heightShare);
    BOOL Add(UINT controlId, int leftShare, int topShare, int widthShare, int heightShare);

    void SetMinimumTrackingSize(SIZE size);
    // The window's current outer size becomes the smallest it can be made.
    void SetMinimumTrackingSize();
    SIZE GetMinimumTrackingSize() const { return m_minTrackSize; }
    SIZE GetMaximumTrackingSize() const { return m_maxTrackSize; }

    // Draws and hit-tests a size grip in the bottom-right corner (off by default).
    void SetGripEnabled(BOOL enable);

    // The name of the window property that carries the control's address.
    static const wchar_t* PropertyName();

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Handles one message of the managed window; FALSE leaves it to `previous`.
    BOOL HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result, WNDPROC previous);

    BOOL OnNcHitTest(LPARAM lParam, LRESULT* result);
    BOOL OnPaint(WPARAM wParam, LPARAM lParam, LRESULT* result, WNDPROC previous);
    BOOL OnSize(UINT sizeType, int width, int height, WPARAM wParam, LPARAM lParam, LRESULT* result, WNDPROC previous);
    BOOL OnGetMinMaxInfo(MINMAXINFO* info, WPARAM wParam, LPARAM lParam, LRESULT* result, WNDPROC previous);
    void OnNcLButtonDown(int hitCode);
    void OnMouseMove();
    void OnLButtonUp();
    void OnCaptureChanged(HWND newCapture);

    void LayoutChildren(int clientWidth, int clientHeight);
    void SetSizingBorder(bool add);
    void UpdateGrip();
    void EndBorderDrag();

    BOOL m_hadSizingBorder;      // the window had WS_THICKFRAME of its own, or is a child (which borrows none)
    WNDPROC m_previousWndProc;   // the window's procedure that ours replaced; null while detached
    BOOL m_enabled;
    int m_shareScale;
    HWND m_window;               // borrowed: the managed window
    int m_clientWidth;
    int m_clientHeight;
    CResizeArray* m_items;       // owned; its existence marks the control as created
    SIZE m_maxTrackSize;         // -1 in a coordinate: not yet known
    SIZE m_minTrackSize;
    BOOL m_inLayout;
    int m_sizingHitCode;
    int m_sizingOffsetX;
    int m_sizingOffsetY;
    BOOL m_inSizingMove;
    RECT m_gripRect;
    BOOL m_gripEnabled;
};
