// CompareGeneral over UTF-16 and UTF-8 text.
#include "GeneralText.h"

#include "CaseFold.h"
#include "Utf.h"

namespace {

// The order of two texts whose compared characters were all equal: the one
// with characters left is the greater.
inline int OrderOfRests(bool aHasMore, bool bHasMore) { return aHasMore ? 1 : bHasMore ? -1 : 0; }

int CompareBy(const char16_t* a, size_t aLength, const char16_t* b, size_t bLength, char32_t (*key)(char32_t))
{
    size_t i = 0, j = 0;
    while (i < aLength && j < bLength) {
        const char32_t ca = key(NextCodePoint(a, aLength, i));
        const char32_t cb = key(NextCodePoint(b, bLength, j));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return OrderOfRests(i < aLength, j < bLength);
}

inline unsigned char AsciiLower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

// Both keys agree on ASCII (its letters folded to lower case), which most
// names are: those characters are compared byte by byte; `sawOther` tells
// whether any other character was compared.
int CompareByUtf8(const unsigned char* a, size_t aLength, const unsigned char* b, size_t bLength, char32_t (*key)(char32_t), bool& sawOther)
{
    size_t i = 0, j = 0;
    while (i < aLength && j < bLength) {
        const unsigned char x = a[i], y = b[j];
        if ((x | y) < 0x80) {
            if (x != y) {
                const unsigned char lx = AsciiLower(x), ly = AsciiLower(y);
                if (lx != ly) return lx < ly ? -1 : 1;
            }
            ++i;
            ++j;
            continue;
        }
        sawOther = true;
        const char32_t ca = key(NextUtf8CodePoint(a, aLength, i));
        const char32_t cb = key(NextUtf8CodePoint(b, bLength, j));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return OrderOfRests(i < aLength, j < bLength);
}

} // namespace

int CompareGeneral(const char16_t* a, size_t aLength, const char16_t* b, size_t bLength)
{
    // Base letters first, so é sorts with e; then accents; case never counts.
    const int primary = CompareBy(a, aLength, b, bLength, FoldToBaseLetter);
    return primary != 0 ? primary : CompareBy(a, aLength, b, bLength, FoldCase);
}

int CompareGeneralUtf8(const char* a, size_t aLength, const char* b, size_t bLength)
{
    const auto* x = reinterpret_cast<const unsigned char*>(a);
    const auto* y = reinterpret_cast<const unsigned char*>(b);
    bool sawOther = false;
    const int primary = CompareByUtf8(x, aLength, y, bLength, FoldToBaseLetter, sawOther);
    if (primary != 0 || !sawOther) return primary;
    return CompareByUtf8(x, aLength, y, bLength, FoldCase, sawOther);
}
