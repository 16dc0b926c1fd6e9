// CEdit: wrapper of an EDIT control; each call sends one message.
#pragma once

#include "CChildControl.h"

class CEdit : public CChildControl<CEdit> {
public:
    static LPCWSTR ClassName() { return L"EDIT"; }

    // Selection: start in the low word, end in the high word.
    DWORD GetSel() const { return static_cast<DWORD>(::SendMessageW(m_hWnd, EM_GETSEL, 0, 0)); }
    void GetSel(int& start, int& end) const;
    void SetSel(DWORD selection, BOOL noScroll = FALSE);
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void ReplaceSel(LPCWSTR text, BOOL canUndo = FALSE)
    {
        ::SendMessageW(m_hWnd, EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
    }
    void Clear() { ::SendMessageW(m_hWnd, WM_CLEAR, 0, 0); }
    void Copy() { ::SendMessageW(m_hWnd, WM_COPY, 0, 0); }
    void Cut() { ::SendMessageW(m_hWnd, WM_CUT, 0, 0); }
    void Paste() { ::SendMessageW(m_hWnd, WM_PASTE, 0, 0); }
    BOOL Undo() { return static_cast<BOOL>(::SendMessageW(m_hWnd, EM_UNDO, 0, 0)); }
    BOOL CanUndo() const { return static_cast<BOOL>(::SendMessageW(m_hWnd, EM_CANUNDO, 0, 0)); }
    void EmptyUndoBuffer() { ::SendMessageW(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0); }

    // 0 lifts the limit to the control's maximum.
    void LimitText(int maxChars = 0) { ::SendMessageW(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0); }
    void SetLimitText(UINT maxChars) { ::SendMessageW(m_hWnd, EM_SETLIMITTEXT, maxChars, 0); }
    UINT GetLimitText() const { return static_cast<UINT>(::SendMessageW(m_hWnd, EM_GETLIMITTEXT, 0, 0)); }
    BOOL GetModify() const { return static_cast<BOOL>(::SendMessageW(m_hWnd, EM_GETMODIFY, 0, 0)); }
    void SetModify(BOOL modified = TRUE) { ::SendMessageW(m_hWnd, EM_SETMODIFY, modified, 0); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) { return static_cast<BOOL>(::SendMessageW(m_hWnd, EM_SETREADONLY, readOnly, 0)); }
    void SetPasswordChar(wchar_t ch) { ::SendMessageW(m_hWnd, EM_SETPASSWORDCHAR, ch, 0); }
    void SetMargins(UINT left, UINT right) { ::SendMessageW(m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(left, right)); }
    DWORD GetMargins() const { return static_cast<DWORD>(::SendMessageW(m_hWnd, EM_GETMARGINS, 0, 0)); }
    void GetRect(LPRECT rect) const { ::SendMessageW(m_hWnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(rect)); }
    void SetRect(LPCRECT rect) { ::SendMessageW(m_hWnd, EM_SETRECT, 0, reinterpret_cast<LPARAM>(rect)); }

    // Lines.
    int GetLineCount() const { return static_cast<int>(::SendMessageW(m_hWnd, EM_GETLINECOUNT, 0, 0)); }
    // Copies line `index` into `buffer` (not NUL-terminated, as EM_GETLINE); returns the characters copied.
    int GetLine(int index, LPWSTR buffer, int maxLength) const;
    CString GetLine(int index) const;
    int LineIndex(int line = -1) const { return static_cast<int>(::SendMessageW(m_hWnd, EM_LINEINDEX, static_cast<WPARAM>(line), 0)); }
    int LineFromChar(int charIndex = -1) const
    {
        return static_cast<int>(::SendMessageW(m_hWnd, EM_LINEFROMCHAR, static_cast<WPARAM>(charIndex), 0));
    }
    int LineLength(int charIndex = -1) const
    {
        return static_cast<int>(::SendMessageW(m_hWnd, EM_LINELENGTH, static_cast<WPARAM>(charIndex), 0));
    }
    void LineScroll(int lines, int chars = 0) { ::SendMessageW(m_hWnd, EM_LINESCROLL, static_cast<WPARAM>(chars), lines); }
    int GetFirstVisibleLine() const { return static_cast<int>(::SendMessageW(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0)); }
    CPoint PosFromChar(UINT charIndex) const;
    int CharFromPos(CPoint point) const
    {
        return static_cast<int>(::SendMessageW(m_hWnd, EM_CHARFROMPOS, 0, MAKELPARAM(point.x, point.y)));
    }
};
