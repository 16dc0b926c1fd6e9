// CUiAgent: markers, the Open dialog hook and work on the dialog's thread.
#include "bench/UiAgent.h"

#include "bench/Clock.h"
#include "bench/MessageTrace.h"

#include <exception>
#include <stdexcept>

namespace {

constexpr UINT kMarkStart = WM_APP + 1;
constexpr UINT kMarkEnd = WM_APP + 2;
constexpr UINT kRunWork = WM_APP + 3;
constexpr UINT kSync = WM_APP + 4;
constexpr UINT kTimedWork = WM_APP + 5;
constexpr DWORD kWaitLimitMs = 15 * 60 * 1000;
const wchar_t kAgentClass[] = L"QuillboxBenchAgent";

CUiAgent* g_agent = nullptr;  // the one agent of the process, for the hook

} // namespace

CUiAgent::~CUiAgent()
{
    // The hook first: destroying the window must not reach it.
    m_hook.Reset();
    m_window.Reset();
    m_done.Reset();
    if (g_agent == this) g_agent = nullptr;
}

bool CUiAgent::Start(CMessageTrace* trace)
{
    g_agent = this;
    m_trace = trace;
    if (m_trace && !m_trace->Install()) return false;
    m_done.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    WNDCLASSW agentClass = {};
    agentClass.lpfnWndProc = &WindowProc;
    agentClass.hInstance = ::GetModuleHandleW(nullptr);
    agentClass.lpszClassName = kAgentClass;
    ::RegisterClassW(&agentClass);
    m_window.Reset(::CreateWindowExW(0, kAgentClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, agentClass.hInstance, nullptr));
    m_hook.Reset(::SetWindowsHookExW(WH_CBT, &CbtProc, nullptr, ::GetCurrentThreadId()));
    return m_done && m_window && m_hook;
}

LRESULT CALLBACK CUiAgent::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    CUiAgent* agent = g_agent;
    if (agent && code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == agent->m_armedDialog.load()) {
        agent->m_armedDialog = nullptr;
        agent->m_start = NowMs();
        if (agent->Tracing()) agent->m_trace->Begin();
        // Handled by the first message retrieval after the command returns.
        ::PostMessageW(agent->m_window.Get(), kMarkEnd, 0, 0);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CUiAgent::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CUiAgent* agent = g_agent;
    if (!agent) return ::DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case kMarkStart:
        agent->m_start = NowMs();
        if (agent->Tracing()) agent->m_trace->Begin();
        return 0;
    case kMarkEnd:
        agent->OnMarkEnd();
        return 0;
    case kSync:
        ::SetEvent(agent->m_done.Get());
        return 0;
    case kRunWork:
        agent->RunWork();
        ::SetEvent(agent->m_done.Get());
        return 0;
    case kTimedWork:
        // The end marker, next in the queue, says when it is done.
        agent->RunWork();
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

void CUiAgent::RunWork()
{
    try {
        (*m_work)();
    } catch (const std::exception& e) {
        m_workError = e.what();
    } catch (...) {
        m_workError = "unknown exception";
    }
}

void CUiAgent::OnMarkEnd()
{
    // Whatever the action left to draw in the list is part of the action.
    if (HWND list = m_list.load()) ::UpdateWindow(list);
    m_end = NowMs();
    if (Tracing()) m_trace->End();
    ::SetEvent(m_done.Get());
}

void CUiAgent::WaitDone(const char* what)
{
    if (::WaitForSingleObject(m_done.Get(), kWaitLimitMs) != WAIT_OBJECT_0) throw std::runtime_error(std::string("timed out waiting for ") + what);
}

double CUiAgent::TimeAction(const std::function<void()>& postTrigger)
{
    ::PostMessageW(m_window.Get(), kMarkStart, 0, 0);
    postTrigger();
    ::PostMessageW(m_window.Get(), kMarkEnd, 0, 0);
    WaitDone("a timed action");
    return m_end - m_start;
}

double CUiAgent::TimeWork(const std::function<void()>& work)
{
    m_work = &work;
    m_workError.clear();
    m_timingWork = true;  // the trace is the dialog's
    const double ms = TimeAction([this] { ::PostMessageW(m_window.Get(), kTimedWork, 0, 0); });
    m_timingWork = false;
    m_work = nullptr;
    if (!m_workError.empty()) throw std::runtime_error(m_workError);
    return ms;
}

double CUiAgent::TimeOpen(HWND openDialog)
{
    m_armedDialog = openDialog;
    ::PostMessageW(openDialog, WM_COMMAND, IDOK, 0);
    WaitDone("File Open");
    const bool ofWork = m_work != nullptr;
    m_timingWork = false;
    m_work = nullptr;
    if (ofWork && !m_workError.empty()) throw std::runtime_error(m_workError);
    return m_end - m_start;
}

void CUiAgent::BeginOpenWork(const std::function<void()>& work)
{
    m_work = &work;
    m_workError.clear();
    m_timingWork = true;  // the trace is the dialog's
    // The end marker the hook posts says when it is done.
    ::PostMessageW(m_window.Get(), kTimedWork, 0, 0);
}

void CUiAgent::Run(const std::function<void()>& work)
{
    m_work = &work;
    m_workError.clear();
    ::PostMessageW(m_window.Get(), kRunWork, 0, 0);
    WaitDone("work on the dialog's thread");
    m_work = nullptr;
    if (!m_workError.empty()) throw std::runtime_error(m_workError);
}

void CUiAgent::Sync()
{
    ::PostMessageW(m_window.Get(), kSync, 0, 0);
    WaitDone("the dialog's thread");
}
