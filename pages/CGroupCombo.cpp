// CGroupCombo: group entries by id.
#include "pages/CGroupCombo.h"

void CGroupCombo::UpdateGroup(int groupId, const CString& name, bool removed)
{
    if (!removed) {
        const int index = AddString(name);
        if (index >= 0) SetItemData(index, static_cast<DWORD_PTR>(static_cast<INT_PTR>(groupId)));
        return;
    }
    for (int index = 0; index < GetCount(); ++index) {
        if (static_cast<int>(GetItemData(index)) == groupId) {
            DeleteString(index);
            return;
        }
    }
}

void CGroupCombo::SetDrawing(bool on)
{
    SetRedraw(on);
    if (on) Invalidate();
}

bool CGroupCombo::SelectGroup(int groupId)
{
    for (int index = 0; index < GetCount(); ++index) {
        if (static_cast<int>(GetItemData(index)) == groupId) {
            SetCurSel(index);
            return true;
        }
    }
    return false;
}

int CGroupCombo::SelectedGroupId(int fallback) const
{
    const int index = GetCurSel();
    return index < 0 ? fallback : static_cast<int>(GetItemData(index));
}
