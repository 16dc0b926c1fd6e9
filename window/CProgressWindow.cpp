// The progress window of long exports and imports.
#include "window/CProgressWindow.h"

#include "res/resource.h"

#include <commctrl.h>

namespace {

constexpr DWORD kShowAfterMs = 500;
constexpr DWORD kPumpEveryMs = 30;

} // namespace

CProgressWindow::CProgressWindow(CWnd* owner, const CString& text)
    : CDialog(IDD_PROGRESS, owner), m_owner(owner), m_text(text), m_started(::GetTickCount())
{
}

CProgressWindow::~CProgressWindow()
{
    if (m_ownerDisabled && m_owner) ::EnableWindow(m_owner->m_hWnd, TRUE);
    if (m_hWnd) ::DestroyWindow(m_hWnd);
}

bool CProgressWindow::Continue(int done, int total)
{
    const DWORD now = ::GetTickCount();
    if (!m_shown && now - m_started >= kShowAfterMs && done < total) Show();
    if (m_shown) {
        ::SendDlgItemMessageW(m_hWnd, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, total > 0 ? total : 1);
        ::SendDlgItemMessageW(m_hWnd, IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(done), 0);
    }
    if (m_shown && now - m_lastPump >= kPumpEveryMs) {
        m_lastPump = now;
        HandleWaitingMessages();
    }
    return !m_cancelled;
}

void CProgressWindow::OnCancel()
{
    m_cancelled = true;
    ::EnableWindow(::GetDlgItem(m_hWnd, IDCANCEL), FALSE);
}

void CProgressWindow::Show()
{
    if (!Create(IDD_PROGRESS, m_owner)) return;
    ::SetDlgItemTextW(m_hWnd, IDC_PROGRESS_TEXT, m_text.GetString());
    if (m_owner && ::IsWindowEnabled(m_owner->m_hWnd)) {
        ::EnableWindow(m_owner->m_hWnd, FALSE);
        m_ownerDisabled = true;
    }
    ::ShowWindow(m_hWnd, SW_SHOW);
    m_shown = true;
}

// The owner stays painted and the Cancel button answers; input to the
// disabled owner is dropped by the system.
void CProgressWindow::HandleWaitingMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_cancelled = true;
            return;
        }
        if (::IsDialogMessageW(m_hWnd, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}
