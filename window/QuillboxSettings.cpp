// The user's settings in the registry, read with a check of every value.
#include "window/QuillboxSettings.h"

#include "framework/RegistryKey.h"
#include "run/ConnectionText.h"

#include <cwctype>

namespace {

const wchar_t kSettingsKey[] = L"Software\\Quillbox";
const wchar_t kDoubleClickPageValue[] = L"DoubleClickPage";
const wchar_t kRecentFilesValue[] = L"RecentFiles";
const wchar_t kExchangeFoldersKey[] = L"Software\\Quillbox\\ExchangeFolders";
const wchar_t kRunSourcesKey[] = L"Software\\Quillbox\\RunSources";
// A connection string far longer than any real one is not read.
constexpr std::size_t kMaxStoredSourceChars = 4096;
// The longest path Windows has.
constexpr std::size_t kMaxStoredPathChars = 32767;
// Four full paths with their NULs take about 1,000 characters at most; a
// stored list far longer than that is not read at all.
constexpr std::size_t kMaxStoredListChars = 16 * 1024;

// "C:\..." or "\\server\...": a folder that does not depend on the current one.
bool IsFullPath(const std::wstring& path)
{
    const bool drive = path.size() >= 3 && path[1] == L':' && path[2] == L'\\' && std::iswalpha(path[0]);
    return drive || path.compare(0, 2, L"\\\\") == 0;
}

} // namespace

DoubleClickPage LoadDoubleClickPage()
{
    CRegistryKey key;
    if (!key.OpenForReading(HKEY_CURRENT_USER, kSettingsKey)) return DoubleClickPage::None;
    DWORD number = 0;
    DoubleClickPage page = DoubleClickPage::None;
    if (key.QueryDword(kDoubleClickPageValue, number) && DoubleClickPageFromNumber(number, page)) return page;
    if (key.HasValue(kDoubleClickPageValue)) SaveDoubleClickPage(DoubleClickPage::None);
    return DoubleClickPage::None;
}

void SaveDoubleClickPage(DoubleClickPage page)
{
    CRegistryKey key;
    if (key.Create(HKEY_CURRENT_USER, kSettingsKey)) key.SetDword(kDoubleClickPageValue, static_cast<DWORD>(page));
}

CRecentNoteFiles LoadRecentFiles()
{
    CRecentNoteFiles files;
    CRegistryKey key;
    if (!key.OpenForReading(HKEY_CURRENT_USER, kSettingsKey) || !key.HasValue(kRecentFilesValue)) return files;
    std::wstring stored;
    const bool read = key.QueryMultiString(kRecentFilesValue, stored, kMaxStoredListChars);
    const bool clean = files.Load(read ? stored : std::wstring());
    if (!read || !clean) SaveRecentFiles(files);
    return files;
}

void SaveRecentFiles(const CRecentNoteFiles& files)
{
    CRegistryKey key;
    if (key.Create(HKEY_CURRENT_USER, kSettingsKey)) key.SetMultiString(kRecentFilesValue, files.Stored());
}

CString LoadExchangeFolder(const CString& databasePath)
{
    CRegistryKey key;
    std::wstring folder;
    if (databasePath.IsEmpty() || !key.OpenForReading(HKEY_CURRENT_USER, kExchangeFoldersKey)) return CString();
    if (!key.QueryString(databasePath, folder, kMaxStoredPathChars) || !IsFullPath(folder)) return CString();
    return folder.c_str();
}

void SaveExchangeFolder(const CString& databasePath, const CString& folder)
{
    CRegistryKey key;
    if (!databasePath.IsEmpty() && key.Create(HKEY_CURRENT_USER, kExchangeFoldersKey)) key.SetString(databasePath, folder.GetString());
}

CString LoadRunSource(const CString& databasePath)
{
    CRegistryKey key;
    std::wstring choice;
    if (!key.OpenForReading(HKEY_CURRENT_USER, kRunSourcesKey) || !key.QueryString(databasePath, choice, kMaxStoredSourceChars)) return CString();
    // What was stored elsewhere with a password does not keep it here either.
    return WithoutPassword(choice).c_str();
}

void SaveRunSource(const CString& databasePath, const CString& choice)
{
    CRegistryKey key;
    if (key.Create(HKEY_CURRENT_USER, kRunSourcesKey)) key.SetString(databasePath, WithoutPassword(choice.GetString()));
}
