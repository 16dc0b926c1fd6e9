// Fuzzes the reading of a stored recent-file list (the registry's
// multi-string, as UTF-16 units) and the menu text of what it keeps. Whatever
// is stored, at most four paths survive, each a usable full path and none a
// repeat; writing them back and reading that gives the same list, as a clean
// one; every shortened path fits its length and a menu text has no '&' of
// the path left single.
#include "window/DisplayedPath.h"
#include "window/RecentNoteFiles.h"

#include "framework/CaseFold.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Require(bool ok, const char* what)
{
    if (ok) return;
    std::fprintf(stderr, "RecentFilesFuzz: %s\n", what);
    std::abort();
}

std::wstring Folded(const std::wstring& path)
{
    std::wstring folded;
    for (wchar_t c : path) folded += static_cast<wchar_t>(FoldToLower(static_cast<unsigned long>(c)));
    return folded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size > 8192) return 0;
    std::wstring stored;
    for (size_t i = 0; i + 1 < size; i += 2) stored += static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));

    CRecentNoteFiles files;
    const bool clean = files.Load(stored);
    const auto& paths = files.Paths();
    Require(paths.size() <= CRecentNoteFiles::kMaxFiles, "more than four paths kept");
    for (size_t i = 0; i < paths.size(); ++i) {
        Require(CRecentNoteFiles::IsUsablePath(paths[i]), "an unusable path kept");
        for (size_t j = 0; j < i; ++j) Require(Folded(paths[i]) != Folded(paths[j]), "a repeat kept");
    }
    Require(clean == (stored == files.Stored()), "clean does not mean stored as written");

    CRecentNoteFiles again;
    Require(again.Load(files.Stored()), "the written list does not read back clean");
    Require(again.Paths() == paths, "the written list reads back different");

    for (size_t i = 0; i < paths.size(); ++i) {
        for (size_t length : {size_t(0), size_t(3), size_t(4), size_t(17), size_t(40), size_t(300)}) {
            Require(ShortenPath(paths[i], length).size() <= length, "a shortened path is too long");
        }
        const std::wstring text = RecentFileMenuText(static_cast<int>(i + 1), paths[i], 40);
        size_t ampersands = 0;
        for (size_t k = 3; k < text.size(); ++k) {
            if (text[k] == L'&') ++ampersands;
            else Require(ampersands % 2 == 0, "a single '&' in a menu text");
            if (text[k] != L'&') ampersands = 0;
        }
        Require(ampersands % 2 == 0, "a single '&' at the end of a menu text");
    }
    // A path added to the list is first and the list stays within four.
    if (!paths.empty()) {
        CRecentNoteFiles added = files;
        added.Add(paths.back());
        Require(added.Paths().front() == paths.back() && added.Paths().size() == paths.size(), "re-adding moved or grew the list");
    }
    return 0;
}
