// Case folding and base letters for every Unicode letter, used by the
// driver's General collation and its LIKE. Portable: no ODBC, no SQLite.
#pragma once

// The simple case fold of a code point (Ä -> ä, Σ/ς -> σ); other code points unchanged.
char32_t FoldCase(char32_t ch);
// The folded letter without its diacritics (é -> e, Å -> a); other code points
// are folded only.
char32_t FoldToBaseLetter(char32_t ch);
