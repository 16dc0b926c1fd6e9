// The rules by which the sync trusts a file's listing entry.
#include "store/sync/SyncFileEntry.h"

bool SyncFileEntry::operator==(const SyncFileEntry& other) const
{
    return size == other.size && writeTime == other.writeTime && group == other.group && title == other.title &&
           texts == other.texts && storedTexts == other.storedTexts;
}

bool MatchesListing(const SyncFileEntry& entry, long long size, unsigned long long writeTime)
{
    return entry.writeTime != 0 && entry.size == size && entry.writeTime == writeTime;
}

// A write in the same tick of the volume's clock as the listing (or just
// before it) may be followed by another one in that tick that leaves size
// and time as they were: such a file, "racily clean", is never remembered
// by its entry, so the next sync reads it again and remembers it then, once
// its time lies well before that sync's listing. Any later write gives a
// time past this listing, which no remembered entry holds.
bool IsSettledWrite(unsigned long long writeTime, unsigned long long listedAt)
{
    return writeTime != 0 && writeTime + kListingTimeResolution < listedAt;
}
