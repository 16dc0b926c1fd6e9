// Owners for the raw Win32 handles of the benchmark's own windows, which no
// framework object touches: each frees its handle when it goes.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

struct WindowDestroyer {
    void operator()(HWND window) const { ::DestroyWindow(window); }
};
struct HookRemover {
    void operator()(HHOOK hook) const { ::UnhookWindowsHookEx(hook); }
};
struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};

using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;
using OwnedHook = std::unique_ptr<std::remove_pointer_t<HHOOK>, HookRemover>;
using OwnedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;
