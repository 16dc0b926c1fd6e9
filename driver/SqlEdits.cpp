// Applying edits to a statement's text.
#include "SqlEdits.h"

#include <algorithm>

std::string ApplySqlEdits(const std::string& sql, std::vector<SqlEdit> edits)
{
    std::stable_sort(edits.begin(), edits.end(), [](const SqlEdit& a, const SqlEdit& b) { return a.begin < b.begin; });
    std::string out;
    size_t pos = 0;
    for (const SqlEdit& edit : edits) {
        out.append(sql, pos, edit.begin - pos);
        out += edit.text;
        pos = edit.end;
    }
    out.append(sql, pos, std::string::npos);
    return out;
}
