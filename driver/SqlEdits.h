// Rewriting a statement's text: replacements and insertions at byte offsets
// of the original, applied in one pass. Portable.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct SqlEdit {
    size_t begin;  // the original's bytes [begin, end) give way to text;
    size_t end;    // begin == end inserts
    std::string text;
};

// The statement with every edit made; edits must not overlap. Edits at the
// same offset keep the order they were given in.
std::string ApplySqlEdits(const std::string& sql, std::vector<SqlEdit> edits);
