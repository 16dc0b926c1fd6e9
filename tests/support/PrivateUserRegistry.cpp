// CPrivateUserRegistry: the redirection of HKEY_CURRENT_USER and its key.
#include "tests/support/PrivateUserRegistry.h"

#include <vector>

namespace {

const wchar_t kVariable[] = L"QB_PRIVATE_USER_KEY";
const wchar_t kParentKey[] = L"Software\\Quillbox Tests";

std::wstring InheritedPath()
{
    std::vector<wchar_t> value(1024);
    const DWORD length = ::GetEnvironmentVariableW(kVariable, value.data(), static_cast<DWORD>(value.size()));
    return length > 0 && length < value.size() ? std::wstring(value.data(), length) : std::wstring();
}

// The file name of this process's program.
std::wstring ProgramName()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring full = path;
    return full.substr(full.find_last_of(L"\\/") + 1);
}

} // namespace

CPrivateUserRegistry::CPrivateUserRegistry()
{
    m_path = InheritedPath();
    if (m_path.empty()) {
        m_owner = true;
        m_path = std::wstring(kParentKey) + L"\\" + ProgramName();
        // Whatever a program that crashed left behind goes first.
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    }
    HKEY root = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root, nullptr) != ERROR_SUCCESS) return;
    if (::RegOverridePredefKey(HKEY_CURRENT_USER, root) != ERROR_SUCCESS) {
        ::RegCloseKey(root);
        return;
    }
    m_root = root;
    if (m_owner) ::SetEnvironmentVariableW(kVariable, m_path.c_str());
}

CPrivateUserRegistry::~CPrivateUserRegistry()
{
    if (!m_root) return;
    ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    ::RegCloseKey(m_root);
    if (m_owner) {
        ::SetEnvironmentVariableW(kVariable, nullptr);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
        // The common parent goes too once no other program uses it.
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kParentKey);
    }
}

void CPrivateUserRegistry::Clear()
{
    if (m_root) ::RegDeleteTreeW(m_root, nullptr);
}
