// A full disk under the main dialog: the note database and the export folder
// live on a small file system of their own (tests/badfiles/full_disk.sh
// mounts it and names it in QB_FULL_DISK), which the test fills. Saving a
// note, saving a group, Import, Export and File New each tell the user that
// the disk is full and name the file; the database keeps exactly its bytes,
// the export folder exactly its files; once space is freed, each of them
// works.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "store/format/ExportNames.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/DialogHarness.h"
#include "tests/window/NoteFiles.h"
#include "tests/window/WindowTestSupport.h"

namespace {

using namespace dialogdriver;
using storetest::FilesUnder;
using storetest::ReadFileBytes;
using windowtest::Narrow;
using Names = std::vector<std::wstring>;
using FolderBytes = std::map<std::wstring, std::string>;

// Takes every free byte of the file system that holds `folder`, until Free.
class DiskFiller {
public:
    explicit DiskFiller(const std::wstring& folder) : m_path(folder + L"\\filler.bin")
    {
        HANDLE file = ::CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        std::string chunk(64 * 1024, 'x');
        DWORD written = 0;
        for (size_t size = chunk.size(); size > 0; size /= 2) {
            while (::WriteFile(file, chunk.data(), static_cast<DWORD>(size), &written, nullptr) && written == size) {
            }
            m_full = m_full || ::GetLastError() == ERROR_DISK_FULL || ::GetLastError() == ERROR_HANDLE_DISK_FULL;
        }
        ::CloseHandle(file);
    }
    ~DiskFiller() { Free(); }
    DiskFiller(const DiskFiller&) = delete;
    DiskFiller& operator=(const DiskFiller&) = delete;
    bool Full() const { return m_full; }
    void Free() { ::DeleteFileW(m_path.c_str()); }

private:
    std::wstring m_path;
    bool m_full = false;
};

FolderBytes Snapshot(const std::wstring& folder)
{
    FolderBytes files;
    for (const std::wstring& name : FilesUnder(folder)) files[name] = ReadFileBytes(folder + L"\\" + name);
    return files;
}

std::vector<SeenBox> SaveNewGroup(HWND dialog, const std::wstring& name)
{
    HWND page = FindPages(dialog).groupEdit;
    SetItemText(page, IDC_GROUP_NAME, name);
    SetItemText(page, IDC_GROUP_COMMENTS, L"made by the test's user");
    return Click(page, IDC_GROUP_SAVE);
}

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

// The last box the user saw says the disk is full and names `file`.
void ExpectDiskFull(const std::vector<SeenBox>& boxes, const std::wstring& file, const char* action)
{
    ASSERT_FALSE(boxes.empty()) << action << ": no message";
    const std::wstring& text = boxes.back().text;
    EXPECT_TRUE(Contains(text, L"disk") && Contains(text, L"full")) << action << ": " << Narrow(text);
    EXPECT_TRUE(Contains(text, file)) << action << ": the message does not name " << Narrow(file) << ": " << Narrow(text);
    EXPECT_TRUE(boxes.back().icon == MB_ICONEXCLAMATION || boxes.back().icon == MB_ICONHAND) << action << ": not a warning";
}

std::wstring Only(const std::vector<std::wstring>& rows) { return rows.size() == 1 ? rows[0] : L"?"; }

TEST(FullDisk, EveryWriteSaysTheDiskIsFullNamesTheFileChangesNothingAndWorksOnceThereIsRoom)
{
    const char* mounted = std::getenv("QB_FULL_DISK");
    if (!mounted) GTEST_SKIP() << "needs the small file system that tests/badfiles/full_disk.sh mounts";
    const std::wstring disk = storetest::WindowsPathOf(mounted);
    const std::wstring db = disk + L"\\notes.mdb";
    const std::wstring out = disk + L"\\export";
    const std::wstring fresh = disk + L"\\new.mdb";
    ASSERT_TRUE(::CopyFileW(windowtest::MakeSample(L"full disk.mdb").c_str(), db.c_str(), TRUE));
    ASSERT_TRUE(::CreateDirectoryW(out.c_str(), nullptr));
    // The folder to import: reading it needs no room.
    const std::wstring in = disk + L"\\import";
    ASSERT_TRUE(::CreateDirectoryW(in.c_str(), nullptr));
    storetest::WriteFileBytes(in + L"\\imported one.sql", "SELECT 'one';");
    storetest::WriteFileBytes(in + L"\\imported two.sql", "SELECT 'two';");

    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(OpenFile(dialog, db).boxes.empty());
        ASSERT_FALSE(ChooseFolder(dialog, ID_FILE_EXPORT, out).boxes.empty());
        // One note more than the export holds, so the next export has a file to write.
        ASSERT_TRUE(SaveNewNote(dialog, L"saved before the disk filled").empty());

        DiskFiller filler(disk);
        ASSERT_TRUE(filler.Full()) << "the small file system did not fill";
        const std::string bytes = ReadFileBytes(db);
        const FolderBytes exported = Snapshot(out);

        ExpectDiskFull(SaveNewNote(dialog, L"no room for this note"), db, "Save a note");
        EXPECT_EQ(L"no room for this note", ItemText(FindPages(dialog).edit, IDC_EDIT_TITLE)) << "the Edit page keeps the note";
        EXPECT_TRUE(bytes == ReadFileBytes(db)) << "Save a note changed the database";
        ExpectDiskFull(SaveNewGroup(dialog, L"No room group"), db, "Save a group");
        EXPECT_TRUE(bytes == ReadFileBytes(db)) << "Save a group changed the database";
        // The user gives the unsaved note and group up: New asks and is told
        // No; the group's boxes are emptied.
        EXPECT_EQ(1u, Click(FindPages(dialog).edit, IDC_EDIT_NEW, {IDNO}).size());
        SetItemText(FindPages(dialog).groupEdit, IDC_GROUP_NAME, L"");
        SetItemText(FindPages(dialog).groupEdit, IDC_GROUP_COMMENTS, L"");
        ExpectDiskFull(ChooseFolder(dialog, ID_FILE_IMPORT, in).boxes, db, "Import");
        EXPECT_TRUE(bytes == ReadFileBytes(db)) << "Import changed the database";
        ExpectDiskFull(ChooseFolder(dialog, ID_FILE_EXPORT, out).boxes, out + L"\\" + NoteFileStem(L"saved before the disk filled").str() + L".sql", "Export");
        EXPECT_TRUE(exported == Snapshot(out)) << "Export left a partial or temporary file";
        ExpectDiskFull(NewFile(dialog, fresh).boxes, fresh, "File New");
        EXPECT_FALSE(storetest::FileExists(fresh)) << "File New left a file that is no note database";
        EXPECT_TRUE(bytes == ReadFileBytes(db));

        filler.Free();
        const CommandResult created = NewFile(dialog, fresh);
        EXPECT_TRUE(created.boxes.empty()) << "File New: " << Describe(created.boxes);
        ASSERT_TRUE(OpenFile(dialog, db).boxes.empty());
        EXPECT_TRUE(SaveNewNote(dialog, L"no room for this note").empty()) << "Save a note with room";
        const std::vector<SeenBox> group = SaveNewGroup(dialog, L"No room group");
        EXPECT_TRUE(group.empty()) << "Save a group with room: " << Describe(group);
        const std::vector<SeenBox> imported = ChooseFolder(dialog, ID_FILE_IMPORT, in).boxes;
        ASSERT_FALSE(imported.empty());
        EXPECT_FALSE(Contains(imported.back().text, L"failed")) << Narrow(imported.back().text);
        const std::vector<SeenBox> exportedAgain = ChooseFolder(dialog, ID_FILE_EXPORT, out).boxes;
        ASSERT_FALSE(exportedAgain.empty());
        EXPECT_EQ(0u, exportedAgain.back().text.find(L"Exported ")) << Narrow(exportedAgain.back().text);
    });

    EXPECT_EQ(L"1", Only(notefiles::Rows(fresh, L"SELECT count(*) FROM groups")));
    EXPECT_EQ(L"1", Only(notefiles::Rows(db, L"SELECT count(*) FROM notes WHERE name = 'no room for this note'")));
    EXPECT_EQ(L"1", Only(notefiles::Rows(db, L"SELECT count(*) FROM groups WHERE groupName = 'No room group'")));
    EXPECT_EQ(L"2", Only(notefiles::Rows(db, L"SELECT count(*) FROM notes WHERE name IN ('imported one', 'imported two')")));
    EXPECT_TRUE(storetest::FileExists(out + L"\\" + NoteFileStem(L"saved before the disk filled").str() + L".sql"));
    EXPECT_TRUE(storetest::FileExists(out + L"\\" + NoteFileStem(L"imported two").str() + L".sql"));
}

} // namespace
