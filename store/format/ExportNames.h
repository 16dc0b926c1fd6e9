// File and folder names for exported notes and groups: safe on Windows and
// Linux, unique within their folder without regard to case, short enough
// that a path under an export folder of up to 100 characters stays within
// Windows' 259, and the same for the same names every time. Portable.
#pragma once

#include "framework/CString.h"
#include "store/format/NoteFile.h"

#include <set>
#include <string>

// Longest stems, in UTF-16 units: 100 + '\' + 64 + '\' + 80 + " (9999)" + ".sql" <= 259.
constexpr int kGroupFolderStemLimit = 64;
constexpr int kNoteFileStemLimit = 80;

// The name as a file or folder stem: characters Windows forbids and control
// characters become '_', a leading dot and a trailing dot or space become
// '_', a device name (CON, NUL, COM1 ...) gets a leading '_', and it is cut
// to the limit without splitting a surrogate pair. Never empty.
CString SafeFileStem(const CString& name, int limit);

// A new note file's stem, the same on every machine for the same title: the
// title itself when it is its own safe stem and written in sentence case
// (no capital letter after the first character, and the first one a
// capital where it has one), else its safe stem and a mark made from its
// exact spelling (" ~1f2e3d4c"). So two titles never share a name, even
// without regard to case: "a/b" and "a:b", "Daily" and "daily".
CString NoteFileStem(const CString& title);
// The stem for a second note of the very same title in one folder: marked
// with its texts (their hash), whichever machine wrote it.
CString TwinNoteFileStem(const CString& title, unsigned long long texts);

// The title a note file's name says, as far as it can: the name without
// its extension and without a mark the names above add (" ~1f2e3d4c",
// " (a1b2c3)") or a " (2)" an older version added.
CString TitleOfNoteFileName(const CString& fileName);

// A name that starts with a dot (.git, .gitignore, .github): exports and
// imports skip such files and folders without a word and never write one.
bool IsDotName(const CString& name);

// The key under which two names are the same name to Windows' file system:
// each character folded to lower case.
std::wstring FileNameKey(const CString& name);

// True when the name ends in `extension` (".sql") after at least one other
// character, without regard to case.
bool HasExtension(const CString& name, const wchar_t* extension);

// The names taken in one folder; hands out the first free one of "stem.ext",
// "stem (2).ext", "stem (3).ext" ...
class FolderNames {
public:
    void Take(const CString& name) { m_taken.insert(FileNameKey(name)); }
    bool IsTaken(const CString& name) const { return m_taken.count(FileNameKey(name)) != 0; }
    void Release(const CString& name) { m_taken.erase(FileNameKey(name)); }
    CString TakeFree(const CString& stem, const wchar_t* extension);

private:
    std::set<std::wstring> m_taken;
};

// The name a note's new file takes among `names`: NoteFileStem, or the
// twin's stem when a note of the very same title has that name; a " (2)"
// only when a name an older version gave is in the way of both.
CString TakeNewNoteFileName(FolderNames& names, const NoteFileFields& fields);
