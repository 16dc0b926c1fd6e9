// The page tests' files and their own connection to a note database.
#include "tests/pages/PageFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "framework/CDBException.h"
#include "framework/CDatabase.h"
#include "store/NoteDatabaseFile.h"
#include "tests/support/DialogDriver.h"

namespace pages {

namespace {

std::wstring ExchangeFolder()
{
    std::wstring path = L"Z:";
    for (const char* c = QB_PAGES_EXCHANGE; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return path;
}

} // namespace

std::wstring NewTestFolder(const wchar_t* name)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + name + L" " + std::to_wstring(::GetCurrentProcessId());
    RemoveTestFolder(path);
    ::CreateDirectoryW(path.c_str(), nullptr);
    return path;
}

void RemoveTestFolder(const std::wstring& path)
{
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..") ::DeleteFileW((path + L"\\" + name).c_str());
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(path.c_str());
}

void Snapshot(const std::wstring& file, const char* name)
{
    const std::wstring folder = ExchangeFolder();
    ::CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring target = folder + L"\\";
    for (const char* c = name; *c; ++c) target += static_cast<wchar_t>(*c);
    target += L".mdb";
    EXPECT_TRUE(::CopyFileW(file.c_str(), target.c_str(), FALSE)) << "could not copy the file for " << name;
}

void ClearSnapshots()
{
    const std::wstring folder = ExchangeFolder();
    RemoveTestFolder(folder);
    ::CreateDirectoryW(folder.c_str(), nullptr);
}

void ExecuteOnFile(const std::wstring& file, const std::vector<std::wstring>& statements)
{
    CDatabase database;
    try {
        ConnectNoteDatabase(database, file.c_str());
        for (const std::wstring& statement : statements) database.ExecuteSQL(statement.c_str());
    } catch (CDBException* e) {
        ADD_FAILURE() << "the test's own statement failed: " << dialogdriver::Narrow(e->m_strError.str());
        e->Delete();
    }
    database.Close();
}

} // namespace pages
