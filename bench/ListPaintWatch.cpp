// CListPaintWatch: a subclass of the list that times the paint an action waits for.
#include "bench/ListPaintWatch.h"

#include "bench/Clock.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

CListPaintWatch::CListPaintWatch() : m_drawn(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

CListPaintWatch::~CListPaintWatch() { Remove(); }

bool CListPaintWatch::Install(HWND list)
{
    m_list = list;
    return ::SetWindowSubclass(list, &SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

void CListPaintWatch::Remove()
{
    if (m_list && ::IsWindow(m_list)) ::RemoveWindowSubclass(m_list, &SubclassProc, 1);
    m_list = nullptr;
}

void CListPaintWatch::Arm(int rows, bool lastRowInView, bool newRows)
{
    m_rows = rows;
    m_lastRowInView = lastRowInView;
    m_newRows = newRows;
    m_countChanged = false;
    {
        const std::lock_guard<std::mutex> hold(m_notesLock);
        m_notes.clear();
    }
    ::ResetEvent(m_drawn.Get());
    m_armed = true;
}

double CListPaintWatch::Wait(DWORD timeoutMs)
{
    const bool drawn = ::WaitForSingleObject(m_drawn.Get(), timeoutMs) == WAIT_OBJECT_0;
    m_armed = false;
    return drawn ? m_time.load() : -1;
}

LRESULT CALLBACK CListPaintWatch::SubclassProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    auto* watch = reinterpret_cast<CListPaintWatch*>(self);
    if (message == LVM_SETITEMCOUNT && watch->m_armed) {
        watch->m_countChanged = true;
        watch->Note("rows", static_cast<int>(wParam));
    }
    const LRESULT result = ::DefSubclassProc(list, message, wParam, lParam);
    if (message == WM_PAINT && watch->m_armed) watch->Note("paint", -1);
    if (message == WM_PAINT && watch->m_armed && (watch->m_countChanged || !watch->m_newRows)) watch->AfterPaint();
    return result;
}

void CListPaintWatch::AfterPaint()
{
    const int count = static_cast<int>(::SendMessageW(m_list, LVM_GETITEMCOUNT, 0, 0));
    const int top = static_cast<int>(::SendMessageW(m_list, LVM_GETTOPINDEX, 0, 0));
    const int perPage = static_cast<int>(::SendMessageW(m_list, LVM_GETCOUNTPERPAGE, 0, 0));
    const int shown = std::min(count - top, perPage);
    if (count == 0 || shown < std::min(m_rows.load(), perPage)) return;
    if (count < m_rows || (m_lastRowInView && top + shown < count)) return;
    m_time = NowMs();
    m_armed = false;
    ::SetEvent(m_drawn.Get());
}

void CListPaintWatch::Note(const char* what, int rows)
{
    if (!m_trace) return;
    const std::lock_guard<std::mutex> hold(m_notesLock);
    m_notes.emplace_back(NowMs(), rows < 0 ? std::string(what) : std::string(what) + " " + std::to_string(rows));
}

std::string CListPaintWatch::TakeTrace(double start)
{
    const std::lock_guard<std::mutex> hold(m_notesLock);
    std::string text;
    for (const auto& note : m_notes) {
        char time[32];
        std::snprintf(time, sizeof time, "%s+%.1f ", text.empty() ? "" : ", ", note.first - start);
        text += time + note.second;
    }
    m_notes.clear();
    return text;
}
