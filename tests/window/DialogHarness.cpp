// The dialog harness of the main-dialog tests.
#include "tests/window/DialogHarness.h"

#include <gtest/gtest.h>

#include "tests/support/UiDriver.h"
#include "tests/window/DialogDriver.h"

namespace harness {

PluginModule& Module()
{
    static PluginModule module(L"Quillbox.dll");
    return module;
}

HWND WaitForMainDialog(DWORD timeoutMs)
{
    return ui::WaitForWindow(L"#32770", L"Quillbox", timeoutMs, [](HWND w) { return ::GetDlgItem(w, kNoteList) != nullptr; });
}

bool Execute(Host& host, const std::function<void(HWND dialog)>& script)
{
    PluginSlots slots(Module().GetPluginInterface());
    slots.SetHost(&host.object);
    ui::ScriptThread driver([&] {
        HWND dialog = WaitForMainDialog();
        EXPECT_NE(dialog, nullptr) << "the Quillbox dialog did not appear";
        if (!dialog) return;
        script(dialog);
        // A script that failed half-way may have left a modal window open.
        dialogdriver::CloseStrayWindows(dialog);
        if (::IsWindow(dialog) && ::IsWindowVisible(dialog)) ::PostMessageW(dialog, WM_COMMAND, 32774, 0);
    });
    return slots.Execute();
}

void Command(HWND dialog, int id) { ::SendMessageW(dialog, WM_COMMAND, id, 0); }

} // namespace harness
