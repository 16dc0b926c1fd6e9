// Text comparison of the note database: the General sort order (letters
// compare without regard to case; accents count only between otherwise equal
// texts) and a LIKE that ignores case for every letter. Portable.
#pragma once

#include <cstddef>

// < 0, 0 or > 0. Texts that differ only in letter case compare equal.
int CompareGeneral(const char16_t* a, size_t aLength, const char16_t* b, size_t bLength);

// SQL LIKE: '%' matches any run of characters, '_' exactly one character
// (a surrogate pair is one character); `escape` (0 for none) makes the next
// pattern character literal. Letters match without regard to case.
bool LikeGeneral(const char16_t* pattern, size_t patternLength, const char16_t* text, size_t textLength, char32_t escape);
