// CFileDialog driven as a user would: a second thread finds the system's
// "Save As" / "Open" window, reads what it shows, types a name into the file
// name box (control 1148), picks a file type and confirms.
#include <windows.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/CFileDialog.h"
#include "tests/support/UiDriver.h"

namespace {

constexpr int kFileNameBox = 1148;
constexpr int kFileTypeBox = 1136;
const wchar_t* const kFilter = L"Note databases (*.mdb)|*.mdb|Text files (*.txt)|*.txt||";

// A fresh, empty folder for each test.
class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        static int s_count = 0;
        m_folder = std::wstring(temp) + L"qb-file-dialog-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                   std::to_wstring(++s_count);
        ::CreateDirectoryW(m_folder.c_str(), nullptr);
    }
    void TearDown() override
    {
        ::DeleteFileW((m_folder + L"\\data.txt").c_str());
        ::RemoveDirectoryW(m_folder.c_str());
    }

    std::wstring m_folder;
};

struct Seen {
    std::wstring initialName;
    int fileTypes = -1;
    std::wstring firstFileType;
    std::wstring secondFileType;
};

// Reads the dialog, types `name`, optionally picks file type `typeIndex`, confirms with `command`.
void DriveFileDialog(const wchar_t* caption, const std::wstring& name, int typeIndex, int command, Seen* seen)
{
    HWND dialog = ui::WaitForWindow(L"#32770", caption, 20000);
    if (!dialog) return;
    HWND nameBox = ::GetDlgItem(dialog, kFileNameBox);
    HWND typeBox = ::GetDlgItem(dialog, kFileTypeBox);
    if (seen) {
        seen->initialName = ui::WindowText(nameBox);
        seen->fileTypes = static_cast<int>(::SendMessageW(typeBox, CB_GETCOUNT, 0, 0));
        wchar_t text[256] = {};
        ::SendMessageW(typeBox, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
        seen->firstFileType = text;
        text[0] = 0;
        ::SendMessageW(typeBox, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
        seen->secondFileType = text;
    }
    if (typeIndex >= 0) {
        ::SendMessageW(typeBox, CB_SETCURSEL, static_cast<WPARAM>(typeIndex), 0);
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeBox, CBN_SELCHANGE), reinterpret_cast<LPARAM>(typeBox));
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeBox, CBN_SELENDOK), reinterpret_cast<LPARAM>(typeBox));
    }
    if (!name.empty()) ::SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
}

TEST_F(FileDialogTest, SaveAsReturnsThePathWithTheDefaultExtension)
{
    CFileDialog dialog(FALSE, L"mdb", L"start", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter);
    Seen seen;
    const std::wstring typed = m_folder + L"\\note1";
    ui::ScriptThread user([&] { DriveFileDialog(L"Save As", typed, -1, IDOK, &seen); });
    const INT_PTR result = dialog.DoModal();
    user.Join();

    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(L"start", seen.initialName) << "the file name given to the constructor is shown";
    EXPECT_EQ(2, seen.fileTypes) << "the '|' filter makes two file types";
    EXPECT_EQ(L"Note databases (*.mdb)", seen.firstFileType);
    EXPECT_EQ(L"Text files (*.txt)", seen.secondFileType);
    EXPECT_EQ(CString((typed + L".mdb").c_str()), dialog.GetPathName());
    EXPECT_EQ(CString(L"note1.mdb"), dialog.GetFileName());
    EXPECT_EQ(CString(L"mdb"), dialog.GetFileExt());
    EXPECT_EQ(CString(L"note1"), dialog.GetFileTitle());
    EXPECT_EQ(1u, dialog.m_ofn.nFilterIndex);
}

TEST_F(FileDialogTest, DefaultExtensionWithADotIsAppendedOnce)
{
    CFileDialog dialog(FALSE, L".mdb", nullptr, OFN_HIDEREADONLY, kFilter);
    const std::wstring typed = m_folder + L"\\note2";
    ui::ScriptThread user([&] { DriveFileDialog(L"Save As", typed, -1, IDOK, nullptr); });
    ASSERT_EQ(IDOK, dialog.DoModal());
    user.Join();
    EXPECT_EQ(CString((typed + L".mdb").c_str()), dialog.GetPathName());
}

TEST_F(FileDialogTest, OpenReturnsTheChosenFileAndFileType)
{
    const std::wstring existing = m_folder + L"\\data.txt";
    HANDLE file = ::CreateFileW(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    ::CloseHandle(file);

    CFileDialog dialog(TRUE, L"mdb", nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, kFilter);
    ui::ScriptThread user([&] { DriveFileDialog(L"Open", existing, 1, IDOK, nullptr); });
    const INT_PTR result = dialog.DoModal();
    user.Join();

    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(CString(existing.c_str()), dialog.GetPathName());
    EXPECT_EQ(CString(L"data.txt"), dialog.GetFileName());
    EXPECT_EQ(2u, dialog.m_ofn.nFilterIndex) << "the second file type was chosen";
}

TEST_F(FileDialogTest, CancelReturnsIdcancel)
{
    CFileDialog dialog(TRUE, L"mdb", nullptr, OFN_FILEMUSTEXIST, kFilter);
    ui::ScriptThread user([&] { DriveFileDialog(L"Open", L"", -1, IDCANCEL, nullptr); });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    user.Join();
}

TEST(FileDialogNamesTest, NamePartsBeforeAnyChoiceComeFromTheGivenName)
{
    CFileDialog dialog(FALSE, L"mdb", L"C:\\data\\my.notes.mdb");
    EXPECT_EQ(CString(L"C:\\data\\my.notes.mdb"), dialog.GetPathName());
    EXPECT_EQ(CString(L"my.notes.mdb"), dialog.GetFileName());
    EXPECT_EQ(CString(L"mdb"), dialog.GetFileExt());
    EXPECT_EQ(CString(L"my.notes"), dialog.GetFileTitle());
    CFileDialog bare(TRUE, nullptr, L"README");
    EXPECT_EQ(CString(L""), bare.GetFileExt());
    EXPECT_EQ(CString(L"README"), bare.GetFileTitle());
}

} // namespace
