// CHeaderCtrl: creation, image lists and the owner-draw reflection.
#include "CHeaderCtrl.h"

#include "CImageList.h"
#include "OwnerDrawReflection.h"

BOOL CHeaderCtrl::GetOrderArray(LPINT array, int count)
{
    if (count == -1) count = GetItemCount();
    if (count <= 0 || !array) return FALSE;
    return static_cast<BOOL>(::SendMessageW(m_hWnd, HDM_GETORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(array)));
}

CImageList* CHeaderCtrl::GetImageList() const
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(::SendMessageW(m_hWnd, HDM_GETIMAGELIST, 0, 0)));
}

CImageList* CHeaderCtrl::SetImageList(CImageList* imageList)
{
    HIMAGELIST handle = imageList ? imageList->m_hImageList : nullptr;
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(::SendMessageW(m_hWnd, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(handle))));
}

CImageList* CHeaderCtrl::CreateDragImage(int index)
{
    auto handle = reinterpret_cast<HIMAGELIST>(::SendMessageW(m_hWnd, HDM_CREATEDRAGIMAGE, static_cast<WPARAM>(index), 0));
    if (!handle) return nullptr;
    auto* imageList = new CImageList;
    imageList->Attach(handle);
    return imageList;
}

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ReflectDrawItem(*this, message, lParam, result) || CWnd::OnChildNotify(message, wParam, lParam, result);
}
