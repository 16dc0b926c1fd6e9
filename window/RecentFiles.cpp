// CQuillboxDlg's recent note databases: remembered after each successful
// New or Open, shown on the File menu, opened from it as File, Open does.
#include "window/CQuillboxDlg.h"

#include "framework/MessageBox.h"
#include "framework/ResourceString.h"
#include "res/resource.h"
#include "window/QuillboxSettings.h"
#include "window/RecentFilesMenu.h"

namespace {

// False only when `path` names nothing (or a folder): a file that exists but
// cannot be read is left to the open, which says why.
bool NoteFileMayExist(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    switch (::GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return false;
    default:
        return true;
    }
}

} // namespace

void CQuillboxDlg::RememberRecentFile(const CString& path)
{
    // Start from what is stored now: another Quillbox may have added files since.
    m_recentFiles = LoadRecentFiles();
    if (m_recentFiles.Add(path.str())) SaveRecentFiles(m_recentFiles);
    ShowRecentFiles();
}

void CQuillboxDlg::ShowRecentFiles()
{
    CMenu* fileMenu = m_menu.GetSubMenu(0);
    if (fileMenu) PutRecentFilesOnMenu(fileMenu->GetSafeHmenu(), m_recentFiles.Paths());
}

void CQuillboxDlg::OnOpenRecentFile(UINT id)
{
    const std::size_t index = id - ID_FILE_RECENT_1;
    if (index >= m_recentFiles.Paths().size() || !ConfirmLeavingPages()) return;
    const std::wstring path = m_recentFiles.Paths()[index];
    if (NoteFileMayExist(path)) {
        OpenAndListNoteDatabase(path);
        return;
    }
    // The open database, the list and the pages stay as they are.
    m_recentFiles = LoadRecentFiles();
    m_recentFiles.Remove(path);
    SaveRecentFiles(m_recentFiles);
    ShowRecentFiles();
    CString message;
    message.Format(LoadResourceString(IDS_RECENT_FILE_MISSING), path.c_str());
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
}
