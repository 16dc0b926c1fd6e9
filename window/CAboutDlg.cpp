// The About box.
#include "window/CAboutDlg.h"

#include "framework/CDatabase.h"
#include "framework/ModuleState.h"
#include "res/resource.h"
#include "store/records/NoteCounts.h"

#include <sql.h>
#include <sqlext.h>

#include <cwchar>

namespace {

// "1 note", "2 notes".
CString Counted(long count, const wchar_t* one, const wchar_t* many)
{
    wchar_t text[48];
    std::swprintf(text, 48, L"%ld %ls", count, count == 1 ? one : many);
    return text;
}

CString DriverInfo(CDatabase& database, SQLUSMALLINT what)
{
    wchar_t text[256] = L"";
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(::SQLGetInfoW(database.GetConnectionHandle(), what, text, sizeof text, &length))) return CString();
    return text;
}

} // namespace

CString ReadModuleVersion(HMODULE module)
{
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const auto* bytes = static_cast<const BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!bytes) return CString();
    // The fixed part follows the block's header, aligned to four bytes; find it by its signature.
    const DWORD size = ::SizeofResource(module, found);
    for (DWORD offset = 0; offset + sizeof(VS_FIXEDFILEINFO) <= size; offset += 4) {
        const auto* info = reinterpret_cast<const VS_FIXEDFILEINFO*>(bytes + offset);
        if (info->dwSignature != 0xFEEF04BD) continue;
        wchar_t text[48];
        std::swprintf(text, 48, L"%u.%u.%u", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                      HIWORD(info->dwFileVersionLS));
        return text;
    }
    return CString();
}

CAboutDlg::CAboutDlg(CDatabase& database, const CString& databasePath, CWnd* parent)
    : CDialog(IDD_ABOUT, parent), m_database(database), m_databasePath(databasePath)
{
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SetDlgItemTextW(m_hWnd, IDC_ABOUT_VERSION, (L"Version " + ReadModuleVersion(AfxGetResourceHandle())).GetString());
    ::SetDlgItemTextW(m_hWnd, IDC_ABOUT_LICENCE, L"Free software under the MIT License.");
    if (!m_database.IsOpen()) {
        ::SetDlgItemTextW(m_hWnd, IDC_ABOUT_DATABASE, L"No note database is open");
        return TRUE;
    }
    ::SetDlgItemTextW(m_hWnd, IDC_ABOUT_DATABASE, m_databasePath.GetString());
    // Read now, so that About shows what the file holds at this moment.
    NoteCounts counts;
    const CString countsText = CountNotesAndGroups(m_database, counts).IsDone()
                                   ? Counted(counts.notes, L"note", L"notes") + L" in " + Counted(counts.groups, L"group", L"groups")
                                   : CString(L"The numbers of notes and groups cannot be read");
    ::SetDlgItemTextW(m_hWnd, IDC_ABOUT_COUNTS, countsText.GetString());
    const CString driver = DriverInfo(m_database, SQL_DRIVER_NAME) + L" " + DriverInfo(m_database, SQL_DRIVER_VER);
    ::SetDlgItemTextW(m_hWnd, IDC_ABOUT_DRIVER, (L"ODBC driver: " + driver).GetString());
    return TRUE;
}
