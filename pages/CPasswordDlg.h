// CPasswordDlg: asks for the password of a data source. What is typed lives
// only in memory; OK gives it, Cancel gives nothing.
#pragma once

#include "framework/CDialog.h"

class CPasswordDlg : public CDialog {
public:
    CPasswordDlg(const CString& source, CWnd* parent);
    const CString& Password() const { return m_password; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CString m_source;
    CString m_password;
};
