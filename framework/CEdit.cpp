// CEdit: creation, selection and line access.
#include "CEdit.h"

#include <vector>

void CEdit::GetSel(int& start, int& end) const
{
    DWORD first = 0;
    DWORD last = 0;
    ::SendMessageW(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void CEdit::SetSel(DWORD selection, BOOL noScroll)
{
    SetSel(static_cast<int>(static_cast<short>(LOWORD(selection))), static_cast<int>(static_cast<short>(HIWORD(selection))), noScroll);
}

void CEdit::SetSel(int start, int end, BOOL noScroll)
{
    ::SendMessageW(m_hWnd, EM_SETSEL, static_cast<WPARAM>(start), end);
    if (!noScroll) ::SendMessageW(m_hWnd, EM_SCROLLCARET, 0, 0);
}

int CEdit::GetLine(int index, LPWSTR buffer, int maxLength) const
{
    if (!buffer || maxLength <= 0) return 0;
    // EM_GETLINE reads the buffer's size from its first word.
    buffer[0] = static_cast<wchar_t>(maxLength > 0xFFFF ? 0xFFFF : maxLength);
    return static_cast<int>(::SendMessageW(m_hWnd, EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
}

CString CEdit::GetLine(int index) const
{
    const int first = LineIndex(index);
    if (first < 0) return CString();
    const int length = LineLength(first);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 2, L'\0');
    const int copied = GetLine(index, buffer.data(), length + 1);
    return CString(buffer.data(), copied < 0 ? 0 : (copied > length ? length : copied));
}

CPoint CEdit::PosFromChar(UINT charIndex) const
{
    const LRESULT position = ::SendMessageW(m_hWnd, EM_POSFROMCHAR, charIndex, 0);
    return CPoint(static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position)));
}
