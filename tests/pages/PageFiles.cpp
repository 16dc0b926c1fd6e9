// The page tests' copies of their files and their own connection to a note database.
#include "tests/pages/PageFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "framework/CDBException.h"
#include "framework/CDatabase.h"
#include "framework/ThrownException.h"
#include "store/records/NoteDatabaseFile.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/DialogDriver.h"

namespace pages {

void Snapshot(const std::wstring& file, const char* name)
{
    const std::wstring folder = storetest::WindowsPathOf(QB_PAGES_EXCHANGE);
    ::CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring target = folder + L"\\";
    for (const char* c = name; *c; ++c) target += static_cast<wchar_t>(*c);
    target += L".mdb";
    EXPECT_TRUE(::CopyFileW(file.c_str(), target.c_str(), FALSE)) << "could not copy the file for " << name;
}

void ClearSnapshots()
{
    const std::wstring folder = storetest::WindowsPathOf(QB_PAGES_EXCHANGE);
    storetest::RemoveFolderTree(folder);
    ::CreateDirectoryW(folder.c_str(), nullptr);
}

void ExecuteOnFile(const std::wstring& file, const std::vector<std::wstring>& statements)
{
    CDatabase database;
    try {
        ConnectNoteDatabase(database, file.c_str());
        for (const std::wstring& statement : statements) database.ExecuteSQL(statement.c_str());
    } catch (CDBException* e) {
        const CThrownException<CDBException> owned(e);
        ADD_FAILURE() << "the test's own statement failed: " << dialogdriver::Narrow(e->m_strError.str());
    }
    database.Close();
}

} // namespace pages
