// AfxMessageBox and CException::ReportError.
#include "MessageBox.h"

#include "CException.h"
#include "CWinApp.h"
#include "ModuleState.h"

namespace {

// While it lives, the first dialog this thread activates is moved over the
// middle of `window` (a CBT hook sees it before it is drawn).
class CCentredOver {
public:
    explicit CCentredOver(HWND window) : m_window(window), m_outer(t_current)
    {
        if (window) m_hook = ::SetWindowsHookExW(WH_CBT, &CCentredOver::Hook, nullptr, ::GetCurrentThreadId());
        t_current = this;
    }
    ~CCentredOver()
    {
        if (m_hook) ::UnhookWindowsHookEx(m_hook);
        t_current = m_outer;
    }
    CCentredOver(const CCentredOver&) = delete;
    CCentredOver& operator=(const CCentredOver&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        CCentredOver* self = t_current;
        if (code == HCBT_ACTIVATE && self && !self->m_done) {
            self->m_done = true;
            self->Centre(reinterpret_cast<HWND>(wParam));
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    void Centre(HWND box) const
    {
        RECT over = {}, own = {};
        if (!::IsWindowVisible(m_window) || !::GetWindowRect(m_window, &over) || !::GetWindowRect(box, &own)) return;
        const int width = own.right - own.left, height = own.bottom - own.top;
        int x = (over.left + over.right - width) / 2, y = (over.top + over.bottom - height) / 2;
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        if (::GetMonitorInfoW(::MonitorFromWindow(m_window, MONITOR_DEFAULTTONEAREST), &monitor)) {
            const RECT& work = monitor.rcWork;
            if (x + width > work.right) x = work.right - width;
            if (y + height > work.bottom) y = work.bottom - height;
            if (x < work.left) x = work.left;
            if (y < work.top) y = work.top;
        }
        ::SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    static thread_local CCentredOver* t_current;  // the innermost on this thread
    HWND m_window;                // borrowed
    CCentredOver* m_outer;        // the one this one hides while it lives
    HHOOK m_hook = nullptr;       // owned
    bool m_done = false;
};

thread_local CCentredOver* CCentredOver::t_current = nullptr;

} // namespace

int CenteredMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type)
{
    const CCentredOver centred(owner ? ::GetAncestor(owner, GA_ROOT) : nullptr);
    return ::MessageBoxW(owner, text, caption, type);
}

int AfxMessageBox(const wchar_t* text, UINT type, UINT)
{
    if ((type & MB_ICONMASK) == 0) {
        switch (type & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL: type |= MB_ICONEXCLAMATION; break;
        case MB_YESNO:
        case MB_YESNOCANCEL: type |= MB_ICONQUESTION; break;
        default: break;
        }
    }
    HWND owner = ::GetActiveWindow();
    if (owner) {
        for (HWND parent; (::GetWindowLongW(owner, GWL_STYLE) & WS_CHILD) && (parent = ::GetParent(owner)); owner = parent) {}
    }
    CWinApp* app = AfxGetApp();
    const CString caption = app ? app->GetAppName() : CString();
    return CenteredMessageBox(owner, text, caption.IsEmpty() ? nullptr : caption.GetString(), type);
}

int CException::ReportError(unsigned type, unsigned) const
{
    return AfxMessageBox(GetErrorText(), type);
}
