// CImageList: owns an image list and destroys it; FromHandle gives views that
// don't. The drag functions are the platform's process-wide drag image.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "CObject.h"
#include "GdiTypes.h"

class CBitmap;
class CDC;
class CWnd;

class CImageList : public CObject {
public:
    CImageList() = default;
    ~CImageList() override { DeleteImageList(); }
    CImageList(CImageList&& other) noexcept : m_hImageList(other.Detach()) {}
    CImageList& operator=(CImageList&& other) noexcept;

    HIMAGELIST m_hImageList = nullptr;  // owned, except in views from FromHandle

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    // A view of `imageList` that never destroys it (null for a null handle).
    static CImageList* FromHandle(HIMAGELIST imageList);
    BOOL Attach(HIMAGELIST imageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // Images of width `cx` cut from bitmap `bitmapId` of the module's resources
    // (AfxGetResourceHandle); `maskColour` becomes transparent (CLR_NONE: none).
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF maskColour);
    BOOL Create(LPCWSTR bitmapName, int cx, int grow, COLORREF maskColour);
    // A copy of another image list.
    BOOL Create(CImageList* source);

    int GetImageCount() const { return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0; }
    BOOL SetImageCount(UINT count) { return ImageList_SetImageCount(m_hImageList, count); }
    BOOL GetImageInfo(int image, IMAGEINFO* info) const { return ImageList_GetImageInfo(m_hImageList, image, info); }
    COLORREF SetBkColor(COLORREF color) { return ImageList_SetBkColor(m_hImageList, color); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
    BOOL SetOverlayImage(int image, int overlay) { return ImageList_SetOverlayImage(m_hImageList, image, overlay); }

    // Each returns the index of the first new image, or -1. The bitmaps are copied.
    int Add(CBitmap* image, CBitmap* mask);
    int Add(CBitmap* image, COLORREF maskColour);
    int Add(HICON icon) { return ImageList_ReplaceIcon(m_hImageList, -1, icon); }
    BOOL Remove(int image) { return ImageList_Remove(m_hImageList, image); }
    BOOL Replace(int image, CBitmap* bitmap, CBitmap* mask);
    int Replace(int image, HICON icon) { return ImageList_ReplaceIcon(m_hImageList, image, icon); }
    // An icon the caller destroys with DestroyIcon.
    HICON ExtractIcon(int image) { return ImageList_GetIcon(m_hImageList, image, ILD_NORMAL); }

    BOOL Draw(CDC* dc, int image, POINT point, UINT style);
    BOOL DrawEx(CDC* dc, int image, POINT point, SIZE size, COLORREF background, COLORREF foreground, UINT style);
    BOOL DrawIndirect(CDC* dc, int image, POINT point, SIZE size, POINT origin, UINT style = ILD_NORMAL,
                      DWORD rop = SRCCOPY, COLORREF background = CLR_DEFAULT, COLORREF foreground = CLR_DEFAULT);

    // Dragging: BeginDrag makes a copy of one image the drag image; the
    // statics move it over the window locked by DragEnter.
    BOOL BeginDrag(int image, CPoint hotSpot) { return ImageList_BeginDrag(m_hImageList, image, hotSpot.x, hotSpot.y); }
    BOOL SetDragCursorImage(int drag, CPoint hotSpot) { return ImageList_SetDragCursorImage(m_hImageList, drag, hotSpot.x, hotSpot.y); }
    static void EndDrag() { ImageList_EndDrag(); }
    static BOOL DragEnter(CWnd* lockWnd, CPoint point);
    static BOOL DragLeave(CWnd* lockWnd);
    static BOOL DragMove(CPoint point) { return ImageList_DragMove(point.x, point.y); }
    static BOOL DragShowNolock(BOOL show) { return ImageList_DragShowNolock(show); }
    static CImageList* GetDragImage(LPPOINT point, LPPOINT hotSpot) { return FromHandle(ImageList_GetDragImage(point, hotSpot)); }
};
