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
        if (::IsWindow(dialog) && ::IsWindowVisible(dialog)) {
            // Changes the script left unsaved are dropped: Exit's questions are answered No.
            ::PostMessageW(dialog, WM_COMMAND, ID_FILE_EXIT, 0);
            AnswerBoxes(dialog, {IDNO, IDNO});
        }
    });
    run.executed = slots.Execute();
    driver.Join();
    return run;
}

} // namespace dialogdriver
