// Window finding and message-box reading for the Wine tests.
#include "tests/support/UiDriver.h"

#include <vector>

namespace ui {

namespace {

BOOL CALLBACK CollectOwnProcessWindow(HWND window, LPARAM param)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == ::GetCurrentProcessId()) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

} // namespace

bool IsMessageBox(HWND window)
{
    if (ClassName(window) != L"#32770") return false;
    bool hasText = false;
    for (HWND child : DirectChildren(window)) {
        const std::wstring type = ClassName(child);
        if (type == L"Static") hasText = hasText || !WindowText(child).empty();
        else if (type != L"Button") return false;
    }
    return hasText;
}

std::vector<HWND> OwnTopLevelWindows()
{
    std::vector<HWND> windows;
    ::EnumWindows(&CollectOwnProcessWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> DirectChildren(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
    return children;
}

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<size_t>(::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))));
    return text;
}

std::wstring ClassName(HWND window)
{
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return name;
}

HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, DWORD timeoutMs, const std::function<bool(HWND)>& accept)
{
    const DWORD start = ::GetTickCount();
    do {
        for (HWND window : OwnTopLevelWindows()) {
            if (!::IsWindowVisible(window)) continue;
            if (className && ClassName(window) != className) continue;
            if (caption && WindowText(window) != caption) continue;
            if (accept && !accept(window)) continue;
            return window;
        }
        ::Sleep(20);
    } while (::GetTickCount() - start < timeoutMs);
    return nullptr;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (::IsWindow(window) && ::IsWindowVisible(window)) {
        if (::GetTickCount() - start >= timeoutMs) return false;
        ::Sleep(20);
    }
    return true;
}

HWND WaitForMessageBox(DWORD timeoutMs, HWND except)
{
    return WaitForWindow(L"#32770", nullptr, timeoutMs, [except](HWND window) { return window != except && IsMessageBox(window); });
}

std::wstring MessageBoxText(HWND box)
{
    for (HWND child : DirectChildren(box)) {
        if (ClassName(child) == L"Static" && !WindowText(child).empty()) return WindowText(child);
    }
    return L"";
}

UINT MessageBoxIcon(HWND box)
{
    // The icon static holds the system icon the box was given.
    struct Known { LPCWSTR id; UINT type; };
    const Known known[] = { { IDI_HAND, MB_ICONHAND }, { IDI_QUESTION, MB_ICONQUESTION },
                            { IDI_EXCLAMATION, MB_ICONEXCLAMATION }, { IDI_ASTERISK, MB_ICONASTERISK } };
    for (HWND child : DirectChildren(box)) {
        if (ClassName(child) != L"Static") continue;
        auto icon = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
        if (!icon) continue;
        for (const Known& k : known) {
            if (icon == ::LoadIconW(nullptr, k.id)) return k.type;
        }
    }
    return 0;
}

void PressButton(HWND dialog, int id)
{
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

SeenBox AnswerMessageBox(HWND box, int answer)
{
    const DWORD start = ::GetTickCount();
    while (::IsWindow(box) && !::IsWindowVisible(box) && ::GetTickCount() - start < 10000) ::Sleep(5);
    SeenBox seen;
    seen.text = MessageBoxText(box);
    seen.caption = WindowText(box);
    seen.icon = MessageBoxIcon(box);
    seen.owner = ::GetWindow(box, GW_OWNER);
    // Posted: the box's own loop handles the click, as it does a user's.
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, answer)));
    while (::IsWindow(box) && ::GetTickCount() - start < 20000) ::Sleep(5);
    return seen;
}

int CountVisibleTopLevelWindows()
{
    int count = 0;
    for (HWND window : OwnTopLevelWindows()) count += ::IsWindowVisible(window) ? 1 : 0;
    return count;
}

} // namespace ui
