// The files of a note folder on Windows: listing a folder, reading a file
// whole, and writing one whole or not at all (written beside under a
// temporary name, flushed, then renamed over the old one). Failures come back
// as a text that names the file and says why. No windows.
#pragma once

#include "framework/CString.h"

#include <string>
#include <vector>

struct FolderItem {
    CString name;
    bool isFolder = false;
    bool isLink = false;      // a reparse point: never followed
    long long size = 0;
    unsigned long long writeTime = 0;  // last write, FILETIME units
};

CString JoinPath(const CString& folder, const CString& name);
// The folder that holds `path` ("." for a bare name).
CString ParentFolder(const CString& path);
// "<path>: <the system's text for code>" (a GetLastError code).
CString DescribeFileError(const CString& path, unsigned long code);

// The folder's entries without "." and "..". False with `error` set when it cannot be read.
bool ListFolder(const CString& path, std::vector<FolderItem>& items, CString& error);
// False with `error` when the file cannot be read; `tooLarge` (and false) past `limit` bytes.
bool ReadWholeFile(const CString& path, long long limit, std::string& bytes, bool& tooLarge, CString& error);
// Written beside under a temporary name ("~qbN.tmp"), then renamed over `path`.
bool WriteFileWhole(const CString& path, const std::string& bytes, CString& error);
// A name WriteFileWhole gives its temporary files: one left behind was cut
// off by a kill before its rename.
bool IsTemporaryFileName(const CString& name);
// Makes the folder unless it is there; its parent must be.
bool EnsureFolder(const CString& path, CString& error);
// Gives the file or folder `from` the name `to` in the same folder (a change of letter case too).
bool RenameEntry(const CString& from, const CString& to, CString& error);
bool RemoveFile(const CString& path, CString& error);
// Bytes in the system's ANSI code page as text; empty when they are not.
CString AnsiToWide(const std::string& bytes);
