// MappedReadVfs: the file system's open, which wraps the default one's file,
// and the file's methods, which pass every call on and hand back the pages
// SQLite releases from its map.
#include "MappedReadVfs.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <sys/mman.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

constexpr const char* kVfsName = "quillbox-mapped-read";
constexpr std::uintptr_t kHandBackBytes = 1024 * 1024;

// The released pages not yet handed back: the span from the lowest to the
// highest, and how many bytes were released in it.
struct ReleasedPages {
    std::uintptr_t start = 0;
    std::uintptr_t end = 0;
    std::uintptr_t bytes = 0;
};

struct alignas(8) MappedReadFile {
    sqlite3_file base;       // its methods: one of kMethods
    sqlite3_file* real;      // the default file system's file, in the same allocation after this struct
    int pageBytes;           // the size of the pages SQLite fetches from the map
    int lockLevel;           // the lock held on the file: SQLITE_LOCK_NONE to SQLITE_LOCK_EXCLUSIVE
    ReleasedPages released;  // pages of the map as it is now; see HandBack
};

sqlite3_vfs* g_defaultVfs = nullptr;
std::uintptr_t g_systemPageBytes = 4096;

MappedReadFile* Of(sqlite3_file* file) { return reinterpret_cast<MappedReadFile*>(file); }
sqlite3_file* RealOf(sqlite3_file* file) { return Of(file)->real; }
const sqlite3_io_methods* RealMethods(sqlite3_file* file) { return RealOf(file)->pMethods; }

// Drops the whole system pages of the released span from the process. The
// span also holds pages still in use (the map has no holes, so it is all the
// map's): they are read again from the file when next used. It runs before
// every call that may move or end SQLite's map, so the span's addresses are
// always still the map's.
void HandBack(sqlite3_file* f)
{
    ReleasedPages& released = Of(f)->released;
    const std::uintptr_t first = (released.start + g_systemPageBytes - 1) & ~(g_systemPageBytes - 1);
    const std::uintptr_t last = released.end & ~(g_systemPageBytes - 1);
    if (first < last) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
    released = ReleasedPages();
}

void NoteReleased(sqlite3_file* f, const void* page)
{
    MappedReadFile* file = Of(f);
    const auto start = reinterpret_cast<std::uintptr_t>(page);
    const auto bytes = static_cast<std::uintptr_t>(file->pageBytes);
    ReleasedPages& released = file->released;
    if (released.bytes == 0) {
        released.start = start;
        released.end = start + bytes;
    } else {
        released.start = std::min(released.start, start);
        released.end = std::max(released.end, start + bytes);
    }
    released.bytes += bytes;
    if (released.bytes >= kHandBackBytes) HandBack(f);
}

int Close(sqlite3_file* f)
{
    HandBack(f);
    return RealMethods(f)->xClose(RealOf(f));
}

int Read(sqlite3_file* f, void* out, int amount, sqlite3_int64 offset)
{
    return RealMethods(f)->xRead(RealOf(f), out, amount, offset);
}

int Write(sqlite3_file* f, const void* data, int amount, sqlite3_int64 offset)
{
    HandBack(f);
    return RealMethods(f)->xWrite(RealOf(f), data, amount, offset);
}

int Truncate(sqlite3_file* f, sqlite3_int64 size)
{
    HandBack(f);
    return RealMethods(f)->xTruncate(RealOf(f), size);
}

int Sync(sqlite3_file* f, int flags) { return RealMethods(f)->xSync(RealOf(f), flags); }
int FileSize(sqlite3_file* f, sqlite3_int64* size) { return RealMethods(f)->xFileSize(RealOf(f), size); }

// Another program may have shortened the file while no lock was held (a copy
// written over it, say): a map still reaching past the file's end would stop
// the process at the first read there. So the map goes whenever a lock is
// taken anew, and SQLite makes it again at the file's size when it next
// reads a page. Only the pages' entries in the process are lost, and those
// were handed back already.
void DropMap(sqlite3_file* f)
{
    sqlite3_int64 limit = 0;
    if (RealMethods(f)->xFileControl(RealOf(f), SQLITE_FCNTL_MMAP_SIZE, &limit) == SQLITE_OK && limit > 0)
        RealMethods(f)->xFileControl(RealOf(f), SQLITE_FCNTL_MMAP_SIZE, &limit);
}

int Lock(sqlite3_file* f, int level)
{
    HandBack(f);
    MappedReadFile* file = Of(f);
    const int rc = RealMethods(f)->xLock(RealOf(f), level);
    if (rc != SQLITE_OK) return rc;
    if (file->lockLevel == SQLITE_LOCK_NONE) DropMap(f);
    file->lockLevel = std::max(file->lockLevel, level);
    return rc;
}

int Unlock(sqlite3_file* f, int level)
{
    HandBack(f);
    const int rc = RealMethods(f)->xUnlock(RealOf(f), level);
    if (rc == SQLITE_OK) Of(f)->lockLevel = level;
    return rc;
}

int CheckReservedLock(sqlite3_file* f, int* out) { return RealMethods(f)->xCheckReservedLock(RealOf(f), out); }

int FileControl(sqlite3_file* f, int op, void* arg)
{
    HandBack(f);
    return RealMethods(f)->xFileControl(RealOf(f), op, arg);
}

int SectorSize(sqlite3_file* f) { return RealMethods(f)->xSectorSize(RealOf(f)); }
int DeviceCharacteristics(sqlite3_file* f) { return RealMethods(f)->xDeviceCharacteristics(RealOf(f)); }

int ShmMap(sqlite3_file* f, int region, int size, int extend, void volatile** out)
{
    HandBack(f);
    return RealMethods(f)->xShmMap(RealOf(f), region, size, extend, out);
}

int ShmLock(sqlite3_file* f, int offset, int n, int flags)
{
    HandBack(f);
    return RealMethods(f)->xShmLock(RealOf(f), offset, n, flags);
}

void ShmBarrier(sqlite3_file* f) { RealMethods(f)->xShmBarrier(RealOf(f)); }

int ShmUnmap(sqlite3_file* f, int deleteFlag)
{
    HandBack(f);
    return RealMethods(f)->xShmUnmap(RealOf(f), deleteFlag);
}

// Fetching never moves a map that holds released pages: SQLite maps the file
// anew only after unmapping it, which comes through one of the calls above.
int Fetch(sqlite3_file* f, sqlite3_int64 offset, int amount, void** out)
{
    MappedReadFile* file = Of(f);
    if (amount != file->pageBytes) {
        HandBack(f);
        file->pageBytes = amount;
    }
    return RealMethods(f)->xFetch(RealOf(f), offset, amount, out);
}

// A page is released with its address; no address asks for the whole map to go.
int Unfetch(sqlite3_file* f, sqlite3_int64 offset, void* page)
{
    if (!page) HandBack(f);
    const int rc = RealMethods(f)->xUnfetch(RealOf(f), offset, page);
    if (page && Of(f)->pageBytes > 0) NoteReleased(f, page);
    return rc;
}

// The methods offered are those the default file offers: a table for each
// version, so SQLite never calls a method the file under it lacks.
constexpr sqlite3_io_methods MethodsOfVersion(int version)
{
    return {version, Close, Read, Write, Truncate, Sync, FileSize, Lock, Unlock, CheckReservedLock, FileControl,
            SectorSize, DeviceCharacteristics, ShmMap, ShmLock, ShmBarrier, ShmUnmap, Fetch, Unfetch};
}

constexpr sqlite3_io_methods kMethods[] = {MethodsOfVersion(1), MethodsOfVersion(2), MethodsOfVersion(3)};

int Open(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* outFlags)
{
    MappedReadFile* file = Of(f);
    *file = MappedReadFile{};
    file->real = reinterpret_cast<sqlite3_file*>(file + 1);
    const int rc = g_defaultVfs->xOpen(g_defaultVfs, name, file->real, flags, outFlags);
    // Without methods the file is not open, and SQLite will not close it.
    const sqlite3_io_methods* real = file->real->pMethods;
    file->base.pMethods = real ? &kMethods[std::clamp(real->iVersion, 1, 3) - 1] : nullptr;
    return rc;
}

const char* Register()
{
    static sqlite3_vfs vfs;
    g_defaultVfs = sqlite3_vfs_find(nullptr);
    if (!g_defaultVfs) return nullptr;
    const long systemPage = ::sysconf(_SC_PAGESIZE);
    if (systemPage > 0) g_systemPageBytes = static_cast<std::uintptr_t>(systemPage);
    // Everything but opening a file is the default file system's own.
    vfs = *g_defaultVfs;
    vfs.szOsFile = static_cast<int>(sizeof(MappedReadFile)) + g_defaultVfs->szOsFile;
    vfs.pNext = nullptr;
    vfs.zName = kVfsName;
    vfs.xOpen = Open;
    return sqlite3_vfs_register(&vfs, 0) == SQLITE_OK ? kVfsName : nullptr;
}

} // namespace

const char* MappedReadVfsName()
{
    static const char* const name = Register();
    return name;
}

bool IsOnLocalDisk(const std::string& path)
{
    struct statfs info;
    if (::statfs(path.c_str(), &info) != 0) return false;
    switch (static_cast<unsigned long>(info.f_type)) {
    case 0xEF53UL:      // ext2, ext3, ext4
    case 0x58465342UL:  // xfs
    case 0x9123683EUL:  // btrfs
    case 0xF2F52010UL:  // f2fs
    case 0x2FC12FC1UL:  // zfs
    case 0x01021994UL:  // tmpfs
    case 0x794C7630UL:  // overlayfs (containers)
        return true;
    default:
        return false;
    }
}
