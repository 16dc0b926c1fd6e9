// The About box.
#include "window/CAboutDlg.h"

#include "framework/CDBException.h"
#include "framework/CDatabase.h"
#include "framework/CRecordset.h"
#include "framework/ModuleState.h"
#include "framework/ThrownException.h"
#include "res/resource.h"

#include <sql.h>
#include <sqlext.h>

#include <cwchar>

namespace {

// A count from a "SELECT Count(*) ..." statement, -1 when it cannot be read.
long CountRows(CDatabase& database, const wchar_t* sql)
{
    try {
        CRecordset rows(&database);
        rows.Open(CRecordset::forwardOnly, sql, CRecordset::executeDirect);
        CString text;
        if (!rows.IsEOF()) rows.GetFieldValue(static_cast<short>(0), text);
        rows.Close();
        return text.IsEmpty() ? -1 : std::wcstol(text, nullptr, 10);
    } catch (CDBException* e) {
        const CThrownException<CDBException> thrown(e);
        return -1;
    }
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
    const long notes = CountRows(m_database, L"SELECT Count(*) FROM notes");
    const long groups = CountRows(m_database, L"SELECT Count(*) FROM groups");
    wchar_t counts[96];
    std::swprintf(counts, 96, L"%ld notes in %ld groups", notes, groups);
    ::SetDlgItemTextW(m_hWnd, IDC_ABOUT_COUNTS, notes < 0 || groups < 0 ? L"The numbers of notes and groups cannot be read" : counts);
    const CString driver = DriverInfo(m_database, SQL_DRIVER_NAME) + L" " + DriverInfo(m_database, SQL_DRIVER_VER);
    ::SetDlgItemTextW(m_hWnd, IDC_ABOUT_DRIVER, (L"ODBC driver: " + driver).GetString());
    return TRUE;
}
