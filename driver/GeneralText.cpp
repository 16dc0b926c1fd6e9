// CompareGeneral and LikeGeneral over UTF-16 text.
#include "GeneralText.h"

#include "CaseFold.h"
#include "Utf.h"

#include <vector>

namespace {

int CompareBy(const char16_t* a, size_t aLength, const char16_t* b, size_t bLength, char32_t (*key)(char32_t))
{
    size_t i = 0, j = 0;
    while (i < aLength && j < bLength) {
        const char32_t ca = key(NextCodePoint(a, aLength, i));
        const char32_t cb = key(NextCodePoint(b, bLength, j));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (i < aLength) return 1;
    if (j < bLength) return -1;
    return 0;
}

std::vector<char32_t> FoldedCodePoints(const char16_t* text, size_t length)
{
    std::vector<char32_t> out;
    out.reserve(length);
    for (size_t pos = 0; pos < length;) out.push_back(FoldCase(NextCodePoint(text, length, pos)));
    return out;
}

} // namespace

int CompareGeneral(const char16_t* a, size_t aLength, const char16_t* b, size_t bLength)
{
    // Base letters first, so é sorts with e; then accents; case never counts.
    const int primary = CompareBy(a, aLength, b, bLength, FoldToBaseLetter);
    return primary != 0 ? primary : CompareBy(a, aLength, b, bLength, FoldCase);
}

bool LikeGeneral(const char16_t* pattern, size_t patternLength, const char16_t* text, size_t textLength, char32_t escape)
{
    // Pattern elements: literal code point, one-character wildcard or any-run wildcard.
    enum Kind { Literal, One, Any };
    struct Element { Kind kind; char32_t ch; };
    std::vector<Element> elements;
    const char32_t foldedEscape = escape ? FoldCase(escape) : 0;
    for (size_t pos = 0; pos < patternLength;) {
        const char32_t raw = NextCodePoint(pattern, patternLength, pos);
        const char32_t ch = FoldCase(raw);
        if (escape && ch == foldedEscape && pos < patternLength) {
            elements.push_back({Literal, FoldCase(NextCodePoint(pattern, patternLength, pos))});
        } else if (raw == U'%') {
            if (elements.empty() || elements.back().kind != Any) elements.push_back({Any, 0});
        } else if (raw == U'_') {
            elements.push_back({One, 0});
        } else {
            elements.push_back({Literal, ch});
        }
    }
    const std::vector<char32_t> subject = FoldedCodePoints(text, textLength);

    // Greedy matching with backtracking to the last '%': linear in practice.
    size_t p = 0, s = 0;
    size_t starP = static_cast<size_t>(-1), starS = 0;
    while (s < subject.size()) {
        if (p < elements.size() && elements[p].kind == Any) {
            starP = p++;
            starS = s;
        } else if (p < elements.size() && (elements[p].kind == One || elements[p].ch == subject[s])) {
            ++p;
            ++s;
        } else if (starP != static_cast<size_t>(-1)) {
            p = starP + 1;
            s = ++starS;
        } else {
            return false;
        }
    }
    while (p < elements.size() && elements[p].kind == Any) ++p;
    return p == elements.size();
}
