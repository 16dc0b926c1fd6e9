// LikePattern: a LIKE pattern compiled once and matched against many UTF-8
// texts without allocating. '%' matches any run of characters, '_' exactly
// one character (a 4-byte sequence is one character), the escape character
// (compared without regard to case) makes the next pattern character
// literal, and letters match without regard to case (FoldCase). After a '%',
// the text is scanned for the bytes that can begin the next literal in any of
// its cases before any character is decoded. Portable.
#pragma once

#include <cstddef>
#include <vector>

class LikePattern {
public:
    // `pattern` is UTF-8 (read as NextUtf8CodePoint reads it); `escape` 0 for none.
    LikePattern(const char* pattern, size_t length, char32_t escape);

    char32_t Escape() const { return m_escape; }
    // Whether the UTF-8 `text` matches. text[length] must be a NUL byte, as
    // it is in every text SQLite hands a function; NULs before it are
    // characters like any other.
    bool Matches(const char* text, size_t length) const;

private:
    enum class Kind : unsigned char { Literal, One, Any };
    static constexpr size_t kMaxLeadBytes = 7;
    struct Element {
        Kind kind;
        char32_t ch;                        // a Literal's folded code point
        char leadBytes[kMaxLeadBytes + 1];  // NUL-terminated: the first bytes of its cases; empty when not scanned for
    };

    static void FindLeadBytes(Element& element);
    // Moves pos to the first place at or after it where `element` may match;
    // false when there is none.
    static bool SkipToCandidate(const Element& element, const unsigned char* text, size_t length, size_t& pos);

    std::vector<Element> m_elements;
    char32_t m_escape;
};
