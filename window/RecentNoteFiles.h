// CRecentNoteFiles: the note databases opened or created last, most recent
// first, at most four. It is read from and written to one stored text of
// NUL-terminated paths ending with an empty one (the registry's
// multi-string form); whatever in a stored text cannot be a note database's
// full path is dropped, so that a damaged setting never names a file to open.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CRecentNoteFiles {
public:
    static constexpr std::size_t kMaxFiles = 4;
    // MAX_PATH less its terminator: the longest path the file dialogs give.
    static constexpr std::size_t kMaxPathLength = 259;

    // A full path of a drive ("C:\folder\notes.mdb") or a share
    // ("\\server\share\notes.mdb") that names a file, at most kMaxPathLength
    // characters, with no character a Windows path cannot hold.
    static bool IsUsablePath(const std::wstring& path);

    // Takes the paths of a stored text, in order, leaving out unusable ones,
    // repeats (letter case aside) and all beyond the fourth. True when the
    // text was exactly what Stored() gives for the result, so that a false
    // tells the caller to write the cleaned list back.
    bool Load(const std::wstring& stored);
    // The list as stored text: every path followed by a NUL, then one more NUL.
    std::wstring Stored() const;

    // Puts `path` first, removing an earlier entry of it and the oldest
    // beyond four; an unusable path changes nothing and gives false.
    bool Add(const std::wstring& path);
    // Removes the entry of `path` (letter case aside); false when there is none.
    bool Remove(const std::wstring& path);

    const std::vector<std::wstring>& Paths() const { return m_paths; }

private:
    std::vector<std::wstring> m_paths;
};
