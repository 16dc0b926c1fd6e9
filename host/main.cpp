// QuillboxHost.exe: loads Quillbox.dll by name and offers its command.
// Options: --allow-results sets the link's value; --execute runs the command
// once the window is up; --screenshot=<file.bmp> runs it, saves the screen a
// moment after the dialog opened, closes the dialog and quits.
#include <windows.h>
#include <commctrl.h>
#include <cwchar>

#include "host/HostWindow.h"
#include "host/PluginModule.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int show)
{
    INITCOMMONCONTROLSEX init = { sizeof init, ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&init);
    PluginModule module(L"Quillbox.dll");
    void* pluginInterface = module.GetPluginInterface();
    if (!pluginInterface) {
        ::MessageBoxW(nullptr, L"Quillbox.dll could not be loaded, or it has no GetPluginInterface.", L"Quillbox Host", MB_OK | MB_ICONHAND);
        return 1;
    }
    const bool allowResults = std::wcsstr(commandLine, L"--allow-results") != nullptr;
    HostWindow window(instance, PluginSlots(pluginInterface));
    if (!window.Create(allowResults)) return 1;
    ::ShowWindow(window.Handle(), show);
    ::UpdateWindow(window.Handle());
    if (const wchar_t* shot = std::wcsstr(commandLine, L"--screenshot=")) {
        window.ScreenshotAfterExecute(shot + 13);
        ::PostMessageW(window.Handle(), WM_COMMAND, HostWindow::kRunQuillbox, 0);
    } else if (std::wcsstr(commandLine, L"--execute")) {
        ::PostMessageW(window.Handle(), WM_COMMAND, HostWindow::kRunQuillbox, 0);
    }

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
