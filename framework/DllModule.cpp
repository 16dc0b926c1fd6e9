// DllMain of a module built on the framework: records the module's handle in
// its own state and runs the application's InitInstance while the module loads.
#include <windows.h>

#include "CWinApp.h"
#include "ModuleState.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    AFX_MODULE_STATE* state = AfxGetStaticModuleState();
    CWinApp* app = state->m_pCurrentWinApp;
    if (reason == DLL_PROCESS_ATTACH) {
        ::DisableThreadLibraryCalls(instance);
        state->m_hCurrentInstanceHandle = state->m_hCurrentResourceHandle = instance;
        if (!app) return TRUE;
        app->m_hInstance = instance;
        AFX_MAINTAIN_STATE2 guard(state);
        return app->InitInstance() ? TRUE : FALSE;
    }
    if (reason == DLL_PROCESS_DETACH && app) {
        AFX_MAINTAIN_STATE2 guard(state);
        app->ExitInstance();
    }
    return TRUE;
}
