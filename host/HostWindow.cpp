// HostWindow: menu commands, the status line and the plug-in call.
#include "host/HostWindow.h"

#include "host/ScreenCapture.h"

#include <commctrl.h>
#include <cwchar>

namespace {

const wchar_t kClassName[] = L"QuillboxHostWindow";

HMENU BuildMenu()
{
    HMENU bar = ::CreateMenu();
    HMENU file = ::CreatePopupMenu();
    ::AppendMenuW(file, MF_STRING, HostWindow::kExit, L"E&xit");
    HMENU tools = ::CreatePopupMenu();
    ::AppendMenuW(tools, MF_STRING, HostWindow::kRunQuillbox, L"&Quillbox...");
    ::AppendMenuW(tools, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(tools, MF_STRING, HostWindow::kAllowResults, L"Allow &results");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(tools), L"&Tools");
    return bar;
}

} // namespace

HostWindow::HostWindow(HINSTANCE instance, PluginSlots plugin) : m_instance(instance), m_plugin(plugin)
{
    m_plugin.SetHost(&m_hostObject);
}

bool HostWindow::Create(bool allowResults)
{
    m_link.m_resultsAllowed = allowResults ? 1 : 0;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = m_instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassW(&windowClass);
    m_window = ::CreateWindowExW(0, kClassName, L"Quillbox Host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, 900, 680,
                                 nullptr, BuildMenu(), m_instance, this);
    return m_window != nullptr;
}

LRESULT CALLBACK HostWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<HostWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<HostWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->OnMessage(message, wParam, lParam) : ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT HostWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    default: return ::DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void HostWindow::OnCreate()
{
    m_status = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, m_window,
                                 nullptr, m_instance, nullptr);
    UpdateStatus();
}

void HostWindow::OnSize(int, int)
{
    if (m_status) ::SendMessageW(m_status, WM_SIZE, 0, 0);
}

void HostWindow::OnCommand(UINT id)
{
    switch (id) {
    case kRunQuillbox: RunQuillbox(); break;
    case kAllowResults: ToggleResults(); break;
    case kExit: ::DestroyWindow(m_window); break;
    default: break;
    }
}

void HostWindow::RunQuillbox()
{
    m_lastResult = L"running";
    UpdateStatus();
    // The timer fires inside the plug-in's modal loop, which dispatches this thread's messages.
    if (!m_screenshotPath.empty()) ::SetTimer(m_window, 1, 2000, &OnScreenshotTimer);
    m_lastResult = m_plugin.Execute() ? L"true" : L"false";
    UpdateStatus();
    if (!m_screenshotPath.empty()) ::DestroyWindow(m_window);
}

void CALLBACK HostWindow::OnScreenshotTimer(HWND window, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(window, id);
    auto* self = reinterpret_cast<HostWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    SaveScreenToBitmap(self->m_screenshotPath.c_str());
    if (HWND dialog = ::GetActiveWindow(); dialog && dialog != window) ::PostMessageW(dialog, WM_CLOSE, 0, 0);
}

void HostWindow::ToggleResults()
{
    m_link.m_resultsAllowed = m_link.m_resultsAllowed ? 0 : 1;
    UpdateStatus();
}

void HostWindow::UpdateStatus()
{
    HMENU menu = ::GetMenu(m_window);
    if (menu) ::CheckMenuItem(menu, kAllowResults, MF_BYCOMMAND | (m_link.m_resultsAllowed ? MF_CHECKED : MF_UNCHECKED));
    wchar_t text[200];
    std::swprintf(text, 200, L"Plug-in type %d, interface version %d   |   Results %ls   |   Last Execute: %ls",
                  m_plugin.GetPluginType(), m_plugin.GetInterfaceVersion(),
                  m_link.m_resultsAllowed ? L"allowed" : L"not allowed", m_lastResult);
    if (m_status) ::SetWindowTextW(m_status, text);
}
