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
