// The texts of a cell for the list, the tooltip and the clipboard.
#include "run/CellText.h"

#include "run/Utf8.h"

const wchar_t kNullMarker[] = L"<NULL>";

namespace {

constexpr wchar_t kHexDigits[] = L"0123456789ABCDEF";

std::wstring HexText(const CellView& cell, std::size_t maxBytes)
{
    std::wstring text = L"0x";
    const std::size_t shown = cell.size < maxBytes ? cell.size : maxBytes;
    text.reserve(2 + shown * 2 + 1);
    for (std::size_t i = 0; i < shown; ++i) {
        const auto byte = static_cast<unsigned char>(cell.data[i]);
        text.push_back(kHexDigits[byte >> 4]);
        text.push_back(kHexDigits[byte & 15]);
    }
    if (shown < cell.size) text.push_back(L'\x2026');
    return text;
}

} // namespace

std::wstring CellDisplayText(const CellView& cell, std::size_t maxChars)
{
    if (cell.kind == CellKind::Null) return kNullMarker;
    if (cell.kind == CellKind::Binary) return HexText(cell, maxChars > 4 ? (maxChars - 3) / 2 : 0);
    // UTF-8 takes at least one byte a character: decoding `maxChars` bytes
    // more than needed is never short, and a long text is not decoded whole.
    std::wstring text;
    const std::size_t decoded = cell.size < maxChars * 4 + 4 ? cell.size : maxChars * 4 + 4;
    AppendWide(text, cell.data, decoded);
    if (text.size() > maxChars) {
        text.resize(maxChars > 0 ? maxChars - 1 : 0);
        if (maxChars > 0) text.push_back(L'\x2026');
    }
    for (wchar_t& c : text) {
        if (c == L'\r' || c == L'\n' || c == L'\t') c = L' ';
    }
    return text;
}

std::wstring CellWholeText(const CellView& cell)
{
    if (cell.kind == CellKind::Null) return kNullMarker;
    if (cell.kind == CellKind::Binary) return HexText(cell, cell.size);
    std::wstring text;
    AppendWide(text, cell.data, cell.size);
    return text;
}

std::wstring CellCopyText(const CellView& cell) { return cell.kind == CellKind::Null ? std::wstring() : CellWholeText(cell); }
