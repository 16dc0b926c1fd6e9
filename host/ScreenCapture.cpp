// SaveScreenToBitmap: copies the desktop into a DIB section and writes it out.
#include "host/ScreenCapture.h"

#include <windows.h>

#include <cstdio>
#include <memory>

namespace {

struct DcReleaser {
    void operator()(HDC dc) const { ::ReleaseDC(nullptr, dc); }
};
struct DcDeleter {
    void operator()(HDC dc) const { ::DeleteDC(dc); }
};
struct ObjectDeleter {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

} // namespace

bool SaveScreenToBitmap(const wchar_t* path)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    std::unique_ptr<HDC__, DcReleaser> screen(::GetDC(nullptr));
    std::unique_ptr<HDC__, DcDeleter> memory(::CreateCompatibleDC(screen.get()));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    std::unique_ptr<void, ObjectDeleter> bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!screen || !memory || !bitmap) return false;
    HGDIOBJ previous = ::SelectObject(memory.get(), bitmap.get());
    ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
    ::GdiFlush();
    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + imageSize;
    std::unique_ptr<FILE, FileCloser> file(_wfopen(path, L"wb"));
    bool written = file && std::fwrite(&header, sizeof header, 1, file.get()) == 1 &&
                   std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file.get()) == 1 &&
                   std::fwrite(bits, imageSize, 1, file.get()) == 1;
    ::SelectObject(memory.get(), previous);
    return written;
}
