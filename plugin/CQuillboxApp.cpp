// CQuillboxApp: the plug-in interface and Execute, which runs the note dialog.
#include "plugin/CQuillboxApp.h"

#include "framework/GuardedCall.h"
#include "framework/ModuleState.h"
#include "plugin/HostContract.h"
#include "window/CQuillboxDlg.h"

namespace {

CQuillboxApp theApp;

} // namespace

IDatabasePlugin* QuillboxPluginInterface() { return &theApp; }

BEGIN_MESSAGE_MAP(CQuillboxApp, CWinApp)
END_MESSAGE_MAP()

CQuillboxApp::CQuillboxApp() : CWinApp(nullptr) {}

CQuillboxApp::~CQuillboxApp() = default;

BOOL CQuillboxApp::InitInstance()
{
    // The module must load even when the base setup fails.
    CWinApp::InitInstance();
    return TRUE;
}

void CQuillboxApp::SetHost(void* hostObject) { m_hostObject = hostObject; }

void* CQuillboxApp::GetHost() { return m_hostObject; }

int CQuillboxApp::GetPluginType() { return 4; }

int CQuillboxApp::GetInterfaceVersion() { return 3; }

bool CQuillboxApp::Execute()
{
    AFX_MAINTAIN_STATE2 guard(AfxGetStaticModuleState());
    // Host objects come through the interface's own slot; a missing object
    // anywhere along the chain means there is no host to run for.
    IDatabasePlugin* self = this;
    auto* host = static_cast<IHostObject*>(self->GetHost());
    IHostContext* context = host ? host->GetHostContext() : nullptr;
    IHostLink* link = context ? context->GetHostLink() : nullptr;
    if (!link) return false;
    // Nothing escapes to the host: a failure is reported and the answer is no.
    bool accepted = false;
    AfxGuardedCall(nullptr, [&] {
        CQuillboxDlg dialog(link);
        accepted = dialog.DoModal() == IDOK;
    });
    return accepted;
}
