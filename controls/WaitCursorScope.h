// CWaitCursorScope: the wait cursor for as long as the object lives.
#pragma once

#include <windows.h>

class CWaitCursorScope {
public:
    CWaitCursorScope() : m_previous(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~CWaitCursorScope() { ::SetCursor(m_previous); }
    CWaitCursorScope(const CWaitCursorScope&) = delete;
    CWaitCursorScope& operator=(const CWaitCursorScope&) = delete;

private:
    HCURSOR m_previous;  // shared cursor, not owned
};
