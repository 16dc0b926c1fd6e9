// CMessageTrace: where a timed action's time goes on the dialog's thread.
// Hooks on that thread (WH_GETMESSAGE for posted messages, WH_CALLWNDPROC and
// WH_CALLWNDPROCRET for sent ones) timestamp every message while the trace is
// on; each message's time is split into its own (exclusive) and that of the
// messages it sent. Totals per window class and message are kept until Print.
#pragma once

#include "bench/OwnedHandles.h"

#include <windows.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class CMessageTrace {
public:
    // Installs the hooks on the calling thread (the dialog's).
    bool Install();
    void Begin();
    void End();
    // Prints the totals under `title`, largest own time first, and clears them.
    void Print(std::FILE* out, const char* title);
    void Clear();

private:
    struct Frame {
        double start;
        double children;
        std::wstring key;
    };
    struct Totals {
        double own = 0;
        double inclusive = 0;
        int count = 0;
    };

    static LRESULT CALLBACK GetMessageProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallReturnProc(int code, WPARAM wParam, LPARAM lParam);
    static std::wstring Key(const wchar_t* how, HWND window, UINT message);
    void Close(Frame& frame, double now);
    void ClosePosted(double now);

    OwnedHook m_getMessage;
    OwnedHook m_call;
    OwnedHook m_callReturn;
    bool m_on = false;
    double m_actions = 0;
    double m_tracedMs = 0;
    double m_begin = 0;
    std::vector<Frame> m_sent;    // sent messages being handled, innermost last
    std::vector<Frame> m_posted;  // the posted message being handled (at most one)
    std::map<std::wstring, Totals> m_totals;
};
