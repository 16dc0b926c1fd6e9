// CListEditCtrl: creation over the cell, key routing, widening while typing,
// and the end-of-edit notification.
#include "controls/CListEditCtrl.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/Gdi.h"

BEGIN_MESSAGE_MAP(CListEditCtrl, CEdit)
    ON_WM_CREATE()
    ON_WM_CHAR()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CListEditCtrl::CListEditCtrl(int row, int column, const CString& initialText)
    : m_editRow(row), m_editColumn(column), m_initialText(initialText)
{
}

int CListEditCtrl::OnCreate(LPCREATESTRUCT createStruct)
{
    if (DefWindowProc(WM_CREATE, 0, reinterpret_cast<LPARAM>(createStruct)) == -1) return -1;
    HWND grid = ::GetParent(m_hWnd);
    SetFont(reinterpret_cast<HFONT>(::SendMessageW(grid, WM_GETFONT, 0, 0)), TRUE);
    SetWindowText(m_initialText);
    SetFocus();
    SetSel(0, 0);
    SendMessage(EM_SCROLLCARET);
    return 0;
}

BOOL CListEditCtrl::PreTranslateMessage(MSG* msg)
{
    // Keys the surrounding dialog would take for itself (Enter, Escape,
    // Delete and Ctrl shortcuts) go straight to the editor.
    if (msg->message == WM_KEYDOWN &&
        (msg->wParam == VK_RETURN || msg->wParam == VK_DELETE || msg->wParam == VK_ESCAPE || ::GetKeyState(VK_CONTROL) < 0)) {
        ::TranslateMessage(msg);
        ::DispatchMessageW(msg);
        return TRUE;
    }
    return CEdit::PreTranslateMessage(msg);
}

void CListEditCtrl::OnChar(UINT ch, UINT repeat, UINT flags)
{
    if (ch == VK_ESCAPE || ch == VK_RETURN) {
        if (ch == VK_ESCAPE) m_cancelled = TRUE;
        // Losing the focus ends the edit (and destroys this object).
        ::SetFocus(::GetParent(m_hWnd));
        return;
    }
    DefWindowProc(WM_CHAR, ch, MAKELPARAM(repeat, flags));
    WidenToText();
}

void CListEditCtrl::WidenToText()
{
    HWND grid = ::GetParent(m_hWnd);
    const CString text = GetWindowText();
    SIZE extent = {};
    {
        CWindowDC dc(this);
        CSelectObject font(dc.m_hDC, reinterpret_cast<HGDIOBJ>(::SendMessageW(grid, WM_GETFONT, 0, 0)));
        ::GetTextExtentPoint32W(dc.m_hDC, text.GetString(), text.GetLength(), &extent);
    }
    // The editor's own rectangle in the grid's client coordinates: left, top
    // and height stay; only the right edge moves, never past the grid.
    CRect rect;
    GetWindowRect(&rect);
    ::MapWindowPoints(nullptr, grid, reinterpret_cast<LPPOINT>(static_cast<LPRECT>(rect)), 2);
    if (rect.Width() >= extent.cx + 5) return;
    CRect client;
    ::GetClientRect(grid, &client);
    rect.right = std::min(rect.left + extent.cx + 5, client.right);
    MoveWindow(rect, TRUE);
}

void CListEditCtrl::OnKillFocus(CWnd* newFocus)
{
    DefWindowProc(WM_KILLFOCUS, reinterpret_cast<WPARAM>(newFocus ? newFocus->m_hWnd : nullptr), 0);
    HWND self = m_hWnd;
    HWND grid = ::GetParent(self);
    CString text = GetWindowText();

    NMLVDISPINFOW info = {};
    info.hdr.hwndFrom = grid;
    info.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(self));
    info.hdr.code = LVN_ENDLABELEDITW;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = m_editRow;
    info.item.iSubItem = m_editColumn;
    info.item.pszText = m_cancelled ? nullptr : text.GetBuffer();
    info.item.cchTextMax = text.GetLength();
    ::SendMessageW(::GetParent(grid), WM_NOTIFY, static_cast<WPARAM>(::GetDlgCtrlID(grid)), reinterpret_cast<LPARAM>(&info));

    // The window's last message deletes this object: nothing of it may be
    // touched after this call.
    ::DestroyWindow(self);
}

void CListEditCtrl::PostNcDestroy()
{
    delete this;
}
