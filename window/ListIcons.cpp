// The list's icons, scaled from the 96-DPI bitmap when the screen has more
// pixels per inch. Each pixel is copied (no blending), so the mask colour
// stays exact and the edges stay sharp.
#include "window/ListIcons.h"

#include "framework/CImageList.h"
#include "framework/Gdi.h"
#include "res/resource.h"

#include <windows.h>

namespace {

constexpr int kIconPixels = 16;
const COLORREF kMaskColour = RGB(0, 255, 255);

} // namespace

int ScreenDpi()
{
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int ScaleToDpi(int pixels, int dpi) { return ::MulDiv(pixels, dpi, 96); }

bool CreateListIcons(CImageList& icons, int dpi)
{
    const int size = ScaleToDpi(kIconPixels, dpi);
    if (size <= kIconPixels) return icons.Create(IDB_LIST_ICONS, kIconPixels, 1, kMaskColour) != FALSE;
    CBitmap source;
    BITMAP shape = {};
    if (!source.LoadBitmap(IDB_LIST_ICONS) || !source.GetBitmap(&shape)) return false;
    const int count = shape.bmWidth / kIconPixels;
    CDC from, to;
    CBitmap scaled;
    if (!from.CreateCompatibleDC(nullptr) || !to.CreateCompatibleDC(nullptr)) return false;
    {
        const CSelectObject reading(from, source);
        if (!scaled.CreateBitmap(count * size, size, 1, 32, nullptr)) return false;
        const CSelectObject writing(to, scaled);
        ::SetStretchBltMode(to, COLORONCOLOR);
        ::StretchBlt(to, 0, 0, count * size, size, from, 0, 0, count * kIconPixels, kIconPixels, SRCCOPY);
    }
    if (!icons.Create(size, size, ILC_COLOR24 | ILC_MASK, count, 1)) return false;
    return icons.Add(&scaled, kMaskColour) >= 0;
}
