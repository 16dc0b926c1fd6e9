// What identifies a folder on this machine, whatever spelling of its path
// names it (letter case, a trailing separator, another drive letter for the
// same place, a "\\?\" prefix, a link): the machine's name, the volume and
// the folder's file id. A sync remembers a folder under this key, so two
// machines sharing one database file keep separate memories. No windows.
#pragma once

#include "framework/CString.h"

struct FolderIdentity {
    CString key;       // "<machine>|<volume>:<file id>", or "<machine>|path:<full path>" where the platform gives no id
    CString fullPath;  // the path made full, without a trailing separator
};

// False with `error` when the folder cannot be opened.
bool IdentifyFolder(const CString& path, FolderIdentity& identity, CString& error);
// The path made full, without a trailing separator (as earlier builds named a folder's memory).
CString FullFolderPath(const CString& path);
