// CImageList: creation from sizes or from a bitmap of the module's resources,
// adding and drawing images, and the views FromHandle hands out.
#include "CImageList.h"

#include <memory>
#include <unordered_map>
#include <utility>

#include "AttachHandle.h"
#include "CWnd.h"
#include "Gdi.h"
#include "ModuleState.h"

CImageList& CImageList::operator=(CImageList&& other) noexcept
{
    if (this != &other) {
        DeleteImageList();
        m_hImageList = other.Detach();
    }
    return *this;
}

namespace {

// A view forgets its handle before the destructor could destroy it.
struct ImageListView : CImageList {
    ~ImageListView() override { m_hImageList = nullptr; }
};

} // namespace

CImageList* CImageList::FromHandle(HIMAGELIST imageList)
{
    if (!imageList) return nullptr;
    // Image lists are few and long-lived: one view per handle value is kept.
    static std::unordered_map<HIMAGELIST, std::unique_ptr<ImageListView>> views;
    auto& slot = views[imageList];
    if (!slot) {
        slot = std::make_unique<ImageListView>();
        slot->m_hImageList = imageList;
    }
    return slot.get();
}

BOOL CImageList::Attach(HIMAGELIST imageList)
{
    return AttachHandle(m_hImageList, imageList, [this] { DeleteImageList(); });
}

HIMAGELIST CImageList::Detach() { return std::exchange(m_hImageList, nullptr); }

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList) return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow)
{
    return Attach(ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF maskColour)
{
    return Create(MAKEINTRESOURCEW(bitmapId), cx, grow, maskColour);
}

BOOL CImageList::Create(LPCWSTR bitmapName, int cx, int grow, COLORREF maskColour)
{
    return Attach(ImageList_LoadImageW(AfxGetResourceHandle(), bitmapName, cx, grow, maskColour, IMAGE_BITMAP, 0));
}

BOOL CImageList::Create(CImageList* source)
{
    return source ? Attach(ImageList_Duplicate(source->m_hImageList)) : FALSE;
}

int CImageList::Add(CBitmap* image, CBitmap* mask)
{
    return ImageList_Add(m_hImageList, image ? static_cast<HBITMAP>(image->m_hObject) : nullptr,
                         mask ? static_cast<HBITMAP>(mask->m_hObject) : nullptr);
}

int CImageList::Add(CBitmap* image, COLORREF maskColour)
{
    return ImageList_AddMasked(m_hImageList, image ? static_cast<HBITMAP>(image->m_hObject) : nullptr, maskColour);
}

BOOL CImageList::Replace(int image, CBitmap* bitmap, CBitmap* mask)
{
    return ImageList_Replace(m_hImageList, image, bitmap ? static_cast<HBITMAP>(bitmap->m_hObject) : nullptr,
                             mask ? static_cast<HBITMAP>(mask->m_hObject) : nullptr);
}

BOOL CImageList::Draw(CDC* dc, int image, POINT point, UINT style)
{
    return dc && ImageList_Draw(m_hImageList, image, dc->m_hDC, point.x, point.y, style);
}

BOOL CImageList::DrawEx(CDC* dc, int image, POINT point, SIZE size, COLORREF background, COLORREF foreground, UINT style)
{
    return dc && ImageList_DrawEx(m_hImageList, image, dc->m_hDC, point.x, point.y, size.cx, size.cy, background,
                                  foreground, style);
}

BOOL CImageList::DrawIndirect(CDC* dc, int image, POINT point, SIZE size, POINT origin, UINT style, DWORD rop,
                              COLORREF background, COLORREF foreground)
{
    if (!dc) return FALSE;
    IMAGELISTDRAWPARAMS params = {};
    params.cbSize = sizeof params;
    params.himl = m_hImageList;
    params.i = image;
    params.hdcDst = dc->m_hDC;
    params.x = point.x;
    params.y = point.y;
    params.cx = size.cx;
    params.cy = size.cy;
    params.xBitmap = origin.x;
    params.yBitmap = origin.y;
    params.rgbBk = background;
    params.rgbFg = foreground;
    params.fStyle = style;
    params.dwRop = rop;
    return ImageList_DrawIndirect(&params);
}

BOOL CImageList::DragEnter(CWnd* lockWnd, CPoint point)
{
    return ImageList_DragEnter(lockWnd ? lockWnd->m_hWnd : nullptr, point.x, point.y);
}

BOOL CImageList::DragLeave(CWnd* lockWnd) { return ImageList_DragLeave(lockWnd ? lockWnd->m_hWnd : nullptr); }
