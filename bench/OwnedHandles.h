// Owners for the raw Win32 handles of the benchmark's own windows, which no
// framework object touches: each frees its handle when it goes.
#pragma once

#include "framework/UniqueHandle.h"

#include <windows.h>

struct WindowDestroyer {
    void operator()(HWND window) const { ::DestroyWindow(window); }
};
struct HookRemover {
    void operator()(HHOOK hook) const { ::UnhookWindowsHookEx(hook); }
};
struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
struct FindCloser {
    void operator()(HANDLE find) const { ::FindClose(find); }
};

using OwnedWindow = CUniqueHandle<HWND, WindowDestroyer>;
using OwnedHook = CUniqueHandle<HHOOK, HookRemover>;
using OwnedHandle = CUniqueHandle<HANDLE, HandleCloser>;
using OwnedFind = CUniqueHandle<HANDLE, FindCloser>;
