// CTabCtrl: creation, insertion helpers, item state and the owner-draw reflection.
#include "CTabCtrl.h"

#include "CImageList.h"
#include "OwnerDrawReflection.h"

LONG CTabCtrl::InsertItem(int index, LPCWSTR text) { return InsertItem(TCIF_TEXT, index, text, 0, 0); }

LONG CTabCtrl::InsertItem(int index, LPCWSTR text, int image)
{
    return InsertItem(TCIF_TEXT | TCIF_IMAGE, index, text, image, 0);
}

LONG CTabCtrl::InsertItem(UINT mask, int index, LPCWSTR text, int image, LPARAM lParam)
{
    TCITEMW item = {};
    item.mask = mask;
    item.pszText = const_cast<LPWSTR>(text);
    item.iImage = image;
    item.lParam = lParam;
    return InsertItem(index, &item);
}

LONG CTabCtrl::InsertItem(UINT mask, int index, LPCWSTR text, int image, LPARAM lParam, DWORD state, DWORD stateMask)
{
    TCITEMW item = {};
    item.mask = mask | TCIF_STATE;
    item.pszText = const_cast<LPWSTR>(text);
    item.iImage = image;
    item.lParam = lParam;
    item.dwState = state;
    item.dwStateMask = stateMask;
    return InsertItem(index, &item);
}

DWORD CTabCtrl::GetItemState(int index, DWORD mask) const
{
    TCITEMW item = {};
    item.mask = TCIF_STATE;
    item.dwStateMask = mask;
    return GetItem(index, &item) ? (item.dwState & mask) : 0;
}

BOOL CTabCtrl::SetItemState(int index, DWORD mask, DWORD state)
{
    TCITEMW item = {};
    item.mask = TCIF_STATE;
    item.dwState = state;
    item.dwStateMask = mask;
    return SetItem(index, &item);
}

CSize CTabCtrl::SetItemSize(CSize size)
{
    const LRESULT previous = SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
    return CSize(LOWORD(previous), HIWORD(previous));
}

CImageList* CTabCtrl::GetImageList() const
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(TCM_GETIMAGELIST)));
}

CImageList* CTabCtrl::SetImageList(CImageList* imageList)
{
    HIMAGELIST handle = imageList ? imageList->m_hImageList : nullptr;
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(handle))));
}

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ReflectDrawItem(*this, message, lParam, result) || CWnd::OnChildNotify(message, wParam, lParam, result);
}
