// Case folding and base letters for every Unicode letter, used by the
// driver's General collation and its LIKE. Portable: no ODBC, no SQLite.
#pragma once

#include <cstddef>

// The simple case fold of a code point (Ä -> ä, Σ/ς -> σ); other code points unchanged.
char32_t FoldCase(char32_t ch);
// The folded letter without its diacritics (é -> e, Å -> a); other code points
// are folded only.
char32_t FoldToBaseLetter(char32_t ch);
// Every code point whose FoldCase is `folded` (for 'k': k, K and the Kelvin
// sign), at most `capacity` of them written to `out`; returns how many there
// are (more than `capacity` when out was too small).
size_t CaseVariants(char32_t folded, char32_t* out, size_t capacity);
