// CAboutDlg: Help, About: the name, the version from the module's version
// resource, the licence, the open note database with its numbers of notes
// and of the user's groups, and the ODBC driver's name and version as the connection
// reports them. OK and Escape close it.
#pragma once

#include "framework/CDialog.h"

class CDatabase;

class CAboutDlg : public CDialog {
public:
    CAboutDlg(CDatabase& database, const CString& databasePath, CWnd* parent);

protected:
    BOOL OnInitDialog() override;

private:
    CDatabase& m_database;
    CString m_databasePath;
};

// "1.0.0" from the VS_FIXEDFILEINFO of the module's version resource; empty without one.
CString ReadModuleVersion(HMODULE module);
