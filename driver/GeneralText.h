// Text comparison of the note database: the General sort order (letters
// compare without regard to case; accents count only between otherwise equal
// texts), over UTF-16 and over UTF-8 (as SQLite stores the text). The LIKE
// that ignores case for every letter is LikePattern. Portable.
#pragma once

#include <cstddef>

// < 0, 0 or > 0. Texts that differ only in letter case compare equal.
int CompareGeneral(const char16_t* a, size_t aLength, const char16_t* b, size_t bLength);
// The same order over UTF-8 (characters read as NextUtf8CodePoint reads
// them), without converting or allocating.
int CompareGeneralUtf8(const char* a, size_t aLength, const char* b, size_t bLength);
