// RunHostedDialog: the host's side of one Execute, for programs that drive the dialog.
#include "bench/HostedDialog.h"

#include "bench/UiAgent.h"
#include "host/HostObjects.h"
#include "host/PluginModule.h"
#include "host/PluginSlots.h"

#include <commctrl.h>

#include <cwchar>
#include <thread>

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    wchar_t name[32] = {}, caption[32] = {};
    ::GetClassNameW(window, name, 32);
    ::GetWindowTextW(window, caption, 32);
    if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window) && std::wcscmp(name, L"#32770") == 0 &&
        std::wcscmp(caption, L"Quillbox") == 0 && ::GetDlgItem(window, 1020)) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND WaitForQuillboxDialog()
{
    for (int attempt = 0; attempt < 3000; ++attempt) {
        HWND dialog = nullptr;
        ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&dialog));
        if (dialog) return dialog;
        ::Sleep(10);
    }
    return nullptr;
}

bool RunHostedDialog(CUiAgent& agent, const std::function<void(HWND dialog)>& script, std::string& error)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (!agent.Start()) {
        error = "the agent could not start";
        return false;
    }
    PluginModule module(L"Quillbox.dll");
    void* plugin = module.GetPluginInterface();
    if (!plugin) {
        error = "Quillbox.dll or its GetPluginInterface is missing";
        return false;
    }
    HostLink link;
    HostContext context(&link);
    HostObject host(&context);
    PluginSlots slots(plugin);
    slots.SetHost(&host);

    bool sawDialog = false;
    std::thread scriptThread([&] {
        HWND dialog = WaitForQuillboxDialog();
        sawDialog = dialog != nullptr;
        if (dialog) script(dialog);
    });
    slots.Execute();
    scriptThread.join();
    if (!sawDialog) error = "the Quillbox dialog did not appear";
    return sawDialog;
}
