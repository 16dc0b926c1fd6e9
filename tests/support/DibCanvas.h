// A 32-bit top-down DIB section selected into a memory DC: a control draws
// into it (WM_PRINTCLIENT, WM_DRAWITEM) and the test reads the pixels back.
#pragma once

#include <windows.h>

class DibCanvas {
public:
    DibCanvas(int width, int height) : m_width(width), m_height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_dc = ::CreateCompatibleDC(nullptr);
        m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_previous = ::SelectObject(m_dc, m_bitmap);
    }
    ~DibCanvas()
    {
        ::SelectObject(m_dc, m_previous);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // The pixel at (x, y) once GDI has finished what it was asked to draw.
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        const DWORD pixel = m_bits[y * m_width + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

    void Fill(COLORREF colour)
    {
        HBRUSH brush = ::CreateSolidBrush(colour);
        const RECT all = {0, 0, m_width, m_height};
        ::FillRect(m_dc, &all, brush);
        ::DeleteObject(brush);
    }

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;            // owned memory DC
    HBITMAP m_bitmap = nullptr;    // owned DIB section
    HGDIOBJ m_previous = nullptr;  // the DC's own bitmap, put back before deletion
    DWORD* m_bits = nullptr;       // pixels of m_bitmap, owned by it
};
