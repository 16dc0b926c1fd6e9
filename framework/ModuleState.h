// Module state: which module's resources, instance handle and application
// object the framework uses. A module switches to its own state for the
// length of a call from outside with AFX_MAINTAIN_STATE2.
#pragma once

#include <windows.h>

class CWinApp;

struct AFX_MODULE_STATE {
    HINSTANCE m_hCurrentInstanceHandle = nullptr;  // the module's own handle (borrowed)
    HINSTANCE m_hCurrentResourceHandle = nullptr;  // where resources are loaded from (borrowed)
    CWinApp* m_pCurrentWinApp = nullptr;           // the module's application object (static, not owned)
};

// The state in force on this thread: the module's own while a guard holds,
// otherwise the process's (whose handle is the executable's).
AFX_MODULE_STATE* AfxGetModuleState();
// This module's own state.
AFX_MODULE_STATE* AfxGetStaticModuleState();

class AFX_MAINTAIN_STATE2 {
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* state);
    ~AFX_MAINTAIN_STATE2();
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

private:
    AFX_MODULE_STATE* m_previous;
};

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
CWinApp* AfxGetApp();
