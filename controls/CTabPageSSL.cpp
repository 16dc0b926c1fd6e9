// CTabPageSSL: Enter/Escape swallowed, optional routing to the parent.
#include "CTabPageSSL.h"

CTabPageSSL::CTabPageSSL(UINT templateId) : CDialog(templateId) {}

CTabPageSSL::~CTabPageSSL() = default;

BOOL CTabPageSSL::PreTranslateMessage(MSG* msg)
{
    const bool keyDown = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
    if (keyDown && (msg->wParam == VK_TAB || ::GetKeyState(VK_CONTROL) < 0)) return FALSE;
    return CDialog::PreTranslateMessage(msg);
}

void CTabPageSSL::OnOK() {}

void CTabPageSSL::OnCancel() {}

BOOL CTabPageSSL::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const BOOL handled = CDialog::OnCommand(wParam, lParam);
    if (m_routeCommand) return static_cast<BOOL>(::SendMessageW(::GetParent(m_hWnd), WM_COMMAND, wParam, lParam));
    return handled;
}

BOOL CTabPageSSL::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const BOOL handled = CDialog::OnNotify(wParam, lParam, result);
    if (m_routeNotify) return static_cast<BOOL>(::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, wParam, lParam));
    return handled;
}

BOOL CTabPageSSL::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const BOOL handled = RouteCmdMsgToMap(this, id, code);
    if (m_routeEvent && code == static_cast<int>(CN_EVENT))
        return RouteCmdMsg(CWnd::FromHandlePermanent(::GetParent(m_hWnd)), id, CN_EVENT, extra, handlerInfo);
    return handled;
}
