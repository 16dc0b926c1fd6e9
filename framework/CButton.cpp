// CButton: creation and the owner-draw reflection.
#include "CButton.h"

#include "OwnerDrawReflection.h"

BOOL CButton::Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, L"BUTTON", caption, style | WS_CHILD, rect, parent, id);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ReflectDrawItem(*this, message, lParam, result) || CWnd::OnChildNotify(message, wParam, lParam, result);
}
