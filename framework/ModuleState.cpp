// Module states and the guard that switches between them.
#include "ModuleState.h"

namespace {

thread_local AFX_MODULE_STATE* t_current = nullptr;

AFX_MODULE_STATE* ProcessState()
{
    static AFX_MODULE_STATE state;
    if (!state.m_hCurrentInstanceHandle) state.m_hCurrentInstanceHandle = state.m_hCurrentResourceHandle = ::GetModuleHandleW(nullptr);
    return &state;
}

} // namespace

AFX_MODULE_STATE* AfxGetStaticModuleState()
{
    static AFX_MODULE_STATE state;
    // In an executable the module is the process; a DLL sets its handle on attach.
    if (!state.m_hCurrentInstanceHandle) state.m_hCurrentInstanceHandle = state.m_hCurrentResourceHandle = ::GetModuleHandleW(nullptr);
    return &state;
}

AFX_MODULE_STATE* AfxGetModuleState() { return t_current ? t_current : ProcessState(); }

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* state) : m_previous(t_current) { t_current = state; }

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2() { t_current = m_previous; }

HINSTANCE AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }

HINSTANCE AfxGetResourceHandle() { return AfxGetModuleState()->m_hCurrentResourceHandle; }

CWinApp* AfxGetApp()
{
    CWinApp* app = AfxGetModuleState()->m_pCurrentWinApp;
    return app ? app : AfxGetStaticModuleState()->m_pCurrentWinApp;
}
