// The notes the crash-safety saver writes: number `index` of run `seed`,
// always the same texts for the same pair. Titles are unique per run (they
// start with the run and the index) so the checker can find each note; the
// texts mix quotes, line breaks, non-Latin and non-BMP characters, and now
// and then a query large enough that a kill can land in the middle of its write.
#pragma once

#include <string>

struct CrashNote {
    std::wstring title;     // at most 255 characters
    std::wstring comments;  // at most 255 characters
    std::wstring query;
};

CrashNote MakeCrashNote(unsigned seed, int index);
