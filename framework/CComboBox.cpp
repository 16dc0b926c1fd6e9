// CComboBox: creation, item texts and the owner-draw reflection.
#include "CComboBox.h"
#include "OwnerDrawReflection.h"

void CComboBox::GetLBText(int index, CString& text) const
{
    const int length = GetLBTextLen(index);
    if (length == CB_ERR) {
        text.Empty();
        return;
    }
    const int copied = GetLBText(index, text.GetBuffer(length + 1));
    text.ReleaseBuffer(copied == CB_ERR ? 0 : copied);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}

void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ReflectOwnerDraw(*this, message, lParam, result) || CWnd::OnChildNotify(message, wParam, lParam, result);
}
