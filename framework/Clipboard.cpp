// Clipboard text, with the clipboard closed and unused memory freed on every path.
#include "framework/Clipboard.h"

#include <cstring>

namespace {

// Closes the clipboard this scope opened.
class COpenClipboard {
public:
    explicit COpenClipboard(HWND owner) : m_open(::OpenClipboard(owner) != FALSE) {}
    ~COpenClipboard()
    {
        if (m_open) ::CloseClipboard();
    }
    COpenClipboard(const COpenClipboard&) = delete;
    COpenClipboard& operator=(const COpenClipboard&) = delete;
    bool IsOpen() const { return m_open; }

private:
    bool m_open;
};

} // namespace

bool PutTextOnClipboard(HWND owner, const std::wstring& text)
{
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    if (void* target = ::GlobalLock(memory)) {
        std::memcpy(target, text.c_str(), bytes);
        ::GlobalUnlock(memory);
    }
    const COpenClipboard clipboard(owner);
    // Once the clipboard takes the memory it is the clipboard's to free.
    if (!clipboard.IsOpen() || !::EmptyClipboard() || !::SetClipboardData(CF_UNICODETEXT, memory)) {
        ::GlobalFree(memory);
        return false;
    }
    return true;
}

std::wstring WithWindowsLineEnds(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) out += L'\r';
        out += text[i];
        if (text[i] == L'\r' && (i + 1 == text.size() || text[i + 1] != L'\n')) out += L'\n';
    }
    return out;
}
