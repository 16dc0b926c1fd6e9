// CWinApp: registration in the module state and common-control setup.
#include "CWinApp.h"

#include <commctrl.h>

#include "ModuleState.h"

CWinApp::CWinApp(const wchar_t* appName) : m_pszAppName(appName)
{
    AfxGetStaticModuleState()->m_pCurrentWinApp = this;
}

CWinApp::~CWinApp()
{
    if (AfxGetStaticModuleState()->m_pCurrentWinApp == this) AfxGetStaticModuleState()->m_pCurrentWinApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    INITCOMMONCONTROLSEX init = { sizeof init, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
    return ::InitCommonControlsEx(&init);
}

CString CWinApp::GetAppName() const
{
    if (m_pszAppName) return m_pszAppName;
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(m_hInstance ? m_hInstance : AfxGetStaticModuleState()->m_hCurrentInstanceHandle, path, MAX_PATH);
    CString name(path);
    name = name.Mid(name.ReverseFind(L'\\') + 1);
    const int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

const AFX_MSGMAP* CWinApp::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, nullptr } };
    static const AFX_MSGMAP map = { &CCmdTarget::GetThisMessageMap, &entries[0] };
    return &map;
}

const AFX_MSGMAP* CWinApp::GetMessageMap() const { return GetThisMessageMap(); }
