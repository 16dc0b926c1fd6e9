// CStatic: wrapper of a STATIC control.
#pragma once

#include "CWnd.h"

class CStatic : public CWnd {
public:
    CStatic() = default;

    using CWnd::Create;
    BOOL Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);

    HBITMAP SetBitmap(HBITMAP bitmap)
    {
        return reinterpret_cast<HBITMAP>(::SendMessageW(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(::SendMessageW(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0)); }
    HICON SetIcon(HICON icon) { return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0)); }
    HICON GetIcon() const { return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, STM_GETICON, 0, 0)); }
};
