// CMessageTrace: message timestamps on the dialog's thread, summed per window class and message.
#include "bench/MessageTrace.h"

#include "bench/Clock.h"

#include <algorithm>

namespace {

CMessageTrace* g_trace = nullptr;  // the one trace of the process, for the hooks

const wchar_t* MessageName(UINT message)
{
    switch (message) {
    case WM_COMMAND: return L"WM_COMMAND";
    case WM_NOTIFY: return L"WM_NOTIFY";
    case WM_PAINT: return L"WM_PAINT";
    case WM_ERASEBKGND: return L"WM_ERASEBKGND";
    case WM_NCPAINT: return L"WM_NCPAINT";
    case WM_SETREDRAW: return L"WM_SETREDRAW";
    case WM_SHOWWINDOW: return L"WM_SHOWWINDOW";
    case WM_WINDOWPOSCHANGING: return L"WM_WINDOWPOSCHANGING";
    case WM_WINDOWPOSCHANGED: return L"WM_WINDOWPOSCHANGED";
    case WM_ENABLE: return L"WM_ENABLE";
    case WM_CTLCOLORBTN: return L"WM_CTLCOLORBTN";
    case WM_CTLCOLORSTATIC: return L"WM_CTLCOLORSTATIC";
    case WM_CTLCOLORLISTBOX: return L"WM_CTLCOLORLISTBOX";
    case WM_CTLCOLOREDIT: return L"WM_CTLCOLOREDIT";
    case WM_GETTEXT: return L"WM_GETTEXT";
    case WM_GETTEXTLENGTH: return L"WM_GETTEXTLENGTH";
    case WM_SETTEXT: return L"WM_SETTEXT";
    case WM_GETFONT: return L"WM_GETFONT";
    case WM_KEYDOWN: return L"WM_KEYDOWN";
    case WM_TIMER: return L"WM_TIMER";
    case WM_NCHITTEST: return L"WM_NCHITTEST";
    case WM_SETCURSOR: return L"WM_SETCURSOR";
    case WM_MOUSEMOVE: return L"WM_MOUSEMOVE";
    case WM_SIZE: return L"WM_SIZE";
    case WM_NCCALCSIZE: return L"WM_NCCALCSIZE";
    case WM_STYLECHANGING: return L"WM_STYLECHANGING";
    case WM_STYLECHANGED: return L"WM_STYLECHANGED";
    case WM_DESTROY: return L"WM_DESTROY";
    case WM_NCDESTROY: return L"WM_NCDESTROY";
    case WM_CREATE: return L"WM_CREATE";
    case WM_NCCREATE: return L"WM_NCCREATE";
    case WM_DRAWITEM: return L"WM_DRAWITEM";
    case WM_UPDATEUISTATE: return L"WM_UPDATEUISTATE";
    case WM_QUERYUISTATE: return L"WM_QUERYUISTATE";
    case WM_CHANGEUISTATE: return L"WM_CHANGEUISTATE";
    case WM_PRINTCLIENT: return L"WM_PRINTCLIENT";
    default: return nullptr;
    }
}

} // namespace

bool CMessageTrace::Install()
{
    g_trace = this;
    const DWORD thread = ::GetCurrentThreadId();
    m_getMessage.Reset(::SetWindowsHookExW(WH_GETMESSAGE, &GetMessageProc, nullptr, thread));
    m_call.Reset(::SetWindowsHookExW(WH_CALLWNDPROC, &CallProc, nullptr, thread));
    m_callReturn.Reset(::SetWindowsHookExW(WH_CALLWNDPROCRET, &CallReturnProc, nullptr, thread));
    return m_getMessage && m_call && m_callReturn;
}

std::wstring CMessageTrace::Key(const wchar_t* how, HWND window, UINT message)
{
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    wchar_t text[160];
    if (const wchar_t* name = MessageName(message)) std::swprintf(text, 160, L"%ls %ls to %ls", how, name, className);
    else std::swprintf(text, 160, L"%ls 0x%04X to %ls", how, message, className);
    return text;
}

void CMessageTrace::Begin()
{
    m_sent.clear();
    m_posted.clear();
    m_begin = NowMs();
    m_on = true;
}

void CMessageTrace::End()
{
    const double now = NowMs();
    ClosePosted(now);
    m_on = false;
    m_sent.clear();
    m_tracedMs += now - m_begin;
    m_actions += 1;
}

void CMessageTrace::Close(Frame& frame, double now)
{
    Totals& totals = m_totals[frame.key];
    const double inclusive = now - frame.start;
    totals.inclusive += inclusive;
    totals.own += inclusive - frame.children;
    totals.count += 1;
}

void CMessageTrace::ClosePosted(double now)
{
    // Sent messages left open (a modal loop inside) are counted up to here.
    for (Frame& frame : m_sent) Close(frame, now);
    for (Frame& frame : m_posted) Close(frame, now);
    m_posted.clear();
}

LRESULT CALLBACK CMessageTrace::GetMessageProc(int code, WPARAM wParam, LPARAM lParam)
{
    CMessageTrace* trace = g_trace;
    if (trace && trace->m_on && code == HC_ACTION && wParam == PM_REMOVE && trace->m_sent.empty()) {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        const double now = NowMs();
        trace->ClosePosted(now);
        trace->m_posted.push_back({now, 0, Key(L"posted", msg->hwnd, msg->message)});
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CMessageTrace::CallProc(int code, WPARAM wParam, LPARAM lParam)
{
    CMessageTrace* trace = g_trace;
    if (trace && trace->m_on && code == HC_ACTION) {
        const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        std::wstring key = Key(L"sent", call->hwnd, call->message);
        trace->m_sent.push_back({NowMs(), 0, std::move(key)});
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CMessageTrace::CallReturnProc(int code, WPARAM wParam, LPARAM lParam)
{
    CMessageTrace* trace = g_trace;
    if (trace && trace->m_on && code == HC_ACTION && !trace->m_sent.empty()) {
        const double now = NowMs();
        Frame frame = std::move(trace->m_sent.back());
        trace->m_sent.pop_back();
        trace->Close(frame, now);
        const double inclusive = now - frame.start;
        if (!trace->m_sent.empty()) trace->m_sent.back().children += inclusive;
        else if (!trace->m_posted.empty()) trace->m_posted.back().children += inclusive;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void CMessageTrace::Print(std::FILE* out, const char* title)
{
    std::vector<std::pair<std::wstring, Totals>> rows(m_totals.begin(), m_totals.end());
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.second.own > b.second.own; });
    const double actions = m_actions > 0 ? m_actions : 1;
    std::fprintf(out, "TRACE %s: %.0f actions, %.3f ms each between the markers; per action: own ms, with what it sent, count\n", title, m_actions,
                 m_tracedMs / actions);
    for (size_t i = 0; i < rows.size() && i < 30; ++i) {
        const Totals& t = rows[i].second;
        std::fprintf(out, "TRACE   %8.3f %8.3f %7.1f  %ls\n", t.own / actions, t.inclusive / actions, t.count / actions, rows[i].first.c_str());
    }
    Clear();
}

void CMessageTrace::Clear()
{
    m_totals.clear();
    m_actions = 0;
    m_tracedMs = 0;
}
