// Shortening of long paths and the recent files' menu texts.
#include "window/DisplayedPath.h"

namespace {

const std::wstring kEllipsis = L"...";

// The length of the root that a shortened path keeps: "C:\" or
// "\\server\share\"; 0 when the path has neither.
std::size_t RootLength(const std::wstring& path)
{
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return 3;
    if (path.compare(0, 2, L"\\\\") != 0) return 0;
    const std::size_t server = path.find(L'\\', 2);
    if (server == std::wstring::npos) return 0;
    const std::size_t share = path.find(L'\\', server + 1);
    return share == std::wstring::npos ? 0 : share + 1;
}

} // namespace

std::wstring ShortenPath(const std::wstring& path, std::size_t maxLength)
{
    if (path.size() <= maxLength) return path;
    if (maxLength <= kEllipsis.size()) return path.substr(0, maxLength);

    const std::size_t lastSlash = path.rfind(L'\\');
    const std::wstring name = lastSlash == std::wstring::npos ? path : path.substr(lastSlash + 1);
    const std::size_t rootLength = RootLength(path);
    // The tail: "\name", then "\folder\name" and so on while root + "..." + tail fits.
    std::wstring tail = L"\\" + name;
    if (rootLength > 0 && lastSlash != std::wstring::npos && lastSlash >= rootLength &&
        rootLength + kEllipsis.size() + tail.size() <= maxLength) {
        std::size_t end = lastSlash;
        while (end > rootLength) {
            const std::size_t start = path.rfind(L'\\', end - 1);
            if (start == std::wstring::npos || start < rootLength - 1) break;
            const std::wstring longer = path.substr(start, end - start) + tail;
            if (rootLength + kEllipsis.size() + longer.size() > maxLength) break;
            tail = longer;
            end = start;
        }
        return path.substr(0, rootLength) + kEllipsis + tail;
    }
    if (kEllipsis.size() + tail.size() <= maxLength) return kEllipsis + tail;
    return name.substr(0, maxLength - kEllipsis.size()) + kEllipsis;
}

std::wstring RecentFileMenuText(int number, const std::wstring& path, std::size_t maxLength)
{
    std::wstring text = L"&" + std::to_wstring(number) + L" ";
    for (wchar_t c : ShortenPath(path, maxLength)) {
        text += c;
        if (c == L'&') text += L'&';
    }
    return text;
}
