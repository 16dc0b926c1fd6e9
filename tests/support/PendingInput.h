// What the Wine tests wait for on their own thread: the messages already
// queued to it, and the pointer reaching where a test put it.
#pragma once

#include <windows.h>

namespace ui {

// Dispatches every message queued to this thread, then returns.
inline void PumpMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Puts the cursor at (x, y) of the screen and waits until the system reports
// it there: pointer events still on their way from the X server can move it
// back. FALSE when it never got there.
inline bool MoveCursorTo(int x, int y)
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        ::SetCursorPos(x, y);
        PumpMessages();
        POINT now;
        if (::GetCursorPos(&now) && now.x == x && now.y == y) return true;
        ::Sleep(10);
    }
    return false;
}

}  // namespace ui
