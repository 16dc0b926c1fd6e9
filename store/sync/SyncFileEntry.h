// What the sync's memory keeps of a note file it read: the size and
// last-write time the folder listing gave, and the note the file held, so
// the next sync takes a file whose listing entry has not moved without
// opening it. Portable.
#pragma once

#include "framework/CString.h"

#include <string>

using SyncHash = unsigned long long;

struct SyncFileEntry {
    long long size = 0;
    unsigned long long writeTime = 0;  // FILETIME, 100 ns units
    CString group;                     // the note's group key, "" for group 0
    CString title;
    SyncHash texts = 0;        // HashNoteTexts
    SyncHash storedTexts = 0;  // HashNoteTextsAsStored when the query holds a CR, else 0

    bool operator==(const SyncFileEntry& other) const;
    bool operator!=(const SyncFileEntry& other) const { return !(*this == other); }
};

// Listing times are this coarse on some volumes (FAT keeps two seconds).
constexpr unsigned long long kListingTimeResolution = 2ULL * 10000000ULL;

// The file as listed now is the one the entry describes.
bool MatchesListing(const SyncFileEntry& entry, long long size, unsigned long long writeTime);
// Whether a file last written at `writeTime`, read by a sync that listed
// the folder at `listedAt`, may be remembered by its listing entry.
bool IsSettledWrite(unsigned long long writeTime, unsigned long long listedAt);
