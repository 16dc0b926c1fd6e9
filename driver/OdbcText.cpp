// WideArgument and CopyWideOut.
#include "OdbcText.h"

#include <cstring>

std::u16string WideArgument(const SQLWCHAR* text, SQLINTEGER length)
{
    if (!text) return std::u16string();
    const auto* p = reinterpret_cast<const char16_t*>(text);
    if (length == SQL_NTS || length < 0) {
        size_t n = 0;
        while (p[n]) ++n;
        return std::u16string(p, n);
    }
    return std::u16string(p, static_cast<size_t>(length));
}

bool CopyWideOut(const std::u16string& text, SQLWCHAR* buffer, SQLLEN capacity, SQLLEN* fullLength)
{
    if (fullLength) *fullLength = static_cast<SQLLEN>(text.size());
    if (!buffer || capacity <= 0) return !text.empty();
    size_t n = text.size();
    if (n > static_cast<size_t>(capacity - 1)) n = static_cast<size_t>(capacity - 1);
    std::memcpy(buffer, text.data(), n * sizeof(SQLWCHAR));
    buffer[n] = 0;
    return n < text.size();
}
