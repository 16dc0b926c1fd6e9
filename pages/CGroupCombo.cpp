// CGroupCombo: group entries by id.
#include "pages/CGroupCombo.h"

void CGroupCombo::UpdateGroup(int groupId, const CString& name, bool removed)
{
    if (!removed) {
        const int index = AddString(name);
        if (index >= 0) SetItemData(index, static_cast<DWORD_PTR>(static_cast<INT_PTR>(groupId)));
        return;
    }
    const int index = FindGroup(groupId);
    if (index >= 0) DeleteString(index);
}

void CGroupCombo::RenameGroup(int groupId, const CString& name)
{
    const int index = FindGroup(groupId);
    if (index < 0) return;
    const bool selected = GetCurSel() == index;
    DeleteString(index);
    UpdateGroup(groupId, name, false);
    if (selected) SelectGroup(groupId);
}

int CGroupCombo::FindGroup(int groupId) const
{
    for (int index = 0; index < GetCount(); ++index) {
        if (static_cast<int>(GetItemData(index)) == groupId) return index;
    }
    return -1;
}

void CGroupCombo::SetDrawing(bool on)
{
    SetRedraw(on);
    if (on) Invalidate();
}

bool CGroupCombo::SelectGroup(int groupId)
{
    const int index = FindGroup(groupId);
    if (index < 0) return false;
    SetCurSel(index);
    return true;
}

int CGroupCombo::SelectedGroupId(int fallback) const
{
    const int index = GetCurSel();
    return index < 0 ? fallback : static_cast<int>(GetItemData(index));
}
