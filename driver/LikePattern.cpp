// LikePattern: compiling the pattern and the greedy match over UTF-8.
#include "LikePattern.h"

#include "CaseFold.h"
#include "Utf.h"

#include <cstring>

namespace {

constexpr size_t kNoStar = static_cast<size_t>(-1);

inline char32_t Folded(char32_t ch)
{
    if (ch < 0x80) return (ch >= U'A' && ch <= U'Z') ? ch + 32 : ch;
    return FoldCase(ch);
}

unsigned char LeadByte(char32_t ch)
{
    if (ch < 0x80) return static_cast<unsigned char>(ch);
    if (ch < 0x800) return static_cast<unsigned char>(0xC0 | (ch >> 6));
    if (ch < 0x10000) return static_cast<unsigned char>(0xE0 | (ch >> 12));
    return static_cast<unsigned char>(0xF0 | (ch >> 18));
}

} // namespace

LikePattern::LikePattern(const char* pattern, size_t length, char32_t escape) : m_escape(escape)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(pattern);
    const char32_t foldedEscape = escape ? Folded(escape) : 0;
    for (size_t pos = 0; pos < length;) {
        const char32_t raw = NextUtf8CodePoint(bytes, length, pos);
        const char32_t ch = Folded(raw);
        if (escape && ch == foldedEscape && pos < length) {
            m_elements.push_back({Kind::Literal, Folded(NextUtf8CodePoint(bytes, length, pos)), {}});
        } else if (raw == U'%') {
            if (m_elements.empty() || m_elements.back().kind != Kind::Any) m_elements.push_back({Kind::Any, 0, {}});
        } else if (raw == U'_') {
            m_elements.push_back({Kind::One, 0, {}});
        } else {
            m_elements.push_back({Kind::Literal, ch, {}});
        }
    }
    for (size_t i = 1; i < m_elements.size(); ++i) {
        if (m_elements[i - 1].kind == Kind::Any && m_elements[i].kind == Kind::Literal) FindLeadBytes(m_elements[i]);
    }
}

void LikePattern::FindLeadBytes(Element& element)
{
    // A character that is not well-formed reads as U+FFFD whatever its
    // bytes, and strcspn cannot look for NUL: neither is scanned for.
    if (element.ch == 0 || element.ch == 0xFFFD) return;
    char32_t variants[kMaxLeadBytes];
    const size_t count = CaseVariants(element.ch, variants, kMaxLeadBytes);
    if (count == 0 || count > kMaxLeadBytes) return;
    size_t used = 0;
    for (size_t i = 0; i < count; ++i) {
        const char lead = static_cast<char>(LeadByte(variants[i]));
        if (!std::memchr(element.leadBytes, lead, used)) element.leadBytes[used++] = lead;
    }
    element.leadBytes[used] = 0;
}

bool LikePattern::SkipToCandidate(const Element& element, const unsigned char* text, size_t length, size_t& pos)
{
    if (element.kind != Kind::Literal || !element.leadBytes[0]) return true;
    // Every lead byte begins a character, so each stop is a character's start.
    while (pos < length) {
        pos += std::strcspn(reinterpret_cast<const char*>(text + pos), element.leadBytes);
        if (pos >= length) return false;
        if (text[pos] != 0) return true;
        ++pos;  // a NUL inside the text
    }
    return false;
}

bool LikePattern::Matches(const char* text, size_t length) const
{
    // Greedy matching with backtracking to the last '%', as for any pattern
    // of '%' and '_': linear in practice.
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    const size_t count = m_elements.size();
    size_t p = 0, pos = 0;
    size_t starP = kNoStar, starPos = 0;
    while (pos < length) {
        if (p < count && m_elements[p].kind == Kind::Any) {
            if (p + 1 == count) return true;  // a trailing '%' takes the rest
            starP = p++;
            starPos = pos;
            if (!SkipToCandidate(m_elements[p], s, length, starPos)) return false;
            pos = starPos;
            continue;
        }
        size_t next = pos;
        const char32_t ch = Folded(NextUtf8CodePoint(s, length, next));
        if (p < count && (m_elements[p].kind == Kind::One || m_elements[p].ch == ch)) {
            ++p;
            pos = next;
        } else if (starP != kNoStar) {
            // Try the part after the last '%' one character further on.
            p = starP + 1;
            NextUtf8CodePoint(s, length, starPos);
            if (!SkipToCandidate(m_elements[p], s, length, starPos)) return false;
            pos = starPos;
        } else {
            return false;
        }
    }
    while (p < count && m_elements[p].kind == Kind::Any) ++p;
    return p == count;
}
