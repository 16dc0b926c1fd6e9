// CWinApp: the module's one application object.
#pragma once

#include "CCmdTarget.h"
#include "CString.h"

class CWinApp : public CCmdTarget {
public:
    // Registers itself as the application of this module; a null name means
    // the module's file name without its extension.
    explicit CWinApp(const wchar_t* appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance() { return 0; }
    // The name message boxes carry as their caption.
    CString GetAppName() const;

    HINSTANCE m_hInstance = nullptr;  // the module's handle (borrowed)
    const wchar_t* m_pszAppName = nullptr;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;
};
