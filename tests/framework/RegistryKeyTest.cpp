// CRegistryKey: values are read only with the asked-for type and a size that
// fits it, and the key is closed by the wrapper unless detached. Runs on a
// private HKEY_CURRENT_USER, so nothing of the user's is touched.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/RegistryKey.h"
#include "tests/support/PrivateUserRegistry.h"

namespace {

const wchar_t kKey[] = L"Software\\Quillbox\\Registry Key Test";

bool SetRaw(const wchar_t* name, DWORD type, const void* bytes, DWORD size)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) return false;
    const bool set = ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(bytes), size) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return set;
}

TEST(RegistryKey, ReadsOnlyValuesOfTheRightTypeAndSize)
{
    CPrivateUserRegistry registry;
    ASSERT_TRUE(registry.IsActive());
    CRegistryKey key;
    EXPECT_FALSE(key.OpenForReading(HKEY_CURRENT_USER, kKey)) << "nothing there yet";
    ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kKey));

    EXPECT_TRUE(key.SetDword(L"number", 7));
    DWORD number = 0;
    EXPECT_TRUE(key.QueryDword(L"number", number));
    EXPECT_EQ(7u, number);
    const std::wstring list(L"a\0bc\0\0", 6);
    EXPECT_TRUE(key.SetMultiString(L"list", list));
    std::wstring read;
    EXPECT_TRUE(key.QueryMultiString(L"list", read, 6));
    EXPECT_EQ(list, read) << "read as stored, NULs included";
    EXPECT_FALSE(key.QueryMultiString(L"list", read, 5)) << "longer than allowed";
    EXPECT_FALSE(key.QueryDword(L"list", number)) << "a list is no number";
    EXPECT_FALSE(key.QueryMultiString(L"number", read, 100)) << "a number is no list";
    EXPECT_TRUE(key.SetString(L"text", L"C:\\notes"));
    EXPECT_TRUE(key.QueryString(L"text", read, 8));
    EXPECT_EQ(L"C:\\notes", read) << "read without its closing NUL";
    EXPECT_FALSE(key.QueryString(L"text", read, 7)) << "longer than allowed";
    EXPECT_FALSE(key.QueryString(L"list", read, 100)) << "a list is no text";
    const wchar_t unclosed[2] = {L'a', L'b'}, inner[4] = {L'a', 0, L'b', 0};
    ASSERT_TRUE(SetRaw(L"unclosed", REG_SZ, unclosed, sizeof unclosed));
    ASSERT_TRUE(SetRaw(L"inner", REG_SZ, inner, sizeof inner));
    EXPECT_TRUE(key.QueryString(L"unclosed", read, 2) && read == L"ab") << "another program may store no closing NUL";
    EXPECT_FALSE(key.QueryString(L"inner", read, 100)) << "a NUL inside";

    const BYTE fourBytes[4] = {1, 0, 0, 0}, eight[8] = {1};
    const char odd[3] = {'a', 0, 'b'};
    ASSERT_TRUE(SetRaw(L"binary", REG_BINARY, fourBytes, 4));
    ASSERT_TRUE(SetRaw(L"wide", REG_DWORD, eight, 8));
    ASSERT_TRUE(SetRaw(L"odd", REG_MULTI_SZ, odd, 3));
    number = 99;
    EXPECT_FALSE(key.QueryDword(L"binary", number));
    EXPECT_FALSE(key.QueryDword(L"wide", number)) << "a DWORD value of eight bytes";
    EXPECT_EQ(99u, number) << "a refused value leaves the output alone";
    EXPECT_FALSE(key.QueryMultiString(L"odd", read, 100)) << "half a character";
    EXPECT_TRUE(key.HasValue(L"odd"));
    EXPECT_FALSE(key.HasValue(L"missing"));
    EXPECT_FALSE(key.QueryDword(L"missing", number));
}

TEST(RegistryKey, ClosesItsKeyUnlessDetachedAndMovesItsOwnership)
{
    CPrivateUserRegistry registry;
    ASSERT_TRUE(registry.IsActive());
    HKEY closed = nullptr;
    {
        CRegistryKey key;
        ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kKey));
        CRegistryKey moved(std::move(key));
        EXPECT_FALSE(key.IsOpen());
        EXPECT_TRUE(moved.IsOpen());
        closed = moved.Detach();
        EXPECT_FALSE(moved.IsOpen());
    }
    // Detached: the handle outlived the wrapper and is the caller's to close.
    DWORD values = 0;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryInfoKeyW(closed, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, ::RegCloseKey(closed));

    HKEY owned = nullptr;
    {
        CRegistryKey key;
        ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kKey));
        owned = key.Get();
    }
    EXPECT_EQ(ERROR_INVALID_HANDLE, ::RegCloseKey(owned)) << "the wrapper closed it already";
}

} // namespace
