// COptionsDlg: creation and the owner's services.
#include "pages/COptionsDlg.h"

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
