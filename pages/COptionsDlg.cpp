// COptionsDlg: creation, the owner's services and the question about unsaved changes.
#include "pages/COptionsDlg.h"

#include "framework/MessageBox.h"
#include "pages/IPageOwner.h"

BOOL COptionsDlg::Create(UINT templateId, CWnd* parent)
{
    if (!CTabPageSSL::Create(templateId, parent)) return FALSE;
    m_owner = dynamic_cast<IPageOwner*>(parent);
    return TRUE;
}

void COptionsDlg::ShowItem(int, int) {}

BOOL COptionsDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE && m_owner && m_owner->IsQueryRunning()) {
        m_owner->CancelQuery();
        return TRUE;
    }
    return CTabPageSSL::PreTranslateMessage(msg);
}

void COptionsDlg::FollowPageSize()
{
    if (m_resize.Create(this)) AnchorControls(m_resize);
}

void COptionsDlg::AnchorControls(CResizeCtrl&) {}

void COptionsDlg::AnchorWithLabel(CResizeCtrl& resize, int id, int leftShare, int topShare, int widthShare, int heightShare)
{
    HWND control = ::GetDlgItem(m_hWnd, id);
    HWND label = control ? ::GetWindow(control, GW_HWNDPREV) : nullptr;
    wchar_t className[16] = L"";
    if (label) ::GetClassNameW(label, className, 16);
    if (label && ::lstrcmpiW(className, L"Static") == 0) resize.Add(label, leftShare, topShare, 0, 0);
    resize.Add(control, leftShare, topShare, widthShare, heightShare);
}

CDatabase& COptionsDlg::GetDatabase() { return m_owner->GetDatabase(); }

IHostLink* COptionsDlg::GetHostLink() { return m_owner->GetHostLink(); }

bool COptionsDlg::ConfirmLeave()
{
    if (!m_hWnd || !HasUnsavedChanges()) return true;
    switch (AfxMessageBox(L"Save changes to " + UnsavedSubject() + L"?", MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return SaveChanges();
    case IDNO:
        DiscardChanges();
        return true;
    default:
        return false;
    }
}
