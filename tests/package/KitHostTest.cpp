// The installed Wine kit as its user meets it: this program stands in for the
// host, copied into the plug-in folder beside the installed Quillbox.dll, in
// a prefix and a home folder of their own. File, New makes a note file
// through the registered setup DLL, a note saved on the Edit page travels
// through unixODBC to the installed driver, and Find shows it again. The
// note file (a Windows path) comes from QB_KIT_NOTE_FILE; kit_test.sh runs it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/DialogDriver.h"
#include "tests/support/DialogHarness.h"

namespace {

using namespace dialogdriver;
using Names = std::vector<std::wstring>;

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

std::wstring ModulePath(HMODULE module)
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(module, path, MAX_PATH);
    return path;
}

std::wstring NoteFile()
{
    const wchar_t* path = _wgetenv(L"QB_KIT_NOTE_FILE");
    return path ? path : L"";
}

TEST(WineKit, HostInThePluginFolderMakesANoteFileSavesANoteAndFindsIt)
{
    const std::wstring noteFile = NoteFile();
    ASSERT_FALSE(noteFile.empty()) << "QB_KIT_NOTE_FILE names the note file to make";
    ASSERT_TRUE(harness::Module().IsLoaded()) << "Quillbox.dll beside the host";
    EXPECT_EQ(Folder(ModulePath(nullptr)), Folder(ModulePath(harness::Module().Handle())))
        << "the plug-in is loaded from the host's own folder";

    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        const CommandResult made = NewFile(dialog, noteFile);
        ASSERT_TRUE(made.fileDialogShown) << "File, New shows the Save As dialog";
        ASSERT_TRUE(made.boxes.empty()) << "File, New: " << dialogdriver::Describe(made.boxes);
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(noteFile.c_str())) << "the note file exists";

        const std::vector<SeenBox> saved = dialogdriver::SaveNewNote(dialog, L"Kit note");
        ASSERT_TRUE(saved.empty()) << "Save: " << dialogdriver::Describe(saved);

        const std::vector<SeenBox> found = Find(dialog, L"KIT");
        EXPECT_TRUE(found.empty()) << "Find: " << dialogdriver::Describe(found);
        EXPECT_EQ(Names{L"Kit note"}, RowNames(dialog)) << "Find, without regard to case, shows the saved note";

        EXPECT_TRUE(Find(dialog, L"no such note").empty());
        EXPECT_EQ(Names{}, RowNames(dialog)) << "a search that matches nothing shows no row";
    });
}

} // namespace
