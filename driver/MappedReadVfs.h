// MappedReadVfs: SQLite's default file system, for reading a note file
// through a memory map of it (PRAGMA mmap_size) without the process holding
// the whole file. SQLite reads a mapped page in place instead of copying it
// with a read call, which takes a quarter to a half off the time of a
// statement that reads every note; but every page a statement has touched
// would stay in the process's working set for as long as the map lasts.
// Here the pages a statement has finished with are handed back to the system
// (madvise) a megabyte at a time, so the process keeps about a megabyte of
// the file however large it is. A page handed back is read again from the
// file when it is next used, as the map is the file's own. Linux only.
#pragma once

#include <string>

// The name to open note files with (sqlite3_open_v2's zVfs), registered on the
// first call; nullptr if it could not be, and SQLite's default is then used.
const char* MappedReadVfsName();

// Whether `path` lies on a local disk file system, where mapping it is safe:
// on a network or removable one, a failed read of a mapped page stops the
// process, where a read call would only report an error.
bool IsOnLocalDisk(const std::string& path);
