// CHeaderCtrl: wrapper of a header control (the column header of a list view).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "CChildControl.h"

class CImageList;

class CHeaderCtrl : public CChildControl<CHeaderCtrl> {
public:
    static LPCWSTR ClassName() { return WC_HEADERW; }

    int GetItemCount() const { return static_cast<int>(::SendMessageW(m_hWnd, HDM_GETITEMCOUNT, 0, 0)); }
    BOOL GetItem(int index, HDITEMW* item) const
    {
        return static_cast<BOOL>(::SendMessageW(m_hWnd, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    BOOL SetItem(int index, HDITEMW* item)
    {
        return static_cast<BOOL>(::SendMessageW(m_hWnd, HDM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    int InsertItem(int index, HDITEMW* item)
    {
        return static_cast<int>(::SendMessageW(m_hWnd, HDM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    BOOL DeleteItem(int index) { return static_cast<BOOL>(::SendMessageW(m_hWnd, HDM_DELETEITEM, static_cast<WPARAM>(index), 0)); }
    BOOL GetItemRect(int index, LPRECT rect) const
    {
        return static_cast<BOOL>(::SendMessageW(m_hWnd, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
    }
    BOOL Layout(HDLAYOUT* layout) { return static_cast<BOOL>(::SendMessageW(m_hWnd, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(layout))); }
    int HitTest(HDHITTESTINFO* info) { return static_cast<int>(::SendMessageW(m_hWnd, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(info))); }
    int OrderToIndex(int order) const { return static_cast<int>(::SendMessageW(m_hWnd, HDM_ORDERTOINDEX, static_cast<WPARAM>(order), 0)); }
    BOOL GetOrderArray(LPINT array, int count = -1);
    BOOL SetOrderArray(int count, LPINT array)
    {
        return static_cast<BOOL>(::SendMessageW(m_hWnd, HDM_SETORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(array)));
    }
    CImageList* GetImageList() const;
    CImageList* SetImageList(CImageList* imageList);
    CImageList* CreateDragImage(int index);  // the caller deletes the new object

    // Owner-drawn header items (HDF_OWNERDRAW); the default draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
