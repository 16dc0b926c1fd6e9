// CRecentNoteFiles: the checks on stored paths and the order of the list.
#include "window/RecentNoteFiles.h"

#include "framework/CaseFold.h"

#include <algorithm>

namespace {

bool IsLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// Characters that no Windows path holds: controls and the reserved ones
// (':' is allowed only after the drive letter, which the caller checks).
bool IsForbidden(wchar_t c)
{
    return c < 0x20 || c == 0x7F || c == L'<' || c == L'>' || c == L'"' || c == L'|' || c == L'?' || c == L'*' || c == L'/' || c == L':';
}

// Every piece between backslashes from `start` on is non-empty and holds no
// forbidden character; at least `minPieces` pieces.
bool ArePathPieces(const std::wstring& path, std::size_t start, std::size_t minPieces)
{
    std::size_t pieces = 0, length = 0;
    for (std::size_t i = start; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == L'\\') {
            if (length == 0) return false;
            ++pieces;
            length = 0;
        } else if (IsForbidden(path[i])) {
            return false;
        } else {
            ++length;
        }
    }
    return pieces >= minPieces;
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return FoldToLower(static_cast<unsigned long>(x)) == FoldToLower(static_cast<unsigned long>(y));
           });
}

} // namespace

bool CRecentNoteFiles::IsUsablePath(const std::wstring& path)
{
    if (path.empty() || path.size() > kMaxPathLength) return false;
    // "C:\" and at least a file name.
    if (path.size() > 3 && IsLetter(path[0]) && path[1] == L':' && path[2] == L'\\') return ArePathPieces(path, 3, 1);
    // "\\server\share\" and at least a file name; not the device forms "\\.\" and "\\?\".
    if (path.size() > 2 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'.') return ArePathPieces(path, 2, 3);
    return false;
}

bool CRecentNoteFiles::Load(const std::wstring& stored)
{
    m_paths.clear();
    std::size_t start = 0;
    while (start < stored.size()) {
        std::size_t end = stored.find(L'\0', start);
        if (end == std::wstring::npos) end = stored.size();
        const std::wstring path = stored.substr(start, end - start);
        const bool repeated = std::any_of(m_paths.begin(), m_paths.end(), [&path](const std::wstring& p) { return SamePath(p, path); });
        if (m_paths.size() < kMaxFiles && !repeated && IsUsablePath(path)) m_paths.push_back(path);
        start = end + 1;
    }
    return stored == Stored();
}

std::wstring CRecentNoteFiles::Stored() const
{
    std::wstring stored;
    for (const std::wstring& path : m_paths) {
        stored += path;
        stored += L'\0';
    }
    stored += L'\0';
    return stored;
}

bool CRecentNoteFiles::Add(const std::wstring& path)
{
    if (!IsUsablePath(path)) return false;
    Remove(path);
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > kMaxFiles) m_paths.resize(kMaxFiles);
    return true;
}

bool CRecentNoteFiles::Remove(const std::wstring& path)
{
    const auto found = std::find_if(m_paths.begin(), m_paths.end(), [&path](const std::wstring& p) { return SamePath(p, path); });
    if (found == m_paths.end()) return false;
    m_paths.erase(found);
    return true;
}
