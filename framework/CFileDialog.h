// CFileDialog: the system's Open / Save As dialog over GetOpenFileNameW and
// GetSaveFileNameW. The filter is given as the framework takes it:
// "Text files (*.txt)|*.txt|All files (*.*)|*.*||".
#pragma once

#include <string>
#include <vector>

#include <windows.h>
#include <commdlg.h>

#include "CDialog.h"

class CFileDialog : public CDialog {
public:
    explicit CFileDialog(BOOL openFileDialog, LPCWSTR defaultExt = nullptr, LPCWSTR fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR filter = nullptr,
                         CWnd* parent = nullptr, DWORD size = 0);

    // Runs the system's modal dialog: IDOK when a file was chosen, IDCANCEL
    // when the user cancelled or the dialog failed (CommDlgExtendedError tells).
    INT_PTR DoModal() override;

    // After DoModal: the chosen file's full path, its name with extension,
    // its extension without the dot, and its name without extension.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }

    // The parameters of the system call. The caller may change them before
    // DoModal (lpstrTitle, lpstrInitialDir, nFilterIndex, Flags); after it,
    // nFilterIndex holds the 1-based filter the user chose.
    OPENFILENAMEW m_ofn;

private:
    BOOL m_bOpenFileDialog;
    std::wstring m_defaultExt;      // lpstrDefExt points here
    std::wstring m_filter;          // '|' turned into NULs, double NUL at the end; lpstrFilter points here
    std::vector<wchar_t> m_file;    // lpstrFile points here
    std::vector<wchar_t> m_title;   // lpstrFileTitle points here
};
