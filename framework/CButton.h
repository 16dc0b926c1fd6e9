// CButton: wrapper of a BUTTON control. An owner-drawn button draws itself in
// the virtual DrawItem, reached by reflection of its parent's WM_DRAWITEM.
#pragma once

#include "CWnd.h"

class CButton : public CWnd {
public:
    CButton() = default;

    using CWnd::Create;
    BOOL Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    UINT GetState() const { return static_cast<UINT>(::SendMessageW(m_hWnd, BM_GETSTATE, 0, 0)); }
    void SetState(BOOL highlight) { ::SendMessageW(m_hWnd, BM_SETSTATE, highlight, 0); }
    int GetCheck() const { return static_cast<int>(::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0)); }
    void SetCheck(int check) { ::SendMessageW(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(check), 0); }
    // The button's BS_ style bits (the low byte of its window style).
    UINT GetButtonStyle() const { return static_cast<UINT>(::GetWindowLongW(m_hWnd, GWL_STYLE)) & 0xFF; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { ::SendMessageW(m_hWnd, BM_SETSTYLE, style, redraw); }
    HBITMAP SetBitmap(HBITMAP bitmap)
    {
        return reinterpret_cast<HBITMAP>(::SendMessageW(m_hWnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(::SendMessageW(m_hWnd, BM_GETIMAGE, IMAGE_BITMAP, 0)); }
    HICON SetIcon(HICON icon)
    {
        return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
    }
    HICON GetIcon() const { return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, BM_GETIMAGE, IMAGE_ICON, 0)); }
    void Click() { ::SendMessageW(m_hWnd, BM_CLICK, 0, 0); }

    // Draws an owner-drawn (BS_OWNERDRAW) button; the default draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);

protected:
    // WM_DRAWITEM from the parent goes to DrawItem; everything else is reflected as usual.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
