// CListCtrl: creation, item and column helpers, views of the header and the
// label editor, and the owner-draw reflection.
#include "CListCtrl.h"
#include "OwnerDrawReflection.h"

#include <vector>

#include "CImageList.h"

BOOL CListCtrl::CreateEx(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::CreateEx(exStyle, ClassName(), nullptr, style | WS_CHILD, rect, parent, id);
}

CImageList* CListCtrl::GetImageList(int imageListType) const
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(imageListType))));
}

CImageList* CListCtrl::SetImageList(CImageList* imageList, int imageListType)
{
    HIMAGELIST handle = imageList ? imageList->m_hImageList : nullptr;
    // Without this style the list destroys its image lists with itself, and
    // the CImageList that owns the handle would destroy it a second time.
    if (handle && !(GetStyle() & LVS_SHAREIMAGELISTS)) ModifyStyle(0, LVS_SHAREIMAGELISTS);
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(imageListType), reinterpret_cast<LPARAM>(handle))));
}

int CListCtrl::InsertItem(int index, LPCWSTR text) { return InsertItem(LVIF_TEXT, index, text, 0, 0, 0, 0); }

int CListCtrl::InsertItem(int index, LPCWSTR text, int image)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, index, text, 0, 0, image, 0);
}

namespace {

// The LVITEMW that the item helpers below send.
LVITEMW MakeItem(UINT mask, int index, int subItem, LPCWSTR text, int image, UINT state, UINT stateMask, LPARAM lParam,
                 int indent = 0)
{
    LVITEMW item = {};
    item.mask = mask;
    item.iItem = index;
    item.iSubItem = subItem;
    item.pszText = const_cast<LPWSTR>(text);
    item.iImage = image;
    item.state = state;
    item.stateMask = stateMask;
    item.lParam = lParam;
    item.iIndent = indent;
    return item;
}

} // namespace

int CListCtrl::InsertItem(UINT mask, int index, LPCWSTR text, UINT state, UINT stateMask, int image, LPARAM lParam)
{
    LVITEMW item = MakeItem(mask, index, 0, text, image, state, stateMask, lParam);
    return InsertItem(&item);
}

BOOL CListCtrl::SetItem(int index, int subItem, UINT mask, LPCWSTR text, int image, UINT state, UINT stateMask,
                        LPARAM lParam)
{
    LVITEMW item = MakeItem(mask, index, subItem, text, image, state, stateMask, lParam);
    return SetItem(&item);
}

BOOL CListCtrl::SetItem(int index, int subItem, UINT mask, LPCWSTR text, int image, UINT state, UINT stateMask,
                        LPARAM lParam, int indent)
{
    LVITEMW item = MakeItem(mask, index, subItem, text, image, state, stateMask, lParam, indent);
    return SetItem(&item);
}

CString CListCtrl::GetItemText(int index, int subItem) const
{
    // LVM_GETITEMTEXT returns the characters copied; grow until the text fits.
    std::vector<wchar_t> buffer(256);
    for (;;) {
        LVITEMW item = {};
        item.iSubItem = subItem;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const int copied = static_cast<int>(SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
        if (copied < static_cast<int>(buffer.size()) - 1) {
            // The control may answer with its own buffer instead of copying.
            const wchar_t* text = item.pszText ? item.pszText : L"";
            return CString(text, copied >= 0 ? copied : 0);
        }
        buffer.resize(buffer.size() * 2);
    }
}

int CListCtrl::GetItemText(int index, int subItem, LPWSTR buffer, int length) const
{
    LVITEMW item = {};
    item.iSubItem = subItem;
    item.pszText = buffer;
    item.cchTextMax = length;
    return static_cast<int>(SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int index, int subItem, LPCWSTR text)
{
    LVITEMW item = {};
    item.iSubItem = subItem;
    item.pszText = const_cast<LPWSTR>(text);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int index) const
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data)
{
    return SetItem(index, 0, LVIF_PARAM, nullptr, 0, 0, 0, static_cast<LPARAM>(data));
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask)
{
    LVITEMW item = {};
    item.state = state;
    item.stateMask = mask;
    return SetItemState(index, &item);
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    const int first = GetNextItem(-1, LVNI_SELECTED);
    return reinterpret_cast<POSITION>(static_cast<INT_PTR>(first + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& position) const
{
    const int index = static_cast<int>(reinterpret_cast<INT_PTR>(position)) - 1;
    const int next = GetNextItem(index, LVNI_SELECTED);
    position = reinterpret_cast<POSITION>(static_cast<INT_PTR>(next + 1));
    return index;
}

BOOL CListCtrl::GetItemRect(int index, LPRECT rect, UINT code) const
{
    if (!rect) return FALSE;
    rect->left = static_cast<LONG>(code);
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}

BOOL CListCtrl::GetSubItemRect(int index, int subItem, int area, CRect& rect) const
{
    rect.top = subItem;
    rect.left = area;
    return static_cast<BOOL>(SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(static_cast<LPRECT>(rect))));
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const
{
    LVHITTESTINFO info = {};
    info.pt = point;
    const int index = HitTest(&info);
    if (flags) *flags = info.flags;
    return index;
}

int CListCtrl::InsertColumn(int column, LPCWSTR heading, int format, int width, int subItem)
{
    LVCOLUMNW info = {};
    info.mask = LVCF_FMT | LVCF_TEXT;
    info.fmt = format;
    info.pszText = const_cast<LPWSTR>(heading);
    if (width != -1) {
        info.mask |= LVCF_WIDTH;
        info.cx = width;
    }
    if (subItem != -1) {
        info.mask |= LVCF_SUBITEM;
        info.iSubItem = subItem;
    }
    return InsertColumn(column, &info);
}

BOOL CListCtrl::GetColumnOrderArray(LPINT order, int count)
{
    if (count == -1) {
        CHeaderCtrl* header = GetHeaderCtrl();
        count = header ? header->GetItemCount() : 0;
    }
    if (count <= 0 || !order) return FALSE;
    return static_cast<BOOL>(SendMessage(LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order)));
}

namespace {

// The object that subclassed `hWnd` when it is a T, else `view` pointed at it.
template <typename T>
T* ObjectOrView(HWND hWnd, T& view)
{
    if (!hWnd) return nullptr;
    if (auto* own = dynamic_cast<T*>(CWnd::FromHandlePermanent(hWnd))) return own;
    view.m_hWnd = hWnd;
    return &view;
}

} // namespace

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    return ObjectOrView(reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)), m_headerView);
}

CEdit* CListCtrl::EditLabel(int index)
{
    return ObjectOrView(reinterpret_cast<HWND>(SendMessage(LVM_EDITLABELW, static_cast<WPARAM>(index))), m_editView);
}

CEdit* CListCtrl::GetEditControl() const
{
    return ObjectOrView(reinterpret_cast<HWND>(SendMessage(LVM_GETEDITCONTROL)), m_editView);
}

CImageList* CListCtrl::CreateDragImage(int index, LPPOINT upperLeft)
{
    POINT ignored = {};
    auto handle = reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_CREATEDRAGIMAGE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(upperLeft ? upperLeft : &ignored)));
    if (!handle) return nullptr;
    auto* imageList = new CImageList;
    imageList->Attach(handle);
    return imageList;
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

void CListCtrl::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ReflectOwnerDraw(*this, message, lParam, result) || CWnd::OnChildNotify(message, wParam, lParam, result);
}
