// Table lookups for FoldCase and FoldToBaseLetter.
#include "CaseFold.h"

#include <algorithm>
#include <iterator>

namespace {

// Code points first, first+stride, ... up to last map to themselves plus delta.
struct FoldRun {
    char32_t first;
    char32_t last;
    int delta;
    int stride;
};

#include "CaseFoldTables.inc"

template <size_t N>
char32_t Lookup(const FoldRun (&runs)[N], char32_t ch)
{
    const FoldRun* end = runs + N;
    const FoldRun* run = std::upper_bound(runs, end, ch, [](char32_t c, const FoldRun& r) { return c < r.first; });
    if (run == runs) return ch;
    --run;
    if (ch > run->last || (ch - run->first) % static_cast<char32_t>(run->stride) != 0) return ch;
    return static_cast<char32_t>(static_cast<int>(ch) + run->delta);
}

} // namespace

char32_t FoldCase(char32_t ch)
{
    if (ch < 0x80) return (ch >= U'A' && ch <= U'Z') ? ch + 32 : ch;
    return Lookup(kFoldRuns, ch);
}

char32_t FoldToBaseLetter(char32_t ch)
{
    const char32_t folded = FoldCase(ch);
    return folded < 0x80 ? folded : Lookup(kBaseRuns, folded);
}

size_t CaseVariants(char32_t folded, char32_t* out, size_t capacity)
{
    size_t count = 0;
    auto add = [&](char32_t ch) {
        if (count < capacity) out[count] = ch;
        ++count;
    };
    if (FoldCase(folded) == folded) add(folded);
    for (const FoldRun& run : kFoldRuns) {
        const char32_t source = static_cast<char32_t>(static_cast<int>(folded) - run.delta);
        if (source >= run.first && source <= run.last && source != folded &&
            FoldCase(source) == folded)
            add(source);
    }
    return count;
}
