// One Execute of the plug-in with a script driving its dialog.
#include "tests/support/HostedDialog.h"

#include "host/PluginSlots.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/UiDriver.h"

namespace dialogdriver {

HWND WaitForMainDialog(DWORD timeoutMs)
{
    return ui::WaitForWindow(L"#32770", L"Quillbox", timeoutMs, [](HWND w) { return ::GetDlgItem(w, IDC_NOTE_LIST) != nullptr; });
}

HostedRun RunHostedDialog(void* pluginInterface, Host& host, const std::function<void(HWND dialog)>& script)
{
    HostedRun run;
    PluginSlots slots(pluginInterface);
    slots.SetHost(&host.object);
    ui::ScriptThread driver([&] {
        HWND dialog = WaitForMainDialog();
        run.dialogShown = dialog != nullptr;
        if (!dialog) return;
        script(dialog);
        // What the script posted last may be what ends the dialog.
        Settle(dialog);
        CloseStrayWindows(dialog);
        if (::IsWindow(dialog) && ::IsWindowVisible(dialog)) ::PostMessageW(dialog, WM_COMMAND, ID_FILE_EXIT, 0);
    });
    run.executed = slots.Execute();
    driver.Join();
    return run;
}

} // namespace dialogdriver
