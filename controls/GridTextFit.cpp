// Shortening a cell text to its width with a trailing "...".
#include "controls/GridTextFit.h"

#include <algorithm>
#include <cwchar>

const wchar_t* ShortenText(const wchar_t* text, wchar_t* shortened, int width, int offset, const TextMeasure& measure)
{
    const int length = static_cast<int>(std::wcslen(text));
    if (length == 0) return text;
    if (measure(text, length) + offset < width) return text;

    static const wchar_t kDots[] = L"...";
    const int dots = measure(kDots, 3);
    // The prefix must leave room for the dots and the terminator.
    const int longest = std::min(length - 1, kGridTextBufferSize - 4);
    auto fits = [&](int count) { return measure(text, count) + offset + dots < width; };
    // The longest prefix that fits (extents grow with the prefix), at least one character.
    int keep = 1;
    int low = 1;
    int high = longest;
    while (low <= high) {
        const int mid = low + (high - low) / 2;
        if (fits(mid)) {
            keep = mid;
            low = mid + 1;
        } else {
            high = mid - 1;
        }
    }
    std::wmemcpy(shortened, text, static_cast<size_t>(keep));
    std::wmemcpy(shortened + keep, kDots, 4);
    return shortened;
}

GridTextAlign CellTextAlign(bool shortened, GridTextAlign columnAlign)
{
    return shortened ? GridTextAlign::Left : columnAlign;
}
