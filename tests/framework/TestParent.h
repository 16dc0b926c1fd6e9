// A top-level framework window that parents the controls under test and
// records the notifications it receives.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "framework/CWnd.h"

class CTestParent : public CWnd {
public:
    CTestParent()
    {
        static const wchar_t* className = Register();
        CreateEx(0, className, L"Framework test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                 CRect(20, 20, 620, 460), nullptr, 0);
    }

    struct Notification {
        UINT code;
        UINT_PTR id;
    };
    std::vector<Notification> m_notifications;

    int Count(UINT code) const
    {
        int count = 0;
        for (const Notification& n : m_notifications) count += n.code == code;
        return count;
    }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (CWnd::OnNotify(wParam, lParam, result)) return TRUE;
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        m_notifications.push_back({ header->code, header->idFrom });
        return FALSE;
    }

private:
    static const wchar_t* Register()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"QbFrameworkTestParent";
        ::RegisterClassW(&wc);
        return wc.lpszClassName;
    }
};

// Lets the controls process what was posted or sent to them (paint, notifications).
inline void PumpMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}
