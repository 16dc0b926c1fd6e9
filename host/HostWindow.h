// HostWindow: the substitute host's main window: a Tools menu whose
// "Quillbox..." command runs the plug-in, an "Allow results" option and a
// status line with the plug-in's type, version and last Execute result.
#pragma once

#include <windows.h>

#include <string>

#include "host/HostObjects.h"
#include "host/PluginSlots.h"

class HostWindow {
public:
    HostWindow(HINSTANCE instance, PluginSlots plugin);
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    bool Create(bool allowResults);
    // The next Execute saves the screen to `path` once the dialog is up,
    // then closes the dialog and the host.
    void ScreenshotAfterExecute(const wchar_t* path) { m_screenshotPath = path; }
    HWND Handle() const { return m_window; }

    static constexpr UINT kRunQuillbox = 100;
    static constexpr UINT kAllowResults = 101;
    static constexpr UINT kExit = 102;

private:
    static void CALLBACK OnScreenshotTimer(HWND, UINT, UINT_PTR, DWORD);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnSize(int width, int height);
    void OnCommand(UINT id);
    void RunQuillbox();
    void ToggleResults();
    void UpdateStatus();

    HINSTANCE m_instance;
    PluginSlots m_plugin;
    HostLink m_link;
    HostContext m_context{&m_link};
    HostObject m_hostObject{&m_context};
    HWND m_window = nullptr;   // destroyed by the system when the user closes it
    HWND m_status = nullptr;   // child of m_window
    const wchar_t* m_lastResult = L"not run";
    std::wstring m_screenshotPath;
};
