// CMenu: loading from the module's resources, popup views and tracking.
#include "CMenu.h"

#include "CWnd.h"
#include "ModuleState.h"

BOOL CMenu::LoadMenu(UINT resourceId)
{
    return Attach(::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(resourceId)));
}

BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

BOOL CMenu::Attach(HMENU menu)
{
    if (!menu || m_hMenu) return FALSE;
    m_hMenu = menu;
    m_owned = true;
    return TRUE;
}

HMENU CMenu::Detach()
{
    m_views.clear();
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::DestroyMenu()
{
    m_views.clear();
    if (!m_hMenu) return FALSE;
    // A menu bar that went with its window is already gone; IsMenu tells.
    const BOOL destroyed = m_owned && ::IsMenu(m_hMenu) ? ::DestroyMenu(m_hMenu) : FALSE;
    m_hMenu = nullptr;
    return destroyed;
}

CMenu* CMenu::GetSubMenu(int position)
{
    HMENU sub = ::GetSubMenu(m_hMenu, position);
    if (!sub) return nullptr;
    auto view = std::make_unique<CMenu>();
    view->m_hMenu = sub;
    view->m_owned = false;
    m_views.push_back(std::move(view));
    return m_views.back().get();
}

CString CMenu::GetMenuString(UINT item, UINT flags) const
{
    wchar_t text[256] = {};
    const int length = ::GetMenuStringW(m_hMenu, item, text, 256, flags);
    return CString(text, length > 0 ? length : 0);
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT)
{
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->m_hWnd : nullptr, nullptr);
}
