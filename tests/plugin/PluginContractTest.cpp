// The host contract seen from a host that knows only the slot order:
// GetPluginInterface, the five slots, the export table, and Execute's results.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "host/PluginSlots.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/UiDriver.h"

namespace {

using dialogdriver::Host;
using dialogdriver::WaitForMainDialog;
using harness::Module;

class PluginContract : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Module().IsLoaded()) << "Quillbox.dll did not load";
        m_plugin = Module().GetPluginInterface();
        ASSERT_NE(m_plugin, nullptr);
    }

    // Execute's result when the dialog is posted `message` as soon as it shows.
    static bool ResultAfterPosting(UINT message, WPARAM wParam)
    {
        Host host;
        return harness::Execute(host, [=](HWND dialog) { ::PostMessageW(dialog, message, wParam, 0); });
    }

    void* m_plugin = nullptr;
};

TEST_F(PluginContract, SlotsAnswerBeforeAndAfterSetHost)
{
    // GetHost is null until the first SetHost; this test runs first in this program.
    PluginSlots slots(m_plugin);
    EXPECT_EQ(slots.GetHost(), nullptr);
    EXPECT_EQ(slots.GetPluginType(), 4);
    EXPECT_EQ(slots.GetInterfaceVersion(), 3);

    Host host;
    slots.SetHost(&host.object);
    EXPECT_EQ(slots.GetHost(), &host.object);
    EXPECT_EQ(slots.GetPluginType(), 4);
    EXPECT_EQ(slots.GetInterfaceVersion(), 3);

    slots.SetHost(nullptr);
    EXPECT_EQ(slots.GetHost(), nullptr);
}

TEST_F(PluginContract, GetPluginInterfaceGivesTheSamePointerEachTime)
{
    EXPECT_EQ(Module().GetPluginInterface(), m_plugin);
    EXPECT_EQ(Module().GetPluginInterface(), Module().GetPluginInterface());
}

TEST_F(PluginContract, ExportTableHoldsOnlyGetPluginInterface)
{
    auto* base = reinterpret_cast<const BYTE*>(Module().Handle());
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(dir.VirtualAddress, 0u);
    auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    EXPECT_EQ(exports->NumberOfNames, 1u);
    EXPECT_EQ(exports->NumberOfFunctions, 1u);
    auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    EXPECT_STREQ(reinterpret_cast<const char*>(base + names[0]), "GetPluginInterface");
}

TEST_F(PluginContract, ExitEndsWithTrue)
{
    EXPECT_TRUE(ResultAfterPosting(WM_COMMAND, ID_FILE_EXIT));
}

TEST_F(PluginContract, EnterInTheFindBoxSearchesAndExitStillEndsWithTrue)
{
    Host host;
    HWND focused = nullptr;
    bool openAfterEnter = false;
    const bool result = harness::Execute(host, [&](HWND dialog) {
        HWND findBox = ::GetDlgItem(dialog, IDC_FIND_TEXT);
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        for (int i = 0; i < 100 && info.hwndFocus != findBox; ++i) {
            ::Sleep(20);
            ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info);
        }
        focused = info.hwndFocus == findBox ? findBox : nullptr;
        dialogdriver::PostKey(findBox, VK_RETURN);
        dialogdriver::AnswerBoxes(dialog);
        openAfterEnter = ::IsWindowVisible(dialog) != FALSE;
        ::PostMessageW(dialog, WM_COMMAND, ID_FILE_EXIT, 0);
    });
    EXPECT_NE(focused, nullptr) << "the Find box should have the initial focus";
    EXPECT_TRUE(openAfterEnter) << "Enter in the Find box runs Find and keeps the dialog";
    EXPECT_TRUE(result);
}

TEST_F(PluginContract, EscapeEndsWithFalse)
{
    Host host;
    const bool result = harness::Execute(host, [](HWND dialog) {
        dialogdriver::PostKey(::GetDlgItem(dialog, IDC_FIND_TEXT), VK_ESCAPE);
    });
    EXPECT_FALSE(result);
}

TEST_F(PluginContract, CloseBoxEndsWithFalse)
{
    EXPECT_FALSE(ResultAfterPosting(WM_SYSCOMMAND, SC_CLOSE));
}

TEST_F(PluginContract, ExportImportAndAboutEachShowOneBoxAndKeepTheDialog)
{
    Host host;
    int boxes = 0;
    bool stillOpen = false;
    const bool result = harness::Execute(host, [&](HWND dialog) {
        // With no note database open, Export and Import say so; About shows its box.
        for (int command : {ID_FILE_EXPORT, ID_FILE_IMPORT, ID_HELP_ABOUT}) boxes += static_cast<int>(dialogdriver::Command(dialog, command).size());
        stillOpen = ::IsWindowVisible(dialog) && ui::CountVisibleTopLevelWindows() == 1;
        ::PostMessageW(dialog, WM_COMMAND, ID_FILE_EXIT, 0);
    });
    EXPECT_EQ(3, boxes);
    EXPECT_TRUE(stillOpen) << "Export, Import and About must not close the dialog";
    EXPECT_TRUE(result);
}

TEST_F(PluginContract, EnterAndEscapeInAPageCloseNothing)
{
    Host host;
    bool pageFound = false, openAfterKeys = false;
    const bool result = harness::Execute(host, [&](HWND dialog) {
        HWND editPage = dialogdriver::FindPages(dialog).edit;
        pageFound = editPage != nullptr;
        if (!editPage) {
            ::PostMessageW(dialog, WM_COMMAND, ID_FILE_EXIT, 0);
            return;
        }
        HWND title = ::GetDlgItem(editPage, IDC_EDIT_TITLE);
        for (UINT key : {VK_RETURN, VK_ESCAPE}) dialogdriver::PostKey(title, key);
        ::Sleep(300);
        openAfterKeys = ::IsWindowVisible(dialog) != FALSE;
        ::PostMessageW(dialog, WM_COMMAND, ID_FILE_EXIT, 0);
    });
    EXPECT_TRUE(pageFound);
    EXPECT_TRUE(openAfterKeys) << "Enter or Escape in a page must not end the dialog";
    EXPECT_TRUE(result);
}

TEST_F(PluginContract, SecondExecuteShowsAFreshDialog)
{
    Host host;
    harness::Execute(host, [](HWND dialog) {
        ::SendMessageW(::GetDlgItem(dialog, IDC_FIND_TEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"left over"));
        ::PostMessageW(dialog, WM_COMMAND, ID_FILE_EXIT, 0);
    });
    std::wstring findText = L"?";
    int rows = -1;
    bool menuAttached = false;
    const bool result = harness::Execute(host, [&](HWND dialog) {
        findText = ui::WindowText(::GetDlgItem(dialog, IDC_FIND_TEXT));
        rows = static_cast<int>(::SendMessageW(::GetDlgItem(dialog, IDC_NOTE_LIST), LVM_GETITEMCOUNT, 0, 0));
        menuAttached = ::GetMenu(dialog) != nullptr;
        ::PostMessageW(dialog, WM_COMMAND, ID_FILE_EXIT, 0);
    });
    EXPECT_TRUE(result);
    EXPECT_EQ(findText, L"");
    EXPECT_EQ(rows, 0);
    EXPECT_TRUE(menuAttached);
}

TEST_F(PluginContract, ExecuteWithoutAHostReturnsFalseAndShowsNothing)
{
    PluginSlots slots(m_plugin);
    slots.SetHost(nullptr);
    EXPECT_FALSE(slots.Execute());

    HostContext noLink(nullptr);
    HostObject hostWithoutLink(&noLink);
    slots.SetHost(&hostWithoutLink);
    EXPECT_FALSE(slots.Execute());

    HostObject hostWithoutContext(nullptr);
    slots.SetHost(&hostWithoutContext);
    EXPECT_FALSE(slots.Execute());
    EXPECT_EQ(WaitForMainDialog(300), nullptr);
}

} // namespace
