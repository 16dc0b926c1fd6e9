// The dialog harness of the main-dialog tests.
#include "tests/window/DialogHarness.h"

#include <gtest/gtest.h>

#include "tests/support/PrivateUserRegistry.h"
#include "tests/support/UiDriver.h"
#include "tests/window/DialogDriver.h"

namespace harness {

namespace {

std::wstring ProgramName()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring full = path;
    return full.substr(full.find_last_of(L"\\/") + 1);
}

CPrivateUserRegistry& UserRegistry()
{
    static CPrivateUserRegistry registry(ProgramName());
    return registry;
}

} // namespace

PluginModule& Module()
{
    // Made before the module and so gone only after it.
    UserRegistry();
    static PluginModule module(L"Quillbox.dll");
    return module;
}

bool ClearUserSettings()
{
    UserRegistry().Clear();
    return UserRegistry().IsActive();
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
