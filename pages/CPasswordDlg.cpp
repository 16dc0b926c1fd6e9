// The password question before a connection.
#include "pages/CPasswordDlg.h"

#include "res/resource.h"

CPasswordDlg::CPasswordDlg(const CString& source, CWnd* parent) : CDialog(IDD_PASSWORD, parent), m_source(source) {}

BOOL CPasswordDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_PASSWORD_PROMPT, L"Password for " + m_source + L":");
    ::SetFocus(::GetDlgItem(m_hWnd, IDC_PASSWORD_TEXT));
    return FALSE;  // the focus is set
}

void CPasswordDlg::OnOK()
{
    m_password = GetDlgItemText(IDC_PASSWORD_TEXT);
    CDialog::OnOK();
}
