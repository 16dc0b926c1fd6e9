// CTabCtrl: wrapper of a tab control; each call sends one TCM_ message.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "CChildControl.h"

class CImageList;

class CTabCtrl : public CChildControl<CTabCtrl> {
public:
    static LPCWSTR ClassName() { return WC_TABCONTROLW; }

    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    // Each returns the new tab's index, or -1.
    LONG InsertItem(int index, TCITEMW* item)
    {
        return static_cast<LONG>(SendMessage(TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    LONG InsertItem(int index, LPCWSTR text);
    LONG InsertItem(int index, LPCWSTR text, int image);
    LONG InsertItem(UINT mask, int index, LPCWSTR text, int image, LPARAM lParam);
    LONG InsertItem(UINT mask, int index, LPCWSTR text, int image, LPARAM lParam, DWORD state, DWORD stateMask);
    BOOL DeleteItem(int index) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(index))); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
    BOOL GetItem(int index, TCITEMW* item) const
    {
        return static_cast<BOOL>(SendMessage(TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    BOOL SetItem(int index, TCITEMW* item)
    {
        return static_cast<BOOL>(SendMessage(TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    BOOL SetItemExtra(int bytes) { return static_cast<BOOL>(SendMessage(TCM_SETITEMEXTRA, static_cast<WPARAM>(bytes))); }
    DWORD GetItemState(int index, DWORD mask) const;
    BOOL SetItemState(int index, DWORD mask, DWORD state);
    BOOL GetItemRect(int index, LPRECT rect) const
    {
        return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
    }

    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    // Returns the previous selection, or -1. Sends no TCN_ notification.
    int SetCurSel(int index) { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index))); }
    int GetCurFocus() const { return static_cast<int>(SendMessage(TCM_GETCURFOCUS)); }
    // Sends TCN_SELCHANGING / TCN_SELCHANGE to the parent, as a click does.
    void SetCurFocus(int index) { SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(index)); }
    void DeselectAll(BOOL excludeFocus) { SendMessage(TCM_DESELECTALL, excludeFocus); }
    BOOL HighlightItem(int index, BOOL highlight = TRUE)
    {
        return static_cast<BOOL>(SendMessage(TCM_HIGHLIGHTITEM, static_cast<WPARAM>(index), MAKELPARAM(highlight, 0)));
    }

    int GetRowCount() const { return static_cast<int>(SendMessage(TCM_GETROWCOUNT)); }
    // larger FALSE: window rectangle to display area; TRUE: the reverse.
    void AdjustRect(BOOL larger, LPRECT rect) { SendMessage(TCM_ADJUSTRECT, larger, reinterpret_cast<LPARAM>(rect)); }
    CSize SetItemSize(CSize size);
    void SetPadding(CSize size) { SendMessage(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
    int SetMinTabWidth(int cx) { return static_cast<int>(SendMessage(TCM_SETMINTABWIDTH, 0, cx)); }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(TCM_GETEXTENDEDSTYLE)); }
    DWORD SetExtendedStyle(DWORD newStyle, DWORD mask = 0)
    {
        return static_cast<DWORD>(SendMessage(TCM_SETEXTENDEDSTYLE, mask, static_cast<LPARAM>(newStyle)));
    }
    // Index of the tab at info->pt (client coordinates), or -1.
    int HitTest(TCHITTESTINFO* info) const { return static_cast<int>(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(info))); }

    CImageList* GetImageList() const;
    CImageList* SetImageList(CImageList* imageList);
    void RemoveImage(int image) { SendMessage(TCM_REMOVEIMAGE, static_cast<WPARAM>(image)); }

    // Owner-drawn tabs (TCS_OWNERDRAWFIXED); the default draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
