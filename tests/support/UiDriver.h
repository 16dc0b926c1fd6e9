// Helpers for Wine tests that drive real windows the way a user's input
// arrives: find this process's windows, read message boxes, press buttons,
// and run a script on a second thread while the UI thread sits in a modal loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace ui {

// Waits up to `timeoutMs` for a visible top-level window of this process with
// the class and (when given) the caption; `accept` may refine the choice.
HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, DWORD timeoutMs = 10000,
                   const std::function<bool(HWND)>& accept = nullptr);
// Waits until `window` is gone.
bool WaitForWindowGone(HWND window, DWORD timeoutMs = 10000);
// A message box: a dialog whose own controls are only texts, icons and
// buttons, one text not empty (other dialogs have edit boxes, lists, trees,
// progress bars or pages among theirs).
bool IsMessageBox(HWND window);
// Waits for a message box other than `except`.
HWND WaitForMessageBox(DWORD timeoutMs = 10000, HWND except = nullptr);
// The message text of a message box.
std::wstring MessageBoxText(HWND box);
// The icon a message box shows, as MB_ICON... (0 when none could be told).
UINT MessageBoxIcon(HWND box);
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
// Presses the dialog button `id` as a click does (WM_COMMAND BN_CLICKED).
void PressButton(HWND dialog, int id);

// A message box as the user saw it.
struct SeenBox {
    std::wstring text;
    std::wstring caption;
    UINT icon = 0;  // MB_ICON..., 0 when none could be told
    HWND owner = nullptr;
};
// Waits until `box` shows, reads it and answers it with its button `answer`
// as a click does, then waits until it is gone.
SeenBox AnswerMessageBox(HWND box, int answer = IDOK);
// Top-level windows of this process that are visible.
int CountVisibleTopLevelWindows();
// Top-level windows of this process, shown or not.
std::vector<HWND> OwnTopLevelWindows();
// The windows whose parent is `parent`.
std::vector<HWND> DirectChildren(HWND parent);

// Runs `script` on its own thread; Join() waits for it.
class ScriptThread {
public:
    explicit ScriptThread(std::function<void()> script) : m_thread(std::move(script)) {}
    ~ScriptThread() { Join(); }
    ScriptThread(const ScriptThread&) = delete;
    ScriptThread& operator=(const ScriptThread&) = delete;
    void Join()
    {
        if (m_thread.joinable()) m_thread.join();
    }

private:
    std::thread m_thread;
};

} // namespace ui
