// Dialog data exchange: binds dialog controls to member objects.
#pragma once

#include <windows.h>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
    BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;          // the dialog whose controls are exchanged (not owned)
};

// Subclasses the dialog's control `id` into `control` the first time; a
// missing control raises a resource exception.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
